// Number reading from user text and the checked conversions.
#include "common/numbers.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <limits>

namespace lumora {

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
} // namespace

double leadingNumber(QStringView text)
{
    // Collect sign, digits and one period, skipping blanks anywhere, then let
    // the C library convert the collected ASCII text exactly.
    std::string collected;
    collected.reserve(32);
    bool sawSign = false, sawDigit = false, sawPoint = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if ((c == u'+' || c == u'-') && !sawSign && !sawDigit && !sawPoint) {
            sawSign = true;
            collected.push_back(static_cast<char>(c.unicode()));
        } else if (isDigit(c)) {
            sawDigit = true;
            collected.push_back(static_cast<char>(c.unicode()));
        } else if (c == u'.' && !sawPoint) {
            sawPoint = true;
            collected.push_back('.');
        } else {
            break;
        }
    }
    if (!sawDigit)
        return 0.0;
    // strtod honours the C locale's decimal point; build the number by hand
    // instead of depending on setlocale().
    const QString ascii = QString::fromLatin1(collected.data(), qsizetype(collected.size()));
    bool ok = false;
    const double v = ascii.toDouble(&ok); // QString::toDouble is always C-locale
    if (!ok || !std::isfinite(v))
        return 0.0;
    return v;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double r = std::nearbyint(value); // default rounding mode: to nearest, ties to even
    return r;
}

std::optional<std::int16_t> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

QString shortestText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace lumora
