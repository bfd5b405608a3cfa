#include "cli/arguments.h"

#include "astro/julianday.h"

#include <QFile>
#include <QRegularExpression>
#include <cmath>

namespace lumora::cli {

std::optional<CivilDate> parseDate(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(-?\\d{1,5})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int day = m.captured(1).toInt(), month = m.captured(2).toInt(), year = m.captured(3).toInt();
    if (!isCalendarDate(day, month, year))
        return std::nullopt;
    return CivilDate{year, month, day};
}

std::optional<double> parseHours(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\d+(\\.\\d+)?$"));
    if (!re.match(text).hasMatch())
        return std::nullopt;
    const double v = text.toDouble();
    if (!(v >= 0 && v < 24))
        return std::nullopt;
    return v;
}

namespace {
std::optional<double> parseAngle(const QString &text, QChar positive, QChar negative, double limit,
                                 bool positiveIsWest)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d+(?:\\.\\d+)?)(?::(\\d+(?:\\.\\d+)?))?([A-Za-z])$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QChar hemisphere = m.captured(3).at(0).toUpper();
    if (hemisphere != positive && hemisphere != negative)
        return std::nullopt;
    double value = m.captured(1).toDouble();
    if (!m.captured(2).isEmpty()) {
        const double minutes = m.captured(2).toDouble();
        if (minutes >= 60)
            return std::nullopt;
        value += minutes / 60;
    }
    if (!std::isfinite(value) || value > limit)
        return std::nullopt;
    const bool isPositive = hemisphere == positive;
    // Internally latitude is positive north and longitude positive west.
    if (positiveIsWest)
        return isPositive ? -value : value;
    return isPositive ? value : -value;
}
} // namespace

std::optional<double> parseLatitude(const QString &text)
{
    return parseAngle(text, u'N', u'S', 90, false);
}

std::optional<double> parseLongitude(const QString &text)
{
    return parseAngle(text, u'E', u'W', 180, true);
}

Options parseOptions(const QByteArrayList &words, const QStringList &valueOptions, const QStringList &flagOptions)
{
    Options options;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString w = QFile::decodeName(words[i]);
        if (options.flags.contains(w) || options.values.count(w)) {
            options.error = QStringLiteral("%1 given twice").arg(w);
            return options;
        }
        if (flagOptions.contains(w)) {
            options.flags << w;
        } else if (valueOptions.contains(w)) {
            if (i + 1 >= words.size()) {
                options.error = QStringLiteral("missing value after %1").arg(w);
                return options;
            }
            if (words[i + 1].isEmpty()) {
                options.error = QStringLiteral("empty value after %1").arg(w);
                return options;
            }
            options.values[w] = words[++i];
        } else {
            options.error = QStringLiteral("unknown argument '%1'").arg(w);
            return options;
        }
    }
    return options;
}

} // namespace lumora::cli
