// The time zone proposed for a site: the zone whose reference city, as the
// system's zone data list them (zone1970.tab), is nearest to it.
#pragma once

#include "astro/solarposition.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace lumora {

// One line of the zone table: a zone and its reference city, degrees, latitude
// positive north, longitude positive WEST as SiteLocation has it.
struct ZoneCity {
    QByteArray zoneId; // "Europe/Paris"
    SiteLocation city;
};

// The zones of a zone1970.tab text: tab-separated lines "codes, coordinates
// (ISO 6709, ±DDMM±DDDMM or ±DDMMSS±DDDMMSS), zone, comment"; comment lines
// (#) and lines that are not of that form are left out.
std::vector<ZoneCity> parseZoneTable(const QByteArray &text);

// The system's table (/usr/share/zoneinfo/zone1970.tab, else zone.tab), read
// once on first use; empty when there is none.
const std::vector<ZoneCity> &systemZoneCities();

// Great-circle distance between two sites, kilometres (a sphere of 6371 km).
double greatCircleKm(const SiteLocation &a, const SiteLocation &b);

struct ZoneProposal {
    QByteArray zoneId;
    double distanceKm = 0; // from the site to the zone's reference city
};

// The zone whose reference city is nearest to the site (the first of the
// table on a tie). A point at sea gets the nearest one too, however far: the
// distance says how much the proposal is worth. None for an empty table or a
// site that is not finite. Nearest is not always right near a zone's edge:
// Québec City is nearer Moncton (Atlantic time) than Toronto (Eastern).
std::optional<ZoneProposal> proposedZone(const SiteLocation &site, const std::vector<ZoneCity> &cities);
std::optional<ZoneProposal> proposedZone(const SiteLocation &site);

} // namespace lumora
