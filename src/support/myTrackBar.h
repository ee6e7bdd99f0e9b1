#pragma once

#include <QRect>
#include <QSlider>

namespace skivra {

// The seek and volume bars: a horizontal slider that exposes the geometry of its thumb and
// channel and tells whether the user is holding the thumb or pressing the bar, so that the
// playback code can keep its hands off the bar while the user drags it. UI thread only.
class TMyTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TMyTrackBar(QWidget* pParent = nullptr);

    // The primary button went down on the thumb and has not been released.
    bool ThumbHold() const { return F_bThumbHold; }
    // The primary button went down anywhere on the bar and has not been released.
    bool Touched() const { return F_bTouched; }

    // In client coordinates, from the style that draws the bar.
    QRect ThumbRect() const;
    QRect SeekRect() const;
    QRect ThumbScreenRect() const;
    QRect SeekScreenRect() const;
    // SeekRect's width (right - left, the exclusive right edge).
    int SeekWidth() const;
    // The channel stops this many pixels short of each end of the bar, as native track bars
    // draw it, so that the bar has room beside its track (the seek bar's skip zones).
    static constexpr int kChannelMargin = 8;

    // The bar value under a client x, measured so that the thumb's centre lands on the
    // pointer: with h half the thumb's width rounded up, x left of SeekRect.left + h is the
    // minimum, right of SeekRect.right - h the maximum, and in between the value grows
    // linearly. Not truncated: the caller decides whether tenths matter.
    double ValueAtX(int iX) const;

signals:
    // The bar's mouse events, each after the bar has handled it itself (the thumb has moved,
    // the flags are set); MouseUp comes before the flags are cleared. The event is the one
    // the bar received, valid for the call only.
    void MouseDown(QMouseEvent* pEvent);
    void MouseMove(QMouseEvent* pEvent);
    void MouseUp(QMouseEvent* pEvent);

protected:
    void initStyleOption(QStyleOptionSlider* pOption) const override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    bool F_bThumbHold = false;
    bool F_bTouched = false;
};

} // namespace skivra
