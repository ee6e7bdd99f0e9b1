#include "support/myWindow.h"

#include "support/qtTestApp.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace skivra {
namespace {

TEST(MyWindowTest, ControlAtPointFindsTheDeepestControl) {
    QWidget form;
    form.setObjectName(QStringLiteral("form"));
    form.resize(300, 200);
    auto* pPanel = new QWidget(&form);
    pPanel->setObjectName(QStringLiteral("panel"));
    pPanel->setGeometry(20, 20, 200, 120);
    auto* pLabel = new QLabel(QStringLiteral("ラベル"), pPanel);
    pLabel->setObjectName(QStringLiteral("label"));
    pLabel->setGeometry(10, 10, 80, 20);
    // Two overlapping children: the later one lies on top.
    auto* pUnder = new QWidget(&form);
    pUnder->setObjectName(QStringLiteral("under"));
    pUnder->setGeometry(230, 20, 50, 50);
    auto* pOver = new QWidget(&form);
    pOver->setObjectName(QStringLiteral("over"));
    pOver->setGeometry(240, 30, 50, 50);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const auto at = [&](QPoint ptClient) {
        return FindControlAtPoint(form.mapToGlobal(ptClient), &form)->objectName();
    };
    const struct {
        QPoint pt;
        const char* name;
    } cases[] = {
        {{35, 35}, "label"},                          // on the label inside the panel
        {{150, 100}, "panel"},                        // on the panel beside the label
        {{5, 190}, "form"},                           // on the form outside every child
        {{250, 40}, "over"},                          // where two children overlap
        {{232, 22}, "under"},  {{219, 139}, "panel"}, // the panel's last pixel
        {{220, 140}, "form"},                         // just past it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(at(c.pt), QString::fromLatin1(c.name)) << c.pt.x() << "," << c.pt.y();
    }
    // A point on the window frame (title bar) answers the form itself.
    const QRect rcFrame = GetControlScreenRect(&form);
    const QRect rcClient = GetClientScreenRect(&form);
    if (rcFrame.top() < rcClient.top()) {
        EXPECT_EQ(FindControlAtPoint(QPoint(rcClient.left() + 30, rcFrame.top() + 1), &form),
                  &form);
    }
    EXPECT_EQ(GetClientScreenRect(pLabel).topLeft(), form.mapToGlobal(QPoint(30, 30)));
}

TEST(MyWindowTest, UniqueComponentNamesSkipNamesInUseIgnoringAsciiCase) {
    QObject root;
    auto* pA = new QObject(&root);
    pA->setObjectName(QStringLiteral("openhistory_0"));
    auto* pB = new QObject(pA); // deeper down counts as well
    pB->setObjectName(QStringLiteral("OpenHistory_1"));
    int iNext = 0;
    EXPECT_EQ(MakeUniqueComponentName(QStringLiteral("OpenHistory"), &root, &iNext),
              QStringLiteral("OpenHistory_2"));
    EXPECT_EQ(iNext, 3);
    EXPECT_TRUE(ComponentNameExists(QStringLiteral("OPENHISTORY_1"), &root));
    // Only a to z fold: full-width letters compare exactly.
    pB->setObjectName(QStringLiteral("ＯｐｅｎHistory_1"));
    EXPECT_FALSE(ComponentNameExists(QStringLiteral("ｏｐｅｎHistory_1"), &root));
    EXPECT_EQ(MakeUniqueComponentName(QStringLiteral("OpenHistory"), &root),
              QStringLiteral("OpenHistory_1"));
}

TEST(MyWindowTest, SelectionQueriesOfSingleAndMultipleSelectionLists) {
    QListWidget list;
    for (int i = 0; i < 10; ++i) {
        list.addItem(QString::number(i));
    }
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(GetFirstSelected(&list), -1);
    EXPECT_EQ(GetFocusedSelection(&list), -1);

    list.item(5)->setSelected(true);
    list.item(2)->setSelected(true);
    list.selectionModel()->setCurrentIndex(list.model()->index(7, 0),
                                           QItemSelectionModel::NoUpdate);
    EXPECT_EQ(GetFirstSelected(&list), 2);
    EXPECT_EQ(GetFocusedSelection(&list), 2) << "focus on an unselected row";
    list.selectionModel()->setCurrentIndex(list.model()->index(5, 0),
                                           QItemSelectionModel::NoUpdate);
    EXPECT_EQ(GetFocusedSelection(&list), 5) << "the focused row is selected";

    // One selected row and the focus elsewhere: the selected row, never the focused one.
    list.item(5)->setSelected(false);
    list.selectionModel()->setCurrentIndex(list.model()->index(7, 0),
                                           QItemSelectionModel::NoUpdate);
    EXPECT_EQ(GetFirstSelected(&list), 2);
    EXPECT_EQ(GetFocusedSelection(&list), 2);

    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setCurrentRow(4);
    EXPECT_EQ(GetFirstSelected(&list), 4);
    EXPECT_EQ(GetFocusedSelection(&list), 4);
}

} // namespace
} // namespace skivra
