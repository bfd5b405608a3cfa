#!/usr/bin/env python3
"""The hours file as a spreadsheet reads it: lumora-cli hours in a French
environment, read back with Python's csv module and ";" as the separator.
Every field has its type (a dd/mm/yyyy date, HH:MM:SS times, a decimal-comma
number), the duration is the seconds from first to last in minutes, the
local times are the UT times in Paris' offset at those instants, and the
dates go in order.

Usage: check_hours_csv.py LUMORA_CLI
"""

import csv
import datetime
import io
import subprocess
import sys
import zoneinfo

PARIS = zoneinfo.ZoneInfo("Europe/Paris")
HEADER = ["date", "début (TU)", "fin (TU)", "début (local)", "fin (local)", "durée (min)"]


def main():
    cli = sys.argv[1]
    env = {"LC_ALL": "fr_FR.UTF-8", "TZ": "Europe/Paris", "PATH": "/usr/bin:/bin"}
    # A frame low in the south-east: mornings, across both changes of the clocks.
    out = subprocess.run([cli, "hours", "--date", "1/1/2027", "--frame", "2000,6000,2500,4335"],
                         env=env, capture_output=True, check=True).stdout
    assert b"\r\n" in out and out.count(b"\r\n") == out.count(b"\n"), "lines must end with CR LF"
    rows = list(csv.reader(io.StringIO(out.decode("utf-8"), newline=""), delimiter=";"))
    assert rows[0] == HEADER, rows[0]
    previous = None
    for row in rows[1:]:
        assert len(row) == 6, row
        date = datetime.datetime.strptime(row[0], "%d/%m/%Y").date()
        first_ut, last_ut, first_local, last_local = (datetime.datetime.strptime(t, "%H:%M:%S").time()
                                                      for t in row[1:5])
        minutes = float(row[5].replace(",", "."))
        assert "," in row[5] and "." not in row[5], row[5]
        start = datetime.datetime.combine(date, first_ut, datetime.timezone.utc)
        end = datetime.datetime.combine(date, last_ut, datetime.timezone.utc)
        seconds = (end - start).total_seconds() + 1
        assert abs(minutes - seconds / 60) <= 0.05 + 1e-9, (row, seconds)
        assert start.astimezone(PARIS).time() == first_local, row
        assert end.astimezone(PARIS).time() == last_local, row
        assert previous is None or (date, first_ut) > previous, row
        previous = (date, first_ut)
    summer = [r for r in rows[1:] if r[0].endswith("/07/2027")]
    winter = [r for r in rows[1:] if r[0].endswith("/01/2027")]
    assert summer and winter, "the frame should hold the Sun in January and July"
    print("%d intervals read back with their types" % (len(rows) - 1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
