// The fonts the windows are designed with, by family and point size. Where a
// design face is missing, a face of the same kind and metrics stands in, and
// sizes are set in pixels (points at 96 dpi) so text keeps in step with the
// twips layout (15 twips per pixel) whatever the screen's dpi.
#pragma once

#include <QFont>
#include <QString>

namespace lumora {

QFont designFont(const QString &family, double points, bool bold = false, bool underline = false);

} // namespace lumora
