// Any text can arrive as a command line or as a message from the other process.
#include "app/myParam.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    std::u16string sText(iSize / 2, u'\0');
    for (std::size_t i = 0; i + 1 < iSize; i += 2) {
        sText[i / 2] = static_cast<char16_t>(pData[i] | (pData[i + 1] << 8));
    }
    const skivra::TMyParam param(sText);
    for (int i = -1; i <= param.Count(); ++i) {
        if (const auto* option = param.OptionParam(i)) {
            (void)option->ValueInt();
            (void)option->ValueFloat();
            (void)option->QuoatedValueText();
        }
        (void)param.OptStr(i);
        (void)param.UnOptStr(i);
    }
    (void)param.ShiftCmdLine();
    (void)param.PathName();
    (void)param.ValueString(u"TO_SUBPLAYER");
    const skivra::TMyParam shifted(param.ShiftCmdLine());
    (void)shifted.Count();
    return 0;
}
