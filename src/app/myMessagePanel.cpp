#include "app/myMessagePanel.h"

#include "app/myX11Session.h"
#include "platform/x11/myX11MessageWindow.h"

namespace skivra {

TMyMessagePanel::TMyMessagePanel(TMyX11Session& session, TMyWindowId parent)
    : FSession(session), FhHandle(CreateMessageWindow(session.Connection(), parent)) {
    if (FhHandle != 0) {
        FSession.Subscribe(FhHandle, [this](const TMyX11Event& event) {
            if (event.kind == TMyX11Event::TKind::MessageArrived) {
                TakeTexts();
            }
        });
        FSession.Connection().Flush();
    }
}

TMyMessagePanel::~TMyMessagePanel() {
    if (FhHandle != 0) {
        FSession.Unsubscribe(FhHandle);
        FSession.Connection().DestroyWindow(FhHandle);
    }
}

void TMyMessagePanel::TakeTexts() {
    for (auto& sText : TakeMessageTexts(FSession.Connection(), FhHandle)) {
        FsCaption = std::move(sText);
        if (OnTextChange) {
            OnTextChange(this, FsCaption);
        }
    }
}

} // namespace skivra
