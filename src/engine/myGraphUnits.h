#pragma once

#include <cstdint>
#include <string>

#include "support/myRect.h"

namespace skivra {

// The frame rate as the information label shows it: the rate rounded to two decimals
// (halves away from zero) in the shortest general form ("29.97", "25", "23.98"); "-" when
// the stream gives no rate (a variable rate is given as 0/1).
std::u16string FormatFrameRateText(std::int32_t iNumerator, std::int32_t iDenominator);

// Where the picture goes in a video window laid over a whole monitor, in that window's
// pixels: the smallest rectangle with the monitor's aspect ratio that covers the monitor,
// centred; for the monitor's own rectangle that is all of it. Empty for an empty monitor.
TMyRect GetMonitorVideoRect(const TMyRect& rcMonitor);

// A volume in hundredths of a decibel as the linear factor the media framework takes:
// 0 is 1.0, -600 is about 0.5, VOLUME_SILENT (-10000) and below are exactly 0 (silence).
double VolumeToLinear(std::int32_t iVolume);

// The colour the desktop shows where the video plays (red in the lowest byte). 0x100010
// unless SKIVRA_OVERLAY_KEY_COLOUR holds another one as hexadecimal RGB ("0x204080" or
// "204080", red first, as colours are written on screen); a malformed value is ignored.
inline constexpr std::uint32_t DEFAULT_OVERLAY_KEY_COLOUR = 0x100010;
std::uint32_t GetOverlayKeyColour();

} // namespace skivra
