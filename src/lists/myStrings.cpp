#include "lists/myStrings.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace skivra {

int32_t TMyStringList::Count() const {
    return static_cast<int32_t>(FItems.size());
}

int32_t TMyStringList::Capacity() const {
    return static_cast<int32_t>(
        std::min<size_t>(FItems.capacity(), std::numeric_limits<int32_t>::max()));
}

void TMyStringList::SetCapacity(int32_t iCapacity) {
    if (iCapacity > 0) {
        FItems.reserve(static_cast<size_t>(iCapacity));
    }
}

void TMyStringList::CheckIndex(int32_t iIndex) const {
    if (iIndex < 0 || iIndex >= Count()) {
        throw std::out_of_range("list index out of bounds (" + std::to_string(iIndex) + ")");
    }
}

void TMyStringList::Changed() {
    if (FiUpdateCount > 0) {
        FbChangedInUpdate = true;
    } else if (OnChange) {
        OnChange();
    }
}

const std::u16string& TMyStringList::Get(int32_t iIndex) const {
    CheckIndex(iIndex);
    return FItems[static_cast<size_t>(iIndex)].sStr;
}

void TMyStringList::Put(int32_t iIndex, std::u16string sStr) {
    CheckIndex(iIndex);
    FItems[static_cast<size_t>(iIndex)].sStr = std::move(sStr);
    Changed();
}

TMyObject* TMyStringList::GetObject(int32_t iIndex) const {
    CheckIndex(iIndex);
    return FItems[static_cast<size_t>(iIndex)].AObject;
}

void TMyStringList::PutObject(int32_t iIndex, TMyObject* AObject) {
    CheckIndex(iIndex);
    FItems[static_cast<size_t>(iIndex)].AObject = AObject;
    Changed();
}

void TMyStringList::InsertObject(int32_t iIndex, std::u16string sStr, TMyObject* AObject) {
    if (iIndex < 0 || iIndex > Count()) {
        throw std::out_of_range("list index out of bounds (" + std::to_string(iIndex) + ")");
    }
    if (FItems.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw std::length_error("list too long");
    }
    FItems.insert(FItems.begin() + iIndex, TItem{std::move(sStr), AObject});
    Changed();
}

void TMyStringList::Delete(int32_t iIndex) {
    CheckIndex(iIndex);
    FItems.erase(FItems.begin() + iIndex);
    Changed();
}

void TMyStringList::Exchange(int32_t iIndex1, int32_t iIndex2) {
    CheckIndex(iIndex1);
    CheckIndex(iIndex2);
    std::swap(FItems[static_cast<size_t>(iIndex1)], FItems[static_cast<size_t>(iIndex2)]);
    Changed();
}

void TMyStringList::Move(int32_t iCurrentIndex, int32_t iNewIndex) {
    CheckIndex(iCurrentIndex);
    CheckIndex(iNewIndex);
    if (iCurrentIndex == iNewIndex) {
        return;
    }
    TItem item = std::move(FItems[static_cast<size_t>(iCurrentIndex)]);
    FItems.erase(FItems.begin() + iCurrentIndex);
    FItems.insert(FItems.begin() + iNewIndex, std::move(item));
    Changed();
}

void TMyStringList::Clear() {
    if (FItems.empty()) {
        return;
    }
    FItems.clear();
    Changed();
}

void TMyStringList::Assign(const TMyStrings& AList) {
    if (&AList == this) {
        return;
    }
    std::vector<TItem> items;
    items.reserve(static_cast<size_t>(AList.Count()));
    for (int32_t i = 0; i < AList.Count(); ++i) {
        items.push_back(TItem{AList.Get(i), AList.GetObject(i)});
    }
    FItems = std::move(items);
    Changed();
}

void TMyStringList::AddStrings(const TMyStrings& AList) {
    // Counted first, so that adding a list to itself doubles it once.
    const int32_t iCount = AList.Count();
    if (static_cast<int64_t>(Count()) + iCount > std::numeric_limits<int32_t>::max()) {
        throw std::length_error("list too long");
    }
    FItems.reserve(FItems.size() + static_cast<size_t>(iCount));
    for (int32_t i = 0; i < iCount; ++i) {
        FItems.push_back(TItem{AList.Get(i), AList.GetObject(i)});
    }
    if (iCount > 0) {
        Changed();
    }
}

void TMyStringList::BeginUpdate() {
    ++FiUpdateCount;
}

void TMyStringList::EndUpdate() {
    if (FiUpdateCount == 0) {
        return;
    }
    if (--FiUpdateCount == 0 && FbChangedInUpdate) {
        FbChangedInUpdate = false;
        if (OnChange) {
            OnChange();
        }
    }
}

} // namespace skivra
