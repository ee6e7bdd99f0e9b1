#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <string>

#include "engine/myMediaGraph.h"

namespace skivra {

// The end of the video chain: a sink that draws into a given X window and scales the
// picture to the rectangle asked for. A sink that scales in hardware (xvimagesink) is
// used when the display offers it; otherwise the picture is converted and scaled in
// software into ximagesink (Xvfb has no Xv). SKIVRA_VIDEO_SINK=xvimagesink or ximagesink
// forces one. Without windows (no display, or no window the picture could be hidden in)
// the picture goes to a fakesink: a sink given no window would open one of its own.
class TMyVideoSink {
public:
    explicit TMyVideoSink(bool bWindowed);
    ~TMyVideoSink();
    TMyVideoSink(const TMyVideoSink&) = delete;
    TMyVideoSink& operator=(const TMyVideoSink&) = delete;

    // The element handed to the pipeline as its video sink (this object keeps a reference).
    GstElement* GetElement() const { return FpSink; }
    // "xvimagesink", "ximagesink" or "fakesink".
    const std::string& GetName() const { return FsName; }
    // The sink draws into X windows (SetWindow means something).
    bool CanShowWindows() const { return FpOverlay != nullptr; }

    // The window to draw into; the sink never opens a window of its own.
    void SetWindow(std::uint64_t iWindow);
    void SetRectangle(const TMyRect& rcVideo);
    // Draws the last picture again (after a window change).
    void Expose();

private:
    GstElement* FpSink = nullptr;     // the whole sink (a bin for the software chain)
    GstElement* FpOverlay = nullptr;  // the element that draws into the window
    GstElement* FpSizeCaps = nullptr; // the software chain's output size; null otherwise
    std::int64_t FiCapsWidth = 0;     // the size last given to FpSizeCaps
    std::int64_t FiCapsHeight = 0;
    std::string FsName;
};

} // namespace skivra
