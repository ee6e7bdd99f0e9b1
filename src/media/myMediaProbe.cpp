#include "media/myMediaProbe.h"

#include "support/myFile.h"

#include <cmath>
#include <mutex>

namespace skivra {

namespace {

std::mutex g_proberLock;
std::shared_ptr<TMyMediaProber> g_prober;

std::shared_ptr<TMyMediaProber> CurrentProber() {
    const std::lock_guard<std::mutex> lock(g_proberLock);
    return g_prober;
}

} // namespace

void SetMediaProber(std::shared_ptr<TMyMediaProber> prober) {
    const std::lock_guard<std::mutex> lock(g_proberLock);
    g_prober = std::move(prober);
}

TMyMediaFacts ProbeMediaFile(std::u16string_view sFile) {
    TMyMediaFacts facts;
    const std::shared_ptr<TMyMediaProber> prober = CurrentProber();
    // Only regular files reach the framework: a named pipe would hold it until its time-out
    // or, while it opens the file, for ever.
    if (!prober || !FileExistsEx(sFile) || !OpenReadFile(sFile).IsValid()) {
        return facts;
    }
    const TMyMediaProber::TResult result = prober->Probe(sFile);
    facts.fDuration =
        std::isfinite(result.fDuration) && result.fDuration > 0 ? result.fDuration : 0;
    facts.iWidth = result.iWidth > 0 && result.iHeight > 0 ? result.iWidth : 0;
    facts.iHeight = facts.iWidth > 0 ? result.iHeight : 0;
    if (std::isfinite(result.fFrameTime) && result.fFrameTime > 0) {
        const double fHundredths = 100.0 / result.fFrameTime;
        facts.fFrameRate = std::isfinite(fHundredths) ? std::trunc(fHundredths + 0.5) / 100.0 : 0;
    }
    return facts;
}

} // namespace skivra
