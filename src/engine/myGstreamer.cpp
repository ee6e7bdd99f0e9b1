#include "engine/myGstreamer.h"

#include <cstdio>
#include <gst/gst.h>
#include <memory>
#include <mutex>

namespace skivra {

bool EnsureGStreamer() {
    static std::once_flag once;
    static bool bReady = false;
    std::call_once(once, [] {
        GError* pError = nullptr;
        bReady = gst_init_check(nullptr, nullptr, &pError) != FALSE;
        if (pError) {
            std::fprintf(stderr, "skivra: GStreamer could not start: %s\n", pError->message);
            g_error_free(pError);
        }
    });
    return bReady;
}

std::jthread PreloadGStreamer() {
    return std::jthread([] {
        if (!EnsureGStreamer()) {
            return;
        }
        // A plugin that is not installed is simply not there; the file that needs it fails
        // as it would have.
        for (const char* pszName :
             {"coreelements", "typefindfunctions", "playback", "isomp4", "videoparsersbad",
              "audioparsers", "libav", "videoconvertscale", "ximagesink"}) {
            if (GstPlugin* pPlugin = gst_plugin_load_by_name(pszName)) {
                gst_object_unref(pPlugin);
            }
        }
    });
}

} // namespace skivra
