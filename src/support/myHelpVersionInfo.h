#pragma once

#include <QDialog>
#include <QPointer>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace skivra {

class TMyLabel;

// The modal box about the program: its icon, the title line "<product>:Ver <version>", the
// description from the version record, an optional memo, and a link to the product's web
// page. It frees itself when closed. UI thread only.
class THelp_VersionInfo : public QDialog {
    Q_OBJECT
public:
    explicit THelp_VersionInfo(QWidget* pOwner = nullptr);

    // A non-empty title gets a trailing ":" unless it has one; the title line reads
    // "<title>Ver <version>".
    void SetTitle(const QString& sTitle);
    // A non-empty memo shows the memo panel and gives the box room for it; an empty one
    // takes the panel away again (once: a hidden panel is not taken away twice).
    void SetMemoText(const QString& sText);
    QString GetMemoText() const;
    // A non-empty address shows the link line and widens the box to fit it; an empty one
    // hides it.
    void SetUrl(const QString& sUrl);
    QString Url() const;

    TMyLabel* Lable_HelpVer = nullptr;
    TMyLabel* Label_HelpDescription = nullptr;
    TMyLabel* Label_URL = nullptr;
    QLabel* imgIcon = nullptr;
    QPlainTextEdit* Memo_Memo = nullptr;
    QPushButton* Button_Close = nullptr;
    QWidget* Panel_Ver = nullptr;
    QWidget* Panel_Memo = nullptr;
    QWidget* Panel_Cmd = nullptr;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    void LayoutPanels();
    void SetClientHeight(int iHeight);

    bool FbShownOnce = false;
    bool FbUrlShown = true;
};

// The one box the program keeps (nullptr while none exists).
extern QPointer<THelp_VersionInfo> VersionInfoDialog;

// Keeps VersionInfoDialog while it is alive, otherwise makes a new one.
THelp_VersionInfo* EnsureVersionInfoDialog(QWidget* pOwner = nullptr);
void SetVersionInfoUrl(const QString& sUrl);
void SetVersionInfoMemo(const QString& sText);
// Re-applies the current link and memo, then shows the box modally.
void ShowVersionInfoDialog();
// Frees the box (if it still exists) and forgets it.
void ReleaseVersionInfoDialog();

} // namespace skivra
