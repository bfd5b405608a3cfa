// Panorama and dial coordinates, bar scales and graduation captions.
#include "diagrams/geometry.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

// Nearest integer (halves to even) limited to what a scroll bar holds.
int barInteger(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(roundHalfEven(value), 0.0, 32767.0));
}

QString degreesCaption(int degrees)
{
    return QString::number(degrees) + u'°';
}

} // namespace

double azimuthToX(double azimuth, PictureSize pic)
{
    return azimuth * double(pic.width) / 360;
}

double xToAzimuth(double x, PictureSize pic)
{
    return x * 360 / double(pic.width);
}

double elevationToY(double elevation, PictureSize pic)
{
    const double h = pic.height;
    return h - h * elevation / 90;
}

double yToElevation(double y, PictureSize pic)
{
    return 90 - y * 90 / double(pic.height);
}

BarScale horizontalBarScale(PictureSize pic)
{
    const double w = pic.width;
    return {barInteger(w), barInteger(w / 720), barInteger(w / 72)};
}

BarScale verticalBarScale(PictureSize pic)
{
    const double h = pic.height;
    return {barInteger(h), barInteger(h / 180), barInteger(h / 18)};
}

float graduationTickX(int i, float picLeft, PictureSize pic)
{
    return static_cast<float>(double(picLeft) + i * 14.98 * double(pic.width) / 360);
}

QString azimuthGraduationCaption(int i)
{
    return degreesCaption(15 * i);
}

QString elevationGraduationCaption(int i)
{
    return degreesCaption((9 - i) * 10);
}

QPointF azimuthDialCentre(double dialWidth)
{
    return {dialWidth / 2, dialWidth / 2 - 80};
}

QPointF azimuthDialPoint(double dialWidth, double azimuth, double radius)
{
    const QPointF c = azimuthDialCentre(dialWidth);
    const double t = (azimuth - 90) * kDialPi / 180;
    return {c.x() + radius * std::cos(t), c.y() + radius * std::sin(t)};
}

QPointF elevationDialCentre(double dialWidth, double elevation)
{
    const double cx = dialWidth - 200;
    return {cx, elevation > 0 ? dialWidth - 200 : 200.0};
}

QPointF elevationDialPoint(double dialWidth, double elevation, double radius)
{
    const QPointF c = elevationDialCentre(dialWidth, elevation);
    const double t = (elevation - 180) * kDialPi / 180;
    return {c.x() + radius * std::cos(t), c.y() + radius * std::sin(t)};
}

} // namespace lumora
