#!/usr/bin/env python3
"""End-to-end tests of the Lumora desktop program.

Starts the real program under Xvfb with a window manager (openbox), a
notification area (trayer) and a private session D-Bus (dbus-daemon), each run
with a temporary HOME so that no real settings are touched, and drives it with
real pointer and keyboard events (xdotool). What the window shows is read from
the JSON snapshot that Lumora writes when LUMORA_STATE_FILE names a file; the
snapshot's rectangles aim the clicks. The alerts' scenarios start the program
at a chosen instant with libfaketime, and a stand-in notification service of
ours (--notifications) records what it is asked to show. Python standard
library only.

Usage: run_e2e.py --lumora PATH --cli PATH [--notifications PATH] [--artifacts DIR] [-k NAME] [--keep]
                  [--installed]
Prints one line per scenario, then "N passed, M failed"; exits 1 on any
failure, 77 when a desktop tool is missing.
"""

import argparse
import calendar
import datetime
import configparser
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
import zoneinfo

TOOLS = ["Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "xprop", "import", "dbus-daemon", "dbus-send",
         "desktop-file-validate"]
# The multi-threaded libfaketime, preloaded into the program itself (the
# faketime command would put a process of its own between the suite and it).
FAKETIME_LIBS = ["/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1",
                 "/usr/lib/aarch64-linux-gnu/faketime/libfaketimeMT.so.1",
                 "/usr/lib/faketime/libfaketimeMT.so.1"]
LOCALE = "fr_FR.UTF-8"
ZONE = "Europe/Paris"
# Twips per pixel at the 96 dpi of the Xvfb screen.
TWIPS = 15.0

# The layout's panorama width, in twips: the azimuth bars' units.
PIC_WIDTH = 10065

TIP_IN = "Le Soleil est dans la fenêtre"
TIP_OUT = "Il n'y a pas de Soleil dans la fenêtre"
DEFAULT_SITE_MAP = ("https://maps.google.com/maps?ll=49.0000000,2.3333333"
                    "&spn=0.099583,0.219830&t=h&hl=fr")


class Failure(Exception):
    """A scenario's expectation that did not hold."""


class Ended(Failure):
    """The program is gone: waiting longer cannot help."""


def check(condition, message):
    if not condition:
        raise Failure(message)


# --------------------------------------------------------------------------
# The desktop: Xvfb, openbox and trayer, shared by every scenario.

class Desktop:
    def __init__(self, workdir):
        self.workdir = workdir
        self.procs = []
        self.display = None
        self.env = None

    def start(self):
        home = os.path.join(self.workdir, "desktop-home")
        os.makedirs(home, exist_ok=True)
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        number = b""
        deadline = time.time() + 15
        while not number.endswith(b"\n") and time.time() < deadline:
            ready, _, _ = select.select([read_fd], [], [], max(0.0, deadline - time.time()))
            chunk = os.read(read_fd, 16) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            raise RuntimeError("Xvfb did not report a display number")
        self.display = ":" + number.decode().strip()

        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "DBUS_", "XDG_", "WAYLAND")) and k not in (
                   "SESSION_MANAGER", "BROWSER", "DEFAULT_BROWSER", "DESKTOP_SESSION")}
        env.update(DISPLAY=self.display, HOME=home, TZ=ZONE, LANG=LOCALE, LC_ALL=LOCALE)
        # A session bus of the suite's own: nothing reaches the machine's
        # services, and no program starts a bus of its own.
        bus = subprocess.Popen(["dbus-daemon", "--session", "--print-address", "--nofork"], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.procs.append(bus)
        ready, _, _ = select.select([bus.stdout], [], [], 10)
        address = bus.stdout.readline().strip() if ready else ""
        if not address:
            raise RuntimeError("dbus-daemon did not report its address")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.env = env
        self.procs.append(subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: "Openbox" in self.run("xwininfo", "-root", "-tree"), 10, "openbox to start")
        self.procs.append(subprocess.Popen(
            ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
             "--SetDockType", "true", "--transparent", "false", "--expand", "true"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: '"panel"' in self.run("xwininfo", "-root", "-tree"), 10, "trayer's panel")

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()

    def run(self, *args, check_rc=True):
        done = subprocess.run(list(args), env=self.env, capture_output=True, text=True, timeout=30)
        if check_rc and done.returncode != 0:
            raise Failure("%s failed (%d): %s" % (" ".join(args), done.returncode, done.stderr.strip()))
        return done.stdout

    # Real input, as a user gives it.
    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", "--sync", str(int(x)), str(int(y)))
        self.run("xdotool", "click", str(button))

    def click_rect(self, rect):
        x, y, w, h = rect
        self.click(x + w / 2, y + h / 2)

    def drag(self, start, end, steps=6):
        self.run("xdotool", "mousemove", "--sync", str(int(start[0])), str(int(start[1])))
        self.run("xdotool", "mousedown", "1")
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i / steps
            y = start[1] + (end[1] - start[1]) * i / steps
            self.run("xdotool", "mousemove", str(int(x)), str(int(y)))
            time.sleep(0.02)
        self.run("xdotool", "mouseup", "1")

    def key(self, *keys):
        self.run("xdotool", "key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.run("xdotool", "type", "--delay", "60", text)

    def screenshot(self, path, crop=None):
        args = ["import", "-window", "root"]
        if crop:
            x, y, w, h = crop
            args += ["-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage"]
        self.run(*args, path)

    # Windows as the X server knows them.
    def window_ids(self, name=None, cls=None):
        args = ["xdotool", "search", "--onlyvisible"]
        args += ["--name", name] if name else ["--class", cls]
        out = self.run(*args, check_rc=False)
        return [int(w) for w in out.split()]

    def geometry(self, window):
        out = self.run("xwininfo", "-id", str(window))
        values = {}
        for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
            m = re.search(re.escape(key) + r":\s+(-?\d+)", out)
            values[key] = int(m.group(1))
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"], values["Width"],
                values["Height"])

    def viewable(self, window):
        out = self.run("xwininfo", "-id", str(window), check_rc=False)
        return "IsViewable" in out

    def tray_icon(self):
        """Geometry of the Lumora icon embedded in trayer's panel, or None."""
        panel_indent = None
        for line in self.run("xwininfo", "-root", "-tree").splitlines():
            indent = len(line) - len(line.lstrip())
            if '"panel"' in line and "trayer" in line:
                panel_indent = indent
                continue
            if panel_indent is None:
                continue
            if indent <= panel_indent and line.strip():
                panel_indent = None
                continue
            m = re.search(r'"Lumora".*\s(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)', line)
            if m:
                w, h, x, y = (int(g) for g in m.groups())
                if w > 1 and h > 1:
                    return (x, y, w, h)
        return None


def wait_for(predicate, timeout, what, interval=0.1):
    deadline = time.time() + timeout
    last_error = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except Ended:
            raise
        except (OSError, ValueError, KeyError, Failure) as error:
            last_error = error
        if time.time() >= deadline:
            detail = " (last error: %s)" % last_error if last_error else ""
            raise Failure("timed out after %gs waiting for %s%s" % (timeout, what, detail))
        time.sleep(interval)


# --------------------------------------------------------------------------
# One run of the program, in its own folder with its own HOME.

class Lumora:
    def __init__(self, suite, name, settings=None, environment=None):
        self.suite = suite
        self.desktop = suite.desktop
        self.folder = os.path.join(suite.workdir, name)
        os.makedirs(self.folder)
        self.home = os.path.join(self.folder, "home")
        self.bindir = os.path.join(self.folder, "bin")
        self.stubdir = os.path.join(self.folder, "stubs")
        for d in (self.home, self.bindir, self.stubdir):
            os.makedirs(d)
        # A session folder of its own: the single-copy lock and socket live
        # there, so that no other scenario's program is ever taken for this one's.
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.runtime = runtime
        # The survey file goes beside the program: run a copy of it here
        # (an installed program runs from where it was installed).
        self.exe = os.path.join(self.bindir, "Lumora")
        if suite.installed:
            self.exe = suite.lumora
        else:
            shutil.copy2(suite.lumora, self.exe)
        self.state_file = os.path.join(self.folder, "state.json")
        self.opened_file = os.path.join(self.folder, "opened-urls.txt")
        # A stand-in browser that only records the address it is given.
        stub = os.path.join(self.stubdir, "xdg-open")
        with open(stub, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' % self.opened_file)
        os.chmod(stub, 0o755)
        self.config = os.path.join(self.home, ".config", "Lumora", "Lumora.conf")
        if settings:
            self.write_settings(settings)
        env = dict(self.desktop.env)
        env.update(HOME=self.home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                   LUMORA_STATE_FILE=self.state_file,
                   PATH=self.stubdir + os.pathsep + env.get("PATH", "/usr/bin:/bin"))
        env.update(environment or {})
        self.env = env
        self.proc = None
        self.log = os.path.join(self.folder, "lumora.log")

    def write_settings(self, values, groups=None):
        """values: the keys of [DATA]; groups: other groups, {name: {key: value}}."""
        os.makedirs(os.path.dirname(self.config), exist_ok=True)
        with open(self.config, "w") as f:
            for group, keys in [("DATA", values)] + sorted((groups or {}).items()):
                f.write("[%s]\n" % group)
                for key, value in keys.items():
                    f.write("%s=%s\n" % (key, value))

    def read_settings(self, group="DATA"):
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        check(os.path.exists(self.config), "no settings file at %s" % self.config)
        parser.read(self.config, encoding="utf-8")
        check(parser.has_section(group), "settings file has no [%s] group:\n%s" % (group, open(self.config).read()))
        return dict(parser.items(group))

    def start(self, args=(), at=None, shown=True):
        """Starts the program with those arguments; at: the local date and time
        ("2026-06-21 12:52:45") its clock starts from; shown: the main window
        is expected on the screen (otherwise the icon in the tray)."""
        if os.path.exists(self.state_file):
            os.remove(self.state_file)
        env = self.env
        if at:
            env = dict(env, LD_PRELOAD=self.suite.faketime, FAKETIME="@" + at, FAKETIME_DONT_FAKE_MONOTONIC="1")
        self.launched = time.time()
        with open(self.log, "ab") as log:
            self.proc = subprocess.Popen([self.exe] + list(args), cwd=self.folder, env=env, stdout=log,
                                         stderr=subprocess.STDOUT)
        if not shown:
            self.wait(lambda s: s["tag"] == "OK" and s["trayShown"], 15, "the icon in the notification area")
            self.main_window = None
            return self
        self.wait(lambda s: s["windowVisible"] and s["tag"] == "OK" and s["controls"]["Label5"]["text"],
                  15, "the main window to show the clock")
        self.main_window = wait_for(lambda: self.desktop.window_ids(name="^Lumora$"), 10,
                                    "the main window to be mapped")[0]
        return self

    def start_again(self, timeout=10):
        """Starts the program once more beside the running one, in the same
        session; returns its exit code and how long it ran, in seconds."""
        t0 = time.time()
        with open(self.log, "ab") as log:
            other = subprocess.Popen([self.exe], cwd=self.folder, env=self.env, stdout=log, stderr=subprocess.STDOUT)
        try:
            code = other.wait(timeout)
        except subprocess.TimeoutExpired:
            other.kill()
            other.wait()
            raise Failure("the second start did not end within %gs" % timeout)
        return code, time.time() - t0

    def running_copies(self):
        """Process ids of every running copy of this program (its own executable)."""
        pids = []
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    if os.readlink("/proc/%s/exe" % entry) == os.path.realpath(self.exe):
                        pids.append(int(entry))
                except OSError:
                    pass
        return pids

    def alive(self):
        return self.proc is not None and self.proc.poll() is None

    def state(self):
        if not self.alive():
            raise Ended("Lumora is no longer running (exit code %s)"
                        % (self.proc.returncode if self.proc else None))
        with open(self.state_file, encoding="utf-8") as f:
            return json.load(f)

    def control(self, name, state=None):
        return (state or self.state())["controls"][name]

    def wait(self, predicate, timeout, what):
        """Waits for a snapshot that satisfies predicate; returns it."""
        def probe():
            s = self.state()
            return s if predicate(s) else None
        return wait_for(probe, timeout, what)

    def wait_newer(self, timeout=3):
        """Waits until a snapshot written after now is there, and returns it."""
        since = time.time()
        wait_for(lambda: os.path.getmtime(self.state_file) > since + 0.01, timeout, "a fresh snapshot")
        return self.state()

    def click(self, name):
        rect = self.control(name)["rect"]
        self.desktop.click_rect(rect)

    def click_choice(self, name):
        """Clicks a check box or an option button on its indicator: beside a
        short caption the middle of the control is empty space, not the button."""
        x, y, w, h = self.control(name)["rect"]
        self.desktop.click(x + min(8, w / 2), y + h / 2)

    def wait_exit(self, timeout=10):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("Lumora did not end within %gs" % timeout)

    def stop(self):
        if self.alive():
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


# --------------------------------------------------------------------------
# Expected texts, from the program's definitions (not from its output).

def local_offset_seconds(at=None):
    """Paris' offset from UT at the instant, in seconds."""
    os.environ["TZ"] = ZONE
    time.tzset()
    return time.localtime(at if at is not None else time.time()).tm_gmtoff


def hhmmss(seconds):
    seconds = int(round(seconds)) % 86400
    return "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)


def seconds_of(text):
    m = re.fullmatch(r"(\d\d):(\d\d):(\d\d)(?: \(TU\))?", text)
    check(m, "not a HH:MM:SS time: %r" % text)
    h, mi, s = (int(g) for g in m.groups())
    return h * 3600 + mi * 60 + s


def azimuth_caption(x):
    """The frame's azimuth label: X * 360 / Pic.Width as a whole number of at least two digits, and "°"."""
    value = x * 360.0 / PIC_WIDTH
    return "%02d°" % round(value), ("%05.2f°" % value).replace(".", ",")


def scrollbar_ends(rect):
    """Points inside the two arrow buttons of a scroll bar: (decrease, increase)."""
    x, y, w, h = rect
    if w >= h:  # horizontal: arrows at the left and right ends
        return (x + h / 2, y + h / 2), (x + w - h / 2 - 1, y + h / 2)
    return (x + w / 2, y + w / 2), (x + w / 2, y + h - w / 2 - 1)


def thumb_centre(rect, value, maximum, page):
    """Where the thumb of a scroll bar stands, for the Fusion style's geometry
    (14-pixel arrow buttons, a thumb of at least 26 pixels)."""
    x, y, w, h = rect
    horizontal = w >= h
    length = w if horizontal else h
    extent = 14
    groove = length - 2 * extent
    thumb = max(26, page * groove // (maximum + page))
    offset = extent + (groove - thumb) * value / maximum + thumb / 2
    return (x + offset, y + h / 2) if horizontal else (x + w / 2, y + offset)


def cli(suite, *args):
    env = dict(os.environ, TZ=ZONE, LANG=LOCALE, LC_ALL=LOCALE)
    env.pop("QT_QPA_PLATFORM", None)
    done = subprocess.run([suite.cli] + list(args), env=env, capture_output=True, timeout=120)
    check(done.returncode == 0, "lumora-cli %s failed: %s" % (" ".join(args), done.stderr.decode(errors="replace")))
    return done.stdout


def date_args(state):
    c = state["controls"]
    return "%s/%s/%s" % (c["Combo1(0)"]["text"], c["Combo1(1)"]["text"], c["Combo1(2)"]["text"])


# --------------------------------------------------------------------------
# Scenarios.

def scenario_real_time(suite):
    """Real time: the UT read-out follows the clock, second by second."""
    app = suite.launch("real-time")
    first = app.control("Label5")["text"]
    check(first.endswith(" (TU)"), "Label5 %r should end with ' (TU)'" % first)
    s = app.wait(lambda s: s["controls"]["Label5"]["text"] != first, 3, "Label5 to change after one second")
    second = s["controls"]["Label5"]["text"]
    step = (seconds_of(second) - seconds_of(first)) % 86400
    check(step in (1, 2), "Label5 went from %r to %r, expected the next second" % (first, second))
    now_ut = time.time() % 86400
    drift = min(abs(seconds_of(second) - now_ut), 86400 - abs(seconds_of(second) - now_ut))
    check(drift <= 2.5, "Label5 %r is %.1fs away from the UT clock" % (second, drift))
    local = seconds_of(s["controls"]["Label6"]["text"])
    expected_local = (seconds_of(second) + local_offset_seconds()) % 86400
    check(local == expected_local, "Label6 %r should be UT %r plus the Paris offset"
          % (s["controls"]["Label6"]["text"], second))
    check(s["realTime"] and not s["searching"], "should be in real-time mode")
    app.stop()
    return "%s then %s" % (first, second)


def scenario_time_bar(suite):
    """Clicking the time bar's arrow leaves real time and shows the chosen minute."""
    app = suite.launch("time-bar")
    bar = app.control("VSHeure")
    up, down = scrollbar_ends(bar["rect"])
    before = bar["value"]
    # The clock may move the bar on by a minute between the reading and the click.
    allowed, point = ((before + 1, before + 2), down) if before < 1439 else ((before - 1, before), up)
    suite.desktop.click(*point)
    s = app.wait(lambda s: not s["realTime"], 3, "real-time mode to end")
    s = app.wait_newer()
    c = s["controls"]
    target = c["VSHeure"]["value"]
    check(target in allowed, "VSHeure is %d, expected one of %r after one arrow click from %d"
          % (target, allowed, before))
    check(c["Command1"]["text"] == "Rechercher" and not c["Command8"]["visible"],
          "manual mode shows Command1 %r, Command8 visible=%s" % (c["Command1"]["text"], c["Command8"]["visible"]))
    check(c["Label5"]["text"] == hhmmss(target * 60) + " (TU)",
          "Label5 %r, expected %r" % (c["Label5"]["text"], hhmmss(target * 60) + " (TU)"))
    expected_local = hhmmss(target * 60 + local_offset_seconds())
    check(c["Label6"]["text"] == expected_local, "Label6 %r, expected the local time %r"
          % (c["Label6"]["text"], expected_local))
    # A second later the clock has not taken over again.
    time.sleep(1.2)
    s = app.state()
    check(not s["realTime"] and s["controls"]["Label5"]["text"] == c["Label5"]["text"],
          "the manual time did not stay: %r" % s["controls"]["Label5"]["text"])
    app.stop()
    return "bar %d -> %d: %s / %s" % (before, target, c["Label5"]["text"], c["Label6"]["text"])


def scenario_frame_bars(suite):
    """The left frame bar's arrow and thumb move the frame and its azimuth label."""
    app = suite.launch("frame-bars")
    s = app.state()
    left_bar = s["controls"]["HS1"]
    check(left_bar["value"] == 1000, "HS1 starts at %d, expected the default 1000" % left_bar["value"])
    caption, tip = azimuth_caption(1000)
    label = s["controls"]["LabLig(0)"]
    check((label["text"], label.get("toolTip")) == (caption, tip),
          "LabLig(0) reads %r / %r, expected %r / %r" % (label["text"], label.get("toolTip"), caption, tip))
    _, right = scrollbar_ends(left_bar["rect"])
    suite.desktop.click(*right)
    s = app.wait(lambda s: s["controls"]["HS1"]["value"] > 1000, 3, "HS1 to grow after its right arrow")
    s = app.wait_newer()
    value = s["controls"]["HS1"]["value"]
    # One arrow step is half a degree: the nearest integer to 10065 / 720.
    check(value == 1014, "HS1 is %d after one click on its right arrow, expected 1014" % value)
    caption, tip = azimuth_caption(value)
    label = s["controls"]["LabLig(0)"]
    check((label["text"], label.get("toolTip")) == (caption, tip),
          "after the arrow HS1=%d, LabLig(0) reads %r / %r, expected %r / %r"
          % (value, label["text"], label.get("toolTip"), caption, tip))

    # Drag the thumb 120 pixels to the right: about 60° further east.
    start = thumb_centre(left_bar["rect"], value, PIC_WIDTH, 140)
    suite.desktop.drag(start, (start[0] + 120, start[1]))
    s = app.wait(lambda s: s["controls"]["HS1"]["value"] > value + 2000, 3,
                 "HS1 to follow a drag of its thumb")
    s = app.wait_newer()
    dragged = s["controls"]["HS1"]["value"]
    caption, tip = azimuth_caption(dragged)
    label = s["controls"]["LabLig(0)"]
    check((label["text"], label.get("toolTip")) == (caption, tip),
          "after the drag HS1=%d, LabLig(0) reads %r / %r, expected %r / %r"
          % (dragged, label["text"], label.get("toolTip"), caption, tip))
    # The label stands under the left edge of the frame: it moved right with it.
    check(label["rect"][0] > s["controls"]["Pic"]["rect"][0] + dragged / TWIPS - 40,
          "LabLig(0) at x=%d did not follow the frame's left edge" % label["rect"][0])
    app.stop()
    return "HS1 1000 -> %d -> %d, LabLig(0) %s" % (value, dragged, caption)


SEARCH_FRAME = {"HS1": 2516, "HS2": 7549, "VS1": 2168, "VS2": 4300}  # 90°–270°, 0.7°–45°


def scenario_search(suite):
    """A search for the next entry from midnight UT gives the moment lumora-cli computes."""
    app = suite.launch("search", settings=SEARCH_FRAME)
    s = app.state()
    c = s["controls"]
    frame = [c[k]["value"] for k in ("HS1", "HS2", "VS1", "VS2")]
    check(frame == [SEARCH_FRAME[k] for k in ("HS1", "HS2", "VS1", "VS2")],
          "the seeded frame was not restored: %r" % frame)
    bar = c["VSHeure"]
    # Drag the time bar's thumb up past its top: midnight UT.
    start = thumb_centre(bar["rect"], bar["value"], 1440, 10)
    top = bar["rect"][1] - 30
    suite.desktop.drag(start, (start[0], top), steps=3)
    s = app.wait(lambda s: not s["realTime"], 3, "the time bar to leave real time")
    s = app.wait_newer()
    minute = s["controls"]["VSHeure"]["value"]
    check(minute == 0, "the time bar dragged to its top reads %d, expected 0" % minute)
    # One click on its down arrow: 00:01 UT.
    _, down = scrollbar_ends(s["controls"]["VSHeure"]["rect"])
    suite.desktop.click(*down)
    s = app.wait(lambda s: s["controls"]["VSHeure"]["value"] == 1, 3, "the time bar to read 1 minute")
    check(s["controls"]["Label5"]["text"] == "00:01:00 (TU)", "Label5 %r" % s["controls"]["Label5"]["text"])
    check(not s["sunInWindow"], "the Sun should be outside the frame at 00:01 UT")
    date = date_args(s)

    app.click("Command1")
    s = app.wait(lambda s: s["controls"]["Command1"]["text"] == "Temps réel", 3, "the search to start")
    s = app.wait(lambda s: not s["searching"] and s["controls"]["Command8"]["visible"], 60,
                 "the search to end")
    expected = cli(suite, "search", "--date", date, "--ut", repr(1 / 60),
                   "--frame", ",".join(str(v) for v in frame)).decode().strip()
    shown = s["controls"]["Label5"]["text"]
    check(shown == expected + " (TU)", "Label5 %r, lumora-cli says %r" % (shown, expected))
    check(s["controls"]["Command8"]["text"] == "Prochaine Sortie",
          "Command8 reads %r, expected 'Prochaine Sortie'" % s["controls"]["Command8"]["text"])
    check(s["sunInWindow"], "after an entry the Sun should be in the frame")
    # The local result: the UT instant plus Paris' offset.
    m = re.fullmatch(r"(\d\d/\d\d/\d{4}) (\d\d:\d\d:\d\d)", expected)
    day, month, year = (int(v) for v in m.group(1).split("/"))
    ut_epoch = calendar_epoch(year, month, day) + seconds_of(m.group(2))
    local_epoch = ut_epoch + local_offset_seconds()
    expected_local = time.strftime("%d/%m/%Y %H:%M:%S", time.gmtime(local_epoch))
    check(s["controls"]["Label6"]["text"] == expected_local,
          "Label6 %r, expected the local time %r" % (s["controls"]["Label6"]["text"], expected_local))

    # "Prochaine Sortie" goes on from the entry to the next exit.
    entry_text = shown
    app.click("Command8")
    s = app.wait(lambda s: not s["searching"] and s["controls"]["Label5"]["text"] not in ("", entry_text)
                 and s["controls"]["Label5"]["text"].endswith(" (TU)"), 60, "the search for the exit to end")
    exit_text = s["controls"]["Label5"]["text"]
    check(instant_of(exit_text) - instant_of(entry_text) >= 12 * 60,
          "the exit %r should come at least 12 minutes after the entry %r" % (exit_text, entry_text))
    check(instant_of(exit_text) - instant_of(entry_text) < 86400,
          "the exit %r should come the same day as the entry %r" % (exit_text, entry_text))
    check(not s["sunInWindow"], "after an exit the Sun should be outside the frame")
    check(s["controls"]["Command8"]["text"] == "Prochaine Entrée",
          "Command8 reads %r, expected 'Prochaine Entrée'" % s["controls"]["Command8"]["text"])
    # "Temps réel" returns to the clock.
    app.click("Command1")
    s = app.wait(lambda s: s["realTime"], 3, "real time after 'Temps réel'")
    s = app.wait_newer()
    c = s["controls"]
    check(c["Command1"]["text"] == "Rechercher" and not c["Command8"]["visible"],
          "after 'Temps réel' Command1 reads %r and Command8 visible=%s"
          % (c["Command1"]["text"], c["Command8"]["visible"]))
    app.stop()
    return "from %s 00:01 UT: entry %s, exit %s" % (date, entry_text, exit_text)


def instant_of(text):
    """Seconds since 1970 of a result text "DD/MM/YYYY HH:MM:SS (TU)"."""
    m = re.fullmatch(r"(\d\d)/(\d\d)/(\d{4}) (\d\d:\d\d:\d\d)(?: \(TU\))?", text)
    check(m, "not a date and time: %r" % text)
    return calendar_epoch(int(m.group(3)), int(m.group(2)), int(m.group(1))) + seconds_of(m.group(4))


def calendar_epoch(year, month, day):
    return calendar.timegm((year, month, day, 0, 0, 0, 0, 0, 0))


NO_SUN_FRAME = {"HS1": 0, "HS2": 300, "VS1": 0, "VS2": 300}  # 0°–11° azimuth, 84°–90° high


def set_combo(suite, app, name, text):
    app.click(name)
    suite.desktop.key("ctrl+a")
    suite.desktop.type_text(text)
    app.wait(lambda s: s["controls"][name]["text"] == text, 3, "%s to read %r" % (name, text))


def scenario_survey(suite):
    """A one-year survey at the 1-hour step writes the file lumora-cli writes."""
    app = suite.launch("survey", settings=NO_SUN_FRAME)
    app.click_choice("Check3")
    app.click_choice("Option5(2)")
    # Year first: a day reset by an impossible intermediate date is typed over last.
    set_combo(suite, app, "Combo1(2)", "2025")
    set_combo(suite, app, "Combo1(1)", "6")
    set_combo(suite, app, "Combo1(0)", "21")
    s = app.wait_newer()
    c = s["controls"]
    check(c["Check3"]["checked"] and c["Option5(2)"]["checked"], "Check3 and '1 heure' should be checked")
    check(date_args(s) == "21/6/2025", "the date boxes read %s" % date_args(s))
    check(not s["sunInWindow"], "the Sun should be outside the frame when the survey starts")
    app.click("Command1")
    s = app.wait(lambda s: s["surveyPath"], 5, "the survey to start")
    s = app.wait(lambda s: not s["searching"], 90, "the survey to end")
    path = s["surveyPath"]
    check(os.path.realpath(path) == os.path.realpath(os.path.join(app.bindir, "Export.csv")),
          "the survey file is %r, expected Export.csv beside the program" % path)
    with open(path, "rb") as f:
        written = f.read()
    expected_file = os.path.join(app.folder, "expected.csv")
    cli(suite, "survey", "--date", "21/6/2025", "--step", "60", "--out", expected_file)
    with open(expected_file, "rb") as f:
        expected = f.read()
    shutil.copy(path, os.path.join(suite.artifacts, "Export-window.csv"))
    if written != expected:
        a, b = written.split(b"\r\n"), expected.split(b"\r\n")
        first = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
        raise Failure("Export.csv differs from lumora-cli at line %d: window %r, cli %r (%d vs %d lines)"
                      % (first + 1, a[first] if first < len(a) else None, b[first] if first < len(b) else None,
                         len(a), len(b)))
    check(written.startswith(b"\r\n21/06/2025 "), "the file should start with an empty line then 21/06/2025")
    # The start day and the 366 days after it.
    lines = written.split(b"\r\n")
    check(lines[-2].startswith(b"22/06/2026 "), "the survey should end on 22/06/2026: last line %r" % lines[-2])
    app.stop()
    return "%d lines, identical to lumora-cli" % (len(lines) - 1)


DAY_FRAME = {"HS1": 4000, "HS2": 6000, "VS1": 1000, "VS2": 3000}  # south, 143°–215°, 28°–69°


def day_readout(suite, date, frame):
    """The read-out lumora-cli day's stretches make: each stretch's first and
    last UT second in Paris time (" J+1" on the next local day), and the total
    in whole units."""
    out = cli(suite, "day", "--date", date, "--frame", ",".join(str(v) for v in frame)).decode()
    day, month, year = (int(v) for v in date.split("/"))
    midnight = calendar_epoch(year, month, day)
    local_offset_seconds()  # the zone in force for localtime()

    def local(hms):
        t = time.localtime(midnight + seconds_of(hms))
        shift = (t.tm_year, t.tm_mon, t.tm_mday) > (year, month, day)
        return time.strftime("%H:%M:%S", t) + (" J+1" if shift else "")

    stretches, total = [], 0
    for line in out.splitlines():
        first, last = line.split()
        stretches.append("%s – %s" % (local(first), local(last)))
        total += seconds_of(last) - seconds_of(first) + 1
    if not stretches:
        return "Pas de Soleil dans la fenêtre ce jour"
    duration = ("%d h %02d min" % (total // 3600, total // 60 % 60) if total >= 3600
                else "%d min" % (total // 60) if total >= 60 else "%d s" % total)
    return "Soleil dans la fenêtre : %s (%s)" % (", ".join(stretches), duration)


def scenario_day_times(suite):
    """The panorama's read-out of the day's times in the frame equals lumora-cli day, and follows the frame."""
    app = suite.launch("day-times", settings=DAY_FRAME)
    set_combo(suite, app, "Combo1(2)", "2026")
    set_combo(suite, app, "Combo1(1)", "6")
    set_combo(suite, app, "Combo1(0)", "21")
    frame = [DAY_FRAME[k] for k in ("HS1", "HS2", "VS1", "VS2")]
    expected = day_readout(suite, "21/6/2026", frame)
    check(expected.startswith("Soleil dans la fenêtre : "), "lumora-cli finds no Sun in the frame: %r" % expected)
    s = app.wait(lambda s: s["controls"]["SunTimes"]["text"] == expected, 3, "the read-out %r" % expected)
    times = s["controls"]["SunTimes"]
    pic = s["controls"]["Pic"]["rect"]
    check(times["visible"] and pic[0] <= times["rect"][0] and times["rect"][0] + times["rect"][2] <= pic[0] + pic[2]
          and pic[1] <= times["rect"][1] and times["rect"][1] + times["rect"][3] <= pic[1] + pic[3],
          "the read-out at %r is not shown on the panorama at %r" % (times["rect"], pic))
    suite.desktop.screenshot(os.path.join(suite.artifacts, "panorama-course.png"))
    # One click on the right frame bar's left arrow: the right edge half a degree west.
    left_arrow, _ = scrollbar_ends(s["controls"]["HS2"]["rect"])
    suite.desktop.click(*left_arrow)
    s = app.wait(lambda s: s["controls"]["HS2"]["value"] == frame[1] - 14, 3, "HS2 to move by one arrow step")
    frame[1] -= 14
    moved = day_readout(suite, "21/6/2026", frame)
    check(moved != expected, "the frame's move should change the times: %r" % moved)
    app.wait(lambda s: s["controls"]["SunTimes"]["text"] == moved, 3, "the read-out %r after the frame moved" % moved)
    app.stop()
    return moved


def scenario_tray(suite):
    """"Réduire" hides the window to the tray; a click on the icon brings it back."""
    app = suite.launch("tray")
    check(suite.desktop.tray_icon() is None, "a tray icon exists while the window is shown")
    # From manual mode: "Réduire" first returns to real time.
    _, down = scrollbar_ends(app.control("VSHeure")["rect"])
    suite.desktop.click(*down)
    app.wait(lambda s: not s["realTime"], 3, "the time bar to leave real time")
    app.click("Command4")
    s = app.wait(lambda s: not s["windowVisible"] and s["trayShown"], 4, "the window to go to the tray")
    check(s["trayToolTip"] in (TIP_IN, TIP_OUT), "tray tooltip %r" % s["trayToolTip"])
    check(s["trayToolTip"] == (TIP_IN if s["sunInWindow"] else TIP_OUT),
          "tooltip %r does not match sunInWindow=%s" % (s["trayToolTip"], s["sunInWindow"]))
    check(s["realTime"], "Réduire should leave the window in real time")
    check(s["controls"]["Label5"]["text"].endswith(" (TU)") and s["controls"]["Label5"]["text"] != "---",
          "Label5 %r after Réduire" % s["controls"]["Label5"]["text"])
    check(not suite.desktop.viewable(app.main_window), "the main window is still mapped")
    icon = wait_for(suite.desktop.tray_icon, 5, "the icon inside trayer's panel")
    check(icon[2] >= 16 and icon[3] >= 16, "tray icon geometry %r" % (icon,))
    suite.desktop.screenshot(os.path.join(suite.artifacts, "tray.png"))
    suite.desktop.click_rect(icon)
    s = app.wait(lambda s: s["windowVisible"] and not s["trayShown"], 4, "the window to come back")
    wait_for(lambda: suite.desktop.viewable(app.main_window), 4, "the main window to be mapped again")
    wait_for(lambda: suite.desktop.tray_icon() is None, 4, "the tray icon to go")
    app.stop()
    return "tooltip %r" % s["trayToolTip"]


def scenario_single_copy(suite):
    """A second start brings the running window forward and ends; a killed copy never blocks a start."""
    app = suite.launch("single-copy")
    first = app.proc.pid
    app.click("Command4")
    app.wait(lambda s: not s["windowVisible"] and s["trayShown"], 4, "the window to go to the tray")
    wait_for(suite.desktop.tray_icon, 5, "the icon inside trayer's panel")
    code, took = app.start_again()
    check(code == 0, "the second start ended with code %s, expected 0" % code)
    check(app.alive(), "the running copy ended when it was started again")
    check(app.running_copies() == [first], "running copies %r, expected only %d" % (app.running_copies(), first))
    app.wait(lambda s: s["windowVisible"] and not s["trayShown"], 4, "the running window to come out of the tray")
    wait_for(lambda: suite.desktop.viewable(app.main_window), 4, "the main window to be mapped again")
    wait_for(lambda: suite.desktop.tray_icon() is None, 4, "the tray icon to go")
    check(len(suite.desktop.window_ids(name="^Lumora$")) == 1, "more than one main window is shown")

    # Minimised by the window manager: a second start restores it.
    suite.desktop.run("xdotool", "windowminimize", "--sync", str(app.main_window))
    app.wait(lambda s: s["windowMinimized"], 4, "the window to be minimised")
    code, _ = app.start_again()
    check(code == 0, "the second start beside a minimised window ended with code %s" % code)
    app.wait(lambda s: s["windowVisible"] and not s["windowMinimized"], 4, "the minimised window to be restored")
    wait_for(lambda: suite.desktop.viewable(app.main_window), 4, "the main window to be mapped again")

    # Killed outright, the copy leaves its lock and socket behind: the next start is not held up by them.
    app.proc.kill()
    app.proc.wait()
    check(os.listdir(app.runtime), "a killed copy should leave its files in the runtime folder")
    t0 = time.time()
    app.start()
    restart = time.time() - t0
    check(app.proc.pid != first and app.running_copies() == [app.proc.pid],
          "after the kill, running copies %r" % app.running_copies())
    app.stop()
    return "second start ended in %.2fs; restart after kill -9 in %.2fs" % (took, restart)


def scenario_quit_saves(suite):
    """"Quitter" and the close box save the site; the next start restores it."""
    app = suite.launch("settings")
    app.click("Text1")
    suite.desktop.key("ctrl+a")
    suite.desktop.type_text("45")
    app.click_choice("Option2")
    s = app.wait(lambda s: s["controls"]["Text1"]["text"] == "45" and s["controls"]["Option2"]["checked"], 3,
                 "Text1 to read 45 and 'Sud' to be selected")
    bars = {k: s["controls"][k]["value"] for k in ("VS1", "VS2", "HS1", "HS2")}
    app.click("Command2")
    check(app.wait_exit() == 0, "Lumora ended with code %s after Quitter" % app.proc.returncode)
    stored = app.read_settings()
    expected = {"T1": "45", "T2": "00", "T3": "02", "T4": "20"}
    expected.update({k: str(v) for k, v in bars.items()})
    for key, value in expected.items():
        check(stored.get(key) == value, "stored %s=%r, expected %r" % (key, stored.get(key), value))
    options = [stored.get("O%d" % i, "").lower() == "vrai" for i in range(1, 5)]
    check(options == [False, True, False, True], "stored O1..O4 %r, expected Sud and Est"
          % [stored.get("O%d" % i) for i in range(1, 5)])

    app.start()
    s = app.state()
    c = s["controls"]
    check(c["Text1"]["text"] == "45" and c["Option2"]["checked"] and not c["Option1"]["checked"],
          "restart restored Text1=%r, Sud=%s" % (c["Text1"]["text"], c["Option2"]["checked"]))
    # Now the close box (the window manager's close, alt+F4) with other changes.
    app.click("Text4")
    suite.desktop.key("ctrl+a")
    suite.desktop.type_text("35")
    app.click_choice("Option3")
    app.wait(lambda s: s["controls"]["Text4"]["text"] == "35" and s["controls"]["Option3"]["checked"], 3,
             "Text4 to read 35 and 'Ouest' to be selected")
    suite.desktop.run("xdotool", "windowactivate", "--sync", str(app.main_window), check_rc=False)
    suite.desktop.key("alt+F4")
    check(app.wait_exit() == 0, "Lumora ended with code %s after the close box" % app.proc.returncode)
    stored = app.read_settings()
    check(stored.get("T1") == "45" and stored.get("T4") == "35",
          "after the close box T1=%r T4=%r" % (stored.get("T1"), stored.get("T4")))
    options = [stored.get("O%d" % i, "").lower() == "vrai" for i in range(1, 5)]
    check(options == [False, True, True, False], "after the close box O1..O4 %r, expected Sud and Ouest"
          % [stored.get("O%d" % i) for i in range(1, 5)])
    app.start()
    c = app.state()["controls"]
    check(c["Text4"]["text"] == "35" and c["Option3"]["checked"] and c["Option2"]["checked"],
          "second restart restored Text4=%r, Ouest=%s, Sud=%s"
          % (c["Text4"]["text"], c["Option3"]["checked"], c["Option2"]["checked"]))
    app.stop()


def find_overlay(suite, app):
    """The overlay: a Lumora top-level of 637 × 583 pixels that is not the main window."""
    def probe():
        for window in suite.desktop.window_ids(cls="Lumora"):
            if window == app.main_window:
                continue
            geometry = suite.desktop.geometry(window)
            if abs(geometry[2] - 9555 / TWIPS) <= 2 and abs(geometry[3] - 8745 / TWIPS) <= 2:
                return window, geometry
        return None
    return wait_for(probe, 5, "the overlay window")


def scenario_map(suite):
    """"Google Map": the overlay, the question, the address in the browser, then "Retour"."""
    app = suite.launch("map")
    app.click("Command6")
    question = wait_for(lambda: suite.desktop.window_ids(name="^Module Azimut$"), 5,
                        "the 'Module Azimut' question")[0]
    # The snapshot is written four times a second and the unmap is asynchronous: wait for both.
    app.wait(lambda s: not s["windowVisible"], 3, "the main window to be hidden while the overlay is open")
    wait_for(lambda: not suite.desktop.viewable(app.main_window), 3, "the main window to be unmapped")
    overlay, geometry = find_overlay(suite, app)
    suite.desktop.run("xdotool", "windowactivate", "--sync", str(question), check_rc=False)
    suite.desktop.key("Return")
    wait_for(lambda: not suite.desktop.window_ids(name="^Module Azimut$"), 5, "the question to close")
    wait_for(lambda: os.path.exists(app.opened_file), 5, "the stand-in browser to be called")
    with open(app.opened_file) as f:
        opened = f.read().split()
    check(opened == [DEFAULT_SITE_MAP], "the browser was given %r, expected %r" % (opened, DEFAULT_SITE_MAP))
    time.sleep(0.3)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "overlay.png"))

    # Always on top and without decorations.
    props = suite.desktop.run("xprop", "-id", str(overlay), "_NET_WM_STATE", "_MOTIF_WM_HINTS",
                              "_NET_FRAME_EXTENTS", "_NET_WM_WINDOW_OPACITY")
    check("_NET_WM_STATE_ABOVE" in props, "the overlay is not kept above: %s" % props)
    extents = re.search(r"_NET_FRAME_EXTENTS\(CARDINAL\) = ([\d, ]+)", props)
    check(extents is None or extents.group(1).replace(" ", "") == "0,0,0,0",
          "the window manager decorates the overlay: %s" % props)
    motif = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = ([\dx, ]+)", props)
    check(motif is not None, "the overlay asks for no decoration-less frame: %s" % props)
    fields = [int(v, 0) for v in motif.group(1).split(",")]
    check(fields[0] & 2 and fields[2] == 0, "the overlay's _MOTIF_WM_HINTS %r do not turn decorations off" % fields)
    # Semi-transparent: alpha 200 of 255 at opening.
    opacity = re.search(r"_NET_WM_WINDOW_OPACITY\(CARDINAL\) = (\d+)", props)
    check(opacity is not None, "the overlay has no opacity: %s" % props)
    check(abs(int(opacity.group(1)) / 0xFFFFFFFF - 200 / 255) < 0.002,
          "the overlay's opacity is %.3f, expected 200/255" % (int(opacity.group(1)) / 0xFFFFFFFF))

    # A drag on the white surface moves the overlay.
    x, y, w, h = geometry
    start = (x + 40, y + 40)
    suite.desktop.drag(start, (start[0] + 90, start[1] + 60), steps=10)
    moved = wait_for(lambda: (lambda g: g if abs(g[0] - (x + 90)) <= 4 and abs(g[1] - (y + 60)) <= 4 else None)(
        suite.desktop.geometry(overlay)), 3, "the overlay to follow the drag (from %d,%d)" % (x, y))

    # "Retour": bottom right, inside the frame of the two sliders.
    retour = (moved[0] + (6060 + 1230 + 2265 / 2) / TWIPS, moved[1] + (7890 + 495 + 360 / 2) / TWIPS)
    suite.desktop.click(*retour)
    s = app.wait(lambda s: s["windowVisible"], 4, "the main window to come back after Retour")
    wait_for(lambda: overlay not in suite.desktop.window_ids(cls="Lumora"), 4, "the overlay to close")
    check(suite.desktop.viewable(app.main_window), "the main window is not mapped after Retour")
    check(app.alive(), "Lumora ended after Retour")
    app.stop()


def scenario_screenshots(suite):
    """The main window and the About box, as a user sees them."""
    app = suite.launch("screens")
    time.sleep(0.3)  # the first tick has run (start waits for it): let it paint
    geometry = suite.desktop.geometry(app.main_window)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "main-window.png"))
    check(geometry[2] == round(11055 / TWIPS) and geometry[3] == round(8415 / TWIPS),
          "the main window's client area is %dx%d, expected 737x561" % geometry[2:])
    hints = suite.desktop.run("xprop", "-id", str(app.main_window), "WM_NORMAL_HINTS")
    sizes = re.findall(r"program specified (minimum|maximum) size: (\d+) by (\d+)", hints)
    check(sorted(sizes) == [("maximum", "737", "561"), ("minimum", "737", "561")],
          "the main window can be resized: %s" % hints.strip())
    app.click("Command5")
    about = wait_for(lambda: suite.desktop.window_ids(name="^A Propos...$"), 5, "the About box")[0]
    time.sleep(0.3)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "about.png"))
    g = suite.desktop.geometry(about)
    check((g[2], g[3]) == (round(11235 / TWIPS), round(7680 / TWIPS)), "the About box is %dx%d" % g[2:])
    check(app.state()["windowVisible"], "the main window should stay shown under the About box")
    # The About box does not block the main window: drag it down by its title
    # bar, then the frame bar above it still answers a click.
    suite.desktop.drag((g[0] + 150, g[1] - 8), (g[0] + 150, g[1] + 242), steps=10)
    g = wait_for(lambda: (lambda n: n if n[1] >= g[1] + 200 else None)(suite.desktop.geometry(about)), 3,
                 "the About box to follow a drag of its title bar")
    left_bar = app.control("HS1")
    _, right = scrollbar_ends(left_bar["rect"])
    check(right[1] < g[1] - 30, "the About box still covers the frame bars")
    suite.desktop.click(*right)
    app.wait(lambda s: s["controls"]["HS1"]["value"] == left_bar["value"] + 14, 3,
             "the main window to take a click while the About box is open")
    check(suite.desktop.window_ids(name="^A Propos...$"), "the About box closed on a click in the main window")
    suite.desktop.click(g[0] + (8460 + 2490 / 2) / TWIPS, g[1] + (6600 + 780 / 2) / TWIPS)
    wait_for(lambda: not suite.desktop.window_ids(name="^A Propos...$"), 4, "the About box to close on Retour")
    check(app.state()["windowVisible"], "the main window should be shown after Retour")
    app.stop()


def scenario_help(suite):
    """The help key and "HeeeeeeeeelP" open the help document beside the program."""
    app = suite.launch("help")
    source = os.path.join(os.path.dirname(suite.lumora), "Quorel_fr.html")
    check(os.path.isfile(source), "the help document was not built beside Lumora: %s" % source)
    shutil.copy(source, app.bindir)
    expected = "file://" + os.path.join(os.path.realpath(app.bindir), "Quorel_fr.html")
    app.click("Label5")  # focus the main window without changing anything
    suite.desktop.key("F1")
    wait_for(lambda: os.path.exists(app.opened_file), 5, "the help key to open the help document")
    app.click("Command7")
    opened = wait_for(lambda: (lambda l: l if len(l) == 2 else None)(open(app.opened_file).read().split()), 5,
                      "the help button to open the help document")
    check(opened == [expected, expected], "opened %r, expected the help document %r twice" % (opened, expected))
    check(app.state()["windowVisible"], "the main window should stay shown")
    app.stop()


def scenario_english(suite):
    """On an English desktop: English captions, the English help page; the settings file stays as it was."""
    app = suite.launch("english", environment={"LANGUAGE": "en_GB:en"})
    s = app.state()
    captions = {name: s["controls"][name]["text"] for name in ("Command1", "Command2", "Option1", "Check3", "Option5(2)")}
    check(captions == {"Command1": "Search", "Command2": "Quit", "Option1": "North", "Check3": "Sunshine file.",
                       "Option5(2)": "1 hour"}, "captions on an English desktop: %r" % captions)
    check(s["controls"]["Label5"]["text"].endswith("(UT)"), "the UT time reads %r" % s["controls"]["Label5"]["text"])
    time.sleep(0.3)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "main-window-english.png"))
    source = os.path.dirname(suite.lumora)
    for page in ("Quorel_fr.html", "Quorel_en.html"):
        check(os.path.isfile(os.path.join(source, page)), "the help page %s was not built beside Lumora" % page)
        shutil.copy(os.path.join(source, page), app.bindir)
    app.click("Label5")
    suite.desktop.key("F1")
    opened = wait_for(lambda: os.path.exists(app.opened_file) and open(app.opened_file).read().split(), 5,
                      "the help key to open the help page")
    expected = "file://" + os.path.join(os.path.realpath(app.bindir), "Quorel_en.html")
    check(opened == [expected], "opened %r, expected the English help page %r" % (opened, expected))
    app.click("Command2")
    check(app.wait_exit() == 0, "Lumora ended with code %s after Quit" % app.proc.returncode)
    saved = app.read_settings()
    check(saved.get("O1") == "Vrai" and saved.get("O2") == "Faux",
          "the hemisphere choices are saved as %r/%r, expected Vrai/Faux whatever the language"
          % (saved.get("O1"), saved.get("O2")))


def scenario_installed(suite):
    """The installed program: its help page under share/, the survey in Documents, as its message says."""
    app = suite.launch("installed")
    prefix = os.path.dirname(os.path.dirname(os.path.realpath(suite.lumora)))
    help_page = os.path.join(prefix, "share", "lumora", "Quorel_fr.html")
    check(os.path.isfile(help_page), "no help page installed at %s" % help_page)
    app.click("Command7")
    opened = wait_for(lambda: os.path.exists(app.opened_file) and open(app.opened_file).read().split(), 5,
                      "the help button to open the help page")
    check(opened == ["file://" + help_page], "opened %r, expected the installed help page" % opened)
    # A one-hour survey, started as a user does.
    app.click_choice("Check3")
    app.click_choice("Option5(2)")
    app.click("Command1")
    app.wait(lambda s: not s["searching"] and s["surveyPath"] and s["controls"].get("SurveyLocation", {}).get("visible"),
             60, "the survey to end with the message saying where the file went")
    path = app.state()["surveyPath"]
    expected = os.path.join(app.home, "Documents", "Export.csv")
    check(path == expected, "the survey went to %r, expected %r" % (path, expected))
    check(os.path.getsize(path) > 10000, "the survey file %s is too small" % path)
    stray = os.path.join(os.path.dirname(suite.lumora), "Export.csv")
    check(not os.path.exists(stray), "the survey also wrote into the program's folder: %s" % stray)
    app.stop()


YEAR_FRAME = {"HS1": 2500, "HS2": 5500, "VS1": 1700, "VS2": 3850}  # azimuth 89°–197°, elevation 10°–55°


def year_cell_point(plot_rect, columns, column, local_minute):
    """A screen point that the year picture reads as that column and local
    minute: column floor((x + 0.5) * columns / width), minute
    floor((height - y - 0.5) * 1440 / height) within the picture."""
    x, y, w, h = plot_rect
    px = int((column + 0.5) * w / columns)
    py = h - 1 - int((local_minute + 0.5) * h / 1440)
    return x + px, y + py


def drive_save_dialog(suite, title, path):
    """The export's save dialog: the whole path typed into its file name box, then Enter."""
    dialog = wait_for(lambda: suite.desktop.window_ids(name="^%s$" % re.escape(title)), 5,
                      "the save dialog %r" % title)[0]
    suite.desktop.run("xdotool", "windowactivate", "--sync", str(dialog), check_rc=False)
    time.sleep(0.3)
    suite.desktop.key("ctrl+a")
    suite.desktop.type_text(path)
    suite.desktop.key("Return")
    wait_for(lambda: not suite.desktop.window_ids(name="^%s$" % re.escape(title)), 5, "the save dialog to close")


def scenario_year(suite):
    """The panorama's menu opens the year window; a click on a day and hour shows that instant in manual mode; the export is lumora-cli hours' file."""
    app = suite.launch("year", settings=YEAR_FRAME)
    # The panorama's right-click menu: its last entry.
    before = set(suite.desktop.window_ids(cls="Lumora"))
    x, y, w, h = app.control("Pic")["rect"]
    suite.desktop.click(x + w // 4, y + h // 5, button=3)
    popup = wait_for(lambda: sorted(set(suite.desktop.window_ids(cls="Lumora")) - before), 5,
                     "the panorama's menu")[0]
    px, py, pw, ph = suite.desktop.geometry(popup)
    suite.desktop.click(px + pw / 2, py + ph - 12)
    s = app.wait(lambda s: s["controls"].get("YearView", {}).get("visible")
                 and s["controls"]["YearTotal"]["text"].startswith("Total sur l'année"), 10,
                 "the year window with its calendar")
    window = wait_for(lambda: suite.desktop.window_ids(name="^Soleil dans la fenêtre — année$"), 5,
                      "the year window's title")[0]
    c = s["controls"]
    m = re.fullmatch(r"Soleil dans la fenêtre du (\d\d)/(\d\d)/(\d{4}) au (\d\d)/(\d\d)/(\d{4})",
                     c["YearRange"]["text"])
    check(m, "YearRange reads %r" % c["YearRange"]["text"])
    first = datetime.date(int(m.group(3)), int(m.group(2)), int(m.group(1)))
    last = datetime.date(int(m.group(6)), int(m.group(5)), int(m.group(4)))
    columns = (last - first).days + 1
    check(columns == 366, "the year shows %d days, expected 366" % columns)
    check(first.strftime("%d/%m/%Y") == "%02d/%02d/%s" % (int(c["Combo1(0)"]["text"]), int(c["Combo1(1)"]["text"]),
                                                          c["Combo1(2)"]["text"]),
          "the year starts on %s, the date on show is %s" % (first, date_args(s)))
    time.sleep(0.3)
    geometry = suite.desktop.geometry(window)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "year-window.png"), crop=geometry)

    # Point at a day about a hundred days on, at 14:30 local time: the
    # read-out names the day and the minute under the pointer.
    column = 100
    day = first + datetime.timedelta(days=column)
    point = year_cell_point(c["YearPlot"]["rect"], columns, column, 14 * 60 + 30)
    suite.desktop.run("xdotool", "mousemove", "--sync", str(point[0]), str(point[1]))
    s = app.wait(lambda s: s["controls"]["YearReadout"]["text"].startswith(day.strftime("%d/%m/%Y ")), 3,
                 "the read-out of %s" % day)
    readout = s["controls"]["YearReadout"]["text"]
    m = re.match(r"\d\d/\d\d/\d{4} (\d\d):(\d\d) \(heure locale\)", readout)
    check(m, "the read-out %r names no local time" % readout)
    local_minute = int(m.group(1)) * 60 + int(m.group(2))
    check(abs(local_minute - (14 * 60 + 30)) <= 1440 // c["YearPlot"]["rect"][3] + 1,
          "the pointer at 14:30 reads %s:%s" % (m.group(1), m.group(2)))
    suite.desktop.run("xdotool", "click", "1")
    local = datetime.datetime(day.year, day.month, day.day, local_minute // 60, local_minute % 60,
                              tzinfo=zoneinfo.ZoneInfo(ZONE))
    ut = local.astimezone(datetime.timezone.utc)
    expected_date = "%d/%d/%d" % (ut.day, ut.month, ut.year)
    s = app.wait(lambda s: date_args(s) == expected_date and not s["realTime"]
                 and s["controls"]["VSHeure"]["value"] == ut.hour * 60 + ut.minute, 3,
                 "the main window to show %s %02d:%02d UT" % (expected_date, ut.hour, ut.minute))
    label = s["controls"]["Label5"]["text"]
    check(label == "%02d:%02d:00 (TU)" % (ut.hour, ut.minute), "Label5 reads %r" % label)
    check(s["controls"]["YearRange"]["text"] == c["YearRange"]["text"], "the year moved with a date inside it")

    # The intervals through the save dialog: lumora-cli hours' file.
    app.click("YearExportIntervals")
    path = os.path.join(app.folder, "annee.csv")
    drive_save_dialog(suite, "Exporter les intervalles", path)
    wait_for(lambda: os.path.exists(path), 5, "the exported file")
    with open(path, "rb") as f:
        written = f.read()
    frame = ",".join(str(c[k]["value"]) for k in ("HS1", "HS2", "VS1", "VS2"))
    expected = cli(suite, "hours", "--date", "%d/%d/%d" % (first.day, first.month, first.year), "--frame", frame)
    shutil.copy(path, os.path.join(suite.artifacts, "year-intervals.csv"))
    check(written == expected, "the exported file (%d bytes) differs from lumora-cli hours (%d bytes)"
          % (len(written), len(expected)))
    check(written.startswith("date;début (TU);fin (TU);début (local);fin (local);durée (min)\r\n".encode()),
          "the file's header: %r" % written[:80])
    # And the picture, whose folder the dialog now opens in.
    app.click("YearExportPicture")
    picture = os.path.join(app.folder, "annee.png")
    drive_save_dialog(suite, "Exporter l'image", picture)
    wait_for(lambda: os.path.exists(picture) and os.path.getsize(picture) > 1000, 5, "the exported picture")
    with open(picture, "rb") as f:
        check(f.read(8) == b"\x89PNG\r\n\x1a\n", "the picture is not a PNG file")
    app.stop()
    return "%s %02d:%02d local -> %s %02d:%02d UT; %d intervals exported" % (
        day, local_minute // 60, local_minute % 60, expected_date, ut.hour, ut.minute, written.count(b"\r\n") - 1)


def scenario_date_keys(suite):
    """A key typed into a date box runs the date check (shown while a survey leaves text changes unchecked)."""
    app = suite.launch("date-keys")
    app.click_choice("Check3")
    app.click_choice("Option5(3)")
    app.wait(lambda s: s["controls"]["Check3"]["checked"] and s["controls"]["Option5(3)"]["checked"], 3,
             "'Fichier Ensoleillement.' and '1 minute' to be ticked")
    day_box, month_box = app.control("Combo1(0)")["rect"], app.control("Combo1(1)")["rect"]
    # The survey lasts about a second: the program is paused right after the
    # click on "Rechercher" while the next input waits in the X server, so that
    # it is handled once the survey has started. April, then day 31: an
    # impossible date that no text change checks during the survey (and the
    # day box keeps the focus: leaving it would pick the typed day from its
    # list, which is checked). Then End, a key that changes nothing: its own
    # check on the texts before it resets the day.
    app.click("Command1")
    app.proc.send_signal(signal.SIGSTOP)
    try:
        suite.desktop.click_rect(month_box)
        suite.desktop.run("xdotool", "key", "ctrl+a", "4")
        suite.desktop.click_rect(day_box)
        suite.desktop.run("xdotool", "key", "ctrl+a", "3", "1", "End")
    finally:
        app.proc.send_signal(signal.SIGCONT)
    app.wait(lambda s: s["controls"]["Combo1(1)"]["text"] == "4", 5, "the month box to read 4")
    s = app.wait(lambda s: s["controls"]["Combo1(0)"]["text"] == "1", 3,
                 "the day box to be reset to 1 with month 4 by the keys' date check")
    app.stop()
    return "31/4 reset to %s" % date_args(s)


def scenario_quit_with_message(suite):
    """An open message box does not hold "Quitter" back."""
    app = suite.launch("quit-message")
    app.click_choice("Check3")
    app.wait(lambda s: s["controls"]["Check3"]["checked"], 3, "'Fichier Ensoleillement.' to be ticked")
    app.click("Command1")  # no step chosen: a message asks for one
    wait_for(lambda: len(suite.desktop.window_ids(name="^Lumora$")) >= 2, 5, "the message box")
    app.click("Command2")
    check(app.wait_exit() == 0, "Lumora ended with code %s after Quitter" % app.proc.returncode)


# --------------------------------------------------------------------------
# Alerts, the tray icon's menu, starting with the session.

# 150°–210° azimuth, 50°–80° high: on 21 June 2026 the Sun is in it late in the
# morning (UT) in Paris.
ALERT_FRAME = {"HS1": 4194, "HS2": 5871, "VS1": 482, "VS2": 1927}
ALERTS_ON = {"Alertes": {"Actives": "Vrai", "Avance": "0"}}


def alert_stretch(suite):
    """The frame's first stretch on 21 June 2026 as lumora-cli gives it: the
    entry's second and the exit's (one after the last second in), UT epoch."""
    frame = ",".join(str(ALERT_FRAME[k]) for k in ("HS1", "HS2", "VS1", "VS2"))
    first, last = cli(suite, "day", "--date", "21/6/2026", "--frame", frame).decode().split("\n")[0].split()
    midnight = calendar_epoch(2026, 6, 21)
    return midnight + seconds_of(first), midnight + seconds_of(last) + 1


def local_text(epoch, pattern):
    """A UT instant as Paris' clock reads it then."""
    return time.strftime(pattern, time.gmtime(epoch + local_offset_seconds(epoch)))


def notifications(record):
    if not os.path.exists(record):
        return []
    with open(record, encoding="utf-8") as f:
        return [json.loads(line) for line in f if line.strip()]


def open_tray_menu(suite, app):
    icon = wait_for(suite.desktop.tray_icon, 5, "the icon inside trayer's panel")
    suite.desktop.click(icon[0] + icon[2] / 2, icon[1] + icon[3] / 2, button=3)
    s = app.wait(lambda s: s["trayMenu"]["visible"] and all("rect" in i for i in s["trayMenu"]["items"]), 4,
                 "the tray icon's menu to open")
    return {item["text"]: item for item in s["trayMenu"]["items"]}, s["trayMenu"]["items"]


def scenario_alerts(suite):
    """Started hidden (--tray) before the Sun enters the frame: the notification at its second, a click on it shows the window."""
    record = suite.start_notification_service("alerts")
    entry, _ = alert_stretch(suite)
    ahead = 12
    app = suite.prepare("alerts", ALERT_FRAME, ALERTS_ON)
    app.start(args=["--tray"], at=local_text(entry - ahead, "%Y-%m-%d %H:%M:%S"), shown=False)
    s = app.state()
    check(not s["windowVisible"] and s["trayShown"], "--tray: window shown=%s, icon=%s"
          % (s["windowVisible"], s["trayShown"]))
    check(not suite.desktop.window_ids(name="^Lumora$"), "--tray mapped the main window")
    wait_for(suite.desktop.tray_icon, 5, "the icon inside trayer's panel")
    check(not notifications(record), "a notification before the entry: %r" % notifications(record))

    sent = wait_for(lambda: notifications(record), ahead + 10, "the entry's notification")
    took = sent[0]["time"] - app.launched
    n = sent[0]
    check(n["summary"] == "Le Soleil entre dans la fenêtre", "the first notification says %r" % n["summary"])
    check(n["body"].startswith("À %s," % local_text(entry, "%H:%M")),
          "the notification's body %r does not start with the entry's minute %s"
          % (n["body"], local_text(entry, "%H:%M")))
    check(n["app_name"] == "Lumora" and n["app_icon"] == "org.lumora.Lumora" and n["actions"][:1] == ["default"],
          "Notify was given app_name %r, app_icon %r, actions %r" % (n["app_name"], n["app_icon"], n["actions"]))
    # The program's clock started `ahead` seconds before the entry.
    check(ahead - 1.5 <= took <= ahead + 2.5, "the notification came %.1fs after the start, expected about %ds"
          % (took, ahead))
    time.sleep(2.5)
    check(len(notifications(record)) == 1, "notifications after the entry: %r" % notifications(record))

    # A click on it: the stand-in tells the program its default action was invoked.
    suite.desktop.run("dbus-send", "--session", "--type=method_call", "--dest=org.freedesktop.Notifications",
                      "/org/freedesktop/Notifications", "org.lumora.StandIn.Invoke", "uint32:%d" % n["id"],
                      "string:default")
    s = app.wait(lambda s: s["windowVisible"], 4, "the window to come forward after a click on the notification")
    check(s["trayShown"], "with the alerts on, the icon should stay beside the shown window")
    wait_for(lambda: suite.desktop.window_ids(name="^Lumora$"), 4, "the main window to be mapped")
    app.stop()
    return "%r at %s, %.1fs after a start %ds ahead" % (n["body"], local_text(entry, "%H:%M:%S"), took, ahead)


def scenario_tray_menu(suite):
    """The tray icon's menu: the next event, "Démarrer avec la session" writes and removes the entry, "Quitter" saves."""
    entry, _ = alert_stretch(suite)
    app = suite.prepare("tray-menu", ALERT_FRAME, ALERTS_ON)
    app.start(at=local_text(entry - 3600, "%Y-%m-%d %H:%M:%S"))
    check(app.state()["trayShown"], "with the alerts on, the icon should be there beside the shown window")
    by_text, items = open_tray_menu(suite, app)
    texts = [i["text"] for i in items]
    expected = ["Afficher Lumora", "Entrée du Soleil à %s" % local_text(entry, "%H:%M"), "Alertes",
                "Prévenir à l'avance", "Démarrer avec la session", "Quitter"]
    check(texts == expected, "the tray menu reads %r, expected %r" % (texts, expected))
    check(not items[1]["enabled"] and by_text["Alertes"]["checked"], "next event enabled=%s, Alertes checked=%s"
          % (items[1]["enabled"], by_text["Alertes"]["checked"]))
    time.sleep(0.3)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "tray-menu.png"))

    # Starting with the session: the autostart entry, valid, written then removed.
    entry_file = os.path.join(app.home, ".config", "autostart", "lumora.desktop")
    suite.desktop.click_rect(by_text["Démarrer avec la session"]["rect"])
    app.wait(lambda s: s["autostart"] and not s["trayMenu"]["visible"], 4, "the autostart entry to be written")
    check(os.path.isfile(entry_file), "no autostart entry at %s" % entry_file)
    validated = subprocess.run(["desktop-file-validate", entry_file], capture_output=True, text=True)
    check(validated.returncode == 0 and "error" not in validated.stdout,
          "desktop-file-validate refuses the entry: %s%s" % (validated.stdout, validated.stderr))
    with open(entry_file, encoding="utf-8") as f:
        text = f.read()
    check("\nExec=%s --tray\n" % app.exe in text, "the entry does not start %s --tray:\n%s" % (app.exe, text))
    by_text, _ = open_tray_menu(suite, app)
    check(by_text["Démarrer avec la session"]["checked"], "the menu does not show the entry as written")
    suite.desktop.click_rect(by_text["Démarrer avec la session"]["rect"])
    app.wait(lambda s: not s["autostart"], 4, "the autostart entry to be removed")
    check(not os.path.exists(entry_file), "the autostart entry is still there")

    # The same choices in the panorama's menu, after the Sun's course's.
    x, y, w, h = app.control("Pic")["rect"]
    suite.desktop.click(x + w * 0.8, y + h * 0.8, button=3)
    s = app.wait(lambda s: "Pic.menu" in s["openMenus"], 4, "the panorama's menu to open")
    panorama_texts = [i["text"] for i in s["openMenus"]["Pic.menu"]["items"]]
    alerts_at = panorama_texts.index("Alertes") if "Alertes" in panorama_texts else -1
    check(alerts_at > panorama_texts.index("Course du Soleil ce jour")
          and panorama_texts[alerts_at:alerts_at + 3] == ["Alertes", "Prévenir à l'avance", "Démarrer avec la session"],
          "the panorama's menu reads %r" % panorama_texts)
    time.sleep(0.3)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "panorama-menu.png"))
    suite.desktop.key("Escape")
    app.wait(lambda s: not s["openMenus"], 3, "the panorama's menu to close")

    # "Quitter" from the tray: the same shut-down as the window's button.
    app.click("Text1")
    suite.desktop.key("ctrl+a")
    suite.desktop.type_text("47")
    app.wait(lambda s: s["controls"]["Text1"]["text"] == "47", 3, "Text1 to read 47")
    by_text, _ = open_tray_menu(suite, app)
    suite.desktop.click_rect(by_text["Quitter"]["rect"])
    check(app.wait_exit() == 0, "Lumora ended with code %s after the tray's Quitter" % app.proc.returncode)
    stored = app.read_settings()
    check(stored.get("T1") == "47" and stored.get("HS1") == str(ALERT_FRAME["HS1"]),
          "after the tray's Quitter T1=%r HS1=%r" % (stored.get("T1"), stored.get("HS1")))
    check(len(stored) == 12, "DATA holds %d keys: %r" % (len(stored), sorted(stored)))
    alerts = app.read_settings("Alertes")
    check(alerts.get("Actives") == "Vrai", "Alertes/Actives=%r" % alerts.get("Actives"))
    return "next event %r" % expected[1]


def scenario_alert_fallback(suite):
    """Without a notification service, the alert shows as the tray icon's own message."""
    entry, _ = alert_stretch(suite)
    app = suite.prepare("fallback", ALERT_FRAME, ALERTS_ON)
    app.start(at=local_text(entry - 4, "%Y-%m-%d %H:%M:%S"))
    s = app.wait(lambda s: s["trayMessage"], 12, "the tray icon's message")
    check(s["trayMessage"] == "Le Soleil entre dans la fenêtre", "the tray message says %r" % s["trayMessage"])
    time.sleep(0.5)
    suite.desktop.screenshot(os.path.join(suite.artifacts, "alert-message.png"))
    app.stop()
    return s["trayMessage"]


SCENARIOS = [
    scenario_real_time,
    scenario_time_bar,
    scenario_frame_bars,
    scenario_search,
    scenario_day_times,
    scenario_survey,
    scenario_tray,
    scenario_single_copy,
    scenario_quit_saves,
    scenario_map,
    scenario_screenshots,
    scenario_help,
    scenario_date_keys,
    scenario_quit_with_message,
    scenario_english,
    scenario_year,
    scenario_alerts,
    scenario_tray_menu,
    scenario_alert_fallback,
]
# Run alone, on an installed program (--installed).
INSTALLED_SCENARIOS = [scenario_installed]


class Suite:
    def __init__(self, args, workdir):
        self.lumora = os.path.abspath(args.lumora)
        self.cli = os.path.abspath(args.cli)
        self.notifications = os.path.abspath(args.notifications) if args.notifications else None
        self.faketime = next((lib for lib in FAKETIME_LIBS if os.path.exists(lib)), None)
        self.artifacts = os.path.abspath(args.artifacts)
        self.workdir = workdir
        self.installed = args.installed
        self.desktop = Desktop(workdir)
        self.apps = []
        self.helpers = []

    def launch(self, name, settings=None, environment=None):
        app = Lumora(self, name, settings, environment)
        self.apps.append(app)
        return app.start()

    def prepare(self, name, settings=None, groups=None):
        """A program's run not started yet, its settings written."""
        app = Lumora(self, name)
        app.write_settings(settings or {}, groups)
        self.apps.append(app)
        return app

    def start_notification_service(self, name):
        """The stand-in notification service on the suite's bus; returns the
        file where it records each notification, one JSON object a line."""
        check(self.notifications, "no stand-in notification service given (--notifications)")
        record = os.path.join(self.workdir, "%s-notifications.jsonl" % name)
        service = subprocess.Popen([self.notifications, record], env=self.desktop.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, text=True)
        self.helpers.append(service)
        ready, _, _ = select.select([service.stdout], [], [], 10)
        line = service.stdout.readline().strip() if ready else ""
        check(line == "ready", "the stand-in notification service did not start: %r" % line)
        return record

    def cleanup(self):
        for app in self.apps:
            app.stop()
        self.apps = []
        for helper in self.helpers:
            if helper.poll() is None:
                helper.terminate()
                helper.wait(5)
        self.helpers = []


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lumora", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--notifications", help="the stand-in notification service (tests/e2e)")
    parser.add_argument("--artifacts", default="e2e-artifacts")
    parser.add_argument("-k", dest="only", help="run only the scenarios whose name contains this")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folders")
    parser.add_argument("--installed", action="store_true",
                        help="LUMORA is an installed program: run it in place, with the installation scenarios")
    args = parser.parse_args()

    missing = [t for t in TOOLS if shutil.which(t) is None]
    if not any(os.path.exists(lib) for lib in FAKETIME_LIBS):
        missing.append("libfaketime")
    if missing:
        print("skipped: missing desktop tools: " + ", ".join(missing))
        return 77
    os.makedirs(args.artifacts, exist_ok=True)
    for old in os.listdir(args.artifacts):
        if old.startswith("failure-"):
            os.remove(os.path.join(args.artifacts, old))
    workdir = tempfile.mkdtemp(prefix="lumora-e2e-")
    suite = Suite(args, workdir)
    passed = failed = 0
    started = time.time()
    try:
        try:
            suite.desktop.start()
        except Exception as error:
            print("FAIL desktop: Xvfb, openbox or trayer did not start: %s" % error)
            failed += 1
            return 1
        for scenario in (INSTALLED_SCENARIOS if args.installed else SCENARIOS):
            name = scenario.__name__[len("scenario_"):]
            if args.only and args.only not in name:
                continue
            t0 = time.time()
            try:
                detail = scenario(suite)
                passed += 1
                print("PASS %-14s %5.1fs  %s%s" % (name, time.time() - t0, scenario.__doc__.strip(),
                                                   " [%s]" % detail if detail else ""), flush=True)
            except Exception as error:  # a scenario's fault must not stop the others
                failed += 1
                detail = str(error) if isinstance(error, Failure) else traceback.format_exc().strip()
                print("FAIL %-14s %5.1fs  %s\n     %s" % (name, time.time() - t0, scenario.__doc__.strip(),
                                                         detail.replace("\n", "\n     ")), flush=True)
                try:
                    suite.desktop.screenshot(os.path.join(suite.artifacts, "failure-%s.png" % name))
                except Exception:
                    pass
                for app in suite.apps:
                    with open(app.log, errors="replace") as log:
                        tail = log.read().strip().splitlines()[-10:]
                    if tail:
                        print("     program output (%s):\n       %s" % (app.folder, "\n       ".join(tail)))
            finally:
                suite.cleanup()
    finally:
        suite.cleanup()
        suite.desktop.stop()
        if args.keep or failed:
            print("work folder kept: %s" % workdir)
        else:
            shutil.rmtree(workdir, ignore_errors=True)
        print("total %.1fs; artifacts in %s" % (time.time() - started, suite.artifacts))
        print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or passed == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
