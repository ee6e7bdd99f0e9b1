#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace skivra {

// The text layer of ID3 frames: the four text encodings, the terminated descriptors of the
// comment, lyrics and user frames, and unsynchronisation. Every function reads only the
// bytes it is given.

// The first byte of a text-bearing frame.
enum class TMyID3Encoding : std::uint8_t { Ansi = 0, Utf16 = 1, Utf16BE = 2, Utf8 = 3 };

// Decodes a text in the given encoding byte; an encoding byte above 3 gives an empty text.
//   0: the ANSI code page, up to the first zero byte;
//   1: UTF-16 after an optional mark (FF FE little-endian, FE FF big-endian, EF BB BF
//      UTF-8), little-endian without one;
//   2: UTF-16 big-endian, the same marks honoured;
//   3: UTF-8 up to the first zero byte.
// UTF-16 texts end at the first zero unit; an odd last byte is ignored.
std::u16string DecodeID3Text(std::uint8_t iEncoding, std::span<const std::uint8_t> bytes);

// The position just after the terminator of a text that starts at iStart: the first pair of
// zero bytes at an even distance from iStart for encodings 1 and 2, else the first zero byte.
// Returns npos when there is none.
std::size_t FindID3Terminator(std::uint8_t iEncoding, std::span<const std::uint8_t> bytes,
                              std::size_t iStart);

// The text after a terminated descriptor that starts at iStart (COMM and USLT: 4, after the
// encoding and the language; TXXX: 1). Empty when the descriptor has no terminator.
std::u16string DecodeID3DescribedText(std::span<const std::uint8_t> content, std::size_t iStart);

// The URL of a WXXX frame: the bytes after the description (all bytes after the encoding
// when the description has no terminator), without leading control bytes, 127 or 253 and
// above, in the ANSI code page up to the first zero byte.
std::u16string DecodeID3UserLink(std::span<const std::uint8_t> content);

// Removes every zero byte that directly follows an FF byte of the input (FF 00 00 becomes
// FF 00), in place. Returns the new length.
std::size_t RemoveUnsynchronisation(std::uint8_t* pData, std::size_t iSize);

// ANSI bytes up to the first zero byte (ID3v1 fields as well).
std::u16string DecodeAnsiField(std::span<const std::uint8_t> bytes);

} // namespace skivra
