#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "support/myRect.h"

namespace skivra {

// The playback graph of one file, as the player controller drives it: build it for a file,
// put its picture into a window, run, pause, seek, set the volume, and follow its events.
// Every member is called on the UI thread; the notify function also runs there, never on a
// streaming thread. One object serves one file; the controller destroys it (or calls
// StopGraphAndDisconnect) before the next file.

// Event codes handed out by GetEvent.
inline constexpr std::int32_t EC_COMPLETE = 1;       // the end of the file was reached
inline constexpr std::int32_t EC_ERRORABORT = 3;     // playback stopped on an error (GetLastError)
inline constexpr std::int32_t EC_CLOCK_CHANGED = 13; // the graph chose its clock (it runs)
inline constexpr std::int32_t EC_PAUSED = 14;        // a pause has completed

// Volume in hundredths of a decibel.
inline constexpr std::int32_t VOLUME_FULL = 0;
inline constexpr std::int32_t VOLUME_SILENT = -10000;

enum TMyGraphState : std::int32_t { State_Stopped = 0, State_Paused = 1, State_Running = 2 };

struct TMyGraphError {
    std::u16string sMessage; // one line saying what went wrong, for a note or a status text
    std::string sDebug;      // the media framework's own diagnostics; never shown raw
};

class TMyMediaGraph {
public:
    virtual ~TMyMediaGraph() = default;

    // Registers the function called (on the UI thread) when events are waiting; the
    // controller then takes them with GetEvent until it returns false. Set it before
    // RenderFile so that no event is missed.
    virtual void SetNotify(std::function<void()> fnNotify) = 0;
    virtual bool GetEvent(std::int32_t& iCode) = 0;

    // Builds the graph for the file and cues it (paused at the start, nothing shown yet),
    // so that duration, streams and video size are known when it returns. False when the
    // file cannot be played, also through the ASF reader for ASF files; GetLastError says
    // why. A file that does not cue in a bounded time fails too.
    virtual bool RenderFile(const std::u16string& sFileName) = 0;
    // The file has a video stream.
    virtual bool HasVideo() const = 0;
    // The video stream reaches the video sink, so a picture can be shown.
    virtual bool HasConnectedInput() const = 0;
    // The video's size in pixels as the sink receives it; false without video.
    virtual bool GetVideoSize(std::int32_t& iWidth, std::int32_t& iHeight) const = 0;
    // The video's frame rate as the information label shows it: "29.97", "25", or "-".
    virtual std::u16string GetFrameRateText() const = 0;

    // The window the picture goes into (an X window id, possibly another process's); 0 is
    // no window: the video then plays where nobody sees it.
    virtual void PutOwner(std::uint64_t iWindow) = 0;
    // Where in that window the picture goes, in the window's pixels; the picture is scaled
    // to fill the rectangle (GetMonitorVideoRect gives the one for a whole monitor).
    virtual void SetWindowPosition(const TMyRect& rcVideo) = 0;

    virtual bool Run() = 0;
    virtual bool Pause() = 0;
    // Stops: the picture and the position stay, the graph no longer runs.
    virtual bool Stop() = 0;
    // Cues the graph at the current position and stops there.
    virtual bool StopWhenReady() = 0;
    // The state the graph is in or is going to, without waiting.
    virtual TMyGraphState GetState() const = 0;

    // Seconds. A position equal to the duration is the end of the file.
    virtual double GetDuration() const = 0;
    virtual double GetCurrentPosition() const = 0;
    // Positions outside 0 to the duration are limited to that range.
    virtual bool PutCurrentPosition(double fSeconds) = 0;

    // Hundredths of a decibel from VOLUME_SILENT to VOLUME_FULL; false outside that range.
    virtual bool PutVolume(std::int32_t iVolume) = 0;
    virtual bool PutMute(bool bMute) = 0;

    // Stops the graph and releases everything it holds (pipeline, threads, windows of its
    // own). The object is empty afterwards; the destructor does the same.
    virtual void StopGraphAndDisconnect() = 0;

    // The reason of the last failure (RenderFile, or an EC_ERRORABORT event).
    virtual const TMyGraphError& GetLastError() const = 0;
};

} // namespace skivra
