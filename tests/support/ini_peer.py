#!/usr/bin/python3
"""An independent INI writer and reader for the settings-file tests (Python's configparser).

  ini_peer.py write DIR   writes the sample files listed in SAMPLES into DIR
  ini_peer.py dump FILE ENCODING
                          prints FILE's sections and keys as JSON, read by configparser
"""
import configparser
import json
import sys

# name: (encoding, line end, spaces around "=")
SAMPLES = {
    "utf8_lf.ini": ("utf-8", "\n", True),
    "utf8bom_crlf.ini": ("utf-8-sig", "\r\n", False),
    "sjis_crlf.ini": ("cp932", "\r\n", False),
    "utf8_cr.ini": ("utf-8", "\r", False),
}


def sample():
    config = configparser.ConfigParser(interpolation=None)
    config.optionxform = str  # keep the case of key names
    config["Play"] = {"Volume": "75", "Mute": "1"}
    config["Resume"] = {
        "FileName": "/home/ユーザー/動画/夏休み ①.mp4",
        "ResumeIndex": "3",
        "ResumePosition": "12.5",
    }
    config["Dialog"] = {"OpenFileDir": "/home/ユーザー/動画", "OpenFolderDir": ""}
    config["Other program"] = {"colour": "#ff8800", "quoted": '"a b"'}
    return config


def write(folder):
    for name, (encoding, newline, spaces) in SAMPLES.items():
        with open(f"{folder}/{name}", "w", encoding=encoding, newline=newline) as f:
            sample().write(f, space_around_delimiters=spaces)


def dump(path, encoding):
    config = configparser.ConfigParser(interpolation=None, strict=False)
    config.optionxform = str
    with open(path, encoding=encoding, newline=None) as f:
        config.read_file(f)
    print(json.dumps({s: dict(config[s]) for s in config.sections()}, ensure_ascii=False,
                     sort_keys=True))


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write(sys.argv[2])
    else:
        dump(sys.argv[2], sys.argv[3])
