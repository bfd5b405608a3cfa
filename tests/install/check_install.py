#!/usr/bin/env python3
# Installs the build into a staging folder and checks what a desktop needs.
#
# Usage: check_install.py BUILD_DIR
# Lists the installed files against the expected ones, runs desktop-file-validate
# on the desktop entry and appstreamcli on the metainfo, and checks that the
# manual page carries the project's version. Prints each failure; exits 1 on
# any, 77 (skipped) when a validator is missing.
import os
import shutil
import subprocess
import sys
import tempfile

APP_ID = "org.lumora.Lumora"
DESKTOP, METAINFO = f"share/applications/{APP_ID}.desktop", f"share/metainfo/{APP_ID}.metainfo.xml"
MAN = "share/man/man1/lumora-cli.1"
EXPECTED = ["bin/Lumora", "bin/lumora-cli", DESKTOP, METAINFO, MAN, f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
            *[f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in (16, 32, 48, 64, 128, 256)],
            "share/lumora/Quorel_fr.html", "share/lumora/Quorel_en.html", "share/doc/lumora/LICENSE"]


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True)
    return done.returncode, (done.stdout + done.stderr).strip()


def main():
    if not all(shutil.which(tool) for tool in ("desktop-file-validate", "appstreamcli")):
        print("desktop-file-validate or appstreamcli is missing")
        return 77
    failures = []
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run(["cmake", "--install", sys.argv[1], "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        found = {os.path.relpath(os.path.join(d, f), prefix) for d, _, files in os.walk(prefix) for f in files}
        if found != set(EXPECTED):
            failures.append("installed files: missing %s, unexpected %s"
                            % (sorted(set(EXPECTED) - found), sorted(found - set(EXPECTED))))
        at = lambda name: os.path.join(prefix, name)
        failures += [name + " is not executable" for name in EXPECTED[:2] if not os.access(at(name), os.X_OK)]
        code, out = run("desktop-file-validate", at(DESKTOP))
        if code or "error" in out.lower():
            failures.append("desktop-file-validate: " + out)
        text = open(at(DESKTOP), encoding="utf-8").read() if os.path.exists(at(DESKTOP)) else ""
        if not all(line in text for line in ("\nExec=Lumora\n", f"\nIcon={APP_ID}\n", "\nComment[fr]=", "\nComment=")):
            failures.append("the desktop entry does not start Lumora with its icon and comments:\n" + text)
        code, out = run("appstreamcli", "validate", "--no-net", at(METAINFO))
        if code:
            failures.append("appstreamcli validate: " + out)
        version = run(at("bin/lumora-cli"), "--version")[1].split()
        man = open(at(MAN), encoding="utf-8").read() if os.path.exists(at(MAN)) else ""
        if not version or "Lumora " + version[-1] not in man:
            failures.append("the manual page does not carry the program's version %s" % version)
    print("\n".join("FAIL " + f for f in failures) or "all installation checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
