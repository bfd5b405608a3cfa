// Choosing the read-out's corner.
#include "suncourse/readoutplace.h"

#include "diagrams/windowframe.h"

#include <QLocale>
#include <QRectF>
#include <cmath>
#include <vector>

namespace lumora {

namespace {
// An edge is one pixel wide on screen; give it that much body so that a box
// merely grazing it counts.
constexpr double kEdgeThickness = 15;

QRectF edgeRect(double x1, double y1, double x2, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized().adjusted(-kEdgeThickness, -kEdgeThickness,
                                                                          kEdgeThickness, kEdgeThickness);
}
} // namespace

QPointF readoutTopLeft(QSizeF size, PictureSize picture, const WindowBounds &frame, double margin)
{
    const double right = picture.width - margin - size.width();
    const double bottom = picture.height - margin - size.height();
    const QPointF corners[] = {{margin, margin}, {right, margin}, {margin, bottom}, {right, bottom}};

    std::vector<QRectF> edges, labels;
    const bool frameShown = std::isfinite(frame.left) && std::isfinite(frame.right) && std::isfinite(frame.top)
        && std::isfinite(frame.bottom) && frame.left <= frame.right && frame.top <= frame.bottom;
    if (frameShown) {
        const double l = frame.left, r = frame.right, t = frame.top, b = frame.bottom;
        edges = {edgeRect(l, t, r, t), edgeRect(l, b, r, b), edgeRect(l, t, l, b), edgeRect(r, t, r, b)};
        const FrameLines lines{{frame.left, frame.top, frame.right, frame.top},
                               {frame.left, frame.bottom, frame.right, frame.bottom},
                               {frame.left, frame.top, frame.left, frame.bottom},
                               {frame.right, frame.top, frame.right, frame.bottom}};
        for (const FrameLabel &label : frameLabels(lines, kFrameLabelSize, picture, QLocale::c()))
            labels.push_back(QRectF(label.topLeft, kFrameLabelSize));
    }
    const auto touchesAny = [](const QRectF &box, const std::vector<QRectF> &rects) {
        for (const QRectF &r : rects)
            if (box.intersects(r))
                return true;
        return false;
    };
    for (const QPointF &corner : corners) {
        const QRectF box(corner, size);
        if (!touchesAny(box, labels) && !touchesAny(box, edges))
            return corner;
    }
    for (const QPointF &corner : corners)
        if (!touchesAny(QRectF(corner, size), labels))
            return corner;
    return corners[0];
}

} // namespace lumora
