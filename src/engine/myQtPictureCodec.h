#pragma once

#include "engine/myPictureCodec.h"

namespace skivra {

// Pictures through QImage: any format Qt reads, written as 24-bit BMP.
class TMyQtPictureCodec : public TMyPictureCodec {
public:
    std::optional<TMyPixels> Load(std::u16string_view sFileName) override;
    bool Save(std::u16string_view sFileName, const TMyPixels& pixels) override;
};

} // namespace skivra
