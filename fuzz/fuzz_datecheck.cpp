// Fuzz target: the three date boxes as the evaluation reads them. Texts
// "day|month|year" go through the leading number, the 16-bit year, the Julian
// day and the solar position; the result is either a clean refusal or finite
// angles in range, and a real Gregorian date gets the calendar's own Julian
// day.
#include "astro/julianday.h"
#include "common/numbers.h"
#include "fuzzcheck.h"

#include <QDate>

FUZZ_TARGET
{
    const QStringList texts = fuzzFields(data, size, 3);
    const double day = lumora::leadingNumber(texts[0]), month = lumora::leadingNumber(texts[1]);
    const double yearValue = lumora::leadingNumber(texts[2]);
    const auto year = lumora::roundToInt16(yearValue);
    if (!year)
        return 0; // the run is abandoned: a year beyond 16 bits
    const auto jd = lumora::JulianDay(day, month, *year);
    // The only refusals for finite numbers: January or February of -32768,
    // whose year before cannot be held, and a day or month so near the
    // largest double that the Julian day overflows.
    FUZZ_CHECK(jd ? std::isfinite(*jd) : (*year == -32768 && month < 3) || std::fabs(day) > 1e300 || std::fabs(month) > 1e300,
               "day %.17g month %.17g year %d: Julian day %g\n", day, month, int(*year), jd.value_or(qQNaN()));
    // The program refuses Julian days beyond +-1e9 before any solar position
    // (SunshineEngine::setDate): past that the sidereal time loses every digit.
    if (!jd || !(std::fabs(*jd) < 1e9))
        return 0;
    // Paris, the North Pole (no azimuth is defined there) and the equator at
    // the date line; the time bar's ends and noon.
    for (const lumora::SiteLocation &site : {lumora::SiteLocation{49.0, -2.0 - 20.0 / 60}, {90.0, 0.0}, {0.0, 180.0}})
        for (double hour : {0.0, 12.0, 24.0}) {
            const lumora::SunPosition sun = lumora::SolarPosition(*jd, hour, site);
            FUZZ_CHECK(sunInRange(sun), "Julian day %.17g, %g h UT, site %g %g: azimuth %g elevation %g\n", *jd, hour,
                       site.latitude, site.longitude, sun.azimuth, sun.elevation);
        }
    // Three numbers that make a Gregorian calendar date, read day first, get
    // the Julian day of QDate's own calendar (which counts from noon).
    const QString composed = lumora::shortestText(day) + u'/' + lumora::shortestText(month) + u'/'
        + lumora::shortestText(yearValue);
    const QDate date = QDate::fromString(composed, QStringLiteral("d/M/yyyy"));
    FUZZ_CHECK(!date.isValid() || date < QDate(1582, 10, 15) || *jd == double(date.toJulianDay()) - 0.5,
               "%s: Julian day %.17g\n", qPrintable(composed), *jd);
    return 0;
}
