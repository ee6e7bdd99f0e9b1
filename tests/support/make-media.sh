#!/usr/bin/env bash
# Makes small media files with gst-launch-1.0 for the probe's tests and benchmarks:
#   make-media.sh OUT_DIR
# h264_2997.mp4 (320x240 at 30000/1001, 30 frames), h264_25.mp4 (176x144 at 25, 25 frames),
# clip_10_2.mp4 (10.2 s at 25 fps), anamorphic.mp4 (160x120 stored, 4:3 pixels), clip.wmv
# (160x120 at 25, 25 frames), tone.mp3 (2 s), tone.ogg (2 s, audio only), truncated.mp4 (the
# first third of h264_2997.mp4), random.mp4 (random bytes) and empty.mp4.
set -euo pipefail
out=$1
mkdir -p "$out"
gst() { gst-launch-1.0 -q "$@" >/dev/null; }

video() { # name width height rate frames [extra caps for the encoder input]
  gst videotestsrc num-buffers="$5" pattern=ball \
    ! "video/x-raw,format=I420,width=$2,height=$3,framerate=$4${6:-}" \
    ! x264enc speed-preset=ultrafast key-int-max=25 ! mp4mux ! filesink location="$out/$1"
}
video h264_2997.mp4 320 240 30000/1001 30
video h264_25.mp4 176 144 25/1 25
video clip_10_2.mp4 64 48 25/1 255
video anamorphic.mp4 160 120 25/1 10 ",pixel-aspect-ratio=4/3"
gst videotestsrc num-buffers=25 ! video/x-raw,width=160,height=120,framerate=25/1 \
  ! avenc_wmv2 ! asfmux ! filesink location="$out/clip.wmv"
gst audiotestsrc num-buffers=86 samplesperbuffer=1024 ! audio/x-raw,rate=44100 \
  ! lamemp3enc ! id3v2mux ! filesink location="$out/tone.mp3"
gst audiotestsrc num-buffers=86 samplesperbuffer=1024 ! audio/x-raw,rate=44100 \
  ! vorbisenc ! oggmux ! filesink location="$out/tone.ogg"
size=$(stat -c %s "$out/h264_2997.mp4")
head -c $((size / 3)) "$out/h264_2997.mp4" >"$out/truncated.mp4"
head -c 65536 /dev/urandom >"$out/random.mp4"
: >"$out/empty.mp4"
