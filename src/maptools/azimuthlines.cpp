// Azimuth overlay geometry. The constants are the overlay's own (its degree
// factor and quarter turn are deliberately these rounded values).
#include "maptools/azimuthlines.h"

#include <cmath>

namespace lumora {

namespace {
constexpr double kDegToRad = 0.017453292;
constexpr double kQuarterTurn = 1.57079628;
constexpr double kCrossHalfLength = 150.0;  // twips
constexpr double kCentreRaise = 500.0;      // twips above the middle
constexpr double kLengthDivisor = 0.4;      // W / 0.4: 2.5 window widths

QPointF floatPoint(double x, double y)
{
    return QPointF(static_cast<float>(x), static_cast<float>(y));
}
} // namespace

AzimuthLines azimuthLines(double formWidth, double formHeight, int azimuthDegrees)
{
    const float xc = static_cast<float>(formWidth / 2);
    const float yc = static_cast<float>(formHeight / 2 - kCentreRaise);
    const double a = azimuthDegrees * kDegToRad;

    AzimuthLines lines;
    lines.cross = QLineF(floatPoint(xc + kCrossHalfLength * std::cos(a), yc + kCrossHalfLength * std::sin(a)),
                         floatPoint(xc - kCrossHalfLength * std::cos(a), yc - kCrossHalfLength * std::sin(a)));
    const double reach = formWidth / kLengthDivisor;
    lines.direction = QLineF(floatPoint(xc, yc), floatPoint(xc - std::cos(a + kQuarterTurn) * reach,
                                                           yc - std::sin(a + kQuarterTurn) * reach));
    lines.readout = QString::number(azimuthDegrees) + QStringLiteral("°");
    return lines;
}

} // namespace lumora
