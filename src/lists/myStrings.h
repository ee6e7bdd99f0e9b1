#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skivra {

// The root of everything a list entry can carry (the playlist's media records, for one).
// A list that owns its entries' objects destroys them through this destructor.
class TMyObject {
public:
    virtual ~TMyObject() = default;
};

// The backing store of a TMyWStrings: an ordered sequence of string + object pairs. It keeps
// entries in insertion order, accepts duplicates and never sorts by itself. Indexes must be
// valid (0 to count - 1; insertion also at count); an invalid one raises std::out_of_range.
// A view's model can share a list by implementing this interface, or by wrapping the same
// TMyStringList, and listening to its changes.
class TMyStrings {
public:
    virtual ~TMyStrings() = default;

    virtual int32_t Count() const = 0;
    virtual int32_t Capacity() const = 0;
    virtual void SetCapacity(int32_t iCapacity) = 0;

    virtual const std::u16string& Get(int32_t iIndex) const = 0;
    virtual void Put(int32_t iIndex, std::u16string sStr) = 0;
    virtual TMyObject* GetObject(int32_t iIndex) const = 0;
    virtual void PutObject(int32_t iIndex, TMyObject* AObject) = 0;

    virtual void InsertObject(int32_t iIndex, std::u16string sStr, TMyObject* AObject) = 0;
    virtual void Delete(int32_t iIndex) = 0;
    virtual void Exchange(int32_t iIndex1, int32_t iIndex2) = 0;
    // Takes the entry out at iCurrentIndex and puts it back so that it ends up at iNewIndex.
    virtual void Move(int32_t iCurrentIndex, int32_t iNewIndex) = 0;
    virtual void Clear() = 0;

    // Strings and objects of AList replace, or are appended to, this list's entries.
    virtual void Assign(const TMyStrings& AList) = 0;
    virtual void AddStrings(const TMyStrings& AList) = 0;

    // An update counter: while it is above 0 the list holds back its own change
    // notifications and sends one when it drops to 0 again.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;

    // The list's own case-sensitivity flag, for lists that have one.
    virtual std::optional<bool> CaseSensitive() const { return std::nullopt; }
};

// The plain backing list: a vector of entries. OnChange fires after every change made
// outside an update bracket, and once when the outermost bracket closes after changes.
class TMyStringList : public TMyStrings {
public:
    TMyStringList() = default;
    TMyStringList(const TMyStringList&) = delete;
    TMyStringList& operator=(const TMyStringList&) = delete;

    int32_t Count() const override;
    int32_t Capacity() const override;
    void SetCapacity(int32_t iCapacity) override;

    const std::u16string& Get(int32_t iIndex) const override;
    void Put(int32_t iIndex, std::u16string sStr) override;
    TMyObject* GetObject(int32_t iIndex) const override;
    void PutObject(int32_t iIndex, TMyObject* AObject) override;

    void InsertObject(int32_t iIndex, std::u16string sStr, TMyObject* AObject) override;
    void Delete(int32_t iIndex) override;
    void Exchange(int32_t iIndex1, int32_t iIndex2) override;
    void Move(int32_t iCurrentIndex, int32_t iNewIndex) override;
    void Clear() override;

    void Assign(const TMyStrings& AList) override;
    void AddStrings(const TMyStrings& AList) override;

    void BeginUpdate() override;
    void EndUpdate() override;

    std::optional<bool> CaseSensitive() const override { return FbCaseSensitive; }
    void SetCaseSensitive(bool bValue) { FbCaseSensitive = bValue; }

    std::function<void()> OnChange;

private:
    struct TItem {
        std::u16string sStr;
        TMyObject* AObject = nullptr;
    };

    void CheckIndex(int32_t iIndex) const;
    void Changed();

    std::vector<TItem> FItems;
    int32_t FiUpdateCount = 0;
    bool FbChangedInUpdate = false;
    bool FbCaseSensitive = false;
};

} // namespace skivra
