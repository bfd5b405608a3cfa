// What the two dials draw for a Sun position, as a list of strokes in the
// dial's twips, so the drawing can be checked and painted by any painter; plus
// the position read-outs and the sun picture's place on the panorama.
#pragma once

#include <QLocale>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace lumora {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kDialGrey{128, 128, 128};        // axes and graduation marks
inline constexpr Rgb kAzimuthPointerBlue{0, 0, 255};   // pointer of the azimuth dial
inline constexpr Rgb kElevationPointerBrown{192, 64, 0}; // pointer of the elevation dial
// Stands for the system's window-text colour in Text strokes; the view paints
// them with its palette's window-text colour instead.
inline constexpr Rgb kWindowText{0, 0, 0};

// One drawing operation, in twips of the dial (X right, Y down from the
// top-left corner), coordinates rounded to 32-bit floats.
//   Line:   from p1 to p2.
//   Circle: outline centred on p1 with `radius`.
//   Text:   `text` written with its top-left corner at p1, in the dial's font.
// `width` is in screen pixels (1 or 2); a stroke of width 2 is always solid.
struct DialStroke {
    enum class Kind { Line, Circle, Text } kind;
    enum class Style { Solid, Dash, Dot } style;
    int width;
    Rgb colour;
    QPointF p1, p2;
    double radius = 0;
    QString text;
};

// The azimuth dial (compass, North up) of width W and height H for an azimuth
// in degrees from North through East: dotted grey axes through the centre
// (W / 2, W / 2 - 80), twelve dashed grey marks every 30 degrees on the circle
// of radius W / 3, the blue pointer crossing the dial (tip at W / 3.5 towards
// the azimuth with a thin triangular head based 200 from the centre, tail as
// long on the other side), and the letters "N", "S", "O", "E". A non-finite
// azimuth draws the dial without its pointer.
std::vector<DialStroke> azimuthDialStrokes(double width, double height, double azimuth);

// The elevation quarter dial of width W for an elevation in degrees: above
// the horizon the centre is (W - 200, W - 200) with seven dashed grey marks
// every 15 degrees from 90 to 0 on the circle of radius W / 1.5; on or below
// the horizon the centre is (W - 200, 200) and there are no marks. Dotted
// grey axes run left and up from the centre; the brown-orange pointer goes
// from the centre to W / 1.7 towards the elevation, with a triangular head
// based 500 from the centre, and no tail. A non-finite elevation draws the
// dial without its pointer.
std::vector<DialStroke> elevationDialStrokes(double width, double elevation);

// Read-outs under the "###.00" pattern with the locale's decimal separator:
// "Azimut = 5,50 °", "Hauteur = -,25 °" in French.
QString azimuthReadout(double azimuth, const QLocale &locale = QLocale());
QString elevationReadout(double elevation, const QLocale &locale = QLocale());

// Top-left corner of the sun picture (size in twips, 225 x 225 in the layout)
// centred on the Sun's place in the panorama, rounded to 32-bit floats. A Sun
// below the horizon puts it below the panorama's bottom edge, out of sight.
QPointF sunPictureTopLeft(double sunPictureX, double sunPictureY, QSizeF imsolSize);

} // namespace lumora
