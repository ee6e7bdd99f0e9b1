// Start-up of the main window up to the moment it answers, with a saved playlist of
// 100,000 entries next to the same start with an empty one: the window and its parts made,
// the settings read, the playlist read from its file, shown in the list box and its saved
// entry opened (through a graph that plays at once, so the media framework's own time
// stays out), the window shown and a posted event answered. bench/run-startup prints the ratio
// (goal: within 2x).
#include "app/fakePlayer.h"
#include "app/main.h"
#include "app/mainIntake.h"
#include "app/mainPlayer.h"
#include "app/mainSettings.h"
#include "benchScratch.h"
#include "lists/myWStrings.h"
#include "support/myKeyState.h"
#include "support/myProgram.h"

#include <QApplication>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace skivra;

constexpr int kEntries = 100000;

std::string EntryName(int i) {
    return "/home/user/ビデオ/Series " + std::to_string(i / 100) + "/Episode " +
           std::to_string(i % 100) + ".mp4";
}

void WritePlaylist(int iEntries) {
    std::ofstream out(Utf16ToUtf8(GetDataFileName(u".playlist")), std::ios::binary);
    out << "\xEF\xBB\xBF";
    for (int i = 0; i < iEntries; ++i) {
        out << EntryName(i) << "\r\n";
    }
    std::ofstream(Utf16ToUtf8(GetDataFileName(u".ini")), std::ios::binary)
        << "[Resume]\r\nFileName=" << EntryName(iEntries / 2) << "\r\nResumeIndex=" << iEntries / 2
        << "\r\nResumePosition=3\r\n";
}

void StartUp(benchmark::State& state, int iEntries) {
    setenv("SKIVRA_DATA_DIR", (bench::ScratchFolder() / "data").c_str(), 1);
    WritePlaylist(iEntries);
    const std::u16string sResume = *Utf8ToUtf16(EntryName(iEntries / 2));
    std::int64_t iRestored = 0;
    for (auto _ : state) {
        test::FakeLog log;
        log.bEnabled = false;
        test::FakeEngine engine(log);
        engine.files[sResume] = test::VideoFile(60.0);
        test::FakeDesktop desktop(log);
        {
            TApp_Skivra window;
            TMyMainPlayer player(window, engine, desktop);
            TMyMainIntake intake(window, player.Controller(), player.Commands(), player);
            TMyMainSettings settings(window, player.Controller(), player, intake);
            window.SetParts({&player, &player, &intake, &settings, nullptr});
            window.FormCreate();
            if (!QTest::qWaitForWindowExposed(&window)) {
                state.SkipWithError("the window was never shown");
                break;
            }
            bool bAnswered = false;
            QTimer::singleShot(0, [&] { bAnswered = true; });
            while (!bAnswered) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            iRestored = player.Playlist().Count();
            state.PauseTiming();
            window.hide();
            window.SetParts({});
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(iRestored);
}

void BM_StartupEmptyPlaylist(benchmark::State& state) {
    StartUp(state, 0);
}
void BM_Startup100kPlaylist(benchmark::State& state) {
    StartUp(state, kEntries);
}
BENCHMARK(BM_StartupEmptyPlaylist)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Startup100kPlaylist)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    SetKeyStateSource(nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(bench::ScratchFolder(), ignored);
    return 0;
}
