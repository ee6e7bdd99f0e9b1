#include "platform/x11/myX11KeyState.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace skivra {

namespace {

bool KeysymDown(Display* display, const char (&keys)[32], KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

bool AnyKeysymDown(Display* display, KeySym left, KeySym right) {
    char keys[32] = {};
    XQueryKeymap(display, keys);
    return KeysymDown(display, keys, left) || KeysymDown(display, keys, right);
}

bool ButtonDown(Display* display, unsigned int iMask) {
    Window root = 0;
    Window child = 0;
    int iRootX = 0;
    int iRootY = 0;
    int iX = 0;
    int iY = 0;
    unsigned int iState = 0;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &iRootX, &iRootY, &iX,
                         &iY, &iState) &&
           (iState & iMask) != 0;
}

} // namespace

bool TMyX11KeyStateSource::KeyDown(int iVirtualKey) {
    auto* display = static_cast<Display*>(FpDisplay);
    if (!display) {
        return false;
    }
    switch (iVirtualKey) {
    case VK_LBUTTON:
        return ButtonDown(display, Button1Mask);
    case VK_RBUTTON:
        return ButtonDown(display, Button3Mask);
    case VK_MBUTTON:
        return ButtonDown(display, Button2Mask);
    case VK_SHIFT:
        return AnyKeysymDown(display, XK_Shift_L, XK_Shift_R);
    case VK_CONTROL:
        return AnyKeysymDown(display, XK_Control_L, XK_Control_R);
    case VK_MENU:
        return AnyKeysymDown(display, XK_Alt_L, XK_Alt_R);
    default:
        return false;
    }
}

} // namespace skivra
