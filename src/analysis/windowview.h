// The one question every feature asks — is the Sun in the window at this
// second? — for the frame on the panorama or the measured window, each with or
// without a skyline.
//
// Definition. A frame view answers sunInWindow(sunPicturePoint(sun,
// panorama), frame) (evaluation.h: the 32-bit picture point, bounds
// inclusive). A measured view answers throughWindow(window, sun.azimuth,
// sun.elevation) (measuredwindow.h). With a skyline, the answer is that one
// and skyline.visible(sun.azimuth, sun.elevation).
#pragma once

#include "analysis/evaluation.h"
#include "analysis/measuredwindow.h"
#include "analysis/skyline.h"

#include <optional>

namespace lumora {

class WindowView
{
public:
    WindowView() = default; // the default frame on the default panorama, no skyline
    WindowView(const WindowBounds &frame, PictureSize panorama) : frame_(frame), panorama_(panorama) {}
    // The measured window; the panorama is kept for the picture (the search's
    // margin, the frame bars). An invalid window holds no direction.
    static WindowView measured(const MeasuredWindow &window, PictureSize panorama);
    WindowView withSkyline(Skyline skyline) const;

    bool inWindow(const SunPosition &sun) const;

    // A lower bound, in seconds, on how long before or after the instant of
    // `sun` the answer of inWindow stays what it is at that instant, for the
    // Sun seen from `site`: the Sun moves under 15.1° an hour on the sky and
    // its elevation under 15.1° × |cos latitude| + 0.03° an hour. At most
    // kViewBoundHorizon; 0 when nothing cheap is known (the Sun near the
    // zenith, or near an edge).
    double secondsBeforeChange(const SunPosition &sun, const SiteLocation &site) const;

    // The search's "near the window": for the frame, nearWindow on the
    // picture point; for a measured window, within kNearWindowMargin picture
    // units of the outline's bounding box (azimuth across the seam too).
    bool nearWindow(const SunPosition &sun) const;

    // The plain frame test, no skyline: the scans keep their own fast path.
    bool isPlainFrame() const { return !measured_ && skyline_.empty(); }
    bool isMeasured() const { return measured_.has_value(); }
    const MeasuredWindow *measuredWindow() const { return measured_ ? &*measured_ : nullptr; }
    const Skyline &skyline() const { return skyline_; }
    const WindowBounds &frame() const { return frame_; }
    PictureSize panorama() const { return panorama_; }

    friend bool operator==(const WindowView &x, const WindowView &y);

private:
    WindowBounds frame_;
    PictureSize panorama_;
    std::optional<MeasuredWindow> measured_;
    Skyline skyline_;
    // Worked out once for a measured window.
    GnomonicOpening opening_;
    bool windowValid_ = false;
    double normals_[5][3] = {};  // the open region's sides' great circles (unit, inward), then n
    double angleMargin_ = 0;     // radians: the definition's rounding
    double boxAzimuthMin_ = 0, boxAzimuthMax_ = 0, boxElevationMin_ = 0, boxElevationMax_ = 0;
};

inline constexpr double kViewBoundHorizon = 900; // seconds

} // namespace lumora
