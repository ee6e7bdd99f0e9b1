#include "media/myCustomTag.h"

#include "media/myMediaProbe.h"
#include "media/myTagFormat.h"
#include "support/myPath.h"
#include "support/myUnicode.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skivra {

namespace {

bool StatName(std::u16string_view sName, struct stat& st) {
    return !sName.empty() && stat(Utf16ToUtf8(sName).c_str(), &st) == 0;
}

// The creation time is the birth time where the file system records one, else the last
// write, as everywhere else in the program.
std::int64_t CreateTimeOf(int fd, const struct stat& st) {
    struct statx stx {};
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME)) {
        return static_cast<std::int64_t>(
            UnixTimeToFileTime(stx.stx_btime.tv_sec, stx.stx_btime.tv_nsec));
    }
    return static_cast<std::int64_t>(
        UnixTimeToFileTime(st.st_mtim.tv_sec, static_cast<std::uint32_t>(st.st_mtim.tv_nsec)));
}

} // namespace

TMyCustomTag::TMyCustomTag(std::u16string_view sFile) {
    TMyCustomTag::SetFileName(sFile);
    // A bare record reads no tag, so nothing needs the handle any more.
    CloseRead();
}

TMyCustomTag::TMyCustomTag(const TMyTagValue& ATagValue) {
    AssignValue(ATagValue);
    F_bFileExists = FileExistsEx(F_sFileName);
    F_bFolderExists = FolderExistsEx(F_sMediaPath);
}

void TMyCustomTag::AssignValue(const TMyTagValue& ATagValue) {
    SetNameParts(ATagValue.FileName);
    F_iFileSize = ATagValue.FileSize;
    F_iFileWriteTimeInt = ATagValue.FileWriteTimeInt;
    F_iFileCreateTimeInt = ATagValue.FileCreateTimeInt;
    F_fMediaDuration = ATagValue.MediaDuration;
    F_iMediaLength = MediaLengthRounded(ATagValue.MediaDuration);
    F_iVideoWidth = ATagValue.VideoWidth;
    F_iVideoHeight = ATagValue.VideoHeight;
    F_fVideoFrameRate = ATagValue.VideoFrameRate;
    for (const TTextField& field : TextFields()) {
        this->*field.pField = ATagValue.*field.pValue;
    }
}

std::span<const TMyCustomTag::TTextField> TMyCustomTag::TextFields() {
    static constexpr TTextField kFields[] = {
        {&TMyTagValue::Album, &TMyCustomTag::F_sAlbum},
        {&TMyTagValue::AlbumArtist, &TMyCustomTag::F_sAlbumArtist},
        {&TMyTagValue::Artist, &TMyCustomTag::F_sArtist},
        {&TMyTagValue::Composer, &TMyCustomTag::F_sComposer},
        {&TMyTagValue::Conductor, &TMyCustomTag::F_sConductor},
        {&TMyTagValue::Director, &TMyCustomTag::F_sDirector},
        {&TMyTagValue::Genre, &TMyCustomTag::F_sGenre},
        {&TMyTagValue::OriginalAlbum, &TMyCustomTag::F_sOriginalAlbum},
        {&TMyTagValue::OriginalArtist, &TMyCustomTag::F_sOriginalArtist},
        {&TMyTagValue::OriginalWriter, &TMyCustomTag::F_sOriginalWriter},
        {&TMyTagValue::Publisher, &TMyCustomTag::F_sPublisher},
        {&TMyTagValue::Producer, &TMyCustomTag::F_sProducer},
        {&TMyTagValue::RecordingDate, &TMyCustomTag::F_sRecordingDate},
        {&TMyTagValue::ReleaseYear, &TMyCustomTag::F_sReleaseYear},
        {&TMyTagValue::Series, &TMyCustomTag::F_sSeries},
        {&TMyTagValue::SetOf, &TMyCustomTag::F_sSetOf},
        {&TMyTagValue::SubTitle, &TMyCustomTag::F_sSubTitle},
        {&TMyTagValue::Title, &TMyCustomTag::F_sTitle},
        {&TMyTagValue::Track, &TMyCustomTag::F_sTrack},
        {&TMyTagValue::Translator, &TMyCustomTag::F_sTranslator},
        {&TMyTagValue::Writer, &TMyCustomTag::F_sWriter},
        {&TMyTagValue::Year, &TMyCustomTag::F_sYear},
        {&TMyTagValue::UserText, &TMyCustomTag::F_sUserText},
        {&TMyTagValue::UserLink, &TMyCustomTag::F_sUserLink},
        {&TMyTagValue::Lylic, &TMyCustomTag::F_sLylic},
        {&TMyTagValue::Comment, &TMyCustomTag::F_sComment},
    };
    return kFields;
}

void TMyCustomTag::SetNameParts(std::u16string_view sFile) {
    F_sFileName = sFile;
    TMyFilePathParts parts = SplitFilePath(sFile);
    F_sMediaPath = std::move(parts.sFolder);
    F_sMediaDir = GetFolderPart(sFile);
    F_sMediaName = std::move(parts.sName);
    F_sMediaMain = std::move(parts.sBase);
    F_sMediaExt = std::move(parts.sExt);
}

void TMyCustomTag::SetFileName(std::u16string_view sFile) {
    SetNameParts(sFile);
    F_iFileSize = 0;
    F_iFileWriteTimeInt = 0;
    F_iFileCreateTimeInt = 0;
    CloseRead();
    F_hHandle = OpenReadFile(F_sFileName);
    struct stat st {};
    if (F_hHandle.IsValid() && fstat(F_hHandle.Fd(), &st) == 0) {
        F_iFileSize = std::max<std::int64_t>(st.st_size, 0);
        F_iFileWriteTimeInt = static_cast<std::int64_t>(
            UnixTimeToFileTime(st.st_mtim.tv_sec, static_cast<std::uint32_t>(st.st_mtim.tv_nsec)));
        F_iFileCreateTimeInt = CreateTimeOf(F_hHandle.Fd(), st);
    }
    // The flags look at the names themselves: a "*" in a real file name is no pattern here.
    struct stat stName {};
    F_bFolderExists = StatName(F_sMediaPath, stName) && S_ISDIR(stName.st_mode);
    F_bFileExists = StatName(F_sFileName, stName) && !S_ISDIR(stName.st_mode);
    // The read handle stays open for the reader of a derived class, which closes it.
}

void TMyCustomTag::Clear() {
    F_sVersion.clear();
    F_iBitRate = 0;
    F_iVideoWidth = 0;
    F_iVideoHeight = 0;
    F_fVideoFrameRate = 0.0;
    for (const TTextField& field : TextFields()) {
        (this->*field.pField).clear();
    }
}

void TMyCustomTag::CopyTexts(const TMyCustomTag& ATag) {
    F_sVersion = ATag.F_sVersion;
    for (const TTextField& field : TextFields()) {
        this->*field.pField = ATag.*field.pField;
    }
}

void TMyCustomTag::Assign(const TMyCustomTag& ATag) {
    if (&ATag == this) {
        return;
    }
    AssignValue(ATag.GetTagValue());
    // The value carries the title with its fallback; the record keeps the stored one.
    F_sTitle = ATag.F_sTitle;
    F_sVersion = ATag.F_sVersion;
    F_iBitRate = ATag.F_iBitRate;
    F_bFileExists = ATag.F_bFileExists;
    F_bFolderExists = ATag.F_bFolderExists;
}

void TMyCustomTag::Assign(const TMyTagValue& ATagValue) {
    const TMyCustomTag temporary(ATagValue);
    Assign(temporary);
}

TMyTagValue TMyCustomTag::GetTagValue() const {
    TMyTagValue value;
    value.FileName = F_sFileName;
    value.FileSize = F_iFileSize;
    value.FileWriteTimeInt = F_iFileWriteTimeInt;
    value.FileCreateTimeInt = F_iFileCreateTimeInt;
    value.MediaLength = F_iMediaLength;
    value.MediaDuration = F_fMediaDuration;
    value.VideoWidth = F_iVideoWidth;
    value.VideoHeight = F_iVideoHeight;
    value.VideoFrameRate = F_fVideoFrameRate;
    for (const TTextField& field : TextFields()) {
        value.*field.pValue = this->*field.pField;
    }
    value.Title = GetTitle();
    return value;
}

std::u16string TMyCustomTag::GetTitle() const {
    return F_sTitle.empty() ? GetBaseNamePart(F_sFileName) : F_sTitle;
}

void TMyCustomTag::GetVideoSize() {
    const TMyMediaFacts facts = ProbeMediaFile(F_sFileName);
    F_fMediaDuration = facts.fDuration;
    F_iMediaLength = MediaLengthRoundedUp(facts.fDuration);
    F_iVideoWidth = facts.iWidth;
    F_iVideoHeight = facts.iHeight;
    F_fVideoFrameRate = facts.fFrameRate;
}

std::u16string TMyCustomTag::FileSizeString() const {
    return FormatFileSize(F_iFileSize);
}

std::u16string TMyCustomTag::FileWriteTimeString() const {
    return FormatFileTime(F_iFileWriteTimeInt);
}

std::u16string TMyCustomTag::FileCreateTimeString() const {
    return FormatFileTime(F_iFileCreateTimeInt);
}

std::size_t TMyCustomTag::ReadBytesAt(std::uint64_t iOffset, std::size_t n) {
    F_pData.assign(2, 0);
    const std::uint64_t iSize = static_cast<std::uint64_t>(F_iFileSize);
    if (!F_hHandle.IsValid() || iOffset >= iSize) {
        return 0;
    }
    const std::size_t iWanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(n, iSize - iOffset));
    F_pData.assign(iWanted + 2, 0);
    std::size_t iDone = 0;
    while (iDone < iWanted) {
        const ssize_t iRead = pread(F_hHandle.Fd(), F_pData.data() + iDone, iWanted - iDone,
                                    static_cast<off_t>(iOffset + iDone));
        if (iRead < 0 && errno == EINTR) {
            continue;
        }
        if (iRead <= 0) {
            break;
        }
        iDone += static_cast<std::size_t>(iRead);
    }
    F_pData.resize(iDone + 2);
    F_iReadPosition = iOffset + iDone;
    return iDone;
}

std::size_t TMyCustomTag::ReadNextBytes(std::size_t n) {
    return ReadBytesAt(F_iReadPosition, n);
}

std::size_t TMyCustomTag::ReadTailBytes(std::size_t n) {
    const std::uint64_t iSize = static_cast<std::uint64_t>(F_iFileSize);
    return n >= iSize ? ReadBytesAt(0, n) : ReadBytesAt(iSize - n, n);
}

void TMyCustomTag::SeekReadPosition(std::uint64_t iOffset) {
    F_iReadPosition = iOffset;
}

void TMyCustomTag::CloseRead() {
    F_hHandle = TMyFileHandle();
    F_pData.clear();
    F_pData.shrink_to_fit();
    F_iReadPosition = 0;
}

} // namespace skivra
