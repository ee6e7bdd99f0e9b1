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

// M3U: the lines the caller's filter kept (a line is taken for a file name, so with an
// allowed list comments never get this far), trimmed. Empty lines, "#EXTINF:" lines and a
// first line "#EXTM3U" are not entries; any other line is, "#" lines included.
std::vector<std::u16string> M3uEntryTexts(const TMyWStrings& slKeptLines);

// WPL: the media sources of the file's last <seq> ... </seq>, each element on its own line:
// the text between the first two double quotes of a "<media" line.
std::vector<std::u16string> WplEntryTexts(const TMyWStrings& slLines);
// The two character references playlist writers put in file names: "&apos;", then "&amp;".
std::u16string DecodeWplPath(std::u16string_view sPath);

// PLS: the values of File1 to FileN of section [playlist], N from NumberOfEntries, trimmed,
// empty ones left out. Only keys that exist are looked at, so a huge NumberOfEntries costs
// nothing.
std::vector<std::u16string> ReadPlsEntryTexts(const std::u16string& sFile);

// The playlist's lines as text: ".m3u8" by its byte-order mark or detection, ".m3u" as
// UTF-8 without mark handling, ".wpl" as UTF-8 unless a UTF-16 byte-order mark says
// otherwise. The lines are added to slLines (through its Add, so its filter applies).
void ReadPlaylistLines(std::u16string_view sFile, TMyPlaylistFormat format, TMyWStrings& slLines);

} // namespace skivra
