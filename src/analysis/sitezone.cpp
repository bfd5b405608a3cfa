// The zone table's reference cities and the zone nearest a site.
#include "analysis/sitezone.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
// "+4852" or "-0740023": sign, degrees on `degreeDigits` digits, minutes, seconds optional.
std::optional<double> isoAngle(QStringView text, int degreeDigits)
{
    const qsizetype digits = text.size() - 1;
    if (digits != degreeDigits + 2 && digits != degreeDigits + 4)
        return std::nullopt;
    const int degrees = text.mid(1, degreeDigits).toInt();
    const int minutes = text.mid(1 + degreeDigits, 2).toInt();
    const int seconds = digits == degreeDigits + 4 ? text.mid(3 + degreeDigits, 2).toInt() : 0;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return text.front() == u'-' ? -value : value;
}
} // namespace

std::vector<ZoneCity> parseZoneTable(const QByteArray &text)
{
    static const QRegularExpression coordinates(QStringLiteral("^([+-]\\d{4}(?:\\d{2})?)([+-]\\d{5}(?:\\d{2})?)$"));
    std::vector<ZoneCity> cities;
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() < 3)
            continue;
        const QRegularExpressionMatch match = coordinates.match(QString::fromLatin1(fields[1]));
        if (!match.hasMatch() || fields[2].isEmpty())
            continue;
        const auto latitude = isoAngle(match.capturedView(1), 2);
        const auto longitudeEast = isoAngle(match.capturedView(2), 3);
        if (latitude && longitudeEast)
            cities.push_back({fields[2], SiteLocation{*latitude, -*longitudeEast}});
    }
    return cities;
}

const std::vector<ZoneCity> &systemZoneCities()
{
    static const std::vector<ZoneCity> cities = [] {
        for (const char *path : {"/usr/share/zoneinfo/zone1970.tab", "/usr/share/zoneinfo/zone.tab"}) {
            QFile file(QString::fromLatin1(path));
            if (file.open(QIODevice::ReadOnly))
                return parseZoneTable(file.readAll());
        }
        return std::vector<ZoneCity>{};
    }();
    return cities;
}

double greatCircleKm(const SiteLocation &a, const SiteLocation &b)
{
    constexpr double kRadians = M_PI / 180;
    const double halfDLat = (b.latitude - a.latitude) * kRadians / 2;
    const double halfDLon = (b.longitude - a.longitude) * kRadians / 2;
    // Haversine: well conditioned for near and far points alike.
    const double h = std::sin(halfDLat) * std::sin(halfDLat)
        + std::cos(a.latitude * kRadians) * std::cos(b.latitude * kRadians) * std::sin(halfDLon) * std::sin(halfDLon);
    return 2 * 6371.0 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

std::optional<ZoneProposal> proposedZone(const SiteLocation &site, const std::vector<ZoneCity> &cities)
{
    if (!std::isfinite(site.latitude) || !std::isfinite(site.longitude))
        return std::nullopt;
    std::optional<ZoneProposal> best;
    for (const ZoneCity &city : cities) {
        const double distance = greatCircleKm(site, city.city);
        if (!best || distance < best->distanceKm)
            best = ZoneProposal{city.zoneId, distance};
    }
    return best;
}

std::optional<ZoneProposal> proposedZone(const SiteLocation &site) { return proposedZone(site, systemZoneCities()); }

} // namespace lumora
