// The Sun's course painted on the panorama, under the frame: the hour lines,
// the solstices' and equinox's paths, the day's path, its stretches inside
// the frame (thick, warm) and its hour marks with their labels, from the
// state of a SunCourseFollower.
//
// What changes only with the day, the site, the choice of layers or the
// widget's size is drawn once into two pixmaps (under and over the in-frame
// stretches); a paint then costs two pixmap copies and the stretches, so a
// frame being dragged repaints quickly.
#pragma once

#include "diagrams/panoramaview.h"
#include "suncourse/courselayerchoice.h"

#include <QColor>
#include <QPixmap>

namespace lumora {

class SunCourseFollower;

// The layers' colours: light and dark lines that read on the sky's cyan and
// keep clear of the frame's red.
namespace courseColours {
inline const QColor dayPath{255, 255, 255};
inline const QColor inFrame{255, 165, 0};
inline const QColor envelope{0, 70, 140};
inline const QColor hourLine{0, 95, 135, 170};
inline const QColor hourMark{0, 50, 100};
} // namespace courseColours

class SunCourseLayer : public PanoramaLayer
{
public:
    explicit SunCourseLayer(const SunCourseFollower &follower);

    void setChoice(const CourseLayerChoice &choice);
    const CourseLayerChoice &choice() const { return choice_; }
    // The follower has new layers: the pixmaps are redrawn at the next paint.
    void invalidate() { stale_ = true; }

    void paintLayer(QPainter &painter, const PanoramaView &view) override;

private:
    void redraw(const PanoramaView &view, qreal ratio);
    void drawUnder(QPainter &painter, const PanoramaView &view) const;
    void drawMarks(QPainter &painter, const PanoramaView &view) const;
    void drawInFrame(QPainter &painter) const;

    const SunCourseFollower &follower_;
    CourseLayerChoice choice_;
    bool stale_ = true;
    QPixmap under_; // hour lines, envelope, the day's path
    QPixmap marks_; // hour marks and their labels
};

} // namespace lumora
