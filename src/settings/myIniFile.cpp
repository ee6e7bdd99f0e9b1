#include "settings/myIniFile.h"

#include "lists/myString.h"
#include "lists/myTextFile.h"
#include "platform/posix/myAtomicFile.h"
#include "settings/myIniLine.h"
#include "support/myProgram.h"
#include "support/myUnicode.h"

#include <sys/stat.h>

#include <unordered_set>

namespace skivra {

namespace {

std::u16string Header(std::u16string_view sName) {
    std::u16string s(u"[");
    s += sName;
    s += u"]";
    return s;
}

// Walks from the last line to the first so that of a repeated name the last one survives,
// and drops blank and nameless lines; the survivors keep their order.
void CleanValues(std::vector<std::u16string>& lines) {
    std::unordered_set<std::u16string> seen;
    std::vector<bool> keep(lines.size(), false);
    for (std::size_t i = lines.size(); i-- > 0;) {
        const std::u16string_view sName = IniKeyName(lines[i]);
        if (TrimText(lines[i]).empty() || sName.empty())
            continue;
        keep[i] = seen.insert(UpperCaseAscii(sName)).second;
    }
    std::size_t iOut = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!keep[i])
            continue;
        if (iOut != i)
            lines[iOut] = std::move(lines[i]);
        ++iOut;
    }
    lines.resize(iOut);
}

bool IsOneLine(std::u16string_view s) {
    return s.find_first_of(std::u16string_view(u"\r\n\0", 3)) == std::u16string_view::npos;
}

std::vector<std::u16string> LinesOf(const TMyWStrings& AStrings) {
    std::vector<std::u16string> lines;
    lines.reserve(static_cast<std::size_t>(AStrings.Count()));
    for (std::int32_t i = 0; i < AStrings.Count(); ++i)
        lines.push_back(AStrings.Get(i));
    return lines;
}

void AssignLines(TMyWStrings& AStrings, const std::vector<std::u16string>& lines) {
    AStrings.Clear();
    for (const std::u16string& s : lines)
        AStrings.Add(s);
}

} // namespace

TMyIniFile::TMyIniFile() : TMyIniFile(cdAuto) {}

TMyIniFile::TMyIniFile(TMyCharCode cdCode) : TMyIniFile(GetDataFileName(u".ini"), cdCode) {}

TMyIniFile::TMyIniFile(const std::u16string& sFileName, TMyCharCode cdCode)
    : FsFileName(sFileName), FcdReadCharCode(cdCode), FcdWriteCharCode(cdCode) {
    SetFileName(sFileName);
}

TMyIniFile::~TMyIniFile() {
    UpdateFile();
}

void TMyIniFile::SetFileName(const std::u16string& sFileName) {
    // The name is taken literally: "?" and "*" are ordinary characters of playlist names.
    struct stat st {};
    if (::stat(Utf16ToUtf8(sFileName).c_str(), &st) != 0) {
        // A link to a drive that is not mounted, a folder that cannot be searched: the file
        // is there but out of reach, and writing would replace it with this session's keys.
        if (SomethingAtPath(sFileName))
            MarkUnreadable(sFileName);
        return;
    }
    if (!S_ISREG(st.st_mode))
        return;
    FsFileName = sFileName;
    const std::int64_t iSize = st.st_size;
    FbTruncated = iSize > kMaxFileBytes;
    const std::optional<std::u16string> sText =
        ReadTextFileChecked(sFileName, FcdReadCharCode, FbTruncated ? kMaxFileBytes : iSize);
    if (!sText) {
        MarkUnreadable(sFileName);
        return;
    }
    FbUnreadable = false;
    TMyWStrings lines;
    lines.SetText(*sText);
    FList = LinesOf(lines);
    FnlNewLine = lines.NewLine();
    ForgetSection();
    IndexSections();
}

void TMyIniFile::MarkUnreadable(const std::u16string& sFileName) {
    FsFileName = sFileName;
    FbUnreadable = true;
    FList.clear();
    ForgetSection();
    IndexSections();
}

void TMyIniFile::IndexSections() {
    FSectionIndex.clear();
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (const auto sName = IniSectionName(FList[i]))
            FSectionIndex.push_back({std::u16string(*sName), i});
}

std::optional<TMyIniFile::TMySectionLines>
TMyIniFile::FindSection(std::u16string_view sSection) const {
    sSection = TrimText(sSection);
    for (std::size_t i = 0; i < FSectionIndex.size(); ++i) {
        if (!SameTextAscii(FSectionIndex[i].sName, sSection))
            continue;
        const std::size_t iLast =
            i + 1 < FSectionIndex.size() ? FSectionIndex[i + 1].iLine - 1 : FList.size() - 1;
        return TMySectionLines{FSectionIndex[i].iLine, iLast};
    }
    return std::nullopt;
}

void TMyIniFile::RemoveSectionLines(std::u16string_view sSection) {
    if (const auto found = FindSection(sSection)) {
        FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(found->iFirst),
                    FList.begin() + static_cast<std::ptrdiff_t>(found->iLast + 1));
    }
    if (!FsSection.empty() && SameTextAscii(FsSection, TrimText(sSection)))
        FsSection.clear();
}

void TMyIniFile::ReadSectionLines(std::u16string_view sSection, std::vector<std::u16string>& lines,
                                  bool bValues) {
    sSection = TrimText(sSection);
    if (!FsSection.empty() && SameTextAscii(sSection, FsSection)) {
        lines = FSectionData;
    } else if (const auto found = FindSection(sSection)) {
        lines.assign(FList.begin() + static_cast<std::ptrdiff_t>(found->iFirst + 1),
                     FList.begin() + static_cast<std::ptrdiff_t>(found->iLast + 1));
    } else {
        lines.clear();
    }
    if (bValues)
        CleanValues(lines);
}

void TMyIniFile::SelectSection(std::u16string_view sSection) {
    sSection = TrimText(sSection);
    if (!FsSection.empty() && SameTextAscii(sSection, FsSection))
        return;
    FlushSection();
    // Forget the old cache first, or ReadSectionLines would hand it back.
    ForgetSection();
    ReadSectionLines(sSection, FSectionData, true);
    FsSection = sSection;
    IndexCachedKeys();
}

void TMyIniFile::FlushSection() {
    if (FbSectionModified) {
        // A copy: putting the section back forgets the cached name.
        const std::u16string sName = FsSection;
        PutSection(sName, FSectionData, true);
    }
}

void TMyIniFile::ForgetSection() {
    FsSection.clear();
    FSectionData.clear();
    FSectionKeys.clear();
    FbSectionModified = false;
}

void TMyIniFile::PutSection(std::u16string_view sSection, const std::vector<std::u16string>& lines,
                            bool bValues) {
    FbModified = true;
    RemoveSectionLines(sSection);
    FList.push_back(Header(sSection));
    if (bValues) {
        std::unordered_set<std::u16string> seen;
        for (const std::u16string& s : lines) {
            const std::u16string_view sName = IniKeyName(s);
            if (TrimText(s).empty() || sName.empty() || !seen.insert(UpperCaseAscii(sName)).second)
                continue;
            FList.push_back(s);
        }
        FList.emplace_back();
    } else {
        FList.insert(FList.end(), lines.begin(), lines.end());
    }
    FbSectionModified = false;
    IndexSections();
}

void TMyIniFile::IndexCachedKeys() {
    FSectionKeys.clear();
    for (std::size_t i = 0; i < FSectionData.size(); ++i)
        FSectionKeys.emplace(UpperCaseAscii(IniKeyName(FSectionData[i])), i);
}

const std::u16string* TMyIniFile::FindCachedLine(std::u16string_view sKey) const {
    const auto it = FSectionKeys.find(UpperCaseAscii(sKey));
    return it == FSectionKeys.end() ? nullptr : &FSectionData[it->second];
}

bool TMyIniFile::SectionExists(std::u16string_view sSection) const {
    return FindSection(sSection).has_value();
}

void TMyIniFile::ReadSections(TMyWStrings& AStrings) const {
    AStrings.Clear();
    for (const TMySectionEntry& entry : FSectionIndex)
        AStrings.Add(entry.sName);
}

void TMyIniFile::ReadSection(std::u16string_view sSection, TMyWStrings& AStrings) {
    std::vector<std::u16string> lines;
    ReadSectionLines(sSection, lines, true);
    for (std::u16string& s : lines)
        s = std::u16string(IniKeyName(s));
    AssignLines(AStrings, lines);
}

void TMyIniFile::ReadSectionValues(std::u16string_view sSection, TMyWStrings& AStrings) {
    std::vector<std::u16string> lines;
    ReadSectionLines(sSection, lines, true);
    AssignLines(AStrings, lines);
}

void TMyIniFile::ReadSectionText(std::u16string_view sSection, TMyWStrings& AStrings) {
    std::vector<std::u16string> lines;
    ReadSectionLines(sSection, lines, false);
    AssignLines(AStrings, lines);
}

// A whole-section write supersedes the key cache of that section, so the cache is put
// back or dropped first: later key reads then see what was written.
void TMyIniFile::WriteSectionValues(std::u16string_view sSection, const TMyWStrings& AStrings) {
    sSection = TrimText(sSection);
    if (!FsSection.empty() && SameTextAscii(sSection, FsSection))
        ForgetSection();
    PutSection(sSection, LinesOf(AStrings), true);
}

void TMyIniFile::WriteSectionText(std::u16string_view sSection, const TMyWStrings& AStrings) {
    sSection = TrimText(sSection);
    FbModified = true;
    FlushSection();
    if (!FsSection.empty() && SameTextAscii(sSection, FsSection))
        ForgetSection();
    // A line holding a line break would come back as several lines, and a NUL would cut
    // off the rest of the file when it is read again.
    std::vector<std::u16string> lines = LinesOf(AStrings);
    std::erase_if(lines, [](const std::u16string& s) { return !IsOneLine(s); });
    PutSection(sSection, lines, false);
}

void TMyIniFile::EraseSection(std::u16string_view sSection) {
    sSection = TrimText(sSection);
    // Pending key writes of the erased section are dropped with it.
    if (!FsSection.empty() && SameTextAscii(sSection, FsSection))
        ForgetSection();
    if (!FindSection(sSection))
        return;
    FbModified = true;
    RemoveSectionLines(sSection);
    IndexSections();
}

void TMyIniFile::WriteSection(std::u16string_view sSection) {
    const std::u16string_view sTrimmed = TrimText(sSection);
    if (FindSection(sTrimmed) || (!FsSection.empty() && SameTextAscii(sTrimmed, FsSection)))
        return;
    FbModified = true;
    FList.push_back(Header(sSection));
    FList.emplace_back();
    IndexSections();
}

bool TMyIniFile::UpdateFile() {
    if (!FbModified)
        return false;
    bool bResult = false;
    // Runs from the destructor: a failed save is a false result, never an error.
    try {
        FlushSection();
        if (!FbDebug && !FbTruncated && !FbUnreadable) {
            TMyWStrings lines;
            for (const std::u16string& s : FList)
                lines.Add(s);
            bResult = lines.SaveToFile(FsFileName, FcdWriteCharCode, FnlNewLine);
        }
    } catch (...) {
        bResult = false;
    }
    FbModified = false;
    return bResult;
}

std::u16string TMyIniFile::ReadString(std::u16string_view sSection, std::u16string_view sKey,
                                      std::u16string_view sDefault) {
    SelectSection(sSection);
    const std::u16string* line = FindCachedLine(sKey);
    const std::u16string_view sValue = line ? IniKeyValue(*line) : std::u16string_view{};
    return std::u16string(sValue.empty() ? sDefault : sValue);
}

bool TMyIniFile::WriteString(std::u16string_view sSection, std::u16string_view sKey,
                             std::u16string_view sValue) {
    if (!IsOneLine(sValue))
        return false;
    FbModified = true;
    SelectSection(sSection);
    FbSectionModified = true;
    // The key is written trimmed, so it replaces the line of its trimmed name.
    const std::u16string_view sName = TrimText(sKey);
    std::u16string sLine(sName);
    sLine += u'=';
    sLine += sValue;
    const auto [it, bNew] = FSectionKeys.emplace(UpperCaseAscii(sName), FSectionData.size());
    if (bNew)
        FSectionData.push_back(std::move(sLine));
    else
        FSectionData[it->second] = std::move(sLine);
    return true;
}

} // namespace skivra
