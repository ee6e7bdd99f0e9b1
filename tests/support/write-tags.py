#!/usr/bin/python3
"""Writes tagged MP3 and ASF files with mutagen, an independent tag writer, and a manifest of
what each file must read back as.

    write-tags.py OUT_DIR [--asf]

The manifest OUT_DIR/expected.txt has one line per field: file, field name, value, separated
by tabs; in values a carriage return is written as \\r. Fields not listed must read empty.
"""
import os
import subprocess
import sys

from mutagen import id3
from mutagen.asf import ASF, ASFDWordAttribute, ASFUnicodeAttribute

# One valid MPEG-1 Layer III frame header followed by silence, repeated: enough for a file
# to look like an MP3 to every reader.
AUDIO = (b"\xff\xfb\x90\x64" + bytes(413)) * 4

# The text frames and the record field each fills.
TEXT_FRAMES = {
    "TALB": "Album", "TPE2": "AlbumArtist", "TPE1": "Artist", "TCOM": "Composer",
    "TPE3": "Conductor", "TCON": "Genre", "TOAL": "OriginalAlbum", "TOPE": "OriginalArtist",
    "TOLY": "OriginalWriter", "TPUB": "Publisher", "TDAT": "RecordingDate",
    "TORY": "ReleaseYear", "TIT1": "Series", "TPOS": "SetOf", "TIT3": "SubTitle",
    "TIT2": "Title", "TRCK": "Track", "TPE4": "Translator", "TEXT": "Writer", "TYER": "Year",
}


def text_of(frame_id, unicode_ok):
    if frame_id in ("TRCK", "TPOS"):
        return "3/12"
    if frame_id == "TCON":
        return "(17)"
    if frame_id in ("TYER", "TORY"):
        return "1997"
    if frame_id == "TDAT":
        return "2412"
    return f"{frame_id} 値 ü" if unicode_ok else f"{frame_id} value"


def write_id3(out, name, version, encoding, manifest, extra_v1=False):
    path = os.path.join(out, name)
    with open(path, "wb") as f:
        f.write(AUDIO)
    tag = id3.ID3()
    expected = {}
    unicode_ok = encoding != 0
    for frame_id, field in TEXT_FRAMES.items():
        text = text_of(frame_id, unicode_ok)
        tag.add(getattr(id3, frame_id)(encoding=encoding, text=[text]))
        expected[field] = text
    lang = "jpn"
    first = "コメント一" if unicode_ok else "comment one"
    second = "second comment"
    tag.add(id3.COMM(encoding=encoding, lang=lang, desc="descriptor", text=[first]))
    tag.add(id3.COMM(encoding=encoding, lang="eng", desc="", text=[second]))
    lyrics = "歌詞の一行目" if unicode_ok else "la la la"
    tag.add(id3.USLT(encoding=encoding, lang=lang, desc="verse", text=lyrics))
    expected["Lylic"] = lyrics
    tag.add(id3.TXXX(encoding=encoding, desc="MOOD", text=["calm"]))
    tag.add(id3.TXXX(encoding=encoding, desc="TEMPO", text=["slow"]))
    tag.add(id3.WXXX(encoding=encoding, desc="home", url="http://example.com/a"))
    expected["UserLink"] = "http://example.com/a"
    # mutagen would turn the 2.3 date frames into TDRC when it upgrades a tag; saving keeps
    # the frames as they were added.
    tag.save(path, v1=2 if extra_v1 else 0, v2_version=version)
    # Appended values follow the order of the frames in the file, which is the writer's.
    written = id3.ID3(path, translate=False)
    expected["Comment"] = "\r\r".join(f.text[0] for f in written.getall("COMM"))
    expected["UserText"] = "\r\r".join(f.text[0] for f in written.getall("TXXX"))
    expected["Version"] = f"2.{version}.0"
    manifest.append((name, expected))


def write_id3v1(out, name, track, manifest):
    path = os.path.join(out, name)
    with open(path, "wb") as f:
        f.write(AUDIO)
    tag = id3.ID3()
    tag.add(id3.TIT2(encoding=0, text=["v1 title"]))
    tag.add(id3.TPE1(encoding=0, text=["v1 artist"]))
    tag.add(id3.TALB(encoding=0, text=["v1 album"]))
    tag.add(id3.TDRC(encoding=0, text=["2001"]))
    tag.add(id3.TCON(encoding=0, text=["Rock"]))
    expected = {"Title": "v1 title", "Artist": "v1 artist", "Album": "v1 album",
                "Year": "2001", "Genre": "17", "Version": "1.0"}
    if track:
        tag.add(id3.TRCK(encoding=0, text=[str(track)]))
        expected["Track"] = str(track)
        expected["Version"] = "1.1"
    tag.save(path, v1=2, v2_version=3)
    id3.delete(path, delete_v1=False, delete_v2=True)
    manifest.append((name, expected))


ASF_ATTRIBUTES = {
    "WM/AlbumTitle": "Album", "WM/AlbumArtist": "AlbumArtist", "WM/Composer": "Composer",
    "WM/Conductor": "Conductor", "WM/Director": "Director", "WM/Genre": "Genre",
    "WM/OriginalAlbumTitle": "OriginalAlbum", "WM/OriginalArtist": "OriginalArtist",
    "WM/OriginalLyricist": "OriginalWriter", "WM/Producer": "Producer",
    "WM/Publisher": "Publisher", "WM/OriginalReleaseTime": "RecordingDate",
    "WM/OriginalReleaseYear": "ReleaseYear", "WM/Lyrics": "Lylic", "WM/PartOfSet": "SetOf",
    "WM/ContentGroupDescription": "Series", "WM/SubTitle": "SubTitle",
    "WM/ModifiedBy": "Translator", "WM/Writer": "Writer", "WM/Year": "Year",
}


def make_asf(path, video):
    source = ("videotestsrc num-buffers=5 ! video/x-raw,width=64,height=48 ! avenc_wmv2"
              if video else "audiotestsrc num-buffers=10 ! avenc_wmav2")
    subprocess.run(["gst-launch-1.0", "-q"] + source.split() +
                   ["!", "asfmux", "!", "filesink", f"location={path}"],
                   check=True, stdout=subprocess.DEVNULL)


def write_asf(out, name, video, track, manifest):
    path = os.path.join(out, name)
    make_asf(path, video)
    tag = ASF(path)
    expected = {}
    tag["Title"] = "ASF タイトル"
    expected["Title"] = "ASF タイトル"
    tag["Author"] = "ASF author"
    expected["Artist"] = "ASF author"
    tag["Description"] = "ASF description"
    expected["Comment"] = "ASF description"
    tag["Copyright"] = "not read"
    for attribute, field in ASF_ATTRIBUTES.items():
        value = f"{attribute[3:]} 値"
        tag[attribute] = [ASFUnicodeAttribute(value)]
        expected[field] = value
    tag["WM/TrackNumber"] = [track]
    expected["Track"] = str(track.value)
    # A name the reader does not know, and one that differs only in case.
    tag["WM/Mood"] = "calm"
    tag["wm/year"] = "1900"
    tag.save()
    manifest.append((name, expected))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    manifest = []
    write_id3(out, "v24_utf8.mp3", 4, 3, manifest)
    write_id3(out, "v24_utf16be.mp3", 4, 2, manifest)
    write_id3(out, "v24_utf16.mp3", 4, 1, manifest)
    write_id3(out, "v23_utf16.mp3", 3, 1, manifest)
    write_id3(out, "v23_latin1.mp3", 3, 0, manifest)
    write_id3(out, "v23_and_v1.mp3", 3, 1, manifest, extra_v1=True)
    write_id3v1(out, "v1.mp3", 0, manifest)
    write_id3v1(out, "v11.mp3", 7, manifest)
    if "--asf" in sys.argv:
        write_asf(out, "tags.wma", False, ASFDWordAttribute(7), manifest)
        write_asf(out, "TAGS.WMV", True, ASFUnicodeAttribute("07"), manifest)
    with open(os.path.join(out, "expected.txt"), "w", encoding="utf-8") as f:
        for name, fields in manifest:
            for field, value in fields.items():
                f.write(f"{name}\t{field}\t{value.replace(chr(13), chr(92) + 'r')}\n")


if __name__ == "__main__":
    main()
