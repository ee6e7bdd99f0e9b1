#include "app/mainBars.h"

#include "app/main.h"
#include "app/myInfoTexts.h"
#include "app/myPlayerController.h"
#include "support/myTrackBar.h"

#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

#include <cmath>

namespace skivra {

namespace {

using A = TMyActionId;

// Exclusive right edge, as the bar's geometry is spoken of.
int RightOf(const QRect& rc) {
    return rc.left() + rc.width();
}

} // namespace

TMyMainBars::TMyMainBars(TApp_Skivra& window, TMyPlayerController& controller)
    : FWindow(window), FController(controller) {
    TMyTrackBar* pSeek = FWindow.TrackBar_Seek;
    TMyTrackBar* pVolume = FWindow.TrackBar_Volume;
    // The hints follow the pointer, pressed or not.
    pSeek->setMouseTracking(true);
    pVolume->setMouseTracking(true);
    connect(pSeek, &TMyTrackBar::MouseDown, this, &TMyMainBars::TrackBar_SeekMouseDown);
    connect(pSeek, &TMyTrackBar::MouseMove, this, &TMyMainBars::TrackBar_SeekMouseMove);
    connect(pSeek, &TMyTrackBar::MouseUp, this, &TMyMainBars::TrackBar_SeekMouseUp);
    connect(pVolume, &TMyTrackBar::MouseMove, this, &TMyMainBars::TrackBar_VolumeMouseMove);
    connect(pSeek, &QAbstractSlider::actionTriggered, this, &TMyMainBars::TrackBar_SeekKeyAction);
    pSeek->installEventFilter(this);
    pVolume->installEventFilter(this);
}

bool TMyMainBars::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pEvent->type() == QEvent::Wheel &&
        (pObject == FWindow.TrackBar_Seek || pObject == FWindow.TrackBar_Volume)) {
        pEvent->accept();
        return true;
    }
    return QObject::eventFilter(pObject, pEvent);
}

void TMyMainBars::ShowHint(TMyTrackBar* pBar, const QString& sText, QPoint ptGlobal) {
    pBar->setToolTip(sText);
    pBar->setStatusTip(sText);
    if (sText.isEmpty()) {
        QToolTip::hideText();
    } else if (FWindow.ShowHint()) {
        QToolTip::showText(ptGlobal, sText, pBar);
    } else {
        FWindow.StatusBar_Hint->showMessage(sText);
    }
}

void TMyMainBars::TrackBar_SeekMouseDown(QMouseEvent* pEvent) {
    TMyTrackBar* pBar = FWindow.TrackBar_Seek;
    if (pEvent->button() != Qt::LeftButton) {
        FController.SetSeekHold(false);
        return;
    }
    if (pBar->ThumbRect().contains(pEvent->position().toPoint())) {
        FController.SetSeekHold(true);
    }
}

void TMyMainBars::TrackBar_SeekMouseMove(QMouseEvent* pEvent) {
    TMyTrackBar* pBar = FWindow.TrackBar_Seek;
    const QPoint ptGlobal = pEvent->globalPosition().toPoint();
    if (!(pBar->minimum() < pBar->maximum())) {
        ShowHint(pBar, QString(), ptGlobal);
        return;
    }
    const int iX = pEvent->position().toPoint().x();
    const QRect rcSeek = pBar->SeekRect();
    QString sHint;
    if (pBar->ThumbHold()) {
        sHint = QString::fromStdU16String(SeekHintText(pBar->value()));
    } else if (iX < rcSeek.left()) {
        sHint = FWindow.Action(A::Action_Play_SkipBack)->statusTip();
    } else if (iX >= RightOf(rcSeek)) {
        sHint = FWindow.Action(A::Action_Play_SkipNext)->statusTip();
    } else {
        sHint = QString::fromStdU16String(SeekHintText(std::trunc(pBar->ValueAtX(iX))));
    }
    ShowHint(pBar, sHint, ptGlobal);
}

void TMyMainBars::TrackBar_SeekMouseUp(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        return;
    }
    TMyTrackBar* pBar = FWindow.TrackBar_Seek;
    const int iX = pEvent->position().toPoint().x();
    const QRect rcSeek = pBar->SeekRect();
    if (FController.SeekHold()) {
        FController.SeekTo(pBar->value() / 10.0);
    } else if (iX < rcSeek.left()) {
        FController.Action_Play_SkipBackExecute(TMyPlaySender::SkipBack);
    } else if (iX >= RightOf(rcSeek)) {
        FController.Action_Play_SkipBackExecute(TMyPlaySender::SkipNext);
    } else {
        FController.SeekTo(pBar->ValueAtX(iX) / 10.0);
    }
    FController.SetSeekHold(false);
}

void TMyMainBars::TrackBar_SeekKeyAction(int iAction) {
    TMyTrackBar* pBar = FWindow.TrackBar_Seek;
    // The mouse's own steps (a press held on the track) wait for the release; only the
    // keyboard's steps seek at once, to where the thumb now stands.
    if (pBar->Touched() || iAction == QAbstractSlider::SliderNoAction ||
        iAction == QAbstractSlider::SliderMove) {
        return;
    }
    FController.SeekTo(pBar->sliderPosition() / 10.0);
}

void TMyMainBars::TrackBar_VolumeMouseMove(QMouseEvent* pEvent) {
    TMyTrackBar* pBar = FWindow.TrackBar_Volume;
    ShowHint(pBar, QString::number(pBar->value()), pEvent->globalPosition().toPoint());
}

} // namespace skivra
