// Painting the skyline's silhouette and the measured window's outline.
#include "realview/realviewlayers.h"

#include "common/twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace lumora {

namespace {
constexpr double kHandleRadius = 4; // pixels

QPen cosmeticPen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    return pen;
}

QPointF place(const SkyPoint &p, PictureSize picture)
{
    return {azimuthToX(p.azimuth, picture), elevationToY(p.elevation, picture)};
}

// The polylines in twips, once where they stand and once a turn to either
// side, so that what runs past 0° or 360° shows at the other edge too.
// `closed`: each is an area's border; one that goes all round the sky
// (around the zenith) is closed over the top of the picture.
QPainterPath skyPath(const std::vector<std::vector<SkyPoint>> &polylines, PictureSize picture, bool closed)
{
    QPainterPath one;
    for (const std::vector<SkyPoint> &line : polylines) {
        if (line.size() < 2)
            continue;
        QPolygonF polygon;
        for (const SkyPoint &p : line)
            polygon << place(p, picture);
        if (closed && std::fabs(line.back().azimuth - line.front().azimuth) > 180) {
            polygon << place({line.back().azimuth, 90}, picture) << place({line.front().azimuth, 90}, picture);
        }
        if (closed)
            polygon << polygon.front();
        one.addPolygon(polygon);
    }
    QPainterPath all;
    for (int turn = -1; turn <= 1; ++turn)
        all.addPath(one.translated(turn * double(picture.width), 0));
    return all;
}
} // namespace

RealViewPainting::RealViewPainting()
{
    ground_.owner = this;
    window_.owner = this;
}

void RealViewPainting::setSkyline(const Skyline &skyline, PictureSize picture)
{
    skyline_ = skyline;
    picture_ = picture;
    silhouette_ = QPainterPath();
    if (skyline.empty())
        return;
    // Linear in azimuth between points, so straight between them on the picture.
    QPolygonF polygon;
    polygon << QPointF(0, double(picture.height)) << place({0, skyline.elevationAt(0)}, picture);
    for (const SkyPoint &p : skyline.points())
        polygon << place(p, picture);
    polygon << place({360, skyline.elevationAt(0)}, picture) << QPointF(picture.width, picture.height);
    silhouette_.addPolygon(polygon);
    silhouette_.closeSubpath();
}

void RealViewPainting::setOutline(const std::optional<WindowOutline> &outline, bool deep, PictureSize picture)
{
    hasOutline_ = outline.has_value();
    if (!outline)
        return;
    innerFace_ = skyPath(outline->innerFace, picture, false);
    outerFace_ = skyPath(outline->outerFace, picture, false);
    openBorder_ = skyPath(outline->open, picture, false);
    open_ = skyPath(outline->open, picture, true);
    deep_ = deep;
}

void RealViewPainting::setEditing(bool editing, const QString &help)
{
    editing_ = editing;
    help_ = help;
}

void RealViewPainting::Ground::paintLayer(QPainter &painter, const PanoramaView &)
{
    if (owner->silhouette_.isEmpty())
        return;
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    painter.fillPath(owner->silhouette_, realViewColours::ground);
}

void RealViewPainting::Window::paintLayer(QPainter &painter, const PanoramaView &view)
{
    const RealViewPainting &o = *owner;
    painter.save();
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    if (!o.silhouette_.isEmpty())
        painter.fillPath(o.silhouette_, realViewColours::veil);
    if (o.hasOutline_) {
        painter.fillPath(o.open_, realViewColours::open);
        painter.strokePath(o.openBorder_, cosmeticPen(realViewColours::outline, 2));
        painter.strokePath(o.innerFace_, cosmeticPen(realViewColours::outline, 1));
        if (o.deep_)
            painter.strokePath(o.outerFace_, cosmeticPen(realViewColours::outline, 1, Qt::DashLine));
    }
    painter.restore();
    if (!o.editing_)
        return;
    painter.setPen(cosmeticPen(realViewColours::ground, 1));
    painter.setBrush(realViewColours::handle);
    for (const SkyPoint &p : o.skyline_.points())
        for (double azimuth : {p.azimuth, p.azimuth + 360})
            painter.drawEllipse(place({azimuth, p.elevation}, o.picture_) / kTwipsPerPixel, kHandleRadius,
                                kHandleRadius);
    if (o.help_.isEmpty())
        return;
    const QFontMetricsF metrics(view.font());
    QRectF box(0, 0, metrics.horizontalAdvance(o.help_) + 10, metrics.height() + 4);
    // At the foot of the picture, clear of the read-out in a top corner.
    box.moveCenter(QPointF(view.width() / 2.0, view.height() - 4 - box.height() / 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 210));
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(realViewColours::ground);
    painter.drawText(box, Qt::AlignCenter, o.help_);
}

} // namespace lumora
