#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// Replaces a file in one step: the data goes to a temporary file in the same folder, is
// flushed to the disk and renamed over the target, so a crash or a full disk leaves either
// the old file or the new one, never a truncated one. False (and the old file untouched)
// on any failure. Any thread.
bool WriteFileAtomically(std::u16string_view sName, std::string_view sData);

// The whole file when it is a regular file of at most iLimit bytes; nothing otherwise.
std::optional<std::string> ReadSmallFile(std::u16string_view sName, std::size_t iLimit);

} // namespace skivra
