#pragma once

#include <gst/gst.h>

namespace skivra {

// Has the video decoders that playbin plugs decode a picture of up to 2K at 30 frames a
// second on one thread, and leaves larger or faster video to the decoder's own choice.
// A wallpaper plays all day beside the user's work: frame threads would each hold a
// decoder context and a picture in flight (25 MiB on 1080p, more CPU in all, and a frame
// of delay per thread before the first picture), where one thread keeps up with room to
// spare. Decoders without a thread setting are left as they are.
void LimitDecoderThreads(GstElement* pPlayBin);

} // namespace skivra
