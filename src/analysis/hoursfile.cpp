// The lines of the hours file and its writing.
#include "analysis/hoursfile.h"

#include "common/formats.h"

#include <cstdlib>

namespace lumora {

QString hoursFileHeader()
{
    return QStringLiteral("date;début (TU);fin (TU);début (local);fin (local);durée (min)");
}

QString minutesText(long long seconds, const QLocale &locale)
{
    // Tenths of a minute are six seconds: rounded half up in whole numbers,
    // so that no binary fraction decides a tie.
    const bool negative = seconds < 0;
    const long long tenths = (std::llabs(seconds) + 3) / 6;
    QString text = QString::number(tenths / 10) + locale.decimalPoint() + QString::number(tenths % 10);
    return negative && tenths != 0 ? QLatin1Char('-') + text : text;
}

QByteArray hoursFileContents(const std::vector<YearDay> &days, const QLocale &locale)
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
        const std::vector<LocalSunInterval> local = localSunIntervals(day.julianDay0h, day.intervals);
        for (size_t i = 0; i < day.intervals.size(); ++i) {
            const SunInterval &interval = day.intervals[i];
            text += date + u';' + utClock(interval.firstSecond) + u';' + utClock(interval.lastSecond) + u';'
                + local[i].first.toString(clock) + u';' + local[i].last.toString(clock) + u';'
                + minutesText(interval.seconds(), locale) + QStringLiteral("\r\n");
        }
    }
    return text.toLocal8Bit();
}

bool writeHoursFile(ReplacedFile &file, const std::vector<YearDay> &days, const QLocale &locale)
{
    const bool written = file.write(hoursFileContents(days, locale));
    return file.close() && written;
}

} // namespace lumora
