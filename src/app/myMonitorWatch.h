#pragma once

#include <QObject>

#include <memory>

namespace skivra {

class TMyX11MonitorSource;

// Follows the X server's monitor layout for the whole program: installs the source that
// every monitor question reads, and turns the server's screen and work-area changes into
// the display-change event from the event loop (both when the connection is readable and
// before the loop sleeps, since Xlib may already hold events read while answering a
// request). Without a display nothing is installed. UI thread only.
class TMyMonitorWatch : public QObject {
    Q_OBJECT

public:
    explicit TMyMonitorWatch(QObject* pParent = nullptr);
    ~TMyMonitorWatch() override;

    // Nothing without a display.
    TMyX11MonitorSource* Source() const { return FSource.get(); }

private:
    std::shared_ptr<TMyX11MonitorSource> FSource;
};

} // namespace skivra
