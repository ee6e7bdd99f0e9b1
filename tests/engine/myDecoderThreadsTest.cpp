// Which decoder thread count playbin's video decoders get, on clips that gst-launch-1.0
// makes at test time.
#include "engine/myDecoderThreads.h"
#include "engine/myGstPtr.h"
#include "engine/myGstreamer.h"
#include "support/TempFolder.h"

#include <gst/video/gstvideodecoder.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace skivra {
namespace {

struct Clip {
    const char* sName;
    int iWidth;
    int iHeight;
    const char* sRate;
    int iThreads; // what the decoder is given: 1, or 0 for its own choice
};

const Clip kClips[] = {
    {"small", 320, 240, "30/1", 1},
    {"hd", 1920, 1080, "30/1", 1},
    {"hd-fast", 1920, 1080, "60/1", 0}, // twice the pixels a second of 1080p30
    {"qhd", 2560, 1440, "25/1", 0},
};

// The thread count of the first video decoder in the bin; -1 when there is none.
int DecoderThreads(GstElement* pBin) {
    int iThreads = -1;
    GstIterator* pIterator = gst_bin_iterate_recurse(GST_BIN(pBin));
    GValue item = G_VALUE_INIT;
    while (iThreads < 0 && gst_iterator_next(pIterator, &item) == GST_ITERATOR_OK) {
        auto* pElement = GST_ELEMENT(g_value_get_object(&item));
        if (GST_IS_VIDEO_DECODER(pElement)) {
            g_object_get(pElement, "max-threads", &iThreads, nullptr);
        }
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(pIterator);
    return iThreads;
}

TEST(DecoderThreads, OneThreadUpTo2KAt30FramesAndTheDecodersOwnChoiceAbove) {
    ASSERT_TRUE(EnsureGStreamer());
    const test::TempFolder folder;
    for (const Clip& clip : kClips) {
        SCOPED_TRACE(clip.sName);
        const std::string sPath = folder.Path() + "/" + clip.sName + ".mp4";
        const std::string sCommand =
            "gst-launch-1.0 -q videotestsrc num-buffers=2 ! video/x-raw,format=I420,width=" +
            std::to_string(clip.iWidth) + ",height=" + std::to_string(clip.iHeight) +
            ",framerate=" + clip.sRate + " ! x264enc speed-preset=ultrafast ! h264parse" +
            " ! mp4mux ! filesink location='" + sPath + "' >/dev/null";
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;

        TMyGstElementPtr playbin(
            GST_ELEMENT(gst_object_ref_sink(gst_element_factory_make("playbin", nullptr))));
        ASSERT_TRUE(playbin);
        const std::string sUri = "file://" + sPath;
        g_object_set(playbin.get(), "uri", sUri.c_str(), "video-sink",
                     gst_element_factory_make("fakesink", nullptr), "audio-sink",
                     gst_element_factory_make("fakesink", nullptr), nullptr);
        LimitDecoderThreads(playbin.get());
        gst_element_set_state(playbin.get(), GST_STATE_PAUSED);
        ASSERT_EQ(gst_element_get_state(playbin.get(), nullptr, nullptr, 10 * GST_SECOND),
                  GST_STATE_CHANGE_SUCCESS);
        EXPECT_EQ(DecoderThreads(playbin.get()), clip.iThreads);
        gst_element_set_state(playbin.get(), GST_STATE_NULL);
    }
}

} // namespace
} // namespace skivra
