#include "lists/myWStrings.h"

#include "lists/myString.h"
#include "lists/myTextFile.h"
#include "support/myEventHook.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace skivra {

namespace {

const std::u16string kEmpty;

} // namespace

TMyWStrings::TMyWStrings() : TMyWStrings(nullptr) {}

TMyWStrings::TMyWStrings(TMyStrings* AList) {
    if (AList != nullptr) {
        FList = AList;
        FbListFree = false;
        FbCaseSensitive = AList->CaseSensitive().value_or(false);
    } else {
        FList = new TMyStringList;
        FbListFree = true;
    }
}

TMyWStrings::~TMyWStrings() {
    if (FbListFree) {
        TMyWStrings::Clear();
        delete FList;
    }
}

// --- access

const std::u16string& TMyWStrings::Get(int32_t iIndex) const {
    if (iIndex < 0 || iIndex >= Count()) {
        return kEmpty;
    }
    return FList->Get(iIndex);
}

void TMyWStrings::Put(int32_t iIndex, std::u16string_view sStr) {
    if (iIndex >= 0 && iIndex < Count()) {
        FList->Put(iIndex, std::u16string(sStr));
    }
}

TMyObject* TMyWStrings::GetObject(int32_t Index) const {
    if (Index < 0 || Index >= Count()) {
        return nullptr;
    }
    return FList->GetObject(Index);
}

void TMyWStrings::PutObject(int32_t Index, TMyObject* AObject) {
    if (Index >= 0 && Index < Count()) {
        FList->PutObject(Index, AObject);
    }
}

int32_t TMyWStrings::Count() const {
    try {
        return FList->Count();
    } catch (...) {
        return 0;
    }
}

int32_t TMyWStrings::GetCapacity() const {
    return FList->Capacity();
}

void TMyWStrings::SetCapacity(int32_t iCapacity) {
    FList->SetCapacity(iCapacity);
}

void TMyWStrings::ReserveMore(int64_t iExtra) {
    const int64_t iWanted = static_cast<int64_t>(Count()) + std::max<int64_t>(iExtra, 0) + 100;
    if (iWanted > std::numeric_limits<int32_t>::max()) {
        return;
    }
    try {
        SetCapacity(static_cast<int32_t>(iWanted));
    } catch (const std::exception&) {
        // The reservation only saves reallocations; the adds report real shortage.
    }
}

void TMyWStrings::DoChange() {
    if (OnChange) {
        OnChange(*this);
    }
}

bool TMyWStrings::SameEntry(std::u16string_view s1, std::u16string_view s2) const {
    return FbCaseSensitive ? s1 == s2 : SameTextAscii(s1, s2);
}

// --- text forms

std::u16string TMyWStrings::GetText() const {
    const int32_t iCount = Count();
    const std::u16string_view sLineEnd = LineEndText(FnlNewLine);
    size_t iLength = 0;
    for (int32_t i = 0; i < iCount; ++i) {
        iLength += Get(i).size() + sLineEnd.size();
    }
    std::u16string sResult;
    sResult.reserve(iLength);
    for (int32_t i = 0; i < iCount; ++i) {
        sResult += Get(i);
        sResult += sLineEnd;
    }
    return sResult;
}

void TMyWStrings::SetText(std::u16string_view sText) {
    Clear();
    AddText(sText);
}

std::u16string TMyWStrings::GetTextEx() const {
    const int32_t iCount = Count();
    size_t iLength = 0;
    for (int32_t i = 0; i < iCount; ++i) {
        iLength += Get(i).size() + (i > 0 ? FsDelimiter.size() : 0);
    }
    std::u16string sResult;
    sResult.reserve(iLength);
    for (int32_t i = 0; i < iCount; ++i) {
        if (i > 0) {
            sResult += FsDelimiter;
        }
        sResult += Get(i);
        PumpEvents();
    }
    return sResult;
}

void TMyWStrings::SetTextEx(std::u16string_view sText) {
    const TMyUpdateBracket update(*this);
    Clear();
    if (sText.empty()) {
        throw EAbort();
    }
    if (FsDelimiter.empty()) {
        // Nothing can cut the text: it is one entry.
        Add(sText);
        return;
    }
    std::u16string_view sRest = sText;
    for (;;) {
        const size_t iFound = sRest.find(FsDelimiter);
        if (iFound == std::u16string_view::npos) {
            Add(sRest);
            PumpEvents();
            break;
        }
        Add(sRest.substr(0, iFound));
        PumpEvents();
        sRest.remove_prefix(iFound + FsDelimiter.size());
        if (sRest.empty()) {
            break;
        }
    }
}

std::u16string TMyWStrings::DelimitedText() const {
    const int32_t iCount = Count();
    if (iCount == 1 && Get(0).empty()) {
        return FsQuoteChar + FsQuoteChar;
    }
    std::u16string sResult;
    for (int32_t i = 0; i < iCount; ++i) {
        const std::u16string& sEntry = Get(i);
        bool bQuote = false;
        for (const char16_t c : sEntry) {
            if (c <= u' ') {
                bQuote = true;
                break;
            }
        }
        const bool bHasDelimiter =
            !FsDelimiter.empty() && sEntry.find(FsDelimiter) != std::u16string::npos;
        const bool bHasQuote =
            !FsQuoteChar.empty() && sEntry.find(FsQuoteChar) != std::u16string::npos;
        if (i > 0) {
            sResult += FsDelimiter;
        }
        if (bQuote || bHasDelimiter || bHasQuote) {
            sResult += FsQuoteChar;
            sResult +=
                bHasQuote ? ReplaceAll(sEntry, FsQuoteChar, FsQuoteChar + FsQuoteChar) : sEntry;
            sResult += FsQuoteChar;
        } else {
            sResult += sEntry;
        }
    }
    return sResult;
}

std::u16string TMyWStrings::CommaText() {
    const std::u16string sQuote = std::exchange(FsQuoteChar, std::u16string(1, u'"'));
    const std::u16string sDelimiter = std::exchange(FsDelimiter, std::u16string(1, u','));
    std::u16string sResult = DelimitedText();
    FsQuoteChar = sQuote;
    FsDelimiter = sDelimiter;
    return sResult;
}

void TMyWStrings::AddText(std::u16string_view sText) {
    const TMyUpdateBracket update(*this);
    const size_t iNul = sText.find(u'\0');
    if (iNul != std::u16string_view::npos) {
        sText = sText.substr(0, iNul);
    }
    bool bSawCR = false;
    bool bSawLF = false;
    size_t i = 0;
    while (i < sText.size()) {
        size_t iEnd = i;
        while (iEnd < sText.size() && sText[iEnd] != u'\r' && sText[iEnd] != u'\n') {
            ++iEnd;
        }
        const std::u16string_view sLine = sText.substr(i, iEnd - i);
        i = iEnd;
        if (i < sText.size() && sText[i] == u'\r') {
            bSawCR = true;
            ++i;
        }
        if (i < sText.size() && sText[i] == u'\n') {
            bSawLF = true;
            ++i;
        }
        const int32_t iIndex = Add(sLine);
        if (!sLine.empty() && OnAdd) {
            OnAdd(*this, iIndex, static_cast<int64_t>(sLine.size()) + 1);
        }
    }
    if (bSawCR && !bSawLF) {
        FnlNewLine = nlCR;
    } else if (bSawLF && !bSawCR) {
        FnlNewLine = nlLF;
    } else {
        FnlNewLine = nlCRLF;
    }
}

// --- adding and removing

int32_t TMyWStrings::Add(std::u16string_view sStr) {
    return AddObject(sStr, nullptr);
}

int32_t TMyWStrings::AddObject(std::u16string_view S, TMyObject* AObject) {
    InsertObject(Count(), S, AObject);
    return Count() - 1;
}

void TMyWStrings::Append(std::u16string_view sStr) {
    InsertObject(Count(), sStr, nullptr);
}

void TMyWStrings::Insert(int32_t iIndex, std::u16string_view sStr) {
    InsertObject(iIndex, sStr, nullptr);
}

void TMyWStrings::InsertObject(int32_t Index, std::u16string_view S, TMyObject* AObject) {
    int32_t iPosition = 0;
    if (!FbSorted || FDuplicates == dupAccept) {
        iPosition = std::clamp(Index, 0, Count());
    } else if (Find(S, iPosition)) {
        if (FDuplicates == dupError) {
            ShowProgramMessage(u"文字列リストは重複を許しません");
        }
        return;
    }
    try {
        FList->InsertObject(iPosition, std::u16string(S), AObject);
    } catch (const std::bad_alloc&) {
        ShowProgramMessage(u"データが大きすぎて操作が完了できませんでした");
        return;
    } catch (const std::length_error&) {
        ShowProgramMessage(u"データが大きすぎて操作が完了できませんでした");
        return;
    } catch (const std::exception&) {
        ShowProgramMessage(u"操作が完了できませんでした");
        return;
    }
    DoChange();
}

int32_t TMyWStrings::AddName(std::u16string_view sName, std::u16string_view sValue) {
    std::u16string sEntry(sName);
    sEntry += u'=';
    sEntry += sValue;
    return Add(sEntry);
}

void TMyWStrings::AddStrings(const TMyStrings& AList) {
    ReserveMore(AList.Count());
    FList->AddStrings(AList);
}

void TMyWStrings::AddStrings(const TMyWStrings& AList) {
    const TMyUpdateBracket update(*this);
    const int32_t iCount = AList.Count();
    ReserveMore(iCount);
    for (int32_t i = 0; i < iCount; ++i) {
        // A copy: adding a list to itself may move the strings in memory.
        const std::u16string sStr = AList.Get(i);
        Add(sStr);
    }
}

void TMyWStrings::AddStrings(int32_t iCount) {
    const TMyUpdateBracket update(*this);
    ReserveMore(iCount);
    for (int32_t i = 0; i < iCount; ++i) {
        Add(u"");
    }
}

void TMyWStrings::InsertStrings(int32_t iIndex, const TMyStrings& slList) {
    iIndex = std::clamp(iIndex, 0, Count());
    for (int32_t i = slList.Count() - 1; i >= 0; --i) {
        FList->InsertObject(iIndex, slList.Get(i), nullptr);
    }
}

void TMyWStrings::InsertStrings(int32_t iIndex, const TMyWStrings& slList) {
    const TMyUpdateBracket update(*this);
    iIndex = std::clamp(iIndex, 0, Count());
    for (int32_t i = slList.Count() - 1; i >= 0; --i) {
        const std::u16string sStr = slList.Get(i);
        Insert(iIndex, sStr);
    }
}

void TMyWStrings::Delete(int32_t iIndex) {
    if (iIndex < 0 || iIndex >= Count()) {
        return;
    }
    if (FbObjectsFree) {
        if (TMyObject* AObject = FList->GetObject(iIndex)) {
            FList->PutObject(iIndex, nullptr);
            delete AObject;
        }
    }
    FList->Delete(iIndex);
    DoChange();
}

void TMyWStrings::Clear() {
    if (FbObjectsFree) {
        for (int32_t i = Count() - 1; i >= 0; --i) {
            if (TMyObject* AObject = FList->GetObject(i)) {
                FList->PutObject(i, nullptr);
                delete AObject;
            }
        }
    }
    FList->Clear();
}

void TMyWStrings::Assign(const TMyStrings& AList) {
    if (&AList == FList) {
        return;
    }
    if (Count() > 0) {
        Clear();
    }
    FList->Assign(AList);
}

void TMyWStrings::Assign(const TMyWStrings& AList) {
    if (&AList == this) {
        return;
    }
    if (Count() > 0) {
        Clear();
    }
    AddStrings(AList);
}

// --- the backing list

void TMyWStrings::Attach(TMyStrings* AList) {
    if (AList != nullptr) {
        if (AList == FList) {
            return;
        }
        if (FbListFree) {
            Clear();
            delete FList;
        }
        FList = AList;
        FbListFree = false;
    } else if (FbListFree) {
        Clear();
    } else {
        FList = new TMyStringList;
        FbListFree = true;
    }
}

void TMyWStrings::Detach() {
    // A borrowed list stays attached and is emptied: the caller that lent it asked for an
    // empty list, and handing it back half-filled would be worse.
    Clear();
}

void TMyWStrings::BeginUpdate() {
    FList->BeginUpdate();
}

void TMyWStrings::EndUpdate() {
    FList->EndUpdate();
}

// --- search

namespace {

// The index of the first entry from iIndex on (a negative start counts as 0) that matches,
// or -1.
template <class TMatch>
int32_t FirstMatch(const TMyWStrings& slList, int32_t iIndex, TMatch match) {
    const int32_t iCount = slList.Count();
    for (int32_t i = std::max(iIndex, 0); i < iCount; ++i) {
        if (match(i)) {
            return i;
        }
    }
    return -1;
}

} // namespace

int32_t TMyWStrings::IndexOf(std::u16string_view sStr, int32_t iIndex) const {
    return FirstMatch(*this, iIndex, [&](int32_t i) { return SameEntry(Get(i), sStr); });
}

int32_t TMyWStrings::InStringOf(std::u16string_view sStr) const {
    return InStringOf(sStr, 0);
}

int32_t TMyWStrings::InStringOf(std::u16string_view sStr, int32_t iIndex) const {
    if (FbCaseSensitive) {
        return FirstMatch(*this, iIndex,
                          [&](int32_t i) { return Get(i).find(sStr) != std::u16string::npos; });
    }
    const std::u16string sFolded = UpperCaseAscii(sStr);
    return FirstMatch(*this, iIndex, [&](int32_t i) {
        return UpperCaseAscii(Get(i)).find(sFolded) != std::u16string::npos;
    });
}

int32_t TMyWStrings::InHeadStringOf(std::u16string_view sStr) const {
    return InHeadStringOf(sStr, 0);
}

int32_t TMyWStrings::InHeadStringOf(std::u16string_view sStr, int32_t iIndex) const {
    return FirstMatch(*this, iIndex, [&](int32_t i) {
        const std::u16string_view sEntry = Get(i);
        return sEntry.size() >= sStr.size() && SameEntry(sEntry.substr(0, sStr.size()), sStr);
    });
}

int32_t TMyWStrings::IndexOfName(std::u16string_view sName, int32_t iIndex) const {
    return FirstMatch(*this, iIndex, [&](int32_t i) { return SameTextAscii(Names(i), sName); });
}

bool TMyWStrings::Find(std::u16string_view sStr, int32_t& iIndex) const {
    const int32_t iCount = Count();
    for (int32_t i = 0; i < iCount; ++i) {
        const int32_t iCompare = CompareTextAscii(Get(i), sStr, FbCaseSensitive);
        if (iCompare == 0) {
            iIndex = i;
            return true;
        }
        if (iCompare > 0) {
            iIndex = i;
            return false;
        }
    }
    iIndex = iCount;
    return false;
}

bool TMyWStrings::Equals(const TMyWStrings& AList) const {
    const int32_t iCount = Count();
    if (iCount != AList.Count()) {
        return false;
    }
    for (int32_t i = 0; i < iCount; ++i) {
        if (!SameEntry(Get(i), AList.Get(i))) {
            return false;
        }
    }
    return true;
}

bool TextInList(std::u16string_view sText, const TMyWStrings& slList) {
    for (int32_t i = 0; i < slList.Count(); ++i) {
        if (SameTextAscii(sText, slList.Get(i))) {
            return true;
        }
    }
    return false;
}

// --- name=value entries

std::u16string TMyWStrings::Names(int32_t iIndex) const {
    const std::u16string& sEntry = Get(iIndex);
    const size_t iEqual = sEntry.find(u'=');
    if (iEqual == std::u16string::npos || iEqual == 0) {
        return {};
    }
    return std::u16string(TrimText(std::u16string_view(sEntry).substr(0, iEqual)));
}

std::u16string TMyWStrings::Values(std::u16string_view sName) const {
    const int32_t iIndex = IndexOfName(sName);
    if (iIndex < 0) {
        return {};
    }
    const std::u16string& sEntry = Get(iIndex);
    const size_t iEqual = sEntry.find(u'=');
    if (iEqual == std::u16string::npos) {
        return sEntry;
    }
    return sEntry.substr(iEqual + 1);
}

void TMyWStrings::SetValues(std::u16string_view sName, std::u16string_view sValue) {
    std::u16string sEntry(TrimText(sName));
    sEntry += u'=';
    sEntry += sValue;
    // Looked up by the trimmed name too: " k " must find the entry "k=..." it replaces.
    const int32_t iIndex = IndexOfName(TrimText(sName));
    if (iIndex >= 0) {
        Put(iIndex, sEntry);
    } else {
        Add(sEntry);
    }
}

// --- reordering

void TMyWStrings::Exchange(int32_t iIndex1, int32_t iIndex2) {
    FList->Exchange(iIndex1, iIndex2);
    DoChange();
}

void TMyWStrings::Move(int32_t iCurrentIndex, int32_t iNewIndex) {
    FList->Move(iCurrentIndex, iNewIndex);
    DoChange();
}

void TMyWStrings::Reverse() {
    const int32_t iCount = Count();
    if (iCount == 0) {
        return;
    }
    // i < count - 1 - i keeps the middle entry of an odd list from swapping with itself.
    for (int32_t i = 0; i < iCount - 1 - i; ++i) {
        Exchange(i, iCount - 1 - i);
    }
}

} // namespace skivra
