#pragma once

#include "lists/myStrings.h"
#include "media/myTagValue.h"
#include "support/myFile.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

// The media information record of one file: its name and parts, size, times, existence,
// duration and video properties, and the texts of its tags. It is also the base of the tag
// readers, which fill the texts through the reading helpers below. A record is read
// completely when it is made and only read afterwards; no file stays open once the
// constructor returns. Records are not shared between threads: each thread reads its own.
class TMyCustomTag : public TMyObject {
public:
    TMyCustomTag() = default;
    // Reads the file facts of sFile (no tags).
    explicit TMyCustomTag(std::u16string_view sFile);
    // The record of a value. MediaLength comes from MediaDuration rounded half away from
    // zero; the value's own MediaLength is not used.
    explicit TMyCustomTag(const TMyTagValue& ATagValue);
    ~TMyCustomTag() override = default;
    TMyCustomTag(const TMyCustomTag&) = delete;
    TMyCustomTag& operator=(const TMyCustomTag&) = delete;

    // Reads everything the class reads from the file.
    virtual void SetFileName(std::u16string_view sFile);
    // Empties the version and the tag texts and zeroes bit rate, video size and frame rate.
    virtual void Clear();
    // Copies the file's name, facts, duration, video values, bit rate, the version and tag
    // texts and both existence flags. MediaLength is recomputed from the duration (half
    // away from zero). Padding size and Tag are not copied.
    virtual void Assign(const TMyCustomTag& ATag);
    virtual void Assign(const TMyTagValue& ATagValue);
    // The reverse of the value constructor; Title comes through GetTitle.
    virtual TMyTagValue GetTagValue() const;

    // The stored title, or the file's base name when there is none.
    std::u16string GetTitle() const;
    // Runs the media probe on the file and stores its duration (MediaLength rounded up to
    // whole seconds), video size and frame rate. May run on any thread.
    void GetVideoSize();

    // "1023B", "2KB", "1.0MB", "1.00GB"; the decimal separator is the locale's.
    std::u16string FileSizeString() const;
    // Local time at two-second resolution in the locale's short date and long time forms;
    // empty for times before 1980 or past 2107.
    std::u16string FileWriteTimeString() const;
    std::u16string FileCreateTimeString() const;

    const std::u16string& FileName() const { return F_sFileName; }
    const std::u16string& MediaPath() const { return F_sMediaPath; }
    const std::u16string& MediaDir() const { return F_sMediaDir; }
    const std::u16string& MediaName() const { return F_sMediaName; }
    const std::u16string& MediaMain() const { return F_sMediaMain; }
    const std::u16string& MediaExt() const { return F_sMediaExt; }
    std::int64_t PaddingSize() const { return F_iPaddingSize; }
    std::int64_t Tag() const { return F_iTag; }
    void SetTag(std::int64_t iTag) { F_iTag = iTag; }
    std::int64_t FileSize() const { return F_iFileSize; }
    // File times are 100 ns ticks since 1601-01-01 UTC.
    std::int64_t FileWriteTimeInt() const { return F_iFileWriteTimeInt; }
    std::int64_t FileCreateTimeInt() const { return F_iFileCreateTimeInt; }
    bool FileExists() const { return F_bFileExists; }
    bool FolderExists() const { return F_bFolderExists; }
    std::int32_t MediaLength() const { return F_iMediaLength; }
    double MediaDuration() const { return F_fMediaDuration; }
    std::int32_t VideoWidth() const { return F_iVideoWidth; }
    std::int32_t VideoHeight() const { return F_iVideoHeight; }
    double VideoFrameRate() const { return F_fVideoFrameRate; }
    std::int32_t BitRate() const { return F_iBitRate; }

    const std::u16string& Version() const { return F_sVersion; }
    const std::u16string& Album() const { return F_sAlbum; }
    const std::u16string& AlbumArtist() const { return F_sAlbumArtist; }
    const std::u16string& Artist() const { return F_sArtist; }
    const std::u16string& Composer() const { return F_sComposer; }
    const std::u16string& Conductor() const { return F_sConductor; }
    const std::u16string& Director() const { return F_sDirector; }
    const std::u16string& Genre() const { return F_sGenre; }
    const std::u16string& OriginalAlbum() const { return F_sOriginalAlbum; }
    const std::u16string& OriginalArtist() const { return F_sOriginalArtist; }
    const std::u16string& OriginalWriter() const { return F_sOriginalWriter; }
    const std::u16string& Publisher() const { return F_sPublisher; }
    const std::u16string& Producer() const { return F_sProducer; }
    const std::u16string& RecordingDate() const { return F_sRecordingDate; }
    const std::u16string& ReleaseYear() const { return F_sReleaseYear; }
    const std::u16string& Series() const { return F_sSeries; }
    const std::u16string& SetOf() const { return F_sSetOf; }
    const std::u16string& SubTitle() const { return F_sSubTitle; }
    const std::u16string& RawTitle() const { return F_sTitle; }
    const std::u16string& Track() const { return F_sTrack; }
    const std::u16string& Translator() const { return F_sTranslator; }
    const std::u16string& Writer() const { return F_sWriter; }
    const std::u16string& Year() const { return F_sYear; }
    const std::u16string& UserText() const { return F_sUserText; }
    const std::u16string& Lylic() const { return F_sLylic; }
    const std::u16string& Comment() const { return F_sComment; }
    const std::u16string& UserLink() const { return F_sUserLink; }

protected:
    // The reading helpers of the tag readers. Every read replaces F_pData with a block of
    // the bytes read followed by two zero bytes, so a text read from it is always ended,
    // and never asks for more than the file holds: a size claimed by a tag cannot make it
    // allocate beyond the file. Each returns the count read, 0 without a read handle.
    std::size_t ReadNextBytes(std::size_t n);
    std::size_t ReadBytesAt(std::uint64_t iOffset, std::size_t n);
    std::size_t ReadTailBytes(std::size_t n);
    void SeekReadPosition(std::uint64_t iOffset);
    void CloseRead();
    const std::uint8_t* Data() const { return F_pData.data(); }
    std::uint8_t* Data() { return F_pData.data(); }

    // Everything a value holds, MediaLength from its duration; the existence flags stay.
    void AssignValue(const TMyTagValue& ATagValue);
    // The name and its parts, nothing else.
    void SetNameParts(std::u16string_view sFile);
    // Every tag text of the record (all but the version) beside its place in the value.
    struct TTextField {
        std::u16string TMyTagValue::*pValue;
        std::u16string TMyCustomTag::*pField;
    };
    static std::span<const TTextField> TextFields();
    // Copies the version and the tag texts; the title through the reader's GetTitle.
    void CopyTexts(const TMyCustomTag& ATag);

    std::int64_t F_iPaddingSize = 0;
    TMyFileHandle F_hHandle;
    std::vector<std::uint8_t> F_pData;
    std::uint64_t F_iReadPosition = 0;
    std::int64_t F_iTag = 0;
    std::u16string F_sFileName;
    std::u16string F_sMediaPath;
    std::u16string F_sMediaDir;
    std::u16string F_sMediaName;
    std::u16string F_sMediaMain;
    std::u16string F_sMediaExt;
    std::int64_t F_iFileSize = 0;
    std::int64_t F_iFileWriteTimeInt = 0;
    std::int64_t F_iFileCreateTimeInt = 0;
    std::int32_t F_iVideoWidth = 0;
    std::int32_t F_iVideoHeight = 0;
    double F_fVideoFrameRate = 0.0;
    std::int32_t F_iMediaLength = 0;
    double F_fMediaDuration = 0.0;
    std::int32_t F_iBitRate = 0;
    std::u16string F_sVersion;
    std::u16string F_sAlbum;
    std::u16string F_sAlbumArtist;
    std::u16string F_sArtist;
    std::u16string F_sComposer;
    std::u16string F_sConductor;
    std::u16string F_sDirector;
    std::u16string F_sGenre;
    std::u16string F_sOriginalAlbum;
    std::u16string F_sOriginalArtist;
    std::u16string F_sOriginalWriter;
    std::u16string F_sPublisher;
    std::u16string F_sProducer;
    std::u16string F_sRecordingDate;
    std::u16string F_sReleaseYear;
    std::u16string F_sSeries;
    std::u16string F_sSetOf;
    std::u16string F_sSubTitle;
    std::u16string F_sTitle;
    std::u16string F_sTrack;
    std::u16string F_sTranslator;
    std::u16string F_sWriter;
    std::u16string F_sYear;
    std::u16string F_sUserText;
    std::u16string F_sLylic;
    std::u16string F_sComment;
    std::u16string F_sUserLink;
    bool F_bFileExists = false;
    bool F_bFolderExists = false;
};

} // namespace skivra
