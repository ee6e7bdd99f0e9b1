#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdint>

#include "support/myRect.h"

namespace skivra::test {

// A borderless desktop-type window over the whole screen, as the sub-player shows one for
// the video: Qt never paints it, so whatever shows in it was drawn by the video sink.
// Call IsReady() (through an event loop) before drawing into it.
class DesktopWindow : public QWidget {
public:
    DesktopWindow() {
        setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
        show();
    }
    QPaintEngine* paintEngine() const override { return nullptr; }
    bool IsReady() const { return isVisible() && windowHandle() && windowHandle()->isExposed(); }
    std::uint64_t Id() const { return winId(); }
    TMyRect Rect() const { return {0, 0, width(), height()}; }
};

} // namespace skivra::test
