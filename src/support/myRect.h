#pragma once

#include <cstdint>

namespace skivra {

// Screen geometry in pixels. Rectangles are right- and bottom-exclusive: a rectangle of
// width w starting at Left ends at Left + w, and the point (Right, y) lies outside it.

struct TMyPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TMyPoint&, const TMyPoint&) = default;
};

struct TMySize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const TMySize&, const TMySize&) = default;
};

struct TMyRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const TMyRect&, const TMyRect&) = default;
};

// Width and height as 64-bit values: Right - Left of two extreme 32-bit coordinates does not
// fit 32 bits, and geometry code must never wrap.
inline std::int64_t RectWidth64(const TMyRect& r) {
    return std::int64_t{r.Right} - r.Left;
}
inline std::int64_t RectHeight64(const TMyRect& r) {
    return std::int64_t{r.Bottom} - r.Top;
}

// A 64-bit intermediate brought back into a coordinate: values beyond the 32-bit range stop
// at its ends instead of wrapping.
inline std::int32_t SaturateInt32(std::int64_t v) {
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(v);
}

// Left and top inclusive, right and bottom exclusive.
inline bool PtInRect(const TMyRect& r, TMyPoint pt) {
    return pt.X >= r.Left && pt.X < r.Right && pt.Y >= r.Top && pt.Y < r.Bottom;
}

} // namespace skivra
