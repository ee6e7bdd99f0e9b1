#pragma once

#include <QObject>

#include <functional>
#include <map>

#include "platform/x11/myX11Connection.h"

class QSocketNotifier;

namespace skivra {

// The process's own X connection, drained from the UI event loop: whenever the server has
// sent something, and before the loop goes to sleep (Xlib may have read events into its
// queue while answering a request, and those would not wake the loop again). Events are
// handed to the handler subscribed for their window. UI thread only.
class TMyX11Session : public QObject {
    Q_OBJECT

public:
    using THandler = std::function<void(const TMyX11Event&)>;

    explicit TMyX11Session(QObject* parent = nullptr);
    ~TMyX11Session() override;

    bool IsOpen() const { return FConnection.IsOpen(); }
    TMyX11Connection& Connection() { return FConnection; }

    void Subscribe(TMyWindowId window, THandler handler);
    void Unsubscribe(TMyWindowId window);
    void Drain();

private:
    TMyX11Connection FConnection;
    QSocketNotifier* FNotifier = nullptr;
    std::map<TMyWindowId, THandler> FHandlers;
};

} // namespace skivra
