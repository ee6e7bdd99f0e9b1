#pragma once

#include <QString>
#include <functional>

namespace skivra {

// Message box buttons and answers, as the callers pass and test them.
enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNO = 0x04,
    // Yes and Cancel: the question boxes that offer no "No".
    MB_YESCANCEL = 0x08,
    // The second button is the default one (the first is otherwise).
    MB_DEFBUTTON2 = 0x100,
    MB_ICONWARNING = 0x30,
    MB_ICONQUESTION = 0x20,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using TMyMessageBoxHook =
    std::function<int(const QString& sText, const QString& sCaption, int iFlags)>;

// Tests replace the real box with a hook that answers at once; an empty hook restores it.
void SetMessageBoxHook(TMyMessageBoxHook hook);

// Raises the active window, then shows a modal box in front of everything and returns the
// button pressed. UI thread only.
int ShowTopMessageBox(const QString& sText, const QString& sCaption, int iFlags = MB_OK);
// An OK box captioned with the program's product name.
void ShowProgramMessage(const QString& sText);

} // namespace skivra
