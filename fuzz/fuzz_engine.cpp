// Fuzz target: from the texts of the date and site boxes to the Sun through the
// evaluation engine, as a tick and a search use it; a real Gregorian date gets
// the calendar's own Julian day. Input fields, separated by
// '|': day, month, year, latitude degrees and minutes, longitude degrees and
// minutes, hemispheres ("S" for Sud, "E" for Est), and the time bar's minute.
#include "analysis/sunshineengine.h"
#include "common/numbers.h"
#include "fuzzcheck.h"

#include <QDate>
#include <algorithm>

FUZZ_TARGET
{
    const QStringList f = fuzzFields(data, size, 9);
    using lumora::leadingNumber;
    // The site as the window reads it: degrees + minutes / 60, then the sign.
    const double latitude = (leadingNumber(f[3]) + leadingNumber(f[4]) / 60) * (f[7].contains(u'S') ? -1 : 1);
    const double longitude = (leadingNumber(f[5]) + leadingNumber(f[6]) / 60) * (f[7].contains(u'E') ? -1 : 1);
    // The time bar holds whole minutes from 0 to 1440.
    const double minute = std::clamp(lumora::roundHalfEven(leadingNumber(f[8])), 0.0, 1440.0);
    lumora::SunshineEngine engine;
    engine.site = {latitude, longitude};
    engine.dayFractionUT = minute / 1440;
    if (!engine.setDate(leadingNumber(f[0]), leadingNumber(f[1]), leadingNumber(f[2])))
        return 0; // refused: the run is abandoned
    FUZZ_CHECK(std::isfinite(engine.evalJulianDay), "date %s/%s/%s accepted as Julian day %g\n", qPrintable(f[0]),
               qPrintable(f[1]), qPrintable(f[2]), engine.evalJulianDay);
    // Three numbers that make a Gregorian calendar date, read day first, get
    // the Julian day of QDate's own calendar (which counts from noon).
    const QString composed = lumora::shortestText(leadingNumber(f[0])) + u'/' + lumora::shortestText(leadingNumber(f[1]))
        + u'/' + lumora::shortestText(leadingNumber(f[2]));
    const QDate date = QDate::fromString(composed, QStringLiteral("d/M/yyyy"));
    FUZZ_CHECK(!date.isValid() || date < QDate(1582, 10, 15) || engine.evalJulianDay == double(date.toJulianDay()) - 0.5,
               "%s: Julian day %.17g\n", qPrintable(composed), engine.evalJulianDay);
    // Minutes may make the degrees overflow; a site that is not finite is a
    // fault of the site reading, not of the engine.
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        return 0;
    const lumora::Evaluation single = engine.singleRun();
    FUZZ_CHECK(sunInRange(single.sun) && std::isfinite(single.point.x) && std::isfinite(single.point.y),
               "Julian day %.17g, minute %g, site %g %g: azimuth %g elevation %g, point %g %g\n", engine.evalJulianDay,
               minute, latitude, longitude, single.sun.azimuth, single.sun.elevation, single.point.x, single.point.y);
    // A search without its event gives up after a year; a few passes cross
    // the day boundaries and the report date arithmetic.
    engine.searchStep = lumora::kCoarseStep;
    engine.startSearch();
    for (int i = 0; i < 40; ++i) {
        const lumora::SearchPass pass = engine.searchPass(i % 2 == 0);
        FUZZ_CHECK(sunInRange(pass.evaluation.sun) && pass.hourUT >= 0 && pass.hourUT < 24,
                   "search pass %d at Julian day %.17g %g h: azimuth %g elevation %g, hour %g\n", i, engine.evalJulianDay,
                   engine.evalHourUT, pass.evaluation.sun.azimuth, pass.evaluation.sun.elevation, pass.hourUT);
        if (pass.outcome != lumora::PassOutcome::Progress)
            break;
    }
    return 0;
}
