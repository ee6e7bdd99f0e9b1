#include "media/myTag.h"

#include "lists/myString.h"
#include "media/myTagID3.h"
#include "media/myTagWMA.h"
#include "support/myPath.h"

#include <memory>

namespace skivra {

namespace {

std::unique_ptr<TMyCustomTag> MakeReader(std::u16string_view sFile) {
    const std::u16string sExt = UpperCaseAscii(GetExtPart(sFile));
    if (sExt == u".MP3") {
        return std::make_unique<TMyTagID3>(sFile);
    }
    if (sExt == u".WMA" || sExt == u".WMV") {
        return std::make_unique<TMyTagWMA>(sFile);
    }
    return nullptr;
}

} // namespace

void TMyTag::SetFileName(std::u16string_view sFile) {
    TMyCustomTag::SetFileName(sFile);
    std::unique_ptr<TMyCustomTag> reader = MakeReader(sFile);
    if (!reader) {
        Clear();
        reader = std::make_unique<TMyCustomTag>(sFile);
    }
    CloseRead();
    // The reader's own user text and link stay with it: the record keeps what it had.
    const std::u16string sUserText = F_sUserText;
    const std::u16string sUserLink = F_sUserLink;
    F_iPaddingSize = reader->PaddingSize();
    CopyTexts(*reader);
    F_sTitle = reader->GetTitle();
    F_sUserText = sUserText;
    F_sUserLink = sUserLink;
}

void TMyTag2::SetFileName(std::u16string_view sFile) {
    TMyTag::SetFileName(sFile);
    GetVideoSize();
}

} // namespace skivra
