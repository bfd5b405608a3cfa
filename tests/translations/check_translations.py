#!/usr/bin/env python3
# The English translation is complete and up to date with the sources.
#
# Usage: check_translations.py SOURCE_DIR
# Runs lupdate over src/ into a copy of translations/lumora_en.ts, then checks
# that every text of the program has an English translation (none unfinished,
# none empty), that no entry is left over from a text that is gone, and that a
# translation keeps its source's placeholders (%1, %2…). Prints each failure;
# exits 1 on any, 77 when lupdate is missing.
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
    failures, count = [], 0
    with tempfile.TemporaryDirectory() as tmp:
        ts = shutil.copy(os.path.join(source, "translations", "lumora_en.ts"), tmp)
        subprocess.run([lupdate, "-silent", "-locations", "none", os.path.join(source, "src"), "-ts", ts], check=True)
        for context in ET.parse(ts).getroot().iter("context"):
            for message in context.iter("message"):
                count += 1
                text, translation = message.find("source").text or "", message.find("translation")
                english, where = translation.text or "", "%s: %r" % (context.find("name").text, text)
                if translation.get("type") in ("vanished", "obsolete"):
                    failures.append("left over from a text that is gone: " + where)
                elif translation.get("type") == "unfinished" or not english.strip():
                    failures.append("no English translation: " + where)
                elif sorted(re.findall(r"%\d", text)) != sorted(re.findall(r"%\d", english)):
                    failures.append("placeholders differ: %s -> %r" % (where, english))
    print("".join("FAIL %s\n" % f for f in failures) + "%d texts checked, %d failed" % (count, len(failures)))
    return 1 if failures or count == 0 else 0

if __name__ == "__main__":
    sys.exit(main())
