#include "platform/x11/myX11MessageWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstring>
#include <memory>

#include "platform/x11/myX11Display.h"
#include "support/myUnicode.h"

namespace skivra {

namespace {

struct TXFree {
    void operator()(void* p) const { XFree(p); }
};

// 1 MiB in the 32-bit units that XGetWindowProperty counts in.
constexpr long kMaxReadUnits = (1 << 20) / 4;

bool HasPanelClass(Display* display, Window window) {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) {
        return false;
    }
    const bool bPanel = hint.res_class && std::strcmp(hint.res_class, kMessagePanelClass) == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return bPanel;
}

Window FindPanelBelow(Display* display, Window parent, int iDepth) {
    // Real window trees are a few levels deep; the bound keeps a hostile one finite.
    if (iDepth > 32) {
        return 0;
    }
    Window root = 0;
    Window parentOfParent = 0;
    Window* pChildren = nullptr;
    unsigned int iCount = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &pChildren, &iCount)) {
        return 0;
    }
    std::unique_ptr<Window, TXFree> children(pChildren);
    for (unsigned int i = 0; i < iCount; ++i) {
        if (HasPanelClass(display, pChildren[i])) {
            return pChildren[i];
        }
    }
    for (unsigned int i = 0; i < iCount; ++i) {
        if (const Window found = FindPanelBelow(display, pChildren[i], iDepth + 1)) {
            return found;
        }
    }
    return 0;
}

} // namespace

TMyWindowId CreateMessageWindow(TMyX11Connection& connection, TMyWindowId parent) {
    if (!connection.IsOpen()) {
        return 0;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window window =
        XCreateWindow(x.Get(), parent ? parent : x.Root(), -1, -1, 1, 1, 0, CopyFromParent,
                      InputOnly, CopyFromParent, CWEventMask, &attributes);
    XClassHint hint{};
    std::string sName = "skivra";
    std::string sClass = kMessagePanelClass;
    hint.res_name = sName.data();
    hint.res_class = sClass.data();
    XSetClassHint(x.Get(), window, &hint);
    if (trap.Failed()) {
        return 0;
    }
    return window;
}

bool IsMessagePanel(TMyX11Connection& connection, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return false;
    }
    x11::TErrorTrap trap(connection.Native().Get());
    return HasPanelClass(connection.Native().Get(), window) && !trap.Failed();
}

TMyWindowId FindMessagePanel(TMyX11Connection& connection, TMyWindowId parent) {
    if (!connection.IsOpen() || parent == 0) {
        return 0;
    }
    x11::TErrorTrap trap(connection.Native().Get());
    const Window found = FindPanelBelow(connection.Native().Get(), parent, 0);
    return !trap.Failed() ? found : 0;
}

bool SendMessageText(TMyX11Connection& connection, std::u16string_view sText, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return false;
    }
    std::string sBytes = Utf16ToUtf8(sText);
    if (sBytes.size() > kMaxMessageBytes || sBytes.find('\0') != std::string::npos) {
        return false;
    }
    const TMyWindowId target =
        IsMessagePanel(connection, window) ? window : FindMessagePanel(connection, window);
    if (target == 0) {
        return false;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    sBytes.push_back('\0');
    XChangeProperty(x.Get(), target, x.Intern(kMessagePropertyName), x.Intern("UTF8_STRING"), 8,
                    PropModeAppend, reinterpret_cast<const unsigned char*>(sBytes.data()),
                    static_cast<int>(sBytes.size()));
    return !trap.Failed();
}

std::vector<std::u16string> TakeMessageTexts(TMyX11Connection& connection, TMyWindowId window) {
    std::vector<std::u16string> texts;
    if (!connection.IsOpen() || window == 0) {
        return texts;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    Atom actualType = 0;
    int iFormat = 0;
    unsigned long iItems = 0;
    unsigned long iBytesAfter = 0;
    unsigned char* pData = nullptr;
    const Atom property = x.Intern(kMessagePropertyName);
    // Reading with delete empties the property in the same request, so a message appended
    // later starts a fresh value and raises a new event.
    const int iStatus =
        XGetWindowProperty(x.Get(), window, property, 0, kMaxReadUnits, True, AnyPropertyType,
                           &actualType, &iFormat, &iItems, &iBytesAfter, &pData);
    std::unique_ptr<unsigned char, TXFree> data(pData);
    if (iBytesAfter > 0) {
        XDeleteProperty(x.Get(), window, property);
    }
    if (iStatus != Success || !data || iFormat != 8 || trap.Failed()) {
        return texts;
    }
    const std::string_view sAll(reinterpret_cast<const char*>(data.get()), iItems);
    std::size_t iStart = 0;
    while (iStart < sAll.size()) {
        std::size_t iEnd = sAll.find('\0', iStart);
        if (iEnd == std::string_view::npos) {
            // A cut-off last message (only when the read was capped) is not a message.
            break;
        }
        if (auto sText = Utf8ToUtf16(sAll.substr(iStart, iEnd - iStart))) {
            texts.push_back(std::move(*sText));
        }
        iStart = iEnd + 1;
    }
    return texts;
}

bool ClaimAppSelection(TMyX11Connection& connection, const char* pClassName, TMyWindowId panel) {
    if (!connection.IsOpen() || panel == 0) {
        return false;
    }
    TMyX11Display& x = connection.Native();
    const Atom selection = x.Intern(pClassName);
    XSetSelectionOwner(x.Get(), selection, panel, CurrentTime);
    return XGetSelectionOwner(x.Get(), selection) == panel;
}

TMyWindowId FindAppMessagePanel(TMyX11Connection& connection, const char* pClassName) {
    if (!connection.IsOpen()) {
        return 0;
    }
    TMyX11Display& x = connection.Native();
    return XGetSelectionOwner(x.Get(), x.Intern(pClassName));
}

} // namespace skivra
