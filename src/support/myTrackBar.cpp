#include "support/myTrackBar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace skivra {

namespace {

// Qt rectangles keep an inclusive right edge; the bar's geometry is spoken of with an
// exclusive one, as every other rectangle of the program is.
int ExclusiveRight(const QRect& rc) {
    return rc.left() + rc.width();
}

} // namespace

TMyTrackBar::TMyTrackBar(QWidget* pParent) : QSlider(Qt::Horizontal, pParent) {
    setTickPosition(QSlider::TicksBelow);
}

void TMyTrackBar::initStyleOption(QStyleOptionSlider* pOption) const {
    QSlider::initStyleOption(pOption);
    // Everything the style draws and hit-tests is laid out in this rectangle: outside it, a
    // press moves nothing.
    if (pOption->rect.width() > 4 * kChannelMargin) {
        pOption->rect.adjust(kChannelMargin, 0, -kChannelMargin, 0);
    }
}

QRect TMyTrackBar::ThumbRect() const {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
}

QRect TMyTrackBar::SeekRect() const {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
}

QRect TMyTrackBar::ThumbScreenRect() const {
    const QRect rc = ThumbRect();
    return QRect(mapToGlobal(rc.topLeft()), rc.size());
}

QRect TMyTrackBar::SeekScreenRect() const {
    const QRect rc = SeekRect();
    return QRect(mapToGlobal(rc.topLeft()), rc.size());
}

int TMyTrackBar::SeekWidth() const {
    const QRect rc = SeekRect();
    return ExclusiveRight(rc) - rc.left();
}

double TMyTrackBar::ValueAtX(int iX) const {
    const QRect rcSeek = SeekRect();
    const int iHalf = (ThumbRect().width() + 1) / 2;
    const int iLeft = rcSeek.left() + iHalf;
    const int iRight = ExclusiveRight(rcSeek) - iHalf;
    if (iX < iLeft) {
        return minimum();
    }
    if (iX > iRight || iRight <= iLeft) {
        return maximum();
    }
    const double fRange = static_cast<double>(maximum()) - minimum();
    return minimum() + (iX - iLeft) * fRange / (SeekWidth() - 2 * iHalf);
}

void TMyTrackBar::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        F_bThumbHold = ThumbRect().contains(pEvent->position().toPoint());
        F_bTouched = true;
    } else {
        F_bThumbHold = false;
        F_bTouched = false;
    }
    QSlider::mousePressEvent(pEvent);
    emit MouseDown(pEvent);
}

void TMyTrackBar::mouseMoveEvent(QMouseEvent* pEvent) {
    QSlider::mouseMoveEvent(pEvent);
    emit MouseMove(pEvent);
}

void TMyTrackBar::mouseReleaseEvent(QMouseEvent* pEvent) {
    QSlider::mouseReleaseEvent(pEvent);
    emit MouseUp(pEvent);
    F_bThumbHold = false;
    F_bTouched = false;
}

void TMyTrackBar::focusOutEvent(QFocusEvent* pEvent) {
    F_bThumbHold = false;
    F_bTouched = false;
    QSlider::focusOutEvent(pEvent);
}

} // namespace skivra
