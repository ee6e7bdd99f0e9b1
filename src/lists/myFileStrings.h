#pragma once

#include "lists/myWStrings.h"
#include "support/myFindFile.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

// Progress of a scan: the number of files added so far by this scan and the last one.
using TMyFileListDispCount = std::function<void(int32_t iCount, std::u16string_view sFile)>;
// true asks a running scan to stop.
using TMyFileListCancel = std::function<bool()>;
// The object to attach to a found file, or nullptr.
using TMyFileListGetListObject =
    std::function<TMyObject*(std::u16string_view sFileName, const TMyFindData& AFindData)>;

// A list of file paths with an extension filter that every entry must pass, a folder scan
// that fills it from files, folders and wildcard patterns with their sub-folders, the
// sorts of the playlist commands and a shuffle.
//
// The scan takes the paths in file order, and for each one works through a queue of
// folders that is kept sorted by the file comparison, always taking the smallest: folders
// come in depth-first order of their paths and the files of each folder are sorted
// together. Each real folder (device and inode, links followed) is read once per path, so
// a link back to an ancestor ends; a folder that cannot be read is skipped. Paths that
// differ in letter case are different files here and are never merged.
//
// UI thread only: a scan pumps the event queue after every entry, and stops when the
// cancel query says so or, without one, when the program is terminating.
class TMyFileStrings : public TMyWStrings {
public:
    explicit TMyFileStrings(TMyStrings* AList = nullptr);
    ~TMyFileStrings() override;

    using TMyWStrings::AddObject;
    using TMyWStrings::Assign;
    using TMyWStrings::InsertObject;
    // Entries enter only when IsAllowedFile; a refused entry's object is destroyed and
    // AddObject answers -1.
    int32_t AddObject(std::u16string_view S, TMyObject* AObject) override;
    void InsertObject(int32_t Index, std::u16string_view S, TMyObject* AObject) override;
    // The strings through Add (so they pass this list's filter), then the filter of a file
    // list.
    void Assign(const TMyWStrings& AList) override;
    void AssignExt(const TMyWStrings& AList);
    // Inserts entries that already passed the filter at iIndex, in their order, in one
    // step: a playlist of 100,000 entries must not shift the list 100,000 times. The list
    // takes the objects; OnChange is raised once.
    void InsertEntries(int32_t iIndex,
                       std::vector<std::pair<std::u16string, TMyObject*>>& aEntries);

    // --- the extension filter. Extensions are stored as given, dot included (".avi"); one
    // equal to an entry ignoring ASCII case is not added again.
    TMyWStrings& AllowExt() { return *F_slAllowExt; }
    TMyWStrings& DisallowExt() { return *F_slDisallowExt; }
    void SetAllowExt(const TMyWStrings& AExts);
    void SetDisallowExt(const TMyWStrings& AExts);
    void AllowExtAdd(std::u16string_view sExt);
    void AllowExtAdd(std::initializer_list<std::u16string_view> aExts);
    void AllowExtAdd(const TMyWStrings& AExts);
    void DisallowExtAdd(std::u16string_view sExt);
    void DisallowExtAdd(std::initializer_list<std::u16string_view> aExts);
    void DisallowExtAdd(const TMyWStrings& AExts);
    // The extension (GetExtPart) is allowed when the allowed list is empty or holds it, and
    // the disallowed list does not; both compare by the user's locale, ignoring case.
    bool IsAllowedFile(std::u16string_view sPath);
    bool IsAddOk() const { return F_bIsAddOk; }

    // --- the scan
    virtual TMyObject* CreateListObject(std::u16string_view sFileName,
                                        const TMyFindData& AFindData);
    // true when the scan ran to the end; false when it was cancelled or had no path.
    virtual bool ScanPaths();
    // ScanPaths with the Esc key as the cancel query when EscCancel is set and no query is.
    virtual bool ScanPathsCancelable();
    virtual bool GetList(const TMyWStrings& APath);
    virtual bool GetList(std::u16string_view sPath);
    virtual bool AppendList(const TMyWStrings& slPath);
    virtual bool AppendList(std::u16string_view sPath);
    void SetPathList(const TMyWStrings& slList);
    const TMyWStrings& PathList() const { return *F_slPath; }
    // Names met during the scans that are not UTF-8 and so could not be listed.
    int64_t SkippedNames() const { return F_iSkippedNames; }
    // true while Esc is held; there is no key state in the core, so the UI installs it.
    bool IsEscapePressed() const;
    static void SetEscapeKeyQuery(std::function<bool()> fnQuery);

    // --- sorts of iStart to iEnd (iEnd < 0: to the last entry), stable.
    virtual void SortFileName(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortMediaName(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortMediaPath(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortMediaExt(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortFileSize(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortFileWriteTime(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortFileCreateTime(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    // A random permutation of iStart to iEnd; every entry keeps its object.
    virtual void Shuffle(int32_t iStart = 0, int32_t iEnd = -1);

    // The comparisons of the sorts, for CustomSort on any list of paths. The size and time
    // keys are read from the file system at every call; the sorts above read each once.
    static int32_t CompareFileSizeAsc(TMyWStrings& slList, int32_t i1, int32_t i2);
    static int32_t CompareFileSizeDesc(TMyWStrings& slList, int32_t i1, int32_t i2);
    static int32_t CompareFileWriteTimeAsc(TMyWStrings& slList, int32_t i1, int32_t i2);
    static int32_t CompareFileWriteTimeDesc(TMyWStrings& slList, int32_t i1, int32_t i2);
    static int32_t CompareFileCreateTimeAsc(TMyWStrings& slList, int32_t i1, int32_t i2);
    static int32_t CompareFileCreateTimeDesc(TMyWStrings& slList, int32_t i1, int32_t i2);

    // --- command-line forms: the non-empty entries in double quotes, one blank apart.
    std::u16string CmdLine() const;
    std::u16string ShortFileName(int32_t iIndex) const;
    std::u16string ShortCmdLine() const;
    // Every entry upper-cased by Unicode's rules.
    void UpperCase();

    // --- properties
    bool IsAppend() const { return F_bAppend; }
    void SetIsAppend(bool bValue) { F_bAppend = bValue; }
    uint32_t DelAttr() const { return F_iDelAttr; }
    void SetDelAttr(uint32_t iValue) { F_iDelAttr = iValue; }
    bool Display() const { return F_bDisplay; }
    void SetDisplay(bool bValue) { F_bDisplay = bValue; }
    bool EscCancel() const { return F_bEscCancel; }
    void SetEscCancel(bool bValue) { F_bEscCancel = bValue; }
    TMyFileListDispCount OnDispCount;
    TMyFileListCancel OnIsCancel;
    TMyFileListGetListObject OnGetListObject;

    // The cancel check of the scans: pumps the event queue, then true to go on.
    bool ContinueScan();
    // The same without pumping, for the playlist readers.
    bool ContinueQuietly() const;

protected:
    // Sorts iStart to iEnd (clamped) by a 64-bit key read once per entry.
    void SortByKey(bool bAscending, int32_t iStart, int32_t iEnd,
                   const std::function<int64_t(int32_t iIndex)>& fnKey);
    // Sorts by CompareNaturalPath of a text read once per entry.
    void SortByText(bool bAscending, int32_t iStart, int32_t iEnd,
                    const std::function<std::u16string(TMyWStrings&, int32_t)>& fnText);
    int32_t LastIndex(int32_t iEnd) const { return iEnd < 0 ? Count() - 1 : iEnd; }

private:
    void ScanOnePath(std::u16string_view sPath, int32_t iStartCount, int32_t& iSortedMark,
                     bool& bGoOn);
    bool ExtensionAllowed(std::u16string_view sExt);

    std::unique_ptr<TMyWStrings> F_slOut;
    std::unique_ptr<TMyWStrings> F_slAllowExt;
    std::unique_ptr<TMyWStrings> F_slDisallowExt;
    std::unique_ptr<TMyWStrings> F_slPath;
    bool F_bIsAddOk = false;
    uint32_t F_iDelAttr = 0;
    bool F_bAppend = true;
    bool F_bDisplay = false;
    bool F_bEscCancel = false;
    int64_t F_iSkippedNames = 0;

    // The filter's answers per extension, valid while both lists hold what they held when
    // the answers were given (a scan asks for every file; the locale comparison is slow).
    std::vector<std::u16string> FFilterAllow;
    std::vector<std::u16string> FFilterDisallow;
    std::map<std::u16string, bool> FFilterAnswers;
};

} // namespace skivra
