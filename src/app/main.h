#pragma once

#include "app/mainActions.h"
#include "app/mainParts.h"

#include <QMainWindow>
#include <QStringList>
#include <QSystemTrayIcon>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFileDialog;
class QFrame;
class QLabel;
class QListView;
class QMenu;
class QMenuBar;
class QMimeData;
class QStatusBar;
class QTableWidget;
class QTimer;
class QToolBar;

namespace skivra {

class TMyOpenFolderDialog;
class TMyTaskBarMenu;
class TMyTrackBar;

// Window commands of the notification-area icon's menu, numbered as the window system's
// own menu numbers them.
constexpr int SC_MINIMIZE = 0xF020;
constexpr int SC_CLOSE = 0xF060;
constexpr int SC_RESTORE = 0xF120;

// The main window: tool bar, playlist, information grid, seek bar, control strip, status
// bar, menus, the notification-area icon and every action of the program.
//
// Life: construct it (controls, actions and menus exist, nothing is shown), install the
// parts (SetParts), then FormCreate, which shows the window. Closing the window runs
// FormDestroy once (the destructor runs it when the window was never closed).
//
// The busy section (BeginFunc/EndFunc): the window installs BusyBegin and BusyEnd as the
// section's hooks while it exists; FormCreate runs inside a section. UI thread only.
class TApp_Skivra : public QMainWindow {
    Q_OBJECT
public:
    explicit TApp_Skivra(QWidget* pParent = nullptr);
    ~TApp_Skivra() override;

    void SetParts(const TMyMainParts& parts);
    const TMyMainParts& Parts() const { return FParts; }

    void FormCreate();
    void FormDestroy();

    // Outermost busy section opened: hourglass cursor, the window and drops disabled.
    void BusyBegin();
    // Outermost busy section closed: window and drops enabled, the playlist view
    // resynchronised, the cursor back to normal.
    void BusyEnd();

    // The action refresh: help visibility, and the rule that enables and disables the
    // actions (run whenever a menu opens, and by the parts after every state change).
    void PopupMenu_MainPopup();

    QAction* Action(TMyActionId id) const { return FActions[static_cast<std::size_t>(id)]; }

    // The handlers the window carries out itself; nullptr as the sender means from code.
    void Action_File_ExitExecute(QObject* pSender);
    void Action_Opt_StatusBarExecute(QObject* pSender);
    void Action_Opt_TaskTrayExecute(QObject* pSender);
    void Action_Opt_InfoExecute(QObject* pSender);
    void Action_Help_HelpExecute(QObject* pSender);
    void Action_Help_VersionInfoExecute(QObject* pSender);
    // A command chosen in the notification-area icon's menu: a copied entry runs its
    // action; a window command (SC_RESTORE, SC_MINIMIZE, SC_CLOSE) acts on the window.
    void ApplicationEvents1Message(int iCommand);
    void ApplicationEvents1Minimize();
    void TrayIcon1MouseUp(Qt::MouseButton button);

    // Hands the local files of a drop to the intake (other addresses are ignored); false
    // when no intake is installed.
    bool FilesDropped(const QMimeData* pData, QPoint ptDrop);

    // The help page beside the program ("hlp/index.html" in the program's folder).
    QString HelpFileName() const { return FsHelpFile; }
    void SetHelpFileName(const QString& sFile) { FsHelpFile = sFile; }
    // The address the version box links to: the help page.
    QString ProductWebPage() const;
    // The window's own tooltips are on exactly while the status bar is hidden.
    bool ShowHint() const;

    // Controls and components, under the names the other parts use.
    QToolBar* ToolBar_Main = nullptr;
    QLabel* Label_Info = nullptr;
    QWidget* Panel_Playlist = nullptr;
    QListView* ListBox_Playlist = nullptr;
    QFrame* Shape_Playlist = nullptr;
    QWidget* Panel_Info = nullptr;
    QTableWidget* Grid_Info = nullptr;
    TMyTrackBar* TrackBar_Seek = nullptr;
    QWidget* Panel_Control = nullptr;
    QToolBar* ToolBar_Control = nullptr;
    TMyTrackBar* TrackBar_Volume = nullptr;
    QLabel* Label_Time = nullptr;
    QStatusBar* StatusBar_Hint = nullptr;
    QWidget* Panel_Video = nullptr;
    // Dialog_OpenFile, made the first time it is asked for: a file dialog builds its whole
    // widget tree and file model, which the start of the program has no use for.
    QFileDialog* OpenFileDialog();
    // Its name filters, read without making it: a dialog not made yet has had none set,
    // and takes every file as a new one does.
    QStringList OpenFileFilters() const;
    TMyOpenFolderDialog* Dialog_OpenFolder = nullptr;
    TMyOpenFolderDialog* Dialog_OpenThisFolder = nullptr;
    QTimer* Timer_Time = nullptr;
    QTimer* Timer_GetFile = nullptr;
    QSystemTrayIcon* TrayIcon1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu_Main = nullptr;
    QMenu* PopupMenu_Sort = nullptr;
    QMenu* PopupMenu_OpenFile = nullptr;
    QMenu* PopupMenu_OpenFolder = nullptr;
    QMenu* PopupMenu_OpenThisFolder = nullptr;
    QMenu* PopupMenu_List = nullptr;
    // The notification-area icon's own menu: the copy of PopupMenu_Main, then the window
    // commands.
    QMenu* FSystemMenu = nullptr;
    TMyTaskBarMenu* FTaskBarMenu = nullptr;

signals:
    // The window was closed and FormDestroy has run: the program ends (the program entry
    // connects this to the application's quit).
    void Closed();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    // Whether a notification area exists to hide the window into (tests answer for it).
    virtual bool TrayAvailable() const;

private:
    void CreateActions();
    void CreateControls();
    void CreateMenus();
    QMenu* OwnMenu();
    void CreateToolBars();
    void ConnectActions();
    void RunAction(TMyActionId id, QObject* pSender);
    bool OwnerInstalled(TMyActionOwner owner) const;
    void SetSkipTaskbar(bool bSkip);

    std::array<QAction*, kMainActionCount> FActions{};
    std::vector<std::unique_ptr<QMenu>> FOwnedMenus;
    TMyMainParts FParts;
    QString FsHelpFile;
    QFileDialog* FOpenFileDialog = nullptr;
    bool FbCreated = false;
    bool FbDestroyed = false;
    bool FbBusyCursor = false;
};

} // namespace skivra
