#pragma once

#include <cstdint>
#include <string>

namespace skivra {

// The texts the player and the sub-player send each other, parsed on arrival with TMyParam.
// Window ids travel as decimal numbers.

inline constexpr char16_t kSubPlayerOption[] = u"SUBPLAYER";
inline constexpr char16_t kFromOption[] = u"FROM";
inline constexpr char16_t kToSubPlayerOption[] = u"TO_SUBPLAYER";
inline constexpr char16_t kCloseOption[] = u"CLOSE";

// The sub-player's command line: "/SUBPLAYER /FROM:<player's panel>".
std::u16string SubPlayerParameters(std::uint64_t iPlayerPanel);
// The sub-player's announcement: "/TO_SUBPLAYER:<sub-player's panel>".
std::u16string ToSubPlayerMessage(std::uint64_t iSubPlayerPanel);

} // namespace skivra
