#include "app/mainIntake.h"

#include "app/main.h"
#include "app/mainHistory.h"
#include "app/myBusySection.h"
#include "app/myPlayerController.h"
#include "app/myPlaylistCommands.h"
#include "lists/myMultimedia.h"
#include "lists/myRandom.h"
#include "support/myEventHook.h"
#include "support/myFile.h"
#include "support/myFindFile.h"
#include "support/myFolderDialog.h"
#include "support/myKeyState.h"
#include "support/myMessageBox.h"
#include "support/myPath.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

namespace skivra {

namespace {

// Names the file list never takes: documents, pictures, programs and the like that share
// the media folders.
constexpr std::u16string_view kDisallowExts[] = {
    u".css", u".js",  u".htm", u".html", u".xml", u".chm",  u".h1?", u".hlp",  u".doc",
    u".ini", u".log", u".txt", u".bmp",  u".cur", u".gif",  u".jpg", u".jpeg", u".ico",
    u".png", u".bin", u".dat", u".db",   u".sys", u".bat",  u".cmd", u".com",  u".dll",
    u".exe", u".ocx", u".pif", u".scr",  u".vbx", u".tvpid"};

std::u16string U16(const QString& s) {
    return s.toStdU16String();
}
QString Q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The extensions the dialog's filters name ("Video (*.mp4 *.mkv)" gives ".mp4" and
// ".mkv"); a pattern that takes every file ("*", "*.*") names none. The designed dialog
// has no filter, so only the excluded extensions restrict what is taken.
QStringList AllowedExtsOfFilters(const QStringList& filters) {
    static const QRegularExpression kPatterns(QStringLiteral("\\(([^)]*)\\)"));
    QStringList exts;
    for (const QString& sFilter : filters) {
        const QRegularExpressionMatch match = kPatterns.match(sFilter);
        const QString sList = match.hasMatch() ? match.captured(1) : sFilter;
        for (QString sPattern :
             sList.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
            sPattern = sPattern.trimmed();
            if (sPattern == u"*" || sPattern == u"*.*") {
                continue;
            }
            const std::u16string sExt = GetExtPart(U16(sPattern));
            if (!sExt.empty()) {
                exts << Q(sExt);
            }
        }
    }
    return exts;
}

bool ShiftHeld() {
    return IsKeyDown(VK_SHIFT);
}

} // namespace

// One command of the intake: a busy section, and a close of the window that came while
// the command ran (its dialogs and the gathering let messages run) carried out once the
// outermost command is over.
class TMyMainIntake::TMyCommand {
public:
    explicit TMyCommand(TMyMainIntake& intake) : FIntake(intake) { ++FIntake.FiCommands; }
    ~TMyCommand() {
        if (--FIntake.FiCommands == 0 && FIntake.FbCloseRequested) {
            FIntake.FbCloseRequested = false;
            QTimer::singleShot(0, &FIntake.FWindow,
                               [pWindow = &FIntake.FWindow] { pWindow->close(); });
        }
    }
    TMyCommand(const TMyCommand&) = delete;
    TMyCommand& operator=(const TMyCommand&) = delete;

private:
    TMyMainIntake& FIntake;
    const TMyBusySection FBusy;
};

TMyMainIntake::TMyMainIntake(TApp_Skivra& window, TMyPlayerController& controller,
                             TMyPlaylistCommands& commands, TMyPlaylistPart& playlistPart)
    : FWindow(window), FController(controller), FCommands(commands), FPlaylistPart(playlistPart) {
    connect(FWindow.Timer_GetFile, &QTimer::timeout, this, &TMyMainIntake::Timer_GetFileTimer);
    for (QMenu* pMenu : {FWindow.PopupMenu_OpenFile, FWindow.PopupMenu_OpenFolder,
                         FWindow.PopupMenu_OpenThisFolder}) {
        connect(pMenu, &QMenu::triggered, this, &TMyMainIntake::MenuItem_OpenHistoryClick);
    }
    FWindow.installEventFilter(this);
}

TMyMainIntake::~TMyMainIntake() {
    FWindow.removeEventFilter(this);
}

void TMyMainIntake::FillDisallowExts() {
    FDisallowExts = std::make_unique<TMyWStrings>();
    for (std::u16string_view sExt : kDisallowExts) {
        FDisallowExts->Add(sExt);
    }
}

void TMyMainIntake::FreeDisallowExts() {
    FDisallowExts.reset();
}

QString TMyMainIntake::DefaultMediaFolder() {
    for (const std::u16string& s :
         {GetMyVideosFolder(), GetMyMusicFolder(), GetMyDocumentsFolder()}) {
        if (!s.empty()) {
            return Q(s);
        }
    }
    return QString();
}

QString TMyMainIntake::StartFolder(const QString& sRemembered, bool bShift) {
    if (bShift) {
        return DefaultMediaFolder();
    }
    if (FolderExistsEx(U16(sRemembered))) {
        return sRemembered;
    }
    return sRemembered.isEmpty() ? QString() : Q(NearestExistingFolder(U16(sRemembered)));
}

void TMyMainIntake::Action_File_OpenFileExecute(QObject* pSender) {
    const TMyCommand command(*this);
    QFileDialog* pDialog = FWindow.OpenFileDialog();
    const bool bShift = ShiftHeld();
    FsOpenFileDir = StartFolder(FsOpenFileDir, bShift);
    if (bShift) {
        FslOpenFiles.clear();
        pDialog->selectFile(QString());
    }
    if (pSender) {
        pDialog->setDirectory(FsOpenFileDir);
        // The window is disabled while busy; the dialog is a window of its own and must
        // take input.
        pDialog->setEnabled(true);
        if (pDialog->exec() != QDialog::Accepted) {
            return;
        }
        FslOpenFiles = pDialog->selectedFiles();
    }
    if (!FslOpenFiles.isEmpty()) {
        const QString sNearest = Q(NearestExistingFolder(U16(FslOpenFiles.first())));
        if (!sNearest.isEmpty()) {
            FsOpenFileDir = sNearest;
        }
    }
    // The list is copied: gathering lets messages run, and a history click could change it.
    const QStringList names = FslOpenFiles;
    AcquireFiles(names);
    AddHistoryList(names, FWindow.PopupMenu_OpenFile);
}

bool TMyMainIntake::ChooseFolder(TMyOpenFolderDialog* pDialog, QObject* pSender) {
    pDialog->SetInitialDir(StartFolder(pDialog->InitialDir(), ShiftHeld()));
    if (pSender && !pDialog->Execute()) {
        return false;
    }
    pDialog->SetInitialDir(pDialog->FolderName());
    return true;
}

void TMyMainIntake::Action_File_OpenFolderExecute(QObject* pSender) {
    const TMyCommand command(*this);
    TMyOpenFolderDialog* pDialog = FWindow.Dialog_OpenFolder;
    if (!ChooseFolder(pDialog, pSender)) {
        return;
    }
    const QStringList folders = pDialog->Folders();
    if (ShiftHeld()) {
        // Shift held as the dialog closes: the chosen folders without their sub-folders.
        FWindow.Dialog_OpenThisFolder->SetFolders(folders);
        Action_File_OpenThisFolderExecute(nullptr);
    } else {
        AcquireFiles(folders);
    }
    AddHistoryList(folders, FWindow.PopupMenu_OpenFolder);
}

void TMyMainIntake::Action_File_OpenThisFolderExecute(QObject* pSender) {
    const TMyCommand command(*this);
    TMyOpenFolderDialog* pDialog = FWindow.Dialog_OpenThisFolder;
    if (!ChooseFolder(pDialog, pSender)) {
        return;
    }
    const QStringList folders = pDialog->Folders();
    QStringList names;
    if (const QString sFolder = pDialog->FolderName(); !sFolder.isEmpty()) {
        const std::u16string sPrefix = U16(sFolder.endsWith(u'/') ? sFolder : sFolder + u'/');
        TMyFindFile find(sPrefix + u"*");
        TMyFindData data;
        while (find.Next(data)) {
            if ((data.iAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names << Q(sPrefix + data.sFileName);
            }
        }
    }
    AcquireFiles(names);
    AddHistoryList(folders, FWindow.PopupMenu_OpenThisFolder);
}

void TMyMainIntake::MenuItem_OpenHistoryClick(QAction* pItem) {
    const QString sPath = HistoryPath(pItem);
    QMenu* pMenu = qobject_cast<QMenu*>(pItem->parent());
    if (sPath.isEmpty() || !pMenu) {
        return;
    }
    if (pMenu == FWindow.PopupMenu_OpenFile) {
        FslOpenFiles = {sPath};
        Action_File_OpenFileExecute(nullptr);
    } else if (pMenu == FWindow.PopupMenu_OpenFolder) {
        FWindow.Dialog_OpenFolder->SetFolders({sPath});
        Action_File_OpenFolderExecute(nullptr);
    } else if (pMenu == FWindow.PopupMenu_OpenThisFolder) {
        FWindow.Dialog_OpenThisFolder->SetFolders({sPath});
        Action_File_OpenThisFolderExecute(nullptr);
    }
}

void TMyMainIntake::FilesDropped(const QStringList& names, QPoint) {
    const TMyCommand command(*this);
    QStringList kept;
    for (const QString& sDropped : names) {
        std::u16string sName = U16(sDropped);
        if (IsShortcutFile(sName)) {
            sName = ResolveShortcut(sName);
        }
        if (FileExistsEx(sName) || FolderExistsEx(sName)) {
            kept << Q(sName);
        }
    }
    if (kept.isEmpty()) {
        return;
    }
    FslOpenFiles = kept;
    FWindow.OpenFileDialog()->selectFile(kept.first());
    Action_File_OpenFileExecute(nullptr);
}

bool TMyMainIntake::AcquireFiles(const QStringList& names) {
    if (FbAcquiring || FbCloseRequested) {
        return false; // the window is busy or closing: no second gathering starts
    }
    const TMyCommand command(*this);
    TMyWStrings& playlist = FController.Playlist();
    const std::int32_t iCount = playlist.Count();
    TMyMediaStrings list;
    list.SetIsAppend(true);
    for (const QString& sExt : AllowedExtsOfFilters(FWindow.OpenFileFilters())) {
        list.AllowExtAdd(U16(sExt));
    }
    if (FDisallowExts) {
        list.SetDisallowExt(*FDisallowExts);
    }
    list.OnDispCount = [this](std::int32_t iFound, std::u16string_view sName) {
        ShowAcquireProgress(iFound, sName);
    };
    list.OnIsCancel = [this] {
        return FbCloseRequested || IsTerminating();
    };
    list.SetNeedExists(false);
    list.SetObjectsFree(false);
    list.OnGetListObject = [](std::u16string_view, const TMyFindData&) -> TMyObject* {
        return nullptr;
    };
    TMyWStrings paths;
    for (const QString& sName : names) {
        paths.Add(U16(sName));
    }

    FbAcquiring = true;
    FiGetFileCount = 0;
    FsGetFileName.clear();
    FWindow.Timer_GetFile->start();
    if (paths.Count() > 0) {
        list.GetList(paths);
    }
    FWindow.Timer_GetFile->stop();
    FbAcquiring = false;
    FsGetFileName.clear();

    if (FbCloseRequested) {
        // The window was closed meanwhile: nothing is added to a playlist that is about to
        // be saved and freed (the window closes when the command ends).
        return false;
    }
    if (list.Count() == 0) {
        ShowProgramMessage(Q(kNoFilesFound));
        return false;
    }
    FCommands.Action_Sort_FileNameExecute(skNone, false);
    {
        const TMyUpdateBracket update(playlist);
        for (std::int32_t i = 0; i < list.Count(); ++i) {
            playlist.Add(list.Get(i));
        }
    }
    FPlaylistPart.RefreshPlaylist();
    FWindow.PopupMenu_MainPopup();
    std::int64_t iIndex = iCount;
    if (FWindow.Action(TMyActionId::Action_Opt_Random)->isChecked()) {
        iIndex += RandomInt(list.Count());
    }
    iIndex %= std::max<std::int32_t>(playlist.Count(), 1);
    FController.SetItemIndex(static_cast<std::int32_t>(iIndex));
    FController.PlayMedia(playlist.Get(static_cast<std::int32_t>(iIndex)));
    return true;
}

void TMyMainIntake::ShowAcquireProgress(std::int32_t iCount, std::u16string_view sName) {
    FiGetFileCount = iCount;
    FsGetFileName = sName;
}

void TMyMainIntake::Timer_GetFileTimer() {
    if (FsGetFileName.empty()) {
        FWindow.Label_Info->clear();
    } else {
        FWindow.Label_Info->setText(
            QStringLiteral("[%1] %2").arg(FiGetFileCount).arg(Q(FsGetFileName)));
    }
    FWindow.Label_Info->repaint();
}

bool TMyMainIntake::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pObject == &FWindow && pEvent->type() == QEvent::Close && FiCommands > 0) {
        // The playlist must outlive the command that is about to add to it: an open dialog
        // is cancelled, a scan stops at its next step, and the window closes right after.
        FbCloseRequested = true;
        if (QWidget* pModal = QApplication::activeModalWidget()) {
            if (auto* pDialog = qobject_cast<QDialog*>(pModal)) {
                pDialog->reject();
            }
        }
        pEvent->ignore();
        return true;
    }
    return QObject::eventFilter(pObject, pEvent);
}

} // namespace skivra
