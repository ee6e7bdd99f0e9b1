// Tags written by an independent writer (mutagen) read back field by field.
#include "TagFields.h"
#include "media/myTag.h"
#include "media/myTagID3.h"
#include "media/myTagWMA.h"
#include "support/TagManifest.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>

namespace skivra {
namespace {

using TFields = std::map<std::string, std::u16string>;

class TagPeerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FFolder = std::make_unique<test::TempFolder>();
        const std::string sCommand = std::string("/usr/bin/python3 ") + SKIVRA_TEST_TOOLS +
                                     "/write-tags.py " + FFolder->Path() + " --asf";
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
        for (const auto& [sFile, fields] :
             test::ReadTagManifest(FFolder->Path() + "/expected.txt")) {
            for (const auto& [sField, sValue] : fields) {
                FExpected[sFile][sField] = *Utf8ToUtf16(sValue);
            }
        }
    }
    static void TearDownTestSuite() { FFolder.reset(); }

    static void ExpectFields(const TMyCustomTag& tag, const TFields& expected,
                             const std::string& sFile) {
        for (const auto& [sName, getter] : test::kTagTexts) {
            const auto found = expected.find(std::string(sName));
            const std::u16string sWanted = found == expected.end() ? u"" : found->second;
            EXPECT_EQ(Utf16ToUtf8((tag.*getter)()), Utf16ToUtf8(sWanted)) << sFile << " " << sName;
        }
    }

    static inline std::unique_ptr<test::TempFolder> FFolder;
    static inline std::map<std::string, TFields> FExpected;
};

TEST_F(TagPeerTest, EveryFileOfTheWriterReadsBackAsWritten) {
    ASSERT_EQ(FExpected.size(), 10u);
    for (const auto& [sFile, expected] : FExpected) {
        const std::u16string sPath = *FFolder / *Utf8ToUtf16(sFile);
        const bool bAsf = sFile.ends_with(".wma") || sFile.ends_with(".WMV");
        std::unique_ptr<TMyCustomTag> reader;
        if (bAsf) {
            reader = std::make_unique<TMyTagWMA>(sPath);
        } else {
            reader = std::make_unique<TMyTagID3>(sPath);
        }
        ExpectFields(*reader, expected, sFile);
        EXPECT_TRUE(reader->FileExists()) << sFile;
    }
}

TEST_F(TagPeerTest, TheRecordCopiesTheReaderExceptUserTextAndLink) {
    for (const auto& [sFile, written] : FExpected) {
        TFields expected = written;
        expected.erase("UserText");
        expected.erase("UserLink");
        const TMyTag tag(*FFolder / *Utf8ToUtf16(sFile));
        ExpectFields(tag, expected, sFile);
        EXPECT_GT(tag.FileSize(), 0) << sFile;
    }
}

// Tags in the forms other taggers leave behind (an ID3v2.2 tag, a version 2.4 time stamp,
// frames whose data-length field is cut short, an ID3v1 tag beside a version 2 one),
// compared field by field with what mutagen itself reads from the same bytes.
class TagPeerCorpusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FFolder = std::make_unique<test::TempFolder>();
        const std::string sCommand = std::string("/usr/bin/python3 ") + SKIVRA_TEST_MEDIA +
                                     "/write-peer-corpus.py " + FFolder->Path();
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
        for (auto& [sFile, fields] :
             test::ReadTagManifest(FFolder->Path() + "/read-by-mutagen.txt")) {
            for (auto& [sField, sValue] : fields) {
                for (std::size_t i = 0; (i = sValue.find("\\0", i)) != std::string::npos;) {
                    sValue.replace(i, 2, std::string(1, '\0'));
                }
                FRead[sFile][sField] = *Utf8ToUtf16(sValue);
            }
        }
    }
    static void TearDownTestSuite() { FFolder.reset(); }

    static inline std::unique_ptr<test::TempFolder> FFolder;
    static inline std::map<std::string, TFields> FRead;
};

TEST_F(TagPeerCorpusTest, FieldsMatchMutagenExceptTheDeliberateDifferences) {
    ASSERT_EQ(FRead.size(), 5u);
    // Where this reader shows a file differently from mutagen on purpose; each must be met by
    // the corpus, so the list stays true.
    std::map<std::string, int> deliberate{
        // A text frame of several values shows its first: the record holds one text.
        {"values cut at the first zero", 0},
        // An ID3v1 tag is read only when there is no version 2 tag; mutagen fills the fields
        // the version 2 tag lacks from it.
        {"v1 read only without v2", 0},
    };
    for (const auto& [sFile, read] : FRead) {
        const TMyTagID3 tag(*FFolder / *Utf8ToUtf16(sFile));
        std::set<std::string> fromV1;
        if (const auto found = read.find("FromV1"); found != read.end()) {
            std::istringstream names(Utf16ToUtf8(found->second));
            for (std::string sName; std::getline(names, sName, ',');) {
                fromV1.insert(sName);
            }
        }
        for (const auto& [sName, getter] : test::kTagTexts) {
            const auto found = read.find(std::string(sName));
            std::u16string sWanted = found == read.end() ? u"" : found->second;
            if (const std::size_t iZero = sWanted.find(u'\0'); iZero != std::u16string::npos) {
                sWanted.resize(iZero);
                ++deliberate["values cut at the first zero"];
            }
            if (fromV1.contains(std::string(sName))) {
                sWanted.clear();
                ++deliberate["v1 read only without v2"];
            }
            EXPECT_EQ(Utf16ToUtf8((tag.*getter)()), Utf16ToUtf8(sWanted)) << sFile << " " << sName;
        }
    }
    for (const auto& [sWhy, iMet] : deliberate) {
        EXPECT_GT(iMet, 0) << sWhy << " is not met by any file of the corpus";
    }
}

} // namespace
} // namespace skivra
