#pragma once

#include <QFont>

namespace skivra {

// The Japanese UI font that stands in for the forms' designed fonts ("ＭＳ Ｐゴシック" and
// "MS UI Gothic"): Noto Sans CJK JP when installed, else whatever the system picks for
// Japanese text. Sizes are given as the forms give them: a pixel height or points.
QString JapaneseUiFontFamily();
QFont JapaneseUiFontPixels(int iPixelHeight);
QFont JapaneseUiFontPoints(int iPointSize);

} // namespace skivra
