#include "support/myTrackBar.h"

#include "support/qtTestApp.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace skivra {
namespace {

class TrackBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* pLayout = new QVBoxLayout(&window);
        bar = new TMyTrackBar(&window);
        other = new QLineEdit(&window);
        pLayout->addWidget(bar);
        pLayout->addWidget(other);
        bar->setRange(0, 1000);
        bar->setValue(0);
        window.resize(300, 80);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QPoint ThumbCentre() const { return bar->ThumbRect().center(); }
    // A point on the channel well away from the thumb (which sits at the left end).
    QPoint ChannelPoint() const {
        const QRect rc = bar->SeekRect();
        return QPoint(rc.left() + rc.width() * 3 / 4, ThumbCentre().y());
    }

    QWidget window;
    TMyTrackBar* bar = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(TrackBarTest, FlagsFollowTheButtonOnThumbAndChannel) {
    EXPECT_FALSE(bar->ThumbHold());
    EXPECT_FALSE(bar->Touched());

    QTest::mousePress(bar, Qt::LeftButton, {}, ThumbCentre());
    EXPECT_TRUE(bar->ThumbHold());
    EXPECT_TRUE(bar->Touched());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, ThumbCentre());
    EXPECT_FALSE(bar->ThumbHold());
    EXPECT_FALSE(bar->Touched());

    bar->setValue(0);
    QTest::mousePress(bar, Qt::LeftButton, {}, ChannelPoint());
    EXPECT_FALSE(bar->ThumbHold());
    EXPECT_TRUE(bar->Touched());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, ChannelPoint());

    QTest::mousePress(bar, Qt::LeftButton, {}, ThumbCentre());
    QTest::mousePress(bar, Qt::RightButton, {}, ThumbCentre());
    EXPECT_FALSE(bar->ThumbHold());
    EXPECT_FALSE(bar->Touched());
    QTest::mouseRelease(bar, Qt::RightButton, {}, ThumbCentre());
}

TEST_F(TrackBarTest, LeavingTheBarWhileHoldingClearsBothFlags) {
    bar->setFocus();
    QTest::mousePress(bar, Qt::LeftButton, {}, ThumbCentre());
    ASSERT_TRUE(bar->ThumbHold());
    other->setFocus();
    ASSERT_TRUE(test::WaitFor([&] { return other->hasFocus(); }));
    EXPECT_FALSE(bar->ThumbHold());
    EXPECT_FALSE(bar->Touched());
}

TEST_F(TrackBarTest, ScreenRectanglesAreTheClientOnesMoved) {
    const QPoint ptOrigin = bar->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(bar->ThumbScreenRect(), bar->ThumbRect().translated(ptOrigin));
    EXPECT_EQ(bar->SeekScreenRect(), bar->SeekRect().translated(ptOrigin));
    EXPECT_EQ(bar->SeekWidth(), bar->SeekRect().width());
    EXPECT_GT(bar->SeekWidth(), bar->ThumbRect().width());
}

TEST_F(TrackBarTest, TheChannelLeavesRoomAtBothEndsWherePressesMoveNothing) {
    const QRect rcSeek = bar->SeekRect();
    EXPECT_EQ(rcSeek.left(), TMyTrackBar::kChannelMargin);
    EXPECT_EQ(bar->width() - (rcSeek.left() + rcSeek.width()), TMyTrackBar::kChannelMargin);
    bar->setValue(500);
    const int y = ThumbCentre().y();
    for (const int x : {2, bar->width() - 3}) {
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(x, y));
        EXPECT_TRUE(bar->Touched());
        EXPECT_FALSE(bar->ThumbHold());
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(x, y));
        EXPECT_EQ(bar->value(), 500) << "x = " << x;
    }
}

TEST_F(TrackBarTest, ClickPositionMapsOntoTheRangeWithHalfAThumbAtEachEnd) {
    const QRect rcSeek = bar->SeekRect();
    const int h = (bar->ThumbRect().width() + 1) / 2;
    const int L = rcSeek.left() + h;
    const int R = rcSeek.left() + rcSeek.width() - h;
    struct Case {
        int x;
        double value;
    };
    const Case cases[] = {
        {rcSeek.left() - 5, 0}, // left of the channel
        {L - 1, 0},             // inside the channel, within half a thumb of its left end
        {L, 0},
        {(L + R) / 2, ((L + R) / 2 - L) * 1000.0 / (R - L)},
        {R, 1000},
        {R + 1, 1000},
        {rcSeek.right() + 20, 1000},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(bar->ValueAtX(c.x), c.value) << "x = " << c.x;
    }
    // A range that does not start at 0 keeps its minimum at the left end.
    bar->setRange(100, 300);
    EXPECT_DOUBLE_EQ(bar->ValueAtX(L), 100);
    EXPECT_DOUBLE_EQ(bar->ValueAtX(R), 300);
}

} // namespace
} // namespace skivra
