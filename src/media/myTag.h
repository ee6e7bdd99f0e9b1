#pragma once

#include "media/myCustomTag.h"

namespace skivra {

// The record of a file with its tags: the reader is chosen by the extension (".mp3" ID3,
// ".wma" and ".wmv" ASF, any case) and its results are copied; other files get their file
// facts only and the base name as title.
class TMyTag : public TMyCustomTag {
public:
    TMyTag() = default;
    explicit TMyTag(std::u16string_view sFile) { TMyTag::SetFileName(sFile); }
    explicit TMyTag(const TMyTagValue& ATagValue) : TMyCustomTag(ATagValue) {}

    void SetFileName(std::u16string_view sFile) override;
};

// The record of a file with its tags and the probe's duration, video size and frame rate.
// MediaLength is the duration rounded up to whole seconds.
class TMyTag2 : public TMyTag {
public:
    TMyTag2() = default;
    explicit TMyTag2(std::u16string_view sFile) { TMyTag2::SetFileName(sFile); }
    explicit TMyTag2(const TMyTagValue& ATagValue) : TMyTag(ATagValue) {}

    void SetFileName(std::u16string_view sFile) override;
};

} // namespace skivra
