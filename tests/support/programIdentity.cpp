// Not a test: the program that ProgramIdentity.NamesSurviveAnUpdate runs from a copy, and
// replaces while it runs. It says it is running, waits for a line, and prints its names.

#include "support/myProgram.h"
#include "support/myUnicode.h"

#include <iostream>
#include <string>

int main() {
    using namespace skivra;
    std::cout << "ready" << std::endl;
    std::string sLine;
    std::getline(std::cin, sLine);
    std::cout << "program=" << Utf16ToUtf8(GetProgramFileName()) << "\n"
              << "ini=" << Utf16ToUtf8(GetDataFileName(u".ini")) << "\n"
              << "playlist=" << Utf16ToUtf8(GetDataFileName(u".playlist")) << "\n"
              << "version=" << Utf16ToUtf8(GetProgramVersion()) << std::endl;
    return 0;
}
