#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QString;

namespace skivra {

class TApp_Skivra;
class TMyPlayerController;
class TMyTrackBar;

// The mouse and keyboard of the seek and volume bars.
//
// The seek bar: pressing the thumb holds the bar for the user (the display tick leaves it
// alone) and releasing seeks to where it was dragged; a click elsewhere on the track seeks
// to the point under the pointer, a click left or right of the track skips back or
// forward; the arrow and page keys seek by the bar's steps. Hovering shows the time under
// the pointer (or the skip command) at once. The volume bar shows its value while hovered;
// its changes reach the player through the window. The wheel moves neither bar: a turn
// meant for the playlist must not jump the playback or the volume. UI thread only.
class TMyMainBars final : public QObject {
    Q_OBJECT
public:
    // Both must outlive this.
    TMyMainBars(TApp_Skivra& window, TMyPlayerController& controller);

    void TrackBar_SeekMouseDown(QMouseEvent* pEvent);
    void TrackBar_SeekMouseMove(QMouseEvent* pEvent);
    void TrackBar_SeekMouseUp(QMouseEvent* pEvent);
    void TrackBar_VolumeMouseMove(QMouseEvent* pEvent);

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    void TrackBar_SeekKeyAction(int iAction);
    // The bar's hint becomes sText and shows at once: at the pointer while the window shows
    // tooltips, in the status bar while that is on. An empty text hides it.
    void ShowHint(TMyTrackBar* pBar, const QString& sText, QPoint ptGlobal);

    TApp_Skivra& FWindow;
    TMyPlayerController& FController;
};

} // namespace skivra
