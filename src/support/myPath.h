#pragma once

#include <string>
#include <string_view>

namespace skivra {

// Path texts are split and joined by fixed text rules, never by asking the file system,
// because playlists, file lists and the media records are built on the exact results.
// Two dialects share every function:
//   TMyPosixPath, the native one: only "/" separates, ":" and "\" are ordinary characters
//     (a colon in a song title is common), there is no drive, a leading "/" is the root.
//   TMyWindowsPath: "\" and "/" separate and ":" ends a drive, for texts written on Windows
//     (playlists, settings moved from there).
// The native dialect is the default; the other is named at the call:
//   GetFileNamePart(sPath)  or  GetFileNamePart<TMyWindowsPath>(sPath).
// All positions are UTF-16 units; an empty text is a valid argument everywhere.

struct TMyPosixPath {
    static constexpr bool IsFolderSeparator(char16_t c) { return c == u'/'; }
    static constexpr bool IsDriveEnd(char16_t) { return false; }
    // The characters that end a name when ChangeExtPart looks for the extension's dot.
    static constexpr bool EndsNameForExtension(char16_t c) { return c == u'/'; }
    static constexpr char16_t cSeparator = u'/';
};

struct TMyWindowsPath {
    static constexpr bool IsFolderSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
    static constexpr bool IsDriveEnd(char16_t c) { return c == u':'; }
    // On Windows a "/" does not end the name here: only "\" and ":" do.
    static constexpr bool EndsNameForExtension(char16_t c) { return c == u'\\' || c == u':'; }
    static constexpr char16_t cSeparator = u'\\';
};

// The drive ("C:") or the UNC share ("\\server\share") a path begins with; always empty in
// the native dialect.
template <class D = TMyPosixPath> std::u16string GetDrivePart(std::u16string_view sPath);
// The folder without its trailing separator. A path directly under a drive root gives the
// bare drive; in the native dialect a path directly under "/" gives "/".
template <class D = TMyPosixPath> std::u16string GetFolderPart(std::u16string_view sPath);
// The folder with its trailing separator.
template <class D = TMyPosixPath> std::u16string GetFolderPathPart(std::u16string_view sPath);
template <class D = TMyPosixPath> std::u16string GetFileNamePart(std::u16string_view sPath);
template <class D = TMyPosixPath> std::u16string GetBaseNamePart(std::u16string_view sPath);
template <class D = TMyPosixPath> std::u16string GetExtPart(std::u16string_view sPath);
template <class D = TMyPosixPath>
std::u16string ChangeExtPart(std::u16string_view sPath, std::u16string_view sExt);

struct TMyFolderAndName {
    std::u16string sFolder;
    std::u16string sName;
};
struct TMyFilePathParts {
    std::u16string sFolder; // with its trailing separator
    std::u16string sName;
    std::u16string sExt; // dot included
    std::u16string sBase;
};
struct TMyBaseAndExt {
    std::u16string sBase;
    std::u16string sExt;
};

template <class D = TMyPosixPath> TMyFolderAndName SplitFolderAndName(std::u16string_view sPath);
template <class D = TMyPosixPath> TMyFolderAndName SplitPathAndName(std::u16string_view sPath);
template <class D = TMyPosixPath> TMyFilePathParts SplitFilePath(std::u16string_view sPath);
template <class D = TMyPosixPath> TMyBaseAndExt SplitBaseAndExt(std::u16string_view sName);

// The absolute form with "." and ".." segments resolved as text (symbolic links are not
// followed). In the native dialect a relative path is taken against the current folder; the
// Windows dialect has no current folder and resolves the text as it stands.
template <class D = TMyPosixPath> std::u16string ExpandFullPath(std::u16string_view sPath);

// A playlist entry made absolute against the playlist's folder. Addresses beginning with
// "http://" stay as they are. In the native dialect a "file:" address of this machine is
// read as the path it names, "\" in an entry is read as "/" (entries written on Windows),
// and an entry with a drive letter stays unchanged (it names no file here, so the caller
// drops it as missing). The entry must not be empty.
template <class D = TMyPosixPath>
std::u16string ResolveRelativePath(std::u16string_view sEntry, std::u16string_view sBaseFolder);

// Suffix and prefix texts, case-sensitive, the same in both dialects.
std::u16string IncludeSuffix(std::u16string_view sText, std::u16string_view sSuffix);
std::u16string RemoveSuffix(std::u16string_view sText, std::u16string_view sSuffix);
std::u16string RemovePrefix(std::u16string_view sText, std::u16string_view sPrefix);

// Replaces every non-overlapping occurrence, left to right. Without bCaseSensitive both texts
// compare after Unicode upper-casing. An empty text or an empty sOld returns the text.
std::u16string ReplaceTextAll(std::u16string_view sText, std::u16string_view sOld,
                              std::u16string_view sNew, bool bCaseSensitive = true);

} // namespace skivra
