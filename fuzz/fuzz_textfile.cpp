// Any bytes can be a text file: a playlist, the settings, a file dropped by the user.
#include "lists/myTextFile.h"
#include "lists/myWStrings.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    if (iSize == 0) {
        return 0;
    }
    // The first byte picks the encoding to read with, 0 to 11 and one value beyond.
    auto cdCode = static_cast<skivra::TMyCharCode>(pData[0] % 13);
    const std::span<const std::uint8_t> aBytes(pData + 1, iSize - 1);
    const std::u16string sText = skivra::DecodeTextBytes(aBytes, cdCode);
    if (cdCode == skivra::cdAuto || cdCode > skivra::cdBINDUMP) {
        __builtin_trap(); // reading always settles on a real encoding
    }
    (void)skivra::DetectCharCode(aBytes);

    skivra::TMyWStrings sl;
    sl.SetText(sText);
    (void)sl.DelimitedText();
    // What was read can be written again in the encoding it came in.
    try {
        (void)skivra::EncodeText(sl.Text(), cdCode);
    } catch (const std::length_error&) {
    }
    return 0;
}
