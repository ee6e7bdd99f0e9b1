#include "e2e/e2eDesktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace skivra::e2e {

namespace {

struct TImageFree {
    void operator()(XImage* p) const { XDestroyImage(p); }
};

struct TXFree {
    void operator()(void* p) const {
        if (p) {
            XFree(p);
        }
    }
};

// Windows vanish while we look at them; their errors are expected.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

std::optional<std::vector<unsigned long>> LongProperty(Display* d, Window w, const char* pName,
                                                       Atom type) {
    Atom actual = None;
    int iFormat = 0;
    unsigned long iCount = 0;
    unsigned long iAfter = 0;
    unsigned char* pData = nullptr;
    if (XGetWindowProperty(d, w, XInternAtom(d, pName, False), 0, 1024, False, type, &actual,
                           &iFormat, &iCount, &iAfter, &pData) != Success) {
        return std::nullopt;
    }
    std::unique_ptr<unsigned char, TXFree> data(pData);
    if (actual != type || iFormat != 32) {
        return std::nullopt;
    }
    const auto* pLongs = reinterpret_cast<const unsigned long*>(pData);
    return std::vector<unsigned long>(pLongs, pLongs + iCount);
}

std::string TextProperty(Display* d, Window w, const char* pName, const char* pType) {
    Atom actual = None;
    int iFormat = 0;
    unsigned long iCount = 0;
    unsigned long iAfter = 0;
    unsigned char* pData = nullptr;
    if (XGetWindowProperty(d, w, XInternAtom(d, pName, False), 0, 4096, False,
                           XInternAtom(d, pType, False), &actual, &iFormat, &iCount, &iAfter,
                           &pData) != Success) {
        return {};
    }
    std::unique_ptr<unsigned char, TXFree> data(pData);
    if (!pData || iFormat != 8) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(pData), iCount);
}

std::vector<std::string> AtomNames(Display* d, Window w, const char* pName) {
    std::vector<std::string> names;
    const auto atoms = LongProperty(d, w, pName, XA_ATOM);
    for (unsigned long atom : atoms.value_or(std::vector<unsigned long>{})) {
        std::unique_ptr<char, TXFree> pText(XGetAtomName(d, atom));
        if (pText) {
            names.emplace_back(pText.get());
        }
    }
    return names;
}

std::vector<Window> Children(Display* d, Window w) {
    Window root = None;
    Window parent = None;
    Window* pChildren = nullptr;
    unsigned int iCount = 0;
    if (!XQueryTree(d, w, &root, &parent, &pChildren, &iCount)) {
        return {};
    }
    std::unique_ptr<Window, TXFree> children(pChildren);
    return std::vector<Window>(pChildren, pChildren + iCount);
}

Window Parent(Display* d, Window w) {
    Window root = None;
    Window parent = None;
    Window* pChildren = nullptr;
    unsigned int iCount = 0;
    if (!XQueryTree(d, w, &root, &parent, &pChildren, &iCount)) {
        return None;
    }
    std::unique_ptr<Window, TXFree> children(pChildren);
    return parent;
}

std::optional<TBox> BoxOf(Display* d, Window w) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(d, w, &attributes)) {
        return std::nullopt;
    }
    int iX = 0;
    int iY = 0;
    Window child = None;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &iX, &iY, &child);
    return TBox{iX, iY, attributes.width, attributes.height};
}

std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const int iBits = std::popcount(mask);
    const unsigned long v = (pixel & mask) >> std::countr_zero(mask);
    return iBits >= 8 ? static_cast<std::uint32_t>(v >> (iBits - 8))
                      : static_cast<std::uint32_t>(v * 255 / ((1ul << iBits) - 1));
}

bool IsNear(std::uint32_t a, std::uint32_t b, int iTolerance) {
    for (int iShift : {0, 8, 16}) {
        const int ca = static_cast<int>((a >> iShift) & 0xFF);
        const int cb = static_cast<int>((b >> iShift) & 0xFF);
        if (std::abs(ca - cb) > iTolerance) {
            return false;
        }
    }
    return true;
}

bool IsMasked(int x, int y, const std::vector<TBox>& masks) {
    for (const TBox& mask : masks) {
        if (mask.Contains(x, y)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string ToString(const TBox& box) {
    return std::to_string(box.Width) + "x" + std::to_string(box.Height) + "+" +
           std::to_string(box.X) + "+" + std::to_string(box.Y);
}

bool TShot::SavePpm(const std::string& sFile) const {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(sFile.c_str(), "wb"),
                                                         &std::fclose);
    if (!file) {
        return false;
    }
    std::fprintf(file.get(), "P6\n%d %d\n255\n", Width, Height);
    for (std::uint32_t pixel : Pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                      static_cast<unsigned char>(pixel >> 8),
                                      static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, 3, file.get());
    }
    return true;
}

long CountDifferences(const TShot& a, const TShot& b, const TBox& box,
                      const std::vector<TBox>& masks) {
    long iDiffering = 0;
    for (int y = std::max(box.Y, 0); y < std::min({box.Y + box.Height, a.Height, b.Height}); ++y) {
        for (int x = std::max(box.X, 0); x < std::min({box.X + box.Width, a.Width, b.Width}); ++x) {
            iDiffering += !IsMasked(x, y, masks) && a.At(x, y) != b.At(x, y);
        }
    }
    return iDiffering;
}

double VideoShare(const TShot& shot, const TShot& reference, const TBox& box,
                  const std::vector<TBox>& masks, std::uint32_t iKeyColour) {
    long iSamples = 0;
    long iVideo = 0;
    for (int y = std::max(box.Y, 0) + 2; y < std::min(box.Y + box.Height, shot.Height); y += 4) {
        for (int x = std::max(box.X, 0) + 2; x < std::min(box.X + box.Width, shot.Width); x += 4) {
            if (IsMasked(x, y, masks)) {
                continue;
            }
            const std::uint32_t pixel = shot.At(x, y);
            ++iSamples;
            iVideo += !IsNear(pixel, 0, 24) && !IsNear(pixel, iKeyColour, 8) &&
                      !IsNear(pixel, reference.At(x, y), 8);
        }
    }
    return iSamples ? static_cast<double>(iVideo) / static_cast<double>(iSamples) : 0.0;
}

char DominantColour(const TShot& shot, const TBox& box, const std::vector<TBox>& masks) {
    double sums[3] = {0, 0, 0};
    long iSamples = 0;
    for (int y = std::max(box.Y, 0) + 2; y < std::min(box.Y + box.Height, shot.Height); y += 4) {
        for (int x = std::max(box.X, 0) + 2; x < std::min(box.X + box.Width, shot.Width); x += 4) {
            if (IsMasked(x, y, masks)) {
                continue;
            }
            const std::uint32_t pixel = shot.At(x, y);
            sums[0] += (pixel >> 16) & 0xFF;
            sums[1] += (pixel >> 8) & 0xFF;
            sums[2] += pixel & 0xFF;
            ++iSamples;
        }
    }
    if (iSamples == 0) {
        return '?';
    }
    for (int i = 0; i < 3; ++i) {
        const double fOther = std::max(sums[(i + 1) % 3], sums[(i + 2) % 3]);
        if (sums[i] > 2.5 * fOther && sums[i] / static_cast<double>(iSamples) > 100) {
            return "rgb"[i];
        }
    }
    return '?';
}

TDesktop::TDesktop(const std::string& sDisplay) {
    const char* pEnv = std::getenv("DISPLAY");
    FsName = !sDisplay.empty() ? sDisplay : (pEnv ? pEnv : "");
    FDisplay = XOpenDisplay(FsName.c_str());
    if (FDisplay) {
        XSetErrorHandler(&IgnoreErrors);
    }
}

TDesktop::~TDesktop() {
    if (FDisplay) {
        XCloseDisplay(FDisplay);
    }
}

TBox TDesktop::Root() const {
    return {0, 0, DisplayWidth(FDisplay, DefaultScreen(FDisplay)),
            DisplayHeight(FDisplay, DefaultScreen(FDisplay))};
}

std::vector<TBox> TDesktop::Monitors() const {
    std::vector<TBox> monitors;
    int iEvent = 0;
    int iError = 0;
    if (XineramaQueryExtension(FDisplay, &iEvent, &iError) && XineramaIsActive(FDisplay)) {
        int iCount = 0;
        std::unique_ptr<XineramaScreenInfo, TXFree> heads(XineramaQueryScreens(FDisplay, &iCount));
        for (int i = 0; heads && i < iCount; ++i) {
            const XineramaScreenInfo& h = heads.get()[i];
            monitors.push_back({h.x_org, h.y_org, h.width, h.height});
        }
    }
    if (monitors.size() < 2 && XRRQueryExtension(FDisplay, &iEvent, &iError)) {
        int iCount = 0;
        XRRMonitorInfo* pList =
            XRRGetMonitors(FDisplay, DefaultRootWindow(FDisplay), True, &iCount);
        if (pList && iCount > static_cast<int>(monitors.size())) {
            monitors.clear();
            for (int i = 0; i < iCount; ++i) {
                monitors.push_back({pList[i].x, pList[i].y, pList[i].width, pList[i].height});
            }
        }
        if (pList) {
            XRRFreeMonitors(pList);
        }
    }
    if (monitors.empty()) {
        monitors.push_back(Root());
    }
    return monitors;
}

TShot TDesktop::Shot() const {
    XSync(FDisplay, False);
    const TBox root = Root();
    TShot shot{root.Width, root.Height, {}};
    std::unique_ptr<XImage, TImageFree> image(
        XGetImage(FDisplay, DefaultRootWindow(FDisplay), 0, 0, static_cast<unsigned>(root.Width),
                  static_cast<unsigned>(root.Height), AllPlanes, ZPixmap));
    if (!image) {
        return {};
    }
    const Visual* visual = DefaultVisual(FDisplay, DefaultScreen(FDisplay));
    shot.Pixels.reserve(static_cast<std::size_t>(root.Width) *
                        static_cast<std::size_t>(root.Height));
    // The common case read straight from the rows: shots are taken many times a second
    // while a test waits.
    const bool bDirect = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < root.Height; ++y) {
        const char* pRow = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
        for (int x = 0; x < root.Width; ++x) {
            std::uint32_t iRaw = 0;
            if (bDirect) {
                std::memcpy(&iRaw, pRow + static_cast<std::ptrdiff_t>(x) * 4, 4);
            }
            const unsigned long pixel = bDirect ? iRaw : XGetPixel(image.get(), x, y);
            shot.Pixels.push_back((Channel(pixel, visual->red_mask) << 16) |
                                  (Channel(pixel, visual->green_mask) << 8) |
                                  Channel(pixel, visual->blue_mask));
        }
    }
    return shot;
}

std::optional<TWindowFacts> TDesktop::Describe(unsigned long iWindow) const {
    Display* d = FDisplay;
    const auto pid = LongProperty(d, iWindow, "_NET_WM_PID", XA_CARDINAL);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(d, iWindow, &attributes)) {
        return std::nullopt;
    }
    TWindowFacts facts;
    facts.Id = iWindow;
    facts.Pid = pid && !pid->empty() ? static_cast<pid_t>((*pid)[0]) : 0;
    facts.Title = TextProperty(d, iWindow, "_NET_WM_NAME", "UTF8_STRING");
    const std::string sClass = TextProperty(d, iWindow, "WM_CLASS", "STRING");
    facts.Class = sClass.substr(sClass.find('\0') == std::string::npos ? 0 : sClass.find('\0') + 1);
    while (!facts.Class.empty() && facts.Class.back() == '\0') {
        facts.Class.pop_back();
    }
    facts.Types = AtomNames(d, iWindow, "_NET_WM_WINDOW_TYPE");
    facts.States = AtomNames(d, iWindow, "_NET_WM_STATE");
    facts.Viewable = attributes.map_state == IsViewable;
    facts.Box = BoxOf(d, iWindow).value_or(TBox{});
    facts.Frame = BoxOf(d, TopAncestor(iWindow)).value_or(facts.Box);
    return facts;
}

std::vector<TWindowFacts> TDesktop::Windows() const {
    std::vector<TWindowFacts> windows;
    XSync(FDisplay, False);
    // Root, frames, clients and the clients' children: deep enough for any window manager.
    std::vector<std::pair<Window, int>> pending = {{DefaultRootWindow(FDisplay), 0}};
    while (!pending.empty()) {
        const auto [w, iDepth] = pending.back();
        pending.pop_back();
        if (iDepth > 0) {
            const auto pid = LongProperty(FDisplay, w, "_NET_WM_PID", XA_CARDINAL);
            if (pid && !pid->empty()) {
                if (auto facts = Describe(w)) {
                    windows.push_back(*facts);
                }
            }
        }
        if (iDepth < 3) {
            for (Window child : Children(FDisplay, w)) {
                pending.emplace_back(child, iDepth + 1);
            }
        }
    }
    return windows;
}

std::vector<unsigned long> TDesktop::StackingOrder() const {
    return LongProperty(FDisplay, DefaultRootWindow(FDisplay), "_NET_CLIENT_LIST_STACKING",
                        XA_WINDOW)
        .value_or(std::vector<unsigned long>{});
}

std::vector<unsigned long> TDesktop::RootChildren() const {
    const std::vector<Window> children = Children(FDisplay, DefaultRootWindow(FDisplay));
    return std::vector<unsigned long>(children.begin(), children.end());
}

unsigned long TDesktop::TopAncestor(unsigned long iWindow) const {
    Window top = iWindow;
    for (Window parent = Parent(FDisplay, top);
         parent != None && parent != DefaultRootWindow(FDisplay); parent = Parent(FDisplay, top)) {
        top = parent;
    }
    return top;
}

bool TDesktop::HasWindowManager() const {
    const auto check =
        LongProperty(FDisplay, DefaultRootWindow(FDisplay), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return check && !check->empty() && (*check)[0] != None;
}

bool TDesktop::HasRootPixmap() const {
    const auto pixmap =
        LongProperty(FDisplay, DefaultRootWindow(FDisplay), "_XROOTPMAP_ID", XA_PIXMAP);
    return pixmap && !pixmap->empty() && (*pixmap)[0] != None;
}

} // namespace skivra::e2e
