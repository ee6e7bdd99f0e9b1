#pragma once

#include <gst/gst.h>

#include <atomic>
#include <memory>
#include <string>

#include "engine/myMediaGraph.h"

class QObject;
class QWindow;

namespace skivra {

class TMyVideoSink;

// The playback graph on a GStreamer pipeline: playbin with auto-plugged decoding, and for
// ASF files that playbin refuses, an explicit ASF demuxer feeding the audio sink (the video
// of such a file is not shown). Bus messages are only filtered on the streaming threads;
// they are turned into events on the UI thread through a queued call on a Qt object, so a
// QCoreApplication event loop must run for events to arrive.
//
// Audio goes to the automatic audio sink, which falls back to a silent sink on a machine
// without a sound server; SKIVRA_AUDIO_SINK (a pipeline description such as "fakesink
// sync=true") replaces it.
class TMyGstMediaGraph : public TMyMediaGraph {
public:
    TMyGstMediaGraph();
    ~TMyGstMediaGraph() override;
    TMyGstMediaGraph(const TMyGstMediaGraph&) = delete;
    TMyGstMediaGraph& operator=(const TMyGstMediaGraph&) = delete;

    void SetNotify(std::function<void()> fnNotify) override;
    bool GetEvent(std::int32_t& iCode) override;

    bool RenderFile(const std::u16string& sFileName) override;
    bool HasVideo() const override { return FbHasVideo; }
    bool HasConnectedInput() const override { return FbConnectedInput; }
    bool GetVideoSize(std::int32_t& iWidth, std::int32_t& iHeight) const override;
    std::u16string GetFrameRateText() const override;

    void PutOwner(std::uint64_t iWindow) override;
    void SetWindowPosition(const TMyRect& rcVideo) override;

    bool Run() override;
    bool Pause() override;
    bool Stop() override;
    bool StopWhenReady() override;
    TMyGraphState GetState() const override { return FState; }

    double GetDuration() const override { return FfDuration; }
    double GetCurrentPosition() const override;
    bool PutCurrentPosition(double fSeconds) override;

    bool PutVolume(std::int32_t iVolume) override;
    bool PutMute(bool bMute) override;

    void StopGraphAndDisconnect() override;
    const TMyGraphError& GetLastError() const override { return FError; }

    // Which path played the file, and into which sink ("xvimagesink", "ximagesink", ...).
    bool UsesAsfReader() const { return FbAsfReader; }
    std::string GetVideoSinkName() const;
    // Tests only: behave as if the general path had refused the file, and read back what
    // the audio path was given.
    void SetRefuseGeneralPath(bool bRefuse) { FbRefuseGeneralPath = bRefuse; }
    double GetAppliedVolume() const;
    bool IsMuteApplied() const;

    // How long RenderFile waits for a file to cue before giving up.
    static constexpr GstClockTime RENDER_TIMEOUT = 10 * GST_SECOND;

private:
    struct TBusLink; // what the streaming threads may touch

    bool BuildGeneralPath(const std::string& sUri);
    bool BuildAsfReaderPath(const std::string& sPath);
    void AttachBus();
    bool Cue(GstClockTime iTimeout);
    void ReadStreamFacts();
    void ApplyVolume();
    void TakeError(GstMessage* pMessage);
    void FailWith(const char16_t* sMessage);
    void DeliverNotify();
    bool SetPipelineState(GstState state);
    static GstBusSyncReply BusSyncHandler(GstBus* pBus, GstMessage* pMessage, gpointer pData);
    static void OnAsfPadAdded(GstElement* pDemux, GstPad* pPad, gpointer pData);

    GstElement* FpPipeline = nullptr;
    GstElement* FpVolume = nullptr; // implements GstStreamVolume: playbin or a volume element
    std::unique_ptr<TMyVideoSink> FVideoSink;
    std::unique_ptr<QWindow> FHiddenWindow; // where the picture goes when no window is given
    std::unique_ptr<QObject> FNotifyContext;
    std::unique_ptr<TBusLink> FBusLink;
    std::function<void()> FfnNotify;

    std::uint64_t FiOwner = 0;
    TMyRect FrcVideo;
    TMyGraphState FState = State_Stopped;
    double FfDuration = 0.0;
    bool FbHasVideo = false;
    bool FbConnectedInput = false;
    std::int32_t FiVideoWidth = 0;
    std::int32_t FiVideoHeight = 0;
    std::int32_t FiRateNumerator = 0;
    std::int32_t FiRateDenominator = 0;
    std::int32_t FiVolume = VOLUME_FULL;
    bool FbMute = false;
    bool FbAsfReader = false;
    bool FbRefuseGeneralPath = false;
    TMyGraphError FError;
};

} // namespace skivra
