#pragma once

// Helpers for tests that look at a real X desktop the way a person would: screenshots with
// ImageMagick's import, wallpapers set with feh, monitors defined with xrandr.

#include <QImage>
#include <QString>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace skivra::test {

// Runs a shell command line; true when it exits with 0.
inline bool RunShell(const std::string& sCommand) {
    return std::system(sCommand.c_str()) == 0;
}

// The root window of the display as a screenshot shows it; null when import fails.
inline QImage Screenshot(const std::string& sDisplay, const std::string& sFolder) {
    const std::string sFile = sFolder + "/shot.png";
    std::remove(sFile.c_str());
    if (!RunShell("import -display '" + sDisplay + "' -window root png:'" + sFile + "'")) {
        return {};
    }
    return QImage(QString::fromStdString(sFile)).convertToFormat(QImage::Format_RGB32);
}

// Polls until the condition holds or the bound passes; the screen changes asynchronously
// (a compositor redraws when it gets to it).
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds bound = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace skivra::test
