#include "media/myTagID3.h"

#include "media/myID3Text.h"
#include "support/myEventHook.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace skivra {

namespace {

enum class TFrameKind { Text, Described, UserText, UserLink, Seek, RecordingTime };

struct TFrameRule {
    std::string_view sID;  // ID3v2.3 and 2.4
    std::string_view sID2; // ID3v2.2
    std::u16string TMyCustomTag::*pField;
    TFrameKind kind;
};

// The most of a tag that is read. Its size field allows 256 MiB; real tags with cover
// pictures stay far below 64 MiB, and their texts come before the pictures, so a longer
// claim (a damaged or sparse file) is read only that far instead of costing 256 MiB.
constexpr std::uint32_t kMaxTagRead = 64u << 20;

// Appended values keep every frame of their kind; the other texts keep the last frame.
constexpr std::u16string_view kAppendSeparator = u"\r\r";

void Append(std::u16string& sField, const std::u16string& sValue) {
    if (sValue.empty()) {
        return;
    }
    if (!sField.empty()) {
        sField += kAppendSeparator;
    }
    sField += sValue;
}

// The year of a time stamp such as 2004-05-06T12:00: its first four characters when they
// are digits. A stamp that does not start with a whole year gives none rather than a guess.
std::u16string RecordingYear(std::span<const std::uint8_t> content) {
    if (content.empty()) {
        return {};
    }
    const std::u16string sStamp = DecodeID3Text(content[0], content.subspan(1));
    if (sStamp.size() < 4 || !std::all_of(sStamp.begin(), sStamp.begin() + 4,
                                          [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        return {};
    }
    return sStamp.substr(0, 4);
}

} // namespace

// The frames read and the field each fills. The table names the record's protected fields,
// which only a class derived from the record may do; this one exists for that alone.
struct TMyTagID3Fields : TMyCustomTag {
    static const TFrameRule* Find(std::string_view sID, bool bVersion2) {
        static const std::array<TFrameRule, 26> kRules{{
            {"COMM", "COM", &TMyTagID3Fields::F_sComment, TFrameKind::Described},
            {"USLT", "ULT", &TMyTagID3Fields::F_sLylic, TFrameKind::Described},
            {"WXXX", "WXX", &TMyTagID3Fields::F_sUserLink, TFrameKind::UserLink},
            {"TXXX", "TXX", &TMyTagID3Fields::F_sUserText, TFrameKind::UserText},
            {"TALB", "TAL", &TMyTagID3Fields::F_sAlbum, TFrameKind::Text},
            {"TPE2", "TP2", &TMyTagID3Fields::F_sAlbumArtist, TFrameKind::Text},
            {"TPE1", "TP1", &TMyTagID3Fields::F_sArtist, TFrameKind::Text},
            {"TCOM", "TCM", &TMyTagID3Fields::F_sComposer, TFrameKind::Text},
            {"TPE3", "TP3", &TMyTagID3Fields::F_sConductor, TFrameKind::Text},
            {"TCON", "TCO", &TMyTagID3Fields::F_sGenre, TFrameKind::Text},
            {"TOAL", "TOT", &TMyTagID3Fields::F_sOriginalAlbum, TFrameKind::Text},
            {"TOPE", "TOA", &TMyTagID3Fields::F_sOriginalArtist, TFrameKind::Text},
            {"TOLY", "TOL", &TMyTagID3Fields::F_sOriginalWriter, TFrameKind::Text},
            {"TPUB", "TPB", &TMyTagID3Fields::F_sPublisher, TFrameKind::Text},
            {"TDAT", "TDA", &TMyTagID3Fields::F_sRecordingDate, TFrameKind::Text},
            {"TORY", "TOR", &TMyTagID3Fields::F_sReleaseYear, TFrameKind::Text},
            {"TIT1", "TT1", &TMyTagID3Fields::F_sSeries, TFrameKind::Text},
            {"TPOS", "TPA", &TMyTagID3Fields::F_sSetOf, TFrameKind::Text},
            {"TIT3", "TT3", &TMyTagID3Fields::F_sSubTitle, TFrameKind::Text},
            {"TIT2", "TT2", &TMyTagID3Fields::F_sTitle, TFrameKind::Text},
            {"TRCK", "TRK", &TMyTagID3Fields::F_sTrack, TFrameKind::Text},
            {"TPE4", "TP4", &TMyTagID3Fields::F_sTranslator, TFrameKind::Text},
            {"TEXT", "TXT", &TMyTagID3Fields::F_sWriter, TFrameKind::Text},
            {"TYER", "TYE", &TMyTagID3Fields::F_sYear, TFrameKind::Text},
            // ID3v2.4 replaced TYER with this time stamp; ID3v2.2 has only TYE.
            {"TDRC", "", nullptr, TFrameKind::RecordingTime},
            {"SEEK", "", nullptr, TFrameKind::Seek},
        }};
        for (const TFrameRule& rule : kRules) {
            if ((bVersion2 ? rule.sID2 : rule.sID) == sID && !sID.empty()) {
                return &rule;
            }
        }
        return nullptr;
    }
};

void TMyTagID3::Clear() {
    TMyCustomTag::Clear();
    F_iVer = 0;
    F_iMajor = 0;
    F_iRev = 0;
    F_iPaddingSize = 0;
}

void TMyTagID3::SetFileName(std::u16string_view sFile) {
    Clear();
    TMyCustomTag::SetFileName(sFile);
    if (F_bFileExists) {
        if (ReadBytesAt(0, 10) == 10 && ParseID3Header({Data(), 10}, F_rHeader)) {
            F_iVer = 2;
            F_iMajor = F_rHeader.iMajor;
            F_iRev = F_rHeader.iRevision;
            ReadFrames();
        } else {
            ReadID3v1();
        }
    }
    CloseRead();
}

void TMyTagID3::ReadFrames() {
    const std::string sVersion = "2." + std::to_string(F_iMajor) + "." + std::to_string(F_iRev);
    F_sVersion.assign(sVersion.begin(), sVersion.end());
    // A tag that claims more than the file holds is read as far as it goes: the frames
    // that are really there are still good, and each one is checked below.
    std::uint32_t iBodySize =
        static_cast<std::uint32_t>(ReadBytesAt(10, std::min(F_rHeader.iSize, kMaxTagRead)));
    if (F_rHeader.rFlag.bUnsync) {
        iBodySize = static_cast<std::uint32_t>(RemoveUnsynchronisation(Data(), iBodySize));
    }
    F_iOffset = 0;
    if (F_rHeader.rFlag.bExtended &&
        !ParseID3ExtendedHeader({Data(), iBodySize}, F_rHeader, F_iOffset, iBodySize)) {
        return;
    }
    const bool bVersion2 = F_iMajor <= 2;
    bool bSought = false;
    F_sRecordingYear.clear();
    while (F_iOffset < iBodySize) {
        const std::span<std::uint8_t> body(Data(), iBodySize);
        if (!ParseID3FrameHeader(F_iMajor, body, F_iOffset, F_rFrame)) {
            break;
        }
        const std::uint32_t iDataStart = F_iOffset + F_rFrame.iHeaderSize;
        const std::uint32_t iNext = iDataStart + F_rFrame.iSize;
        std::span<std::uint8_t> data = body.subspan(iDataStart, F_rFrame.iSize);
        if (F_iMajor >= 4 && F_rFrame.rFormatFlag.bUnsync) {
            data = data.first(RemoveUnsynchronisation(data.data(), data.size()));
        }
        if (!TakeID3ExtraFields(F_iMajor, data, F_rFrame)) {
            // Extra fields that do not fit damage this frame only: its size still says
            // where the next one starts, and the frames after it are often all the tag has.
            F_iOffset = iNext;
            PumpEvents();
            continue;
        }
        const std::span<const std::uint8_t> content =
            data.subspan(data.size() - F_rFrame.iReadSize);
        const TFrameRule* pRule = TMyTagID3Fields::Find(F_rFrame.sFrameID, bVersion2);
        if (F_rFrame.iSize != 0 && !F_rFrame.rFormatFlag.bEncrypt && pRule) {
            if (pRule->kind == TFrameKind::Seek) {
                // A SEEK frame continues the tag elsewhere in the file. Only the first one
                // is followed: one pointing backwards or at itself would otherwise repeat
                // the same frames for ever.
                if (!bSought && content.size() >= 4) {
                    bSought = true;
                    const std::uint32_t iSeek = static_cast<std::uint32_t>(
                        content[0] << 24 | content[1] << 16 | content[2] << 8 | content[3]);
                    const std::uint32_t iRest = iBodySize - iNext;
                    if (ReadBytesAt(static_cast<std::uint64_t>(iNext) + iSeek, iRest) < iRest) {
                        break;
                    }
                    iBodySize = iRest;
                    F_iOffset = 0;
                    PumpEvents();
                    continue;
                }
            } else {
                ReadFrame(content);
            }
        }
        F_iOffset = iNext;
        // A long tag read on the UI thread must not freeze the window.
        PumpEvents();
    }
    UseRecordingYear();
}

void TMyTagID3::UseRecordingYear() {
    // A year frame wins wherever it stands; the time stamp only fills a year left empty.
    if (F_sYear.empty()) {
        F_sYear = F_sRecordingYear;
    }
    F_sRecordingYear.clear();
}

void TMyTagID3::ReadFrame(std::span<const std::uint8_t> content) {
    const TFrameRule* pRule = TMyTagID3Fields::Find(F_rFrame.sFrameID, F_iMajor <= 2);
    if (pRule->kind == TFrameKind::RecordingTime) {
        F_sRecordingYear = RecordingYear(content);
        return;
    }
    std::u16string& sField = this->*(pRule->pField);
    switch (pRule->kind) {
    case TFrameKind::Text:
        sField = content.empty() ? std::u16string() : DecodeID3Text(content[0], content.subspan(1));
        break;
    case TFrameKind::Described:
        Append(sField, DecodeID3DescribedText(content, 4));
        break;
    case TFrameKind::UserText:
        Append(sField, DecodeID3DescribedText(content, 1));
        break;
    case TFrameKind::UserLink:
        Append(sField, DecodeID3UserLink(content));
        break;
    case TFrameKind::Seek:
    case TFrameKind::RecordingTime:
        break;
    }
}

void TMyTagID3::ReadID3v1() {
    if (ReadTailBytes(128) != 128) {
        return;
    }
    const std::span<const std::uint8_t> tag(Data(), 128);
    if (tag[0] != 'T' || tag[1] != 'A' || tag[2] != 'G') {
        return;
    }
    F_iVer = 1;
    F_sTitle = DecodeAnsiField(tag.subspan(3, 30));
    F_sArtist = DecodeAnsiField(tag.subspan(33, 30));
    F_sAlbum = DecodeAnsiField(tag.subspan(63, 30));
    F_sYear = DecodeAnsiField(tag.subspan(93, 4));
    F_sComment = DecodeAnsiField(tag.subspan(97, 30));
    const std::string sGenre = std::to_string(tag[127]);
    F_sGenre.assign(sGenre.begin(), sGenre.end());
    if (tag[125] == 0 && tag[126] != 0) {
        const std::string sTrack = std::to_string(tag[126]);
        F_sTrack.assign(sTrack.begin(), sTrack.end());
        F_iMajor = 1;
    }
    F_sVersion = F_iMajor == 1 ? u"1.1" : u"1.0";
}

} // namespace skivra
