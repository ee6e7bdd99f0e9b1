#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

class TMyWStrings;

// The playlist formats the lists expand (M3U, M3U8, PLS, WPL): recognising them and
// reading their entry texts, in the playlist's own order, not yet resolved against the
// playlist's folder. Reading is bounded: a file is read up to kMaxPlaylistBytes, and a
// line cut there is dropped.

constexpr std::int64_t kMaxPlaylistBytes = 64 * 1024 * 1024;

// By the extension alone: ".m3u", ".m3u8", ".pls", ".wpl" in any ASCII case.
bool IsPlaylistFile(std::u16string_view sPath);

enum class TMyPlaylistFormat : std::uint8_t { None, M3u, Pls, Wpl };
TMyPlaylistFormat PlaylistFormatOf(std::u16string_view sPath);

// An entry that names a resource by address ("scheme://...", http, https, rtsp, mms, ftp and
// the others) rather than a file: it is kept as written, never resolved against the
// playlist's folder nor checked for existence, and the engine decides whether it plays.
// "file://" is not one: it names a local file.
bool IsUrlEntry(std::u16string_view sEntry);

// M3U: the lines, trimmed, that are entries. Every line beginning with "#" is a comment or a
// directive (#EXTM3U, #EXTINF:, #EXTVLCOPT:, #EXT-X-..., #PLAYLIST:) and empty lines are
// nothing.
std::vector<std::u16string> M3uEntryTexts(const TMyWStrings& slLines);

// WPL: the src of every <media> inside a <seq>, every sequence in the order of the file,
// with the XML's character references and entities decoded. The file is parsed as XML,
// whatever its line layout; a damaged file gives what was read before the damage.
std::vector<std::u16string> WplEntryTexts(std::u16string_view sText);

// PLS: the values of the FileN keys of section [playlist] that are there, in the order of
// their numbers, trimmed, empty ones left out. NumberOfEntries is not trusted: writers omit
// it or leave it smaller than their last key. Numbers above kMaxPlsNumber are not read.
constexpr int32_t kMaxPlsNumber = 1'000'000;
std::vector<std::u16string> ReadPlsEntryTexts(const std::u16string& sFile);

// The playlist's lines as text. M3U (".m3u" and ".m3u8" alike): a byte-order mark decides,
// else text that is valid UTF-8 throughout is UTF-8, else the encoding is detected; text
// that is not clean in the ANSI code page is then read as Windows-1252, the code page of
// the Western players that wrote it. ".wpl" as UTF-8 unless a UTF-16 byte-order mark says
// otherwise. ReadPlaylistLines adds the lines to slLines.
std::u16string ReadPlaylistText(std::u16string_view sFile, TMyPlaylistFormat format);
void ReadPlaylistLines(std::u16string_view sFile, TMyPlaylistFormat format, TMyWStrings& slLines);

} // namespace skivra
