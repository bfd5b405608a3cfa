// The evaluation and search engine behind the main window and lumora-cli: the
// shared instant, one evaluation run, and one pass of the search for the next
// entry or exit (which, with the sunshine file, becomes the year survey).
// It holds numbers only; the window decides what to show.
#pragma once

#include "analysis/evaluation.h"
#include "analysis/windowview.h"
#include "astro/clock.h"
#include "common/civildate.h"

#include <optional>

namespace lumora {

class SurveyLineWriter;

// The survey step of each of the four step buttons, in hours as 32-bit floats:
// 0 "10 minutes" (0.166666), 1 "30 minutes", 2 "1 heure", 3 "1 minute"
// (0.166666 / 10). Any other index gives 0.
float surveyStepHours(int option);

// Search steps, in hours.
inline constexpr float kFineStep = 0.001f;   // within the margin of the frame
inline constexpr float kCoarseStep = 0.1f;   // far from it
inline constexpr float kResumeStep = 0.2f;   // after "Prochaine Entrée/Sortie"
// A search without the file that has not met its event after this many days
// gives up instead of running for ever.
inline constexpr double kSearchBoundDays = 366;

// What the sun-in-window test concluded at one evaluation.
struct IndicatorUpdate {
    bool evaluated = false; // false while the indicator is muted
    bool inWindow = false;
    bool changed = false;   // the answer differs from the previous one
};

struct Evaluation {
    SunPosition sun;
    PicturePoint point;
    IndicatorUpdate indicator;
};

enum class PassOutcome {
    Progress,    // not yet: the day reached is reportDate
    Found,       // the event: reportDate at hourUT
    SurveyOver,  // the survey's year is over
    GaveUp,      // a search without the file met no event within its bound
    WriteFailed, // the sunshine file could not be written
};

struct SearchPass {
    PassOutcome outcome = PassOutcome::Progress;
    CivilDate reportDate;  // the UT date of the pass (Julian calendar before 15 October 1582)
    double julianDay = 0;  // the same day, as its Julian day at 0h UT
    double hourUT = 0;     // the UT hour of the pass (the reported instant's hour)
    Evaluation evaluation;
};

// A day and a time of day in whole seconds, in one time scale: UT, or local
// time once shifted by the zone's offset.
struct DayTime {
    double julianDay = 0; // the day, as its Julian day at 0h
    int second = 0;       // seconds since 0h, 0 to 86399
    // The day's calendar date (Julian before 15 October 1582).
    CivilDate date() const;
    double dayFraction() const { return second / 86400.0; }
    // The same instant moved by a number of seconds, across days as needed.
    DayTime plusSeconds(long long seconds) const;
};

// The instant a search reports: a UT day (Julian day at 0h UT) plus an hour
// of day, rounded to the nearest second (23:59:59.7 becomes 00:00:00 of the
// next day). A non-finite hour counts as 0.
DayTime reportedInstant(double julianDay0h, double hourUT);
inline DayTime reportedInstant(const SearchPass &pass) { return reportedInstant(pass.julianDay, pass.hourUT); }

// A UT instant in the local time of the site's zone (the computer's when
// invalid, see inZone in clock.h), with the zone's offset in force then.
DayTime localTime(const DayTime &ut, const QTimeZone &zone = {});

class SunshineEngine
{
public:
    // Inputs, set by the owner before runs.
    SiteLocation site;
    double dayFractionUT = 0;     // UT time of day of a single run, fraction of a day
    PictureSize panorama;
    WindowBounds frame;
    // When set, the window the search and the indicator ask instead of the
    // frame (the measured window, a skyline): its inWindow and nearWindow.
    std::optional<WindowView> view;
    bool indicatorMuted = false;  // start-up and survey: the answer is frozen

    // The shared instant and results.
    double evalJulianDay = 0;     // Julian day at 0h UT
    double evalHourUT = 0;        // UT hour of day
    float searchStep = 0;         // hours; kept between searches
    double searchStartJulianDay = 0;          // evalJulianDay when the search was started
    bool inWindow = false;            // the last answer of the sun-in-window test
    bool searchActive = false;
    SunPosition sun;
    PicturePoint sunPicture;

    // Reads the date as the boxes give it (day and month as numbers, the year
    // rounded half to even into 16 bits) into evalJulianDay. False, with
    // nothing changed, when the year cannot be held or the day or month is so
    // large that the Julian day passes +-1e9.
    bool setDate(double day, double month, double yearValue);

    // Evaluates the instant evalJulianDay + dayFraction: the Sun, its place in
    // the panorama, and (unless muted) the in-window answer.
    Evaluation evaluate(double dayFraction);

    // One run at the time of day dayFractionUT.
    Evaluation singleRun() { return evaluate(dayFractionUT); }

    // A new search from the instant last evaluated ("Rechercher").
    void startSearch();
    // The same search going on from where it stopped ("Prochaine …").
    void resumeSearch();
    // Before a survey: start at 0h UT of the day, freeze the in-window answer.
    void prepareSurvey();

    // One search pass. entryWanted: the next entry (else the next exit).
    // With a writer the pass is a survey pass: surveyOption is the selected
    // step button (-1: none, the step in force stays) and the daylight line
    // goes to the writer.
    SearchPass searchPass(bool entryWanted, SurveyLineWriter *writer = nullptr, int surveyOption = -1);

private:
    double boundStart_ = 0;
};

} // namespace lumora
