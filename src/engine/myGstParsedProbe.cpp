#include "engine/myGstParsedProbe.h"

#include "engine/myGstPtr.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <vector>

namespace skivra {

namespace {

bool IsTrue(const GstStructure* pStructure, const char* sField) {
    gboolean b = FALSE;
    return gst_structure_get_boolean(pStructure, sField, &b) && b;
}

bool IsPicture(const char* sName) {
    return g_str_has_prefix(sName, "video/") || g_str_has_prefix(sName, "image/");
}

// The picture size the caps tell; false when they tell none.
bool ReadSize(const GstStructure* pStructure, gint& iWidth, gint& iHeight) {
    return gst_structure_get_int(pStructure, "width", &iWidth) &&
           gst_structure_get_int(pStructure, "height", &iHeight) && iWidth > 0 && iHeight > 0;
}

bool HasSize(const GstStructure* pStructure) {
    gint iWidth = 0;
    gint iHeight = 0;
    return ReadSize(pStructure, iWidth, iHeight);
}

// Whether the decoding bin may stop at a stream of these caps: a parser has framed it, and a
// picture stream tells its size. Anything else goes on to a parser or a decoder.
gboolean StopsHere(GstElement*, GstPad*, GstCaps* pCaps, gpointer) {
    if (!pCaps || gst_caps_get_size(pCaps) == 0) {
        return TRUE;
    }
    const GstStructure* pStructure = gst_caps_get_structure(pCaps, 0);
    const char* sName = gst_structure_get_name(pStructure);
    const bool bParsed = IsTrue(pStructure, "parsed") || IsTrue(pStructure, "framed");
    const bool bEnough =
        bParsed && (g_str_has_prefix(sName, "audio/") || (IsPicture(sName) && HasSize(pStructure)));
    // The signal asks whether to go on.
    return bEnough ? FALSE : TRUE;
}

// The streams the decoding bin exposed, each ending in a sink of its own. The pad-added
// handler runs on a streaming thread.
struct TStreams {
    GstElement* pPipeline = nullptr;
    std::mutex mutex;
    std::vector<TMyGstPadPtr> pads;
};

void OnPadAdded(GstElement*, GstPad* pPad, gpointer pData) {
    auto* pStreams = static_cast<TStreams*>(pData);
    GstElement* pSink = gst_element_factory_make("fakesink", nullptr);
    if (!pSink) {
        return;
    }
    const TMyGstCapsPtr caps(gst_pad_get_current_caps(pPad));
    const char* sName = caps && gst_caps_get_size(caps.get()) > 0
                            ? gst_structure_get_name(gst_caps_get_structure(caps.get(), 0))
                            : "";
    // A sparse stream (subtitles) may bring no buffer for a long time: the preroll does not
    // wait for it.
    const bool bDense = g_str_has_prefix(sName, "audio/") || IsPicture(sName);
    g_object_set(pSink, "sync", FALSE, "async", bDense ? TRUE : FALSE, nullptr);
    gst_bin_add(GST_BIN(pStreams->pPipeline), pSink);
    gst_element_sync_state_with_parent(pSink);
    const TMyGstPadPtr sinkPad(gst_element_get_static_pad(pSink, "sink"));
    gst_pad_link(pPad, sinkPad.get());
    const std::lock_guard lock(pStreams->mutex);
    pStreams->pads.emplace_back(GST_PAD(gst_object_ref(pPad)));
}

// Waits for the preroll: true once it is done, false on an error; nullopt at the deadline.
std::optional<bool> AwaitPreroll(GstElement* pPipeline, std::chrono::milliseconds timeout) {
    const TMyGstBusPtr bus(gst_element_get_bus(pPipeline));
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        const TMyGstMessagePtr message(gst_bus_timed_pop_filtered(
            bus.get(), static_cast<GstClockTime>(left.count()),
            static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR)));
        if (!message) {
            return std::nullopt;
        }
        if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
            return false;
        }
        // Only the pipeline's own message means that every sink has prerolled.
        if (GST_MESSAGE_SRC(message.get()) == GST_OBJECT(pPipeline)) {
            return true;
        }
    }
}

// The facts of the first picture stream; false when a picture stream does not tell its size.
bool ReadStreams(TStreams& streams, TMyMediaProber::TResult& result) {
    const std::lock_guard lock(streams.mutex);
    bool bVideoRead = false;
    for (const TMyGstPadPtr& pad : streams.pads) {
        const TMyGstCapsPtr caps(gst_pad_get_current_caps(pad.get()));
        if (!caps || gst_caps_get_size(caps.get()) == 0) {
            continue;
        }
        const GstStructure* pStructure = gst_caps_get_structure(caps.get(), 0);
        if (!IsPicture(gst_structure_get_name(pStructure))) {
            continue;
        }
        gint iWidth = 0;
        gint iHeight = 0;
        if (!ReadSize(pStructure, iWidth, iHeight)) {
            return false;
        }
        if (bVideoRead) {
            continue;
        }
        bVideoRead = true;
        gint iParN = 1;
        gint iParD = 1;
        gst_structure_get_fraction(pStructure, "pixel-aspect-ratio", &iParN, &iParD);
        gint iRateN = 0;
        gint iRateD = 1;
        gst_structure_get_fraction(pStructure, "framerate", &iRateN, &iRateD);
        SetVideoFacts(
            result, static_cast<unsigned>(iWidth), static_cast<unsigned>(iHeight),
            static_cast<unsigned>(std::max(iParN, 0)), static_cast<unsigned>(std::max(iParD, 0)),
            static_cast<unsigned>(std::max(iRateN, 0)), static_cast<unsigned>(std::max(iRateD, 0)));
    }
    return true;
}

} // namespace

TMyParsedProbe ProbeParsedStreams(const char* sUri, std::chrono::milliseconds timeout) {
    TMyParsedProbe probe;
    GstElement* pPipeline = gst_pipeline_new(nullptr);
    GstElement* pDecode = gst_element_factory_make("uridecodebin", nullptr);
    if (!pPipeline || !pDecode) {
        for (GstElement* p : {pPipeline, pDecode}) {
            if (p) {
                gst_object_unref(gst_object_ref_sink(p));
            }
        }
        return probe;
    }
    const TMyGstElementPtr pipeline(GST_ELEMENT(gst_object_ref_sink(pPipeline)));
    TStreams streams;
    streams.pPipeline = pPipeline;
    g_object_set(pDecode, "uri", sUri, nullptr);
    gst_bin_add(GST_BIN(pPipeline), pDecode);
    g_signal_connect(pDecode, "autoplug-continue", G_CALLBACK(StopsHere), nullptr);
    g_signal_connect(pDecode, "pad-added", G_CALLBACK(OnPadAdded), &streams);

    std::optional<bool> bPrerolled = false;
    switch (gst_element_set_state(pPipeline, GST_STATE_PAUSED)) {
    case GST_STATE_CHANGE_SUCCESS:
        bPrerolled = true;
        break;
    case GST_STATE_CHANGE_ASYNC:
        bPrerolled = AwaitPreroll(pPipeline, timeout);
        break;
    default:
        break;
    }
    gint64 iDuration = -1;
    if (!bPrerolled) {
        probe.eOutcome = TMyParsedProbe::TOutcome::TimedOut;
    } else if (*bPrerolled && gst_element_query_duration(pPipeline, GST_FORMAT_TIME, &iDuration) &&
               iDuration > 0 && ReadStreams(streams, probe.result)) {
        probe.result.fDuration = static_cast<double>(iDuration) / GST_SECOND;
        probe.eOutcome = TMyParsedProbe::TOutcome::Complete;
    }
    // Joins the streaming threads before the streams they report to go.
    gst_element_set_state(pPipeline, GST_STATE_NULL);
    return probe;
}

void SetVideoFacts(TMyMediaProber::TResult& result, unsigned iWidth, unsigned iHeight,
                   unsigned iParN, unsigned iParD, unsigned iRateN, unsigned iRateD) {
    const double fWidth =
        iParN > 0 && iParD > 0 ? std::round(double(iWidth) * iParN / iParD) : iWidth;
    constexpr unsigned kMaxSide = 1u << 20;
    if (fWidth > 0 && fWidth <= kMaxSide && iHeight > 0 && iHeight <= kMaxSide) {
        result.iWidth = static_cast<std::int32_t>(fWidth);
        result.iHeight = static_cast<std::int32_t>(iHeight);
    }
    if (iRateN > 0 && iRateD > 0) {
        result.fFrameTime = double(iRateD) / iRateN;
    }
}

} // namespace skivra
