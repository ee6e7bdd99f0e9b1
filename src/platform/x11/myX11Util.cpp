#include "platform/x11/myX11Util.h"

#include <X11/Xatom.h>

namespace skivra::x11 {

namespace {

// Errors counted since the process started; each trap compares against the count it began
// with, so a trap inside another (a property read inside a larger operation) leaves the outer
// trap's answer intact.
int g_iErrorCount = 0;

int CountError(Display*, XErrorEvent*) {
    ++g_iErrorCount;
    return 0;
}

struct TXFree {
    void operator()(unsigned char* p) const { XFree(p); }
};

} // namespace

TDisplayPtr OpenDisplay(const std::string& sName) {
    return TDisplayPtr(XOpenDisplay(sName.empty() ? nullptr : sName.c_str()));
}

TErrorTrap::TErrorTrap(Display* display) : FDisplay(display) {
    XSync(FDisplay, False);
    FiErrorsBefore = g_iErrorCount;
    FPrevious = XSetErrorHandler(CountError);
}

TErrorTrap::~TErrorTrap() {
    XSync(FDisplay, False);
    XSetErrorHandler(FPrevious);
}

bool TErrorTrap::Failed() {
    XSync(FDisplay, False);
    return g_iErrorCount != FiErrorsBefore;
}

std::optional<std::vector<unsigned long>> GetLongProperty(Display* display, Window window,
                                                          const char* pszName, Atom type) {
    Atom actualType = None;
    int iFormat = 0;
    unsigned long iItems = 0;
    unsigned long iBytesAfter = 0;
    unsigned char* pData = nullptr;
    TErrorTrap trap(display);
    // 1024 items are far more than any property read here holds (the work areas of every
    // virtual desktop, four each).
    const int iStatus =
        XGetWindowProperty(display, window, XInternAtom(display, pszName, False), 0, 1024, False,
                           type, &actualType, &iFormat, &iItems, &iBytesAfter, &pData);
    std::unique_ptr<unsigned char, TXFree> data(pData);
    if (trap.Failed() || iStatus != Success || !data || actualType != type || iFormat != 32) {
        return std::nullopt;
    }
    const auto* pItems = reinterpret_cast<const unsigned long*>(data.get());
    return std::vector<unsigned long>(pItems, pItems + iItems);
}

std::optional<std::string> GetUtf8Property(Display* display, Window window, const char* pszName) {
    Atom actualType = None;
    int iFormat = 0;
    unsigned long iItems = 0;
    unsigned long iBytesAfter = 0;
    unsigned char* pData = nullptr;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    TErrorTrap trap(display);
    const int iStatus =
        XGetWindowProperty(display, window, XInternAtom(display, pszName, False), 0, 65536, False,
                           utf8, &actualType, &iFormat, &iItems, &iBytesAfter, &pData);
    std::unique_ptr<unsigned char, TXFree> data(pData);
    if (trap.Failed() || iStatus != Success || !data || actualType != utf8 || iFormat != 8) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(data.get()), iItems);
}

void SetLongProperty(Display* display, Window window, const char* pszName, Atom type,
                     const std::vector<unsigned long>& values) {
    XChangeProperty(display, window, XInternAtom(display, pszName, False), type, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

void SetUtf8Property(Display* display, Window window, const char* pszName,
                     const std::string& sValue) {
    XChangeProperty(display, window, XInternAtom(display, pszName, False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(sValue.data()),
                    static_cast<int>(sValue.size()));
}

void DeleteProperty(Display* display, Window window, const char* pszName) {
    XDeleteProperty(display, window, XInternAtom(display, pszName, False));
}

} // namespace skivra::x11
