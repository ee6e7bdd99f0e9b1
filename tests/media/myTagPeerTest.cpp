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

} // namespace
} // namespace skivra
