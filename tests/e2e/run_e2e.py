#!/usr/bin/env python3
# End-to-end tests of Lumora on a real desktop.
#
# Runs the real program under Xvfb with a window manager (openbox), a
# notification area (trayer) and a private session D-Bus, each program with a
# temporary HOME, and drives it with real pointer and keyboard events (xdotool).
# Only what needs a real desktop is checked here (the widget tests prove the
# rest): the tray icon, real clicks on menus, the file and name dialogs,
# notifications through a stand-in service (--notifications) with the program's
# clock set by libfaketime, the autostart entry, the English desktop and the
# installed program (--installed). What the window shows is read from the JSON snapshot
# that Lumora writes when LUMORA_STATE_FILE names a file; its rectangles aim the
# clicks. Screenshots go to the artifacts folder. Python standard library only.
#
# Usage: run_e2e.py --lumora PATH --cli PATH [--notifications PATH] [--artifacts DIR] [-k NAME]
#                   [--installed]
# Prints one line per scenario, then "N passed, M failed"; exits 1 on any
# failure, 77 when a desktop tool is missing.

import argparse
import calendar
import configparser
import datetime
import json
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import zoneinfo

TOOLS = ["Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "import", "convert", "compare", "dbus-daemon",
         "dbus-send", "desktop-file-validate"]
# The multi-threaded libfaketime, preloaded into the program itself.
FAKETIME_LIBS = ["/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1",
                 "/usr/lib/aarch64-linux-gnu/faketime/libfaketimeMT.so.1", "/usr/lib/faketime/libfaketimeMT.so.1"]
ZONE = "Europe/Paris"
FRENCH = {"TZ": ZONE, "LANG": "fr_FR.UTF-8", "LC_ALL": "fr_FR.UTF-8"}
FRAME_KEYS = ("HS1", "HS2", "VS1", "VS2")
# 150°–210° azimuth, 50°–80° high: on 21 June 2026 the Sun enters it late in the morning (UT) in Paris.
ALERT_FRAME = {"HS1": 4194, "HS2": 5871, "VS1": 482, "VS2": 1927}
ALERTS_ON = {"Actives": "Vrai", "Avance": "0"}
YEAR_FRAME = {"HS1": 2500, "HS2": 5500, "VS1": 1700, "VS2": 3850}  # 89°–197° azimuth, 10°–55° high
# A window facing south-south-east, the spot 2 m in and to the right (the dialog's keys, in its order).
MEASURED_WINDOW = {"Facing": "160", "Tilt": "90", "Width": "1.2", "Height": "1.4", "Sill": "0.9", "Depth": "0.3",
                   "Distance": "2", "Offset": "0.4", "Eye": "1.2"}


class Failure(Exception):  # a scenario's expectation that did not hold
    pass


class Ended(Failure):  # the program is gone: waiting longer cannot help
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(probe, timeout, what):
    """Calls probe until it returns something true, and returns that."""
    deadline, last_error = time.time() + timeout, None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Ended:
            raise
        except (OSError, ValueError, KeyError, Failure) as error:
            last_error = error
        if time.time() >= deadline:
            raise Failure("timed out after %gs waiting for %s%s"
                          % (timeout, what, " (last error: %s)" % last_error if last_error else ""))
        time.sleep(0.1)


def first_line(proc, timeout, what):
    """The first line a helper program prints once it is ready."""
    ready, _, _ = select.select([proc.stdout], [], [], timeout)
    line = proc.stdout.readline().strip() if ready else ""
    check(line, "%s did not start" % what)
    return line


class Desktop:
    """Xvfb, openbox, trayer and a session bus, shared by every scenario; real input; windows as X knows them."""

    def __init__(self, artifacts):
        self.artifacts, self.procs, self.env = artifacts, [], None

    def spawn(self, args, env, stdout=subprocess.DEVNULL):
        proc = subprocess.Popen(args, env=env, stdout=stdout, stderr=subprocess.DEVNULL, text=True)
        self.procs.append(proc)
        return proc

    def start(self, home):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "DBUS_", "XDG_", "WAYLAND"))
               and k not in ("SESSION_MANAGER", "BROWSER", "DEFAULT_BROWSER", "DESKTOP_SESSION")}
        env.update(FRENCH, HOME=home)
        xvfb = self.spawn(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                           "-noreset"], env, subprocess.PIPE)
        env["DISPLAY"] = ":" + first_line(xvfb, 15, "Xvfb")
        # A session bus of the suite's own: nothing reaches the machine's services.
        bus = self.spawn(["dbus-daemon", "--session", "--print-address", "--nofork"], env, subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = first_line(bus, 10, "dbus-daemon")
        self.env = env
        self.spawn(["openbox", "--sm-disable"], env)
        wait_for(lambda: "Openbox" in self.run("xwininfo", "-root", "-tree"), 10, "openbox to start")
        self.spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                    "--SetDockType", "true", "--transparent", "false", "--expand", "true"], env)
        wait_for(lambda: '"panel"' in self.run("xwininfo", "-root", "-tree"), 10, "trayer's panel")

    def stop(self):
        for proc in reversed(self.procs):
            stop(proc)

    def run(self, *args, check_rc=True):
        done = subprocess.run(list(args), env=self.env, capture_output=True, text=True, timeout=30)
        check(not check_rc or done.returncode == 0, "%s failed: %s" % (" ".join(args), done.stderr.strip()))
        return done.stdout

    def click(self, rect, button=1, at=(0.5, 0.5)):
        x, y, w, h = rect
        self.run("xdotool", "mousemove", "--sync", str(int(x + w * at[0])), str(int(y + h * at[1])))
        self.run("xdotool", "click", str(button))

    def key(self, *keys):
        self.run("xdotool", "key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.run("xdotool", "type", "--delay", "60", text)

    def screenshot(self, name, crop=None):
        self.run("import", "-window", "root", *(["-crop", "%dx%d+%d+%d" % (crop[2], crop[3], crop[0], crop[1]),
                                                 "+repage"] if crop else []), os.path.join(self.artifacts, name))

    def windows(self, name):
        """Shown windows whose title matches the pattern (ASCII: the display has no French locale)."""
        return [int(w) for w in self.run("xdotool", "search", "--onlyvisible", "--name", name, check_rc=False).split()]

    def viewable(self, window):
        return "IsViewable" in self.run("xwininfo", "-id", str(window), check_rc=False)

    def tray_icon(self):
        """The place of Lumora's icon embedded in trayer's panel, or None."""
        panel = re.search(r'(0x[0-9a-f]+) "panel": \("panel" "trayer"\)', self.run("xwininfo", "-root", "-tree"))
        for m in re.finditer(r'"Lumora".*\s(\d+)x(\d+)\S*\s+\+(-?\d+)\+(-?\d+)',
                             self.run("xwininfo", "-tree", "-id", panel.group(1)) if panel else ""):
            w, h, x, y = (int(g) for g in m.groups())
            if w > 1 and h > 1:
                return (x, y, w, h)
        return None


def stop(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()


class Lumora:
    """One run of the program, in its own folder with its own HOME, session folder and settings."""

    def __init__(self, suite, name, settings, environment):
        self.suite, self.desktop = suite, suite.desktop
        self.folder = os.path.join(suite.workdir, name)
        self.home = os.path.join(self.folder, "home")
        stubs, runtime = os.path.join(self.folder, "stubs"), os.path.join(self.folder, "runtime")
        self.config = os.path.join(self.home, ".config", "Lumora", "Lumora.conf")
        for folder in (os.path.dirname(self.config), stubs, runtime):  # runtime: the single-copy lock, its own
            os.makedirs(folder, mode=0o700)
        self.exe, self.state_file = suite.lumora, os.path.join(self.folder, "state.json")
        # A stand-in browser that only records the addresses it is given.
        self.opened_file = os.path.join(self.folder, "opened-urls.txt")
        with open(os.path.join(stubs, "xdg-open"), "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' % self.opened_file)
        os.chmod(os.path.join(stubs, "xdg-open"), 0o755)
        with open(self.config, "w") as f:
            for group, keys in settings.items():
                f.write("[%s]\n%s" % (group, "".join("%s=%s\n" % item for item in keys.items())))
        self.env = dict(self.desktop.env, HOME=self.home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                        LUMORA_STATE_FILE=self.state_file, PATH=stubs + os.pathsep + os.environ.get("PATH", ""),
                        **environment)
        self.log, self.proc, self.main_window = os.path.join(self.folder, "lumora.log"), None, None

    def start(self, args=(), at=None, shown=True):
        """at: the local date and time ("2026-06-21 12:52:45") the program's clock starts from;
        shown: the main window is expected on the screen (otherwise only the icon in the tray)."""
        env = dict(self.env, LD_PRELOAD=self.suite.faketime, FAKETIME="@" + at,
                   FAKETIME_DONT_FAKE_MONOTONIC="1") if at else self.env
        self.launched = time.time()
        with open(self.log, "ab") as log:
            self.proc = subprocess.Popen([self.exe, *args], cwd=self.folder, env=env, stdout=log,
                                         stderr=subprocess.STDOUT)
        if not shown:
            return self.wait(lambda s: s["tag"] == "OK" and s["trayShown"], 15, "the icon in the notification area")
        self.wait(lambda s: s["windowVisible"] and s["tag"] == "OK" and s["controls"]["Label5"]["text"], 15,
                  "the main window to show the clock")
        self.main_window = wait_for(lambda: self.desktop.windows("^Lumora$"), 10, "the main window's mapping")[0]

    def state(self):
        if self.proc.poll() is not None:
            raise Ended("Lumora is no longer running (exit code %s)" % self.proc.returncode)
        with open(self.state_file, encoding="utf-8") as f:
            return json.load(f)

    def wait(self, predicate, timeout, what):
        """Waits for a snapshot that satisfies predicate; returns it."""
        return wait_for(lambda: (lambda s: s if predicate(s) else None)(self.state()), timeout, what)

    def click(self, name, **where):
        self.desktop.click(self.state()["controls"][name]["rect"], **where)

    def set_text(self, name, text):
        self.click(name)
        self.desktop.key("ctrl+a")
        self.desktop.type_text(text)
        self.wait(lambda s: s["controls"][name]["text"] == text, 3, "%s to read %r" % (name, text))

    def quit_and_read(self, group):
        check(self.proc.wait(10) == 0, "Lumora ended with code %s" % self.proc.returncode)
        return self.settings(group)

    def opened(self):
        """The addresses given to the stand-in browser, once it is called."""
        return wait_for(lambda: open(self.opened_file).read().split(), 5, "the browser to be called")

    def settings(self, group):
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        parser.read(self.config, encoding="utf-8")
        return dict(parser.items(group)) if parser.has_section(group) else {}


def cli(suite, *args):
    env = dict(os.environ, **FRENCH)
    env.pop("QT_QPA_PLATFORM", None)
    done = subprocess.run([suite.cli, *args], env=env, capture_output=True, timeout=120)
    check(done.returncode == 0, "lumora-cli %s failed: %s" % (" ".join(args), done.stderr.decode(errors="replace")))
    return done.stdout


def frame_arg(frame):
    return ",".join(str(frame[k]) for k in FRAME_KEYS)


def alert_entry(suite):
    """The UT second the Sun enters ALERT_FRAME on 21 June 2026, as lumora-cli computes it."""
    h, m, s = (int(v) for v in cli(suite, "day", "--date", "21/6/2026", "--frame", frame_arg(ALERT_FRAME))
               .decode().split()[0].split(":"))
    return calendar.timegm((2026, 6, 21, h, m, s, 0, 0, 0))


def local_text(epoch, pattern):
    return datetime.datetime.fromtimestamp(epoch, zoneinfo.ZoneInfo(ZONE)).strftime(pattern)


def open_tray_menu(suite, app):
    suite.desktop.click(wait_for(suite.desktop.tray_icon, 5, "the icon in trayer's panel"), button=3)
    s = app.wait(lambda s: s["trayMenu"]["visible"] and all("rect" in i for i in s["trayMenu"]["items"]), 4,
                 "the tray icon's menu to open")
    return {item["text"]: item["rect"] for item in s["trayMenu"]["items"]}


def open_menu(app, name):
    """The items of the open menu called name, by their texts, once they are placed on the screen."""
    s = app.wait(lambda s: name in s["openMenus"] and all("rect" in i for i in s["openMenus"][name]["items"]), 4,
                 "the menu %s to open" % name)
    return {item["text"]: item["rect"] for item in s["openMenus"][name]["items"]}


def open_panorama_menu(app):
    app.click("Pic", button=3, at=(0.25, 0.2))
    return open_menu(app, "Pic.menu")


def through_dialog(suite, title, text):
    """Types text into the dialog whose title matches (a pattern) and confirms it with Return."""
    dialog = wait_for(lambda: suite.desktop.windows("^%s$" % title), 5, "the dialog %r" % title)[0]
    suite.desktop.run("xdotool", "windowactivate", "--sync", str(dialog), check_rc=False)
    time.sleep(0.3)
    suite.desktop.key("ctrl+a")
    suite.desktop.type_text(text)
    suite.desktop.key("Return")
    wait_for(lambda: not suite.desktop.windows("^%s$" % title), 5, "the dialog %r to close" % title)


def shown_date(app):
    return "/".join(app.state()["controls"]["Combo1(%d)" % i]["text"] for i in range(3))


# --------------------------------------------------------------------------
# Scenarios: one for each place where the program meets the desktop.

def scenario_tray(suite, app):
    """Started: "Réduire" hides the window into trayer's panel; a click on the icon brings it back."""
    app.start()
    time.sleep(0.3)  # let the first tick paint
    suite.desktop.screenshot("main-window.png")
    check(suite.desktop.tray_icon() is None, "a tray icon beside the shown window")
    app.click("Command4")
    app.wait(lambda s: not s["windowVisible"] and s["trayShown"], 4, "the window to go to the tray")
    check(not suite.desktop.viewable(app.main_window), "the main window is still mapped")
    icon = wait_for(suite.desktop.tray_icon, 5, "the icon in trayer's panel")
    check(icon[2] >= 16 and icon[3] >= 16, "tray icon geometry %r" % (icon,))
    suite.desktop.screenshot("tray.png")
    suite.desktop.click(icon)
    app.wait(lambda s: s["windowVisible"] and not s["trayShown"], 4, "the window to come back")
    wait_for(lambda: suite.desktop.viewable(app.main_window), 4, "the main window to be mapped again")
    wait_for(lambda: suite.desktop.tray_icon() is None, 4, "the tray icon to go")


def scenario_year(suite, app):
    """A right click on the panorama, its year entry; the intervals through the save dialog are lumora-cli hours'."""
    app.start()
    suite.desktop.click(open_panorama_menu(app)["Soleil dans la fenêtre — année…"])
    s = app.wait(lambda s: s["controls"].get("YearView", {}).get("visible")
                 and s["controls"]["YearTotal"]["text"].startswith("Total sur l'année"), 10, "the year window")
    time.sleep(0.3)
    suite.desktop.screenshot("year-window.png", crop=s["controls"]["YearView"]["rect"])

    app.click("YearExportIntervals")
    path = os.path.join(app.folder, "annee.csv")
    through_dialog(suite, "Exporter les intervalles", path)
    written = wait_for(lambda: open(path, "rb").read(), 5, "the intervals to be written")
    shutil.copy(path, os.path.join(suite.artifacts, "year-intervals.csv"))
    date = shown_date(app)
    expected = cli(suite, "hours", "--date", date, "--frame", frame_arg(YEAR_FRAME))
    check(written == expected, "the exported file (%d bytes) differs from lumora-cli hours --date %s (%d bytes)"
          % (len(written), date, len(expected)))
    return "%d intervals from %s" % (written.count(b"\r\n") - 1, date)


def scenario_alerts(suite, app):
    """Started hidden (--tray) under libfaketime: the notification at the Sun's entry; a click on it shows the window."""
    record = os.path.join(app.folder, "notifications.jsonl")
    check(suite.notifications, "no stand-in notification service given (--notifications)")
    service = suite.desktop.spawn([suite.notifications, record], suite.desktop.env, subprocess.PIPE)
    suite.helpers.append(service)
    check(first_line(service, 10, "the stand-in notification service") == "ready", "the stand-in is not ready")
    sent = lambda: [json.loads(line) for line in open(record, encoding="utf-8")] if os.path.exists(record) else []
    entry, ahead = alert_entry(suite), 12
    app.start(args=["--tray"], at=local_text(entry - ahead, "%Y-%m-%d %H:%M:%S"), shown=False)
    check(not suite.desktop.windows("^Lumora$"), "--tray mapped the main window")
    wait_for(suite.desktop.tray_icon, 5, "the icon in trayer's panel")
    check(not sent(), "a notification before the entry: %r" % sent())

    n = wait_for(sent, ahead + 10, "the entry's notification")[0]
    took = n["time"] - app.launched
    check((n["summary"], n["app_name"], n["app_icon"], n["actions"][:1])
          == ("Le Soleil entre dans la fenêtre", "Lumora", "org.lumora.Lumora", ["default"]), "Notify got %r" % n)
    check(n["body"].startswith("À %s," % local_text(entry, "%H:%M")), "the notification's body %r" % n["body"])
    check(ahead - 1.5 <= took <= ahead + 2.5, "the notification came %.1fs after the start, not %ds" % (took, ahead))
    suite.desktop.run("dbus-send", "--session", "--type=method_call", "--dest=org.freedesktop.Notifications",
                      "/org/freedesktop/Notifications", "org.freedesktop.Notifications.Invoke", "uint32:%d" % n["id"],
                      "string:default")
    app.wait(lambda s: s["windowVisible"], 4, "the window to come forward after a click on the notification")
    wait_for(lambda: suite.desktop.windows("^Lumora$"), 4, "the main window to be mapped")
    check(len(sent()) == 1, "notifications: %r" % sent())
    return "%r, %.1fs after a start %ds ahead" % (n["body"], took, ahead)


def scenario_tray_menu(suite, app):
    """The tray icon's menu: "Démarrer avec la session" writes then removes the entry; "Quitter" ends the program."""
    app.start(at=local_text(alert_entry(suite) - 3600, "%Y-%m-%d %H:%M:%S"))
    entry_file = os.path.join(app.home, ".config", "autostart", "lumora.desktop")
    menu = open_tray_menu(suite, app)
    time.sleep(0.3)
    suite.desktop.screenshot("tray-menu.png")
    suite.desktop.click(menu["Démarrer avec la session"])
    app.wait(lambda s: s["autostart"] and not s["trayMenu"]["visible"], 4, "the autostart entry to be written")
    with open(entry_file, encoding="utf-8") as f:
        text = f.read()
    check("\nExec=%s --tray\n" % app.exe in text, "the entry does not start %s --tray:\n%s" % (app.exe, text))
    suite.desktop.click(open_tray_menu(suite, app)["Démarrer avec la session"])
    app.wait(lambda s: not s["autostart"], 4, "the autostart entry to be removed")
    check(not os.path.exists(entry_file), "the autostart entry is still there")
    suite.desktop.click(open_tray_menu(suite, app)["Quitter"])
    check(app.proc.wait(10) == 0, "Lumora ended with code %s" % app.proc.returncode)


def scenario_real_view(suite, app):
    """"Fenêtre mesurée…" typed in, then a skyline opened: the day's times are lumora-cli day's."""
    app.start(at="2026-12-07 10:00:00")
    suite.desktop.click(open_panorama_menu(app)["Fenêtre mesurée…"])
    app.wait(lambda s: s["controls"].get("MeasuredWindowDialog", {}).get("visible"), 5, "the measured window's dialog")
    for key, value in MEASURED_WINDOW.items():
        app.click(key, at=(0.3, 0.5))
        suite.desktop.key("ctrl+a")
        suite.desktop.type_text(value.replace(".", ","))  # French decimal comma
    suite.desktop.click(app.state()["controls"]["MeasuredInForce"]["rect"][:2] + [16, 16])
    app.wait(lambda s: s["controls"]["MeasuredInForce"]["checked"], 3, "the box to be ticked")
    suite.desktop.key("Return")  # the dialog's default button, OK
    stored = wait_for(lambda: (lambda g: g if g.get("Active") == "true" else None)(app.settings("FenetreMesuree")),
                      5, "the dialog to close and keep the window")
    check({k: float(stored.get(k, "nan")) for k in MEASURED_WINDOW} == {k: float(v) for k, v in MEASURED_WINDOW.items()},
          "typed %r, kept %r" % (MEASURED_WINDOW, stored))
    window = ["--window", ",".join("%s=%s" % (k.lower(), v) for k, v in MEASURED_WINDOW.items())]
    times = same_times_as_cli(suite, app, window)
    time.sleep(0.3)
    suite.desktop.screenshot("measured-window.png", crop=app.state()["controls"]["Pic"]["rect"])

    skyline = os.path.join(app.folder, "horizon.csv")
    with open(skyline, "w", encoding="utf-8") as f:
        f.write("# l'immeuble en face\nazimut;hauteur\n0;2\n140;2\n141;9,5\n165;9,5\n166;2\n")
    suite.desktop.click(open_panorama_menu(app)["Horizon"])
    suite.desktop.click(open_menu(app, "SkylineMenu")["Importer l'horizon…"])
    through_dialog(suite, "Importer l'horizon", skyline)
    behind = same_times_as_cli(suite, app, window + ["--horizon", skyline])
    check(behind != times, "the skyline changed nothing: %s" % times)
    time.sleep(0.3)
    suite.desktop.screenshot("skyline.png", crop=app.state()["controls"]["Pic"]["rect"])
    return "%s, behind the skyline %s" % (times, behind)


def same_times_as_cli(suite, app, window):
    """Waits for the panorama's read-out (local times) to give the stretches lumora-cli day prints (UT)."""
    date = shown_date(app)
    d, m, y = (int(v) for v in date.split("/"))
    expected = [local_text(calendar.timegm((y, m, d, *(int(v) for v in t.split(":")), 0, 0, 0)), "%H:%M:%S")
                for t in cli(suite, "day", "--date", date, *window).decode().split()]
    check(expected, "lumora-cli day %s: no sunshine to compare" % " ".join(window))
    def same():
        shown = re.findall(r"\d\d:\d\d:\d\d", app.state()["controls"]["Pic"].get("toolTip", ""))
        check(shown == expected, "the read-out gives %s" % shown)
        return True
    wait_for(same, 5, "the read-out to give %s" % expected)
    return " ".join(expected)


def write_photo(path, width=800, height=600):
    """A photo out of a window: a sky from deep blue to pale, a dark building block standing on the bottom edge."""
    rows = []
    for y in range(height):
        sky = bytes((90 + 120 * y // height, 140 + 90 * y // height, 235))
        left, right = (width * 3 // 8, width * 5 // 8) if y >= height // 2 else (0, 0)
        rows.append(sky * left + bytes((45, 38, 35)) * (right - left) + sky * (width - right))
    with open(path + ".ppm", "wb") as f:
        f.write(b"P6 %d %d 255\n" % (width, height) + b"".join(rows))
    subprocess.run(["convert", path + ".ppm", path], check=True, timeout=30)


def pixels_apart(a, b):
    """How many pixels of two screenshots of the same size differ by more than a tenth."""
    done = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", a, b, "null:"], capture_output=True, text=True)
    return float(done.stderr.split()[0])


def scenario_photo(suite, app):
    """A photo chosen through the real open dialog shows under the course and frame; its opacity by the menu; kept."""
    app.start(at="2026-06-21 12:00:00")
    photo, pic = os.path.join(app.folder, "vue.jpg"), app.state()["controls"]["Pic"]["rect"]
    write_photo(photo)
    suite.desktop.screenshot("photo-before.png", crop=pic)
    suite.desktop.click(open_panorama_menu(app)["Photo"])
    suite.desktop.click(open_menu(app, "PhotoMenu")["Choisir une photo…"])
    through_dialog(suite, "Choisir une photo", photo)
    wait_for(lambda: app.settings("Photo").get("File") == photo, 10, "the photo to be taken")
    time.sleep(0.5)
    suite.desktop.screenshot("photo.png", crop=pic)
    changed = pixels_apart(*(os.path.join(suite.artifacts, n) for n in ("photo-before.png", "photo.png")))
    changed /= pic[2] * pic[3]
    check(changed > 0.05, "the photo changed only %.0f%% of the panorama's pixels" % (100 * changed))

    suite.desktop.click(open_panorama_menu(app)["Photo"])
    suite.desktop.click(open_menu(app, "PhotoMenu")["Opacité de la photo"])
    suite.desktop.click(open_menu(app, "PhotoOpacityMenu")["50 %"])
    wait_for(lambda: app.settings("Photo").get("Opacity") == "50", 5, "the opacity to be kept")
    time.sleep(0.3)
    suite.desktop.screenshot("photo-half.png", crop=pic)
    app.click("Command2")
    stored = app.quit_and_read("Photo")
    # Without EXIF tags: a 60° field of view, level, centred on the frame (89°–197° azimuth, 10°–55° high).
    placed = {k: float(stored.get(k, "nan")) for k in ("Azimuth", "Elevation", "Roll", "FieldOfView")}
    check((stored.get("File"), stored.get("Projection"), stored.get("Opacity")) == (photo, "rectilinear", "50")
          and abs(placed["Azimuth"] - 143) < 1.5 and abs(placed["Elevation"] - 32.5) < 1.5
          and (placed["Roll"], placed["FieldOfView"]) == (0, 60), "kept in Photo: %r" % stored)
    return "%.0f%% of the panorama changed; kept %s" % (100 * changed, ", ".join("%s %.1f" % i for i in placed.items()))


def window_title(suite, app):
    return suite.desktop.run("xdotool", "getwindowname", str(app.main_window)).strip()


def save_window_as(suite, app, name):
    suite.desktop.click(open_panorama_menu(app)["Fenêtres"])
    suite.desktop.click(open_menu(app, "KeptWindowsMenu")["Enregistrer sous…"])
    through_dialog(suite, "Enregistrer la fen.*", name)
    wait_for(lambda: window_title(suite, app) == "Lumora — " + name, 5, "the title to name %s" % name)


def scenario_windows(suite, app):
    """Two windows saved through the menu and the name dialog; a click on the first puts its site back on show."""
    app.start(at="2026-06-21 12:00:00")
    site = lambda s: [s["controls"]["Text%d" % i]["text"] for i in range(1, 5)]
    salon = site(app.state())
    save_window_as(suite, app, "Salon")
    app.set_text("Text1", "43")
    app.set_text("Text3", "5")
    save_window_as(suite, app, "Chambre")
    suite.desktop.click(open_panorama_menu(app)["Fenêtres"])
    suite.desktop.click(open_menu(app, "KeptWindowsMenu")["Salon"])
    app.wait(lambda s: site(s) == salon, 5, "the site of Salon %r" % salon)
    wait_for(lambda: window_title(suite, app) == "Lumora — Salon", 5, "the title to name Salon")
    suite.desktop.click(open_panorama_menu(app)["Fenêtres"])
    open_menu(app, "KeptWindowsMenu")
    kept = [(i["text"], i["checked"]) for i in app.state()["openMenus"]["KeptWindowsMenu"]["items"] if "checked" in i]
    check(kept == [("Salon", True), ("Chambre", False)], "the kept windows in the menu: %r" % kept)
    time.sleep(0.3)
    suite.desktop.screenshot("windows.png")
    return "Salon at %r" % salon


def scenario_english(suite, app):
    """On an English desktop: English captions, and the help key opens the English help page."""
    app.start()
    c = app.state()["controls"]
    captions = [c[name]["text"] for name in ("Command1", "Command2", "Option1")]
    check(captions == ["Search", "Quit", "North"] and c["Label5"]["text"].endswith("(UT)"),
          "an English desktop shows %r, %r" % (captions, c["Label5"]["text"]))
    time.sleep(0.3)
    suite.desktop.screenshot("main-window-english.png")
    app.click("Label5")  # the focus, without changing anything
    suite.desktop.key("F1")
    expected = "file://" + os.path.join(os.path.dirname(os.path.realpath(app.exe)), "Quorel_en.html")
    check(app.opened() == [expected], "opened %r, expected %r" % (app.opened(), expected))


def scenario_installed(suite, app):
    """The installed program: its help page under share/, the survey in Documents."""
    app.start()
    help_page = os.path.join(os.path.dirname(os.path.dirname(os.path.realpath(app.exe))), "share", "lumora",
                             "Quorel_fr.html")
    app.click("Command7")
    check(app.opened() == ["file://" + help_page], "opened %r, expected %s" % (app.opened(), help_page))
    for name in ("Check3", "Option5(2)"):  # on the box: beside a short caption the middle is empty space
        suite.desktop.click(app.state()["controls"][name]["rect"][:2] + [16, 16])
    app.click("Command1")
    s = app.wait(lambda s: not s["searching"] and s["surveyPath"]
                 and s["controls"].get("SurveyLocation", {}).get("visible"), 60, "the survey and its message")
    expected = os.path.join(app.home, "Documents", "Export.csv")
    check(s["surveyPath"] == expected and os.path.getsize(expected) > 10000, "the survey went to %r" % s["surveyPath"])
    check(not os.path.exists(os.path.join(os.path.dirname(app.exe), "Export.csv")), "a survey in the program's folder")


# name: (steps, settings groups, environment); the installed program's run alone (--installed).
SCENARIOS = {
    "tray": (scenario_tray, {}, {}),
    "year": (scenario_year, {"DATA": YEAR_FRAME}, {}),
    "alerts": (scenario_alerts, {"DATA": ALERT_FRAME, "Alertes": ALERTS_ON}, {}),
    "tray_menu": (scenario_tray_menu, {"DATA": ALERT_FRAME, "Alertes": ALERTS_ON}, {}),
    "real_view": (scenario_real_view, {}, {}),
    "photo": (scenario_photo, {"DATA": YEAR_FRAME}, {}),
    "windows": (scenario_windows, {}, {}),
    "english": (scenario_english, {}, {"LANGUAGE": "en_GB:en"}),
}
INSTALLED_SCENARIOS = {"installed": (scenario_installed, {}, {})}


class Suite:
    def __init__(self, args, workdir):
        self.lumora, self.cli = os.path.abspath(args.lumora), os.path.abspath(args.cli)
        self.notifications = args.notifications and os.path.abspath(args.notifications)
        self.faketime = next((lib for lib in FAKETIME_LIBS if os.path.exists(lib)), None)
        self.artifacts, self.workdir = os.path.abspath(args.artifacts), workdir
        self.desktop = Desktop(self.artifacts)
        self.apps, self.helpers = [], []

    def run(self, name, steps, settings, environment):
        self.apps.append(Lumora(self, name, settings, environment))
        return steps(self, self.apps[-1])

    def cleanup(self):
        for proc in [app.proc for app in self.apps if app.proc] + self.helpers:
            stop(proc)
        self.apps, self.helpers = [], []


def main():
    parser = argparse.ArgumentParser(description="End-to-end tests of Lumora on a real desktop.")
    parser.add_argument("--lumora", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--notifications", help="the stand-in notification service (tests/e2e)")
    parser.add_argument("--artifacts", default="e2e-artifacts")
    parser.add_argument("-k", dest="only", help="run only the scenarios whose name contains this")
    parser.add_argument("--installed", action="store_true", help="LUMORA is an installed program")
    args = parser.parse_args()
    missing = [t for t in TOOLS if shutil.which(t) is None]
    missing += [] if any(os.path.exists(lib) for lib in FAKETIME_LIBS) else ["libfaketime"]
    if missing:
        print("skipped: missing desktop tools: " + ", ".join(missing))
        return 77
    os.makedirs(args.artifacts, exist_ok=True)
    for old in [f for f in os.listdir(args.artifacts) if f.startswith("failure-")]:
        os.remove(os.path.join(args.artifacts, old))
    workdir = tempfile.mkdtemp(prefix="lumora-e2e-")
    suite, passed, failed, started = Suite(args, workdir), 0, 0, time.time()
    try:
        os.makedirs(os.path.join(workdir, "desktop-home"))
        suite.desktop.start(os.path.join(workdir, "desktop-home"))
        for name, (steps, settings, environment) in (INSTALLED_SCENARIOS if args.installed else SCENARIOS).items():
            if args.only and args.only not in name:
                continue
            t0, doc = time.time(), steps.__doc__.strip()
            try:
                detail = suite.run(name, steps, settings, environment)
                passed += 1
                print("PASS %-10s %5.1fs  %s%s" % (name, time.time() - t0, doc, " [%s]" % detail if detail else ""))
            except Exception as error:  # a scenario's fault must not stop the others
                failed += 1
                detail = str(error) if isinstance(error, Failure) else traceback.format_exc().strip()
                print("FAIL %-10s %5.1fs  %s\n     %s" % (name, time.time() - t0, doc, detail.replace("\n", "\n     ")))
                try:
                    suite.desktop.screenshot("failure-%s.png" % name)
                except Exception:
                    pass
                for app in suite.apps:
                    with open(app.log, errors="replace") as log:
                        print("     program output:\n       " + "\n       ".join(log.read().splitlines()[-10:]))
            finally:
                sys.stdout.flush()
                suite.cleanup()
    except Failure as error:
        print("FAIL desktop: Xvfb, openbox or trayer did not start: %s" % error)
        failed += 1
    finally:
        suite.cleanup()
        suite.desktop.stop()
        if failed:
            print("work folder kept: %s" % workdir)
        else:
            shutil.rmtree(workdir, ignore_errors=True)
        print("total %.1fs; artifacts in %s" % (time.time() - started, suite.artifacts))
        print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or passed == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
