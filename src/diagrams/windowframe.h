// The window's frame on the panorama: keeping the four aperture bars in order,
// placing the four red frame lines and the four bound labels. Everything here
// is plain data so that the main window only copies results into its widgets.
//
// Units: twips of the panorama (X right, Y down from its top-left corner); the
// bar values are panorama positions (HS1/HS2 an X, VS1/VS2 a Y).
#pragma once

#include "diagrams/geometry.h"

#include <QLocale>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>

namespace lumora {

// One straight line object, 32-bit float coordinates as the line controls hold.
struct FrameLine {
    float x1, y1, x2, y2;
};

// The frame: H1 upper edge, H2 lower edge, V1 left edge, V2 right edge. The
// defaults are where the layout puts them before the first drawing (and where
// they stay while the restored aperture is out of order).
struct FrameLines {
    FrameLine h1{1500, 900, 3990, 900};
    FrameLine h2{1590, 2460, 4080, 2460};
    FrameLine v1{2100, 630, 2100, 3000};
    FrameLine v2{3210, 630, 3210, 3000};
};

// The Value of the four aperture bars: HS1 left X, HS2 right X, VS1 upper Y,
// VS2 lower Y.
struct ApertureValues {
    int hs1 = 0, hs2 = 0, vs1 = 0, vs2 = 0;
};

// Which bar's change started the frame routine; None for the call at the end
// of start-up, which never corrects anything.
enum class FrameBar { None, Hx1, Hx2, Vx1, Vx2 };

// "Set this bar to this value." Setting it raises the bar's change event,
// which runs the frame routine again with the same bar.
struct BarSetting {
    FrameBar bar;
    int value;
};

// What the frame routine does for the current values: draw the frame
// (draw = true), ask for one correction (correction set, draw = false), or
// nothing at all (both unset).
struct FrameDecision {
    bool draw = false;
    std::optional<BarSetting> correction;
};

// Decides the frame routine's action. The routine's "still loading" guard is
// the caller's: it does not call this during start-up.
//
// The azimuth pair is examined first: while HS1 > HS2 the elevation pair is
// neither examined nor corrected, and nothing is drawn. For an out-of-order
// pair the bar that moved gives way to the other one: Hx1 asks HS1 = HS2 - 1,
// Hx2 asks HS2 = HS1 + 1 (Vx1, Vx2 alike for VS1, VS2); any other `which`
// asks nothing. The asked value is clamped into [0, max] of its bars, because
// a bar cannot hold -1 or max + 1: moving HS1 above an HS2 of 0 gives HS1 = 0,
// moving HS2 below an HS1 at max gives HS2 = max, a frame of zero width, which
// is in order. A correction that would not change the bar's value (possible
// only with values outside [0, max]) is not asked, so the re-entry through the
// change event always ends.
FrameDecision decideFrame(ApertureValues v, FrameBar which, int hMax, int vMax);

// The frame lines for ordered values, each coordinate being the bar's value:
// H1 (HS1, VS1)-(HS2, VS1), H2 (HS1, VS2)-(HS2, VS2), V1 (HS1, VS1)-(HS1, VS2),
// V2 (HS2, VS1)-(HS2, VS2).
FrameLines frameLinesFor(ApertureValues v);

// The bound labels' size in the layout.
inline constexpr QSizeF kFrameLabelSize{405, 195};

// One bound label: its top-left corner in the panorama, its caption (whole
// degrees, at least two digits, "36°") and its tooltip (two decimals with the
// locale's separator, "35,77°" in French).
struct FrameLabel {
    QPointF topLeft;
    QString caption;
    QString toolTip;
};

// The four labels LabLig(0..3): left azimuth and right azimuth 100 below the
// lower edge, under the left and right edges; upper and lower elevation to
// the left of the left edge, centred on their edge. Labels that would hang
// over the picture's bottom (top > picture height - label height) are lifted
// by 400; the right azimuth label moves right by its width when it stands
// closer than its width to the left one, the lower elevation label down by
// its height when closer than its height to the upper one. Degrees are taken
// from the lines' positions: azimuth = X * 360 / width, elevation = 90 -
// Y * 90 / height, in 32-bit floats; halves round away from zero for the
// caption. A zero-sized picture gives the locale's texts for infinity or NaN.
std::array<FrameLabel, 4> frameLabels(const FrameLines &lines, QSizeF labelSize, PictureSize pic,
                                      const QLocale &locale = QLocale());

} // namespace lumora
