#include "common/formats.h"

#include <QRegularExpression>
#include <cmath>

namespace lumora {

bool roundedUnits(double magnitude, int decimals, unsigned long long &units)
{
    static constexpr double kScales[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    if (decimals < 0 || decimals > 6)
        return false;
    const double scale = kScales[decimals];
    const double product = magnitude * scale;
    if (!(product < 9.0e15))
        return false;
    const double below = std::floor(product);
    const double fraction = product - below;
    // Below 1e9 the product is exact to better than 1e-7, so a fraction more
    // than 1e-6 from a half is rounded the right way.
    if (product < 1e9 && std::fabs(fraction - 0.5) > 1e-6) {
        // Far from a tie the product's rounding cannot change the result.
        units = static_cast<unsigned long long>(fraction > 0.5 ? below + 1 : below);
        return true;
    }
    if (std::fma(magnitude, scale, -product) == 0.0 && fraction == 0.5) {
        units = static_cast<unsigned long long>(below + 1); // an exact tie
        return true;
    }
    // Near a tie, let the exact decimal expansion decide.
    const QString digits = QString::number(magnitude, 'f', decimals);
    QString plain = digits;
    plain.remove(u'.');
    bool ok = false;
    units = plain.toULongLong(&ok);
    return ok;
}

QString formatNumber(double value, NumberPattern pattern, QStringView decimalPoint)
{
    if (!std::isfinite(value))
        return QLocale::c().toString(value);
    const double magnitude = std::fabs(value);
    unsigned long long units = 0;
    QString integerPart;
    QString fraction;
    if (roundedUnits(magnitude, pattern.decimals, units)) {
        unsigned long long divisor = 1;
        for (int i = 0; i < pattern.decimals; ++i)
            divisor *= 10;
        const unsigned long long whole = units / divisor;
        if (whole != 0)
            integerPart = QString::number(whole);
        if (pattern.decimals > 0)
            fraction = QString::number(units % divisor).rightJustified(pattern.decimals, u'0');
    } else {
        // Huge values: the plain text, without a point.
        const QString digits = QString::number(magnitude, 'f', pattern.decimals);
        const qsizetype point = digits.indexOf(u'.');
        integerPart = point >= 0 ? digits.left(point) : digits;
        fraction = point >= 0 ? digits.mid(point + 1) : QString();
        units = 1;
    }
    while (integerPart.size() < pattern.minIntegerDigits)
        integerPart.prepend(u'0');

    QString text;
    text.reserve(integerPart.size() + fraction.size() + 3);
    if (value < 0 && units != 0)
        text += u'-';
    text += integerPart;
    if (pattern.decimals > 0) {
        text += decimalPoint;
        text += fraction;
    }
    return text;
}

QString formatNumber(double value, NumberPattern pattern, const QLocale &locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);
    return formatNumber(value, pattern, locale.decimalPoint());
}

QString timeSeparator(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression hours(QStringLiteral("[hH]"));
    const qsizetype h = format.indexOf(hours);
    if (h >= 0) {
        qsizetype i = h;
        while (i < format.size() && (format[i] == u'h' || format[i] == u'H'))
            ++i;
        qsizetype j = i;
        while (j < format.size() && format[j] != u'm')
            ++j;
        if (j < format.size() && j > i) {
            QString sep = format.mid(i, j - i);
            sep.remove(u'\'');
            if (!sep.isEmpty())
                return sep;
        }
    }
    return QStringLiteral(":");
}

QString formatTimeOfDay(double dayFraction, bool withSeconds, const QLocale &locale)
{
    long long seconds = 0;
    if (std::isfinite(dayFraction)) {
        const double s = std::round(dayFraction * 86400.0);
        const double reduced = s - 86400.0 * std::floor(s / 86400.0);
        seconds = static_cast<long long>(reduced);
    }
    const QString sep = timeSeparator(locale);
    auto two = [](long long v) { return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')); };
    QString text = two(seconds / 3600) + sep + two(seconds / 60 % 60);
    if (withSeconds)
        text += sep + two(seconds % 60);
    return text;
}

QString formatShortDate(const QDate &date, const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Widen a two-digit year ("yy" not part of "yyyy") to four digits.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QString formatDateTime(const QDate &date, double dayFraction, const QLocale &locale)
{
    return formatShortDate(date, locale) + u' ' + formatTimeOfDay(dayFraction, true, locale);
}

} // namespace lumora
