#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Xlib's types, without its macros leaking into every test.
typedef struct _XDisplay Display;

namespace skivra::e2e {

struct TBox {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    bool Contains(int x, int y) const {
        return x >= X && y >= Y && x < X + Width && y < Y + Height;
    }
    bool operator==(const TBox&) const = default;
};

std::string ToString(const TBox& box);

// What the screen shows: 0x00RRGGBB per pixel, row by row.
struct TShot {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    std::uint32_t At(int x, int y) const {
        return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                      static_cast<std::size_t>(x)];
    }
    // Writes a binary PPM, to look at after a failure.
    bool SavePpm(const std::string& sFile) const;
};

// Pixels inside the box (clipped to both shots) that differ between the shots, skipping
// those inside any of the masks.
long CountDifferences(const TShot& a, const TShot& b, const TBox& box,
                      const std::vector<TBox>& masks = {});
// Share (0..1) of the box's pixels outside the masks, sampled every 4th pixel each way,
// that are neither black nor near the key colour nor what the reference shot shows there:
// video.
double VideoShare(const TShot& shot, const TShot& reference, const TBox& box,
                  const std::vector<TBox>& masks, std::uint32_t iKeyColour);
// The primary colour that dominates the box outside the masks ('r', 'g' or 'b': the
// channel whose mean leads the other two by a wide margin), or '?'.
char DominantColour(const TShot& shot, const TBox& box, const std::vector<TBox>& masks);

// A window as the window manager and the program describe it.
struct TWindowFacts {
    unsigned long Id = 0;
    pid_t Pid = 0;
    std::string Title;
    std::string Class;
    std::vector<std::string> Types;  // _NET_WM_WINDOW_TYPE names
    std::vector<std::string> States; // _NET_WM_STATE names
    bool Viewable = false;
    TBox Box;   // the window's own area in root coordinates
    TBox Frame; // with the window manager's frame around it
};

// The test's own connection to the X server of $DISPLAY (or the name given), looking at
// the screen the way a person would. Independent of the program's X code.
class TDesktop {
public:
    explicit TDesktop(const std::string& sDisplay = {});
    ~TDesktop();
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    bool IsOpen() const { return FDisplay != nullptr; }
    const std::string& Name() const { return FsName; }
    TBox Root() const;
    // The monitors as Xinerama heads when it is active, else RandR monitors, else the root.
    std::vector<TBox> Monitors() const;
    TShot Shot() const;

    // Every window below the root (frames, clients and their children) that carries a
    // process id, described; the program's windows are among them.
    std::vector<TWindowFacts> Windows() const;
    std::optional<TWindowFacts> Describe(unsigned long iWindow) const;
    // The window ids in the window manager's stacking order, bottom first.
    std::vector<unsigned long> StackingOrder() const;
    // The root's children bottom first, as the server stacks them.
    std::vector<unsigned long> RootChildren() const;
    // The window's ancestor just below the root (its frame, under a window manager).
    unsigned long TopAncestor(unsigned long iWindow) const;
    // Whether the root shows a pixmap set by a wallpaper setter.
    bool HasRootPixmap() const;
    // Whether an EWMH window manager runs.
    bool HasWindowManager() const;

private:
    Display* FDisplay = nullptr;
    std::string FsName;
};

} // namespace skivra::e2e
