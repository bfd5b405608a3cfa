#include "cli/commands.h"

#include "astro/julianday.h"
#include "astro/solarposition.h"
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "cli/arguments.h"

#include <QDateTime>
#include <cstdio>

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


namespace {
// The step buttons of the window, by the minutes of their captions.
int surveyOptionForMinutes(const QString &text)
{
    if (text == u"10") return 0;
    if (text == u"30") return 1;
    if (text == u"60") return 2;
    if (text == u"1") return 3;
    return -1;
}

// The frame as the four bars give it, in panorama units, in order.
std::optional<WindowBounds> parseFrame(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    // HS1, HS2 across 0..10065; VS1, VS2 down 0..4335; each pair in order.
    if (v[0] < 0 || v[0] > v[1] || v[1] > 10065 || v[2] < 0 || v[2] > v[3] || v[3] > 4335)
        return std::nullopt;
    WindowBounds frame;
    frame.left = float(v[0]);
    frame.right = float(v[1]);
    frame.top = float(v[2]);
    frame.bottom = float(v[3]);
    return frame;
}
} // namespace

int runSurvey(const QStringList &words, QTextStream &out, QTextStream &err)
{
    const Options options = parseOptions(words,
                                         {QStringLiteral("--date"), QStringLiteral("--step"), QStringLiteral("--lat"),
                                          QStringLiteral("--lon"), QStringLiteral("--out")},
                                         {});
    if (!options.error.isEmpty()) {
        err << "lumora-cli survey: " << options.error << '\n';
        return 2;
    }
    const auto dateText = options.values.find(QStringLiteral("--date"));
    const auto stepText = options.values.find(QStringLiteral("--step"));
    if (dateText == options.values.end() || stepText == options.values.end()) {
        err << "lumora-cli survey: --date D/M/Y and --step 1|10|30|60 are required\n";
        return 2;
    }
    const auto date = parseDate(dateText->second);
    if (!date) {
        err << "lumora-cli survey: bad date '" << dateText->second << "' (expected D/M/Y)\n";
        return 2;
    }
    const int option = surveyOptionForMinutes(stepText->second);
    if (option < 0) {
        err << "lumora-cli survey: bad step '" << stepText->second << "' (1, 10, 30 or 60 minutes)\n";
        return 2;
    }
    SunshineEngine engine;
    if (!readSite(options, engine.site, err))
        return 2;
    if (!engine.setDate(date->day(), date->month(), date->year())) {
        err << "lumora-cli survey: year out of range\n";
        return 2;
    }

    SurveyFile file(QLocale(), SurveyFile::Writing::Batched);
    const auto outPath = options.values.find(QStringLiteral("--out"));
    out.flush();
    const bool created = outPath != options.values.end() ? file.create(outPath->second) : file.createOn(fileno(stdout));
    if (!created) {
        err << "lumora-cli survey: cannot write "
            << (outPath != options.values.end() ? outPath->second : QStringLiteral("standard output")) << ": "
            << file.errorString() << '\n';
        return 1;
    }
    // As the window does right after start-up: no step in force yet, the
    // search target an entry, the in-window answer frozen as it stood.
    engine.prepareSurvey();
    engine.startSearch();
    for (;;) {
        const SearchPass pass = engine.searchPass(true, &file, option);
        if (pass.outcome == PassOutcome::WriteFailed) {
            err << "lumora-cli survey: write failed: " << file.errorString() << '\n';
            return 1;
        }
        if (pass.outcome != PassOutcome::Progress)
            break;
    }
    if (!file.close()) {
        err << "lumora-cli survey: write failed: " << file.errorString() << '\n';
        return 1;
    }
    return 0;
}

int runSearch(const QStringList &words, QTextStream &out, QTextStream &err)
{
    const Options options = parseOptions(words,
                                         {QStringLiteral("--date"), QStringLiteral("--ut"), QStringLiteral("--frame"),
                                          QStringLiteral("--lat"), QStringLiteral("--lon")},
                                         {QStringLiteral("--exit")});
    if (!options.error.isEmpty()) {
        err << "lumora-cli search: " << options.error << '\n';
        return 2;
    }
    const auto dateText = options.values.find(QStringLiteral("--date"));
    const auto utText = options.values.find(QStringLiteral("--ut"));
    const auto frameText = options.values.find(QStringLiteral("--frame"));
    if (dateText == options.values.end() || utText == options.values.end() || frameText == options.values.end()) {
        err << "lumora-cli search: --date D/M/Y, --ut HOURS and --frame HS1,HS2,VS1,VS2 are required\n";
        return 2;
    }
    const auto date = parseDate(dateText->second);
    if (!date) {
        err << "lumora-cli search: bad date '" << dateText->second << "' (expected D/M/Y)\n";
        return 2;
    }
    const auto hours = parseHours(utText->second);
    if (!hours) {
        err << "lumora-cli search: bad UT hour '" << utText->second << "' (expected 0 to 24, e.g. 13.5)\n";
        return 2;
    }
    const auto frame = parseFrame(frameText->second);
    if (!frame) {
        err << "lumora-cli search: bad frame '" << frameText->second
            << "' (HS1,HS2,VS1,VS2 with 0 <= HS1 <= HS2 <= 10065 and 0 <= VS1 <= VS2 <= 4335)\n";
        return 2;
    }
    SunshineEngine engine;
    if (!readSite(options, engine.site, err))
        return 2;
    engine.frame = *frame;
    if (!engine.setDate(date->day(), date->month(), date->year())) {
        err << "lumora-cli search: year out of range\n";
        return 2;
    }
    engine.dayFractionUT = *hours / 24;
    engine.singleRun(); // the instant on show before the search
    engine.startSearch();
    const bool entry = !options.flags.contains(QStringLiteral("--exit"));
    for (;;) {
        const SearchPass pass = engine.searchPass(entry);
        if (pass.outcome == PassOutcome::Found) {
            const QDateTime at = reportedInstant(pass.reportDate, pass.hourUT);
            out << at.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) << '\n';
            return 0;
        }
        if (pass.outcome == PassOutcome::GaveUp) {
            err << "lumora-cli search: no " << (entry ? "entry" : "exit") << " within "
                << int(kSearchBoundDays) << " days of the start\n";
            return 1;
        }
    }
}

} // namespace lumora::cli
