// The ASF reader on hand-made headers.
#include "media/myTagWMA.h"
#include "PeakMemory.h"
#include "TagBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skivra {
namespace {

using namespace test;

const std::string kHeaderGuid("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C",
                              16);
const std::string kContentGuid("\x33\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C",
                               16);
const std::string kExtendedGuid("\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50",
                                16);
const std::string kOtherGuid(16, '\x11');

std::string Object(const std::string& sGuid, const std::string& sBody) {
    return sGuid + Le64(24 + sBody.size()) + sBody;
}

// Title, author, copyright, description and rating, each stored as given.
std::string ContentDescription(const std::vector<std::string>& texts) {
    std::string sLengths, sTexts;
    for (const std::string& sText : texts) {
        sLengths += Le16(static_cast<std::uint32_t>(sText.size()));
        sTexts += sText;
    }
    return Object(kContentGuid, sLengths + sTexts);
}

std::string WithTerminator(std::u16string_view s) {
    return Utf16Le(s) + std::string(2, '\0');
}

struct Descriptor {
    std::u16string sName;
    std::uint16_t iType;
    std::string sValue;
};

std::string ExtendedContentDescription(const std::vector<Descriptor>& descriptors) {
    std::string sBody = Le16(static_cast<std::uint32_t>(descriptors.size()));
    for (const Descriptor& d : descriptors) {
        const std::string sName = WithTerminator(d.sName);
        sBody += Le16(static_cast<std::uint32_t>(sName.size())) + sName + Le16(d.iType) +
                 Le16(static_cast<std::uint32_t>(d.sValue.size())) + d.sValue;
    }
    return Object(kExtendedGuid, sBody);
}

// The Header Object over its sub-objects, then a little of what follows it in a real file.
std::string Asf(const std::vector<std::string>& objects, std::int64_t iCount = -1) {
    std::string sBody;
    for (const std::string& sObject : objects) {
        sBody += sObject;
    }
    const std::uint32_t iObjects = iCount < 0 ? static_cast<std::uint32_t>(objects.size())
                                              : static_cast<std::uint32_t>(iCount);
    return kHeaderGuid + Le64(30 + sBody.size()) + Le32(iObjects) + "\x01\x02" + sBody +
           std::string(50, '\x7F');
}

class TagWMATest : public ::testing::Test {
protected:
    TMyTagWMA Read(const std::string& sBytes) { return TMyTagWMA(FFolder.Write(u"t.wma", sBytes)); }
    TempFolder FFolder;
};

TEST_F(TagWMATest, ContentDescriptionTexts) {
    const TMyTagWMA tag = Read(Asf(
        {ContentDescription({WithTerminator(u"AB"), WithTerminator(u"作者"), WithTerminator(u"(c)"),
                             WithTerminator(u"desc"), WithTerminator(u"r")})}));
    EXPECT_EQ(tag.RawTitle(), u"AB");
    EXPECT_EQ(tag.Artist(), u"作者");
    EXPECT_EQ(tag.Comment(), u"desc");
    EXPECT_EQ(tag.Version(), u"");

    struct Case {
        const char* sName;
        std::string sStored;
        std::u16string sWanted;
    } cases[] = {
        {"one unit without terminator is too short", Utf16Le(u"A"), u""},
        {"the last unit is taken for the terminator", Utf16Le(u"ABC"), u"AB"},
        {"ends at the first zero unit", Utf16Le(std::u16string(u"A\0BC", 4)), u"A"},
        {"odd length", Utf16Le(u"AB") + "C", u"A"},
    };
    for (const Case& c : cases) {
        const TMyTagWMA one = Read(Asf({ContentDescription({c.sStored, "", "", "", ""})}));
        EXPECT_EQ(one.RawTitle(), c.sWanted) << c.sName;
    }
}

TEST_F(TagWMATest, ExtendedDescriptorsByExactName) {
    const TMyTagWMA tag = Read(Asf({
        Object(kOtherGuid, std::string(10, '\0')),
        ExtendedContentDescription({
            {u"WM/AlbumTitle", 0, WithTerminator(u"アルバム")},
            {u"WM/Year", 0, WithTerminator(u"1999")},
            {u"wm/year", 0, WithTerminator(u"1900")},
            {u"WM/Genre", 3, Le32(5)}, // read as text whatever the type: 05 00 00 00
            {u"WM/Unknown", 0, WithTerminator(u"x")},
            {u"WM/Writer", 0, WithTerminator(u"first")},
            {u"WM/Writer", 0, WithTerminator(u"later")},
            {u"WM/TrackNumber", 3, Le32(7)},
        }),
    }));
    EXPECT_EQ(tag.Album(), u"アルバム");
    EXPECT_EQ(tag.Year(), u"1999");
    EXPECT_EQ(tag.Genre(), u"\u0005");
    EXPECT_EQ(tag.Writer(), u"later");
    EXPECT_EQ(tag.Track(), u"7");

    struct Case {
        std::uint16_t iType;
        std::string sValue;
        std::u16string sWanted;
    } tracks[] = {
        {0, WithTerminator(u"07"), u"07"},
        {3, Le32(4000000000u), u"4000000000"},
        {3, Le16(7), u""}, // too short for a 32-bit value
        {1, Le32(7), u""}, // other types leave the field as it was
    };
    for (const Case& c : tracks) {
        const TMyTagWMA one =
            Read(Asf({ExtendedContentDescription({{u"WM/TrackNumber", c.iType, c.sValue}})}));
        EXPECT_EQ(one.Track(), c.sWanted) << c.iType;
    }
}

TEST_F(TagWMATest, HostileHeadersReadOnlyWhatIsThere) {
    const std::string sContent = ContentDescription({WithTerminator(u"T"), "", "", "", ""});
    std::string sHuge = Asf({sContent});
    sHuge.replace(16, 8, Le64(0x100000000ull)); // a 4 GiB header
    std::string sLonger = Asf({sContent});
    sLonger.replace(16, 8, Le64(1u << 30)); // more than the file holds
    std::string sObjectTooLong = Asf({sContent});
    sObjectTooLong.replace(30 + 16, 8, Le64(0xFFFFFFF0ull)); // a sub-object of about 4 GiB
    std::string sObjectTooShort = Asf({Object(kOtherGuid, ""), sContent});
    sObjectTooShort.replace(30 + 16, 8, Le64(0)); // would never advance
    std::string sTextTooLong = Asf({ContentDescription({WithTerminator(u"T"), "", "", "", ""})});
    sTextTooLong.replace(30 + 24, 2, Le16(60000)); // the title claims more than the object
    std::string sDescriptorTooLong = Asf({ExtendedContentDescription(
        {{u"WM/Year", 0, WithTerminator(u"1999")}, {u"WM/Writer", 0, WithTerminator(u"w")}})});
    sDescriptorTooLong.replace(30 + 24, 2, Le16(65535)); // descriptor count past the object

    struct Case {
        const char* sName;
        std::string sFile;
        std::u16string sTitle;
    } cases[] = {
        {"header of 4 GiB", sHuge, u""},
        {"header longer than the file", sLonger, u""},
        {"sub-object count of 0", Asf({sContent}, 0), u""},
        {"sub-object count larger than the objects", Asf({sContent}, 1000000), u"T"},
        {"sub-object larger than the header", sObjectTooLong, u""},
        {"sub-object shorter than its own header", sObjectTooShort, u""},
        {"text longer than its object", sTextTooLong, u""},
        {"not ASF", std::string(100, 'x'), u""},
        {"cut inside the Header Object", Asf({sContent}).substr(0, 29), u""},
        {"empty file", "", u""},
    };
    for (const Case& c : cases) {
        const TMyTagWMA tag = Read(c.sFile);
        EXPECT_EQ(tag.RawTitle(), c.sTitle) << c.sName;
        EXPECT_TRUE(tag.FileExists()) << c.sName;
    }
    const TMyTagWMA descriptors = Read(sDescriptorTooLong);
    EXPECT_EQ(descriptors.Year(), u"1999");
    EXPECT_EQ(descriptors.Writer(), u"w");
}

// A sparse file of a few KiB that really is as long as its header claims: a header of
// 1 GiB is no real one, and is neither read into memory nor searched for texts.
TEST_F(TagWMATest, HeaderLargerThanAnyRealOneIsDamaged) {
    constexpr std::uint64_t kClaimed = 1ull << 30;
    std::string sHead = Asf({ContentDescription({WithTerminator(u"T"), "", "", "", ""})});
    sHead.replace(16, 8, Le64(kClaimed));
    const std::u16string sFile = FFolder / u"sparse.wmv";
    WriteSparseFile(Utf16ToUtf8(sFile), sHead, kClaimed + 4096);
    std::u16string sTitle = u"unread";
    const long iGrowth = PeakGrowthMiB([&] { sTitle = TMyTagWMA(sFile).RawTitle(); });
    EXPECT_EQ(sTitle, u"");
    EXPECT_LT(iGrowth, 64);
}

TEST_F(TagWMATest, HeaderThatEndsWithTheFileIsRead) {
    // Nothing needs to follow the Header Object for its texts to be read.
    std::string sFile = Asf({ContentDescription({WithTerminator(u"T"), "", "", "", ""})});
    sFile.resize(sFile.size() - 50);
    EXPECT_EQ(Read(sFile).RawTitle(), u"T");
}

} // namespace
} // namespace skivra
