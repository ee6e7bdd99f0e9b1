#pragma once

#include "app/myPlayerServices.h"

namespace skivra {

// The controller's engine in the program: the media record of a file (its tags, and the
// probe's duration and video size) and a GStreamer playback graph per file.
class TMyGstPlayerEngine final : public TMyPlayerEngine {
public:
    TMyPlayerFileInfo ReadFileInfo(const std::u16string& sFileName) override;
    std::unique_ptr<TMyMediaGraph> NewFilterGraph() override;
};

} // namespace skivra
