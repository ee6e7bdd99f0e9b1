#pragma once

#include "media/myCustomTag.h"

#include <span>

namespace skivra {

// Reads the text metadata of an ASF file (".wma", ".wmv"): the Content Description and the
// Extended Content Description objects inside the Header Object. Nothing else of the file is
// interpreted and nothing is written. Sizes in the file are checked against the bytes read;
// a header of 4 GiB or more, or one the file does not hold, is not read.
class TMyTagWMA : public TMyCustomTag {
public:
    TMyTagWMA() = default;
    explicit TMyTagWMA(std::u16string_view sFile) { TMyTagWMA::SetFileName(sFile); }
    ~TMyTagWMA() override { CloseRead(); }
    TMyTagWMA(const TMyTagWMA&) = delete;
    TMyTagWMA& operator=(const TMyTagWMA&) = delete;

    void SetFileName(std::u16string_view sFile) override;

private:
    void ReadContentDescription(std::span<const std::uint8_t> object);
    void ReadExtendedContentDescription(std::span<const std::uint8_t> object);
    std::u16string* FieldOf(std::u16string_view sName);
};

} // namespace skivra
