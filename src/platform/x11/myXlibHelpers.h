#pragma once

// Small Xlib helpers shared by the X11 backends; include after the Xlib headers.

#include <X11/Xlib.h>

namespace skivra::xlib {

// Frees what Xlib hands out (property data and the like) at the end of its scope.
struct TXFree {
    void operator()(unsigned char* p) const { XFree(p); }
};

// Turns a BadWindow for a window that vanished into a neutral result instead of the
// default handler's exit().
inline int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace skivra::xlib
