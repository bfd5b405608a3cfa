#include "common/formats.h"

#include <QRegularExpression>
#include <cmath>

namespace lumora {

QString formatNumber(double value, NumberPattern pattern, const QLocale &locale)
{
    if (std::isnan(value))
        return locale.toString(value);
    if (std::isinf(value))
        return locale.toString(value);

    const double scale = std::pow(10.0, pattern.decimals);
    const double magnitude = std::fabs(value);
    // 'f' formatting rounds the exact binary value correctly; only an exact tie
    // (possible when the product is exact) needs moving away from zero.
    QString digits = QString::number(magnitude, 'f', pattern.decimals);
    const double product = magnitude * scale;
    if (std::isfinite(product) && std::fma(magnitude, scale, -product) == 0.0
        && product - std::floor(product) == 0.5) {
        digits = QString::number((std::floor(product) + 1.0) / scale, 'f', pattern.decimals);
    }

    QString integerPart = digits;
    QString fraction;
    const qsizetype point = digits.indexOf(u'.');
    if (point >= 0) {
        integerPart = digits.left(point);
        fraction = digits.mid(point + 1);
    }
    if (integerPart == u"0")
        integerPart.clear();
    while (integerPart.size() < pattern.minIntegerDigits)
        integerPart.prepend(u'0');

    const bool roundsToZero = digits.count(u'0') + (point >= 0 ? 1 : 0) == digits.size();
    QString text;
    if (value < 0 && !roundsToZero)
        text += u'-';
    text += integerPart;
    if (pattern.decimals > 0)
        text += locale.decimalPoint() + fraction;
    return text;
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
