// Map address building: coordinate texts with "." whatever the locale.
#include "maptools/mapaddress.h"

#include <cmath>

namespace lumora {

namespace {

struct DegreeDigits {
    QString sign;     // "-" or empty
    QString integer;  // digits of the whole degrees
    QString decimals; // exactly seven digits
};

// Splits a value into its sign, whole part and seven rounded decimals.
DegreeDigits splitDegrees(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    DegreeDigits d;
    if (value < 0)
        d.sign = QStringLiteral("-");
    const double magnitude = std::fabs(value);
    double whole = std::trunc(magnitude);
    // Taking off the whole part is exact in binary, so only the fraction is rounded.
    const QString fraction = QString::number(magnitude - whole, 'f', 7); // "0.1234567", C locale
    if (fraction.startsWith(u'1')) { // 0.99999996 and above round up to a whole degree
        whole += 1.0;
        d.decimals = QStringLiteral("0000000");
    } else {
        d.decimals = fraction.mid(2);
    }
    d.integer = QString::number(whole, 'f', 0);
    return d;
}

} // namespace

QString mapLatitudeText(double latitude)
{
    const DegreeDigits d = splitDegrees(latitude);
    return d.sign + d.integer + u'.' + d.decimals;
}

QString mapLongitudeText(double eastLongitude)
{
    DegreeDigits d = splitDegrees(eastLongitude);
    while (d.decimals.endsWith(u'0'))
        d.decimals.chop(1);
    return d.sign + d.integer + u'.' + d.decimals;
}

QString mapQuery(double latitude, double westLongitude)
{
    return QStringLiteral("?ll=") + mapLatitudeText(latitude) + u',' + mapLongitudeText(-westLongitude)
        + QStringLiteral("&spn=0.099583,0.219830&t=h&hl=fr");
}

QUrl mapAddress(double latitude, double westLongitude)
{
    return QUrl(QLatin1String(kMapServiceAddress) + QStringLiteral("/maps") + mapQuery(latitude, westLongitude));
}

} // namespace lumora
