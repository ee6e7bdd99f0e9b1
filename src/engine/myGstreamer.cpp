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

} // namespace skivra
