#pragma once

// The main window with the real intake and settings parts over the real controller (whose
// engine, desktop and view are the fakes), the other parts faked. The data files go to a
// folder of the test's own.

#include "app/fakeMainParts.h"
#include "app/fakePlayer.h"
#include "app/main.h"
#include "app/mainIntake.h"
#include "app/mainSettings.h"
#include "app/myPlayerController.h"
#include "app/myPlaylistCommands.h"
#include "lists/myWStrings.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"
#include "support/myKeyState.h"
#include "support/myMessageBox.h"
#include "support/myProgram.h"
#include "support/qtTestApp.h"

#include <QCoreApplication>

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>

namespace skivra::test {

// Keys the test holds down.
class TFakeKeys : public TMyKeyStateSource {
public:
    bool KeyDown(int iKey) override { return down.count(iKey) > 0; }
    std::set<int> down;
};

class TFakeListBox : public TMyPlaylistListBox {
public:
    bool IsSelected(std::int32_t) const override { return false; }
    bool ConfirmYesNo(const std::u16string&, bool) override { return true; }
    void ShowMessage(const std::u16string&) override {}
};

// The data folder, the key state and the message boxes, for every rig of a test.
class TRigEnvironment {
public:
    TRigEnvironment() {
        setenv("SKIVRA_DATA_DIR", data.Path().c_str(), 1);
        SetKeyStateSource(keys);
        SetMessageBoxHook([this](const QString& sText, const QString&, int) {
            messages << sText;
            return IDOK;
        });
    }
    ~TRigEnvironment() {
        SetMessageBoxHook({});
        SetKeyStateSource(nullptr);
        unsetenv("SKIVRA_DATA_DIR");
    }
    std::u16string IniFile() const { return GetDataFileName(u".ini"); }
    std::u16string PlaylistFile() const { return GetDataFileName(u".playlist"); }

    TempFolder data;
    std::shared_ptr<TFakeKeys> keys = std::make_shared<TFakeKeys>();
    QStringList messages;
};

// Counts the event pumps of a scan and runs a step at one of them.
class TPumpProbe {
public:
    TPumpProbe() {
        SetEventPump([this] {
            ++iPumps;
            QCoreApplication::processEvents();
            if (iPumps == iAt && fnAt) {
                fnAt();
            }
        });
    }
    ~TPumpProbe() { SetEventPump({}); }
    int iPumps = 0;
    int iAt = -1;
    std::function<void()> fnAt;
};

class TPartsRig {
public:
    TPartsRig() {
        controller.SetFileCheck(engine.FileCheck());
        intake = std::make_unique<TMyMainIntake>(window, controller, commands, fake);
        settings = std::make_unique<TMyMainSettings>(window, controller, fake, *intake);
        window.SetParts({&fake, &fake, intake.get(), settings.get(), &fake});
    }
    ~TPartsRig() { window.FormDestroy(); }
    // Creates and shows the window (settings read, playlist restored).
    void Create() {
        window.FormCreate();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // Names the file to the fake engine as a playable clip.
    void Playable(const std::u16string& sName, FakeFile file = AudioFile()) {
        engine.files[sName] = file;
    }

    FakeLog log;
    FakeEngine engine{log};
    FakeDesktop desktop{log};
    FakeView view{log};
    TMyWStrings playlist;
    TMyPlayerController controller{playlist, engine, desktop, view};
    TFakeListBox listBox;
    TMyPlaylistCommands commands{controller, listBox};
    TFakeMainParts fake;
    TApp_Skivra window;
    std::unique_ptr<TMyMainIntake> intake;
    std::unique_ptr<TMyMainSettings> settings;
};

} // namespace skivra::test
