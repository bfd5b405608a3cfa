// The photo as the panorama's background: loading a photo turned upright
// (EXIF orientation honoured), refusing unreadable and absurdly large files
// before decoding them, and resampling it once into the panorama's
// azimuth × elevation grid.
//
// The grid. An image of gridSize pixels (W × H): x from azimuth 0 (left edge)
// to 360 (right edge), y from elevation 90 (top edge) to 0 (bottom edge), the
// panorama's own mapping scaled; pixel (i, j) shows the direction of azimuth
// (i + 0.5) · 360 / W and elevation 90 − (j + 0.5) · 90 / H. Format
// ARGB32_Premultiplied, transparent where the photo does not reach.
#pragma once

#include "photo/photoplacement.h"

#include <QImage>
#include <QSize>
#include <QtGlobal>
#include <QString>

namespace lumora {

// Photos larger than this are refused before decoding.
inline constexpr qint64 kMaxPhotoPixels = 100'000'000;

// The photo at `path`, upright (EXIF orientation applied). On failure a null
// image and *error (when given) set to a French message naming the file: the
// file is missing, cannot be read or decoded, or has more than
// kMaxPhotoPixels pixels (refused before decoding). With neededWidth > 0 the
// decoder may deliver the photo scaled down by 1/2, 1/4 or 1/8 (cheap for a
// JPEG, which scales while decoding) as long as its upright width stays at
// least neededWidth. Raises Qt's image allocation limit (process-wide) to
// 512 MB so that the largest accepted photo decodes. Thread-safe.
QImage loadOrientedPhoto(const QString &path, QString *error, int neededWidth = 0);

// The photo resampled into the grid above (bilinear, between pixel centres;
// a direction within half a pixel of the photo's edge takes the edge pixel's
// colour). A null photo, an invalid placement or an empty grid gives a
// transparent grid (or a null image for an empty grid). Pure and thread-safe;
// the rows are shared among the cores.
QImage resamplePhoto(const QImage &photo, const PhotoPlacement &placement, QSize gridSize);

// Loading and resampling in one call, for running off the UI thread. The
// photo is decoded no larger than the grid needs (about two photo pixels per
// grid pixel). On failure grid is null and error holds the French message.
struct PhotoLoad {
    QImage grid;
    QString error;
};
PhotoLoad loadPhotoPanorama(const QString &path, const PhotoPlacement &placement, QSize gridSize);

} // namespace lumora
