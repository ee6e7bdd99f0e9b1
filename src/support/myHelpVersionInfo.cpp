#include "support/myHelpVersionInfo.h"

#include "support/myLabel.h"
#include "support/myProgram.h"
#include "support/myQtScreen.h"
#include "support/myUiFont.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace skivra {

QPointer<THelp_VersionInfo> VersionInfoDialog;

namespace {

// The designed layout: client area 392 x 176, the three panels' heights, the controls'
// places inside them.
constexpr int kClientWidth = 392;
constexpr int kClientHeight = 176;
constexpr int kVerHeight = 40;
constexpr int kMemoHeight = 49;
constexpr int kCmdHeight = 50;
constexpr int kUrlLeft = 8;
constexpr int kUrlTop = 4;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 21;
constexpr int kButtonBottomGap = 5; // 50 - 24 - 21: the button keeps it when the panel grows

QFrame* NewLine(QWidget* pParent) {
    auto* pLine = new QFrame(pParent);
    pLine->setFrameShape(QFrame::HLine);
    pLine->setFrameShadow(QFrame::Plain);
    pLine->setForegroundRole(QPalette::Dark);
    return pLine;
}

QString Trimmed(const QString& sText) {
    return sText.trimmed();
}

} // namespace

THelp_VersionInfo::THelp_VersionInfo(QWidget* pOwner) : QDialog(pOwner) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A title and a close button only: no minimise or maximise for a box about the program.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(JapaneseUiFontPoints(9));
    setWindowTitle(QStringLiteral("バージョン情報"));

    Panel_Ver = new QWidget(this);
    imgIcon = new QLabel(Panel_Ver);
    imgIcon->setGeometry(4, 4, 32, 32);
    imgIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    Lable_HelpVer = new TMyLabel(Panel_Ver);
    Lable_HelpVer->move(40, 6);
    Label_HelpDescription = new TMyLabel(Panel_Ver);
    Label_HelpDescription->move(40, 22);

    Panel_Memo = new QWidget(this);
    Memo_Memo = new QPlainTextEdit(Panel_Memo);
    Memo_Memo->setFrameShape(QFrame::NoFrame);
    Memo_Memo->setReadOnly(true);
    NewLine(Panel_Memo)->setObjectName(QStringLiteral("Shape2"));
    NewLine(Panel_Memo)->setObjectName(QStringLiteral("Shape3"));

    Panel_Cmd = new QWidget(this);
    Label_URL = new TMyLabel(QStringLiteral("URL"), Panel_Cmd);
    Label_URL->move(kUrlLeft, kUrlTop);
    Label_URL->setCursor(Qt::PointingHandCursor);
    Label_URL->setForegroundRole(QPalette::Link);
    Label_URL->installEventFilter(this);
    Button_Close = new QPushButton(QStringLiteral("OK"), Panel_Cmd);
    Button_Close->setDefault(true);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::close);

    resize(kClientWidth, kClientHeight);
    CenterWindowOnCursorMonitor(this);

    // Title: the product name, else the application's name, else the program file's.
    QString sTitle = QString::fromStdU16String(GetProgramProductName());
    if (sTitle.isEmpty()) {
        sTitle = QApplication::applicationName();
    }
    if (sTitle.isEmpty()) {
        sTitle = QFileInfo(QString::fromStdU16String(GetProgramFileName())).fileName();
    }
    SetTitle(sTitle);
    Label_HelpDescription->setText(QString::fromStdU16String(GetProgramComments()));
    Label_HelpDescription->adjustSize();
    SetMemoText(QString());
    Label_URL->setText(QString());
    Label_URL->adjustSize();
    if (pOwner && pOwner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
}

void THelp_VersionInfo::SetTitle(const QString& sTitle) {
    QString sText = sTitle;
    if (!sText.isEmpty() && !sText.endsWith(u':')) {
        sText += u':';
    }
    Lable_HelpVer->setText(
        QStringLiteral("%1Ver %2").arg(sText, QString::fromStdU16String(GetProgramVersion())));
    Lable_HelpVer->adjustSize();
}

void THelp_VersionInfo::SetClientHeight(int iHeight) {
    resize(width(), iHeight);
    LayoutPanels();
}

void THelp_VersionInfo::SetMemoText(const QString& sText) {
    const QString sMemo = Trimmed(sText);
    Memo_Memo->setPlainText(sMemo);
    if (!sMemo.isEmpty()) {
        Panel_Memo->show();
        SetClientHeight(Panel_Ver->height() + Panel_Cmd->height() + 80);
    } else if (!Panel_Memo->isHidden()) {
        Panel_Memo->hide();
        SetClientHeight(height() - kMemoHeight);
    }
}

QString THelp_VersionInfo::GetMemoText() const {
    return Trimmed(Memo_Memo->toPlainText());
}

void THelp_VersionInfo::SetUrl(const QString& sUrl) {
    Label_URL->setText(sUrl);
    Label_URL->adjustSize();
    const int iUrlHeight = Label_URL->height();
    if (!sUrl.isEmpty()) {
        const int iWanted = Label_URL->width() + 2 * kUrlLeft;
        if (width() < iWanted) {
            resize(iWanted, height());
        }
        if (!FbUrlShown) {
            FbUrlShown = true;
            Label_URL->show();
            SetClientHeight(height() + iUrlHeight);
        }
    } else if (FbUrlShown) {
        FbUrlShown = false;
        Label_URL->hide();
        SetClientHeight(height() - iUrlHeight);
    }
    LayoutPanels();
}

QString THelp_VersionInfo::Url() const {
    return Label_URL->text();
}

void THelp_VersionInfo::LayoutPanels() {
    const int iWidth = width();
    const int iUrlExtra = FbUrlShown ? 0 : -Label_URL->height();
    const int iCmdHeight = kCmdHeight + iUrlExtra;
    Panel_Ver->setGeometry(0, 0, iWidth, kVerHeight);
    int iTop = kVerHeight;
    if (!Panel_Memo->isHidden()) {
        // The memo fills what the other two panels leave.
        const int iMemoHeight = std::max(height() - kVerHeight - iCmdHeight, 2);
        Panel_Memo->setGeometry(0, iTop, iWidth, iMemoHeight);
        const auto lines = Panel_Memo->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
        for (QFrame* pLine : lines) {
            if (pLine == Memo_Memo) {
                continue;
            }
            const bool bTop = pLine->objectName() == QStringLiteral("Shape2");
            pLine->setGeometry(0, bTop ? 0 : iMemoHeight - 1, iWidth, 1);
        }
        Memo_Memo->setGeometry(0, 1, iWidth, iMemoHeight - 2);
    }
    Panel_Cmd->setGeometry(0, height() - iCmdHeight, iWidth, iCmdHeight);
    Button_Close->setGeometry((iWidth - kButtonWidth) / 2,
                              iCmdHeight - kButtonHeight - kButtonBottomGap, kButtonWidth,
                              kButtonHeight);
}

void THelp_VersionInfo::resizeEvent(QResizeEvent* pEvent) {
    QDialog::resizeEvent(pEvent);
    LayoutPanels();
}

void THelp_VersionInfo::showEvent(QShowEvent* pEvent) {
    QDialog::showEvent(pEvent);
    if (!FbShownOnce) {
        // The laid-out size is the smallest the box may become.
        FbShownOnce = true;
        setMinimumSize(size());
    }
}

bool THelp_VersionInfo::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pObject == Label_URL) {
        QFont font = Label_URL->font();
        switch (pEvent->type()) {
        case QEvent::Enter:
            font.setUnderline(true);
            Label_URL->setFont(font);
            break;
        case QEvent::Leave:
            font.setUnderline(false);
            Label_URL->setFont(font);
            break;
        case QEvent::MouseButtonRelease:
            if (!Label_URL->text().isEmpty()) {
                QDesktopServices::openUrl(QUrl::fromUserInput(Label_URL->text()));
            }
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(pObject, pEvent);
}

THelp_VersionInfo* EnsureVersionInfoDialog(QWidget* pOwner) {
    if (!VersionInfoDialog) {
        VersionInfoDialog = new THelp_VersionInfo(pOwner);
    }
    return VersionInfoDialog;
}

void SetVersionInfoUrl(const QString& sUrl) {
    EnsureVersionInfoDialog()->SetUrl(sUrl);
}

void SetVersionInfoMemo(const QString& sText) {
    EnsureVersionInfoDialog()->SetMemoText(sText);
}

void ShowVersionInfoDialog() {
    THelp_VersionInfo* pDialog = EnsureVersionInfoDialog();
    pDialog->SetUrl(pDialog->Url());
    pDialog->SetMemoText(pDialog->GetMemoText());
    pDialog->exec();
}

void ReleaseVersionInfoDialog() {
    if (VersionInfoDialog) {
        delete VersionInfoDialog.data();
    }
    VersionInfoDialog = nullptr;
}

} // namespace skivra
