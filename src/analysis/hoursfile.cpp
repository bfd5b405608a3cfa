// The lines of the hours file and its writing.
#include "analysis/hoursfile.h"

#include "common/formats.h"

#include <cstdlib>

namespace lumora {

QString hoursFileHeader()
{
    return QStringLiteral("date;début (TU);fin (TU);début (local);fin (local);durée (min)");
}

namespace {
// Seconds in tenths of a unit of `unitSeconds` seconds, rounded half up in
// whole numbers, so that no binary fraction decides a tie.
QString tenthsText(long long seconds, long long unitSeconds, const QLocale &locale)
{
    const long long tenthSeconds = unitSeconds / 10;
    const long long tenths = (std::llabs(seconds) + tenthSeconds / 2) / tenthSeconds;
    const QString text = QString::number(tenths / 10) + locale.decimalPoint() + QString::number(tenths % 10);
    return seconds < 0 && tenths != 0 ? QLatin1Char('-') + text : text;
}
} // namespace

QString minutesText(long long seconds, const QLocale &locale) { return tenthsText(seconds, 60, locale); }

QString hoursText(long long seconds, const QLocale &locale) { return tenthsText(seconds, 3600, locale); }

QByteArray hoursFileContents(const std::vector<YearDay> &days, const QLocale &locale, const QTimeZone &zone)
{
    const QString clock = QStringLiteral("HH:mm:ss");
    const auto utClock = [](int second) {
        return QStringLiteral("%1:%2:%3")
            .arg(second / 3600, 2, 10, QLatin1Char('0'))
            .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(second % 60, 2, 10, QLatin1Char('0'));
    };
    QString text = hoursFileHeader() + QStringLiteral("\r\n");
    for (const YearDay &day : days) {
        if (day.intervals.empty())
            continue;
        const QString date = formatShortDate(day.date, locale);
        const std::vector<LocalSunInterval> local = localSunIntervals(day.julianDay0h, day.intervals, zone);
        for (size_t i = 0; i < day.intervals.size(); ++i) {
            const SunInterval &interval = day.intervals[i];
            text += date + u';' + utClock(interval.firstSecond) + u';' + utClock(interval.lastSecond) + u';'
                + local[i].first.toString(clock) + u';' + local[i].last.toString(clock) + u';'
                + minutesText(interval.seconds(), locale) + QStringLiteral("\r\n");
        }
    }
    return text.toLocal8Bit();
}

bool writeHoursFile(ReplacedFile &file, const std::vector<YearDay> &days, const QLocale &locale, const QTimeZone &zone)
{
    const bool written = file.write(hoursFileContents(days, locale, zone));
    return file.close() && written;
}

} // namespace lumora
