#pragma once

#include <cstdint>

namespace skivra {

// Text file encodings. Stored as one byte (the ordinals 0 to 11), so the order is fixed.
// cdAuto detects when reading and chooses by content when writing; cdSJis is the ANSI code
// page (Shift-JIS in its Windows form); cdUnicodeLE/BE are UTF-16 with a byte-order mark,
// cdUTF_16LE/BE without; cdUTF_8 has the mark, cdUTF_8N not; cdJIS is ISO-2022-JP; cdEUC is
// EUC-JP; cdBINDUMP reads a file as a hexadecimal dump (and writes the ANSI code page).
enum TMyCharCode : uint8_t {
    cdAuto,
    cdSJis,
    cdUnicodeLE,
    cdUTF_16LE,
    cdUnicodeBE,
    cdUTF_16BE,
    cdUTF_8,
    cdUTF_8N,
    cdUTF_7,
    cdJIS,
    cdEUC,
    cdBINDUMP,
};

// The line end used when a list is turned into text.
enum TMyNewLine : uint8_t {
    nlCRLF,
    nlCR,
    nlLF,
};

} // namespace skivra
