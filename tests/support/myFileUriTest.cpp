// The file: addresses of local files, both ways.
#include "support/myFileUri.h"

#include <gtest/gtest.h>

#include <utility>

namespace skivra {
namespace {

TEST(FileUri, PathsAndAddressesBothWays) {
    const std::pair<std::string_view, std::string_view> uris[] = {
        {"/home/u/a b.jpg", "file:///home/u/a%20b.jpg"},
        {"/p/壁紙#1%.png", "file:///p/%E5%A3%81%E7%B4%99%231%25.png"},
        {"/x/~_-.bmp", "file:///x/~_-.bmp"},
    };
    for (const auto& [sPath, sUri] : uris) {
        EXPECT_EQ(FilePathToUri(sPath), sUri);
        EXPECT_EQ(FileUriToPath(sUri), std::string(sPath));
    }
    EXPECT_EQ(FileUriToPath("file://localhost/a/b"), "/a/b");
    for (const std::string_view sBad : {"http://host/a.jpg", "file://host/a.jpg", "file:///a%2",
                                        "file:///a%zz", "file:///a%00b", "/plain/path"}) {
        EXPECT_EQ(FileUriToPath(sBad), std::nullopt) << sBad;
    }
    EXPECT_EQ(FileUriToPath("FILE:///a/b"), "/a/b");
}

} // namespace
} // namespace skivra
