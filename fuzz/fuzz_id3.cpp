// Any bytes can be an MP3 file's tag: the ID3v2 reader with all its sizes, and ID3v1.
#include "FuzzTagFile.h"
#include "media/myTag.h"
#include "media/myTagID3.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    const std::u16string sPath = WriteFuzzFile(pData, iSize, ".mp3");
    const skivra::TMyTagID3 tag(sPath);
    // What was read is a whole record: copying it and taking its value must hold up too.
    skivra::TMyTag copy;
    copy.Assign(tag);
    (void)copy.GetTagValue();
    if (tag.Ver() != 0 && tag.Version().empty()) {
        __builtin_trap(); // a tag that was found always names its version
    }
    return 0;
}
