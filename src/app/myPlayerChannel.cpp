#include "app/myPlayerChannel.h"

#include <QString>

#include <chrono>
#include <thread>

#include "app/myMessages.h"
#include "app/myParam.h"
#include "app/myX11Session.h"
#include "platform/posix/myInstanceLock.h"
#include "platform/posix/myProcess.h"
#include "platform/x11/myX11MessageWindow.h"
#include "platform/x11/myX11Window.h"
#include "platform/x11/myX11WindowStyle.h"
#include "support/myMessageBox.h"

namespace skivra {

namespace {

// How long the sub-player has to announce itself before the current entry plays without it.
constexpr int kSubPlayerWaitMs = 2000;
// How long a second start waits for a running player's panel that is still being made.
constexpr auto kPlayerPanelWait = std::chrono::seconds(5);

} // namespace

TMyPlayerChannel::TMyPlayerChannel(TMyX11Session& session, TMyWindowId mainWindow,
                                   std::u16string sProgramFile)
    : FSession(session), FsProgramFile(std::move(sProgramFile)),
      MyMessagePanel1(session, mainWindow) {
    MyMessagePanel1.OnTextChange = [this](TMyMessagePanel*, const std::u16string& sText) {
        MyMessagePanel1TextChange(sText);
    };
    FbClaimed = ClaimAppSelection(session.Connection(), kMainWindowClass, MessagePanel());
}

void TMyPlayerChannel::MyMessagePanel1TextChange(const std::u16string& sText) {
    const TMyParam param(sText);
    for (int i = 0; i < param.Count(); ++i) {
        const TMyParamOption* option = param.OptionParam(i);
        if (!option->CompareOption(kToSubPlayerOption)) {
            continue;
        }
        const int iPanel = option->ValueInt();
        if (iPanel < 0) {
            continue;
        }
        FhSubPlayerMsgHwnd = static_cast<TMyWindowId>(iPanel);
        FhSubPlayerHwnd =
            GetTopLevelWindowOf(FSession.Connection().NativeDisplay(), FhSubPlayerMsgHwnd);
    }
}

void TMyPlayerChannel::StartSubPlayer() {
    ShellExecuteAndWaitIdle(FsProgramFile, SubPlayerParameters(MessagePanel()), kSubPlayerWaitMs,
                            [this] {
                                FSession.Drain();
                                return FSession.Connection().IsWindow(FhSubPlayerHwnd);
                            });
}

bool TMyPlayerChannel::SubPlayerReady() {
    if (!FSession.Connection().IsWindow(FhSubPlayerHwnd)) {
        StartSubPlayer();
    }
    return FSession.Connection().IsWindow(FhSubPlayerHwnd);
}

bool ActivatePrevInstance(const std::u16string& sMutexName, const char* pClassName,
                          const std::u16string& sTitle, const std::u16string& sMessage) {
    if (!MutexAlreadyExists(sMutexName)) {
        return false;
    }
    TMyX11Connection connection;
    TMyWindowId panel = FindAppMessagePanel(connection, pClassName);
    const auto deadline = std::chrono::steady_clock::now() + kPlayerPanelWait;
    while (panel == 0 && connection.IsOpen() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        panel = FindAppMessagePanel(connection, pClassName);
    }
    const TMyWindowId player = panel ? GetTopLevelWindowOf(connection.NativeDisplay(), panel) : 0;
    const std::u16string sShifted = MyParam().ShiftCmdLine();
    if (MyParam().ShiftCount() >= 1 && panel != 0) {
        SendMessageText(connection, sShifted, panel);
    } else {
        ShowTopMessageBox(QString::fromUtf8("すでに起動しています"),
                          QString::fromStdU16String(sTitle), MB_OK);
        if (!sMessage.empty()) {
            SendMessageText(connection, sMessage, player);
        }
    }
    RestoreMinimized(connection.NativeDisplay(), player);
    BringWindowToFront(connection, player);
    connection.Flush();
    return true;
}

} // namespace skivra
