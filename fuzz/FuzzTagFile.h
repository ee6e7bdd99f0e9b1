#pragma once

#include "support/myUnicode.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// The tag readers read files by name, so each input is written to one scratch file of this
// process (in memory where /dev/shm exists) and read back through the reader.
inline std::u16string WriteFuzzFile(const std::uint8_t* pData, std::size_t iSize,
                                    const char* sExt) {
    static const std::string sPath = [sExt] {
        const char* sDir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(sDir) + "/skivra-fuzz-" + std::to_string(getpid()) + sExt;
    }();
    std::FILE* pFile = std::fopen(sPath.c_str(), "wb");
    if (!pFile) {
        std::abort();
    }
    if (iSize > 0 && std::fwrite(pData, 1, iSize, pFile) != iSize) {
        std::abort();
    }
    std::fclose(pFile);
    return *skivra::Utf8ToUtf16(sPath);
}
