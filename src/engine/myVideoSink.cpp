#include "engine/myVideoSink.h"

#include <gst/video/videooverlay.h>

#include <cstdlib>
#include <mutex>
#include <string_view>

#include "engine/myGstPtr.h"

namespace skivra {

namespace {

// Whether the display offers Xv: the sink only reaches READY when it finds an adaptor.
// Asked once per process, because each question opens a connection to the X server.
bool HasHardwareScaling() {
    static std::once_flag once;
    static bool bHas = false;
    std::call_once(once, [] {
        GstElement* pProbe = gst_element_factory_make("xvimagesink", nullptr);
        if (!pProbe) {
            return;
        }
        gst_object_ref_sink(pProbe);
        bHas = gst_element_set_state(pProbe, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS;
        gst_element_set_state(pProbe, GST_STATE_NULL);
        gst_object_unref(pProbe);
    });
    return bHas;
}

std::string ChooseSink(bool bWindowed) {
    if (!bWindowed || !std::getenv("DISPLAY")) {
        return "fakesink";
    }
    const char* pForced = std::getenv("SKIVRA_VIDEO_SINK");
    if (pForced &&
        (std::string_view(pForced) == "xvimagesink" || std::string_view(pForced) == "ximagesink")) {
        return pForced;
    }
    return HasHardwareScaling() ? "xvimagesink" : "ximagesink";
}

} // namespace

TMyVideoSink::TMyVideoSink(bool bWindowed) : FsName(ChooseSink(bWindowed)) {
    // The picture fills the rectangle, as a video window over the monitor did: no bars.
    // The software chain is the plain "videoconvert ! videoscale ! ximagesink" with no
    // copy of our own; its capsfilter carries the size asked for, and without one the
    // picture is scaled to the window (ximagesink asks for its window's size). Xv scales
    // by itself; the converter in front of it only works for formats Xv lacks.
    const char* pChain = nullptr;
    if (FsName == "ximagesink") {
        pChain = "videoconvert ! videoscale add-borders=false ! capsfilter name=VideoSize"
                 " ! ximagesink name=VideoSink pixel-aspect-ratio=1/1";
    } else if (FsName == "xvimagesink") {
        pChain = "videoconvert ! xvimagesink name=VideoSink force-aspect-ratio=false";
    }
    if (pChain) {
        GError* pError = nullptr;
        FpSink = gst_parse_bin_from_description(pChain, TRUE, &pError);
        TMyGErrorPtr error(pError);
        if (FpSink) {
            gst_object_ref_sink(FpSink);
            FpOverlay = gst_bin_get_by_name(GST_BIN(FpSink), "VideoSink");
            FpSizeCaps = gst_bin_get_by_name(GST_BIN(FpSink), "VideoSize");
        }
    }
    if (!FpSink) {
        // Without the plugins a fakesink keeps the stream flowing, unseen.
        FsName = "fakesink";
        FpSink = GST_ELEMENT(gst_object_ref_sink(gst_element_factory_make("fakesink", nullptr)));
    }
    if (FsName == "fakesink") {
        g_object_set(FpSink, "sync", TRUE, nullptr);
    }
}

TMyVideoSink::~TMyVideoSink() {
    if (FpSizeCaps) {
        gst_object_unref(FpSizeCaps);
    }
    if (FpOverlay) {
        gst_object_unref(FpOverlay);
    }
    if (FpSink) {
        gst_object_unref(FpSink);
    }
}

void TMyVideoSink::SetWindow(std::uint64_t iWindow) {
    if (FpOverlay && iWindow != 0) {
        gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(FpOverlay),
                                            static_cast<guintptr>(iWindow));
    }
}

void TMyVideoSink::SetRectangle(const TMyRect& rcVideo) {
    const std::int64_t iWidth = RectWidth64(rcVideo);
    const std::int64_t iHeight = RectHeight64(rcVideo);
    if (!FpOverlay || iWidth < 1 || iHeight < 1 || iWidth > G_MAXINT || iHeight > G_MAXINT) {
        return;
    }
    if (FpSizeCaps) {
        // New caps on the filter renegotiate the chain, and ximagesink answers each
        // negotiation with a fresh pool of window-sized shared images while the old pool
        // still holds its own: the same size asked again (each window move, each file
        // cued at its monitor) would cost two monitor-sized images for nothing.
        if (iWidth == FiCapsWidth && iHeight == FiCapsHeight) {
            return;
        }
        FiCapsWidth = iWidth;
        FiCapsHeight = iHeight;
        // ximagesink asks for its window's size and centres the picture in the window,
        // which is where a rectangle that covers the window's monitor lies; the size asked
        // here wins when the rectangle is smaller than the window.
        TMyGstCapsPtr caps(gst_caps_new_simple(
            "video/x-raw", "width", G_TYPE_INT, static_cast<gint>(iWidth), "height", G_TYPE_INT,
            static_cast<gint>(iHeight), "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr));
        g_object_set(FpSizeCaps, "caps", caps.get(), nullptr);
    } else {
        gst_video_overlay_set_render_rectangle(GST_VIDEO_OVERLAY(FpOverlay), rcVideo.Left,
                                               rcVideo.Top, static_cast<gint>(iWidth),
                                               static_cast<gint>(iHeight));
    }
}

void TMyVideoSink::Expose() {
    if (FpOverlay) {
        gst_video_overlay_expose(GST_VIDEO_OVERLAY(FpOverlay));
    }
}

} // namespace skivra
