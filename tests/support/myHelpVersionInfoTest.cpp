#include "support/myHelpVersionInfo.h"

#include "support/myLabel.h"
#include "support/myProgram.h"
#include "support/qtTestApp.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace skivra {
namespace {

class VersionInfoTest : public ::testing::Test {
protected:
    void TearDown() override { ReleaseVersionInfoDialog(); }
};

TEST_F(VersionInfoTest, ShowsTheVersionRecordOfTheProgram) {
    THelp_VersionInfo* pBox = EnsureVersionInfoDialog();
    EXPECT_EQ(pBox->windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(pBox->Lable_HelpVer->text(), QStringLiteral("Skivra:Ver 3.0.15.234"));
    EXPECT_EQ(pBox->Label_HelpDescription->text(),
              QStringLiteral("壁紙の代わりに動画を再生するメディアプレーヤー"));
    EXPECT_TRUE(pBox->Panel_Memo->isHidden()) << "no memo, no memo panel";
    EXPECT_EQ(pBox->width(), 392);
    EXPECT_EQ(pBox->height(), 176 - 49);
    EXPECT_EQ(pBox->Url(), QString());
}

TEST_F(VersionInfoTest, TitleLineFormat) {
    THelp_VersionInfo* pBox = EnsureVersionInfoDialog();
    const QString sVersion = QString::fromStdU16String(GetProgramVersion());
    const struct {
        QString title;
        QString line;
    } cases[] = {
        {QStringLiteral("Skivra"), QStringLiteral("Skivra:Ver ") + sVersion},
        {QStringLiteral("Skivra:"), QStringLiteral("Skivra:Ver ") + sVersion},
        {QStringLiteral("再生"), QStringLiteral("再生:Ver ") + sVersion},
        {QString(), QStringLiteral("Ver ") + sVersion},
    };
    for (const auto& c : cases) {
        pBox->SetTitle(c.title);
        EXPECT_EQ(pBox->Lable_HelpVer->text(), c.line);
    }
}

TEST_F(VersionInfoTest, MemoAndLinkGrowAndShrinkTheBoxOnce) {
    THelp_VersionInfo* pBox = EnsureVersionInfoDialog();
    const int iHeight = pBox->height();
    pBox->SetMemoText(QStringLiteral("  メモ  \n"));
    EXPECT_EQ(pBox->GetMemoText(), QStringLiteral("メモ"));
    EXPECT_FALSE(pBox->Panel_Memo->isHidden());
    EXPECT_EQ(pBox->height(), pBox->Panel_Ver->height() + pBox->Panel_Cmd->height() + 80);
    pBox->SetMemoText(QString());
    EXPECT_TRUE(pBox->Panel_Memo->isHidden());
    const int iWithoutMemo = pBox->height();
    pBox->SetMemoText(QStringLiteral("   "));
    EXPECT_EQ(pBox->height(), iWithoutMemo) << "a hidden memo panel is not taken away twice";
    EXPECT_LT(iWithoutMemo, iHeight + 80);

    const QString sLong = QStringLiteral("file:///") + QString(120, u'x') + QStringLiteral(".html");
    pBox->SetUrl(sLong);
    EXPECT_GE(pBox->width(), pBox->Label_URL->width() + 16);
    EXPECT_EQ(pBox->Url(), sLong);
    const int iWithUrl = pBox->height();
    pBox->SetUrl(QString());
    EXPECT_EQ(pBox->height(), iWithUrl - pBox->Label_URL->height());
    pBox->SetUrl(QStringLiteral("x"));
    EXPECT_EQ(pBox->height(), iWithUrl);
}

// Shows the box modally as the main window does, closes it once it is up, and returns its
// size as shown.
QSize ShowOnce(const QString& sUrl) {
    EnsureVersionInfoDialog();
    SetVersionInfoUrl(sUrl);
    QSize shown;
    QTimer::singleShot(0, [&shown] {
        test::WaitFor([] { return VersionInfoDialog && VersionInfoDialog->isVisible(); });
        if (VersionInfoDialog) {
            shown = VersionInfoDialog->size();
            VersionInfoDialog->Button_Close->click();
        }
    });
    ShowVersionInfoDialog();
    ReleaseVersionInfoDialog();
    return shown;
}

TEST_F(VersionInfoTest, OpeningTwiceGivesTheSameLayout) {
    const QString sUrl = QStringLiteral("file:///usr/share/skivra/hlp/index.html");
    const QSize first = ShowOnce(sUrl);
    const QSize second = ShowOnce(sUrl);
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(first, second);
    EXPECT_EQ(VersionInfoDialog, nullptr);
}

} // namespace
} // namespace skivra
