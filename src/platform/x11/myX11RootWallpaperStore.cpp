#include "platform/x11/myX11RootWallpaperStore.h"

#include "platform/x11/myX11Monitors.h"
#include "platform/x11/myX11Util.h"
#include "support/myFile.h"
#include "support/myUnicode.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace skivra {

namespace {

// Marks the pixmap we made, the file it shows and a checksum of its pixels. A pixmap id
// alone proves nothing: once our pixmap is freed, another client's can get the same id.
constexpr const char* kOurPixmap = "_SKIVRA_ROOTPMAP_ID";
constexpr const char* kOurFile = "_SKIVRA_ROOTPMAP_FILE";
constexpr const char* kOurSum = "_SKIVRA_ROOTPMAP_SUM";

// The extra layout of this store: how the root looks where no picture covers it.
constexpr std::u16string_view kDefaultBackground = u"default";

// Converts between 0x00RRGGBB and a visual's pixel values by its channel masks.
class TChannels {
public:
    TChannels(unsigned long red, unsigned long green, unsigned long blue)
        : FRed(red), FGreen(green), FBlue(blue) {}
    explicit TChannels(const Visual* visual)
        : TChannels(visual->red_mask, visual->green_mask, visual->blue_mask) {}

    unsigned long ToPixel(std::uint32_t rgb) const {
        return Scale(FRed, (rgb >> 16) & 0xFF) | Scale(FGreen, (rgb >> 8) & 0xFF) |
               Scale(FBlue, rgb & 0xFF);
    }
    // The visual keeps 0x00RRGGBB as it is (the usual 24-bit TrueColor).
    bool IsIdentity() const { return FRed == 0xFF0000 && FGreen == 0xFF00 && FBlue == 0xFF; }
    std::uint32_t FromPixel(unsigned long pixel) const {
        return (Unscale(FRed, pixel) << 16) | (Unscale(FGreen, pixel) << 8) | Unscale(FBlue, pixel);
    }
    // The colour bits of a pixel: what a 32-bit pixel keeps beside them (alpha, padding) is
    // not part of the picture.
    unsigned long ColourBits(unsigned long pixel) const { return pixel & (FRed | FGreen | FBlue); }

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

// The channels of pixmaps of a depth: the default visual's at the screen's depth, else a
// TrueColor visual's of that depth (a desktop may announce a 32-bit picture on a 24-bit
// screen), else the usual 8 bits a channel.
TChannels ChannelsOfDepth(Display* display, int iScreen, unsigned int iDepth) {
    if (iDepth == static_cast<unsigned>(DefaultDepth(display, iScreen))) {
        return TChannels(DefaultVisual(display, iScreen));
    }
    XVisualInfo info;
    if (XMatchVisualInfo(display, iScreen, static_cast<int>(iDepth), TrueColor, &info)) {
        return TChannels(info.red_mask, info.green_mask, info.blue_mask);
    }
    return TChannels(0xFF0000, 0xFF00, 0xFF);
}

struct TImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using TImagePtr = std::unique_ptr<XImage, TImageDestroyer>;

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

struct TPixmapFacts {
    Pixmap Id = None;
    unsigned int Width = 0;
    unsigned int Height = 0;
    unsigned int Depth = 0;
};

// The pixmap's size and depth; nothing when it does not exist (any more).
std::optional<TPixmapFacts> PixmapFacts(Display* display, Pixmap pixmap) {
    if (pixmap == None) {
        return std::nullopt;
    }
    x11::TErrorTrap trap(display);
    Window geometryRoot = None;
    int iX = 0;
    int iY = 0;
    TPixmapFacts facts{pixmap};
    unsigned int iBorder = 0;
    const Status ok = XGetGeometry(display, pixmap, &geometryRoot, &iX, &iY, &facts.Width,
                                   &facts.Height, &iBorder, &facts.Depth);
    if (trap.Failed() || !ok || facts.Width == 0 || facts.Height == 0) {
        return std::nullopt;
    }
    return facts;
}

std::optional<TPixmapFacts> PixmapOfProperty(Display* display, Window root, const char* pszName) {
    const auto ids = x11::GetLongProperty(display, root, pszName, XA_PIXMAP);
    if (!ids || ids->empty()) {
        return std::nullopt;
    }
    return PixmapFacts(display, (*ids)[0]);
}

// The checksum that marks a pixmap of ours: the colour bits of a fixed spread of its pixels,
// the same positions for every pixmap of a size. Sixty-four single pixels are read in a few
// milliseconds where the whole pixmap of a large screen takes tens, and another picture
// agreeing with ours in all of them is no other picture in practice.
constexpr int kSumPoints = 64;

template <typename TPixelAt>
std::uint64_t SumOfPoints(unsigned int iWidth, unsigned int iHeight, TPixelAt pixelAt) {
    std::uint64_t iSum = 0xcbf29ce484222325ull ^ (std::uint64_t{iWidth} << 32 | iHeight);
    std::uint64_t iState = 0x9e3779b97f4a7c15ull;
    for (int i = 0; i < kSumPoints; ++i) {
        iState = iState * 6364136223846793005ull + 1442695040888963407ull;
        const auto x = static_cast<int>((iState >> 33) % iWidth);
        const auto y = static_cast<int>((iState >> 13) % iHeight);
        const std::optional<unsigned long> pixel = pixelAt(x, y);
        if (!pixel) {
            return 0;
        }
        iSum = (iSum ^ *pixel) * 0x100000001b3ull;
    }
    return iSum;
}

std::uint64_t SumOfPixmap(Display* display, const TPixmapFacts& pixmap, const TChannels& channels) {
    x11::TErrorTrap trap(display);
    return SumOfPoints(pixmap.Width, pixmap.Height, [&](int x, int y) {
        const TImagePtr image(XGetImage(display, pixmap.Id, x, y, 1, 1, AllPlanes, ZPixmap));
        return image && !trap.Failed()
                   ? std::optional<unsigned long>(channels.ColourBits(XGetPixel(image.get(), 0, 0)))
                   : std::nullopt;
    });
}

std::uint64_t SumOfPixels(const TMyPixels& pixels, const TChannels& channels) {
    return SumOfPoints(
        static_cast<unsigned>(pixels.Width), static_cast<unsigned>(pixels.Height),
        [&](int x, int y) {
            return std::optional<unsigned long>(channels.ToPixel(
                pixels.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.Width) +
                              static_cast<std::size_t>(x)]));
        });
}

std::string SumText(std::uint64_t iSum) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016" PRIx64, iSum);
    return buffer;
}

// What the root paints where no window covers it, in the top-left corner: read through a
// small window of ours whose background is the root's own (ParentRelative), since X hands
// out no window's background. It stands for a moment above everything in the corner.
constexpr int kProbeSize = 4;
using TBackgroundProbe = std::array<unsigned long, kProbeSize * kProbeSize>;

std::optional<TBackgroundProbe> ProbeRootBackground(Display* display, int iScreen) {
    x11::TErrorTrap trap(display);
    const Window root = RootWindow(display, iScreen);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = ParentRelative;
    attributes.override_redirect = True;
    const Window probe =
        XCreateWindow(display, root, 0, 0, kProbeSize, kProbeSize, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixmap | CWOverrideRedirect, &attributes);
    if (trap.Failed() || probe == None) {
        return std::nullopt;
    }
    XMapRaised(display, probe);
    XClearWindow(display, probe);
    const TImagePtr image(
        XGetImage(display, probe, 0, 0, kProbeSize, kProbeSize, AllPlanes, ZPixmap));
    XDestroyWindow(display, probe);
    XSync(display, False);
    if (!image || trap.Failed()) {
        return std::nullopt;
    }
    const TChannels channels(DefaultVisual(display, iScreen));
    TBackgroundProbe pixels{};
    for (int y = 0; y < kProbeSize; ++y) {
        for (int x = 0; x < kProbeSize; ++x) {
            pixels[static_cast<std::size_t>(y * kProbeSize + x)] =
                channels.ColourBits(GetPixelValue(*image, x, y));
        }
    }
    return pixels;
}

// Whether the root paints the pixmap as its background: a pixmap of another depth cannot
// be, and one named by the properties may be stale (xsetroot -solid leaves them).
bool ShowsPixmap(Display* display, int iScreen, const TPixmapFacts& pixmap,
                 const std::optional<TBackgroundProbe>& probe) {
    if (pixmap.Depth != static_cast<unsigned>(DefaultDepth(display, iScreen))) {
        return false;
    }
    if (!probe) {
        return true; // cannot tell: take the properties' word
    }
    const TChannels channels(DefaultVisual(display, iScreen));
    x11::TErrorTrap trap(display);
    const auto iWidth = std::min<unsigned>(pixmap.Width, kProbeSize);
    const auto iHeight = std::min<unsigned>(pixmap.Height, kProbeSize);
    const TImagePtr image(XGetImage(display, pixmap.Id, 0, 0, iWidth, iHeight, AllPlanes, ZPixmap));
    if (!image || trap.Failed()) {
        return false;
    }
    // The background tiles from the root's corner.
    for (int y = 0; y < kProbeSize; ++y) {
        for (int x = 0; x < kProbeSize; ++x) {
            const unsigned long pixel = channels.ColourBits(
                GetPixelValue(*image, x % static_cast<int>(iWidth), y % static_cast<int>(iHeight)));
            if (pixel != (*probe)[static_cast<std::size_t>(y * kProbeSize + x)]) {
                return false;
            }
        }
    }
    return true;
}

// The pixmap of ours the root shows, with the file it shows, when the marks, the checksum
// and the root's own background all agree.
struct TOurPixmap {
    TPixmapFacts Pixmap;
    std::string FileName;
};

std::optional<TOurPixmap> OurShownPixmap(Display* display, int iScreen) {
    const Window root = RootWindow(display, iScreen);
    const auto ours = x11::GetLongProperty(display, root, kOurPixmap, XA_PIXMAP);
    const auto shown = x11::GetLongProperty(display, root, "_XROOTPMAP_ID", XA_PIXMAP);
    const auto sFile = x11::GetUtf8Property(display, root, kOurFile);
    const auto sSum = x11::GetUtf8Property(display, root, kOurSum);
    if (!ours || !shown || ours->empty() || shown->empty() || (*ours)[0] != (*shown)[0] || !sFile ||
        !sSum) {
        return std::nullopt;
    }
    const std::optional<TPixmapFacts> pixmap = PixmapFacts(display, (*ours)[0]);
    if (!pixmap || pixmap->Depth != static_cast<unsigned>(DefaultDepth(display, iScreen)) ||
        SumText(SumOfPixmap(display, *pixmap, TChannels(DefaultVisual(display, iScreen)))) !=
            *sSum ||
        !ShowsPixmap(display, iScreen, *pixmap, ProbeRootBackground(display, iScreen))) {
        return std::nullopt;
    }
    return TOurPixmap{*pixmap, *sFile};
}

// Our previous pixmap belongs to a retained connection of ours; killing that client frees
// it. Done only once the root and its properties name the new picture, so nobody draws a
// freed one, and only for a pixmap the checksum proves ours: a reused id is somebody else's.
void FreeOurPixmap(Display* display, const std::optional<TPixmapFacts>& previous,
                   const std::string& sPreviousSum) {
    if (!previous || sPreviousSum.empty() ||
        SumText(SumOfPixmap(display, *previous,
                            TChannels(DefaultVisual(display, DefaultScreen(display))))) !=
            sPreviousSum) {
        return;
    }
    x11::TErrorTrap trap(display);
    XKillClient(display, previous->Id);
    XSync(display, False);
}

std::u16string FormatBackground(const TBackgroundProbe& probe, const TChannels& channels) {
    for (const unsigned long pixel : probe) {
        if (pixel != probe[0]) {
            // A pattern, not a colour: the server's own default background.
            return std::u16string(kDefaultBackground);
        }
    }
    const std::uint32_t rgb = channels.FromPixel(probe[0]);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(rgb));
    return Utf8ToUtf16(buffer).value_or(u"");
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

std::optional<std::u16string> TMyX11RootWallpaperStore::GetDesktopWallpaper() {
    x11::TDisplayPtr display = x11::OpenDisplay(FsDisplayName);
    if (!display) {
        return std::nullopt;
    }
    Display* d = display.get();
    const int iScreen = DefaultScreen(d);
    const Window root = RootWindow(d, iScreen);
    if (const std::optional<TOurPixmap> ours = OurShownPixmap(d, iScreen)) {
        return Utf8ToUtf16(ours->FileName).value_or(u"");
    }
    std::optional<TPixmapFacts> pixmap = PixmapOfProperty(d, root, "_XROOTPMAP_ID");
    if (!pixmap) {
        pixmap = PixmapOfProperty(d, root, "ESETROOT_PMAP_ID");
    }
    // A picture of the screen's depth counts when the root really paints it; one of another
    // depth (a desktop that draws its own background announces a 32-bit one) is the picture
    // that desktop shows.
    if (!pixmap || (pixmap->Depth == static_cast<unsigned>(DefaultDepth(d, iScreen)) &&
                    !ShowsPixmap(d, iScreen, *pixmap, ProbeRootBackground(d, iScreen)))) {
        return u"";
    }
    // Capture the user's picture. X tiles a background pixmap from the root's corner.
    x11::TErrorTrap trap(d);
    TImagePtr image(
        XGetImage(d, pixmap->Id, 0, 0, pixmap->Width, pixmap->Height, AllPlanes, ZPixmap));
    if (trap.Failed() || !image) {
        return std::nullopt;
    }
    const TChannels channels = ChannelsOfDepth(d, iScreen, pixmap->Depth);
    const int iRootWidth = DisplayWidth(d, iScreen);
    const int iRootHeight = DisplayHeight(d, iScreen);
    const TMyPoint origin = PrimaryOrigin(d);
    TMyPixels capture{iRootWidth, iRootHeight,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(iRootWidth) *
                                                 static_cast<std::size_t>(iRootHeight))};
    // Capture pixel (x, y) is what the root shows at (x, y) shifted by the primary's corner,
    // so tiling the capture from that corner shows the root as it is.
    for (int y = 0; y < iRootHeight; ++y) {
        const int ry = static_cast<int>(
            Mod(Mod(std::int64_t{y} + origin.Y, iRootHeight), std::int64_t{pixmap->Height}));
        for (int x = 0; x < iRootWidth; ++x) {
            const int rx = static_cast<int>(
                Mod(Mod(std::int64_t{x} + origin.X, iRootWidth), std::int64_t{pixmap->Width}));
            capture.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(iRootWidth) +
                           static_cast<std::size_t>(x)] =
                channels.FromPixel(GetPixelValue(*image, rx, ry));
        }
    }
    // The server's copy is megabytes: it goes before the capture is written.
    image.reset();
    // A capture that cannot be kept (a full disk) leaves the user's picture unknown.
    if (!FCodec->Save(FsCaptureFileName, capture)) {
        return std::nullopt;
    }
    return FsCaptureFileName;
}

TMyInstalledWallpaper
TMyX11RootWallpaperStore::FindInstalledWallpaper(std::u16string_view sFileName) {
    x11::TDisplayPtr display = x11::OpenDisplay(FsDisplayName);
    if (!display) {
        return TMyInstalledWallpaper::Unknown;
    }
    const std::optional<TOurPixmap> ours =
        OurShownPixmap(display.get(), DefaultScreen(display.get()));
    return ours && ours->FileName == Utf16ToUtf8(sFileName) ? TMyInstalledWallpaper::Shown
                                                            : TMyInstalledWallpaper::Replaced;
}

std::optional<TMyUserWallpaper> TMyX11RootWallpaperStore::KeptUserWallpaper() {
    if (!FileExistsEx(FsCaptureFileName)) {
        return std::nullopt;
    }
    // The capture is laid out for tiling from the primary's corner.
    return TMyUserWallpaper{FsCaptureFileName, wsTiling, {}};
}

std::uint32_t TMyX11RootWallpaperStore::GetDesktopColor() {
    return ColorFromHexText(Utf16ToUtf8(FsBackground)).value_or(0);
}

std::u16string TMyX11RootWallpaperStore::SaveExtraLayout() {
    x11::TDisplayPtr display = x11::OpenDisplay(FsDisplayName);
    if (!display) {
        return {};
    }
    const int iScreen = DefaultScreen(display.get());
    const std::optional<TBackgroundProbe> probe = ProbeRootBackground(display.get(), iScreen);
    FsBackground =
        probe ? FormatBackground(*probe, TChannels(DefaultVisual(display.get(), iScreen))) : u"";
    return FsBackground;
}

bool TMyX11RootWallpaperStore::RestoreUserWallpaper(const TMyUserWallpaper& user) {
    // The background goes back with the picture, not after it: no flash of black between.
    FsBackground = user.ExtraLayout;
    return TMyDesktopWallpaperStore::RestoreUserWallpaper(user);
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
    const std::optional<TPixmapFacts> previous = PixmapOfProperty(d, root, kOurPixmap);
    const std::string sPreviousSum = x11::GetUtf8Property(d, root, kOurSum).value_or("");
    if (!picture) {
        // No picture: the user's background, and no pixmap for others to follow.
        for (const char* pszName :
             {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID", kOurPixmap, kOurFile, kOurSum}) {
            x11::DeleteProperty(d, root, pszName);
        }
        if (FsBackground == kDefaultBackground) {
            // For the root, no background is the server's own.
            XSetWindowBackgroundPixmap(d, root, None);
        } else {
            // 0x00BBGGRR to the visual's 0x00RRGGBB.
            const std::uint32_t cl = GetDesktopColor();
            XSetWindowBackground(
                d, root,
                channels.ToPixel(((cl & 0xFF) << 16) | (cl & 0xFF00) | ((cl >> 16) & 0xFF)));
        }
        XClearWindow(d, root);
        XSync(d, False);
        FreeOurPixmap(d, previous, sPreviousSum);
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
    const std::string sSum = SumText(SumOfPixels(shown, channels));

    x11::TErrorTrap trap(d);
    const int iDepth = DefaultDepth(d, iScreen);
    const Pixmap pixmap =
        XCreatePixmap(d, root, static_cast<unsigned>(iRootWidth),
                      static_cast<unsigned>(iRootHeight), static_cast<unsigned>(iDepth));
    TImagePtr image(XCreateImage(d, DefaultVisual(d, iScreen), static_cast<unsigned>(iDepth),
                                 ZPixmap, 0, nullptr, static_cast<unsigned>(iRootWidth),
                                 static_cast<unsigned>(iRootHeight), 32, 0));
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
    x11::SetUtf8Property(d, root, kOurSum, sSum);
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    XSetCloseDownMode(d, RetainPermanent);
    XSync(d, False);
    const bool bShown = !trap.Failed();
    FreeOurPixmap(d, previous, sPreviousSum);
    return bShown;
}

} // namespace skivra
