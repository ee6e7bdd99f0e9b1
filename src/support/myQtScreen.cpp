#include "support/myQtScreen.h"

#include "support/myMonitor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace skivra {

namespace {

QPoint PrimaryOrigin() {
    const QScreen* pPrimary = QGuiApplication::primaryScreen();
    return pPrimary ? pPrimary->geometry().topLeft() : QPoint();
}

TMyRect ToRect(const QRect& rc) {
    return TMyRect{rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

} // namespace

std::vector<TMyMonitorInfo> TMyQtMonitorSource::Monitors() {
    std::vector<TMyMonitorInfo> monitors;
    const QScreen* pPrimary = QGuiApplication::primaryScreen();
    for (const QScreen* pScreen : QGuiApplication::screens()) {
        TMyMonitorInfo info;
        info.rcMonitor = ToRect(pScreen->geometry());
        info.rcWork = ToRect(pScreen->availableGeometry());
        info.bPrimary = pScreen == pPrimary;
        // A handle of 0 is no monitor: the layout lookups would find none at all.
        info.Handle = static_cast<TMyMonitorHandle>(monitors.size() + 1);
        monitors.push_back(info);
    }
    ShiftToPrimaryOrigin(monitors);
    return monitors;
}

std::optional<TMyPoint> TMyQtMonitorSource::CursorPos() {
    return QtToModel(QCursor::pos());
}

void EnsureMonitorSource() {
    if (!GetMonitorSource()) {
        SetMonitorSource(std::make_shared<TMyQtMonitorSource>());
    }
}

TMyPoint QtToModel(QPoint pt) {
    const QPoint ptOrigin = PrimaryOrigin();
    return TMyPoint{pt.x() - ptOrigin.x(), pt.y() - ptOrigin.y()};
}

QPoint ModelToQt(TMyPoint pt) {
    return QPoint(pt.X, pt.Y) + PrimaryOrigin();
}

TMyRect QtToModel(const QRect& rc) {
    const QPoint ptOrigin = PrimaryOrigin();
    return ToRect(rc.translated(-ptOrigin));
}

void CenterWindowOnMonitorAt(QWidget* pWindow, QPoint ptPos) {
    EnsureMonitorSource();
    const QRect rcFrame = pWindow->frameGeometry();
    const TMyPoint ptTopLeft = CenterFormOnMonitorAt(QtToModel(rcFrame), QtToModel(ptPos));
    pWindow->move(ModelToQt(ptTopLeft));
}

void CenterWindowOnCursorMonitor(QWidget* pWindow) {
    CenterWindowOnMonitorAt(pWindow, QCursor::pos());
}

void BringWindowToFront(QWidget* pWindow) {
    pWindow->show();
    pWindow->raise();
    pWindow->activateWindow();
}

} // namespace skivra
