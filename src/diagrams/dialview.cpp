// Painting of the dials from their stroke lists, in twips.
#include "diagrams/dialview.h"

#include "common/twips.h"
#include "diagrams/dialdrawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace lumora {

namespace {

Qt::PenStyle penStyle(const DialStroke &stroke)
{
    // Wide strokes are always drawn solid.
    if (stroke.width > 1)
        return Qt::SolidLine;
    switch (stroke.style) {
    case DialStroke::Style::Dash:
        return Qt::DashLine;
    case DialStroke::Style::Dot:
        return Qt::DotLine;
    case DialStroke::Style::Solid:
        break;
    }
    return Qt::SolidLine;
}

bool isFinite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

} // namespace

DialView::DialView(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DialView::showSun(const SunPosition &sun)
{
    m_sun = sun;
    update();
}

void DialView::clear()
{
    m_sun.reset();
    update();
}

void DialView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    if (!m_sun)
        return;

    const double w = pixelsToTwips(width());
    const double h = pixelsToTwips(height());
    const std::vector<DialStroke> strokes = m_kind == Kind::Azimuth
        ? azimuthDialStrokes(w, h, m_sun->azimuth)
        : elevationDialStrokes(w, m_sun->elevation);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font());
    const QFontMetricsF metrics(font());

    for (const DialStroke &stroke : strokes) {
        if (!isFinite(stroke.p1) || !isFinite(stroke.p2))
            continue;
        if (stroke.kind == DialStroke::Kind::Text) {
            // Text keeps the widget's font size: written without the twips
            // scale, its top-left corner at the stroke's point.
            const QPointF topLeft = painter.transform().map(stroke.p1);
            painter.save();
            painter.resetTransform();
            painter.setPen(palette().color(foregroundRole()));
            painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), stroke.text);
            painter.restore();
            continue;
        }
        // Widths are screen pixels whatever the scale: cosmetic pens.
        QPen pen(QColor(stroke.colour.r, stroke.colour.g, stroke.colour.b));
        pen.setCosmetic(true);
        pen.setWidth(stroke.width);
        // A dash pattern longer than a mark's whole circle would draw it as a
        // broken hook: marks that small are drawn whole.
        const bool tinyCircle = stroke.kind == DialStroke::Kind::Circle
            && 2 * 3.14159 * twipsToPixels(stroke.radius) < 20;
        pen.setStyle(tinyCircle ? Qt::SolidLine : penStyle(stroke));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        if (stroke.kind == DialStroke::Kind::Line)
            painter.drawLine(stroke.p1, stroke.p2);
        else
            painter.drawEllipse(stroke.p1, stroke.radius, stroke.radius);
    }
}

} // namespace lumora
