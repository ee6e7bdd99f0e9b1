#pragma once

#include "lists/myWStrings.h"
#include "support/myRect.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skivra {

// A font as the settings file stores it; the UI converts its own font type to and from it.
struct TMyFontValue {
    std::u16string sName;
    std::int32_t iSize = 0;  // points
    std::int32_t iColor = 0; // colour value, red in the lowest byte
    bool bBold = false;
    bool bItalic = false;
    bool bUnderLine = false;
    bool bStrikeOut = false;
    std::int32_t iCharset = 0; // 0 to 255
    friend bool operator==(const TMyFontValue&, const TMyFontValue&) = default;
};

// An integer that did not fit 32 bits; the read returned the default instead.
struct TMyIniRangeError {
    std::u16string sSection;
    std::u16string sKey;
    std::u16string sValue;
};

// The settings file: the whole file as a list of lines, one section at a time decoded into
// a key cache, typed reads and writes over the cache, and one write-back when the object is
// destroyed (or UpdateFile is called). Only a changed section is rewritten, and it moves to
// the end of the file; every other line keeps its bytes, so hand edits and the sections of
// other programs survive. Values are stored verbatim; names ignore the case of ASCII
// letters. Reading never writes: a playlist opened with it is never touched.
//
// One object per batch of reads or writes, on one thread at a time; two objects on one
// file do not see each other, and the one destroyed last decides the content.
class TMyIniFile {
public:
    // Files above this size are read only this far and are then never written back, so a
    // wrong file given as settings (a video renamed to .pls) costs a bounded read and
    // loses nothing. Settings files are a few kilobytes and a playlist of 15,000 entries
    // fits; the bound also caps the lines (a file of line ends only gives 2 Mi of them).
    static constexpr std::int64_t kMaxFileBytes = 2 * 1024 * 1024;

    // The program's settings file (GetDataFileName(".ini")).
    TMyIniFile();
    explicit TMyIniFile(TMyCharCode cdCode);
    explicit TMyIniFile(const std::u16string& sFileName, TMyCharCode cdCode = cdAuto);
    ~TMyIniFile(); // UpdateFile
    TMyIniFile(const TMyIniFile&) = delete;
    TMyIniFile& operator=(const TMyIniFile&) = delete;

    const std::u16string& FileName() const { return FsFileName; }
    // Loads the file when it exists (the document and its encoding are replaced); when it
    // does not, nothing changes, and the old name stays. A file that is there but cannot
    // be read leaves an empty document that is never written (Unreadable).
    void SetFileName(const std::u16string& sFileName);
    bool Debug() const { return FbDebug; }
    void SetDebug(bool bDebug) { FbDebug = bDebug; }
    TMyCharCode WriteCharCode() const { return FcdWriteCharCode; }
    void SetWriteCharCode(TMyCharCode cdCode) { FcdWriteCharCode = cdCode; }
    // The encoding the file was read in.
    TMyCharCode ReadCharCode() const { return FcdReadCharCode; }
    // The file was larger than kMaxFileBytes: the document holds its beginning only.
    bool Truncated() const { return FbTruncated; }
    // The file is there but could not be read (no permission, a read error, a link to a
    // drive that is not mounted): the document is empty, and the file is never written,
    // so what could not be read is not replaced by this session's keys alone.
    bool Unreadable() const { return FbUnreadable; }

    // Sections. Names are trimmed; a section known only to the key cache is not seen by
    // SectionExists and ReadSections.
    bool SectionExists(std::u16string_view sSection) const;
    void ReadSections(TMyWStrings& AStrings) const; // every header, duplicates included
    void ReadSection(std::u16string_view sSection, TMyWStrings& AStrings);
    // The key lines without blanks, remarks and repeated names (the last one wins).
    void ReadSectionValues(std::u16string_view sSection, TMyWStrings& AStrings);
    // The lines verbatim; the cached key lines when the section is the cached one.
    void ReadSectionText(std::u16string_view sSection, TMyWStrings& AStrings);
    // Replace the section (moving it to the end) by its key lines, unique, the first of a
    // repeated name kept; or by the lines verbatim, without an empty line after them.
    void WriteSectionValues(std::u16string_view sSection, const TMyWStrings& AStrings);
    void WriteSectionText(std::u16string_view sSection, const TMyWStrings& AStrings);
    void EraseSection(std::u16string_view sSection);
    // Adds an empty section "[name]" at the end unless it exists.
    void WriteSection(std::u16string_view sSection);

    // Writes the document when it changed. True when the file was written; false when
    // nothing changed, Debug is set, the file was truncated or unreadable on reading, or
    // the save failed (the old file is then left as it was). The changes count as written
    // either way.
    bool UpdateFile();

    // Keys. A read returns the default when the key is absent or its value is empty.
    std::u16string ReadString(std::u16string_view sSection, std::u16string_view sKey,
                              std::u16string_view sDefault);
    // A value holding a line break or NUL cannot be one line of the file: it is not stored,
    // and the result is false.
    bool WriteString(std::u16string_view sSection, std::u16string_view sKey,
                     std::u16string_view sValue);
    // The lenient integer conversion; a value outside 32 bits gives the default and is
    // recorded (LastRangeError), so a hand-edited file never stops the program.
    std::int32_t ReadInteger(std::u16string_view sSection, std::u16string_view sKey,
                             std::int32_t iDefault);
    void WriteInteger(std::u16string_view sSection, std::u16string_view sKey, std::int32_t iValue);
    bool ReadBool(std::u16string_view sSection, std::u16string_view sKey, bool bDefault);
    void SetBool(std::u16string_view sSection, std::u16string_view sKey, bool& bValue);
    void WriteBool(std::u16string_view sSection, std::u16string_view sKey, bool bValue);
    // In the user's decimal notation; a text that is no number reads as 0.0.
    double ReadFloat(std::u16string_view sSection, std::u16string_view sKey, double fDefault);
    void WriteFloat(std::u16string_view sSection, std::u16string_view sKey, double fValue);
    TMyRect ReadRect(std::u16string_view sSection, std::u16string_view sKey,
                     const TMyRect& rcDefault);
    void WriteRect(std::u16string_view sSection, std::u16string_view sKey, const TMyRect& rcValue);
    TMyPoint ReadPoint(std::u16string_view sSection, std::u16string_view sKey, TMyPoint ptDefault);
    void WritePoint(std::u16string_view sSection, std::u16string_view sKey, TMyPoint ptValue);
    TMySize ReadSize(std::u16string_view sSection, std::u16string_view sKey, TMySize szDefault);
    void WriteSize(std::u16string_view sSection, std::u16string_view sKey, TMySize szValue);
    // Reads into the font; its current values are the defaults.
    void SetFont(std::u16string_view sSection, std::u16string_view sKey, TMyFontValue& Font);
    void WriteFont(std::u16string_view sSection, std::u16string_view sKey,
                   const TMyFontValue& Font);

    // Window bounds: a rectangle under the window's component name, in screen pixels,
    // right and bottom exclusive, by default in the section "Bounds". The UI passes the
    // window's current bounds as the default.
    static constexpr std::u16string_view kBoundsSection = u"Bounds";
    TMyRect ReadBoundsRect(std::u16string_view sSection, std::u16string_view sName,
                           const TMyRect& rcCurrent) {
        return ReadRect(sSection, sName, rcCurrent);
    }
    void WriteBoundsRect(std::u16string_view sSection, std::u16string_view sName,
                         const TMyRect& rcRect) {
        WriteRect(sSection, sName, rcRect);
    }
    // The saved bounds read back onto the work area of the monitor they overlap most (or
    // lie nearest to): the saved size is kept, the position moves just far enough, a
    // window larger than the work area is aligned to its left or top edge.
    TMyRect ReadMonitorBoundsRect(std::u16string_view sSection, std::u16string_view sKey,
                                  const TMyRect& rcDefault);

    std::optional<TMyIniRangeError> LastRangeError() const { return FLastRangeError; }
    std::size_t RangeErrorCount() const { return FiRangeErrors; }

private:
    struct TMySectionEntry {
        std::u16string sName;
        std::size_t iLine;
    };
    struct TMySectionLines {
        std::size_t iFirst; // the header
        std::size_t iLast;  // the section's last line
    };

    void IndexSections();
    void MarkUnreadable(const std::u16string& sFileName);
    std::optional<TMySectionLines> FindSection(std::u16string_view sSection) const;
    void RemoveSectionLines(std::u16string_view sSection);
    void ReadSectionLines(std::u16string_view sSection, std::vector<std::u16string>& lines,
                          bool bValues);
    void SelectSection(std::u16string_view sSection);
    void FlushSection();
    void ForgetSection();
    void PutSection(std::u16string_view sSection, const std::vector<std::u16string>& lines,
                    bool bValues);
    void IndexCachedKeys();
    // The integers stored under sKey followed by each suffix; aValues holds the defaults.
    void ReadIntegers(std::u16string_view sSection, std::u16string_view sKey,
                      std::span<const std::u16string_view> aSuffixes,
                      std::span<std::int32_t> aValues);
    void WriteIntegers(std::u16string_view sSection, std::u16string_view sKey,
                       std::span<const std::u16string_view> aSuffixes,
                       std::span<const std::int32_t> aValues);
    const std::u16string* FindCachedLine(std::u16string_view sKey) const;

    std::u16string FsFileName;
    std::vector<std::u16string> FList; // the document, one line each
    TMyNewLine FnlNewLine = nlCRLF;    // the line end the file used
    std::vector<TMySectionEntry> FSectionIndex;
    std::u16string FsSection; // the cached section; empty when none is
    std::vector<std::u16string> FSectionData;
    std::unordered_map<std::u16string, std::size_t> FSectionKeys; // folded name -> line
    bool FbSectionModified = false;
    bool FbModified = false;
    bool FbDebug = false;
    bool FbTruncated = false;
    bool FbUnreadable = false;
    TMyCharCode FcdReadCharCode = cdAuto;
    TMyCharCode FcdWriteCharCode = cdAuto;
    std::optional<TMyIniRangeError> FLastRangeError;
    std::size_t FiRangeErrors = 0;
};

} // namespace skivra
