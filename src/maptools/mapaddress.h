// The web map address for the observer's site: Google Maps centred on the
// site, hybrid view, fixed span, French interface. Pure text building, the
// same whatever the user's locale.
#pragma once

#include <QString>
#include <QUrl>

namespace lumora {

// Scheme and host of the map service; the path "/maps" and the query follow.
inline constexpr char kMapServiceAddress[] = "https://maps.google.com";

// Latitude in decimal degrees, north positive, as the map wants it: "-" when
// negative, the integer part, ".", then always seven decimals rounded to the
// nearest (49.0 -> "49.0000000", -0.5 -> "-0.5000000"). A fraction that
// rounds up to a whole degree carries into the integer part. Any finite value
// is accepted (nothing is validated); NaN or an infinity gives "0.0000000".
QString mapLatitudeText(double latitude);

// Longitude in decimal degrees, EAST positive (the opposite of the program's
// site longitude): written as the latitude, but the decimals lose their
// trailing zeros and a whole number keeps only the point (2.5 -> "2.5",
// 2.0 -> "2.", -1.5 -> "-1.5"). NaN or an infinity gives "0.".
QString mapLongitudeText(double eastLongitude);

// The query after the path: "?ll=" latitude "," longitude
// "&spn=0.099583,0.219830&t=h&hl=fr". Latitude north positive; longitude as
// the program keeps it, WEST positive (it is negated for the map).
QString mapQuery(double latitude, double westLongitude);

// The full address: kMapServiceAddress + "/maps" + mapQuery(...).
QUrl mapAddress(double latitude, double westLongitude);

} // namespace lumora
