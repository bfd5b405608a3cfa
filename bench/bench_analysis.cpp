// Times the longest work the program does: a year survey at the one-minute
// step through the engine and the sunshine file (to a file in memory and to
// a file on disk, with the cost split into its parts), lumora-cli doing the same as a
// process, and a search whose entry lies about 300 days ahead. Prints figures.
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "astro/julianday.h"
#include "common/formats.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace lumora;

namespace {
using Clock = std::chrono::steady_clock;
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
constexpr int kRuns = 5;
constexpr int kOneMinute = 3;

struct Figures {
    double best = 0, median = 0;
};

Figures timeRuns(const std::function<void()> &work, int runs = kRuns)
{
    std::vector<double> seconds;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds.front(), seconds[seconds.size() / 2]};
}

void report(const char *what, Figures f, const char *target = "")
{
    std::printf("%-52s best %8.1f ms  median %8.1f ms  %s\n", what, f.best * 1e3, f.median * 1e3, target);
}

// Counts the lines and drops them: the passes and the Sun without any text.
struct NullWriter : SurveyLineWriter {
    long lines = 0;
    bool writeLine(const CivilDate &, double, const SunPosition &) override { return ++lines, true; }
};

// Formats each line into bytes as the file does, then drops it.
struct FormatOnlyWriter : SurveyLineWriter {
    SurveyLineFormat format;
    QByteArray buffer;
    qsizetype bytes = 0;
    bool writeLine(const CivilDate &date, double hourUT, const SunPosition &sun) override
    {
        buffer.clear();
        format.appendLine(buffer, date, hourUT, sun);
        bytes += buffer.size() + 2;
        return true;
    }
};

long surveyYear(SurveyLineWriter &writer)
{
    SunshineEngine e;
    e.site = kParis;
    e.setDate(21, 6, 2026);
    e.prepareSurvey();
    e.startSearch();
    long passes = 0;
    while (e.searchPass(true, &writer, kOneMinute).outcome == PassOutcome::Progress)
        ++passes;
    return passes + 1;
}

void surveyToFile(const QString &path, SurveyFile::Writing writing = SurveyFile::Writing::EachLine)
{
    SurveyFile file(QLocale(), writing);
    if (!file.create(path)) {
        std::printf("cannot create %s\n", qPrintable(path));
        return;
    }
    surveyYear(file);
    if (!file.close())
        std::printf("cannot write %s\n", qPrintable(path));
}

// Low winter Sun in the south: azimuth 175°–185°, elevation 0°–18.5°, which
// at 49N the Sun only reaches around the December solstice.
SearchPass winterSearch(long *passes)
{
    SunshineEngine e;
    e.site = kParis;
    e.frame = {4892, 5172, 3444, 4335};
    e.setDate(8, 2, 2026);
    e.dayFractionUT = 0.5;
    e.singleRun();
    e.startSearch();
    SearchPass p;
    *passes = 0;
    do {
        p = e.searchPass(true);
        ++*passes;
    } while (p.outcome == PassOutcome::Progress);
    return p;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString realFile = dir.filePath(QStringLiteral("Export.csv"));
    // The survey file takes regular files only: the writes without the
    // disk's cost go to a file in memory (/dev/shm) where there is one.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir memoryDir(QFileInfo(shm).isWritable() ? shm + QStringLiteral("/lumora-bench-XXXXXX")
                                                        : dir.filePath(QStringLiteral("memory")));
    const QString memoryFile = memoryDir.filePath(QStringLiteral("Export.csv"));
    constexpr auto kBatched = SurveyFile::Writing::Batched;
    // One survey to the file in memory with a write per line, nothing else:
    // for valgrind --tool=callgrind.
    if (app.arguments().contains(QStringLiteral("--profile-survey"))) {
        surveyToFile(memoryFile);
        return 0;
    }

    std::printf("Year survey at the 1-minute step, 49N 2°20'E from 21/06/2026 (%d runs each)\n", kRuns);
    NullWriter counted;
    const long passes = surveyYear(counted);
    std::printf("  %ld passes, %ld daylight lines\n", passes, counted.lines);
    report("  passes and Sun, lines dropped", timeRuns([] { NullWriter w; surveyYear(w); }));
    FormatOnlyWriter formatted;
    surveyYear(formatted);
    report("  passes, Sun and line bytes, no write", timeRuns([] { FormatOnlyWriter w; surveyYear(w); }));
    report("  SurveyFile, a write per line, to a file in memory", timeRuns([&] { surveyToFile(memoryFile); }),
           "(target <= 400 ms)");
    report("  SurveyFile, a write per line, to a temporary file", timeRuns([&] { surveyToFile(realFile); }),
           "(target <= 400 ms)");
    report("  SurveyFile, batched writes, to a file in memory", timeRuns([&] { surveyToFile(memoryFile, kBatched); }));
    report("  SurveyFile, batched writes, to a temporary file", timeRuns([&] { surveyToFile(realFile, kBatched); }));
    std::printf("  file size %lld bytes on disk, %lld in memory (%lld from the formatter)\n", QFileInfo(realFile).size(),
                QFileInfo(memoryFile).size(),
                static_cast<long long>(formatted.bytes + 2));

    auto cli = [](const QStringList &args) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral(LUMORA_CLI_PATH), args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            std::printf("lumora-cli %s failed\n", qPrintable(args.join(u' ')));
    };
    report("  lumora-cli survey --step 1 > /dev/null",
           timeRuns([&] { cli({"survey", "--date", "21/6/2026", "--step", "1"}); }));
    report("  lumora-cli survey --step 1 --out FILE",
           timeRuns([&] { cli({"survey", "--date", "21/6/2026", "--step", "1", "--out", realFile}); }));
    report("  lumora-cli position (process start-up alone)",
           timeRuns([&] { cli({"position", "--date", "21/6/2026", "--ut", "12"}); }));

    long searchPasses = 0;
    const SearchPass found = winterSearch(&searchPasses);
    std::printf("\nSearch from 08/02/2026 12h UT for a low winter Sun in the south\n");
    std::printf("  %s after %lld days, %ld passes\n",
                qPrintable(formatDate(reportedInstant(found).date(), u"dd/MM/yyyy", QLocale::c()) + u' '
                          + formatTimeOfDay(reportedInstant(found).dayFraction(), true, QLocale::c())),
                static_cast<long long>(found.julianDay - *JulianDay(8, 2, 2026)), searchPasses);
    report("  search through the engine", timeRuns([] { long n; winterSearch(&n); }, 11), "(target <= 50 ms)");
    return 0;
}
