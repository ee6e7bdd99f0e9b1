#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace skivra {

// A picture as plain pixels, 0x00RRGGBB row by row from the top-left. Backends that show
// pictures without an image library of their own (the X root window) take and give these.
struct TMyPixels {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;
};

// Reads and writes picture files for such a backend. UI thread only.
class TMyPictureCodec {
public:
    virtual ~TMyPictureCodec() = default;
    // Nothing when the file is missing or cannot be decoded.
    virtual std::optional<TMyPixels> Load(std::u16string_view sFileName) = 0;
    // A lossless file (the old file stays whole when the write fails).
    virtual bool Save(std::u16string_view sFileName, const TMyPixels& pixels) = 0;
};

} // namespace skivra
