#include "support/myFolderDialog.h"

#include "support/myQtScreen.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>

namespace skivra {

namespace {

bool IsExistingFolder(const QString& sPath) {
    return !sPath.isEmpty() && QFileInfo(sPath).isDir();
}

QString WithTrailingSeparator(const QString& sPath) {
    return sPath.endsWith(u'/') ? sPath : sPath + u'/';
}

// Whether sPath lies in sRoot or below it (both absolute and clean).
bool IsInside(const QString& sPath, const QString& sRoot) {
    const QString sClean = QDir::cleanPath(sPath);
    const QString sCleanRoot = QDir::cleanPath(sRoot);
    return sClean == sCleanRoot || sClean.startsWith(WithTrailingSeparator(sCleanRoot));
}

} // namespace

TMyOpenFolderDialog::TMyOpenFolderDialog(QObject* pOwner)
    : QObject(pOwner), F_Owner(qobject_cast<QWidget*>(pOwner)) {}

TMyOpenFolderDialog::~TMyOpenFolderDialog() = default;

QString TMyOpenFolderDialog::FolderName() const {
    return F_slFolders.isEmpty() ? QString() : F_slFolders.first();
}

QString TMyOpenFolderDialog::DirectoryName() const {
    const QString sFolder = FolderName();
    // "/" without its separator would be the empty path, which is no folder at all here.
    if (sFolder.size() > 1 && sFolder.endsWith(u'/')) {
        return sFolder.left(sFolder.size() - 1);
    }
    return sFolder;
}

bool TMyOpenFolderDialog::Execute() {
    QFileDialog dialog(F_Owner, F_sTitle);
    // Qt's own dialog, so that it looks and behaves the same on every desktop and can be
    // placed on the pointer's monitor.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const bool bFiles = F_Options & FolderOptionBit(TMyOpenFolderOption::bfBrowseIncludeFiles);
    dialog.setOption(QFileDialog::ShowDirsOnly, !bFiles);
    dialog.setOption(QFileDialog::ReadOnly,
                     F_Options & FolderOptionBit(TMyOpenFolderOption::bfNoNewFolderButton));

    const QString sRoot =
        IsExistingFolder(F_sRoot) ? QFileInfo(F_sRoot).absoluteFilePath() : QString();
    QString sStart =
        IsExistingFolder(F_sInitialDir) ? QFileInfo(F_sInitialDir).absoluteFilePath() : QString();
    if (!sRoot.isEmpty() && (sStart.isEmpty() || !IsInside(sStart, sRoot))) {
        sStart = sRoot;
    }
    if (!sStart.isEmpty()) {
        dialog.setDirectory(sStart);
    }
    if (!sRoot.isEmpty()) {
        // The tree may not be left upwards: a step above the root leads back to it.
        connect(&dialog, &QFileDialog::directoryEntered, &dialog,
                [&dialog, sRoot](const QString& sDir) {
                    if (!IsInside(sDir, sRoot)) {
                        dialog.setDirectory(sRoot);
                    }
                });
        dialog.setSidebarUrls({QUrl::fromLocalFile(sRoot)});
    }

    F_hHandle = &dialog;
    QTimer::singleShot(0, &dialog, [this, &dialog] {
        // The window manager's frame is known only once the browser is mapped; centring on
        // the bare window would leave it off by the title bar.
        QDeadlineTimer exposed(1000);
        while (!exposed.hasExpired() &&
               !(dialog.windowHandle() && dialog.windowHandle()->isExposed())) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        QDeadlineTimer framed(200);
        while (!framed.hasExpired() && dialog.frameGeometry() == dialog.geometry()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        ShowMonitorCenter();
        emit Shown(&dialog);
    });
    const bool bChosen = dialog.exec() == QDialog::Accepted;
    F_hHandle = nullptr;
    if (!bChosen) {
        return false;
    }
    const QStringList selected = dialog.selectedFiles();
    if (selected.isEmpty() || selected.first().isEmpty()) {
        return false;
    }
    QString sFolder = QDir::cleanPath(QFileInfo(selected.first()).absoluteFilePath());
    if (!sRoot.isEmpty() && !IsInside(sFolder, sRoot)) {
        return false;
    }
    F_slFolders = QStringList{WithTrailingSeparator(sFolder)};
    return true;
}

void TMyOpenFolderDialog::ShowMonitorCenter(QPoint ptPos) {
    if (!F_hHandle) {
        return;
    }
    if (F_bCenter) {
        CenterWindowOnMonitorAt(F_hHandle, ptPos);
    }
    BringWindowToFront(F_hHandle);
}

void TMyOpenFolderDialog::ShowMonitorCenter() {
    ShowMonitorCenter(QCursor::pos());
}

void TMyOpenFolderDialog::SetBounds(int iLeft, int iTop, int iWidth, int iHeight) {
    if (!F_hHandle) {
        return;
    }
    F_hHandle->setGeometry(iLeft, iTop, iWidth, iHeight);
    BringWindowToFront(F_hHandle);
}

} // namespace skivra
