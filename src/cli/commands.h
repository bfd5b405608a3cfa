// The subcommands of lumora-cli. Each returns the process exit status:
// 0 success, 1 the computation could not give an answer, 2 bad arguments.
// Each command that takes --lat takes instead --window-name NAME: the site,
// the window (frame or measured window), the skyline and, for hours, the zone
// of the window of that name kept in the user's settings (read only; an
// unknown name, or one given with --lat, --lon, --frame, --window or
// --horizon, is status 2).
#pragma once

#include <QByteArrayList>
#include <QTextStream>

namespace lumora::cli {

int runPosition(const QByteArrayList &words, QTextStream &out, QTextStream &err);
int runSurvey(const QByteArrayList &words, QTextStream &out, QTextStream &err);
int runSearch(const QByteArrayList &words, QTextStream &out, QTextStream &err);
// The UT day's intervals with the Sun in the frame, one line each: first and
// last second, "HH:MM:SS HH:MM:SS" in UT; nothing when there is none.
int runDay(const QByteArrayList &words, QTextStream &out, QTextStream &err);
// The hours file (see analysis/hoursfile.h) of --days UT days from --date
// (366 by default, 1 to 3660), to --out or standard output: status 1 when it
// cannot be written. Its local columns are in the zone of --zone (default:
// the computer's).
int runHours(const QByteArrayList &words, QTextStream &out, QTextStream &err);
} // namespace lumora::cli
