#pragma once

#include "support/myUnicode.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace skivra::test {

// A fresh folder below the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        std::string sTemplate = (std::filesystem::temp_directory_path() / "skivra-XXXXXX").string();
        if (!mkdtemp(sTemplate.data())) {
            std::abort();
        }
        FsPath = sTemplate;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(FsPath, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(FsPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return FsPath; }
    std::u16string Path16() const { return *Utf8ToUtf16(FsPath); }
    // The native path of a name below the folder, UTF-16 as the program holds it.
    std::u16string operator/(std::u16string_view sName) const {
        return Path16() + u"/" + std::u16string(sName);
    }

    // Writes a file (creating its folders) and returns its UTF-16 path.
    std::u16string Write(std::u16string_view sName, std::string_view sContent = "x") const {
        const std::filesystem::path path = FsPath + "/" + Utf16ToUtf8(sName);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << sContent;
        return *this / sName;
    }
    std::u16string MakeFolder(std::u16string_view sName) const {
        std::filesystem::create_directories(FsPath + "/" + Utf16ToUtf8(sName));
        return *this / sName;
    }

private:
    std::string FsPath;
};

} // namespace skivra::test
