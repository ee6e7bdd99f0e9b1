#pragma once

#include "support/myRect.h"

#include <cstdint>
#include <string>

namespace skivra {

// Rectangle helpers and the direction of a pointer drag. A result that does not fit 32 bits
// raises std::range_error.

int32_t RectWidth(const TMyRect& r);
int32_t RectHeight(const TMyRect& r);
// A rectangle of inner's size, centred in outer (halves rounded toward zero).
TMyRect CenterRect(const TMyRect& outer, const TMyRect& inner);

// How far the pointer must move before a drag starts, as the UI reports it (4 x 4 until it
// does). UI thread only.
void SetDragThreshold(TMySize size);
TMySize DragThreshold();

// The angle in whole degrees, counter-clockwise from "right", of the move from p1 to p2 on
// the screen (y grows downwards); a move of up to three drag thresholds on an axis counts
// as none on it; -1 when there is no direction at all.
int32_t DirectionAngle(TMyPoint p1, TMyPoint p2);
// "右", "上", "左" or "下" for the angle, empty when there is no direction.
std::u16string DirectionName(TMyPoint p1, TMyPoint p2);

} // namespace skivra
