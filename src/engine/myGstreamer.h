#pragma once

namespace skivra {

// Initialises GStreamer once per process; every later call returns at once. Safe to call
// from any thread. False when GStreamer could not start (the reason goes to stderr);
// playback and probing then fail cleanly instead of crashing.
bool EnsureGStreamer();

} // namespace skivra
