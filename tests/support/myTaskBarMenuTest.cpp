#include "support/myTaskBarMenu.h"

#include "support/menuText.h"
#include "support/myMenu.h"
#include "support/myProgram.h"
#include "support/qtTestApp.h"

#include <QActionGroup>
#include <QMenu>
#include <QSignalSpy>

namespace skivra {
namespace {

QString Describe(const QMenu* pMenu) {
    return test::DescribeMenu(pMenu, true);
}

class TaskBarMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        open = new QAction(QStringLiteral("Open"), &owner);
        close = new QAction(QStringLiteral("Close"), &owner);
        random = new QAction(QStringLiteral("Random"), &owner);
        random->setCheckable(true);
        mode = new QAction(QStringLiteral("Mode"), &owner);
        mode->setCheckable(true);
        auto* pGroup = new QActionGroup(&owner);
        pGroup->addAction(mode);
        sortName = new QAction(QStringLiteral("By name"), &owner);
        sortSize = new QAction(QStringLiteral("By size"), &owner);
        sortSize->setVisible(false);
        exit = new QAction(QStringLiteral("Exit"), &owner);

        auto* pFile = source.addMenu(QStringLiteral("File"));
        pFile->addAction(open);
        pFile->addAction(close);
        pFile->setDefaultAction(open);
        auto* pOptions = source.addMenu(QStringLiteral("Options"));
        pOptions->addAction(random);
        pOptions->addAction(mode);
        sort = pOptions->addMenu(QStringLiteral("Sort"));
        sort->addAction(sortSize);
        sort->addAction(sortName);
        auto* pHidden = source.addMenu(QStringLiteral("Hidden"));
        pHidden->addAction(QStringLiteral("Inside hidden"));
        pHidden->menuAction()->setVisible(false);
        source.addSeparator();
        source.addAction(exit);

        AppendMenuStringItem(&system, 0xF120, QStringLiteral("Restore"), false, true, false);
        AppendMenuStringItem(&system, 0xF060, QStringLiteral("Close window"), false, true, false);
        original = Describe(&system);
    }

    QString Product() const { return QString::fromStdU16String(GetProgramProductName()); }
    QAction* CopyOf(TMyTaskBarMenu& menu, QAction* pAction) {
        TMyTaskBarMenuItem* pItem = menu.FindItem(pAction);
        return pItem ? pItem->Entry() : nullptr;
    }

    QObject owner;
    QMenu source;
    QMenu system;
    QMenu* sort = nullptr;
    QAction *open, *close, *random, *mode, *sortName, *sortSize, *exit;
    QString original;
};

TEST_F(TaskBarMenuTest, CopyIsOneProductPopupAndASeparatorAboveTheWindowCommands) {
    TMyTaskBarMenu menu(&source, &system, {}, true);
    EXPECT_EQ(Describe(&system),
              Product() +
                  QStringLiteral("{File{Open*, Close}, Options{Random, Mode, Sort{By name}}, -, "
                                 "Exit}, -, Restore, Close window"));
    // The hidden sub-menu, its child and the hidden sort action have no copy.
    EXPECT_EQ(menu.FindItem(sortSize), nullptr);
    EXPECT_EQ(menu.FindItem(source.actions()[2]), nullptr);
    // Radio items are drawn with a bullet: an exclusive group of their own.
    QAction* pMode = CopyOf(menu, mode);
    ASSERT_NE(pMode, nullptr);
    ASSERT_NE(pMode->actionGroup(), nullptr);
    EXPECT_TRUE(pMode->actionGroup()->isExclusive());
    EXPECT_EQ(CopyOf(menu, random)->actionGroup(), nullptr);
}

TEST_F(TaskBarMenuTest, WithoutSubMenuModeTheItemsAreAppendedAndTakenOutAgain) {
    {
        TMyTaskBarMenu menu(&source, &system, {}, false);
        EXPECT_EQ(Describe(&system),
                  QStringLiteral("Restore, Close window, File{Open*, Close}, Options{Random, "
                                 "Mode, Sort{By name}}, -, Exit"));
    }
    EXPECT_EQ(Describe(&system), original);
}

TEST_F(TaskBarMenuTest, DestroyingTheCopyRestoresTheSystemMenu) {
    auto pMenu = std::make_unique<TMyTaskBarMenu>(&source, &system, nullptr, true);
    EXPECT_NE(Describe(&system), original);
    pMenu.reset();
    EXPECT_EQ(Describe(&system), original);
}

TEST_F(TaskBarMenuTest, EntriesFollowTheirActions) {
    TMyTaskBarMenu menu(&source, &system, {}, true);
    random->setChecked(true);
    close->setEnabled(false);
    open->setText(QStringLiteral("Open file"));
    EXPECT_TRUE(CopyOf(menu, random)->isChecked());
    EXPECT_FALSE(CopyOf(menu, close)->isEnabled());
    EXPECT_EQ(CopyOf(menu, open)->text(), QStringLiteral("Open file"));
    random->setChecked(false);
    close->setEnabled(true);
    EXPECT_FALSE(CopyOf(menu, random)->isChecked());
    EXPECT_TRUE(CopyOf(menu, close)->isEnabled());
    // Hiding an action never removes or hides its entry.
    close->setVisible(false);
    EXPECT_TRUE(CopyOf(menu, close)->isVisible());
}

TEST_F(TaskBarMenuTest, AnEntryChangedDirectlyStopsFollowingForThatProperty) {
    TMyTaskBarMenu menu(&source, &system, {}, true);
    QAction* pCopy = CopyOf(menu, random);
    pCopy->setChecked(true); // set on the entry alone
    random->setChecked(true);
    random->setChecked(false);
    EXPECT_TRUE(pCopy->isChecked());
    // Other properties of the same entry still follow.
    random->setEnabled(false);
    EXPECT_FALSE(pCopy->isEnabled());
    // A caption differing only in letter case still counts as linked.
    pCopy->setText(QStringLiteral("RANDOM"));
    random->setText(QStringLiteral("Random play"));
    EXPECT_EQ(pCopy->text(), QStringLiteral("Random play"));
}

TEST_F(TaskBarMenuTest, ExecuteRunsTheActionOfACopiedEntryOnly) {
    TMyTaskBarMenu menu(&source, &system, {}, true);
    QSignalSpy randomRuns(random, &QAction::triggered);
    QSignalSpy exitRuns(exit, &QAction::triggered);
    const int iRandom = menu.FindItem(random)->MenuItemID();
    EXPECT_TRUE(menu.Execute(iRandom));
    EXPECT_TRUE(random->isChecked());
    EXPECT_TRUE(CopyOf(menu, random)->isChecked());
    EXPECT_EQ(randomRuns.count(), 1);
    EXPECT_TRUE(menu.Execute(menu.FindItem(exit)->MenuItemID()));
    EXPECT_EQ(exitRuns.count(), 1);

    EXPECT_FALSE(menu.Execute(0xF020)); // minimise: a window command
    EXPECT_FALSE(menu.Execute(kFirstSystemCommand));
    EXPECT_FALSE(menu.Execute(4000)); // no such entry
    EXPECT_EQ(randomRuns.count(), 1);
}

TEST_F(TaskBarMenuTest, ChoosingAnEntryAnnouncesItsIdWithoutTogglingTheEntryItself) {
    TMyTaskBarMenu menu(&source, &system, {}, true);
    QSignalSpy chosen(&menu, &TMyTaskBarMenu::Chosen);
    QAction* pCopy = CopyOf(menu, random);
    pCopy->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), menu.FindItem(random)->MenuItemID());
    EXPECT_FALSE(pCopy->isChecked());
    EXPECT_FALSE(random->isChecked());
    // Executing the announced id toggles both, and the link still holds afterwards.
    menu.Execute(chosen.at(0).at(0).toInt());
    EXPECT_TRUE(pCopy->isChecked());
    random->setChecked(false);
    EXPECT_FALSE(pCopy->isChecked());
}

TEST_F(TaskBarMenuTest, CaptionHandlerAndExplicitUpdates) {
    TMyTaskBarMenu menu(
        &source, &system, [](QAction*, QString& sCaption) { sCaption = u'<' + sCaption + u'>'; },
        true);
    EXPECT_EQ(CopyOf(menu, open)->text(), QStringLiteral("<Open>"));
    EXPECT_EQ(GetMenuItemCaption(&system, menu.FindItem(exit)->MenuItemID()),
              QStringLiteral("<Exit>"));
    // Sub-menu entries have no action: their captions pass through the handler too.
    EXPECT_EQ(CopyOf(menu, sort->menuAction())->text(), QStringLiteral("<Sort>"));

    // Marks and states set on the items, copied on request.
    QAction* pCopy = CopyOf(menu, sort->menuAction());
    sort->menuAction()->setEnabled(false);
    menu.SetEnableMenuItem(sort->menuAction());
    EXPECT_FALSE(pCopy->isEnabled());
    QSignalBlocker block(random);
    random->setChecked(true);
    menu.SetCheckMenuItem(source.actions()[1]); // the options sub-menu, recursively
    EXPECT_TRUE(CopyOf(menu, random)->isChecked());
}

} // namespace
} // namespace skivra
