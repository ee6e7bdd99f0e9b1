#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <cstdint>

class QWidget;

namespace skivra {

// The folder browser options, one bit each in this order (bit 0 first).
enum class TMyOpenFolderOption : int {
    bfReturnOnlyFsDirs,
    bfBrowseForComputer,
    bfBrowseForPrinter,
    bfReturnFsAncestors,
    bfBrowseIncludeFiles,
    bfBrowseIncludeURLs,
    bfDontGoBelowDomain,
    bfShareable,
    bfEditBox,
    bfValidate,
    bfUseNewUI,
    bfUaHint,
    bfNoNewFolderButton,
    bfNewDialogStyle,
    bfNoTranslateTargets,
    bfStatusText,
};
using TMyOpenFolderOptions = std::uint16_t;
constexpr TMyOpenFolderOptions FolderOptionBit(TMyOpenFolderOption o) {
    return static_cast<TMyOpenFolderOptions>(1u << static_cast<int>(o));
}
// bfReturnOnlyFsDirs, bfReturnFsAncestors, bfNoNewFolderButton, bfNewDialogStyle.
constexpr TMyOpenFolderOptions kDefaultFolderOptions = 0x3009;

// Picks one folder. The browser starts in InitialDir and is kept inside Root, each only
// when it names an existing folder; a successful Execute leaves exactly one entry in
// Folders, the chosen folder with a trailing "/". A cancelled one leaves Folders as it
// was. With Center set, the browser opens centred on the work area of the monitor under
// the pointer. Of the options, bfBrowseIncludeFiles shows files too and
// bfNoNewFolderButton keeps the browser from creating folders; the others have no
// counterpart here. UI thread only; one browser open at a time.
class TMyOpenFolderDialog : public QObject {
    Q_OBJECT
public:
    explicit TMyOpenFolderDialog(QObject* pOwner = nullptr);
    ~TMyOpenFolderDialog() override;

    QString Title() const { return F_sTitle; }
    void SetTitle(const QString& sTitle) { F_sTitle = sTitle; }
    QString Root() const { return F_sRoot; }
    void SetRoot(const QString& sRoot) { F_sRoot = sRoot; }
    QString InitialDir() const { return F_sInitialDir; }
    void SetInitialDir(const QString& sDir) { F_sInitialDir = sDir; }
    TMyOpenFolderOptions Options() const { return F_Options; }
    void SetOptions(TMyOpenFolderOptions options) { F_Options = options; }
    QWidget* Owner() const { return F_Owner; }
    void SetOwner(QWidget* pOwner) { F_Owner = pOwner; }
    bool Center() const { return F_bCenter; }
    void SetCenter(bool bCenter) { F_bCenter = bCenter; }

    const QStringList& Folders() const { return F_slFolders; }
    // Callers that repeat a command without a dialog put the folder here themselves.
    void SetFolders(const QStringList& folders) { F_slFolders = folders; }
    // The first entry of Folders, or empty.
    QString FolderName() const;
    // FolderName without its trailing "/"; the root folder stays "/".
    QString DirectoryName() const;

    // The browser while it is open, else nullptr.
    QFileDialog* Handle() const { return F_hHandle; }

    // Shows the browser modally; true when the user chose a folder.
    bool Execute();

    // While the browser is open: centres it (size kept) on the work area of the monitor
    // nearest to the point when Center is set, shows it and raises it.
    void ShowMonitorCenter(QPoint ptPos);
    void ShowMonitorCenter();
    // While the browser is open: shows it at these bounds and raises it.
    void SetBounds(int iLeft, int iTop, int iWidth, int iHeight);

signals:
    // The browser is up and laid out (tests and callers that drive it use this).
    void Shown(QFileDialog* pDialog);

private:
    QString F_sTitle;
    QString F_sRoot;
    QString F_sInitialDir;
    QStringList F_slFolders;
    TMyOpenFolderOptions F_Options = kDefaultFolderOptions;
    QPointer<QWidget> F_Owner;
    bool F_bCenter = true;
    QPointer<QFileDialog> F_hHandle;
};

} // namespace skivra
