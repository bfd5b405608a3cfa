// Painting the photo's cached pixmap on the panorama.
#include "photoview/photolayer.h"

#include <QPainter>
#include <algorithm>

namespace lumora {

void PhotoLayer::setGrid(const QImage &grid, QSize size, qreal scale, int opacity)
{
    grid_ = grid;
    size_ = size;
    scale_ = scale > 0 ? scale : 1;
    opacity_ = std::clamp(opacity, 0, 100);
    makePixmap();
}

void PhotoLayer::setOpacity(int opacity)
{
    opacity_ = std::clamp(opacity, 0, 100);
    makePixmap();
}

void PhotoLayer::clear()
{
    grid_ = QImage();
    pixmap_ = QPixmap();
}

void PhotoLayer::makePixmap()
{
    pixmap_ = QPixmap();
    const QSize pixels = (QSizeF(size_) * scale_).toSize();
    if (grid_.isNull() || pixels.isEmpty())
        return;
    // The grid is made at the panorama's size (times the screen's scale), so
    // this scaling is at most a small resampling done once per change.
    QImage picture(grid_.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setOpacity(opacity_ / 100.0);
        p.drawImage(0, 0, grid_);
    }
    if (picture.size() != pixels)
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap_ = QPixmap::fromImage(std::move(picture));
    pixmap_.setDevicePixelRatio(scale_);
}

void PhotoLayer::paintLayer(QPainter &painter, const PanoramaView &view)
{
    if (pixmap_.isNull())
        return;
    // At its own size a plain copy; a panorama resized since is stretched.
    if (view.size() == size_)
        painter.drawPixmap(0, 0, pixmap_);
    else
        painter.drawPixmap(view.rect(), pixmap_);
}

} // namespace lumora
