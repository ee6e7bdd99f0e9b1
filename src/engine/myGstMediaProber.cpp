#include "engine/myGstMediaProber.h"

#include "engine/myGstParsedProbe.h"
#include "engine/myGstreamer.h"
#include "support/myUnicode.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace skivra {

namespace {

struct TGObjectUnref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
struct TStreamListFree {
    void operator()(GList* p) const { gst_discoverer_stream_info_list_free(p); }
};
struct TGFree {
    void operator()(gchar* p) const { g_free(p); }
};

template <class T> using TGObject = std::unique_ptr<T, TGObjectUnref>;

class TMyGstMediaProber : public TMyMediaProber {
public:
    explicit TMyGstMediaProber(std::chrono::milliseconds timeout) : FTimeout(timeout) {}

    TResult Probe(std::u16string_view sFile) override {
        TResult result;
        if (!EnsureGStreamer()) {
            return result;
        }
        GError* pError = nullptr;
        const std::unique_ptr<gchar, TGFree> sUri(
            gst_filename_to_uri(Utf16ToUtf8(sFile).c_str(), &pError));
        g_clear_error(&pError);
        if (!sUri) {
            return result;
        }
        const TMyParsedProbe parsed = ProbeParsedStreams(sUri.get(), FTimeout);
        if (parsed.eOutcome == TMyParsedProbe::TOutcome::Complete) {
            return parsed.result;
        }
        // A file that held the quick probe for the whole time-out would hold a decoder as
        // long: it gives zeros now rather than twice as late.
        if (parsed.eOutcome == TMyParsedProbe::TOutcome::TimedOut) {
            return result;
        }
        TGObject<GstDiscoverer> discoverer = TakeDiscoverer();
        if (!discoverer) {
            return result;
        }
        const TGObject<GstDiscovererInfo> info(
            gst_discoverer_discover_uri(discoverer.get(), sUri.get(), &pError));
        g_clear_error(&pError);
        const GstDiscovererResult eResult =
            info ? gst_discoverer_info_get_result(info.get()) : GST_DISCOVERER_ERROR;
        // A discoverer that gave up on a file at the time-out is not trusted with another one.
        if (eResult != GST_DISCOVERER_TIMEOUT) {
            GiveBack(std::move(discoverer));
        }
        if (eResult != GST_DISCOVERER_OK) {
            return result;
        }
        const GstClockTime iDuration = gst_discoverer_info_get_duration(info.get());
        if (GST_CLOCK_TIME_IS_VALID(iDuration)) {
            result.fDuration = static_cast<double>(iDuration) / GST_SECOND;
        }
        const std::unique_ptr<GList, TStreamListFree> videos(
            gst_discoverer_info_get_video_streams(info.get()));
        if (videos) {
            ReadVideo(GST_DISCOVERER_VIDEO_INFO(videos->data), result);
        }
        return result;
    }

private:
    // A discoverer is used again for the next file: making one costs about as much as
    // probing a small file. Each is used by one probe at a time.
    TGObject<GstDiscoverer> TakeDiscoverer() {
        {
            const std::lock_guard<std::mutex> lock(FIdleLock);
            if (!FIdle.empty()) {
                TGObject<GstDiscoverer> discoverer = std::move(FIdle.back());
                FIdle.pop_back();
                return discoverer;
            }
        }
        GError* pError = nullptr;
        TGObject<GstDiscoverer> discoverer(
            gst_discoverer_new(static_cast<GstClockTime>(FTimeout.count()) * GST_MSECOND, &pError));
        g_clear_error(&pError);
        return discoverer;
    }

    void GiveBack(TGObject<GstDiscoverer> discoverer) {
        const std::lock_guard<std::mutex> lock(FIdleLock);
        if (FIdle.size() < kMaxIdle) {
            FIdle.push_back(std::move(discoverer));
        }
    }

    static void ReadVideo(GstDiscovererVideoInfo* pVideo, TResult& result) {
        SetVideoFacts(result, gst_discoverer_video_info_get_width(pVideo),
                      gst_discoverer_video_info_get_height(pVideo),
                      gst_discoverer_video_info_get_par_num(pVideo),
                      gst_discoverer_video_info_get_par_denom(pVideo),
                      gst_discoverer_video_info_get_framerate_num(pVideo),
                      gst_discoverer_video_info_get_framerate_denom(pVideo));
    }

    static constexpr std::size_t kMaxIdle = 4;
    std::chrono::milliseconds FTimeout;
    std::mutex FIdleLock;
    std::vector<TGObject<GstDiscoverer>> FIdle;
};

} // namespace

std::shared_ptr<TMyMediaProber> MakeGstMediaProber(std::chrono::milliseconds timeout) {
    return std::make_shared<TMyGstMediaProber>(timeout);
}

void InstallGstMediaProber() {
    SetMediaProber(MakeGstMediaProber());
}

} // namespace skivra
