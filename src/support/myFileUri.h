#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// The file: addresses that desktops and players here write for local files (UTF-8 paths).
// FilePathToUri escapes every byte but letters, digits and "/-_.~". FileUriToPath takes
// "file:///path" or "file://localhost/path" (the scheme in either case) and undoes the
// escapes; nothing for another scheme or host, a broken escape, or an escaped NUL.
std::string FilePathToUri(std::string_view sPath);
std::optional<std::string> FileUriToPath(std::string_view sUri);

} // namespace skivra
