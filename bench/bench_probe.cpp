// The engine's side of bench/run-probe: probes every file named on the command line through
// ProbeMediaFile with the GStreamer prober, one after another as the information fetcher
// does for a playlist, and prints how many gave a duration and how many a video size. The
// script times this whole process against gst-discoverer-1.0 over the same files, so both
// sides pay GStreamer's start-up once.
#include "engine/myGstMediaProber.h"
#include "media/myMediaProbe.h"
#include "support/myUnicode.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char** argv) {
    using namespace skivra;
    InstallGstMediaProber();
    int iFiles = 0;
    int iTimed = 0;
    int iVideos = 0;
    for (int i = 1; i < argc; ++i) {
        const std::optional<std::u16string> sFile = Utf8ToUtf16(argv[i]);
        if (!sFile) {
            std::fprintf(stderr, "bench_probe: not UTF-8: %s\n", argv[i]);
            return 2;
        }
        const TMyMediaFacts facts = ProbeMediaFile(*sFile);
        ++iFiles;
        iTimed += facts.fDuration > 0 ? 1 : 0;
        iVideos += facts.iWidth > 0 ? 1 : 0;
    }
    std::printf("%d files probed: %d with a duration, %d with video\n", iFiles, iTimed, iVideos);
    return 0;
}
