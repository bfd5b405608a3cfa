// lumora-cli's reading of the window and the skyline: "--window" (the
// measured window, key=value pairs) and "--horizon FILE" (any skyline file
// analysis/skylinefile.h reads).
#pragma once

#include "analysis/measuredwindow.h"

#include <QString>
#include <variant>

namespace lumora::cli {

// "facing=…,tilt=…,width=…,height=…,sill=…,depth=…,distance=…,offset=…,eye=…":
// decimal numbers with "." (degrees and metres), any order, spaces allowed
// round each; tilt, depth and offset may be left out (90, 0, 0), the others
// are required. On failure, one English line naming the key: an unknown or
// repeated key, a missing one, a value that is not a number, or one out of
// its range (measuredwindow.h).
std::variant<MeasuredWindow, QString> parseMeasuredWindow(const QString &text);

} // namespace lumora::cli
