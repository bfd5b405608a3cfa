// Drawing a skyline by pointing at the panorama: the points a click adds, a
// drag moves and a right click removes, kept as a valid skyline at each step.
#pragma once

#include "analysis/skyline.h"
#include "diagrams/geometry.h"

#include <QPointF>

namespace lumora {

class SkylineSketch
{
public:
    explicit SkylineSketch(Skyline start = {}) : skyline_(std::move(start)) {}

    const Skyline &skyline() const { return skyline_; }

    // The point on a panorama `picture` (twips, as PanoramaView draws it)
    // nearest `place` (twips) within `reach` twips, as an index into
    // skyline().points(); -1 when none is that near.
    int pointNear(QPointF place, PictureSize picture, double reach) const;

    // Adds the point under `place`: its azimuth within [0, 360) (the right
    // edge is north again, 0°), its elevation within [0, 90], both to 0.1°.
    // A point already at that azimuth takes the new elevation. Returns the
    // point's index.
    int add(QPointF place, PictureSize picture);

    // Moves point `index` under `place` (as add() places it) and returns its
    // new index (points stay sorted by azimuth). A move onto the azimuth of
    // another point is refused: the point stays, its index is returned.
    // An index out of range does nothing and returns -1.
    int move(int index, QPointF place, PictureSize picture);

    // Removes point `index`; false when there is no such point.
    bool remove(int index);

private:
    std::vector<SkyPoint> pointsWith(SkyPoint point, int skip) const;
    int indexOf(double azimuth) const;

    Skyline skyline_;
};

} // namespace lumora
