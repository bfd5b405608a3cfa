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

namespace {
// A whole number in the locale's digits, at least minDigits of them.
QString localeInteger(long long value, int minDigits, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    QString digits = plain.toString(static_cast<qulonglong>(magnitude));
    const QString zero = locale.zeroDigit(); // one or two UTF-16 units
    for (qsizetype count = digits.size() / zero.size(); count < minDigits; ++count)
        digits.prepend(zero);
    return value < 0 ? locale.negativeSign() + digits : digits;
}
} // namespace

QString formatDate(const CivilDate &date, QStringView format, const QLocale &locale)
{
    QString text;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (c == u'\'') {
            // '' is a quote; 'text' is written as it stands.
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                text += u'\'';
                i += 2;
                continue;
            }
            qsizetype j = i + 1;
            for (; j < format.size(); ++j) {
                if (format[j] == u'\'') {
                    if (j + 1 < format.size() && format[j + 1] == u'\'') {
                        text += u'\'';
                        ++j;
                        continue;
                    }
                    break;
                }
                text += format[j];
            }
            i = j + 1;
            continue;
        }
        if (c == u'd') {
            text += localeInteger(date.day, run >= 2 ? 2 : 1, locale);
        } else if (c == u'M') {
            if (run >= 3)
                text += locale.monthName(date.month, run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            else
                text += localeInteger(date.month, run, locale);
        } else if (c == u'y') {
            text += localeInteger(date.year, 4, locale);
        } else {
            text += format.mid(i, run);
        }
        i += run;
    }
    return text;
}

QString formatShortDate(const CivilDate &date, const QLocale &locale)
{
    return formatDate(date, locale.dateFormat(QLocale::ShortFormat), locale);
}

QString formatDateTime(const CivilDate &date, double dayFraction, const QLocale &locale)
{
    return formatShortDate(date, locale) + u' ' + formatTimeOfDay(dayFraction, true, locale);
}

} // namespace lumora
