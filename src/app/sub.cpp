#include "app/sub.h"

#include <QCoreApplication>

#include <cstdio>

#include "app/myMessages.h"
#include "app/myParam.h"
#include "app/myX11Session.h"
#include "platform/x11/myX11DesktopWindow.h"
#include "platform/x11/myX11MessageWindow.h"
#include "support/myProgram.h"

namespace skivra {

namespace {

// The overlay key colour (red 16, green 0, blue 16): the desktop shows it until the first
// frame is drawn.
constexpr std::uint32_t kKeyColour = 0x100010;

} // namespace

TApp_SkivraSubForm::TApp_SkivraSubForm(TMyX11Session& session, TPlayerGoneHook onPlayerGone)
    : FSession(session), FOnPlayerGone(std::move(onPlayerGone)) {
    Timer2.setInterval(1000);
    connect(&Timer2, &QTimer::timeout, this, &TApp_SkivraSubForm::Timer2Timer);
}

TApp_SkivraSubForm::~TApp_SkivraSubForm() {
    MyMessagePanel1.reset();
    if (FhVideoWindow != 0) {
        FSession.Connection().DestroyWindow(FhVideoWindow);
    }
}

TMyWindowId TApp_SkivraSubForm::MessagePanel() const {
    return MyMessagePanel1 ? MyMessagePanel1->Handle() : 0;
}

void TApp_SkivraSubForm::FormCreate(const std::u16string& sMessageText) {
    FhVideoWindow = CreateDesktopWindow(FSession.Connection(), kKeyColour);
    // The panel lives inside the video window, so the player finds the video window as the
    // top-level window of the announced panel.
    MyMessagePanel1 = std::make_unique<TMyMessagePanel>(FSession, FhVideoWindow);
    MyMessagePanel1->OnTextChange = [this](TMyMessagePanel* pSender, const std::u16string& s) {
        MyMessagePanel1TextChange(pSender, s);
    };
    MyMessagePanel1TextChange(nullptr, sMessageText);
    Timer2.start();
    Timer2Timer();
}

void TApp_SkivraSubForm::MyMessagePanel1TextChange(TMyMessagePanel*, const std::u16string& sText) {
    const TMyParam param(sText);
    if (param.OptionExists(kCloseOption)) {
        Close();
        return;
    }
    const TMyParamOption* from = param.FindOption(kFromOption);
    if (!from) {
        return;
    }
    const int iPlayer = from->ValueInt();
    // A negative handle names no window: nothing is stored and nothing is sent.
    if (iPlayer < 0) {
        return;
    }
    FhMainPlayer = static_cast<TMyWindowId>(iPlayer);
    if (FhMainPlayer != 0 && FSession.Connection().WatchWindow(FhMainPlayer)) {
        // The player's panel going away is noticed at once, not only on the next tick.
        FSession.Subscribe(FhMainPlayer, [this](const TMyX11Event& event) {
            if (event.kind == TMyX11Event::TKind::WindowGone) {
                Timer2Timer();
            }
        });
    }
    SendMessageText(FSession.Connection(), ToSubPlayerMessage(MessagePanel()), FhMainPlayer);
    FSession.Connection().Flush();
}

void TApp_SkivraSubForm::Timer2Timer() {
    if (FbClosed || FSession.Connection().IsWindow(FhMainPlayer)) {
        return;
    }
    Timer2.stop();
    if (FhMainPlayer != 0 && FOnPlayerGone) {
        FOnPlayerGone();
    }
    Close();
}

void TApp_SkivraSubForm::Close() {
    if (FbClosed) {
        return;
    }
    FbClosed = true;
    Timer2.stop();
    if (FhMainPlayer != 0) {
        FSession.Unsubscribe(FhMainPlayer);
    }
    if (FhVideoWindow != 0) {
        HideDesktopWindow(FSession.Connection(), FhVideoWindow);
    }
    emit Closed();
}

int RunSubPlayer(int argc, char** argv, TApp_SkivraSubForm::TPlayerGoneHook onPlayerGone) {
    // The sub-player shows nothing of its own: the core application is enough.
    QCoreApplication app(argc, argv);
    app.setApplicationName(QString::fromStdU16String(GetProgramProductName()));
    TMyX11Session session;
    if (!session.IsOpen()) {
        std::fprintf(stderr, "skivra: the sub-player cannot reach the X server\n");
        return 1;
    }
    TApp_SkivraSubForm form(session, std::move(onPlayerGone));
    QObject::connect(&form, &TApp_SkivraSubForm::Closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    form.FormCreate(MyParam().MessageText());
    return app.exec();
}

} // namespace skivra
