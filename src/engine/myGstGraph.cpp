#include "engine/myGstGraph.h"

#include <QGuiApplication>
#include <QObject>
#include <QWindow>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string_view>

#include "engine/myDecoderThreads.h"
#include "engine/myGraphUnits.h"
#include "engine/myGstPtr.h"
#include "engine/myGstreamer.h"
#include "engine/myVideoSink.h"
#include "support/myUnicode.h"

namespace skivra {

// Shared with the streaming threads: the bus sync handler and the ASF demuxer's pad-added
// handler run there and touch nothing else of the graph.
struct TMyGstMediaGraph::TBusLink {
    GstElement* pPipeline = nullptr;
    QObject* pContext = nullptr;
    TMyGstMediaGraph* pGraph = nullptr;
    std::string sAudioSink;
    std::atomic<bool> bWakePosted{false};
    std::atomic<bool> bEndOfStream{false};
    std::atomic<bool> bAudioLinked{false};
    std::atomic<bool> bVideoSeen{false};
    // The messages that become events, in order. They are queued here rather than left on
    // the bus: the bus queues a message only after its sync handler returns, so a UI thread
    // woken from the handler could look before the message is there and miss it.
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<GstMessage*> messages;
    bool bFailed = false;
    // The ASF demuxer has made all its pads: until then a pipeline whose sinks do not
    // exist yet counts as paused already.
    bool bPadsDone = false;

    ~TBusLink() {
        for (GstMessage* pMessage : messages) {
            gst_message_unref(pMessage);
        }
    }
    // Takes over the message.
    void Push(GstMessage* pMessage) {
        {
            std::lock_guard lock(mutex);
            messages.push_back(pMessage);
            bFailed = bFailed || GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_ERROR;
        }
        changed.notify_all();
    }
    TMyGstMessagePtr Pop() {
        std::lock_guard lock(mutex);
        if (messages.empty()) {
            return nullptr;
        }
        TMyGstMessagePtr message(messages.front());
        messages.pop_front();
        return message;
    }
    // The first error, waiting up to the time-out for one.
    TMyGstMessagePtr PopError(GstClockTime iTimeout) {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::nanoseconds(iTimeout), [this] { return bFailed; });
        const auto it = std::find_if(messages.begin(), messages.end(), [](GstMessage* p) {
            return GST_MESSAGE_TYPE(p) == GST_MESSAGE_ERROR;
        });
        if (it == messages.end()) {
            return nullptr;
        }
        TMyGstMessagePtr message(*it);
        messages.erase(it);
        return message;
    }
    void SignalPadsDone() {
        {
            std::lock_guard lock(mutex);
            bPadsDone = true;
        }
        changed.notify_all();
    }
    // True once the pads are made; false on failure or when the time is up.
    bool WaitForPads(GstClockTime iTimeout) {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::nanoseconds(iTimeout),
                         [this] { return bPadsDone || bFailed; });
        return bPadsDone && !bFailed;
    }
};

namespace {

std::string AudioSinkDescription() {
    const char* pForced = std::getenv("SKIVRA_AUDIO_SINK");
    return pForced && *pForced ? pForced : "autoaudiosink";
}

// The extensions for which the ASF reader is tried when the general path refuses a file.
bool IsAsfFileName(const std::u16string& sFileName) {
    const auto iDot = sFileName.find_last_of(u'.');
    if (iDot == std::u16string::npos || sFileName.find(u'/', iDot) != std::u16string::npos) {
        return false;
    }
    std::u16string sExt = sFileName.substr(iDot + 1);
    for (auto& c : sExt) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return sExt == u"wmv" || sExt == u"wma" || sExt == u"asf";
}

// The messages that become events; everything else is dropped where it is posted.
bool IsEventMessage(GstMessage* pMessage, GstElement* pPipeline) {
    switch (GST_MESSAGE_TYPE(pMessage)) {
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_NEW_CLOCK:
        return true;
    case GST_MESSAGE_STATE_CHANGED: {
        // A pause has completed: the pipeline itself is now paused with nothing pending.
        GstState oldState, newState, pending;
        gst_message_parse_state_changed(pMessage, &oldState, &newState, &pending);
        return GST_MESSAGE_SRC(pMessage) == GST_OBJECT(pPipeline) && newState == GST_STATE_PAUSED &&
               pending == GST_STATE_VOID_PENDING;
    }
    default:
        return false;
    }
}

bool CanShowWindows() {
    return qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

TMyGstMediaGraph::TMyGstMediaGraph() = default;

TMyGstMediaGraph::~TMyGstMediaGraph() {
    StopGraphAndDisconnect();
}

void TMyGstMediaGraph::SetNotify(std::function<void()> fnNotify) {
    FfnNotify = std::move(fnNotify);
}

bool TMyGstMediaGraph::RenderFile(const std::u16string& sFileName) {
    StopGraphAndDisconnect();
    FError = {};
    if (!EnsureGStreamer()) {
        FailWith(u"The media framework could not start");
        return false;
    }
    const std::string sPath = Utf16ToUtf8(sFileName);
    GError* pError = nullptr;
    TMyGCharPtr uri(sPath.empty() ? nullptr : gst_filename_to_uri(sPath.c_str(), &pError));
    TMyGErrorPtr error(pError);
    if (!uri) {
        FailWith(u"The file name cannot be played");
        return false;
    }
    bool bOk = false;
    if (FbRefuseGeneralPath) {
        FailWith(u"The general path was refused");
    } else {
        bOk = BuildGeneralPath(uri.get()) && Cue(RENDER_TIMEOUT);
    }
    if (!bOk && IsAsfFileName(sFileName)) {
        // The first failure says more about the file than the fallback's.
        const TMyGraphError general = FError;
        StopGraphAndDisconnect();
        bOk = BuildAsfReaderPath(sPath) && Cue(RENDER_TIMEOUT);
        if (bOk && !FBusLink->bAudioLinked) {
            FailWith(u"The file has no audio stream");
            bOk = false;
        }
        if (!bOk) {
            const std::string sReader = Utf16ToUtf8(FError.sMessage) + ": " + FError.sDebug;
            FError = general;
            FError.sDebug += " | ASF reader: " + sReader;
        }
    }
    if (!bOk) {
        StopGraphAndDisconnect();
        return false;
    }
    ReadStreamFacts();
    ApplyVolume();
    return true;
}

bool TMyGstMediaGraph::BuildGeneralPath(const std::string& sUri) {
    FpPipeline = gst_element_factory_make("playbin", "Playback");
    if (!FpPipeline) {
        FailWith(u"The playback element is missing");
        return false;
    }
    gst_object_ref_sink(FpPipeline);
    FpVolume = GST_ELEMENT(gst_object_ref(FpPipeline));
    FVideoSink = std::make_unique<TMyVideoSink>(CanShowWindows());
    g_object_set(FpPipeline, "uri", sUri.c_str(), "video-sink", FVideoSink->GetElement(), nullptr);
    // Native video: playbin's own converter would scale to the window keeping the
    // picture's aspect (black bars); the sink's chain stretches it over the monitor as
    // the desktop needs, and converts only once.
    constexpr guint PLAY_FLAG_SOFT_VOLUME = 1u << 4;
    constexpr guint PLAY_FLAG_NATIVE_VIDEO = 1u << 6;
    guint iFlags = 0;
    g_object_get(FpPipeline, "flags", &iFlags, nullptr);
    iFlags |= PLAY_FLAG_NATIVE_VIDEO;
    // The volume is an element of the audio sink's own: playbin's soft volume kept about
    // 5 KB of every file it played, which a player that changes files all day cannot
    // afford.
    GError* pError = nullptr;
    GstElement* pAudio = gst_parse_bin_from_description(
        ("volume name=Volume ! " + AudioSinkDescription()).c_str(), TRUE, &pError);
    TMyGErrorPtr error(pError);
    if (pAudio) {
        g_object_set(FpPipeline, "audio-sink", pAudio, nullptr);
        if (GstElement* pVolume = gst_bin_get_by_name(GST_BIN(pAudio), "Volume")) {
            gst_object_unref(FpVolume);
            FpVolume = pVolume;
            iFlags &= ~PLAY_FLAG_SOFT_VOLUME;
        }
    }
    g_object_set(FpPipeline, "flags", iFlags, nullptr);
    LimitDecoderThreads(FpPipeline);
    if (FVideoSink->CanShowWindows()) {
        // The sink must never open a window of its own: until the caller gives one, the
        // picture goes into a window that is never mapped.
        FHiddenWindow = std::make_unique<QWindow>();
        FHiddenWindow->create();
        FVideoSink->SetWindow(FiOwner ? FiOwner : FHiddenWindow->winId());
        FVideoSink->SetRectangle(FrcVideo);
    }
    AttachBus();
    return true;
}

bool TMyGstMediaGraph::BuildAsfReaderPath(const std::string& sPath) {
    FpPipeline = gst_pipeline_new("WM ASF Reader");
    gst_object_ref_sink(FpPipeline);
    // typefind first: a file that is no ASF at all fails at once instead of leaving the
    // demuxer waiting for a header.
    GstElement* pSource = gst_element_factory_make("filesrc", "File Source");
    GstElement* pType = gst_element_factory_make("typefind", "Type Finder");
    GstElement* pDemux = gst_element_factory_make("asfdemux", "ASF Demuxer");
    for (GstElement* pElement : {pSource, pType, pDemux}) {
        if (pElement) {
            gst_bin_add(GST_BIN(FpPipeline), pElement);
        }
    }
    if (!pSource || !pType || !pDemux || !gst_element_link_many(pSource, pType, pDemux, nullptr)) {
        FailWith(u"The ASF reader is missing");
        return false;
    }
    g_object_set(pSource, "location", sPath.c_str(), nullptr);
    FbAsfReader = true;
    AttachBus();
    g_signal_connect(pDemux, "pad-added", G_CALLBACK(OnAsfPadAdded), FBusLink.get());
    g_signal_connect(pDemux, "no-more-pads", G_CALLBACK(+[](GstElement*, gpointer pData) {
                         static_cast<TBusLink*>(pData)->SignalPadsDone();
                     }),
                     FBusLink.get());
    return true;
}

void TMyGstMediaGraph::AttachBus() {
    FNotifyContext = std::make_unique<QObject>();
    FBusLink = std::make_unique<TBusLink>();
    FBusLink->pPipeline = FpPipeline;
    FBusLink->pContext = FNotifyContext.get();
    FBusLink->pGraph = this;
    FBusLink->sAudioSink = AudioSinkDescription();
    TMyGstBusPtr bus(gst_element_get_bus(FpPipeline));
    gst_bus_set_sync_handler(bus.get(), BusSyncHandler, FBusLink.get(), nullptr);
}

namespace {

// Adds an element to a running pipeline and links the pad into it; false when it does not fit.
bool AddAndLink(GstElement* pPipeline, GstElement* pElement, GstPad* pPad) {
    gst_bin_add(GST_BIN(pPipeline), pElement);
    TMyGstPadPtr sinkPad(gst_element_get_static_pad(pElement, "sink"));
    const bool bLinked = sinkPad && GST_PAD_LINK_SUCCESSFUL(gst_pad_link(pPad, sinkPad.get()));
    gst_element_sync_state_with_parent(pElement);
    return bLinked;
}

GstElement* MakeFakeSink() {
    GstElement* pSink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(pSink, "sync", TRUE, nullptr);
    return pSink;
}

} // namespace

// Streaming thread: the first audio stream is decoded into the audio sink; every other
// stream ends in a fakesink so that the demuxer never stalls on an unlinked pad.
void TMyGstMediaGraph::OnAsfPadAdded(GstElement*, GstPad* pPad, gpointer pData) {
    auto* pLink = static_cast<TBusLink*>(pData);
    TMyGstCapsPtr caps(gst_pad_query_caps(pPad, nullptr));
    const std::string_view sType =
        caps && gst_caps_get_size(caps.get()) > 0
            ? gst_structure_get_name(gst_caps_get_structure(caps.get(), 0))
            : "";
    if (sType.starts_with("video/")) {
        pLink->bVideoSeen = true;
    }
    if (!sType.starts_with("audio/") || pLink->bAudioLinked.exchange(true)) {
        AddAndLink(pLink->pPipeline, MakeFakeSink(), pPad);
        return;
    }
    const std::string sTail =
        "audioconvert ! audioresample ! volume name=Volume ! " + pLink->sAudioSink;
    GError* pError = nullptr;
    GstElement* pTail = gst_parse_bin_from_description(sTail.c_str(), TRUE, &pError);
    TMyGErrorPtr error(pError);
    GstElement* pDecoder = gst_element_factory_make("decodebin", "Audio Decoder");
    if (!pTail || !pDecoder) {
        pLink->bAudioLinked = false;
        if (pTail) {
            gst_object_unref(gst_object_ref_sink(pTail));
        }
        if (pDecoder) {
            gst_object_unref(gst_object_ref_sink(pDecoder));
        }
        AddAndLink(pLink->pPipeline, MakeFakeSink(), pPad);
        return;
    }
    gst_bin_add(GST_BIN(pLink->pPipeline), pTail);
    gst_element_sync_state_with_parent(pTail);
    // The decoder's output appears once it knows the format, on this same thread.
    g_signal_connect(
        pDecoder, "pad-added", G_CALLBACK(+[](GstElement*, GstPad* pDecoded, gpointer pTailData) {
            TMyGstPadPtr tailPad(gst_element_get_static_pad(GST_ELEMENT(pTailData), "sink"));
            if (tailPad && !gst_pad_is_linked(tailPad.get())) {
                gst_pad_link(pDecoded, tailPad.get());
            }
        }),
        pTail);
    AddAndLink(pLink->pPipeline, pDecoder, pPad);
}

bool TMyGstMediaGraph::Cue(GstClockTime iTimeout) {
    GstStateChangeReturn result = gst_element_set_state(FpPipeline, GST_STATE_PAUSED);
    if (FbAsfReader && result != GST_STATE_CHANGE_FAILURE) {
        // The sinks are made as the demuxer finds the streams; once they exist the pipeline
        // has to cue again.
        result = FBusLink->WaitForPads(iTimeout) ? GST_STATE_CHANGE_ASYNC
                 : FBusLink->bFailed             ? GST_STATE_CHANGE_FAILURE
                                                 : GST_STATE_CHANGE_ASYNC;
    }
    if (result == GST_STATE_CHANGE_ASYNC) {
        result = gst_element_get_state(FpPipeline, nullptr, nullptr, iTimeout);
    }
    if (result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL) {
        return true;
    }
    // The element that refused posts its reason from its own thread, possibly just after
    // the state change has failed.
    TMyGstMessagePtr message(FBusLink->PopError(result == GST_STATE_CHANGE_ASYNC ? 0 : GST_SECOND));
    if (message) {
        TakeError(message.get());
    } else if (result == GST_STATE_CHANGE_ASYNC) {
        FailWith(u"The file did not become ready in time");
        FError.sDebug =
            "no format agreed within " + std::to_string(iTimeout / GST_SECOND) + " seconds";
    } else {
        FailWith(u"The file cannot be played");
        FError.sDebug = "the pipeline refused to pause and gave no reason";
    }
    return false;
}

void TMyGstMediaGraph::ReadStreamFacts() {
    gint64 iDuration = 0;
    FfDuration =
        gst_element_query_duration(FpPipeline, GST_FORMAT_TIME, &iDuration) && iDuration > 0
            ? static_cast<double>(iDuration) / GST_SECOND
            : 0.0;
    if (FbAsfReader) {
        FbHasVideo = FBusLink->bVideoSeen;
        GstElement* pVolume = gst_bin_get_by_name(GST_BIN(FpPipeline), "Volume");
        if (pVolume) {
            FpVolume = pVolume;
        }
        return;
    }
    gint iVideoStreams = 0;
    g_object_get(FpPipeline, "n-video", &iVideoStreams, nullptr);
    FbHasVideo = iVideoStreams > 0;
    // The video reaches the sink once the sink has agreed a format.
    TMyGstPadPtr sinkPad(gst_element_get_static_pad(FVideoSink->GetElement(), "sink"));
    TMyGstCapsPtr sinkCaps(sinkPad ? gst_pad_get_current_caps(sinkPad.get()) : nullptr);
    FbConnectedInput = sinkCaps && gst_caps_get_size(sinkCaps.get()) > 0;
    if (!FbConnectedInput) {
        return;
    }
    // Size and rate as decoded: playbin scales to the sink's window on the way.
    GstPad* pDecoded = nullptr;
    g_signal_emit_by_name(FpPipeline, "get-video-pad", 0, &pDecoded);
    TMyGstPadPtr decodedPad(pDecoded);
    TMyGstCapsPtr caps(decodedPad ? gst_pad_get_current_caps(decodedPad.get()) : nullptr);
    if (!caps || gst_caps_get_size(caps.get()) == 0) {
        return;
    }
    const GstStructure* pFormat = gst_caps_get_structure(caps.get(), 0);
    gst_structure_get_int(pFormat, "width", &FiVideoWidth);
    gst_structure_get_int(pFormat, "height", &FiVideoHeight);
    gst_structure_get_fraction(pFormat, "framerate", &FiRateNumerator, &FiRateDenominator);
}

bool TMyGstMediaGraph::GetVideoSize(std::int32_t& iWidth, std::int32_t& iHeight) const {
    if (!FbConnectedInput || FiVideoWidth < 1 || FiVideoHeight < 1) {
        return false;
    }
    iWidth = FiVideoWidth;
    iHeight = FiVideoHeight;
    return true;
}

std::u16string TMyGstMediaGraph::GetFrameRateText() const {
    return FbConnectedInput ? FormatFrameRateText(FiRateNumerator, FiRateDenominator) : u"-";
}

void TMyGstMediaGraph::PutOwner(std::uint64_t iWindow) {
    FiOwner = iWindow;
    if (FVideoSink && FHiddenWindow) {
        FVideoSink->SetWindow(iWindow ? iWindow : FHiddenWindow->winId());
        FVideoSink->SetRectangle(FrcVideo);
        FVideoSink->Expose();
    }
}

void TMyGstMediaGraph::SetWindowPosition(const TMyRect& rcVideo) {
    FrcVideo = rcVideo;
    if (FVideoSink) {
        FVideoSink->SetRectangle(rcVideo);
        FVideoSink->Expose();
    }
}

bool TMyGstMediaGraph::SetPipelineState(GstState state) {
    return FpPipeline && gst_element_set_state(FpPipeline, state) != GST_STATE_CHANGE_FAILURE;
}

bool TMyGstMediaGraph::Run() {
    if (!SetPipelineState(GST_STATE_PLAYING)) {
        return false;
    }
    FState = State_Running;
    return true;
}

bool TMyGstMediaGraph::Pause() {
    if (!SetPipelineState(GST_STATE_PAUSED)) {
        return false;
    }
    FState = State_Paused;
    return true;
}

// A stopped pipeline here is a paused one: READY would forget the position and the
// picture, and a replay must be able to seek right after stopping.
bool TMyGstMediaGraph::Stop() {
    if (!SetPipelineState(GST_STATE_PAUSED)) {
        return false;
    }
    FState = State_Stopped;
    return true;
}

bool TMyGstMediaGraph::StopWhenReady() {
    if (!Stop()) {
        return false;
    }
    return gst_element_get_state(FpPipeline, nullptr, nullptr, RENDER_TIMEOUT) !=
           GST_STATE_CHANGE_FAILURE;
}

double TMyGstMediaGraph::GetCurrentPosition() const {
    if (!FpPipeline) {
        return 0.0;
    }
    // At the end the position is the duration exactly, which is how callers tell the end.
    if (FBusLink->bEndOfStream) {
        return FfDuration;
    }
    gint64 iPosition = 0;
    if (!gst_element_query_position(FpPipeline, GST_FORMAT_TIME, &iPosition) || iPosition < 0) {
        return 0.0;
    }
    const double fPosition = static_cast<double>(iPosition) / GST_SECOND;
    return FfDuration > 0.0 && fPosition > FfDuration ? FfDuration : fPosition;
}

bool TMyGstMediaGraph::PutCurrentPosition(double fSeconds) {
    if (!FpPipeline) {
        return false;
    }
    if (!(fSeconds > 0.0)) { // also NaN
        fSeconds = 0.0;
    }
    if (fSeconds > FfDuration) {
        fSeconds = FfDuration;
    }
    FBusLink->bEndOfStream = false;
    // Accurate: a seek lands where it was asked, not on the key frame before it.
    const auto iTarget = static_cast<gint64>(std::llround(fSeconds * GST_SECOND));
    return gst_element_seek_simple(
               FpPipeline, GST_FORMAT_TIME,
               static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
               iTarget) != FALSE;
}

bool TMyGstMediaGraph::PutVolume(std::int32_t iVolume) {
    if (iVolume < VOLUME_SILENT || iVolume > VOLUME_FULL) {
        return false;
    }
    FiVolume = iVolume;
    ApplyVolume();
    return true;
}

bool TMyGstMediaGraph::PutMute(bool bMute) {
    FbMute = bMute;
    ApplyVolume();
    return true;
}

void TMyGstMediaGraph::ApplyVolume() {
    if (FpVolume) {
        g_object_set(FpVolume, "volume", VolumeToLinear(FiVolume), "mute", FbMute ? TRUE : FALSE,
                     nullptr);
    }
}

double TMyGstMediaGraph::GetAppliedVolume() const {
    gdouble fVolume = -1.0;
    if (FpVolume) {
        g_object_get(FpVolume, "volume", &fVolume, nullptr);
    }
    return fVolume;
}

bool TMyGstMediaGraph::IsMuteApplied() const {
    gboolean bMute = FALSE;
    if (FpVolume) {
        g_object_get(FpVolume, "mute", &bMute, nullptr);
    }
    return bMute != FALSE;
}

bool TMyGstMediaGraph::GetEvent(std::int32_t& iCode) {
    if (!FpPipeline) {
        return false;
    }
    while (TMyGstMessagePtr message{FBusLink->Pop()}) {
        switch (GST_MESSAGE_TYPE(message.get())) {
        case GST_MESSAGE_EOS:
            iCode = EC_COMPLETE;
            return true;
        case GST_MESSAGE_ERROR:
            TakeError(message.get());
            // Nothing more will flow; the threads are stopped now rather than at teardown.
            SetPipelineState(GST_STATE_READY);
            FState = State_Stopped;
            iCode = EC_ERRORABORT;
            return true;
        case GST_MESSAGE_NEW_CLOCK:
            iCode = EC_CLOCK_CHANGED;
            return true;
        case GST_MESSAGE_STATE_CHANGED:
            iCode = EC_PAUSED;
            return true;
        default:
            break;
        }
    }
    return false;
}

// Streaming threads (and the UI thread for state changes it makes): queue what the UI thread
// will turn into events, drop the rest, and wake the UI thread once per batch.
GstBusSyncReply TMyGstMediaGraph::BusSyncHandler(GstBus*, GstMessage* pMessage, gpointer pData) {
    auto* pLink = static_cast<TBusLink*>(pData);
    if (!IsEventMessage(pMessage, pLink->pPipeline)) {
        // A dropped message is the handler's to release; each one holds its source, and
        // through it the whole pipeline.
        gst_message_unref(pMessage);
        return GST_BUS_DROP;
    }
    if (GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_EOS) {
        pLink->bEndOfStream = true;
    }
    pLink->Push(pMessage);
    if (!pLink->bWakePosted.exchange(true)) {
        TMyGstMediaGraph* pGraph = pLink->pGraph;
        QMetaObject::invokeMethod(
            pLink->pContext, [pGraph] { pGraph->DeliverNotify(); }, Qt::QueuedConnection);
    }
    // Taken off the bus: the queue above holds it now.
    return GST_BUS_DROP;
}

void TMyGstMediaGraph::DeliverNotify() {
    FBusLink->bWakePosted = false;
    if (FfnNotify) {
        FfnNotify();
    }
}

void TMyGstMediaGraph::TakeError(GstMessage* pMessage) {
    GError* pError = nullptr;
    gchar* pDebug = nullptr;
    gst_message_parse_error(pMessage, &pError, &pDebug);
    TMyGErrorPtr error(pError);
    TMyGCharPtr debug(pDebug);
    TMyGCharPtr source(gst_object_get_path_string(GST_MESSAGE_SRC(pMessage)));
    FError.sMessage = Utf8ToUtf16(error && error->message ? error->message : "")
                          .value_or(u"The file cannot be played");
    if (FError.sMessage.empty()) {
        FError.sMessage = u"The file cannot be played";
    }
    FError.sDebug = std::string(source ? source.get() : "") + ": " + (debug ? debug.get() : "");
}

void TMyGstMediaGraph::FailWith(const char16_t* sMessage) {
    FError.sMessage = sMessage;
    FError.sDebug.clear();
}

std::string TMyGstMediaGraph::GetVideoSinkName() const {
    return FVideoSink ? FVideoSink->GetName() : std::string();
}

void TMyGstMediaGraph::StopGraphAndDisconnect() {
    if (FpPipeline) {
        // NULL joins every streaming thread, so nothing calls into the bus link afterwards.
        gst_element_set_state(FpPipeline, GST_STATE_NULL);
        TMyGstBusPtr bus(gst_element_get_bus(FpPipeline));
        gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
        gst_bus_set_flushing(bus.get(), TRUE);
        gst_object_unref(FpPipeline);
        FpPipeline = nullptr;
        // The frames of the streaming threads, megabytes each, were freed into those
        // threads' malloc arenas, which keep the pages. Given back after every file, the
        // player's memory stays about a tenth lower over a thousand files, and grows by
        // half as much.
        malloc_trim(0);
    }
    if (FpVolume) {
        gst_object_unref(FpVolume);
        FpVolume = nullptr;
    }
    FVideoSink.reset();
    FHiddenWindow.reset();
    FBusLink.reset();
    FNotifyContext.reset(); // drops a wake still queued for the old pipeline
    FState = State_Stopped;
    FfDuration = 0.0;
    FbHasVideo = false;
    FbConnectedInput = false;
    FiVideoWidth = FiVideoHeight = 0;
    FiRateNumerator = FiRateDenominator = 0;
    FbAsfReader = false;
}

} // namespace skivra
