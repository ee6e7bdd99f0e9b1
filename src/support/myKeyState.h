#pragma once

#include <initializer_list>
#include <memory>

namespace skivra {

// Whether keys and mouse buttons are held at this moment, asked by the commands that
// change their step with Shift and Ctrl and by the settings (Shift and Ctrl skip loading
// and saving). The window system answers through an installed TMyKeyStateSource (the X11
// one reads the keyboard map and the pointer's buttons); tests install their own. Without
// a source nothing is ever down. UI thread only.

// The key numbers the callers pass (the platform's virtual key codes).
enum TMyVirtualKey : int {
    VK_LBUTTON = 0x01, // the primary (logical left) mouse button
    VK_RBUTTON = 0x02, // the secondary button
    VK_MBUTTON = 0x04,
    VK_SHIFT = 0x10,   // either Shift key
    VK_CONTROL = 0x11, // either Ctrl key
    VK_MENU = 0x12,    // either Alt key
};

class TMyKeyStateSource {
public:
    virtual ~TMyKeyStateSource() = default;
    // Whether the key is down now; for the mouse buttons, the logical buttons (a user who
    // swapped the buttons holds VK_LBUTTON with the physical right button).
    virtual bool KeyDown(int iVirtualKey) = 0;
};

void SetKeyStateSource(std::shared_ptr<TMyKeyStateSource> source);
TMyKeyStateSource* GetKeyStateSource();

bool IsKeyDown(int iVirtualKey);
// True when every listed key is down; asks them in order and stops at the first that is up.
bool AreKeysDown(std::initializer_list<int> keys);

} // namespace skivra
