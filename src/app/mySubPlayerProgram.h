#pragma once

#include <string>

#include "support/myProgram.h"

namespace skivra {

// The two programs, side by side in one folder: the player's, which can run as the
// sub-player too, and the sub-player's own, which loads Qt Core and Xlib only.
inline constexpr char16_t kPlayerProgramName[] = u"skivra";
inline constexpr char16_t kSubPlayerProgramName[] = u"skivra-subplayer";

// The program the player starts as its sub-player: the sub-player's own beside
// sPlayerProgram, or sPlayerProgram itself where that one is missing or not executable.
std::u16string SubPlayerProgramFile(const std::u16string& sPlayerProgram = GetProgramFileName());
// The player's program beside the sub-player's own program sSubPlayerProgram.
std::u16string PlayerProgramFile(const std::u16string& sSubPlayerProgram = GetProgramFileName());

} // namespace skivra
