#pragma once

#include "lists/myCharCode.h"
#include "lists/myStrings.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace skivra {

class TMyWStrings;
enum class TMyNaturalOrder : std::uint8_t; // lists/myNaturalSortKey.h

// Duplicate policy of sorted mode.
enum TDuplicates : uint8_t {
    dupIgnore,
    dupAccept,
    dupError,
};

// The quiet cancel: an operation that ends this way did nothing the user needs to hear of.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

// Negative when entry iIndex1 sorts before entry iIndex2, 0 when equal, positive after. The
// sorts pass the list itself and indexes of entries (the merge sort: the positions the
// entries had when it began), so a comparison may read strings and objects there. An
// exception thrown by a comparison ends the merge sort with the list unchanged.
using TMyWStringsSortCompare =
    std::function<int32_t(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2)>;
// Raised by AddText per non-empty line: the index it was added at and its length + 1.
using TMyWStringsOnAdd = std::function<void(TMyWStrings& Sender, int32_t iCount, int64_t iLength)>;
using TMyNotifyEvent = std::function<void(TMyWStrings& Sender)>;

// The list of UTF-16 strings, each with an optional object, that every list of the program
// is or derives from. It stores nothing itself: it wraps a backing list (TMyStrings) that it
// either creates and owns or borrows from a caller.
//
// Access is range-tolerant: an index outside 0 to count - 1 reads as the empty string or no
// object, and writes there are ignored. The adding operations funnel into the virtual
// InsertObject (Add -> AddObject -> InsertObject; Insert and Append -> InsertObject;
// AddStrings and InsertStrings of a TMyWStrings go through Add and Insert), so a derived
// class that overrides AddObject and InsertObject sees every string entering that way; the
// forms taking a TMyStrings write the backing list directly and bypass such overrides.
// A derived class overriding one overload should bring in the others with a using-declaration.
//
// UI thread only. TextEx pumps the event queue while it runs.
class TMyWStrings {
public:
    TMyWStrings();
    // Borrows AList when given (the caller keeps owning it), otherwise owns a new list.
    explicit TMyWStrings(TMyStrings* AList);
    TMyWStrings(const TMyWStrings&) = delete;
    TMyWStrings& operator=(const TMyWStrings&) = delete;
    virtual ~TMyWStrings();

    // --- access
    virtual const std::u16string& Get(int32_t iIndex) const;
    virtual void Put(int32_t iIndex, std::u16string_view sStr);
    virtual TMyObject* GetObject(int32_t Index) const;
    virtual void PutObject(int32_t Index, TMyObject* AObject);
    const std::u16string& Strings(int32_t iIndex) const { return Get(iIndex); }
    TMyObject* Objects(int32_t iIndex) const { return GetObject(iIndex); }

    int32_t Count() const;
    virtual int32_t GetCapacity() const;
    virtual void SetCapacity(int32_t iCapacity);
    int32_t Capacity() const { return GetCapacity(); }

    // --- text forms
    // Every entry followed by the line end of NewLine, the last one included.
    virtual std::u16string GetText() const;
    // Clear, then AddText.
    virtual void SetText(std::u16string_view sText);
    std::u16string Text() const { return GetText(); }
    // The entries joined with Delimiter.
    virtual std::u16string GetTextEx() const;
    // The entries replaced by the pieces of the text cut at Delimiter ("a,,b" gives a, empty,
    // b; a trailing delimiter adds no empty entry). An empty text leaves the list empty and
    // throws EAbort.
    virtual void SetTextEx(std::u16string_view sText);
    std::u16string TextEx() const { return GetTextEx(); }
    // The entries joined with Delimiter, those holding a blank or control character, the
    // delimiter or the quote put in quotes (the quote doubled inside).
    std::u16string DelimitedText() const;
    // DelimitedText with a comma and the double quote.
    std::u16string CommaText();
    // Appends the lines of the text (CR LF, CR or LF end a line; a NUL ends the text) and
    // records the line-end style in NewLine.
    virtual void AddText(std::u16string_view sText);

    // --- adding and removing
    virtual int32_t Add(std::u16string_view sStr);
    virtual int32_t AddObject(std::u16string_view S, TMyObject* AObject);
    virtual void Append(std::u16string_view sStr);
    virtual void Insert(int32_t iIndex, std::u16string_view sStr);
    // The one place where entries enter the backing list one at a time. A failure of the
    // backing list is shown to the user and swallowed: nothing is inserted.
    virtual void InsertObject(int32_t Index, std::u16string_view S, TMyObject* AObject);
    virtual int32_t AddName(std::u16string_view sName, std::u16string_view sValue);
    virtual void AddStrings(const TMyStrings& AList);
    virtual void AddStrings(const TMyWStrings& AList);
    virtual void AddStrings(int32_t iCount);
    virtual void InsertStrings(int32_t iIndex, const TMyStrings& slList);
    virtual void InsertStrings(int32_t iIndex, const TMyWStrings& slList);
    virtual void Delete(int32_t iIndex);
    virtual void Clear();
    virtual void Assign(const TMyStrings& AList);
    virtual void Assign(const TMyWStrings& AList);

    // --- the backing list
    // Borrows AList (an owned list is cleared and destroyed first); with nullptr an owned
    // list is cleared and a borrowed one replaced by a new owned list.
    virtual void Attach(TMyStrings* AList);
    // Clears the list and makes sure there is one; a borrowed list stays attached.
    virtual void Detach();
    TMyStrings& UStrings() const { return *FList; }
    bool ListOwned() const { return FbListFree; }
    virtual void BeginUpdate();
    virtual void EndUpdate();

    // --- search: linear, -1 when nothing matches; a negative start counts as 0.
    int32_t IndexOf(std::u16string_view sStr, int32_t iIndex = 0) const;
    virtual int32_t InStringOf(std::u16string_view sStr) const;
    virtual int32_t InStringOf(std::u16string_view sStr, int32_t iIndex) const;
    virtual int32_t InHeadStringOf(std::u16string_view sStr) const;
    virtual int32_t InHeadStringOf(std::u16string_view sStr, int32_t iIndex) const;
    // Names always match without regard to ASCII case.
    int32_t IndexOfName(std::u16string_view sName, int32_t iIndex = 0) const;
    // Sorted-mode lookup: true and the index of the first equal entry, or false and the
    // index of the first greater entry (the count when there is none).
    virtual bool Find(std::u16string_view sStr, int32_t& iIndex) const;
    bool Equals(const TMyWStrings& AList) const;

    // --- name=value entries
    // The text before the first "=" (at position 2 or later), trimmed; otherwise empty.
    std::u16string Names(int32_t iIndex) const;
    // The text after the first "=" of the entry named sName, the whole entry when it has no
    // "=", empty when there is none.
    std::u16string Values(std::u16string_view sName) const;
    // Replaces the entry named sName by "name=value" (the name trimmed), or adds it.
    void SetValues(std::u16string_view sName, std::u16string_view sValue);

    // --- reordering; Exchange and Move reject invalid indexes with std::out_of_range.
    virtual void Exchange(int32_t iIndex1, int32_t iIndex2);
    virtual void Move(int32_t iCurrentIndex, int32_t iNewIndex);
    virtual void Reverse();

    // --- sorting (myWStringsSort.cpp)
    // Compares Strings of the two indexes: ordinal, or with a to z folded when the list is
    // not case-sensitive.
    static int32_t DefaultListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2);
    // CompareFilePath of the two Strings: the comparison of FileSort and FileInsertionSort.
    static int32_t FileListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2);
    // CompareNaturalPath and CompareNaturalText of the two Strings. The merge sort knows
    // these and FileListCompare: given one, it sorts through sort keys (see
    // MergeSortNatural), with the same result.
    static int32_t NaturalPathListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2);
    static int32_t NaturalTextListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2);
    virtual void Sort();
    virtual void CustomSort(const TMyWStringsSortCompare& fniCompare);
    // Stable; the comparison sees the entries at the positions they had when the sort began,
    // and the entries move once, at the end, with Put and PutObject (no OnChange). A
    // comparison that throws ends the sort with the list unchanged. Indexes outside the list
    // are clamped into it.
    virtual void MergeSort(int32_t iStart, int32_t iEnd, const TMyWStringsSortCompare& fniCompare);
    virtual void MergeSort(int32_t iStart, int32_t iEnd);
    // Inside an update bracket; then RemoveDuplicates when bUnique.
    virtual void MergeSort(const TMyWStringsSortCompare& fniCompare, bool bUnique);
    virtual void MergeSort(const TMyWStringsSortCompare& fniCompare);
    virtual void MergeSort();
    // The merge sort of iStart to iEnd by the ordering's comparison (CompareNaturalPath,
    // CompareNaturalText, CompareFilePath or CompareNumberedText) of fnText(list, index), the
    // entry's string when fnText is empty: the same order as MergeSort with that comparison,
    // but every entry is read once into a sort key instead of at every comparison, which
    // makes sorting a long playlist many times faster.
    void MergeSortNatural(
        int32_t iStart, int32_t iEnd, TMyNaturalOrder order,
        const std::function<std::u16string(TMyWStrings& slList, int32_t iIndex)>& fnText = {});
    // Not stable. Exchanges entries through Exchange (OnChange each time) and pumps the event
    // queue as it goes. With bUnique, RemoveDuplicates afterwards.
    virtual void QuickSort(const TMyWStringsSortCompare& fniCompare);
    virtual void QuickSort(const TMyWStringsSortCompare& fniCompare, bool bUnique);
    // Stable. Exchanges entries through Exchange and pumps the event queue after each step;
    // with bUnique the later of two equal entries is deleted through Delete.
    virtual void InsertionSort(bool bUnique);
    virtual void InsertionSort(const TMyWStringsSortCompare& fniCompare, bool bUnique);
    void InsertionSort(const TMyWStringsSortCompare& fniCompare);
    // A comparison function would otherwise convert to bool and pick InsertionSort(bUnique).
    template <class Compare>
    requires std::is_invocable_r_v<int32_t, Compare&, TMyWStrings&, int32_t, int32_t>
    void InsertionSort(Compare&& fniCompare) {
        InsertionSort(TMyWStringsSortCompare(std::forward<Compare>(fniCompare)), false);
    }
    // The merge sort by FileListCompare, then RemoveDuplicates; the flag changes nothing.
    virtual void FileSort();
    virtual void FileSort(bool bUnique);
    // The merge sort of iStart to iEnd by FileListCompare, without removal.
    virtual void FileSort(int32_t iStart, int32_t iEnd);
    // The insertion sort by FileListCompare (no removal unless bUnique).
    void FileInsertionSort();
    void FileInsertionSort(bool bUnique);
    // Deletes every entry equal to the one before it, straight from the backing list: no
    // objects destroyed, no OnChange.
    virtual void RemoveDuplicates();
    bool Sorted() const { return FbSorted; }
    // true sorts the list once and removes duplicates unless Duplicates is dupAccept.
    void SetSorted(bool bSorted);
    // The number of merge steps of the running merge sort, and its progress text.
    int64_t SortDepth() const { return FiSortDepth; }
    const std::u16string& ProgressMsg() const { return FsProgressMsg; }

    // --- files
    // Reads the whole file (encoding detected) and appends its lines; CharCode is kept.
    virtual void AddFile(std::u16string_view sFile);
    virtual void AddFile(const TMyWStrings& AList);
    // Replaces the entries by the file's text; cdCode cdAuto detects, and the encoding used
    // comes back in cdCode. The one-argument form uses and updates CharCode. A file that
    // cannot be read gives an empty list.
    virtual void LoadFromFile(std::u16string_view sFile);
    virtual void LoadFromFile(std::u16string_view sFile, TMyCharCode& cdCode);
    virtual void LoadFromFile(std::u16string_view sFile, TMyCharCode& cdCode, int64_t iByte);
    // Writes Text in the encoding; true when the file was written completely. The file is
    // replaced in one step, so a failed save leaves the old file as it was.
    virtual bool SaveToFile(std::u16string_view sFile, TMyCharCode cdCode, TMyNewLine nlNewLine);
    virtual bool SaveToFile(std::u16string_view sFile, TMyCharCode cdCode);
    virtual bool SaveToFile(std::u16string_view sFile);

    // Each entry encoded as UTF-7 or UTF-8; the list keeps owning the result.
    const std::vector<std::string>& Utf7Strings();
    const std::vector<std::string>& Utf8Strings();

    // --- properties
    bool CaseSensitive() const { return FbCaseSensitive; }
    void SetCaseSensitive(bool bValue) { FbCaseSensitive = bValue; }
    TMyCharCode CharCode() const { return FcdCharCode; }
    void SetCharCode(TMyCharCode cdValue) { FcdCharCode = cdValue; }
    const std::u16string& Delimiter() const { return FsDelimiter; }
    void SetDelimiter(std::u16string_view sValue) { FsDelimiter = sValue; }
    const std::u16string& QuoteChar() const { return FsQuoteChar; }
    void SetQuoteChar(std::u16string_view sValue) { FsQuoteChar = sValue; }
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    TMyNewLine NewLine() const { return FnlNewLine; }
    void SetNewLine(TMyNewLine nlValue) { FnlNewLine = nlValue; }
    bool ObjectsFree() const { return FbObjectsFree; }
    void SetObjectsFree(bool bValue) { FbObjectsFree = bValue; }
    TMyWStringsOnAdd OnAdd;
    // Raised after InsertObject, Delete, Exchange and Move.
    TMyNotifyEvent OnChange;

protected:
    void DoChange();
    // Reserves room for iExtra more entries plus some slack; only a hint, never fails.
    void ReserveMore(int64_t iExtra);
    bool SameEntry(std::u16string_view s1, std::u16string_view s2) const;

private:
    void StartSortProgress();
    void StepSortProgress();
    // The merge sort of iStart to iEnd (already clamped) by a comparison of two indexes.
    template <class Compare> void SortIndexes(int32_t iStart, int32_t iEnd, Compare&& fnCompare);

    TMyStrings* FList = nullptr;
    std::vector<std::string> FOutList;
    bool FbListFree = false;
    bool FbCaseSensitive = false;
    bool FbSorted = false;
    int64_t FiSortDepth = 0;
    std::u16string FsProgressMsg;
    TDuplicates FDuplicates = dupIgnore;
    std::u16string FsDelimiter = u",";
    std::u16string FsQuoteChar = u"\"";
    TMyCharCode FcdCharCode = cdAuto;
    TMyNewLine FnlNewLine = nlCRLF;
    bool FbObjectsFree = false;
};

// BeginUpdate for the life of the object, EndUpdate at its end (also on an exception).
class TMyUpdateBracket {
public:
    explicit TMyUpdateBracket(TMyWStrings& slList) : FslList(slList) { FslList.BeginUpdate(); }
    TMyUpdateBracket(const TMyUpdateBracket&) = delete;
    TMyUpdateBracket& operator=(const TMyUpdateBracket&) = delete;
    ~TMyUpdateBracket() { FslList.EndUpdate(); }

private:
    TMyWStrings& FslList;
};

// true when an entry equals the text ignoring ASCII letter case.
bool TextInList(std::u16string_view sText, const TMyWStrings& slList);

} // namespace skivra
