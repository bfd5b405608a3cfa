#include "cli/commands.h"

#include "analysis/dayintervals.h"
#include "analysis/skylinefile.h"
#include "analysis/hoursfile.h"
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "astro/julianday.h"
#include "astro/solarposition.h"
#include "cli/arguments.h"
#include "cli/windowoptions.h"
#include "common/formats.h"
#include "mainwindow/settings.h"
#include "windows/keptwindows.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTimeZone>
#include <cstdio>

namespace lumora::cli {

namespace {
constexpr double kDefaultLatitude = 49.0;             // 49°00' N
constexpr double kDefaultLongitude = -(2 + 20 / 60.0); // 2°20' E, positive west

// Arguments that cannot be used: the message says why (exit status 2).
struct BadArguments {
    QString message;
};

// The options of one subcommand, read as they are asked for.
class Arguments
{
public:
    // --window-name NAME is taken by every command that takes a site.
    Arguments(const QByteArrayList &words, QStringList valueOptions, const QStringList &flagOptions)
        : options_(parseOptions(words, withWindowName(valueOptions), flagOptions))
    {
        if (!options_.error.isEmpty())
            throw BadArguments{options_.error};
        if (const auto name = value(QStringLiteral("--window-name")))
            kept_ = keptWindowNamed(*name);
    }

    // The kept window of --window-name, read from the user's settings.
    const std::optional<KeptWindow> &kept() const { return kept_; }

    // The bytes given, for a file name.
    std::optional<QByteArray> bytes(const QString &name) const
    {
        const auto it = options_.values.find(name);
        return it == options_.values.end() ? std::nullopt : std::optional<QByteArray>(it->second);
    }

    std::optional<QString> value(const QString &name) const
    {
        const auto given = bytes(name);
        return given ? std::optional<QString>(QFile::decodeName(*given)) : std::nullopt;
    }

    QString required(const QString &name, const char *form) const
    {
        const auto text = value(name);
        if (!text)
            throw BadArguments{QStringLiteral("%1 %2 is required").arg(name, QLatin1String(form))};
        return *text;
    }

    // Reads a required option with a parser; a text it refuses is reported
    // with the form expected.
    template <typename Parse>
    auto parsed(const QString &name, const char *form, Parse parse) const
    {
        const QString text = required(name, form);
        const auto result = parse(text);
        if (!result)
            throw BadArguments{QStringLiteral("bad %1 '%2' (expected %3)").arg(name.mid(2), text, QLatin1String(form))};
        return *result;
    }

    bool flag(const QString &name) const { return options_.flags.contains(name); }

    SiteLocation site() const
    {
        if (kept_)
            return *keptWindowSite(*kept_);
        SiteLocation site{kDefaultLatitude, kDefaultLongitude};
        if (value(QStringLiteral("--lat")))
            site.latitude = parsed(QStringLiteral("--lat"), "e.g. 49N, 49:00N, 33.5S", parseLatitude);
        if (value(QStringLiteral("--lon")))
            site.longitude = parsed(QStringLiteral("--lon"), "e.g. 2:20E, 1.5W", parseLongitude);
        return site;
    }

    CivilDate date() const { return parsed(QStringLiteral("--date"), "D/M/Y", parseDate); }
    double hours() const { return parsed(QStringLiteral("--ut"), "HOURS from 0 to under 24, e.g. 13.5", parseHours); }

private:
    static QStringList withWindowName(QStringList options)
    {
        if (options.contains(QStringLiteral("--lat")))
            options << QStringLiteral("--window-name");
        return options;
    }

    // The window and site options cannot be given with a kept window.
    KeptWindow keptWindowNamed(const QString &name) const
    {
        for (const char *other : {"--lat", "--lon", "--frame", "--window", "--horizon"})
            if (options_.values.count(QLatin1String(other)))
                throw BadArguments{QStringLiteral("--window-name and %1 cannot both be given").arg(QLatin1String(other))};
        const QString path = userSettingsPath();
        if (const QString problem = settingsReadProblem(path); !problem.isEmpty())
            throw BadArguments{QStringLiteral("--window-name: %1").arg(problem)};
        QSettings store(path, QSettings::IniFormat);
        const PictureSize picture;
        const KeptWindowList list = readKeptWindows(store, picture.width, picture.height);
        const int index = findKeptWindow(list.windows, name);
        if (index < 0)
            throw BadArguments{QStringLiteral("--window-name: no kept window named '%1' in %2").arg(name, path)};
        return list.windows[size_t(index)];
    }

    Options options_;
    std::optional<KeptWindow> kept_;
};

// An engine at the site and date the arguments give.
SunshineEngine engineFor(const Arguments &arguments)
{
    SunshineEngine engine;
    engine.site = arguments.site();
    const CivilDate date = arguments.date();
    if (!engine.setDate(date.day, date.month, date.year))
        throw BadArguments{QStringLiteral("year out of range")};
    return engine;
}

// The step buttons of the window, by the minutes of their captions.
std::optional<int> surveyOptionForMinutes(const QString &text)
{
    if (text == u"10") return 0;
    if (text == u"30") return 1;
    if (text == u"60") return 2;
    if (text == u"1") return 3;
    return std::nullopt;
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
    // Left and right edges across 0..10065, upper and lower edges down 0..4335;
    // each pair in order.
    if (v[0] < 0 || v[0] > v[1] || v[1] > 10065 || v[2] < 0 || v[2] > v[3] || v[3] > 4335)
        return std::nullopt;
    return WindowBounds{float(v[0]), float(v[1]), float(v[2]), float(v[3])};
}

// A count of days: digits only, from 1 to the most a file may cover.
std::optional<int> parseDayCount(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\d{1,5}$"));
    if (!re.match(text).hasMatch())
        return std::nullopt;
    const int days = text.toInt();
    if (days < 1 || days > kMaxYearDays)
        return std::nullopt;
    return days;
}

// What a failure kind adds before the system's reason.
const char *failureWords(ReplacedFile::Failure failure)
{
    return failure == ReplacedFile::Failure::DiskFull   ? "the disk is full: "
        : failure == ReplacedFile::Failure::TooLarge ? "the file is too large: "
                                                     : "";
}

constexpr const char *kFrameForm = "HS1,HS2,VS1,VS2 with 0 <= HS1 <= HS2 <= 10065 and 0 <= VS1 <= VS2 <= 4335";

constexpr const char *kWindowForm = "facing=…,tilt=…,width=…,height=…,sill=…,depth=…,distance=…,offset=…,eye=…";

// The options that give the window and the skyline, added to a command's own.
QStringList withViewOptions(QStringList options)
{
    return options << QStringLiteral("--frame") << QStringLiteral("--window") << QStringLiteral("--horizon");
}

// The skyline of --horizon, or none.
Skyline skylineFor(const Arguments &arguments)
{
    const auto path = arguments.bytes(QStringLiteral("--horizon"));
    if (!path)
        return {};
    const SkylineRead read = readSkylineFile(QFile::decodeName(*path));
    if (!read.skyline)
        throw BadArguments{QStringLiteral("--horizon %1: %2").arg(QFile::decodeName(*path), read.error)};
    return *read.skyline;
}

// The window of --frame or --window (not both), with the skyline of
// --horizon; nullopt when neither is given and none is required.
std::optional<WindowView> windowFor(const Arguments &arguments, PictureSize panorama, bool required)
{
    if (arguments.kept())
        return keptWindowObservation(*arguments.kept(), panorama)->view();
    const bool frameGiven = arguments.value(QStringLiteral("--frame")).has_value();
    const auto windowText = arguments.value(QStringLiteral("--window"));
    if (frameGiven && windowText)
        throw BadArguments{QStringLiteral("--frame and --window cannot both be given")};
    if (!frameGiven && !windowText) {
        if (required)
            throw BadArguments{QStringLiteral("--frame %1 or --window %2 is required").arg(QLatin1String(kFrameForm), QString::fromUtf8(kWindowForm))};
        return std::nullopt;
    }
    WindowView view;
    if (windowText) {
        const auto window = parseMeasuredWindow(*windowText);
        if (const QString *bad = std::get_if<QString>(&window))
            throw BadArguments{*bad};
        view = WindowView::measured(std::get<MeasuredWindow>(window), panorama);
    } else {
        view = WindowView(arguments.parsed(QStringLiteral("--frame"), kFrameForm, parseFrame), panorama);
    }
    const Skyline skyline = skylineFor(arguments);
    return skyline.empty() ? view : view.withSkyline(skyline);
}

// The zone of --zone for the local columns (an IANA name the system knows),
// or the computer's own when it is not given.
QTimeZone zoneFor(const Arguments &arguments)
{
    const auto id = arguments.bytes(QStringLiteral("--zone"));
    if (!id)
        return arguments.kept() ? keptWindowZone(*arguments.kept()) : QTimeZone();
    if (!QTimeZone::isTimeZoneIdAvailable(*id))
        throw BadArguments{QStringLiteral("unknown --zone '%1' (expected a zone name such as Europe/Paris)")
                               .arg(QString::fromUtf8(*id))};
    return QTimeZone(*id);
}

// Runs a subcommand body, turning bad arguments into one line and status 2.
template <typename Body>
int guarded(const char *command, QTextStream &err, Body body)
{
    try {
        return body();
    } catch (const BadArguments &bad) {
        err << "lumora-cli " << command << ": " << bad.message << '\n';
        return 2;
    }
}
} // namespace

namespace {
// position's answer for the window and the skyline given: "in window yes|no"
// with a window (the skyline counted), "visible yes|no" with a skyline alone.
void printSunInView(QTextStream &out, const SunPosition &sun, const std::optional<WindowView> &view,
                    const Skyline &skyline)
{
    if (view)
        out << "in window " << (view->inWindow(sun) ? "yes" : "no") << '\n';
    else if (!skyline.empty())
        out << "visible " << (skyline.visible(sun.azimuth, sun.elevation) ? "yes" : "no") << '\n';
}
} // namespace

int runPosition(const QByteArrayList &words, QTextStream &out, QTextStream &err)
{
    return guarded("position", err, [&] {
        const Arguments arguments(words, withViewOptions({QStringLiteral("--date"), QStringLiteral("--ut"),
                                                          QStringLiteral("--lat"), QStringLiteral("--lon")}), {});
        const double hours = arguments.hours();
        SunshineEngine engine = engineFor(arguments);
        const std::optional<WindowView> view = windowFor(arguments, engine.panorama, false);
        const Skyline skyline = view ? view->skyline() : skylineFor(arguments);
        const SunPosition sun = SolarPosition(engine.evalJulianDay, hours, engine.site);
        out << "azimuth " << QString::number(sun.azimuth, 'f', 12) << " elevation "
            << QString::number(sun.elevation, 'f', 12) << '\n';
        printSunInView(out, sun, view, skyline);
        return 0;
    });
}

int runSurvey(const QByteArrayList &words, QTextStream &out, QTextStream &err)
{
    return guarded("survey", err, [&] {
        const Arguments arguments(words, {QStringLiteral("--date"), QStringLiteral("--step"), QStringLiteral("--lat"),
                                          QStringLiteral("--lon"), QStringLiteral("--out")}, {});
        const int option = arguments.parsed(QStringLiteral("--step"), "1, 10, 30 or 60 minutes", surveyOptionForMinutes);
        SunshineEngine engine = engineFor(arguments);

        SurveyFile file(QLocale(), SurveyFile::Writing::Batched);
        const auto outPath = arguments.bytes(QStringLiteral("--out"));
        const QString shownPath = outPath ? QFile::decodeName(*outPath) : QStringLiteral("standard output");
        const auto failed = [&] {
            err << "lumora-cli survey: "
                << failureWords(file.failure())
                << "cannot write " << shownPath << ": " << file.errorString() << '\n';
            return 1;
        };
        out.flush();
        if (!(outPath ? file.create(*outPath) : file.createOn(fileno(stdout))))
            return failed();
        // As the window does right after start-up: no step in force yet, the
        // search target an entry, the in-window answer frozen as it stood.
        engine.prepareSurvey();
        engine.startSearch();
        PassOutcome outcome = PassOutcome::Progress;
        while (outcome == PassOutcome::Progress)
            outcome = engine.searchPass(true, &file, option).outcome;
        // A failed write leaves the file as it was before.
        if (outcome == PassOutcome::WriteFailed || !file.close())
            return failed();
        return 0;
    });
}

int runSearch(const QByteArrayList &words, QTextStream &out, QTextStream &err)
{
    return guarded("search", err, [&] {
        const Arguments arguments(words, withViewOptions({QStringLiteral("--date"), QStringLiteral("--ut"),
                                                          QStringLiteral("--lat"), QStringLiteral("--lon")}),
                                  {QStringLiteral("--exit")});
        const double hours = arguments.hours();
        SunshineEngine engine = engineFor(arguments);
        const WindowView view = *windowFor(arguments, engine.panorama, true);
        engine.frame = view.frame();
        if (!view.isPlainFrame())
            engine.view = view;
        engine.dayFractionUT = hours / 24;
        engine.singleRun(); // the instant on show before the search
        engine.startSearch();
        const bool entry = !arguments.flag(QStringLiteral("--exit"));
        for (;;) {
            const SearchPass pass = engine.searchPass(entry);
            if (pass.outcome == PassOutcome::Found) {
                // Fixed for scripts: dd/MM/yyyy HH:mm:ss, the year's own number.
                const DayTime at = reportedInstant(pass);
                out << formatDate(at.date(), u"dd/MM/yyyy", QLocale::c()) << ' '
                    << formatTimeOfDay(at.dayFraction(), true, QLocale::c()) << '\n';
                return 0;
            }
            if (pass.outcome == PassOutcome::GaveUp) {
                err << "lumora-cli search: no " << (entry ? "entry" : "exit") << " within " << int(kSearchBoundDays)
                    << " days of the start\n";
                return 1;
            }
        }
    });
}

int runDay(const QByteArrayList &words, QTextStream &out, QTextStream &err)
{
    return guarded("day", err, [&] {
        const Arguments arguments(
            words, withViewOptions({QStringLiteral("--date"), QStringLiteral("--lat"), QStringLiteral("--lon")}), {});
        const SunshineEngine engine = engineFor(arguments);
        const WindowView view = *windowFor(arguments, engine.panorama, true);
        const auto clock = [](int second) { return QTime(0, 0).addSecs(second).toString(QStringLiteral("HH:mm:ss")); };
        for (const SunInterval &interval : sunIntervals(engine.evalJulianDay, engine.site, view))
            out << clock(interval.firstSecond) << ' ' << clock(interval.lastSecond) << '\n';
        return 0;
    });
}

int runHours(const QByteArrayList &words, QTextStream &out, QTextStream &err)
{
    return guarded("hours", err, [&] {
        const Arguments arguments(words, withViewOptions({QStringLiteral("--date"), QStringLiteral("--days"),
                                                          QStringLiteral("--lat"), QStringLiteral("--lon"),
                                                          QStringLiteral("--out"), QStringLiteral("--zone")}), {});
        int days = kDefaultYearDays;
        if (arguments.value(QStringLiteral("--days")))
            days = arguments.parsed(QStringLiteral("--days"), "a whole number from 1 to 3660", parseDayCount);
        const QTimeZone zone = zoneFor(arguments);
        const SunshineEngine engine = engineFor(arguments);
        const WindowView view = *windowFor(arguments, engine.panorama, true);
        // Nothing reads a date past 31/12/32767.
        const auto last = calendarDate(engine.evalJulianDay + days - 1);
        if (!last || !isCalendarDate(last->day, last->month, last->year))
            throw BadArguments{QStringLiteral("--days %1 would pass the last date, 31/12/32767").arg(days)};

        ReplacedFile file(ReplacedFile::Writing::Batched);
        const auto outPath = arguments.bytes(QStringLiteral("--out"));
        const QString shownPath = outPath ? QFile::decodeName(*outPath) : QStringLiteral("standard output");
        const auto failed = [&] {
            err << "lumora-cli hours: "
                << failureWords(file.failure())
                << "cannot write " << shownPath << ": " << file.errorString() << '\n';
            return 1;
        };
        out.flush();
        if (!(outPath ? file.create(*outPath) : file.createOn(fileno(stdout))))
            return failed();
        const std::vector<YearDay> intervals
            = yearSunIntervals(engine.evalJulianDay, days, engine.site, view);
        if (!writeHoursFile(file, intervals, QLocale(), zone))
            return failed();
        return 0;
    });
}

} // namespace lumora::cli
