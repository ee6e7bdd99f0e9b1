#include "support/myFolderDialog.h"

#include "support/TempFolder.h"
#include "support/qtTestApp.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace skivra {
namespace {

class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        sBase = QDir(QString::fromStdString(temp.Path())).canonicalPath();
        ASSERT_TRUE(QDir().mkpath(sBase + QStringLiteral("/動画/sub")));
    }

    // Runs Execute; once the browser is up, pAct drives it (and records what it saw).
    bool Run(const std::function<void(QFileDialog*)>& act) {
        QObject::connect(&dialog, &TMyOpenFolderDialog::Shown, &dialog,
                         [act](QFileDialog* pBrowser) { act(pBrowser); });
        return dialog.Execute();
    }

    test::TempFolder temp;
    QString sBase;
    TMyOpenFolderDialog dialog;
};

TEST_F(FolderDialogTest, ChosenFolderComesBackWithATrailingSeparator) {
    const QString sChosen = sBase + QStringLiteral("/動画");
    EXPECT_TRUE(Run([&](QFileDialog* p) {
        p->setDirectory(sChosen);
        static_cast<QDialog*>(p)->accept();
    }));
    EXPECT_EQ(dialog.Folders(), QStringList{sChosen + u'/'});
    EXPECT_EQ(dialog.FolderName(), sChosen + u'/');
    EXPECT_EQ(dialog.DirectoryName(), sChosen);
    EXPECT_EQ(dialog.Handle(), nullptr) << "the handle is valid only while the browser is open";
}

TEST_F(FolderDialogTest, TheRootFolderKeepsItsOnlySeparator) {
    EXPECT_TRUE(Run([](QFileDialog* p) {
        p->setDirectory(QStringLiteral("/"));
        static_cast<QDialog*>(p)->accept();
    }));
    EXPECT_EQ(dialog.FolderName(), QStringLiteral("/"));
    EXPECT_EQ(dialog.DirectoryName(), QStringLiteral("/"));
}

TEST_F(FolderDialogTest, CancelLeavesTheFoldersAsTheyWere) {
    dialog.SetFolders({QStringLiteral("/earlier/")});
    EXPECT_FALSE(Run([](QFileDialog* p) { p->reject(); }));
    EXPECT_EQ(dialog.Folders(), QStringList{QStringLiteral("/earlier/")});
}

TEST_F(FolderDialogTest, StartsInTheInitialFolderOnlyWhenItExists) {
    const QString sInitial = sBase + QStringLiteral("/動画/sub");
    QString sSeen;
    dialog.SetInitialDir(sInitial);
    Run([&](QFileDialog* p) {
        sSeen = p->directory().absolutePath();
        p->reject();
    });
    EXPECT_EQ(sSeen, sInitial);

    dialog.SetInitialDir(sBase + QStringLiteral("/gone"));
    Run([&](QFileDialog* p) {
        sSeen = p->directory().absolutePath();
        p->reject();
    });
    EXPECT_NE(sSeen, sBase + QStringLiteral("/gone"));
}

TEST_F(FolderDialogTest, TheRootKeepsTheBrowserInsideIt) {
    const QString sRoot = sBase + QStringLiteral("/動画");
    dialog.SetRoot(sRoot);
    dialog.SetInitialDir(QStringLiteral("/"));
    QString sStart;
    QString sAfterStepOut;
    const bool bChosen = Run([&](QFileDialog* p) {
        sStart = p->directory().absolutePath();
        p->setDirectory(QStringLiteral("/"));
        emit p->directoryEntered(QStringLiteral("/"));
        sAfterStepOut = p->directory().absolutePath();
        static_cast<QDialog*>(p)->accept();
    });
    EXPECT_EQ(sStart, sRoot);
    EXPECT_EQ(sAfterStepOut, sRoot);
    EXPECT_TRUE(bChosen);
    EXPECT_EQ(dialog.FolderName(), sRoot + u'/');
}

TEST_F(FolderDialogTest, OpensCentredOnTheWorkAreaUnderThePointer) {
    QRect rcFrame;
    QRect rcWork;
    Run([&](QFileDialog* p) {
        test::WaitFor([p] { return p->isVisible(); });
        QCoreApplication::processEvents();
        rcFrame = p->frameGeometry();
        rcWork = QGuiApplication::screenAt(QCursor::pos())->availableGeometry();
        p->reject();
    });
    EXPECT_LE(std::abs(rcFrame.center().x() - rcWork.center().x()), 2) << rcFrame.x();
    EXPECT_LE(std::abs(rcFrame.center().y() - rcWork.center().y()), 2) << rcFrame.y();
}

TEST(FolderDialogOptionsTest, DefaultOptionSetIsItsFourFlags) {
    using O = TMyOpenFolderOption;
    EXPECT_EQ(kDefaultFolderOptions,
              FolderOptionBit(O::bfReturnOnlyFsDirs) | FolderOptionBit(O::bfReturnFsAncestors) |
                  FolderOptionBit(O::bfNoNewFolderButton) | FolderOptionBit(O::bfNewDialogStyle));
    EXPECT_EQ(TMyOpenFolderDialog().Options(), kDefaultFolderOptions);
    EXPECT_TRUE(TMyOpenFolderDialog().Center());
}

} // namespace
} // namespace skivra
