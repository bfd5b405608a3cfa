// Reading a skyline from the files users already have, and writing it back.
//
// Read, in this order of recognition:
// - the horizon CSV that PVGIS exports: a header line holding the columns "A"
//   and "H_hor" (separated by tabs, ";" or ","), lines before it ignored, the
//   rows after it read until the first line that is not a row of numbers.
//   Its azimuth counts from south, positive to the west (−90 east, 90 west):
//   converted to the compass by adding 180;
// - Stellarium's polygonal-landscape horizon list: "azimuth altitude" pairs
//   separated by spaces or tabs, "#" comments, its azimuth already a compass
//   bearing; an ini-style line "polygonal_angle_rotatez = R" (in a comment or
//   on its own) adds R degrees to every azimuth;
// - two numeric columns azimuth;elevation: separated by ";", ",", tabs or
//   spaces (a decimal comma only with ";"), "#" comments and blank lines
//   skipped, one header line (the first non-comment line, if it does not
//   start with a number) skipped.
// Azimuths are reduced to [0, 360). Anything else — a line of the wrong kind,
// a value not finite, an elevation outside [-90, 90], two points at the same
// azimuth, no point at all — gives no skyline and a French message naming the
// line (1-based).
#pragma once

#include "analysis/skyline.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace lumora {

struct SkylineRead {
    std::optional<Skyline> skyline; // set on success, error empty
    QString error;                  // French (translated), names the line; empty on success
};

SkylineRead parseSkyline(const QByteArray &content);

// The file's content through parseSkyline; a file that cannot be read (or is
// over 16 MB) gives an error naming the file.
SkylineRead readSkylineFile(const QString &path);

// The two-column export: "azimuth;elevation" then one line per point,
// "." decimals, shortest exact form, LF line ends. parseSkyline reads it back
// into the same skyline.
QByteArray skylineCsv(const Skyline &skyline);

// The settings form: "az:el az:el ..." with "." decimals (empty for none),
// and its reading (nullopt on anything malformed).
QString skylineSettingsText(const Skyline &skyline);
std::optional<Skyline> skylineFromSettingsText(const QString &text);

} // namespace lumora
