#include "lists/myGeometry.h"

#include "lists/myNumber.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace skivra {

namespace {

TMySize g_dragThreshold{4, 4};

int32_t CheckedInt32(int64_t i) {
    if (i < std::numeric_limits<int32_t>::min() || i > std::numeric_limits<int32_t>::max()) {
        throw std::range_error("value out of the 32-bit range");
    }
    return static_cast<int32_t>(i);
}

} // namespace

int32_t RectWidth(const TMyRect& r) {
    return CheckedInt32(RectWidth64(r));
}

int32_t RectHeight(const TMyRect& r) {
    return CheckedInt32(RectHeight64(r));
}

TMyRect CenterRect(const TMyRect& outer, const TMyRect& inner) {
    const int64_t iWidth = RectWidth64(inner);
    const int64_t iHeight = RectHeight64(inner);
    const int64_t iLeft = outer.Left + (RectWidth64(outer) - iWidth) / 2;
    const int64_t iTop = outer.Top + (RectHeight64(outer) - iHeight) / 2;
    return {CheckedInt32(iLeft), CheckedInt32(iTop), CheckedInt32(iLeft + iWidth),
            CheckedInt32(iTop + iHeight)};
}

void SetDragThreshold(TMySize size) {
    g_dragThreshold = size;
}

TMySize DragThreshold() {
    return g_dragThreshold;
}

int32_t DirectionAngle(TMyPoint p1, TMyPoint p2) {
    int64_t dx = int64_t{p2.X} - p1.X;
    int64_t dy = int64_t{p1.Y} - p2.Y;
    if (std::llabs(dx) <= 3 * int64_t{g_dragThreshold.cx}) {
        dx = 0;
    }
    if (std::llabs(dy) <= 3 * int64_t{g_dragThreshold.cy}) {
        dy = 0;
    }
    if (dx == 0 && dy == 0) {
        return -1;
    }
    if (dx == 0) {
        return dy > 0 ? 90 : 270;
    }
    if (dy == 0) {
        return dx > 0 ? 0 : 180;
    }
    const auto a = static_cast<int32_t>(RoundHalfAway(
        std::atan(static_cast<double>(dy) / static_cast<double>(dx)) * 180.0 / std::numbers::pi));
    if (dx < 0) {
        return a + 180;
    }
    return dy > 0 ? a : a + 360;
}

std::u16string DirectionName(TMyPoint p1, TMyPoint p2) {
    const int32_t iAngle = DirectionAngle(p1, p2);
    if (iAngle < 0) {
        return {};
    }
    // A nearly level move to the right comes out as 360 degrees, which is right as well.
    if (iAngle <= 45 || iAngle >= 316) {
        return u"右";
    }
    if (iAngle <= 135) {
        return u"上";
    }
    if (iAngle <= 225) {
        return u"左";
    }
    return u"下";
}

} // namespace skivra
