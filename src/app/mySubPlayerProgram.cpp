#include "app/mySubPlayerProgram.h"

#include <unistd.h>

#include "support/myPath.h"
#include "support/myUnicode.h"

namespace skivra {

namespace {

std::u16string Beside(const std::u16string& sProgram, std::u16string_view sName) {
    return GetFolderPathPart(sProgram) + std::u16string(sName);
}

} // namespace

std::u16string SubPlayerProgramFile(const std::u16string& sPlayerProgram) {
    const std::u16string sOwn = Beside(sPlayerProgram, kSubPlayerProgramName);
    return access(Utf16ToUtf8(sOwn).c_str(), X_OK) == 0 ? sOwn : sPlayerProgram;
}

std::u16string PlayerProgramFile(const std::u16string& sSubPlayerProgram) {
    return Beside(sSubPlayerProgram, kPlayerProgramName);
}

} // namespace skivra
