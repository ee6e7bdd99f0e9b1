#pragma once

#include "media/myCustomTag.h"
#include "media/myID3Frame.h"

namespace skivra {

// Reads the ID3 tag of an MP3 file: an ID3v2.2, 2.3 or 2.4 tag at the start, or, only when
// there is none, an ID3v1 or ID3v1.1 tag in the last 128 bytes. Nothing is written. Every
// size in the tag is checked against the bytes really read; what a damaged tag still holds
// before the damage is kept, and nothing is reported.
class TMyTagID3 : public TMyCustomTag {
public:
    TMyTagID3() = default;
    explicit TMyTagID3(std::u16string_view sFile) { TMyTagID3::SetFileName(sFile); }

    void SetFileName(std::u16string_view sFile) override;
    void Clear() override;

    // 2, major, revision for an ID3v2 tag; 1, 0 or 1, 0 for ID3v1 and ID3v1.1; 0 without.
    std::uint8_t Ver() const { return F_iVer; }
    std::uint8_t Major() const { return F_iMajor; }
    std::uint8_t Rev() const { return F_iRev; }

private:
    void ReadFrames();
    void ReadFrame(std::span<const std::uint8_t> content);
    void ReadID3v1();
    void UseRecordingYear();

    std::uint8_t F_iVer = 0;
    std::uint8_t F_iMajor = 0;
    std::uint8_t F_iRev = 0;
    TMyID3Header F_rHeader;
    TMyID3Frame F_rFrame;
    std::uint32_t F_iOffset = 0;
    // The year of the last time stamp frame, used when no year frame gave one.
    std::u16string F_sRecordingYear;
};

} // namespace skivra
