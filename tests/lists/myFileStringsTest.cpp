#include "lists/myFileStrings.h"

#include "countedObject.h"
#include "fileEntries.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"
#include "support/myFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace skivra {
namespace {

using test::Entries;
using test::Relative;
using test::TempFolder;

TEST(FileStringsScan, OrdersFilesNaturallyAndFoldersDepthFirst) {
    TempFolder dir;
    for (const char16_t* s :
         {u"10.avi", u"2.avi", u"1.avi", u"b/2.mp3", u"b/1.mp3", u"a/z.mp3", u"a/c/x.mp3",
          u"a/b.mp3", u".hidden.mp3", u"第2話.mp4", u"第10話.mp4", u"ｆｕｌｌ/１.mp3"}) {
        dir.Write(s);
    }
    TMyFileStrings sl;
    EXPECT_TRUE(sl.GetList(dir.Path16() + u"/"));
    EXPECT_EQ(Relative(sl, dir), (std::vector<std::u16string>{
                                     u".hidden.mp3", u"1.avi", u"2.avi", u"10.avi", u"第2話.mp4",
                                     u"第10話.mp4", u"a/b.mp3", u"a/z.mp3", u"a/c/x.mp3",
                                     u"b/1.mp3", u"b/2.mp3", u"ｆｕｌｌ/１.mp3"}));
}

TEST(FileStringsScan, FolderWithoutSeparatorWildcardsAndSingleFiles) {
    TempFolder dir;
    for (const char16_t* s : {u"m/a.mp3", u"m/b.avi", u"m/s/c.mp3", u"one.txt"}) {
        dir.Write(s);
    }
    struct {
        std::vector<std::u16string> aPaths;
        std::vector<std::u16string> aExpected;
    } const cases[] = {
        {{u"m"}, {u"m/a.mp3", u"m/b.avi", u"m/s/c.mp3"}},
        {{u"m/*.mp3"}, {u"m/a.mp3"}},
        {{u"m/*"}, {u"m/a.mp3", u"m/b.avi", u"m/s/c.mp3"}},
        {{u"one.txt"}, {u"one.txt"}},
        {{u"missing", u"", u"one.txt"}, {u"one.txt"}},
        // Named twice the same way: once. With and without the separator: twice.
        {{u"m/", u"m/"}, {u"m/a.mp3", u"m/b.avi", u"m/s/c.mp3"}},
        {{u"m/", u"m"},
         {u"m/a.mp3", u"m/b.avi", u"m/s/c.mp3", u"m/a.mp3", u"m/b.avi", u"m/s/c.mp3"}},
    };
    for (const auto& c : cases) {
        TMyFileStrings sl;
        TMyWStrings slPaths;
        for (const std::u16string& s : c.aPaths) {
            slPaths.Add(s.empty() ? s : dir / s);
        }
        sl.GetList(slPaths);
        EXPECT_EQ(Relative(sl, dir), c.aExpected) << test::Entries(slPaths).size();
    }
}

TEST(FileStringsScan, FoldersDifferingInCaseAreBothRead) {
    TempFolder dir;
    dir.Write(u"M/x.mp3");
    dir.Write(u"m/y.mp3");
    TMyFileStrings sl;
    TMyWStrings slPaths;
    slPaths.Add(dir / u"M/");
    slPaths.Add(dir / u"m/");
    sl.GetList(slPaths);
    const std::vector<std::u16string> aFound = Relative(sl, dir);
    EXPECT_EQ(std::set<std::u16string>({u"M/x.mp3", u"m/y.mp3"}),
              std::set<std::u16string>(aFound.begin(), aFound.end()));
}

TEST(FileStringsScan, LinkLoopsEndAndUnreadableFoldersAreSkipped) {
    TempFolder dir;
    dir.Write(u"top/a/x.mp3");
    dir.Write(u"top/b/y.mp3");
    dir.Write(u"top/locked/z.mp3");
    std::filesystem::create_directory_symlink("..", dir.Path() + "/top/a/up");
    std::filesystem::create_directory_symlink(dir.Path() + "/top", dir.Path() + "/top/b/again");
    ASSERT_EQ(chmod((dir.Path() + "/top/locked").c_str(), 0), 0);
    TMyFileStrings sl;
    EXPECT_TRUE(sl.GetList(dir / u"top/"));
    std::vector<std::u16string> aExpected = {u"top/a/x.mp3", u"top/b/y.mp3"};
    if (geteuid() == 0) {
        aExpected.push_back(u"top/locked/z.mp3"); // permissions do not stop root
    }
    EXPECT_EQ(Relative(sl, dir), aExpected);
}

TEST(FileStringsScan, NamesThatAreNotUtf8AreSkippedAndCounted) {
    TempFolder dir;
    dir.Write(u"good.mp3");
    std::ofstream(dir.Path() + "/bad\xff\xfe.mp3") << "x";
    TMyFileStrings sl;
    sl.GetList(dir.Path16() + u"/");
    EXPECT_EQ(Relative(sl, dir), (std::vector<std::u16string>{u"good.mp3"}));
    EXPECT_EQ(sl.SkippedNames(), 1);
}

TEST(FileStringsScan, FilesAndFoldersThatVanishMidScanAreLeftOut) {
    TempFolder dir;
    for (int i = 0; i < 20; ++i) {
        dir.Write(u"f" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u".mp3");
    }
    dir.Write(u"sub/x.mp3");
    TMyFileStrings sl;
    sl.OnGetListObject = [&](std::u16string_view sFile, const TMyFindData&) -> TMyObject* {
        // The first file found takes everything else with it, the folder read included.
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            if (Utf16ToUtf8(sFile) != entry.path().string()) {
                std::filesystem::remove_all(entry.path());
            }
        }
        return nullptr;
    };
    EXPECT_TRUE(sl.GetList(dir.Path16() + u"/"));
    EXPECT_EQ(sl.Count(), 1);
}

TEST(FileStringsScan, DelAttrFilterObjectsProgressAndAppend) {
    TempFolder dir;
    for (const char16_t* s : {u"a.mp3", u"b.txt", u".h.mp3", u".hid/c.mp3", u"d/e.mp3"}) {
        dir.Write(s);
    }
    TMyFileStrings sl;
    sl.SetDelAttr(FILE_ATTRIBUTE_HIDDEN);
    sl.AllowExtAdd(u".MP3");
    sl.OnGetListObject = [](std::u16string_view, const TMyFindData& data) -> TMyObject* {
        EXPECT_EQ(data.iFileSize, 1u);
        EXPECT_NE(data.iLastWriteTime, 0u);
        return new test::TCountedObject;
    };
    std::vector<int32_t> aCounts;
    sl.OnDispCount = [&](int32_t iCount, std::u16string_view) {
        aCounts.push_back(iCount);
    };
    sl.SetObjectsFree(true);
    sl.Add(u"/already/there.mp3");
    EXPECT_TRUE(sl.AppendList(dir.Path16() + u"/"));
    EXPECT_EQ(Relative(sl, dir),
              (std::vector<std::u16string>{u"/already/there.mp3", u"a.mp3", u"d/e.mp3"}));
    EXPECT_EQ(aCounts, (std::vector<int32_t>{1, 2}));
    // The refused b.txt had its object destroyed at once.
    EXPECT_EQ(test::TCountedObject::Alive(), 2);
    sl.SetIsAppend(false);
    sl.GetList(dir / u"d");
    EXPECT_EQ(Relative(sl, dir), (std::vector<std::u16string>{u"d/e.mp3"}));
    EXPECT_EQ(test::TCountedObject::Alive(), 1);
    sl.Clear();
    EXPECT_EQ(test::TCountedObject::Alive(), 0);
}

TEST(FileStringsScan, CancelKeepsWhatWasFoundSorted) {
    TempFolder dir;
    for (const char16_t* s : {u"3.mp3", u"1.mp3", u"2.mp3", u"4.mp3", u"sub/5.mp3"}) {
        dir.Write(s);
    }
    TMyFileStrings sl;
    int iChecks = 0;
    sl.OnIsCancel = [&] {
        return ++iChecks >= 3;
    };
    EXPECT_FALSE(sl.GetList(dir.Path16() + u"/"));
    const std::vector<std::u16string> aFound = Relative(sl, dir);
    ASSERT_EQ(aFound.size(), 3u);
    EXPECT_TRUE(std::is_sorted(aFound.begin(), aFound.end()));

    TMyFileStrings slTerminated;
    SetTerminating(true);
    const bool bResult = slTerminated.GetList(dir.Path16() + u"/");
    SetTerminating(false);
    EXPECT_FALSE(bResult);
    EXPECT_LE(slTerminated.Count(), 1);
}

TEST(FileStringsScan, EscCancelUsesTheKeyQueryOnlyForTheCancelableScan) {
    TempFolder dir;
    dir.Write(u"a.mp3");
    dir.Write(u"b.mp3");
    TMyFileStrings::SetEscapeKeyQuery([] { return true; });
    TMyFileStrings sl;
    sl.SetEscCancel(true);
    TMyWStrings slPaths;
    slPaths.Add(dir.Path16() + u"/");
    sl.SetPathList(slPaths);
    EXPECT_FALSE(sl.ScanPathsCancelable());
    EXPECT_FALSE(sl.OnIsCancel); // restored
    EXPECT_TRUE(sl.ScanPaths());
    TMyFileStrings::SetEscapeKeyQuery({});
}

TEST(FileStringsFilter, ExtensionsCompareIgnoringCase) {
    TMyFileStrings sl;
    sl.AllowExtAdd({u".avi", u".AVI", u"mp3"});
    EXPECT_EQ(Entries(sl.AllowExt()), (std::vector<std::u16string>{u".avi", u"mp3"}));
    struct {
        const char16_t* sPath;
        bool bAllowed;
    } const cases[] = {
        {u"/v/x.Avi", true},  {u"/v/x.mp3", false},     {u"/v/noext", false},
        {u"/v.avi/x", false}, {u"/v/ｘ.ＡＶＩ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sl.IsAllowedFile(c.sPath), c.bAllowed) << std::string(c.sPath, c.sPath + 8);
        EXPECT_EQ(sl.IsAddOk(), c.bAllowed);
    }
    sl.DisallowExtAdd(u".AVI");
    EXPECT_FALSE(sl.IsAllowedFile(u"/v/x.avi"));
    TMyFileStrings slAll;
    EXPECT_TRUE(slAll.IsAllowedFile(u"/v/noext"));
    slAll.AllowExt().Add(u".txt"); // written straight into the list: the filter sees it
    EXPECT_FALSE(slAll.IsAllowedFile(u"/v/noext"));
    EXPECT_TRUE(slAll.IsAllowedFile(u"/v/a.TXT"));
}

TEST(FileStringsFilter, RefusedEntriesLoseTheirObjects) {
    TMyFileStrings sl;
    sl.AllowExtAdd(u".mp3");
    EXPECT_EQ(sl.AddObject(u"a.wav", new test::TCountedObject), -1);
    sl.InsertObject(0, u"b.wav", new test::TCountedObject);
    EXPECT_EQ(test::TCountedObject::Alive(), 0);
    EXPECT_EQ(sl.AddObject(u"a.mp3", nullptr), 0);
    TMyFileStrings slCopy;
    slCopy.Add(u"x.wav");
    TMyWStrings slPlain;
    slPlain.Add(u"y.wav");
    slPlain.Add(u"z.mp3");
    slCopy.Assign(sl);
    EXPECT_EQ(Entries(slCopy.AllowExt()), (std::vector<std::u16string>{u".mp3"}));
    slCopy.Assign(slPlain);
    EXPECT_EQ(Entries(slCopy), (std::vector<std::u16string>{u"z.mp3"}));
}

TEST(FileStringsSort, KeysAndDirections) {
    TempFolder dir;
    const std::u16string sSmall = dir.Write(u"b/small.mp3", "1");
    const std::u16string sLarge = dir.Write(u"a/large.avi", "1234567");
    const std::u16string sMiddle = dir.Write(u"c/mid10.wav", "123");
    const std::u16string sMissing = dir / u"mid2.flac";
    TMyFileStrings sl;
    for (const auto& s : {sSmall, sLarge, sMiddle, sMissing}) {
        sl.Add(s);
    }
    sl.SortFileSize(false, 0, -1);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sLarge, sMiddle, sSmall, sMissing}));
    sl.SortFileSize(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sMissing, sSmall, sMiddle, sLarge}));
    sl.SortMediaName(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sLarge, sMissing, sMiddle, sSmall}));
    sl.SortMediaExt(false);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sMiddle, sSmall, sMissing, sLarge}));
    sl.SortMediaPath(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sMissing, sLarge, sSmall, sMiddle}));
    sl.SortFileName(false, 1, 2);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sMissing, sSmall, sLarge, sMiddle}));
    // The pairwise comparisons give the sorts' order through CustomSort.
    sl.CustomSort(TMyFileStrings::CompareFileSizeDesc);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sLarge, sMiddle, sSmall, sMissing}));
    EXPECT_EQ(TMyFileStrings::CompareFileWriteTimeAsc(sl, 3, 0), -1);
    EXPECT_EQ(TMyFileStrings::CompareFileCreateTimeDesc(sl, 3, 0), 1);
}

TEST(FileStringsShuffle, PermutesAndKeepsObjects) {
    TMyFileStrings sl;
    sl.Shuffle(0, -1);
    sl.Add(u"only");
    sl.Shuffle(0, -1);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"only"}));
    sl.Clear();
    std::vector<TMyObject*> aObjects;
    for (int i = 0; i < 50; ++i) {
        aObjects.push_back(new test::TCountedObject);
        sl.AddObject(u"e" + std::u16string(1, static_cast<char16_t>(u'A' + i)), aObjects.back());
    }
    sl.Shuffle(10, -1);
    std::set<std::u16string> aSeen;
    bool bMoved = false;
    for (int i = 0; i < 50; ++i) {
        const int iOriginal = sl.Get(i)[1] - u'A';
        EXPECT_EQ(sl.Objects(i), aObjects[static_cast<std::size_t>(iOriginal)]);
        EXPECT_TRUE(i >= 10 || iOriginal == i);
        bMoved = bMoved || iOriginal != i;
        aSeen.insert(sl.Get(i));
    }
    EXPECT_EQ(aSeen.size(), 50u);
    EXPECT_TRUE(bMoved); // 40! orders; the one that moves nothing is not a shuffle
    sl.SetObjectsFree(true);
    sl.Clear();
}

TEST(FileStringsText, CmdLineAndUpperCase) {
    TMyFileStrings sl;
    EXPECT_EQ(sl.CmdLine(), u"");
    sl.Add(u"a");
    sl.Add(u"");
    sl.Add(u"b c");
    EXPECT_EQ(sl.CmdLine(), u"\"a\" \"b c\"");
    EXPECT_EQ(sl.ShortCmdLine(), sl.CmdLine());
    sl.Add(u"straße é ｆ 𐐨");
    sl.UpperCase();
    EXPECT_EQ(sl.Get(3), u"STRAßE É Ｆ 𐐀");
    EXPECT_EQ(sl.Get(0), u"A");
}

} // namespace
} // namespace skivra
