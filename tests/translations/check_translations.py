#!/usr/bin/env python3
"""The English translation is complete and up to date with the sources.

Usage: check_translations.py SOURCE_DIR
Runs lupdate over src/ into a copy of translations/lumora_en.ts, then checks
that every text of the program has an English translation (none unfinished,
none empty), that no entry is left over from a text that is gone, and that a
translation keeps its source's placeholders (%1, %2…). Prints
"N passed, M failed"; exits 77 when lupdate is missing.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

LUPDATE_CANDIDATES = ["/usr/lib/qt6/bin/lupdate", "lupdate6", "lupdate"]


def main():
    source = sys.argv[1]
    lupdate = next((c for c in LUPDATE_CANDIDATES if shutil.which(c)), None)
    if not lupdate:
        print("lupdate is missing")
        return 77
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        ts = os.path.join(tmp, "lumora_en.ts")
        shutil.copy(os.path.join(source, "translations", "lumora_en.ts"), ts)
        subprocess.run([lupdate, "-silent", "-locations", "none", os.path.join(source, "src"), "-ts", ts],
                       check=True)
        root = ET.parse(ts).getroot()
        count = 0
        for context in root.iter("context"):
            name = context.find("name").text
            for message in context.iter("message"):
                count += 1
                text = message.find("source").text or ""
                translation = message.find("translation")
                kind = translation.get("type")
                where = "%s: %r" % (name, text)
                if kind in ("vanished", "obsolete"):
                    failures.append("left over from a text that is gone: " + where)
                elif kind == "unfinished" or not (translation.text or "").strip():
                    failures.append("no English translation: " + where)
                elif sorted(re.findall(r"%\d", text)) != sorted(re.findall(r"%\d", translation.text)):
                    failures.append("placeholders differ: %s -> %r" % (where, translation.text))
    for failure in failures:
        print("FAIL " + failure)
    print("%d texts checked" % count)
    passed = count - len(failures)
    print("%d passed, %d failed" % (passed, len(failures)))
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
