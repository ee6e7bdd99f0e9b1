#include "platform/x11/myX11RootWallpaperStore.h"

#include "platform/x11/myX11Monitors.h"
#include "platform/x11/myX11Util.h"
#include "support/myUnicode.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>

namespace skivra {

namespace {

// Marks the pixmap we installed and names its file, so that a later start knows the root
// shows our picture and not the user's.
constexpr const char* kOurPixmap = "_SKIVRA_ROOTPMAP_ID";
constexpr const char* kOurFile = "_SKIVRA_ROOTPMAP_FILE";

// Converts between 0x00RRGGBB and the visual's pixel values by its channel masks.
class TChannels {
public:
    explicit TChannels(const Visual* visual)
        : FRed(visual->red_mask), FGreen(visual->green_mask), FBlue(visual->blue_mask) {}

    unsigned long ToPixel(std::uint32_t rgb) const {
        return Scale(FRed, (rgb >> 16) & 0xFF) | Scale(FGreen, (rgb >> 8) & 0xFF) |
               Scale(FBlue, rgb & 0xFF);
    }
    // The visual keeps 0x00RRGGBB as it is (the usual 24-bit TrueColor).
    bool IsIdentity() const { return FRed == 0xFF0000 && FGreen == 0xFF00 && FBlue == 0xFF; }
    std::uint32_t FromPixel(unsigned long pixel) const {
        return (Unscale(FRed, pixel) << 16) | (Unscale(FGreen, pixel) << 8) | Unscale(FBlue, pixel);
    }

private:
    static unsigned long Scale(unsigned long mask, std::uint32_t value) {
        if (mask == 0) {
            return 0;
        }
        const int iShift = std::countr_zero(mask);
        const int iBits = std::popcount(mask);
        const unsigned long v = iBits >= 8 ? static_cast<unsigned long>(value) << (iBits - 8)
                                           : static_cast<unsigned long>(value) >> (8 - iBits);
        return (v << iShift) & mask;
    }
    static std::uint32_t Unscale(unsigned long mask, unsigned long pixel) {
        if (mask == 0) {
            return 0;
        }
        const int iShift = std::countr_zero(mask);
        const int iBits = std::popcount(mask);
        const unsigned long v = (pixel & mask) >> iShift;
        if (iBits >= 8) {
            return static_cast<std::uint32_t>(v >> (iBits - 8));
        }
        // Spread a narrow channel over 0..255 so white stays white.
        return static_cast<std::uint32_t>(v * 255 / ((1ul << iBits) - 1));
    }
    unsigned long FRed;
    unsigned long FGreen;
    unsigned long FBlue;
};

struct TImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// The root position of the primary's top-left corner: the desktop tiles from there.
TMyPoint PrimaryOrigin(Display* display) {
    const std::vector<TMyMonitorInfo> monitors = ReadX11Monitors(display);
    if (monitors.empty()) {
        return {};
    }
    return {monitors.front().rcMonitor.Left, monitors.front().rcMonitor.Top};
}

std::int64_t Mod(std::int64_t a, std::int64_t b) {
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

// The root-sized pixels the desktop shows: the picture tiled from the origin, or once
// centred on the primary monitor. A root-sized picture that lands on the root as it is (our
// own bitmap on a lone monitor) is the layout itself, with no copy.
TMyPixels LayOut(TMyPixels picture, int iRootWidth, int iRootHeight, TMyPoint origin, bool bTile,
                 const TMyRect& rcPrimary) {
    const std::int64_t pw = picture.Width;
    const std::int64_t ph = picture.Height;
    std::int64_t iLeft = 0;
    std::int64_t iTop = 0;
    if (!bTile) {
        iLeft = rcPrimary.Left + (RectWidth64(rcPrimary) - pw) / 2;
        iTop = rcPrimary.Top + (RectHeight64(rcPrimary) - ph) / 2;
    }
    const bool bInPlace =
        bTile ? Mod(origin.X, pw) == 0 && Mod(origin.Y, ph) == 0 : iLeft == 0 && iTop == 0;
    if (pw == iRootWidth && ph == iRootHeight && bInPlace) {
        return picture;
    }
    TMyPixels root{iRootWidth, iRootHeight,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(iRootWidth) *
                                              static_cast<std::size_t>(iRootHeight))};
    for (std::int64_t y = 0; y < iRootHeight; ++y) {
        std::uint32_t* pRow = root.Pixels.data() + y * iRootWidth;
        for (std::int64_t x = 0; x < iRootWidth; ++x) {
            std::int64_t px = x - iLeft;
            std::int64_t py = y - iTop;
            if (bTile) {
                px = Mod(x - origin.X, pw);
                py = Mod(y - origin.Y, ph);
            } else if (px < 0 || py < 0 || px >= pw || py >= ph) {
                continue;
            }
            pRow[x] = picture.Pixels[static_cast<std::size_t>(py * pw + px)];
        }
    }
    return root;
}

// The common 32-bit image in the machine's byte order is read and written directly:
// XGetPixel and XPutPixel per pixel took most of a takeover's time on a 1080p root.
bool IsNative32(const XImage& image) {
    return image.bits_per_pixel == 32 &&
           image.byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
}

unsigned long GetPixelValue(XImage& image, int x, int y) {
    if (IsNative32(image)) {
        return reinterpret_cast<const std::uint32_t*>(image.data + static_cast<std::ptrdiff_t>(y) *
                                                                       image.bytes_per_line)[x];
    }
    return XGetPixel(&image, x, y);
}

// Fills the image from the pixels.
void PutPixels(XImage& image, const TMyPixels& pixels, const TChannels& channels) {
    const auto iWidth = static_cast<std::size_t>(pixels.Width);
    const bool bDirect = IsNative32(image);
    for (int y = 0; y < pixels.Height; ++y) {
        const std::uint32_t* pFrom = pixels.Pixels.data() + static_cast<std::size_t>(y) * iWidth;
        if (bDirect) {
            auto* pTo = reinterpret_cast<std::uint32_t*>(
                image.data + static_cast<std::ptrdiff_t>(y) * image.bytes_per_line);
            for (std::size_t x = 0; x < iWidth; ++x) {
                pTo[x] = static_cast<std::uint32_t>(channels.ToPixel(pFrom[x]));
            }
            continue;
        }
        for (std::size_t x = 0; x < iWidth; ++x) {
            XPutPixel(&image, static_cast<int>(x), y, channels.ToPixel(pFrom[x]));
        }
    }
}

// The pixmap of ours the root shows now, if it shows one.
Pixmap OurCurrentPixmap(Display* display, Window root) {
    const auto ours = x11::GetLongProperty(display, root, kOurPixmap, XA_PIXMAP);
    const auto current = x11::GetLongProperty(display, root, "ESETROOT_PMAP_ID", XA_PIXMAP);
    if (ours && current && !ours->empty() && !current->empty() && (*ours)[0] == (*current)[0]) {
        return (*ours)[0];
    }
    return None;
}

// The pixmap belongs to a retained connection of ours; killing that client frees it. Done
// only once the root and its properties name the new picture, so nobody draws a freed one.
void FreeOurPixmap(Display* display, Pixmap pixmap) {
    if (pixmap != None) {
        x11::TErrorTrap trap(display);
        XKillClient(display, pixmap);
    }
}

} // namespace

TMyX11RootWallpaperStore::TMyX11RootWallpaperStore(std::shared_ptr<TMyPictureCodec> codec,
                                                   std::u16string sCaptureFileName,
                                                   std::string sDisplayName)
    : FCodec(std::move(codec)), FsCaptureFileName(std::move(sCaptureFileName)),
      FsDisplayName(std::move(sDisplayName)) {
    // What the root shows is captured for tiling from the primary's corner.
    FValues[u"TileWallpaper"] = u"1";
    FValues[u"WallpaperStyle"] = u"1";
}

std::optional<std::u16string> TMyX11RootWallpaperStore::ReadValue(std::u16string_view sName) {
    const auto it = FValues.find(sName);
    if (it == FValues.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool TMyX11RootWallpaperStore::WriteValue(std::u16string_view sName, std::u16string_view sValue) {
    FValues[std::u16string(sName)] = std::u16string(sValue);
    return true;
}

std::u16string TMyX11RootWallpaperStore::GetDesktopWallpaper() {
    x11::TDisplayPtr display = x11::OpenDisplay(FsDisplayName);
    if (!display) {
        return {};
    }
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    const auto pixmap = x11::GetLongProperty(d, root, "_XROOTPMAP_ID", XA_PIXMAP);
    if (!pixmap || pixmap->empty() || (*pixmap)[0] == None) {
        return {};
    }
    const auto ours = x11::GetLongProperty(d, root, kOurPixmap, XA_PIXMAP);
    if (ours && !ours->empty() && (*ours)[0] == (*pixmap)[0]) {
        if (const auto sFile = x11::GetUtf8Property(d, root, kOurFile)) {
            return Utf8ToUtf16(*sFile).value_or(u"");
        }
    }
    // Capture the user's picture. X tiles a background pixmap from the root's corner.
    x11::TErrorTrap trap(d);
    Window geometryRoot = None;
    int iX = 0;
    int iY = 0;
    unsigned int pw = 0;
    unsigned int ph = 0;
    unsigned int iBorder = 0;
    unsigned int iDepth = 0;
    const Status ok =
        XGetGeometry(d, (*pixmap)[0], &geometryRoot, &iX, &iY, &pw, &ph, &iBorder, &iDepth);
    if (trap.Failed() || !ok || pw == 0 || ph == 0 ||
        iDepth != static_cast<unsigned>(DefaultDepth(d, DefaultScreen(d)))) {
        return {};
    }
    std::unique_ptr<XImage, TImageDestroyer> image(
        XGetImage(d, (*pixmap)[0], 0, 0, pw, ph, AllPlanes, ZPixmap));
    if (trap.Failed() || !image) {
        return {};
    }
    const TChannels channels(DefaultVisual(d, DefaultScreen(d)));
    const int iRootWidth = DisplayWidth(d, DefaultScreen(d));
    const int iRootHeight = DisplayHeight(d, DefaultScreen(d));
    const TMyPoint origin = PrimaryOrigin(d);
    TMyPixels capture{iRootWidth, iRootHeight,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(iRootWidth) *
                                                 static_cast<std::size_t>(iRootHeight))};
    // Capture pixel (x, y) is what the root shows at (x, y) shifted by the primary's corner,
    // so tiling the capture from that corner shows the root as it is.
    for (int y = 0; y < iRootHeight; ++y) {
        const int ry = static_cast<int>(Mod(Mod(std::int64_t{y} + origin.Y, iRootHeight), ph));
        for (int x = 0; x < iRootWidth; ++x) {
            const int rx = static_cast<int>(Mod(Mod(std::int64_t{x} + origin.X, iRootWidth), pw));
            capture.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(iRootWidth) +
                           static_cast<std::size_t>(x)] =
                channels.FromPixel(GetPixelValue(*image, rx, ry));
        }
    }
    // The server's copy is megabytes: it goes before the capture is written.
    image.reset();
    if (!FCodec->Save(FsCaptureFileName, capture)) {
        return {};
    }
    return FsCaptureFileName;
}

bool TMyX11RootWallpaperStore::SetDesktopWallpaper(std::u16string_view sFileName) {
    std::optional<TMyPixels> picture;
    if (!sFileName.empty()) {
        picture = FCodec->Load(sFileName);
        if (picture && (picture->Width <= 0 || picture->Height <= 0)) {
            picture.reset();
        }
    }
    // The pixmap must outlive this connection: the root keeps showing it.
    x11::TDisplayPtr display = x11::OpenDisplay(FsDisplayName);
    if (!display) {
        return false;
    }
    Display* d = display.get();
    const int iScreen = DefaultScreen(d);
    const Window root = RootWindow(d, iScreen);
    const TChannels channels(DefaultVisual(d, iScreen));
    const Pixmap previous = OurCurrentPixmap(d, root);
    if (!picture) {
        // No picture: the desktop colour, and no pixmap for others to follow.
        for (const char* pszName : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID", kOurPixmap, kOurFile}) {
            x11::DeleteProperty(d, root, pszName);
        }
        XSetWindowBackground(d, root, channels.ToPixel(GetDesktopColor()));
        XClearWindow(d, root);
        XSync(d, False);
        FreeOurPixmap(d, previous);
        return true;
    }
    const int iRootWidth = DisplayWidth(d, iScreen);
    const int iRootHeight = DisplayHeight(d, iScreen);
    const std::vector<TMyMonitorInfo> monitors = ReadX11Monitors(d);
    const TMyRect rcPrimary =
        monitors.empty() ? TMyRect{0, 0, iRootWidth, iRootHeight} : monitors.front().rcMonitor;
    const bool bTile = ReadWallpaperStyle(*this) == wsTiling;
    TMyPixels shown = LayOut(std::move(*picture), iRootWidth, iRootHeight,
                             {rcPrimary.Left, rcPrimary.Top}, bTile, rcPrimary);
    // A root-sized picture is megabytes: it goes before the image to send is made.
    picture.reset();

    x11::TErrorTrap trap(d);
    const int iDepth = DefaultDepth(d, iScreen);
    const Pixmap pixmap =
        XCreatePixmap(d, root, static_cast<unsigned>(iRootWidth),
                      static_cast<unsigned>(iRootHeight), static_cast<unsigned>(iDepth));
    std::unique_ptr<XImage, TImageDestroyer> image(XCreateImage(
        d, DefaultVisual(d, iScreen), static_cast<unsigned>(iDepth), ZPixmap, 0, nullptr,
        static_cast<unsigned>(iRootWidth), static_cast<unsigned>(iRootHeight), 32, 0));
    if (!image) {
        return false;
    }
    // Where the visual's pixels are the picture's own, the image is sent from the pixels as
    // they are; otherwise it gets data of its own, which XDestroyImage frees with free().
    const bool bBorrowed =
        IsNative32(*image) && channels.IsIdentity() && image->bytes_per_line == iRootWidth * 4;
    if (bBorrowed) {
        image->data = reinterpret_cast<char*>(shown.Pixels.data());
    } else {
        image->data =
            static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) *
                                           static_cast<std::size_t>(iRootHeight)));
        if (!image->data) {
            return false;
        }
        PutPixels(*image, shown, channels);
    }
    const GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image.get(), 0, 0, 0, 0, static_cast<unsigned>(iRootWidth),
              static_cast<unsigned>(iRootHeight));
    XFreeGC(d, gc);
    if (bBorrowed) {
        image->data = nullptr;
    }
    if (trap.Failed()) {
        XFreePixmap(d, pixmap);
        return false;
    }
    const std::vector<unsigned long> id = {pixmap};
    x11::SetLongProperty(d, root, "_XROOTPMAP_ID", XA_PIXMAP, id);
    x11::SetLongProperty(d, root, "ESETROOT_PMAP_ID", XA_PIXMAP, id);
    x11::SetLongProperty(d, root, kOurPixmap, XA_PIXMAP, id);
    x11::SetUtf8Property(d, root, kOurFile, Utf16ToUtf8(sFileName));
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    XSetCloseDownMode(d, RetainPermanent);
    const bool bShown = !trap.Failed();
    FreeOurPixmap(d, previous);
    return bShown;
}

} // namespace skivra
