#include "app/myX11Session.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <QThread>

namespace skivra {

TMyX11Session::TMyX11Session(QObject* parent) : QObject(parent) {
    if (!FConnection.IsOpen()) {
        return;
    }
    FNotifier = new QSocketNotifier(FConnection.Fd(), QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TMyX11Session::Drain);
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TMyX11Session::Drain);
    }
}

TMyX11Session::~TMyX11Session() = default;

void TMyX11Session::Subscribe(TMyWindowId window, THandler handler) {
    FHandlers[window] = std::move(handler);
}

void TMyX11Session::Unsubscribe(TMyWindowId window) {
    FHandlers.erase(window);
}

void TMyX11Session::Drain() {
    FConnection.ProcessPendingEvents([this](const TMyX11Event& event) {
        const auto it = FHandlers.find(event.window);
        if (it == FHandlers.end()) {
            return;
        }
        // A handler may subscribe or unsubscribe windows, its own included.
        const THandler handler = it->second;
        handler(event);
    });
    FConnection.Flush();
}

} // namespace skivra
