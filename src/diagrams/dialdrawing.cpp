// The strokes of the azimuth and elevation dials, the read-outs and the sun
// picture's placement.
#include "diagrams/dialdrawing.h"

#include "common/formats.h"
#include "diagrams/geometry.h"

#include <QCoreApplication>
#include <cmath>

namespace lumora {

namespace {

using Kind = DialStroke::Kind;
using Style = DialStroke::Style;

QPointF asFloats(double x, double y)
{
    return {double(float(x)), double(float(y))};
}

QPointF asFloats(QPointF p)
{
    return asFloats(p.x(), p.y());
}

DialStroke line(Style style, int width, Rgb colour, QPointF from, QPointF to)
{
    return {Kind::Line, style, width, colour, asFloats(from), asFloats(to), 0, {}};
}

DialStroke circle(Style style, Rgb colour, QPointF centre, double radius)
{
    return {Kind::Circle, style, 1, colour, asFloats(centre), {}, double(float(radius)), {}};
}

DialStroke letter(const char *text, double left, double top)
{
    return {Kind::Text, Style::Solid, 1, kWindowText, asFloats(left, top), {}, 0,
            QCoreApplication::translate("Dials", text)};
}

// A point at `distance` from `centre` in the direction of `angle` (radians,
// screen convention: 0 right, increasing clockwise since Y grows downward).
QPointF polar(QPointF centre, double distance, double angle)
{
    return {centre.x() + distance * std::cos(angle), centre.y() + distance * std::sin(angle)};
}

// The pointer's line from the centre, then its head: tip to the first base
// point, second base point to tip, and the base itself.
void addPointer(std::vector<DialStroke> &strokes, Rgb colour, QPointF centre, QPointF tip,
                QPointF base1, QPointF base2)
{
    strokes.push_back(line(Style::Solid, 2, colour, centre, tip));
    strokes.push_back(line(Style::Solid, 2, colour, tip, base1));
    strokes.push_back(line(Style::Solid, 2, colour, base2, tip));
    strokes.push_back(line(Style::Solid, 2, colour, base2, base1));
}

QString readout(const char *name, double value, const QLocale &locale)
{
    return QCoreApplication::translate("Dials", name) + QStringLiteral(" = ")
        + formatNumber(value, kPatternHash_00, locale) + QStringLiteral(" °");
}

} // namespace

std::vector<DialStroke> azimuthDialStrokes(double width, double height, double azimuth)
{
    const double w = width, h = height;
    const QPointF c = azimuthDialCentre(w);
    std::vector<DialStroke> strokes;
    strokes.reserve(24);

    strokes.push_back(line(Style::Dot, 1, kDialGrey, {350, c.y()}, {w - 300, c.y()}));
    strokes.push_back(line(Style::Dot, 1, kDialGrey, {c.x(), 300}, {c.x(), h - 400}));

    // Twelve marks, 30 degrees apart, the first straight below the centre.
    for (int i = 0; i < 12; ++i) {
        const double a = kDialTwoPi * i / 12;
        const QPointF mark(c.x() + w * std::sin(a) / 3, c.y() + w * std::cos(a) / 3);
        strokes.push_back(circle(Style::Dash, kDialGrey, mark, w / 75));
    }

    if (std::isfinite(azimuth)) {
        const double t = (azimuth - 90) * kDialPi / 180;
        const double reach = w / 3.5;
        const QPointF tip = polar(c, reach, t);
        // Head base 15 degrees either side of the direction, 200 from the centre.
        const QPointF p1 = polar(c, 200, (azimuth - 75) * kDialPi / 180);
        const QPointF p2 = polar(c, 200, (azimuth - 105) * kDialPi / 180);
        addPointer(strokes, kAzimuthPointerBlue, c, tip, p1, p2);
        strokes.push_back(line(Style::Solid, 2, kAzimuthPointerBlue, c, polar(c, -reach, t)));
    }

    strokes.push_back(letter("N", c.x() - 50, 0));
    strokes.push_back(letter("S", c.x() - 50, h - 250));
    // West is "O" (Ouest) in French.
    strokes.push_back(letter(QT_TRANSLATE_NOOP("Dials", "O"), 50, c.y() - 100));
    strokes.push_back(letter("E", w - 200, c.y() - 100));
    return strokes;
}

std::vector<DialStroke> elevationDialStrokes(double width, double elevation)
{
    const double w = width;
    const QPointF c = elevationDialCentre(w, elevation);
    std::vector<DialStroke> strokes;
    strokes.reserve(13);

    if (elevation > 0) {
        // Marks for 90 (straight up) down to 0 (straight left), every 15 degrees.
        for (int half = 12; half <= 18; ++half) {
            const double a = kDialTwoPi * (half / 2.0) / 12;
            const QPointF mark(c.x() + w * std::sin(a) / 1.5, c.y() + w * std::cos(a) / 1.5);
            strokes.push_back(circle(Style::Dash, kDialGrey, mark, 30));
        }
    }

    strokes.push_back(line(Style::Dot, 1, kDialGrey, {500, c.y()}, c));
    strokes.push_back(line(Style::Dot, 1, kDialGrey, {c.x(), 400}, c));

    if (std::isfinite(elevation)) {
        const double t = (elevation - 180) * kDialPi / 180;
        const QPointF tip = polar(c, w / 1.7, t);
        addPointer(strokes, kElevationPointerBrown, c, tip, polar(c, 500, t - 0.15),
                   polar(c, 500, t + 0.15));
    }
    return strokes;
}

QString azimuthReadout(double azimuth, const QLocale &locale)
{
    return readout(QT_TRANSLATE_NOOP("Dials", "Azimut"), azimuth, locale);
}

QString elevationReadout(double elevation, const QLocale &locale)
{
    return readout(QT_TRANSLATE_NOOP("Dials", "Hauteur"), elevation, locale);
}

QPointF sunPictureTopLeft(double sunPictureX, double sunPictureY, QSizeF imsolSize)
{
    return asFloats(sunPictureX - imsolSize.width() / 2, sunPictureY - imsolSize.height() / 2);
}

} // namespace lumora
