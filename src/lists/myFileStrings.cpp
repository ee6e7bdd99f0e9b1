#include "lists/myFileStrings.h"

#include "lists/myLocaleCompare.h"
#include "lists/myNaturalCompare.h"
#include "lists/myNaturalSortKey.h"
#include "lists/myRandom.h"
#include "lists/myString.h"
#include "support/myEventHook.h"
#include "support/myFile.h"
#include "support/myPath.h"

#include <algorithm>
#include <set>
#include <unicode/uchar.h>
#include <unicode/utf16.h>
#include <utility>

namespace skivra {

namespace {

std::function<bool()>& EscapeKeyQuery() {
    static std::function<bool()> fnQuery;
    return fnQuery;
}

void AddExtension(TMyWStrings& slList, std::u16string_view sExt) {
    if (!TextInList(sExt, slList)) {
        slList.Add(sExt);
    }
}

// A copy first: the list may be the one added to.
template <class TRange> void AddExtensions(TMyWStrings& slList, const TRange& aExts) {
    for (const auto& sExt : aExts) {
        AddExtension(slList, sExt);
    }
}

bool ExtensionInList(std::u16string_view sExt, const std::vector<std::u16string>& aList) {
    return std::any_of(aList.begin(), aList.end(), [&](const std::u16string& sEntry) {
        return CompareLocaleText(sExt, sEntry) == 0;
    });
}

bool SameEntries(const std::vector<std::u16string>& aCopy, const TMyWStrings& slList) {
    if (aCopy.size() != static_cast<std::size_t>(slList.Count())) {
        return false;
    }
    for (std::size_t i = 0; i < aCopy.size(); ++i) {
        if (aCopy[i] != slList.Get(static_cast<int32_t>(i))) {
            return false;
        }
    }
    return true;
}

std::vector<std::u16string> CopyEntries(const TMyWStrings& slList) {
    std::vector<std::u16string> aCopy;
    aCopy.reserve(static_cast<std::size_t>(slList.Count()));
    for (int32_t i = 0; i < slList.Count(); ++i) {
        aCopy.push_back(slList.Get(i));
    }
    return aCopy;
}

int32_t CompareKeys(int64_t k1, int64_t k2) {
    return k1 > k2 ? 1 : (k1 < k2 ? -1 : 0);
}

int64_t SizeKey(TMyWStrings& slList, int32_t i) {
    return static_cast<int64_t>(GetFileSizeOf(slList.Get(i)));
}
int64_t WriteTimeKey(TMyWStrings& slList, int32_t i) {
    return static_cast<int64_t>(GetFileWriteTime64(slList.Get(i)));
}
int64_t CreateTimeKey(TMyWStrings& slList, int32_t i) {
    return static_cast<int64_t>(GetFileCreateTime64(slList.Get(i)));
}

// The scan's queue of folder patterns, kept in the order the file comparison gives (equal
// patterns in the order they came) without repeats, so the next one taken is always the
// smallest pending.
class TMyPatternQueue {
public:
    void Push(std::u16string sPattern) {
        auto it = std::upper_bound(FPatterns.begin(), FPatterns.end(), sPattern,
                                   [](const std::u16string& a, const std::u16string& b) {
                                       return CompareFilePath(a, b) < 0;
                                   });
        for (auto back = it; back != FPatterns.begin();) {
            --back;
            if (CompareFilePath(*back, sPattern) != 0) {
                break;
            }
            if (*back == sPattern) {
                return;
            }
        }
        FPatterns.insert(it, std::move(sPattern));
    }
    bool Empty() const { return FPatterns.empty(); }
    std::u16string Pop() {
        std::u16string sFirst = std::move(FPatterns.front());
        FPatterns.erase(FPatterns.begin());
        return sFirst;
    }

private:
    std::vector<std::u16string> FPatterns;
};

} // namespace

TMyFileStrings::TMyFileStrings(TMyStrings* AList)
    : TMyWStrings(AList), F_slOut(std::make_unique<TMyWStrings>()),
      F_slAllowExt(std::make_unique<TMyWStrings>()),
      F_slDisallowExt(std::make_unique<TMyWStrings>()), F_slPath(std::make_unique<TMyWStrings>()) {
    SetCaseSensitive(false);
    // Two paths that differ in letter case name two files here.
    F_slPath->SetCaseSensitive(true);
    Randomize();
}

TMyFileStrings::~TMyFileStrings() = default;

// --- filter

bool TMyFileStrings::ExtensionAllowed(std::u16string_view sExt) {
    if (!SameEntries(FFilterAllow, *F_slAllowExt) ||
        !SameEntries(FFilterDisallow, *F_slDisallowExt)) {
        FFilterAllow = CopyEntries(*F_slAllowExt);
        FFilterDisallow = CopyEntries(*F_slDisallowExt);
        FFilterAnswers.clear();
    }
    const std::u16string sKey(sExt);
    if (const auto it = FFilterAnswers.find(sKey); it != FFilterAnswers.end()) {
        return it->second;
    }
    const bool bAllowed = (FFilterAllow.empty() || ExtensionInList(sExt, FFilterAllow)) &&
                          !ExtensionInList(sExt, FFilterDisallow);
    // A scan meets a handful of extensions; a hostile list of paths must not grow this.
    if (FFilterAnswers.size() > 4096) {
        FFilterAnswers.clear();
    }
    FFilterAnswers.emplace(sKey, bAllowed);
    return bAllowed;
}

bool TMyFileStrings::IsAllowedFile(std::u16string_view sPath) {
    F_bIsAddOk = ExtensionAllowed(GetExtPart(sPath));
    return F_bIsAddOk;
}

int32_t TMyFileStrings::AddObject(std::u16string_view S, TMyObject* AObject) {
    if (!IsAllowedFile(S)) {
        delete AObject;
        return -1;
    }
    return TMyWStrings::AddObject(S, AObject);
}

void TMyFileStrings::InsertObject(int32_t Index, std::u16string_view S, TMyObject* AObject) {
    if (!IsAllowedFile(S)) {
        delete AObject;
        return;
    }
    TMyWStrings::InsertObject(Index, S, AObject);
}

void TMyFileStrings::InsertEntries(int32_t iIndex,
                                   std::vector<std::pair<std::u16string, TMyObject*>>& aEntries) {
    if (aEntries.empty()) {
        return;
    }
    if (Sorted()) {
        for (auto& entry : aEntries) {
            TMyWStrings::InsertObject(iIndex++, entry.first, std::exchange(entry.second, nullptr));
        }
        return;
    }
    const TMyUpdateBracket update(*this);
    TMyStrings& slBacking = UStrings();
    iIndex = std::clamp(iIndex, 0, slBacking.Count());
    ReserveMore(static_cast<int64_t>(aEntries.size()));
    // The entries after the insertion point step aside (taken from the end, which moves
    // nothing), the new ones are appended, and the others come back after them.
    std::vector<std::pair<std::u16string, TMyObject*>> aTail;
    aTail.reserve(static_cast<std::size_t>(slBacking.Count() - iIndex));
    while (slBacking.Count() > iIndex) {
        const int32_t iLast = slBacking.Count() - 1;
        aTail.emplace_back(slBacking.Get(iLast), slBacking.GetObject(iLast));
        slBacking.Delete(iLast);
    }
    for (auto& entry : aEntries) {
        slBacking.InsertObject(slBacking.Count(), std::move(entry.first),
                               std::exchange(entry.second, nullptr));
    }
    for (auto it = aTail.rbegin(); it != aTail.rend(); ++it) {
        slBacking.InsertObject(slBacking.Count(), std::move(it->first), it->second);
    }
    DoChange();
}

void TMyFileStrings::Assign(const TMyWStrings& AList) {
    TMyWStrings::Assign(AList);
    AssignExt(AList);
}

void TMyFileStrings::AssignExt(const TMyWStrings& AList) {
    if (const auto* pFiles = dynamic_cast<const TMyFileStrings*>(&AList)) {
        if (pFiles == this) {
            return;
        }
        F_slAllowExt->Assign(*pFiles->F_slAllowExt);
        F_slDisallowExt->Assign(*pFiles->F_slDisallowExt);
    }
}

void TMyFileStrings::SetAllowExt(const TMyWStrings& AExts) {
    if (&AExts != F_slAllowExt.get()) {
        F_slAllowExt->Assign(AExts);
    }
}

void TMyFileStrings::SetDisallowExt(const TMyWStrings& AExts) {
    if (&AExts != F_slDisallowExt.get()) {
        F_slDisallowExt->Assign(AExts);
    }
}

void TMyFileStrings::AllowExtAdd(std::u16string_view sExt) {
    AddExtension(*F_slAllowExt, sExt);
}

void TMyFileStrings::AllowExtAdd(std::initializer_list<std::u16string_view> aExts) {
    AddExtensions(*F_slAllowExt, aExts);
}

void TMyFileStrings::AllowExtAdd(const TMyWStrings& AExts) {
    AddExtensions(*F_slAllowExt, CopyEntries(AExts));
}

void TMyFileStrings::DisallowExtAdd(std::u16string_view sExt) {
    AddExtension(*F_slDisallowExt, sExt);
}

void TMyFileStrings::DisallowExtAdd(std::initializer_list<std::u16string_view> aExts) {
    AddExtensions(*F_slDisallowExt, aExts);
}

void TMyFileStrings::DisallowExtAdd(const TMyWStrings& AExts) {
    AddExtensions(*F_slDisallowExt, CopyEntries(AExts));
}

// --- scan

TMyObject* TMyFileStrings::CreateListObject(std::u16string_view sFileName,
                                            const TMyFindData& AFindData) {
    return OnGetListObject ? OnGetListObject(sFileName, AFindData) : nullptr;
}

bool TMyFileStrings::ContinueQuietly() const {
    return OnIsCancel ? !OnIsCancel() : !IsTerminating();
}

bool TMyFileStrings::ContinueScan() {
    PumpEvents();
    return ContinueQuietly();
}

void TMyFileStrings::ScanOnePath(std::u16string_view sPath, int32_t iStartCount,
                                 int32_t& iSortedMark, bool& bGoOn) {
    TMyPatternQueue queue;
    queue.Push(sPath.back() == u'/' ? std::u16string(sPath) + u"*" : std::u16string(sPath));
    // Real folders already read for this path: a link back to an ancestor ends here.
    std::set<std::pair<uint64_t, uint64_t>> visited;
    while (!queue.Empty() && bGoOn) {
        const std::u16string sPattern = queue.Pop();
        TMyFindFile find(sPattern);
        const bool bSeen = find.FolderDevice() != 0 || find.FolderInode() != 0
                               ? !visited.emplace(find.FolderDevice(), find.FolderInode()).second
                               : false;
        TMyFindData data;
        if (bSeen || !find.Next(data)) {
            bGoOn = ContinueScan();
            continue;
        }
        const std::u16string sFolder = GetFolderPathPart(sPattern);
        int32_t iLastAdded = -1;
        do {
            if ((data.iAttributes & F_iDelAttr) == 0) {
                if ((data.iAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    queue.Push(sFolder + data.sFileName + u"/*");
                } else {
                    const std::u16string sFull = sFolder + data.sFileName;
                    TMyObject* AObject = CreateListObject(sFull, data);
                    const int32_t iIndex = AddObject(sFull, AObject);
                    if (iIndex >= 0) {
                        iLastAdded = iIndex;
                        if (OnDispCount) {
                            OnDispCount(iIndex - iStartCount + 1, sFull);
                        }
                    }
                }
            }
            bGoOn = ContinueScan();
        } while (bGoOn && find.Next(data));
        F_iSkippedNames += find.SkippedNames();
        if (iLastAdded >= 0) {
            FileSort(iSortedMark, iLastAdded);
            iSortedMark = iLastAdded + 1;
        }
        bGoOn = ContinueScan();
    }
}

bool TMyFileStrings::ScanPaths() {
    if (!F_bAppend) {
        Clear();
    }
    const int32_t iStartCount = Count();
    int32_t iSortedMark = iStartCount;
    F_slPath->FileSort();
    bool bGoOn = true;
    bool bAnyPath = false;
    for (int32_t i = 0; i < F_slPath->Count() && bGoOn; ++i) {
        const std::u16string sPath = F_slPath->Get(i);
        if (sPath.empty()) {
            continue;
        }
        bAnyPath = true;
        ScanOnePath(sPath, iStartCount, iSortedMark, bGoOn);
    }
    return bAnyPath && bGoOn;
}

bool TMyFileStrings::ScanPathsCancelable() {
    const TMyFileListDispCount fnDispCount = OnDispCount;
    const TMyFileListCancel fnIsCancel = OnIsCancel;
    if (!OnIsCancel && F_bEscCancel) {
        OnIsCancel = [this] {
            return IsEscapePressed();
        };
    }
    bool bResult = false;
    try {
        bResult = ScanPaths();
    } catch (...) {
        OnDispCount = fnDispCount;
        OnIsCancel = fnIsCancel;
        throw;
    }
    OnDispCount = fnDispCount;
    OnIsCancel = fnIsCancel;
    return bResult;
}

bool TMyFileStrings::IsEscapePressed() const {
    const std::function<bool()>& fnQuery = EscapeKeyQuery();
    return fnQuery ? fnQuery() : false;
}

void TMyFileStrings::SetEscapeKeyQuery(std::function<bool()> fnQuery) {
    EscapeKeyQuery() = std::move(fnQuery);
}

bool TMyFileStrings::GetList(const TMyWStrings& APath) {
    if (&APath != F_slPath.get()) {
        F_slPath->Assign(APath);
    }
    return ScanPaths();
}

bool TMyFileStrings::GetList(std::u16string_view sPath) {
    F_slPath->Clear();
    F_slPath->Add(sPath);
    return ScanPaths();
}

bool TMyFileStrings::AppendList(const TMyWStrings& slPath) {
    const bool bAppend = std::exchange(F_bAppend, true);
    const bool bResult = GetList(slPath);
    F_bAppend = bAppend;
    return bResult;
}

bool TMyFileStrings::AppendList(std::u16string_view sPath) {
    const bool bAppend = std::exchange(F_bAppend, true);
    const bool bResult = GetList(sPath);
    F_bAppend = bAppend;
    return bResult;
}

void TMyFileStrings::SetPathList(const TMyWStrings& slList) {
    if (&slList != F_slPath.get()) {
        F_slPath->Assign(slList);
    }
}

// --- sorts

void TMyFileStrings::SortByText(
    bool bAscending, int32_t iStart, int32_t iEnd,
    const std::function<std::u16string(TMyWStrings&, int32_t)>& fnText) {
    iEnd = LastIndex(iEnd);
    if (bAscending) {
        MergeSortNatural(iStart, iEnd, TMyNaturalOrder::Path, fnText);
        return;
    }
    // Descending compares the two the other way round; the sort stays stable.
    MergeSort(iStart, iEnd, [&](TMyWStrings& slList, int32_t i1, int32_t i2) {
        const std::u16string s1 = fnText ? fnText(slList, i1) : slList.Get(i1);
        const std::u16string s2 = fnText ? fnText(slList, i2) : slList.Get(i2);
        return static_cast<int32_t>(CompareNaturalPath(s2, s1));
    });
}

void TMyFileStrings::SortByKey(bool bAscending, int32_t iStart, int32_t iEnd,
                               const std::function<int64_t(int32_t iIndex)>& fnKey) {
    iEnd = std::min(LastIndex(iEnd), Count() - 1);
    iStart = std::max(iStart, 0);
    if (iStart >= iEnd) {
        return;
    }
    std::vector<int64_t> aKeys(static_cast<std::size_t>(iEnd - iStart + 1));
    for (int32_t i = iStart; i <= iEnd; ++i) {
        aKeys[static_cast<std::size_t>(i - iStart)] = fnKey(i);
    }
    MergeSort(iStart, iEnd, [&](TMyWStrings&, int32_t i1, int32_t i2) {
        const int64_t k1 = aKeys[static_cast<std::size_t>(i1 - iStart)];
        const int64_t k2 = aKeys[static_cast<std::size_t>(i2 - iStart)];
        return bAscending ? CompareKeys(k1, k2) : CompareKeys(k2, k1);
    });
}

void TMyFileStrings::SortFileName(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd, {});
}

void TMyFileStrings::SortMediaName(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd,
               [](TMyWStrings& slList, int32_t i) { return GetFileNamePart(slList.Get(i)); });
}

void TMyFileStrings::SortMediaPath(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd,
               [](TMyWStrings& slList, int32_t i) { return GetFolderPathPart(slList.Get(i)); });
}

void TMyFileStrings::SortMediaExt(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd,
               [](TMyWStrings& slList, int32_t i) { return GetExtPart(slList.Get(i)); });
}

void TMyFileStrings::SortFileSize(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) { return SizeKey(*this, i); });
}

void TMyFileStrings::SortFileWriteTime(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) { return WriteTimeKey(*this, i); });
}

void TMyFileStrings::SortFileCreateTime(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) { return CreateTimeKey(*this, i); });
}

int32_t TMyFileStrings::CompareFileSizeAsc(TMyWStrings& slList, int32_t i1, int32_t i2) {
    return CompareKeys(SizeKey(slList, i1), SizeKey(slList, i2));
}
int32_t TMyFileStrings::CompareFileSizeDesc(TMyWStrings& slList, int32_t i1, int32_t i2) {
    return CompareFileSizeAsc(slList, i2, i1);
}
int32_t TMyFileStrings::CompareFileWriteTimeAsc(TMyWStrings& slList, int32_t i1, int32_t i2) {
    return CompareKeys(WriteTimeKey(slList, i1), WriteTimeKey(slList, i2));
}
int32_t TMyFileStrings::CompareFileWriteTimeDesc(TMyWStrings& slList, int32_t i1, int32_t i2) {
    return CompareFileWriteTimeAsc(slList, i2, i1);
}
int32_t TMyFileStrings::CompareFileCreateTimeAsc(TMyWStrings& slList, int32_t i1, int32_t i2) {
    return CompareKeys(CreateTimeKey(slList, i1), CreateTimeKey(slList, i2));
}
int32_t TMyFileStrings::CompareFileCreateTimeDesc(TMyWStrings& slList, int32_t i1, int32_t i2) {
    return CompareFileCreateTimeAsc(slList, i2, i1);
}

void TMyFileStrings::Shuffle(int32_t iStart, int32_t iEnd) {
    iEnd = LastIndex(iEnd);
    if (iStart < 0 || iEnd >= Count() || iEnd < iStart) {
        return;
    }
    const int32_t n = iEnd - iStart + 1;
    std::vector<int32_t> aIndexes(static_cast<std::size_t>(n));
    for (int32_t k = 0; k < n; ++k) {
        aIndexes[static_cast<std::size_t>(k)] = iStart + k;
    }
    // Every position swaps with one drawn from the whole range, as the player always has.
    for (int32_t k = 0; k < n; ++k) {
        const int32_t r = RandomInt(n);
        if (r != k) {
            std::swap(aIndexes[static_cast<std::size_t>(k)], aIndexes[static_cast<std::size_t>(r)]);
        }
    }
    std::vector<std::pair<std::u16string, TMyObject*>> aEntries;
    aEntries.reserve(static_cast<std::size_t>(n));
    for (const int32_t i : aIndexes) {
        aEntries.emplace_back(Get(i), GetObject(i));
    }
    for (int32_t k = 0; k < n; ++k) {
        auto& entry = aEntries[static_cast<std::size_t>(k)];
        Put(iStart + k, entry.first);
        PutObject(iStart + k, entry.second);
    }
}

// --- command-line forms

namespace {

template <class TText> std::u16string QuotedEntries(int32_t iCount, TText&& fnText) {
    std::u16string sResult;
    for (int32_t i = 0; i < iCount; ++i) {
        const std::u16string sEntry = fnText(i);
        if (sEntry.empty()) {
            continue;
        }
        if (!sResult.empty()) {
            sResult += u' ';
        }
        sResult += u'"';
        sResult += sEntry;
        sResult += u'"';
    }
    return sResult;
}

} // namespace

std::u16string TMyFileStrings::CmdLine() const {
    return QuotedEntries(Count(), [this](int32_t i) { return Get(i); });
}

std::u16string TMyFileStrings::ShortFileName(int32_t iIndex) const {
    return GetShortFormPath(Get(iIndex));
}

std::u16string TMyFileStrings::ShortCmdLine() const {
    return QuotedEntries(Count(), [this](int32_t i) { return ShortFileName(i); });
}

void TMyFileStrings::UpperCase() {
    for (int32_t i = 0; i < Count(); ++i) {
        const std::u16string& sEntry = Get(i);
        std::u16string sUpper;
        sUpper.reserve(sEntry.size());
        for (std::size_t k = 0; k < sEntry.size();) {
            UChar32 c = 0;
            U16_NEXT(sEntry.data(), k, sEntry.size(), c);
            c = u_toupper(c);
            if (c > 0xFFFF) {
                sUpper += static_cast<char16_t>(U16_LEAD(c));
                sUpper += static_cast<char16_t>(U16_TRAIL(c));
            } else {
                sUpper += static_cast<char16_t>(c);
            }
        }
        Put(i, sUpper);
    }
}

} // namespace skivra
