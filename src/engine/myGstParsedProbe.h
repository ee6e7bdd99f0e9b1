#pragma once

#include "media/myMediaProbe.h"

#include <chrono>

namespace skivra {

// The quick half of the media probe: the file's streams are taken only as far as their
// parsers, whose caps already carry the size, pixel aspect and rate, and the container's
// duration is asked of the prerolled pipeline. No frame is decoded, which on a 1080p H.264
// file saves a fifth of a second and the decoder's tens of megabytes of frames. A stream
// with no parser that tells its size (WMV, for one) is decoded after all, as a full probe
// would.
struct TMyParsedProbe {
    enum class TOutcome {
        Complete, // result holds the duration and the facts of the first video stream
        Partial,  // the streams did not tell all, or the pipeline failed: ask a decoder
        TimedOut, // the file held the pipeline for the whole time-out
    };
    TOutcome eOutcome = TOutcome::Partial;
    TMyMediaProber::TResult result;
};

// sUri is a file URI. Safe on any thread, several at once; returns within the time-out.
TMyParsedProbe ProbeParsedStreams(const char* sUri, std::chrono::milliseconds timeout);

// The displayed size (non-square pixels widen or narrow the width) and the frame time of a
// video stream, into result; sizes beyond reason leave the size at 0.
void SetVideoFacts(TMyMediaProber::TResult& result, unsigned iWidth, unsigned iHeight,
                   unsigned iParN, unsigned iParD, unsigned iRateN, unsigned iRateD);

} // namespace skivra
