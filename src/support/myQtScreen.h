#pragma once

#include "support/myMonitorSource.h"

#include <QPoint>
#include <QRect>

class QWidget;

namespace skivra {

// The monitor layout as Qt reports it (one QScreen per monitor, its available geometry as
// the work area). The program installs it at start when no other source is installed.
class TMyQtMonitorSource : public TMyMonitorSource {
public:
    std::vector<TMyMonitorInfo> Monitors() override;
    std::optional<TMyPoint> CursorPos() override;
};

// Installs a TMyQtMonitorSource unless a source is installed already.
void EnsureMonitorSource();

// The monitor model puts the primary monitor's top-left corner at (0, 0); Qt uses the
// window system's coordinates. These convert between the two.
TMyPoint QtToModel(QPoint pt);
QPoint ModelToQt(TMyPoint pt);
TMyRect QtToModel(const QRect& rc);

// Moves the window (size kept) to the centre of the work area of the monitor under the
// point (Qt coordinates); without monitors it stays where it is.
void CenterWindowOnMonitorAt(QWidget* pWindow, QPoint ptPos);
// The same for the monitor under the pointer.
void CenterWindowOnCursorMonitor(QWidget* pWindow);
// Raises the window in front of every other without keeping it there.
void BringWindowToFront(QWidget* pWindow);

} // namespace skivra
