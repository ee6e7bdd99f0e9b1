// Any bytes can be a WMA or WMV file: the ASF Header Object and its description objects.
#include "FuzzTagFile.h"
#include "media/myTagWMA.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    const std::u16string sPath = WriteFuzzFile(pData, iSize, ".wma");
    const skivra::TMyTagWMA tag(sPath);
    if (tag.FileSize() != static_cast<std::int64_t>(iSize)) {
        __builtin_trap();
    }
    (void)tag.GetTagValue();
    return 0;
}
