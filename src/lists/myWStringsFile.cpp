// TMyWStrings and text files.

#include "lists/myEncoding.h"
#include "lists/myTextFile.h"
#include "lists/myWStrings.h"

namespace skivra {

void TMyWStrings::AddFile(std::u16string_view sFile) {
    TMyCharCode cdCode = cdAuto;
    AddText(ReadTextFile(sFile, cdCode));
}

void TMyWStrings::AddFile(const TMyWStrings& AList) {
    for (int32_t i = 0; i < AList.Count(); ++i) {
        // A copy: the list may be this one, which grows meanwhile.
        const std::u16string sFile = AList.Get(i);
        AddFile(sFile);
    }
}

void TMyWStrings::LoadFromFile(std::u16string_view sFile) {
    LoadFromFile(sFile, FcdCharCode);
}

void TMyWStrings::LoadFromFile(std::u16string_view sFile, TMyCharCode& cdCode) {
    SetText(ReadTextFile(sFile, cdCode));
}

void TMyWStrings::LoadFromFile(std::u16string_view sFile, TMyCharCode& cdCode, int64_t iByte) {
    SetText(ReadTextFile(sFile, cdCode, iByte));
}

bool TMyWStrings::SaveToFile(std::u16string_view sFile, TMyCharCode cdCode, TMyNewLine nlNewLine) {
    FnlNewLine = nlNewLine;
    return SaveToFile(sFile, cdCode);
}

bool TMyWStrings::SaveToFile(std::u16string_view sFile, TMyCharCode cdCode) {
    try {
        return WriteTextFile(sFile, GetText(), cdCode);
    } catch (const std::exception&) {
        return false;
    }
}

bool TMyWStrings::SaveToFile(std::u16string_view sFile) {
    return SaveToFile(sFile, FcdCharCode);
}

const std::vector<std::string>& TMyWStrings::Utf7Strings() {
    FOutList.clear();
    for (int32_t i = 0; i < Count(); ++i) {
        FOutList.push_back(UnicodeToUtf7(Get(i)));
    }
    return FOutList;
}

const std::vector<std::string>& TMyWStrings::Utf8Strings() {
    FOutList.clear();
    for (int32_t i = 0; i < Count(); ++i) {
        FOutList.push_back(UnicodeToUtf8(Get(i)));
    }
    return FOutList;
}

} // namespace skivra
