#pragma once

#include "media/myMediaProbe.h"

#include <chrono>
#include <memory>

namespace skivra {

// The media probe over GStreamer: duration, displayed video size (the pixel aspect ratio
// applied to the width) and average frame time of a file, without playing it. The parsed
// streams are asked first (engine/myGstParsedProbe.h); only when they do not tell all does
// the discoverer decode. Each probe has a discoverer to itself while it runs (kept for
// later probes), so probes may run on several threads at once; a file that holds the probe
// for the time-out gives zeros, so a hostile file never holds the caller for much longer.
std::shared_ptr<TMyMediaProber>
MakeGstMediaProber(std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Installs the GStreamer probe for ProbeMediaFile (media/myMediaProbe.h). Call once at start.
void InstallGstMediaProber();

} // namespace skivra
