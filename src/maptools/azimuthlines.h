// Where the azimuth overlay draws its two lines for a given azimuth.
#pragma once

#include <QLineF>
#include <QString>

namespace lumora {

struct AzimuthLines {
    QLineF cross;     // red, 300 twips long, centred on the centre point
    QLineF direction; // blue, from the centre point towards the azimuth
    QString readout;  // `azimuthReadout`: the azimuth in whole degrees and "°", e.g. "180°"
};

// The overlay's lines, in twips in the overlay's own coordinates (x right,
// y down). The centre point is (W / 2, H / 2 - 500), a little above the middle.
// The blue line runs 2.5 x W from the centre, so always past the window's edge:
// up at 0°, right at 90°, down at 180°, left at 270° (clockwise from the top of
// the screen, as a map with north up); the red line is perpendicular to it.
// Every endpoint is a 32-bit float value. formWidth/formHeight in twips, any
// finite values; azimuthDegrees any integer (the overlay's slider gives 0..360).
AzimuthLines azimuthLines(double formWidth, double formHeight, int azimuthDegrees);

} // namespace lumora
