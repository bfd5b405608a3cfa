// How the panorama's photo is kept between runs: the settings group "Photo"
// with the keys File (path), Projection ("rectilinear" or "equirectangular"),
// Azimuth, Elevation, Roll, FieldOfView (degrees, "." as decimal point; for a
// 360° photo Azimuth is its left edge's) and Opacity (0–100). A placement can
// be written by hand or a script and is taken at the next start.
#pragma once

#include "photo/photoplacement.h"

#include <QString>

class QSettings;

namespace lumora {

struct PhotoSettings {
    QString file;                // empty: no photo, the plain panorama
    PhotoPlacement placement;
    int opacity = 100;           // percent, [0, 100]
    friend bool operator==(const PhotoSettings &, const PhotoSettings &) = default;
};

// Reads the group. Each absent or unreadable value gives its default; a
// number out of its range gives its default too, except Opacity, which is
// brought into [0, 100], and Azimuth, reduced to [0, 360). An unknown
// Projection is rectilinear. Never throws.
PhotoSettings readPhotoSettings(QSettings &store);

// Writes every key of the group and syncs the store. False when the store
// says it could not be written.
bool writePhotoSettings(QSettings &store, const PhotoSettings &settings);

} // namespace lumora
