#include "platform/x11/myX11Window.h"

#include "support/myUnicode.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <limits.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace skivra {

namespace {

struct TXFree {
    void operator()(unsigned char* p) const { XFree(p); }
};

// Turns a BadWindow for a window that vanished into a neutral result instead of the
// default handler's exit().
int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

std::uint32_t GetWindowProcessId(void* pDisplay, TMyWindowId window) {
    auto* display = static_cast<Display*>(pDisplay);
    if (!display || window == 0) {
        return 0;
    }
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom actualType = None;
    int iFormat = 0;
    unsigned long iItems = 0;
    unsigned long iBytesAfter = 0;
    unsigned char* pData = nullptr;
    XSync(display, False);
    auto* previous = XSetErrorHandler(IgnoreXErrors);
    const int iStatus = XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL,
                                           &actualType, &iFormat, &iItems, &iBytesAfter, &pData);
    XSync(display, False);
    XSetErrorHandler(previous);
    std::unique_ptr<unsigned char, TXFree> data(pData);
    if (iStatus != Success || !data || actualType != XA_CARDINAL || iFormat != 32 || iItems != 1) {
        return 0;
    }
    // Xlib hands 32-bit items back as longs.
    return static_cast<std::uint32_t>(*reinterpret_cast<unsigned long*>(data.get()));
}

std::u16string GetWindowModuleFileName(void* pDisplay, TMyWindowId window) {
    const std::uint32_t iPid = GetWindowProcessId(pDisplay, window);
    if (iPid == 0) {
        return {};
    }
    std::vector<char> buffer(PATH_MAX + 1);
    const std::string sLink = "/proc/" + std::to_string(iPid) + "/exe";
    const ssize_t iLength = readlink(sLink.c_str(), buffer.data(), buffer.size() - 1);
    if (iLength <= 0) {
        return {};
    }
    return Utf8ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(iLength)))
        .value_or(u"");
}

} // namespace skivra
