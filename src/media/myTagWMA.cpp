#include "media/myTagWMA.h"

#include <algorithm>
#include <array>
#include <string>

namespace skivra {

namespace {

using TGuid = std::array<std::uint8_t, 16>;

// GUIDs in their 16-byte file form (the first three groups little-endian).
constexpr TGuid kHeaderObject = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                 0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr TGuid kContentDescriptionObject = {0x33, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                             0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr TGuid kExtendedContentDescriptionObject = {
    0x40, 0xA4, 0xD0, 0xD2, 0x07, 0xE3, 0xD2, 0x11, 0x97, 0xF0, 0x00, 0xA0, 0xC9, 0x5E, 0xA8, 0x50};

constexpr std::size_t kHeaderObjectSize = 30; // GUID, size, count, two reserved bytes
constexpr std::size_t kObjectHeaderSize = 24; // GUID, size
// The largest header this reader takes. Real headers hold the stream properties, the
// descriptions and at most a few cover pictures of some MiB each in their metadata; one
// that claims more than 64 MiB is a damaged file, and reading it whole would make a sparse
// file of a few KiB cost GiB of memory and minutes of reading.
constexpr std::uint64_t kMaxHeaderSize = 64u << 20;

constexpr std::uint16_t kTypeUnicode = 0;
constexpr std::uint16_t kTypeDword = 3;

std::uint64_t LittleEndian(std::span<const std::uint8_t> bytes) {
    std::uint64_t iValue = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        iValue = iValue << 8 | bytes[i];
    }
    return iValue;
}

bool IsGuid(std::span<const std::uint8_t> bytes, const TGuid& guid) {
    return bytes.size() >= guid.size() && std::equal(guid.begin(), guid.end(), bytes.begin());
}

// A stored text: the units up to the first zero unit, at most L / 2 - 1 of them, because
// the stored terminator is counted in L; below 4 bytes there is no text at all.
std::u16string AsfText(std::span<const std::uint8_t> bytes) {
    std::u16string sText;
    if (bytes.size() < 4) {
        return sText;
    }
    const std::size_t iUnits = bytes.size() / 2 - 1;
    for (std::size_t i = 0; i < iUnits; ++i) {
        const char16_t c = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        if (c == 0) {
            break;
        }
        sText += c;
    }
    return sText;
}

std::u16string NameText(std::span<const std::uint8_t> bytes) {
    std::u16string sName;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        sName += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    }
    // Names are stored with their terminator; it is no part of the name.
    while (!sName.empty() && sName.back() == 0) {
        sName.pop_back();
    }
    return sName;
}

// Reads fields one after another from a block and stops for good at the first one that the
// block does not hold.
class TByteReader {
public:
    explicit TByteReader(std::span<const std::uint8_t> bytes) : FBytes(bytes) {}
    bool Ok() const { return FbOk; }
    std::uint64_t Number(std::size_t n) {
        const std::span<const std::uint8_t> bytes = Take(n);
        return FbOk ? LittleEndian(bytes) : 0;
    }
    std::span<const std::uint8_t> Take(std::size_t n) {
        if (!FbOk || n > FBytes.size() - FiPos) {
            FbOk = false;
            return {};
        }
        const std::span<const std::uint8_t> bytes = FBytes.subspan(FiPos, n);
        FiPos += n;
        return bytes;
    }

private:
    std::span<const std::uint8_t> FBytes;
    std::size_t FiPos = 0;
    bool FbOk = true;
};

} // namespace

void TMyTagWMA::SetFileName(std::u16string_view sFile) {
    Clear();
    TMyCustomTag::SetFileName(sFile);
    if (!F_bFileExists || ReadNextBytes(kHeaderObjectSize) != kHeaderObjectSize ||
        !IsGuid({Data(), kHeaderObjectSize}, kHeaderObject)) {
        CloseRead();
        return;
    }
    const std::uint64_t iSize = LittleEndian({Data() + 16, 8});
    const std::uint64_t iCount = LittleEndian({Data() + 24, 4});
    // The size counts the object's own 30 bytes; the sub-objects are the rest, read only
    // when the file really holds all of it.
    if (iSize <= kHeaderObjectSize || iSize > kMaxHeaderSize ||
        iSize > static_cast<std::uint64_t>(F_iFileSize)) {
        CloseRead();
        return;
    }
    const std::size_t iRest = static_cast<std::size_t>(iSize) - kHeaderObjectSize;
    if (ReadNextBytes(iRest) != iRest) {
        CloseRead();
        return;
    }
    const std::span<const std::uint8_t> header(Data(), iRest);
    std::size_t iPos = 0;
    for (std::uint64_t i = 0; i < iCount; ++i) {
        if (kObjectHeaderSize > header.size() - iPos) {
            break;
        }
        const std::span<const std::uint8_t> head = header.subspan(iPos, kObjectHeaderSize);
        const std::uint64_t iObjectSize = LittleEndian(head.subspan(16, 4));
        // An object must at least hold its own GUID and size, and end within the header.
        if (iObjectSize < kObjectHeaderSize || iObjectSize > header.size() - iPos) {
            break;
        }
        const std::span<const std::uint8_t> object =
            header.subspan(iPos, static_cast<std::size_t>(iObjectSize));
        if (IsGuid(object, kContentDescriptionObject)) {
            ReadContentDescription(object);
        } else if (IsGuid(object, kExtendedContentDescriptionObject)) {
            ReadExtendedContentDescription(object);
        }
        iPos += static_cast<std::size_t>(iObjectSize);
    }
    CloseRead();
}

void TMyTagWMA::ReadContentDescription(std::span<const std::uint8_t> object) {
    TByteReader reader(object);
    reader.Take(kObjectHeaderSize);
    std::array<std::size_t, 5> lengths{};
    for (std::size_t& iLength : lengths) {
        iLength = static_cast<std::size_t>(reader.Number(2));
    }
    const std::span<const std::uint8_t> title = reader.Take(lengths[0]);
    const std::span<const std::uint8_t> author = reader.Take(lengths[1]);
    reader.Take(lengths[2]); // copyright
    const std::span<const std::uint8_t> description = reader.Take(lengths[3]);
    if (!reader.Ok()) {
        return;
    }
    F_sTitle = AsfText(title);
    F_sArtist = AsfText(author);
    F_sComment = AsfText(description);
}

void TMyTagWMA::ReadExtendedContentDescription(std::span<const std::uint8_t> object) {
    TByteReader reader(object);
    reader.Take(kObjectHeaderSize);
    const std::uint64_t iCount = reader.Number(2);
    for (std::uint64_t i = 0; i < iCount && reader.Ok(); ++i) {
        const std::u16string sName = NameText(reader.Take(reader.Number(2)));
        const std::uint64_t iType = reader.Number(2);
        const std::span<const std::uint8_t> value = reader.Take(reader.Number(2));
        if (!reader.Ok()) {
            return;
        }
        std::u16string* pField = FieldOf(sName);
        if (!pField) {
            continue;
        }
        if (pField != &F_sTrack) {
            *pField = AsfText(value);
        } else if (iType == kTypeUnicode) {
            *pField = AsfText(value);
        } else if (iType == kTypeDword && value.size() >= 4) {
            const std::string sNumber = std::to_string(LittleEndian(value.first(4)));
            pField->assign(sNumber.begin(), sNumber.end());
        }
    }
}

std::u16string* TMyTagWMA::FieldOf(std::u16string_view sName) {
    const std::pair<std::u16string_view, std::u16string*> kNames[] = {
        {u"WM/AlbumTitle", &F_sAlbum},
        {u"WM/AlbumArtist", &F_sAlbumArtist},
        {u"WM/Composer", &F_sComposer},
        {u"WM/Conductor", &F_sConductor},
        {u"WM/Director", &F_sDirector},
        {u"WM/Genre", &F_sGenre},
        {u"WM/OriginalAlbumTitle", &F_sOriginalAlbum},
        {u"WM/OriginalArtist", &F_sOriginalArtist},
        {u"WM/OriginalLyricist", &F_sOriginalWriter},
        {u"WM/Producer", &F_sProducer},
        {u"WM/Publisher", &F_sPublisher},
        {u"WM/OriginalReleaseTime", &F_sRecordingDate},
        {u"WM/OriginalReleaseYear", &F_sReleaseYear},
        {u"WM/Lyrics", &F_sLylic},
        {u"WM/PartOfSet", &F_sSetOf},
        {u"WM/ContentGroupDescription", &F_sSeries},
        {u"WM/SubTitle", &F_sSubTitle},
        {u"WM/TrackNumber", &F_sTrack},
        {u"WM/ModifiedBy", &F_sTranslator},
        {u"WM/Writer", &F_sWriter},
        {u"WM/Year", &F_sYear},
    };
    for (const auto& [sKnown, pField] : kNames) {
        if (sKnown == sName) {
            return pField;
        }
    }
    return nullptr;
}

} // namespace skivra
