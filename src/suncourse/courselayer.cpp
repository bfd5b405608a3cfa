// Painting the course layers.
#include "suncourse/courselayer.h"

#include "common/twips.h"
#include "suncourse/coursefollower.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace lumora {

namespace {
constexpr double kMarkRadius = 3;      // pixels
constexpr double kLabelGap = 3;        // pixels between a mark and its label
constexpr double kDayPathWidth = 2;    // pixels
constexpr double kInFrameWidth = 5;    // pixels

QPen linePen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true); // widths in pixels although the painter draws in twips
    return pen;
}

void drawPolylines(QPainter &painter, const std::vector<CoursePolyline> &polylines)
{
    for (const CoursePolyline &line : polylines)
        if (line.size() >= 2)
            painter.drawPolyline(line.data(), int(line.size()));
}

QPointF toPixels(const QPointF &twips) { return twips / kTwipsPerPixel; }

// The direction of the day's path at `point` (twips), from the nearest point
// of its polylines and that point's neighbours; (1, 0) without a path.
QPointF pathDirection(const std::vector<CoursePolyline> &polylines, const QPointF &point)
{
    const CoursePolyline *bestLine = nullptr;
    size_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const CoursePolyline &line : polylines)
        for (size_t i = 0; i < line.size(); ++i) {
            const QPointF d = line[i] - point;
            const double distance = QPointF::dotProduct(d, d);
            if (distance < bestDistance) {
                bestDistance = distance;
                bestLine = &line;
                best = i;
            }
        }
    if (!bestLine || bestLine->size() < 2)
        return {1, 0};
    const QPointF &before = (*bestLine)[best > 0 ? best - 1 : 0];
    const QPointF &after = (*bestLine)[std::min(best + 1, bestLine->size() - 1)];
    const QPointF d = after - before;
    const double length = std::hypot(d.x(), d.y());
    return length > 0 ? d / length : QPointF(1, 0);
}

// A label's box beside a point `centre` (pixels) of a path running along
// `direction`: across the path, on its upper side (`above`) or its lower
// side, so that it never lies on the path itself; kept inside `bounds`.
QRectF labelBox(const QPointF &centre, const QPointF &direction, const QSizeF &size, const QRectF &bounds,
                bool above = true)
{
    QPointF normal(-direction.y(), direction.x());
    if (normal.y() > 0 || (normal.y() == 0 && normal.x() > 0))
        normal = -normal;
    if (!above)
        normal = -normal;
    const double reach = std::fabs(normal.x()) * size.width() / 2 + std::fabs(normal.y()) * size.height() / 2;
    const QPointF middle = centre + normal * (kMarkRadius + kLabelGap + reach);
    QRectF box(middle - QPointF(size.width() / 2, size.height() / 2), size);
    box.moveLeft(std::clamp(box.left(), bounds.left(), std::max(bounds.left(), bounds.right() - box.width())));
    box.moveTop(std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - box.height())));
    return box;
}

QFont smallFont(const QWidget &view)
{
    QFont font = view.font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(6.0, font.pointSizeF() - 1));
    return font;
}
} // namespace

SunCourseLayer::SunCourseLayer(const SunCourseFollower &follower)
    : follower_(follower)
{
}

void SunCourseLayer::setChoice(const CourseLayerChoice &choice)
{
    if (choice == choice_)
        return;
    choice_ = choice;
    stale_ = true;
}

void SunCourseLayer::paintLayer(QPainter &painter, const PanoramaView &view)
{
    if (!follower_.hasDay())
        return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (stale_ || under_.size() != view.size() * ratio || under_.devicePixelRatioF() != ratio)
        redraw(view, ratio);
    painter.drawPixmap(0, 0, under_);
    if (choice_.dayCourse) {
        painter.save();
        painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
        drawInFrame(painter);
        painter.restore();
        painter.drawPixmap(0, 0, marks_);
    }
}

void SunCourseLayer::redraw(const PanoramaView &view, qreal ratio)
{
    for (QPixmap *pixmap : {&under_, &marks_}) {
        *pixmap = QPixmap(view.size() * ratio);
        pixmap->setDevicePixelRatio(ratio);
        pixmap->fill(Qt::transparent);
    }
    {
        QPainter painter(&under_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
        drawUnder(painter, view);
    }
    if (choice_.dayCourse) {
        QPainter painter(&marks_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        drawMarks(painter, view);
    }
    stale_ = false;
}

void SunCourseLayer::drawUnder(QPainter &painter, const PanoramaView &view) const
{
    const SunCourseLayers &layers = follower_.layers();
    if (choice_.hourLines && layers.year) {
        painter.setPen(linePen(courseColours::hourLine, 1));
        for (const HourLine &line : layers.year->hourLines)
            drawPolylines(painter, line.polylines);
        // Each line's hour under its lowest point, the winter end of the
        // figure eight: the day's own labels stand over the day's path, so
        // the two never meet, not even at a solstice. A line cut by the
        // horizon has its hour just over the point where it meets it.
        painter.save();
        painter.resetTransform();
        const QFont font = smallFont(view);
        const QFontMetricsF metrics(font);
        painter.setFont(font);
        painter.setPen(QColor(courseColours::hourLine.rgb())); // the text opaque
        const QRectF bounds(QPointF(0, 0), QSizeF(view.size()));
        const double horizon = follower_.layers().panorama.height - kTwipsPerPixel;
        for (const HourLine &line : layers.year->hourLines) {
            std::optional<QPointF> lowest;
            for (const CoursePolyline &polyline : line.polylines)
                for (const QPointF &p : polyline)
                    if (!lowest || p.y() > lowest->y())
                        lowest = p;
            if (!lowest)
                continue;
            const QSizeF size(metrics.horizontalAdvance(line.label) + 2, metrics.height());
            const bool onHorizon = lowest->y() >= horizon;
            painter.drawText(labelBox(toPixels(*lowest), QPointF(1, 0), size, bounds, onHorizon), Qt::AlignCenter,
                             line.label);
        }
        painter.restore();
    }
    if (choice_.envelope && layers.year) {
        painter.setPen(linePen(courseColours::envelope, 1));
        drawPolylines(painter, layers.year->juneSolstice.polylines);
        drawPolylines(painter, layers.year->decemberSolstice.polylines);
        painter.setPen(linePen(courseColours::envelope, 1, Qt::DashLine));
        drawPolylines(painter, layers.year->marchEquinox.polylines);
    }
    if (choice_.dayCourse) {
        painter.setPen(linePen(courseColours::dayPath, kDayPathWidth));
        drawPolylines(painter, layers.day.polylines);
    }
}

void SunCourseLayer::drawInFrame(QPainter &painter) const
{
    painter.setPen(linePen(courseColours::inFrame, kInFrameWidth));
    for (const CoursePolyline &line : follower_.inFrameStretches()) {
        const bool still = std::all_of(line.begin(), line.end(), [&](const QPointF &p) { return p == line.front(); });
        if (still && !line.empty()) {
            // A stretch of a single second: a dot as wide as the stretch.
            painter.save();
            painter.setPen(Qt::NoPen);
            painter.setBrush(courseColours::inFrame);
            const double r = kInFrameWidth / 2 * kTwipsPerPixel;
            painter.drawEllipse(line.front(), r, r);
            painter.restore();
        } else if (line.size() >= 2) {
            painter.drawPolyline(line.data(), int(line.size()));
        }
    }
}

void SunCourseLayer::drawMarks(QPainter &painter, const PanoramaView &view) const
{
    const SunCourse &day = follower_.layers().day;
    const QFont font = smallFont(view);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const QRectF bounds(QPointF(0, 0), QSizeF(view.size()));
    for (const HourMark &mark : day.hourMarks) {
        const QPointF centre = toPixels(mark.point);
        painter.setPen(QPen(courseColours::dayPath, 1));
        painter.setBrush(courseColours::hourMark);
        painter.drawEllipse(centre, kMarkRadius, kMarkRadius);
        const QSizeF size(metrics.horizontalAdvance(mark.label) + 2, metrics.height());
        const QRectF box = labelBox(centre, pathDirection(day.polylines, mark.point), size, bounds);
        painter.setPen(courseColours::hourMark);
        painter.drawText(box, Qt::AlignCenter, mark.label);
    }
}

} // namespace lumora
