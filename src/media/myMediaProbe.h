#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace skivra {

// What a media framework tells about a file without playing it.
struct TMyMediaFacts {
    double fDuration = 0.0;  // seconds
    double fFrameRate = 0.0; // frames per second, two decimals; 0 without video
    std::int32_t iWidth = 0; // displayed video size in pixels; 0 without video
    std::int32_t iHeight = 0;
};

// The media framework's side of the probe. Probe may be called from any thread, several at
// once, and must return within a few seconds whatever the file holds.
class TMyMediaProber {
public:
    virtual ~TMyMediaProber() = default;
    // The duration in seconds, the displayed size and the average time of one frame in
    // seconds (0 when unknown); all 0 when the file cannot be read or has no such stream.
    struct TResult {
        double fDuration = 0.0;
        double fFrameTime = 0.0;
        std::int32_t iWidth = 0;
        std::int32_t iHeight = 0;
    };
    virtual TResult Probe(std::u16string_view sFile) = 0;
};

// The engine installs the real prober at start; without one every probe gives zeros. The
// prober is shared with the probes still running when it is replaced.
void SetMediaProber(std::shared_ptr<TMyMediaProber> prober);

// The facts of a file, all zero when it does not exist or cannot be read. The frame rate is
// 100 divided by the frame time, rounded half away from zero, divided by 100: a frame time
// of 0.0417 s gives 23.98.
TMyMediaFacts ProbeMediaFile(std::u16string_view sFile);

} // namespace skivra
