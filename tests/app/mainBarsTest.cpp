// The seek and volume bars with the controller over a fake engine: where a click, a drag, a
// key or the wheel takes playback, what the hints say, and how the volume reaches the graph.
#include "app/mainBars.h"

#include "app/fakeMainParts.h"
#include "app/fakePlayer.h"
#include "app/main.h"
#include "app/myInfoTexts.h"
#include "app/myPlayerController.h"
#include "lists/myWStrings.h"
#include "support/myTrackBar.h"
#include "support/qtTestApp.h"

#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace skivra {
namespace {

using A = TMyActionId;

// The window's bars as the controller's view, as the window's own view shows them.
class BarsView : public test::FakeView {
public:
    BarsView(test::FakeLog& log, TApp_Skivra& window) : FakeView(log), FWindow(window) {}
    void SetSeekMax(std::int32_t i) override { FWindow.TrackBar_Seek->setMaximum(i); }
    void SetSeekPosition(std::int32_t i) override { FWindow.TrackBar_Seek->setValue(i); }
    std::int32_t SeekPosition() const override { return FWindow.TrackBar_Seek->value(); }
    bool SeekThumbHeld() const override { return FWindow.TrackBar_Seek->ThumbHold(); }
    std::int32_t VolumePosition() const override { return FWindow.TrackBar_Volume->value(); }
    bool MuteChecked() const override { return FWindow.Action(A::Action_Play_Mute)->isChecked(); }

private:
    TApp_Skivra& FWindow;
};

// The player part as far as the bars need it: the volume bar's changes reach the controller.
class VolumeParts : public test::TFakeMainParts {
public:
    explicit VolumeParts(TMyPlayerController& controller) : FController(controller) {}
    void Action_Play_MuteExecute(QObject*) override {
        FController.Action_Play_MuteExecute(TMyPlaySender::None);
    }

private:
    TMyPlayerController& FController;
};

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetParts(parts.All());
        window.FormCreate();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        engine.files[u"a.mp4"] = test::VideoFile(60.0);
        engine.files[u"b.mp4"] = test::VideoFile(60.0);
        playlist.Add(u"a.mp4");
        playlist.Add(u"b.mp4");
        controller.SetItemIndex(0);
        controller.PlayMedia(u"a.mp4");
        ASSERT_TRUE(controller.IsGraphLoaded());
        ASSERT_EQ(Seek()->maximum(), 600);
    }
    // The parts go before the window does: its end must not reach them.
    void TearDown() override { window.FormDestroy(); }
    TMyTrackBar* Seek() const { return window.TrackBar_Seek; }
    test::FakeGraph& Graph() const { return *engine.pLastGraph; }
    // Playback stands at fSeconds, and the display tick has moved the bar there.
    void PlayAt(double fSeconds) {
        Graph().fPosition = fSeconds;
        controller.Timer_TimeTimer();
        log.aCalls.clear();
    }
    int Y() const { return Seek()->height() / 2; }
    // Client x of a bar value: where the thumb's centre stands for it.
    int XOf(int iValue) const {
        const QRect rc = Seek()->SeekRect();
        const int h = (Seek()->ThumbRect().width() + 1) / 2;
        return rc.left() + h + iValue * (Seek()->SeekWidth() - 2 * h) / Seek()->maximum();
    }
    std::vector<std::string> Seeks() const { return log.Only({"PutCurrentPosition"}); }

    test::FakeLog log;
    test::FakeEngine engine{log};
    test::FakeDesktop desktop{log};
    TMyWStrings playlist;
    TApp_Skivra window;
    BarsView view{log, window};
    TMyPlayerController controller{playlist, engine, desktop, view};
    VolumeParts parts{controller};
    TMyMainBars bars{window, controller};
};

TEST_F(BarsTest, ClicksOnAndBesideTheTrackSeekOrSkip) {
    const int iLeftZone = Seek()->SeekRect().left() / 2;
    const int iRightZone = Seek()->width() - 2;
    const auto OnTrack = [&](int iX) {
        return Seek()->ValueAtX(iX) / 10.0;
    };
    struct Case {
        const char* sName;
        double fAt;       // playback position before the click
        int iX;           // where the left button goes down and comes up
        TMySkipKeys keys; // held during the click
        double fSeek;     // the position handed to the graph (which stops at 0 and 60)
    };
    const Case cases[] = {
        {"on the track", 12.5, XOf(300), {}, OnTrack(XOf(300))},
        {"at the track's left end", 12.5, XOf(0) - 1, {}, 0},
        {"past the track's right end", 12.5, XOf(600) + 1, {}, 60},
        {"left of the track", 40.0, iLeftZone, {}, 10},
        {"left of the track, back past the start", 12.5, iLeftZone, {}, -17.5},
        {"right of the track", 12.5, iRightZone, {}, 42.5},
        {"right of the track with Ctrl", 12.5, iRightZone, {false, true}, 13.5},
        {"right of the track with Shift", 12.5, iRightZone, {true, false}, 102.5},
        {"left of the track with Shift and Ctrl", 40.0, iLeftZone, {true, true}, 34},
    };
    for (const Case& c : cases) {
        PlayAt(c.fAt);
        view.keys = c.keys;
        QTest::mousePress(Seek(), Qt::LeftButton, {}, QPoint(c.iX, Y()));
        QTest::mouseRelease(Seek(), Qt::LeftButton, {}, QPoint(c.iX, Y()));
        EXPECT_EQ(Seeks(), std::vector<std::string>{"PutCurrentPosition " +
                                                    test::FakeGraph::Number(c.fSeek)})
            << c.sName;
        EXPECT_FALSE(controller.SeekHold()) << c.sName;
        // The bar shows where playback went, in tenths, within the bar.
        EXPECT_EQ(Seek()->value(),
                  std::clamp(static_cast<int>(std::trunc(Graph().fPosition * 10)), 0, 600))
            << c.sName;
    }
}

TEST_F(BarsTest, TheThumbIsHeldWhileDraggedAndSeeksWhereItIsLetGo) {
    PlayAt(10.0);
    const QPoint ptThumb = Seek()->ThumbRect().center();
    QTest::mousePress(Seek(), Qt::LeftButton, {}, ptThumb);
    ASSERT_TRUE(controller.SeekHold());
    QTest::mouseMove(Seek(), QPoint(XOf(450), ptThumb.y()));
    const int iDragged = Seek()->value();
    EXPECT_GT(iDragged, 400);
    // Playback goes on under the held thumb: the display tick leaves the bar alone.
    Graph().fPosition = 11.0;
    controller.Timer_TimeTimer();
    EXPECT_EQ(Seek()->value(), iDragged);
    EXPECT_TRUE(Seeks().empty());
    // Let go beside the track: the drag counts, not the skip zone.
    QTest::mouseRelease(Seek(), Qt::LeftButton, {}, QPoint(Seek()->width() - 2, ptThumb.y()));
    EXPECT_EQ(Seeks(), std::vector<std::string>{"PutCurrentPosition " +
                                                test::FakeGraph::Number(iDragged / 10.0)});
    EXPECT_FALSE(controller.SeekHold());

    // Another button clears the hold and seeks nothing.
    log.aCalls.clear();
    QTest::mousePress(Seek(), Qt::LeftButton, {}, Seek()->ThumbRect().center());
    QTest::mousePress(Seek(), Qt::RightButton, {}, Seek()->ThumbRect().center());
    EXPECT_FALSE(controller.SeekHold());
    QTest::mouseRelease(Seek(), Qt::RightButton, {}, Seek()->ThumbRect().center());
    EXPECT_TRUE(Seeks().empty());
    QTest::mouseRelease(Seek(), Qt::LeftButton, {}, Seek()->ThumbRect().center());
}

TEST_F(BarsTest, NearTheEndASkipOrAClickAtTheEndMovesToTheNextEntry) {
    for (const int iX : {Seek()->width() - 2, XOf(600) + 1}) {
        controller.SetItemIndex(0);
        controller.PlayMedia(u"a.mp4");
        PlayAt(50.0);
        QTest::mousePress(Seek(), Qt::LeftButton, {}, QPoint(iX, Y()));
        QTest::mouseRelease(Seek(), Qt::LeftButton, {}, QPoint(iX, Y()));
        // The graph stops at the end; the next display tick finds it there.
        EXPECT_EQ(Graph().fPosition, 60.0) << iX;
        controller.Timer_TimeTimer();
        EXPECT_EQ(controller.ItemIndex(), 1) << iX;
        EXPECT_TRUE(log.Has("RenderFile b.mp4")) << iX;
    }
}

TEST_F(BarsTest, KeysSeekByTheBarsStepsAndTheWheelMovesNeitherBar) {
    PlayAt(20.0);
    Seek()->setFocus();
    ASSERT_TRUE(test::WaitFor([&] { return Seek()->hasFocus(); }));
    QTest::keyClick(Seek(), Qt::Key_Right);
    EXPECT_EQ(Seeks(), std::vector<std::string>{"PutCurrentPosition 23"});
    log.aCalls.clear();
    QTest::keyClick(Seek(), Qt::Key_Home);
    EXPECT_EQ(Seeks(), std::vector<std::string>{"PutCurrentPosition 0"});

    log.aCalls.clear();
    for (TMyTrackBar* pBar : {Seek(), window.TrackBar_Volume}) {
        const int iBefore = pBar->value();
        pBar->setFocus();
        const QPoint pt(pBar->width() / 2, pBar->height() / 2);
        QWheelEvent wheel(pt, pBar->mapToGlobal(pt), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(pBar, &wheel);
        EXPECT_EQ(pBar->value(), iBefore) << pBar->objectName().toStdString();
    }
    EXPECT_TRUE(Seeks().empty());
    EXPECT_TRUE(log.Only({"PutVolume"}).empty());
}

TEST_F(BarsTest, HintsSayWhereAClickWouldGo) {
    // The pointer moving over a bar with no button down, delivered at once (QTest would
    // warp the real pointer and leave the motion to the X server's timing).
    const auto Hover = [&](TMyTrackBar* pBar, int iX) {
        const QPoint pt(iX, pBar->height() / 2);
        QMouseEvent move(QEvent::MouseMove, pt, pBar->mapToGlobal(pt), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(pBar, &move);
        return pBar->toolTip();
    };
    PlayAt(0.0);
    struct Case {
        int iX;
        QString sHint;
    };
    const Case cases[] = {
        {Seek()->SeekRect().left() / 2, QStringLiteral("30秒戻す")},
        {Seek()->width() - 2, QStringLiteral("30秒スキップ")},
        {XOf(0) - 2, QStringLiteral("0.0秒")},
        {XOf(600) + 2, QStringLiteral("1:00.0秒")},
        {XOf(300), QString::fromStdU16String(SeekHintText(std::trunc(Seek()->ValueAtX(XOf(300)))))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hover(Seek(), c.iX), c.sHint) << c.iX;
        // The status bar is on: the hint shows there at once.
        EXPECT_EQ(window.StatusBar_Hint->currentMessage(), c.sHint) << c.iX;
    }
    // Holding the thumb: the hint is the thumb's time.
    QTest::mousePress(Seek(), Qt::LeftButton, {}, Seek()->ThumbRect().center());
    QTest::mouseMove(Seek(), QPoint(XOf(125), Y()));
    EXPECT_EQ(Seek()->toolTip(), QString::fromStdU16String(SeekHintText(Seek()->value())));
    QTest::mouseRelease(Seek(), Qt::LeftButton, {}, QPoint(XOf(125), Y()));

    // The status bar off: the hint is a tooltip at the pointer.
    window.Action(A::Action_Opt_StatusBar)->trigger();
    ASSERT_TRUE(window.ShowHint());
    Hover(Seek(), Seek()->width() - 2);
    EXPECT_TRUE(test::WaitFor([] { return QToolTip::text() == QStringLiteral("30秒スキップ"); }));
    EXPECT_EQ(Hover(window.TrackBar_Volume, 3), QStringLiteral("100"));

    // Nothing loaded: the seek bar has no range and no hint.
    const int iX = XOf(300);
    controller.StopMedia(true);
    view.SetSeekMax(0);
    EXPECT_EQ(Hover(Seek(), iX), QString());
}

TEST_F(BarsTest, TheVolumeBarAndMuteSetTheGraphsVolume) {
    struct Case {
        int iPosition;
        bool bMuted;
        std::int32_t iVolume;
    };
    const Case cases[] = {{50, false, -693},
                          {1, false, -4605},
                          {0, false, -10000},
                          {80, true, -10000},
                          {100, false, 0}};
    for (const Case& c : cases) {
        window.Action(A::Action_Play_Mute)->setChecked(c.bMuted);
        log.aCalls.clear();
        window.TrackBar_Volume->setValue(c.iPosition);
        EXPECT_EQ(log.Only({"PutVolume"}),
                  std::vector<std::string>{"PutVolume " + std::to_string(c.iVolume)})
            << c.iPosition << (c.bMuted ? " muted" : "");
        EXPECT_EQ(view.bMuteImage, c.bMuted);
    }
}

} // namespace
} // namespace skivra
