#!/usr/bin/python3
"""Writes MP3 files that the information panel tests tell apart, tagged with mutagen (an
independent tag writer):

    write-info-tags.py OUT_DIR COUNT
        entry_00.mp3 ... : each a different size, title "曲 NN", artist "歌手 NN", album
        "アルバム NN"; even entries also name an original artist "原曲 NN". ID3v2.3 and
        ID3v2.4 alternate.
    write-info-tags.py --tag FILE TITLE ARTIST ALBUM
        adds an ID3v2.4 tag with these fields to an existing MP3 (a playable clip).
"""
import os
import sys

from mutagen import id3

# One MPEG-1 Layer III frame header followed by silence.
FRAME = b"\xff\xfb\x90\x64" + bytes(413)


def tag_file(path, title, artist, album, original=None, version=4):
    tag = id3.ID3()
    tag.add(id3.TIT2(encoding=1, text=[title]))
    tag.add(id3.TPE1(encoding=1, text=[artist]))
    tag.add(id3.TALB(encoding=1, text=[album]))
    if original:
        tag.add(id3.TOPE(encoding=1, text=[original]))
    tag.save(path, v1=0, v2_version=version)


def main():
    if sys.argv[1] == "--tag":
        tag_file(*sys.argv[2:6])
        return
    out, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(out, exist_ok=True)
    for i in range(count):
        path = os.path.join(out, f"entry_{i:02d}.mp3")
        with open(path, "wb") as f:
            f.write(FRAME * (3 * i + 2))
        tag_file(path, f"曲 {i:02d}", f"歌手 {i:02d}", f"アルバム {i:02d}",
                 f"原曲 {i:02d}" if i % 2 == 0 else None, 3 + i % 2)


if __name__ == "__main__":
    main()
