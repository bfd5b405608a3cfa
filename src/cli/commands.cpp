#include "cli/commands.h"

#include "astro/julianday.h"
#include "astro/solarposition.h"
#include "cli/arguments.h"

namespace lumora::cli {

namespace {
constexpr double kDefaultLatitude = 49.0;             // 49°00' N
constexpr double kDefaultLongitude = -(2 + 20 / 60.0); // 2°20' E, positive west

// Reads --lat/--lon into a site, or writes why not.
bool readSite(const Options &options, SiteLocation &site, QTextStream &err)
{
    site = {kDefaultLatitude, kDefaultLongitude};
    if (auto it = options.values.find(QStringLiteral("--lat")); it != options.values.end()) {
        const auto lat = parseLatitude(it->second);
        if (!lat) {
            err << "lumora-cli: bad latitude '" << it->second << "' (e.g. 49N, 49:00N, 33.5S)\n";
            return false;
        }
        site.latitude = *lat;
    }
    if (auto it = options.values.find(QStringLiteral("--lon")); it != options.values.end()) {
        const auto lon = parseLongitude(it->second);
        if (!lon) {
            err << "lumora-cli: bad longitude '" << it->second << "' (e.g. 2:20E, 1.5W)\n";
            return false;
        }
        site.longitude = *lon;
    }
    return true;
}
} // namespace

int runPosition(const QStringList &words, QTextStream &out, QTextStream &err)
{
    const Options options = parseOptions(
        words, {QStringLiteral("--date"), QStringLiteral("--ut"), QStringLiteral("--lat"), QStringLiteral("--lon")}, {});
    if (!options.error.isEmpty()) {
        err << "lumora-cli position: " << options.error << '\n';
        return 2;
    }
    const auto dateText = options.values.find(QStringLiteral("--date"));
    const auto utText = options.values.find(QStringLiteral("--ut"));
    if (dateText == options.values.end() || utText == options.values.end()) {
        err << "lumora-cli position: --date D/M/Y and --ut HOURS are required\n";
        return 2;
    }
    const auto date = parseDate(dateText->second);
    if (!date) {
        err << "lumora-cli position: bad date '" << dateText->second << "' (expected D/M/Y)\n";
        return 2;
    }
    const auto hours = parseHours(utText->second);
    if (!hours) {
        err << "lumora-cli position: bad UT hour '" << utText->second << "' (expected 0 to 24, e.g. 13.5)\n";
        return 2;
    }
    SiteLocation site;
    if (!readSite(options, site, err))
        return 2;
    const auto jd = JulianDay(date->day(), date->month(), date->year());
    if (!jd) {
        err << "lumora-cli position: year out of range\n";
        return 2;
    }
    const SunPosition sun = SolarPosition(*jd, *hours, site);
    out << "azimuth " << QString::number(sun.azimuth, 'f', 12) << " elevation "
        << QString::number(sun.elevation, 'f', 12) << '\n';
    return 0;
}

} // namespace lumora::cli
