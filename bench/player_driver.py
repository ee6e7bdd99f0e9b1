"""What the whole-program runs of bench/ share: the saved playlist they start the player
with, finding its main window and closing it as a user does, and the process facts they
sample from /proc."""

import os
import re
import subprocess
import sys
import threading
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
    """The processes whose parent is PID (the player's is its sub-player), as its threads
    list them: cheap enough to ask 20 times a second."""
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as f:
                found += [int(c) for c in f.read().split()]
    except OSError:
        pass
    return found


def pss_kib(pid):
    """The proportional set size of a live process in KiB: its resident pages, each shared
    page divided among the processes that map it. 0 once it is gone."""
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            return int(re.search(r"^Pss:\s+(\d+)", f.read(), re.M).group(1))
    except (OSError, AttributeError):
        return 0


class PssPeak:
    """Samples the summed PSS of a process and its children every 50 ms on a thread of its
    own and keeps the highest sum. Unlike RSS, the sum counts the libraries that a player
    and its sub-player share once, not twice."""

    def __init__(self, pid):
        self.pid, self.peak = pid, 0
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        while not self._stop.wait(0.05):
            if not alive(self.pid):
                break
            total = pss_kib(self.pid) + sum(pss_kib(c) for c in children(self.pid))
            self.peak = max(self.peak, total)

    def stop(self):
        self._stop.set()
        self._thread.join()
        return self.peak
