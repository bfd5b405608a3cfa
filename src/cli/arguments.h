// Command-line argument reading for lumora-cli: dates, hours, coordinates and
// frames written as a script would write them. Every reader returns
// std::nullopt on text it cannot take whole.
#pragma once

#include "astro/solarposition.h"
#include "common/civildate.h"

#include <QByteArrayList>
#include <QStringList>
#include <map>
#include <optional>

namespace lumora::cli {

// "D/M/Y" with whole numbers forming a date the window accepts
// (isCalendarDate: Julian before 15 October 1582, year 0 and negative years
// included, the year within 16 bits): "29/2/1500", "21/6/0", "1/6/-1".
std::optional<CivilDate> parseDate(const QString &text);

// A decimal number of hours from 0 to under 24: "12", "13.7583332".
std::optional<double> parseHours(const QString &text);

// Decimal degrees or degrees:minutes, then a hemisphere letter: "49N", "49:00N",
// "33.5S" for a latitude (up to 90); "2.3333333333333335E", "2:20E", "1.5W" for
// a longitude (up to 180). The result follows the program's signs: latitude
// positive north, longitude positive WEST.
std::optional<double> parseLatitude(const QString &text);
std::optional<double> parseLongitude(const QString &text);

// Options of the form "--name value" after the subcommand, plus bare flags,
// each given at most once, no value empty. The values are kept as the bytes
// given, so that a file name reaches the system unchanged.
struct Options {
    std::map<QString, QByteArray> values;
    QStringList flags;
    QString error; // non-empty when the words could not be read
};
Options parseOptions(const QByteArrayList &words, const QStringList &valueOptions, const QStringList &flagOptions);

} // namespace lumora::cli
