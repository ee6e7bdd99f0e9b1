#include "engine/myDecoderThreads.h"

#include <gst/video/gstvideodecoder.h>

#include "engine/myGstPtr.h"

namespace skivra {

namespace {

// 2048 x 1088 at 30 frames a second: one core of a current machine decodes H.264 at that
// rate several times over (1080p30 takes about a fifth of a core on a 2-core test machine).
constexpr double SINGLE_THREAD_PIXEL_RATE = 2048.0 * 1088.0 * 30.0;
// A stream that states no rate (variable, or not known yet) is taken at the usual one.
constexpr double USUAL_FRAME_RATE = 30.0;

// The thread count a decoder is given for a stream of these caps: 1, or 0 for its own choice.
int DecoderThreadsFor(const GstCaps* pCaps) {
    if (!pCaps || gst_caps_get_size(pCaps) == 0) {
        return 0;
    }
    const GstStructure* pFormat = gst_caps_get_structure(pCaps, 0);
    gint iWidth = 0;
    gint iHeight = 0;
    if (!gst_structure_get_int(pFormat, "width", &iWidth) ||
        !gst_structure_get_int(pFormat, "height", &iHeight) || iWidth <= 0 || iHeight <= 0) {
        return 0;
    }
    gint iNumerator = 0;
    gint iDenominator = 0;
    double fRate = USUAL_FRAME_RATE;
    if (gst_structure_get_fraction(pFormat, "framerate", &iNumerator, &iDenominator) &&
        iNumerator > 0 && iDenominator > 0) {
        fRate = static_cast<double>(iNumerator) / iDenominator;
    }
    const double fPixelRate = static_cast<double>(iWidth) * iHeight * fRate;
    return fPixelRate <= SINGLE_THREAD_PIXEL_RATE ? 1 : 0;
}

// Streaming thread, before the decoder sees the caps: the decoder opens its codec with the
// thread count it holds when the caps arrive.
GstPadProbeReturn OnDecoderEvent(GstPad*, GstPadProbeInfo* pInfo, gpointer pDecoder) {
    GstEvent* pEvent = GST_PAD_PROBE_INFO_EVENT(pInfo);
    if (GST_EVENT_TYPE(pEvent) == GST_EVENT_CAPS) {
        GstCaps* pCaps = nullptr;
        gst_event_parse_caps(pEvent, &pCaps);
        g_object_set(pDecoder, "max-threads", DecoderThreadsFor(pCaps), nullptr);
    }
    return GST_PAD_PROBE_OK;
}

void OnElementSetup(GstElement*, GstElement* pElement, gpointer) {
    if (!GST_IS_VIDEO_DECODER(pElement)) {
        return;
    }
    GParamSpec* pThreads =
        g_object_class_find_property(G_OBJECT_GET_CLASS(pElement), "max-threads");
    if (!pThreads || G_PARAM_SPEC_VALUE_TYPE(pThreads) != G_TYPE_INT ||
        !(pThreads->flags & G_PARAM_WRITABLE)) {
        return;
    }
    TMyGstPadPtr sinkPad(gst_element_get_static_pad(pElement, "sink"));
    if (sinkPad) {
        gst_pad_add_probe(sinkPad.get(), GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, OnDecoderEvent,
                          pElement, nullptr);
    }
}

} // namespace

void LimitDecoderThreads(GstElement* pPlayBin) {
    g_signal_connect(pPlayBin, "element-setup", G_CALLBACK(OnElementSetup), nullptr);
}

} // namespace skivra
