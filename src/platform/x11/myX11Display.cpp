#include "platform/x11/myX11Display.h"

namespace skivra {

namespace {

// Errors seen by the innermost trap; counted, never fatal.
thread_local int g_iErrorCount = 0;

int CountError(Display*, XErrorEvent*) {
    ++g_iErrorCount;
    return 0;
}

} // namespace

TMyX11Display::TMyX11Display() : FDisplay(XOpenDisplay(nullptr)) {}

TMyX11Display::~TMyX11Display() {
    if (FDisplay) {
        XCloseDisplay(FDisplay);
    }
}

TMyX11ErrorTrap::TMyX11ErrorTrap(Display* display)
    : FDisplay(display), FPrevious(nullptr), FiPreviousCount(g_iErrorCount) {
    XSync(FDisplay, False);
    FPrevious = XSetErrorHandler(CountError);
}

TMyX11ErrorTrap::~TMyX11ErrorTrap() {
    XSync(FDisplay, False);
    XSetErrorHandler(FPrevious);
    g_iErrorCount = FiPreviousCount;
}

bool TMyX11ErrorTrap::Succeeded() {
    XSync(FDisplay, False);
    return g_iErrorCount == FiPreviousCount;
}

} // namespace skivra
