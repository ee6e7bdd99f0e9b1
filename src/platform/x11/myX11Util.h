#pragma once

// Small RAII helpers over Xlib, for the files of this folder only: the Xlib headers must
// not reach the rest of the program.

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skivra::x11 {

struct TDisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using TDisplayPtr = std::unique_ptr<Display, TDisplayCloser>;

// A connection of its own; null when there is no X server (no DISPLAY, server gone).
TDisplayPtr OpenDisplay(const std::string& sName);

// While it lives, X errors are recorded instead of ending the process; Failed() tells
// whether any request since the trap was set failed. Traps nest; UI thread only.
class TErrorTrap {
public:
    explicit TErrorTrap(Display* display);
    ~TErrorTrap();
    TErrorTrap(const TErrorTrap&) = delete;
    TErrorTrap& operator=(const TErrorTrap&) = delete;
    bool Failed();

private:
    Display* FDisplay;
    int FiErrorsBefore = 0;
    int (*FPrevious)(Display*, XErrorEvent*);
};

// A property of 32-bit items (Xlib hands them back as longs); nothing when it is missing,
// of another type or format, or the window is gone.
std::optional<std::vector<unsigned long>> GetLongProperty(Display* display, Window window,
                                                          const char* pszName, Atom type);
// A UTF8_STRING property as bytes.
std::optional<std::string> GetUtf8Property(Display* display, Window window, const char* pszName);
void SetLongProperty(Display* display, Window window, const char* pszName, Atom type,
                     const std::vector<unsigned long>& values);
void SetUtf8Property(Display* display, Window window, const char* pszName,
                     const std::string& sValue);
void DeleteProperty(Display* display, Window window, const char* pszName);

} // namespace skivra::x11
