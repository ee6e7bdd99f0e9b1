#pragma once

#include <QObject>

#include <functional>

namespace skivra {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C in a terminal) into a call on the
// UI thread, so the program ends as if its window had been closed: the user's wallpaper
// comes back and the settings are saved. The handler only writes a byte into a pipe that
// the event loop watches. One object per process; a second signal while the first is being
// handled is ignored. UI thread only.
class TMyQuitSignals : public QObject {
    Q_OBJECT

public:
    explicit TMyQuitSignals(std::function<void()> fnQuit, QObject* pParent = nullptr);
    ~TMyQuitSignals() override;
    TMyQuitSignals(const TMyQuitSignals&) = delete;
    TMyQuitSignals& operator=(const TMyQuitSignals&) = delete;

private:
    std::function<void()> FfnQuit;
    int FiReadFd = -1;
    int FiWriteFd = -1;
    bool FbQuitting = false;
};

} // namespace skivra
