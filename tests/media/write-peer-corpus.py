#!/usr/bin/python3
"""Writes MP3 files whose tags come from mutagen, in the forms other taggers leave behind,
and a manifest of what mutagen itself reads from each file.

    write-peer-corpus.py OUT_DIR

The manifest OUT_DIR/read-by-mutagen.txt has one line per field: file, field name, value,
separated by tabs. A value of several frames (comments) joins them with \\r\\r; a frame of
several values joins them with \\0. In values a carriage return is written as \\r and a zero
as \\0. The pseudo-field FromV1 lists, comma-separated, the fields mutagen took from an
ID3v1 tag beside the ID3v2 one.

mutagen writes only ID3v2.3 and 2.4 tags: the ID3v2.2 file is made of mutagen's own v2.2
frame data under a header put together here, and the damaged frames are put in by hand,
as a broken tagger would write them. Everything is read back by mutagen.
"""
import os
import sys

from mutagen import id3

AUDIO = (b"\xff\xfb\x90\x64" + bytes(413)) * 4

# mutagen's frame classes and the record field each fills. The ID3v2.2 classes derive from
# these (TCO from TCON, WXX from WXXX), so mutagen itself says what a v2.2 frame means.
TEXT_FIELDS = [
    (id3.TALB, "Album"), (id3.TPE2, "AlbumArtist"), (id3.TPE1, "Artist"),
    (id3.TCOM, "Composer"), (id3.TPE3, "Conductor"), (id3.TCON, "Genre"),
    (id3.TOAL, "OriginalAlbum"), (id3.TOPE, "OriginalArtist"), (id3.TOLY, "OriginalWriter"),
    (id3.TPUB, "Publisher"), (id3.TDAT, "RecordingDate"), (id3.TORY, "ReleaseYear"),
    (id3.TIT1, "Series"), (id3.TPOS, "SetOf"), (id3.TIT3, "SubTitle"), (id3.TIT2, "Title"),
    (id3.TRCK, "Track"), (id3.TPE4, "Translator"), (id3.TEXT, "Writer"),
]
APPENDED_FIELDS = [(id3.COMM, "Comment"), (id3.USLT, "Lylic"), (id3.TXXX, "UserText")]


def synchsafe(n):
    return bytes([n >> 21 & 0x7F, n >> 14 & 0x7F, n >> 7 & 0x7F, n & 0x7F])


def fields_of(tag):
    """What mutagen read, by record field."""
    fields = {}
    frames = list(tag.values())
    for cls, field in TEXT_FIELDS:
        found = [f for f in frames if isinstance(f, cls)]
        if found:
            fields[field] = "\0".join(str(t) for t in found[-1].text)
    for cls, field in APPENDED_FIELDS:
        texts = [f.text if isinstance(f.text, str) else f.text[0]
                 for f in frames if isinstance(f, cls)]
        texts = [t for t in texts if t]
        if texts:
            fields[field] = "\r\r".join(texts)
    links = [f.url for f in frames if isinstance(f, id3.WXXX) and f.url]
    if links:
        fields["UserLink"] = "\r\r".join(links)
    years = [f for f in frames if isinstance(f, id3.TYER)]
    stamps = [f for f in frames if isinstance(f, id3.TDRC) and f.text[0].year is not None]
    if years:
        fields["Year"] = str(years[-1].text[0])
    elif stamps:
        fields["Year"] = "%04d" % stamps[-1].text[0].year
    return fields


def read_back(path):
    tag = id3.ID3(path, translate=False)
    fields = fields_of(tag)
    fields["Version"] = "%d.%d.%d" % tag.version
    alone = fields_of(id3.ID3(path, translate=False, load_v1=False))
    from_v1 = sorted(f for f in fields if f not in alone and f != "Version")
    if from_v1:
        fields["FromV1"] = ",".join(from_v1)
    return fields


def new_tag(path, *frames):
    """An empty MP3 file and a tag of the given frames for it, not yet saved."""
    with open(path, "wb") as f:
        f.write(AUDIO)
    tag = id3.ID3()
    for frame in frames:
        tag.add(frame)
    return tag


def write_v22(path):
    # Encodings 0 and 1 are the only ones ID3v2.2 knows.
    frames = [
        id3.TT2(encoding=1, text=["二点二 title"]),
        id3.TP1(encoding=0, text=["v2.2 artist"]),
        id3.TAL(encoding=0, text=["v2.2 album"]),
        id3.TCO(encoding=0, text=["(17)Rock"]),
        id3.TYE(encoding=0, text=["1998"]),
        id3.TRK(encoding=0, text=["4/9"]),
        id3.TCM(encoding=0, text=["composer"]),
        id3.TOR(encoding=0, text=["1990"]),
        id3.COM(encoding=1, lang="eng", desc="", text=["v2.2 コメント"]),
        id3.TXX(encoding=0, desc="MOOD", text=["calm"]),
        id3.WXX(encoding=0, desc="home", url="http://example.com/v22"),
    ]
    body = b""
    for frame in frames:
        data = frame._writeData()
        body += frame.FrameID.encode() + len(data).to_bytes(3, "big") + data
    body += bytes(32)  # padding
    with open(path, "wb") as f:
        f.write(b"ID3\x02\x00\x00" + synchsafe(len(body)) + body + AUDIO)


def write_v24_stamp(path, with_year):
    tag = new_tag(path, id3.TIT2(encoding=3, text=["stamped"]),
                  id3.TDRC(encoding=3, text=["2004-05-06T07:08"]),
                  # Several values in one frame, as version 2.4 allows: only the first shows.
                  id3.TPE1(encoding=3, text=["first artist", "second artist"]))
    if with_year:
        tag.add(id3.TYER(encoding=3, text=["1999"]))
    tag.save(path, v1=0, v2_version=4)


def write_v24_short_datalen(path):
    """A v2.4 tag whose first frames set the data-length flag but hold fewer than the four
    bytes of the length, followed by good frames."""
    tag = new_tag(path, id3.TIT2(encoding=3, text=["after the damage"]),
                  id3.TPE1(encoding=3, text=["artist"]), id3.TALB(encoding=3, text=["album"]),
                  id3.TRCK(encoding=3, text=["2"]), id3.TCON(encoding=3, text=["Ambient"]),
                  id3.COMM(encoding=3, lang="eng", desc="", text=["comment"]),
                  id3.TDRC(encoding=3, text=["2011"]))
    tag.save(path, v1=0, v2_version=4, padding=lambda info: 0)
    with open(path, "rb") as f:
        data = f.read()
    assert data[:3] == b"ID3" and data[5] == 0
    size = (data[6] << 21) | (data[7] << 14) | (data[8] << 7) | data[9]
    broken = (b"TPE3" + synchsafe(2) + b"\x00\x01" + b"\x03x"
              + b"TCOM" + synchsafe(3) + b"\x00\x01" + b"\x00\x00\x01"
              + b"TIT2" + synchsafe(1) + b"\x00\x01" + b"\x03")
    body = broken + data[10:10 + size]
    with open(path, "wb") as f:
        f.write(data[:6] + synchsafe(len(body)) + body + data[10 + size:])


def write_v24_and_v1(path):
    tag = new_tag(path, id3.TIT2(encoding=0, text=["v1 and v2"]),
                  id3.TPE1(encoding=0, text=["both artist"]),
                  id3.TALB(encoding=0, text=["only in v1"]),
                  id3.COMM(encoding=0, lang="eng", desc="", text=["v1 note"]))
    tag.save(path, v1=2, v2_version=4)
    with open(path, "rb") as f:
        v1 = f.read()[-128:]
    # An ID3v2 tag without the album and the comment, and the old ID3v1 tag after the audio.
    tag.delall("TALB")
    tag.delall("COMM")
    tag.save(path, v1=0, v2_version=4)
    with open(path, "ab") as f:
        f.write(v1)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    writers = {
        "v22_tco.mp3": write_v22,
        "v24_tdrc.mp3": lambda p: write_v24_stamp(p, False),
        "v24_tdrc_tyer.mp3": lambda p: write_v24_stamp(p, True),
        "v24_short_datalen.mp3": write_v24_short_datalen,
        "v24_and_v1.mp3": write_v24_and_v1,
    }
    with open(os.path.join(out, "read-by-mutagen.txt"), "w", encoding="utf-8") as manifest:
        for name, write in writers.items():
            path = os.path.join(out, name)
            write(path)
            for field, value in read_back(path).items():
                value = value.replace("\r", "\\r").replace("\0", "\\0")
                manifest.write(f"{name}\t{field}\t{value}\n")


if __name__ == "__main__":
    main()
