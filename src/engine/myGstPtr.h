#pragma once

#include <gst/gst.h>

#include <memory>

namespace skivra {

// GStreamer's references held the C++ way: released when the holder goes, on every path.
struct TMyGstObjectUnref {
    void operator()(gpointer p) const { gst_object_unref(p); }
};
struct TMyGstCapsUnref {
    void operator()(GstCaps* p) const { gst_caps_unref(p); }
};
struct TMyGstMessageUnref {
    void operator()(GstMessage* p) const { gst_message_unref(p); }
};
struct TMyGErrorFree {
    void operator()(GError* p) const { g_error_free(p); }
};
struct TMyGFree {
    void operator()(gpointer p) const { g_free(p); }
};

using TMyGstElementPtr = std::unique_ptr<GstElement, TMyGstObjectUnref>;
using TMyGstBusPtr = std::unique_ptr<GstBus, TMyGstObjectUnref>;
using TMyGstPadPtr = std::unique_ptr<GstPad, TMyGstObjectUnref>;
using TMyGstCapsPtr = std::unique_ptr<GstCaps, TMyGstCapsUnref>;
using TMyGstMessagePtr = std::unique_ptr<GstMessage, TMyGstMessageUnref>;
using TMyGErrorPtr = std::unique_ptr<GError, TMyGErrorFree>;
using TMyGCharPtr = std::unique_ptr<gchar, TMyGFree>;

} // namespace skivra
