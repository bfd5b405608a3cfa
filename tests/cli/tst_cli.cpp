// lumora-cli as a script runs it, in a French environment. The expected values
// come from outside the program: the example line "21/06/2026 12:00;184,0;64,4"
// (Paris, 21 June 2026 at noon UT), the NOAA solar calculator's equations
// (Meeus, Astronomical Algorithms, ch. 25, no refraction) for other sites and
// for the instants a search crosses a frame edge, survey lines counted by hand
// where the Sun never sets, and a scan of every second for `day` (which `hours`
// repeats date by date), also through a measured window and a skyline file. Also: one stderr line
// with status 2 (bad arguments) or 1 (no answer, a failed write), and a file
// that a failed or killed write leaves as it was.
#include "analysis/dayintervals.h"
#include "astro/julianday.h"
#include "support/files.h"
#include "support/rows.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace lumora;

namespace {
struct Run {
    int status;
    QByteArray out, err;
};

// The tool's run, killed after 20 s (a write that blocks); with a file limit
// the file "fills up" at that many bytes.
Run runProgram(const QString &program, const QStringList &args, const QString &locale, rlim_t fileLimit = RLIM_INFINITY)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(env);
    process.setChildProcessModifier([fileLimit] {
        const rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(program, args);
    const bool exited = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit;
    process.kill();
    process.waitForFinished();
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}
Run runCli(const QStringList &args, const QString &locale = QStringLiteral("fr_FR.UTF-8"), rlim_t fileLimit = RLIM_INFINITY)
{
    return runProgram(QStringLiteral(LUMORA_CLI_PATH), args, locale, fileLimit);
}
Run runCli(const QString &command) { return runCli(command.split(u' ', Qt::SkipEmptyParts)); }

// A shell command line, with the tool as $1 and `more` as $2...
Run runShell(const QString &script, const QStringList &more = {})
{
    return runProgram("/bin/sh", QStringList{"-c", script, "sh", QStringLiteral(LUMORA_CLI_PATH)} + more, "fr_FR.UTF-8");
}



QString dmy(const QDate &d) { return QStringLiteral("%1/%2/%3").arg(d.day()).arg(d.month()).arg(d.year()); }

const QByteArray kHoursHeader = "date;d\xc3\xa9" "but (TU);fin (TU);d\xc3\xa9" "but (local);fin (local);dur\xc3\xa9" "e (min)";
const QString kSouth = QStringLiteral("--frame 4000,6000,1000,3000");
const QString kWindow = QStringLiteral("facing=200,width=1.4,height=1.6,sill=0.9,depth=0.3,distance=0.8,offset=0.4,eye=1.2");
} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath("fifo.csv")).constData(), 0600) == 0);
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath("t.csv.part")).constData(), 0600) == 0);
    }

    void position_data()
    {
        // tolerance: degrees
        addColumns<QString, double, double, double>("site", "azimuth", "elevation", "tolerance");
        // The example line gives one decimal.
        QTest::newRow("default site: the example line") << "" << 184.0 << 64.4 << 0.05;
        QTest::newRow("49:00N 2:20E: the example line") << "--lat 49:00N --lon 2:20E" << 184.0 << 64.4 << 0.05;
        // NOAA equations; the program's 1900 formulas agree within 0.02°.
        QTest::newRow("33.5S: the Sun in the north") << "--lat 33.5S" << 357.949 << 33.034 << 0.03;
        QTest::newRow("1.5W: before its noon") << "--lon 1.5W" << 175.839 << 64.391 << 0.03;
    }
    void position()
    {
        const auto [site, azimuth, elevation, tolerance] = fetchColumns<QString, double, double, double>("site",
            "azimuth", "elevation", "tolerance");
        const Run run = runCli("position --ut 12 --date 21/6/2026 " + site);
        QCOMPARE(run.status, 0);
        static const QRegularExpression line(QStringLiteral("^azimuth (\\d+\\.\\d{12}) elevation (-?\\d+\\.\\d{12})\\n$"));
        const auto m = line.match(QString::fromUtf8(run.out));
        QVERIFY2(m.hasMatch(), run.out.constData());
        QVERIFY2(std::abs(m.captured(1).toDouble() - azimuth) <= tolerance
                     && std::abs(m.captured(2).toDouble() - elevation) <= tolerance, run.out.constData());
    }

    // Paris, frame 4000,6000,1000,3000: azimuth 143.07°-214.61°. NOAA
    // equations: the Sun passes 143.07° at 10:37:05.8 UT, 214.61° at 13:02:26.9.
    void search_data()
    {
        // crossing: seconds after 0h UT of 21 June 2026
        addColumns<QString, double>("command", "crossing");
        QTest::newRow("entry from 6h") << "search --ut 6 --date 21/6/2026 " + kSouth << 10 * 3600 + 37 * 60 + 5.8;
        QTest::newRow("--exit from 12h") << "search --ut 12 --date 21/6/2026 --exit " + kSouth << 13 * 3600 + 2 * 60 + 26.9;
    }
    void search()
    {
        const auto [command, crossing] = fetchColumns<QString, double>("command", "crossing");
        const Run run = runCli(command);
        QCOMPARE(run.status, 0);
        static const QRegularExpression line(QStringLiteral("^21/06/2026 (\\d\\d:\\d\\d:\\d\\d)\\n$"));
        const auto m = line.match(QString::fromUtf8(run.out));
        QVERIFY2(m.hasMatch(), run.out.constData());
        // One fine step (3.6 s) after the first sample past the edge, the formulas a few seconds apart.
        const double reported = QTime(0, 0).secsTo(QTime::fromString(m.captured(1), u"HH:mm:ss"));
        QVERIFY2(reported > crossing - 3 && reported < crossing + 12, run.out.constData());
    }

    // One stderr line naming the command (the tool alone where standard
    // output fails after the command's work), nothing on stdout; run by the
    // shell. DIR: a folder holding the pipes fifo.csv and t.csv.part.
    void refusals_data()
    {
        // message: part of the stderr line
        addColumns<QString, int, QString>("command", "status", "message");
        const QString d = QStringLiteral(" --date 21/6/2026 "), hours = "hours" + d + kSouth;
        QTest::newRow("no subcommand") << "" << 2 << "lumora-cli: missing command";
        QTest::newRow("missing --ut") << "position" + d << 2 << "--ut";
        QTest::newRow("--ut 24, the next day") << "position --ut 24" + d << 2 << "0 to under 24";
        QTest::newRow("--ut twice") << "position --ut 12 --ut 13" + d << 2 << "--ut given twice";
        QTest::newRow("--exit twice") << "search --ut 6 --exit --exit" + d + kSouth << 2 << "twice";
        QTest::newRow("--out empty") << "survey --step 60 --out \"\"" + d << 2 << "empty value";
        QTest::newRow("--lat 95N") << "position --ut 12 --lat 95N" + d << 2 << "bad lat";
        QTest::newRow("--lat 49E") << "day --lat 49E" + d + kSouth << 2 << "bad lat";
        QTest::newRow("--lat 49:60N, 60 minutes") << "position --ut 12 --lat 49:60N" + d << 2 << "bad lat";
        QTest::newRow("frame left of right") << "search --ut 6 --frame 6000,4000,1000,3000" + d << 2 << "bad frame";
        QTest::newRow("frame below the picture") << "day --frame 4000,6000,1000,4336" + d << 2 << "bad frame";
        QTest::newRow("no --frame") << "hours" + d << 2 << "--frame";
        QTest::newRow("--step 15") << "survey --step 15" + d << 2 << "bad step";
        QTest::newRow("--ut is not an option of day") << "day --ut 12" + d + kSouth << 2 << "--ut";
        QTest::newRow("--days 0") << hours + " --days 0" << 2 << "bad days";
        QTest::newRow("--days 3661") << hours + " --days 3661" << 2 << "bad days";
        QTest::newRow("--days 12.5") << hours + " --days 12.5" << 2 << "bad days";
        QTest::newRow("--days past 31/12/32767") << "hours --date 1/1/32767 --days 366 " + kSouth << 2 << "--days 366";
        QTest::newRow("31/4/2026") << "position --ut 12 --date 31/4/2026" << 2 << "bad date";
        // Searched, not refused: the window allows a frame of no width.
        QTest::newRow("zero-width frame") << "search --ut 6 --frame 5000,5000,0,4335" + d << 1 << "no entry within 366 days";
        QTest::newRow("frame never met") << "search --ut 6 --frame 0,10065,0,481" + d << 1 << "no entry within 366";
        QTest::newRow("--out a folder") << hours + " --out DIR" << 1 << "cannot write";
        QTest::newRow("--out a pipe") << hours + " --out DIR/fifo.csv" << 1 << "fifo.csv is not a regular file";
        QTest::newRow("--out a device") << "survey --step 60 --out /dev/full" + d << 1 << "not a regular file";
        QTest::newRow("a pipe at the temporary name") << hours + " --out DIR/t.csv" << 1 << "t.csv.part is not a regular";
        const QString cannot = QStringLiteral("lumora-cli: cannot write to standard output");
        QTest::newRow("position >/dev/full") << "position --ut 12" + d + ">/dev/full" << 1 << cannot;
        QTest::newRow("--help >/dev/full") << "--help >/dev/full" << 1 << cannot;
        QTest::newRow("survey, stdout closed") << "survey --step 60" + d + ">&-" << 1 << "standard output";
        QTest::newRow("hours >/dev/full") << hours + " >/dev/full" << 1 << "the disk is full: cannot write standard output";
    }
    void refusals()
    {
        auto [command, status, message] = fetchColumns<QString, int, QString>("command", "status", "message");
        const Run run = runShell("\"$1\" " + command.replace("DIR", dir_.path()));
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err.count('\n'), 1);
        const QString name = message.startsWith(u"lumora-cli") ? QString() : ' ' + command.section(u' ', 0, 0);
        QVERIFY2(run.err.startsWith(("lumora-cli" + name + ':').toUtf8()) && run.err.contains(message.toUtf8()), run.err.constData());
    }

    // At 80° N around the June solstice the Sun never sets (13.4° to 33.4°
    // high): every pass is written, whole steps from 00:00. The 10- and
    // 1-minute steps are 0.166666 h and 0.0166666 h, a little short: the
    // day's last pass falls at 23:59:59.6 and is written 00:00 with its day.
    void surveySteps_data()
    {
        addNamedRows<int>("step", {{"60", 60}, {"30", 30}, {"10", 10}, {"1", 1}});
    }
    void surveySteps()
    {
        QFETCH(int, step);
        QStringList times; // expected
        for (int m = 0; m < 24 * 60; m += step)
            times << QTime(0, 0).addSecs(60 * m).toString(u"HH:mm");
        if (step == 10 || step == 1)
            times << QStringLiteral("00:00");
        const Run run = runCli({"survey", "--date", "21/6/2026", "--lat", "80N", "--step", QString::number(step)});
        QCOMPARE(run.status, 0);
        QStringList first; // the times of the first day's lines
        for (const QByteArray &line : run.out.split('\n'))
            if (line.startsWith("21/06/2026 "))
                first << QString::fromLatin1(line.mid(11, 5));
        QCOMPARE(first, times);
    }

    // --out writes what stdout gets in place of the previous file; past a
    // file size limit the previous file stays whole (a killed writer's ".part":
    // tests/analysis). `hours` covers a year by default
    // (2027 is not a leap year: the 366th day is 21 June 2027).
    void outFile_data()
    {
        addNamedRows<QString>("command", {{"survey", "survey --date 21/6/2026 --step 60"},
                                          {"hours", "hours --date 21/6/2026 --frame 0,10065,0,4335"}});
    }
    void outFile()
    {
        QFETCH(QString, command);
        const QStringList args = command.split(u' ');
        const Run toStdout = runCli(args);
        const QString path = dir_.filePath(args[0] + ".csv"), part = path + ".part";
        QVERIFY(writeFile(path, "previous\r\n"));
        QCOMPARE(runCli(args + QStringList{"--out", path}).status, 0);
        QCOMPARE(contents(path), toStdout.out);
        const Run limited = runCli(args + QStringList{"--out", path}, "fr_FR.UTF-8", toStdout.out.size() / 2);
        QCOMPARE(limited.status, 1);
        QVERIFY2(limited.err.contains("the file is too large"), limited.err.constData());
        QCOMPARE(contents(path), toStdout.out);
        QVERIFY(!QFile::exists(part));
        if (args[0] == u"hours") {
            QSet<QByteArray> dates;
            for (const QByteArray &line : toStdout.out.trimmed().split('\n').mid(1))
                dates.insert(line.left(line.indexOf(';')));
            QCOMPARE(dates.size(), 366);
            QVERIFY(dates.contains("21/06/2026") && dates.contains("21/06/2027"));
            return;
        }
        QVERIFY(toStdout.out.startsWith("\r\n") && toStdout.out.contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
    }

    // Any name the system takes, as its bytes (printf's format): "NAME.part"
    // as the temporary file while it fits, else a short name, where stale ones
    // (a minute old, no writer) are removed.
    void outNames_data()
    {
        addColumns<QString, bool>("name", "sweeps");
        QTest::newRow("not UTF-8") << "a\\377.csv" << false;
        QTest::newRow("250 bytes, .part fits") << QString(250, u'a') << false;
        QTest::newRow("251 bytes") << QString(251, u'a') << true;
        QTest::newRow("125 accented letters, 254 bytes") << QStringLiteral("\\303\\251").repeated(125) + ".csv" << true;
    }
    void outNames()
    {
        const auto [name, sweeps] = fetchColumns<QString, bool>("name", "sweeps");
        const QTemporaryDir dir;
        const QString stale = dir.filePath(QStringLiteral(".lumora-a1b2c3.part"));
        QVERIFY(writeFile(stale, "left by a killed writer"));
        const utimbuf old{::time(nullptr) - 120, ::time(nullptr) - 120};
        ::utime(QFile::encodeName(stale).constData(), &old);
        // Written under that name (removed by the shell: QDir reads names as text).
        const Run run = runShell(QStringLiteral("n=\"$2/$(printf '%1')\"; \"$1\" hours --date 21/6/2026 --days 2 %2 --out "
                                                "\"$n\" && test -f \"$n\" && rm \"$n\"").arg(name, kSouth), {dir.path()});
        QVERIFY2(run.status == 0, run.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), sweeps ? 0 : 1);
    }

    // Each line of `day`, and each date's lines of `hours`, are the first and
    // last second of a stretch that a scan of every second finds in the frame.
    void daysAsEverySecond_data()
    {
        // site: lumora-cli's options
        // longitude: positive west
        addColumns<QString, double, double, QList<float>, QDate, int>("site", "latitude", "longitude", "frame", "first",
            "days");
        const double paris = -(2 + 20 / 60.0);
        QTest::newRow("Paris, south window, summer time begins")
            << "" << 49.0 << paris << QList<float>{4000, 6000, 1000, 3000} << QDate(2027, 3, 26) << 4;
        QTest::newRow("33.5S 179.99W 1 Jan 2027, north-east frame")
            << "--lat 33.5S --lon 179.99W" << -33.5 << 179.99 << QList<float>{300, 2500, 2000, 4335} << QDate(2027, 1, 1) << 1;
        QTest::newRow("78N 15E, right edge: the midnight Sun in the north")
            << "--lat 78N --lon 15E" << 78.0 << -15.0 << QList<float>{9800, 10065, 2500, 4335} << QDate(2026, 6, 20) << 3;
    }
    void daysAsEverySecond()
    {
        const auto [site, latitude, longitude, frame, first, days] = fetchColumns<QString, double, double, QList<float>, QDate, int>(
            "site", "latitude", "longitude", "frame", "first", "days");
        const QString options
            = QStringLiteral("--frame %1,%2,%3,%4 %5").arg(frame[0]).arg(frame[1]).arg(frame[2]).arg(frame[3]).arg(site);
        const Run hours = runCli(QStringLiteral("hours --date %1 --days %2 %3").arg(dmy(first)).arg(days).arg(options));
        QCOMPARE(hours.status, 0);
        QList<QByteArray> lines = hours.out.split('\n');
        QCOMPARE(lines.takeFirst(), kHoursHeader + '\r');
        std::map<QString, QByteArray> byDate;
        for (const QByteArray &line : lines)
            if (const QList<QByteArray> f = line.chopped(!line.isEmpty()).split(';'); f.size() == 6)
                byDate[QString::fromUtf8(f[0])] += f[1] + ' ' + f[2] + '\n';
        const auto clock = [](int second) { return QTime(0, 0).addSecs(second).toString(u"HH:mm:ss"); };
        for (QDate date = first; date < first.addDays(days); date = date.addDays(1)) {
            QByteArray expected;
            for (const SunInterval &i : sunIntervalsBruteForce(*JulianDay(date.day(), date.month(), date.year()),
                                                               {latitude, longitude}, PictureSize{},
                                                               WindowBounds{frame[0], frame[1], frame[2], frame[3]}))
                expected += (clock(i.firstSecond) + u' ' + clock(i.lastSecond) + u'\n').toLatin1();
            QCOMPARE(byDate[date.toString(u"dd/MM/yyyy")], expected);
            if (date == first)
                QCOMPARE(runCli(QStringLiteral("day --date %1 %2").arg(dmy(date), options)).out, expected);
        }
    }

    // The system's locale (the file's lines are checked in the analysis tests).
    void hoursLineInTheCLocale()
    {
        const Run run = runCli(("hours --days 1 --date 21/6/2026 " + kSouth).split(u' '), QStringLiteral("C.UTF-8"));
        QCOMPARE(run.out, kHoursHeader + "\r\n21 Jun 2026;10:37:05;13:02:26;12:37:05;15:02:26;145.4\r\n");
    }

    // The measured window and a skyline file: the day's lines equal a
    // second-by-second scan of the same view; one line naming the key or the
    // file's line for what cannot be used.
    void options_data()
    {
        // expected: standard output, or a word the error line must hold
        addColumns<QString, int, QString>("command", "status", "expected");
        // Paris, 20 September 2026: the Sun crosses the window south-south-west, and the
        // skyline (45° from azimuth 190° on) hides the later part.
        const SiteLocation paris{49.0, -(2 + 20 / 60.0)};
        MeasuredWindow w{200, 90, 1.4, 1.6, 0.9, 0.3, 0.8, 0.4, 1.2};
        const auto day = [&](const Skyline &skyline) {
            QString text;
            WindowView view = WindowView::measured(w, PictureSize{}).withSkyline(skyline);
            for (const SunInterval &i : sunIntervalsBruteForce(*JulianDay(20, 9, 2026), paris, view))
                text += QTime(0, 0).addSecs(i.firstSecond).toString(u"HH:mm:ss") + u' '
                    + QTime(0, 0).addSecs(i.lastSecond).toString(u"HH:mm:ss") + u'\n';
            return text;
        };
        const QString cut = day(*Skyline::fromPoints({{0, 0}, {189.999, 0}, {190, 45}, {359, 45}}));
        QVERIFY(!day({}).isEmpty() && cut != day({}));
        QTest::newRow("day, measured window") << "day --date 20/9/2026 --window " + kWindow << 0 << day({});
        QTest::newRow("day, measured window and skyline") << "day --date 20/9/2026 --window " + kWindow + " --horizon HORIZON" << 0 << cut;
        QTest::newRow("position in the window") << "position --date 20/9/2026 --ut 11 --window " + kWindow << 0 << "in window yes";
        QTest::newRow("position behind the skyline") << "position --date 20/9/2026 --ut 13 --horizon HORIZON" << 0 << "visible no";
        QTest::newRow("hours, defaults left out") << "hours --date 20/9/2026 --days 1 --window facing=200,width=1.4,height=1.6,sill=0.9,distance=0.8,eye=1.2" << 0 << ";10:39:52;15:17:05;";
        QTest::newRow("search, measured window") << "search --date 20/9/2026 --ut 0 --window " + kWindow << 0 << "20/09/2026";
        QTest::newRow("negative width") << "day --date 20/9/2026 --window facing=200,width=-1,height=1.2,sill=0.9,distance=2,eye=1.2" << 2 << "width";
        QTest::newRow("eye missing") << "day --date 20/9/2026 --window facing=200,width=1,height=1.2,sill=0.9,distance=2" << 2 << "eye";
        QTest::newRow("unknown key") << "day --date 20/9/2026 --window facing=200,colour=red" << 2 << "colour";
        QTest::newRow("tilt not a number") << "day --date 20/9/2026 --window facing=200,tilt=steep,width=1,height=1,sill=1,distance=1,eye=1" << 2 << "tilt";
        QTest::newRow("spot outside the room") << "day --date 20/9/2026 --window facing=200,width=1,height=1,sill=1,distance=0,eye=1" << 2 << "distance";
        QTest::newRow("frame and window") << "day --date 20/9/2026 --frame 0,1,0,1 --window " + kWindow << 2 << "--window";
        QTest::newRow("broken skyline file") << "day --date 20/9/2026 --window " + kWindow + " --horizon BROKEN" << 2 << "Line 3";
        QTest::newRow("missing skyline file") << "day --date 20/9/2026 --window " + kWindow + " --horizon NOWHERE" << 2 << "--horizon";
    }
    void options()
    {
        auto [command, status, expected] = fetchColumns<QString, int, QString>("command", "status", "expected");
        const QTemporaryDir dir;
        const QString horizon = dir.filePath(QStringLiteral("horizon.csv")), broken = dir.filePath(QStringLiteral("broken.csv"));
        QVERIFY(writeFile(horizon, "0;0\n189.999;0\n190;45\n359;45\n") && writeFile(broken, "az;el\n0;0\n90;x\n"));
        command.replace(QStringLiteral("HORIZON"), horizon).replace(QStringLiteral("BROKEN"), broken);
        command.replace(QStringLiteral("NOWHERE"), dir.filePath(QStringLiteral("none")));
        const Run run = runCli(command.split(u' '), QStringLiteral("C.UTF-8"));
        QCOMPARE(run.status, status);
        if (status != 0) {
            QVERIFY2(run.out.isEmpty() && run.err.count('\n') == 1 && QString::fromUtf8(run.err).contains(expected), run.err.constData());
        } else if (expected.endsWith(u'\n') || expected.isEmpty()) {
            QCOMPARE(QString::fromUtf8(run.out), expected);
        } else {
            QVERIFY2(QString::fromUtf8(run.out).contains(expected), run.out.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
