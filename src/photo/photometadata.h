// What a photo file says about itself (its EXIF block, read with exiv2): how
// it is turned, the horizontal field of view its lens gives, and when it was
// taken. A file without these tags, or one exiv2 cannot read, gives defaults.
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace lumora {

struct PhotoMetadata {
    // The EXIF orientation tag, 1..8 (1: as stored; 6: to be turned 90°
    // clockwise for display…). Absent or out of range: 1.
    int orientation = 1;
    // Degrees, horizontal in the displayed (oriented) image, (0, 180):
    // 2·atan(36 / (2·f35)) from the 35 mm-equivalent focal length f35 (the
    // 36 mm side taken along the image's longer side), else 2·atan(w / (2·f))
    // from the focal length f and the sensor width w = image width /
    // FocalPlaneXResolution in the resolution's unit. For a portrait image
    // the longer side is vertical and the horizontal angle is worked out
    // from the shorter side (scaled by the aspect ratio).
    std::optional<double> horizontalFieldOfView;
    // DateTimeOriginal. With OffsetTimeOriginal (±HH:MM): a QDateTime at that
    // offset from UTC (toUTC() gives the instant), takenHasOffset true.
    // Without it: the wall-clock date and time as written, as a QDateTime of
    // Qt::UTC whose date() and time() alone mean anything (the caller
    // places them in the site's zone), takenHasOffset false. Absent or not a
    // valid "YYYY:MM:DD HH:MM:SS": nullopt.
    std::optional<QDateTime> taken;
    bool takenHasOffset = false;
};

// Reads the file's EXIF block. Never throws; an unreadable file or one
// without EXIF gives the defaults above.
PhotoMetadata readPhotoMetadata(const QString &path);

} // namespace lumora
