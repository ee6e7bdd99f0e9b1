#pragma once

#include <thread>

namespace skivra {

// Initialises GStreamer once per process; every later call returns at once. Safe to call
// from any thread. False when GStreamer could not start (the reason goes to stderr);
// playback and probing then fail cleanly instead of crashing.
bool EnsureGStreamer();

// Starts GStreamer and loads the plugins of the usual playback on a thread of its own, while
// the caller goes on making its window: the codec library alone takes a tenth of a second
// to load, which the first file opened need not wait for. The thread is joined when the
// returned object goes.
std::jthread PreloadGStreamer();

} // namespace skivra
