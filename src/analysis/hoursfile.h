// The hours file: the stretches with the Sun in the window's frame over many
// UT days (see yearintervals.h), one line each, for a spreadsheet. 8-bit text
// in the system's encoding, CR LF line ends, fields separated by ";":
//
//   date;début (TU);fin (TU);début (local);fin (local);durée (min)
//   21/06/2027;10:37:05;13:02:26;12:37:05;15:02:26;145,4
//
// - date: the interval's UT date as the locale's short date (formatShortDate:
//   21/06/2027 in France, the year's own number with at least four digits);
// - début/fin (TU): its first and last second of the UT day, "HH:MM:SS" with
//   ":" whatever the locale (as lumora-cli day writes them);
// - début/fin (local): the same two instants in the site zone's local time
//   (`zone`, the computer's when invalid, see inZone in clock.h),
//   each with the zone's offset in force at that instant, "HH:MM:SS" (the
//   local date may be the day before or after the UT date);
// - durée: last - first + 1 seconds in minutes, one decimal (tenths rounded
//   half up: 15 s gives 0.3), at least one digit before the locale's decimal
//   separator.
// The header line comes first, then the days in order and each day's
// intervals in time order; a day without an interval has no line.
#pragma once

#include "analysis/replacedfile.h"
#include "analysis/yearintervals.h"

#include <QByteArray>
#include <QLocale>

namespace lumora {

// The header line, without its line end.
QString hoursFileHeader();

// A duration in seconds as the durée column writes it ("145,4" in French).
QString minutesText(long long seconds, const QLocale &locale = QLocale());

// A total in seconds as hours with one decimal ("412,5" in French), tenths
// of an hour rounded half up as for minutesText.
QString hoursText(long long seconds, const QLocale &locale = QLocale());

// The whole file: header and lines, each ending with CR LF, as bytes.
QByteArray hoursFileContents(const std::vector<YearDay> &days, const QLocale &locale = QLocale(),
                             const QTimeZone &zone = {});

// Writes the whole file through `file`, already created, and closes it (so
// that it replaces the previous file when everything was written). False,
// with file.failure() and file.errorString() saying why, when it could not be.
bool writeHoursFile(ReplacedFile &file, const std::vector<YearDay> &days, const QLocale &locale = QLocale(),
                    const QTimeZone &zone = {});

} // namespace lumora
