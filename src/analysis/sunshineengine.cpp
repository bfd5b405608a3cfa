#include "analysis/sunshineengine.h"

#include "analysis/surveyfile.h"
#include "astro/clock.h"
#include "astro/julianday.h"
#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace lumora {

float surveyStepHours(int option)
{
    switch (option) {
    case 0: return 0.166666f;
    case 1: return 0.5f;
    case 2: return 1.0f;
    case 3: return static_cast<float>(0.166666 / 10);
    default: return 0.0f;
    }
}

CivilDate DayTime::date() const { return calendarDate(julianDay).value_or(CivilDate{}); }

DayTime DayTime::plusSeconds(long long seconds) const
{
    const long long total = second + seconds;
    long long days = total / 86400, rest = total % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    return {julianDay + double(days), int(rest)};
}

DayTime reportedInstant(double julianDay0h, double hourUT)
{
    // An hour is at most a little over 24 here; the bound only keeps the
    // conversion defined.
    const double seconds = std::isfinite(hourUT) ? std::round(std::clamp(hourUT, -1e6, 1e6) * 3600.0) : 0.0;
    return DayTime{julianDay0h, 0}.plusSeconds(static_cast<long long>(seconds));
}

DayTime localTime(const DayTime &ut, const QTimeZone &zone)
{
    return ut.plusSeconds(localOffsetSeconds(ut.julianDay, ut.second, zone));
}

bool SunshineEngine::setDate(double day, double month, double yearValue)
{
    const auto year = roundToInt16(yearValue);
    if (!year)
        return false;
    const auto jd = JulianDay(day, month, *year);
    // Days or months of absurd size would leave the day count unable to
    // advance by one: refuse them like an impossible year.
    if (!jd || !(std::fabs(*jd) < 1e9))
        return false;
    evalJulianDay = *jd;
    return true;
}

Evaluation SunshineEngine::evaluate(double dayFraction)
{
    evalHourUT = dayFraction * 24;
    sun = SolarPosition(evalJulianDay, evalHourUT, site);
    sunPicture = sunPicturePoint(sun, panorama);

    Evaluation result{sun, sunPicture, {}};
    if (!indicatorMuted) {
        const bool inside = view ? view->inWindow(sun) : sunInWindow(sunPicture, frame);
        result.indicator = {true, inside, inside != inWindow};
        inWindow = inside;
    }
    return result;
}

void SunshineEngine::startSearch()
{
    searchActive = true;
    searchStartJulianDay = evalJulianDay;
    boundStart_ = evalJulianDay;
}

void SunshineEngine::resumeSearch() { boundStart_ = evalJulianDay; }

void SunshineEngine::prepareSurvey()
{
    evalHourUT = 0;
    indicatorMuted = true;
}

SearchPass SunshineEngine::searchPass(bool entryWanted, SurveyLineWriter *writer, int surveyOption)
{
    SearchPass pass;
    // The target is judged on the answer the previous pass left, before this
    // pass's own evaluation: the reported instant is one step after the first
    // instant found in the target state.
    const bool targetReached = entryWanted ? inWindow : !inWindow;

    evalHourUT = evalHourUT + searchStep;
    if (evalHourUT >= 24) {
        evalJulianDay = evalJulianDay + 1;
        evalHourUT = 0;
    }

    // The day, month and year the boxes would show for that day.
    pass.reportDate = calendarDate(evalJulianDay).value_or(CivilDate{});
    pass.julianDay = evalJulianDay;
    pass.hourUT = evalHourUT;
    bool done = false;
    if (targetReached) {
        pass.outcome = PassOutcome::Found;
        done = true;
    }

    pass.evaluation = evaluate(evalHourUT / 24);

    if (writer) {
        if (searchStartJulianDay + 366 < evalJulianDay && !done) {
            done = true;
            pass.outcome = PassOutcome::SurveyOver;
        }
        if (surveyOption >= 0)
            searchStep = surveyStepHours(surveyOption);
        if (sun.elevation > 0 && !done) {
            if (!writer->writeLine(pass.reportDate, evalHourUT, sun))
                pass.outcome = PassOutcome::WriteFailed;
        }
    } else {
        searchStep = (view ? view->nearWindow(sun) : nearWindow(sunPicture, frame)) ? kFineStep : kCoarseStep;
        if (!done && evalJulianDay - boundStart_ > kSearchBoundDays)
            pass.outcome = PassOutcome::GaveUp;
    }
    return pass;
}

} // namespace lumora
