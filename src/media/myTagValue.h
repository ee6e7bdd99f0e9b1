#pragma once

#include <cstdint>
#include <string>

namespace skivra {

// The media information of one file as a flat value, carried between lists and records.
// It has no version text: that belongs to the tag that was read, not to the file.
struct TMyTagValue {
    std::u16string FileName;
    std::int64_t FileSize = 0;
    std::int64_t FileWriteTimeInt = 0;
    std::int64_t FileCreateTimeInt = 0;
    std::int32_t MediaLength = 0;
    double MediaDuration = 0.0;
    std::int32_t VideoWidth = 0;
    std::int32_t VideoHeight = 0;
    double VideoFrameRate = 0.0;
    std::u16string Album;
    std::u16string AlbumArtist;
    std::u16string Artist;
    std::u16string Composer;
    std::u16string Conductor;
    std::u16string Director;
    std::u16string Genre;
    std::u16string OriginalAlbum;
    std::u16string OriginalArtist;
    std::u16string OriginalWriter;
    std::u16string Publisher;
    std::u16string Producer;
    std::u16string RecordingDate;
    std::u16string ReleaseYear;
    std::u16string Series;
    std::u16string SetOf;
    std::u16string SubTitle;
    std::u16string Title;
    std::u16string Track;
    std::u16string Translator;
    std::u16string Writer;
    std::u16string Year;
    std::u16string UserText;
    std::u16string UserLink;
    std::u16string Lylic;
    std::u16string Comment;

    bool operator==(const TMyTagValue&) const = default;
};

} // namespace skivra
