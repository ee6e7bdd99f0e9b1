#include "app/myPlayerEngine.h"

#include "engine/myGstGraph.h"
#include "media/myTag.h"

namespace skivra {

TMyPlayerFileInfo TMyGstPlayerEngine::ReadFileInfo(const std::u16string& sFileName) {
    const TMyTag2 record(sFileName);
    TMyPlayerFileInfo info;
    info.iMediaLength = record.MediaLength();
    info.iVideoWidth = record.VideoWidth();
    info.iVideoHeight = record.VideoHeight();
    info.sFileSize = record.FileSizeString();
    return info;
}

std::unique_ptr<TMyMediaGraph> TMyGstPlayerEngine::NewFilterGraph() {
    return std::make_unique<TMyGstMediaGraph>();
}

} // namespace skivra
