#pragma once

#include <string>
#include <string_view>

namespace skivra {

// Every field empty when the file carries no such entry.
struct TMyFileVersionInfo {
    std::u16string Comments;
    std::u16string CompanyName;
    std::u16string FileDescription;
    std::u16string FileVersion;
    std::u16string InternalName;
    std::u16string LegalCopyright;
    std::u16string LegalTrademarks;
    std::u16string OriginalFilename;
    std::u16string PrivateBuild;
    std::u16string ProductName;
    std::u16string ProductVersion;
    std::u16string SpecialBuild;
};

// The full path of the running program file (from /proc/self/exe; the name it was started
// under when that cannot be read).
std::u16string GetProgramFileName();
// Its folder with the trailing "/".
std::u16string GetProgramFolder();

// Only this program carries a version record (compiled in); any other file gives empty
// fields. The program is recognised by its file identity, not by its name.
TMyFileVersionInfo ReadFileVersionInfo(std::u16string_view sName);
std::u16string GetFileVersionText(std::u16string_view sName);
std::u16string GetProgramVersion();
// The record's product name; the program's base name when that is empty.
std::u16string GetProgramProductName();
std::u16string GetProgramComments();

// Where a data file of the program lives, by its extension (".ini", ".playlist",
// ".wallpaper.bmp"): beside the program, named after it, while the program's folder is
// writable and private to the user (owned by the user, writable by nobody else; a
// portable or build-tree copy keeps its data with it) and the data file there is not
// another user's symbolic link; otherwise in
// $XDG_CONFIG_HOME/skivra/ (~/.config/skivra/), which is created when missing. An
// installed program (cmake --install leaves "skivra.installed" beside it) always uses
// that folder, also where its own folder is writable (an install into ~/.local). The
// environment variable SKIVRA_DATA_DIR, when set, names the folder instead.
std::u16string GetDataFileName(std::u16string_view sExt);
// The same rule for the program file sProgram.
std::u16string GetDataFileName(std::u16string_view sExt, const std::u16string& sProgram);

} // namespace skivra
