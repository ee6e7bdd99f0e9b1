#include "media/myTag.h"

#include "media/myTagID3.h"
#include "media/myTagWMA.h"
#include "support/myPath.h"

#include <memory>

namespace skivra {

namespace {

std::u16string AsciiLower(std::u16string sText) {
    for (char16_t& c : sText) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return sText;
}

std::unique_ptr<TMyCustomTag> MakeReader(std::u16string_view sFile) {
    const std::u16string sExt = AsciiLower(GetExtPart(sFile));
    if (sExt == u".mp3") {
        return std::make_unique<TMyTagID3>(sFile);
    }
    if (sExt == u".wma" || sExt == u".wmv") {
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
