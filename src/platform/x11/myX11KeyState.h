#pragma once

#include "support/myKeyState.h"

namespace skivra {

// Key state from the X server: the keyboard map (XQueryKeymap) for Shift, Ctrl and Alt, the
// pointer's button mask (XQueryPointer) for the buttons. The button mask already follows
// the user's pointer mapping, so a swapped mouse reports its logical buttons. pDisplay is
// an Xlib Display* that outlives the source; a query that fails reads as "not down".
class TMyX11KeyStateSource : public TMyKeyStateSource {
public:
    explicit TMyX11KeyStateSource(void* pDisplay) : FpDisplay(pDisplay) {}
    bool KeyDown(int iVirtualKey) override;

private:
    void* FpDisplay;
};

} // namespace skivra
