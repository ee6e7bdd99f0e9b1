#pragma once

#include "lists/myCharCode.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace skivra {

// Text files in the encodings of TMyCharCode. UI thread only (reading pumps the event
// queue between its retries).

// The whole file (or its first iByte bytes) as text. cdCode cdAuto detects the encoding by
// its byte-order mark, then by DetectTextCharCode; the encoding used is stored back. A fixed
// encoding reads a byte-order mark as the character U+FEFF. UTF-8 and the code pages are
// read up to the first zero byte, UTF-16 up to the first zero unit; with cdAuto the zero
// bytes of a text read as UTF-8 or a code page are left out instead, so one stray zero
// loses nothing after it. Reading never fails: a
// file that is missing, empty, a folder, 4 GiB or larger, or unreadable after four tries
// (with a beep) gives the empty text, and then cdCode is left as it was.
std::u16string ReadTextFile(std::u16string_view sFile, TMyCharCode& cdCode,
                            std::optional<int64_t> iByte = std::nullopt);

// As ReadTextFile, but a file that is there and could not be read (it failed to open or
// read after the retries, or it is 4 GiB or larger, or there was no memory for it) gives
// nothing, so that a caller about to write the file back can tell it from an empty one.
std::optional<std::u16string> ReadTextFileChecked(std::u16string_view sFile, TMyCharCode& cdCode,
                                                  std::optional<int64_t> iByte = std::nullopt);

// The decoding step of ReadTextFile on bytes already read.
std::u16string DecodeTextBytes(std::span<const uint8_t> aBytes, TMyCharCode& cdCode);

// Writes the text in the encoding: cdAuto is UTF-8 with a mark when some character has no
// exact form in the ANSI code page, else the ANSI code page; cdBINDUMP writes the ANSI code
// page. A U+FEFF at the start of the text is never written twice. The file is written to a
// temporary file in the same folder and renamed over the old one, so a failed or short
// write leaves the old file as it was and returns false.
bool WriteTextFile(std::u16string_view sFile, std::u16string_view sText, TMyCharCode cdCode);

// The bytes WriteTextFile writes. Throws std::runtime_error when a converter fails.
std::string EncodeText(std::u16string_view sText, TMyCharCode cdCode);

// A TMyCharCode other than cdAuto and cdBINDUMP for the bytes: the byte-order marks, then
// ICU's charset detector, then the Shift-JIS/UTF-16 heuristic.
TMyCharCode DetectCharCode(std::span<const uint8_t> aBytes);
// The detector's steps, for callers and tests that need them one by one: the code page the
// charset detector names (1252 when it names none), its TMyCharCode, and the heuristic that
// decides between Shift-JIS and UTF-16 without a mark.
int32_t DetectCodePage(std::span<const uint8_t> aBytes);
TMyCharCode CharCodeOfCodePage(int32_t iCodePage);
TMyCharCode GuessSJisOrUtf16(std::span<const uint8_t> aBytes);
// The encoding of a whole text without a byte-order mark: UTF-8 without mark when the text
// is valid UTF-8 throughout and holds some character beyond ASCII, else DetectCharCode of
// its first kilobyte (a kilobyte that only looks like UTF-8 gives the ANSI code page).
TMyCharCode DetectTextCharCode(std::span<const uint8_t> aBytes);
// true when the bytes are valid UTF-8 (no overlong forms, surrogates or values beyond
// U+10FFFF) and hold at least one character beyond ASCII.
bool IsUtf8Text(std::span<const uint8_t> aBytes);

// 16 bytes a line: a 50-character column of "%.2x " digits (with "- " after the eighth),
// a TAB, the bytes as ANSI characters in a 16-character column ("." for what cannot be
// shown), a CR. The result is ANSI code page bytes.
std::string HexDump(std::span<const uint8_t> aBytes);

std::u16string_view LineEndText(TMyNewLine nlNewLine);

} // namespace skivra
