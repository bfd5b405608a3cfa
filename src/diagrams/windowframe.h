// The window's frame on the panorama: keeping the four aperture bars in order,
// placing the four red frame lines and the four bound labels. Everything here
// is plain data so that the main window only copies results into its widgets.
//
// Units: twips of the panorama (X right, Y down from its top-left corner); the
// bar values are panorama positions (left and right edges an X, upper and
// lower edges a Y).
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

// The frame's four edges as lines. The
// defaults are where the layout puts them before the first drawing (and where
// they stay while the restored aperture is out of order).
struct FrameLines {
    FrameLine top{1500, 900, 3990, 900};
    FrameLine bottom{1590, 2460, 4080, 2460};
    FrameLine left{2100, 630, 2100, 3000};
    FrameLine right{3210, 630, 3210, 3000};
};

// The values of the four aperture bars: left X, right X, upper Y, lower Y.
struct ApertureValues {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// Which bar's change started the frame routine; None for the call at the end
// of start-up, which never corrects anything.
enum class FrameBar { None, Left, Right, Top, Bottom };

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
// The azimuth pair is examined first: while left > right the elevation pair
// is neither examined nor corrected, and nothing is drawn. For an out-of-order
// pair the bar that moved gives way to the other one: Left asks left =
// right - 1, Right asks right = left + 1 (Top, Bottom alike); any other `which`
// asks nothing. The asked value is clamped into [0, max] of its bars, because
// a bar cannot hold -1 or max + 1: moving the left bar past a right edge at 0
// gives left = 0, moving the right bar below a left edge at max gives
// right = max, a frame of zero width, which
// is in order. A correction that would not change the bar's value (possible
// only with values outside [0, max]) is not asked, so the re-entry through the
// change event always ends.
FrameDecision decideFrame(ApertureValues v, FrameBar which, int hMax, int vMax);

// The frame lines for ordered values, each coordinate being the bar's value:
// top (left, top)-(right, top), bottom (left, bottom)-(right, bottom),
// left (left, top)-(left, bottom), right (right, top)-(right, bottom).
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

// The four edge labels: left azimuth and right azimuth 100 below the
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
