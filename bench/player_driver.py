"""What the whole-program runs of bench/ share: the saved playlist they start the player
with, finding its main window and closing it as a user does, and the process facts they
sample from /proc."""

import os
import re
import subprocess
import sys
import time


def write_playlist(folder, names):
    """The saved playlist the player restores at start: one full path per line, UTF-8 with
    a byte-order mark and CR LF."""
    with open(os.path.join(folder, "skivra.playlist"), "wb") as f:
        f.write(b"\xef\xbb\xbf" + b"".join(n.encode() + b"\r\n" for n in names))


def main_window(player, seconds=60.0):
    """The id of the player's main window once it is mapped; exits when it never is."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Skivra"],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        if player.poll() is not None:
            sys.exit(f"the player ended at start (exit {player.returncode})")
        time.sleep(0.1)
    sys.exit("the player's main window did not appear")


def close_player(player, window):
    """Closes the main window as a user does (the wallpaper comes back, the settings are
    saved); kills the player when it has not ended 20 s later."""
    if player.poll() is None:
        subprocess.run(["xdotool", "windowactivate", "--sync", window, "key", "--clearmodifiers",
                        "alt+F4"], stderr=subprocess.DEVNULL)
        try:
            player.wait(20)
        except subprocess.TimeoutExpired:
            player.kill()
            player.wait()


def stat_fields(pid):
    """The fields of /proc/PID/stat after the command name (state first)."""
    with open(f"/proc/{pid}/stat") as f:
        return f.read().rsplit(")", 1)[1].split()


def status_kib(pid, key):
    """A memory figure of /proc/PID/status in KiB (VmRSS, VmHWM)."""
    with open(f"/proc/{pid}/status") as f:
        return int(re.search(rf"^{key}:\s+(\d+)", f.read(), re.M).group(1))


def alive(pid):
    """Running, not only a zombie waiting to be reaped."""
    try:
        return stat_fields(pid)[0] != "Z"
    except (OSError, IndexError):
        return False


def children(pid):
    """The processes whose parent is PID (the player's is its sub-player)."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            if int(stat_fields(entry)[1]) == pid:
                found.append(int(entry))
        except (OSError, IndexError, ValueError):
            pass
    return found
