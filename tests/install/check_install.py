#!/usr/bin/env python3
"""Installs the build into a staging folder and checks what a desktop needs.

Usage: check_install.py BUILD_DIR
Lists the installed files against the expected ones, runs desktop-file-validate
on the desktop entry and appstreamcli on the metainfo, and checks that the
manual page carries the project's version. Prints "N passed, M failed".
Exits 77 (skipped) when a validator is missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile

APP_ID = "org.lumora.Lumora"
EXPECTED = [
    "bin/Lumora",
    "bin/lumora-cli",
    f"share/applications/{APP_ID}.desktop",
    f"share/metainfo/{APP_ID}.metainfo.xml",
    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    *[f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in (16, 32, 48, 64, 128, 256)],
    "share/lumora/Quorel_fr.html",
    "share/lumora/Quorel_en.html",
    "share/man/man1/lumora-cli.1",
    "share/doc/lumora/LICENSE",
]


def main():
    build = sys.argv[1]
    for tool in ("desktop-file-validate", "appstreamcli"):
        if not shutil.which(tool):
            print(f"{tool} is missing")
            return 77
    passed = failed = 0

    def check(ok, what):
        nonlocal passed, failed
        print(("PASS " if ok else "FAIL ") + what)
        if ok:
            passed += 1
        else:
            failed += 1

    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        found = sorted(os.path.relpath(os.path.join(d, f), prefix)
                       for d, _, files in os.walk(prefix) for f in files)
        check(found == sorted(EXPECTED),
              "installed files: missing %s, unexpected %s"
              % (sorted(set(EXPECTED) - set(found)), sorted(set(found) - set(EXPECTED))))
        for name in ("bin/Lumora", "bin/lumora-cli"):
            check(os.access(os.path.join(prefix, name), os.X_OK), name + " is executable")
        desktop = os.path.join(prefix, "share/applications", APP_ID + ".desktop")
        if os.path.exists(desktop):
            r = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
            errors = [l for l in (r.stdout + r.stderr).splitlines() if "error" in l.lower()]
            check(r.returncode == 0 and not errors, "desktop-file-validate: " + (r.stdout + r.stderr).strip())
            text = open(desktop, encoding="utf-8").read()
            check("\nExec=Lumora\n" in text and f"\nIcon={APP_ID}\n" in text and "\nComment[fr]=" in text
                  and "\nComment=" in text, "desktop entry starts Lumora with its icon, English and French comment")
        metainfo = os.path.join(prefix, "share/metainfo", APP_ID + ".metainfo.xml")
        if os.path.exists(metainfo):
            r = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], capture_output=True, text=True)
            check(r.returncode == 0, "appstreamcli validate: " + (r.stdout + r.stderr).strip())
        man = os.path.join(prefix, "share/man/man1/lumora-cli.1")
        if os.path.exists(man):
            version = subprocess.run([os.path.join(prefix, "bin/lumora-cli"), "--version"],
                                     capture_output=True, text=True).stdout.split()
            check(bool(version) and ("Lumora " + version[-1]) in open(man, encoding="utf-8").read(),
                  "manual page carries the program's version %s" % version)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
