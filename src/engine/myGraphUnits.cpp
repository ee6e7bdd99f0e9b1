#include "engine/myGraphUnits.h"

#include <gst/audio/streamvolume.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/myMediaGraph.h"
#include "engine/myWallpaperImage.h"

namespace skivra {

std::u16string FormatFrameRateText(std::int32_t iNumerator, std::int32_t iDenominator) {
    if (iNumerator <= 0 || iDenominator <= 0) {
        return u"-";
    }
    // std::round rounds halves away from zero.
    const double fRate =
        std::round(100.0 * static_cast<double>(iNumerator) / static_cast<double>(iDenominator)) /
        100.0;
    char buffer[32];
    const int iLength = std::snprintf(buffer, sizeof buffer, "%g", fRate);
    return std::u16string(buffer, buffer + (iLength > 0 ? iLength : 0));
}

TMyRect GetMonitorVideoRect(const TMyRect& rcMonitor) {
    const std::int64_t iWidth = RectWidth64(rcMonitor);
    const std::int64_t iHeight = RectHeight64(rcMonitor);
    if (iWidth <= 0 || iHeight <= 0 || iWidth > INT32_MAX || iHeight > INT32_MAX) {
        return {};
    }
    const auto w = static_cast<int>(iWidth);
    const auto h = static_cast<int>(iHeight);
    const TMyPlacedSize size = FillSize(w, h, w, h);
    return {size.x, size.y, SaturateInt32(std::int64_t{size.x} + size.w),
            SaturateInt32(std::int64_t{size.y} + size.h)};
}

double VolumeToLinear(std::int32_t iVolume) {
    if (iVolume <= VOLUME_SILENT) {
        return 0.0;
    }
    return gst_stream_volume_convert_volume(GST_STREAM_VOLUME_FORMAT_DB,
                                            GST_STREAM_VOLUME_FORMAT_LINEAR, iVolume / 100.0);
}

std::uint32_t GetOverlayKeyColour() {
    const char* pText = std::getenv("SKIVRA_OVERLAY_KEY_COLOUR");
    if (!pText) {
        return DEFAULT_OVERLAY_KEY_COLOUR;
    }
    std::string_view sText(pText);
    if (sText.starts_with("0x") || sText.starts_with("0X")) {
        sText.remove_prefix(2);
    }
    std::uint32_t iRgb = 0;
    const auto [pEnd, error] = std::from_chars(sText.data(), sText.data() + sText.size(), iRgb, 16);
    if (sText.empty() || sText.size() > 6 || error != std::errc() ||
        pEnd != sText.data() + sText.size()) {
        return DEFAULT_OVERLAY_KEY_COLOUR;
    }
    // Written red first; kept with red in the lowest byte.
    return ((iRgb >> 16) & 0xFF) | (iRgb & 0xFF00) | ((iRgb & 0xFF) << 16);
}

} // namespace skivra
