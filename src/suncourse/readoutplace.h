// Where the day's read-out stands on the panorama: in a corner of the
// picture that keeps it off the window's frame and the frame's labels.
#pragma once

#include "analysis/evaluation.h"
#include "diagrams/geometry.h"

#include <QPointF>
#include <QSizeF>

namespace lumora {

// The top-left corner, panorama twips, of a read-out box of `size` (twips).
// The corners are tried in the order top left, top right, bottom left,
// bottom right, each `margin` in from the picture's sides; the first whose
// box touches neither an edge of `frame` nor one of its four bound labels
// (where the frame routine puts them, kFrameLabelSize) wins. When every
// corner touches something, the first that keeps clear of the labels (they
// are text: the box would hide them), else top left. A frame whose bounds are
// out of order or not finite counts as absent.
QPointF readoutTopLeft(QSizeF size, PictureSize picture, const WindowBounds &frame, double margin);

} // namespace lumora
