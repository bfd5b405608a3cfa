// The photo on the panorama: the lowest layer, under the Sun's course, the
// skyline and the frame. It paints a pixmap made once from the photo's
// resampled azimuth × elevation grid, at the panorama's size and the chosen
// opacity, so that a repaint (a frame bar dragged) only copies it.
#pragma once

#include "diagrams/panoramaview.h"

#include <QImage>
#include <QPixmap>

namespace lumora {

// Under everything else on the panorama (the skyline's ground is at -10).
inline constexpr int kPhotoLevel = -100;

class PhotoLayer : public PanoramaLayer
{
public:
    // The grid (x: azimuth 0..360, y: elevation 90..0, transparent where the
    // photo does not reach) for a panorama of `size` logical pixels on a
    // screen of `scale` device pixels per logical one; a null image shows
    // nothing. `opacity` 0..100 %.
    void setGrid(const QImage &grid, QSize size, qreal scale, int opacity);
    void setOpacity(int opacity);
    void clear();

    bool shown() const { return !pixmap_.isNull(); }
    const QImage &grid() const { return grid_; }
    int opacity() const { return opacity_; }

    void paintLayer(QPainter &painter, const PanoramaView &view) override;

private:
    void makePixmap();

    QImage grid_;
    QSize size_;
    qreal scale_ = 1;
    int opacity_ = 100;
    QPixmap pixmap_; // the grid scaled to the panorama, opacity applied
};

} // namespace lumora
