// lumora-cli as a script runs it, in a French environment. The expected values
// come from outside the program: the example line "21/06/2026 12:00;184,0;64,4"
// (Paris, 21 June 2026 at noon UT), the NOAA solar calculator's equations
// (Meeus, Astronomical Algorithms, ch. 25, no refraction) for other sites and
// for the instants a search crosses a frame edge, the calendar for dates, and
// survey lines counted by hand where the Sun never sets. Also: one stderr line
// with status 2 (bad arguments) or 1 (no answer, a failed write), and a file
// that a failed or killed survey leaves as it was.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
struct Run {
    int status;
    QByteArray out, err;
};

Run finish(QProcess &process)
{
    const bool exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

// With a file limit, the disk "fills up" at that many bytes.
Run runCli(const QStringList &args, rlim_t fileLimit = RLIM_INFINITY)
{
    QProcess process;
    process.setChildProcessModifier([fileLimit] {
        const rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(LUMORA_CLI_PATH), args);
    return finish(process);
}

// A shell command line, with the tool as $1 and `more` as $2...
Run runShell(const QString &script, const QStringList &more = {})
{
    QProcess process;
    process.start(QStringLiteral("/bin/sh"), QStringList{"-c", script, "sh", QStringLiteral(LUMORA_CLI_PATH)} + more);
    return finish(process);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// The times of the lines of one day in a survey's output.
QStringList timesOf(const QByteArray &survey, const QByteArray &date)
{
    QStringList times;
    for (const QByteArray &line : survey.split('\n'))
        if (line.startsWith(date + ' '))
            times << QString::fromLatin1(line.mid(date.size() + 1, 5));
    return times;
}

// Every `minutes` from 00:00 to the end of the day.
QStringList everyMinutes(int minutes)
{
    QStringList times;
    for (int m = 0; m < 24 * 60; m += minutes)
        times << QStringLiteral("%1:%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0'));
    return times;
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("LC_ALL", "fr_FR.UTF-8"); // for the tool, which inherits it
    }

    void position_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<double>("elevation");
        QTest::addColumn<double>("tolerance"); // degrees
        // The example line gives one decimal.
        QTest::newRow("default site: the example line") << "" << 184.0 << 64.4 << 0.05;
        QTest::newRow("49:00N 2:20E: the example line") << "--lat 49:00N --lon 2:20E" << 184.0 << 64.4 << 0.05;
        // NOAA equations; the program's 1900 formulas agree within 0.02°.
        QTest::newRow("33.5S: the Sun in the north") << "--lat 33.5S" << 357.949 << 33.034 << 0.03;
        QTest::newRow("1.5W: before its noon") << "--lon 1.5W" << 175.839 << 64.391 << 0.03;
    }
    void position()
    {
        QFETCH(QString, site);
        QFETCH(double, azimuth);
        QFETCH(double, elevation);
        QFETCH(double, tolerance);
        const Run run = runCli(QStringLiteral("position --ut 12 --date 21/6/2026 %1").arg(site).split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(run.status, 0);
        static const QRegularExpression line(QStringLiteral("^azimuth (\\d+\\.\\d{12}) elevation (-?\\d+\\.\\d{12})\\n$"));
        const auto m = line.match(QString::fromUtf8(run.out));
        QVERIFY2(m.hasMatch(), run.out.constData());
        const double az = m.captured(1).toDouble(), el = m.captured(2).toDouble();
        QVERIFY2(std::abs(az - azimuth) <= tolerance && std::abs(el - elevation) <= tolerance,
                 qPrintable(QStringLiteral("got %1 %2, expected %3 %4").arg(az).arg(el).arg(azimuth).arg(elevation)));
    }

    void search_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<double>("crossing"); // seconds after 0h UT of 21 June 2026
        // Paris, frame 4000,6000,1000,3000: azimuth 143.07°-214.61°, elevation
        // 27.72°-69.24°. NOAA equations: the Sun passes azimuth 143.07° at
        // 10:37:05.8 UT and 214.61° at 13:02:26.9 UT.
        QTest::newRow("entry from 6h") << "search --ut 6 --date 21/6/2026 --frame 4000,6000,1000,3000"
                                       << 10 * 3600 + 37 * 60 + 5.8;
        QTest::newRow("--exit from 12h") << "search --ut 12 --date 21/6/2026 --frame 4000,6000,1000,3000 --exit"
                                         << 13 * 3600 + 2 * 60 + 26.9;
    }
    void search()
    {
        QFETCH(QString, command);
        QFETCH(double, crossing);
        const Run run = runCli(command.split(u' '));
        QCOMPARE(run.status, 0);
        static const QRegularExpression line(QStringLiteral("^21/06/2026 (\\d\\d):(\\d\\d):(\\d\\d)\\n$"));
        const auto m = line.match(QString::fromUtf8(run.out));
        QVERIFY2(m.hasMatch(), run.out.constData());
        const double reported = m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt();
        // One fine step (3.6 s) after the first sample past the edge, samples
        // 3.6 s apart, the formulas a few seconds apart.
        QVERIFY2(reported > crossing - 3 && reported < crossing + 12,
                 qPrintable(QStringLiteral("%1 s, crossing at %2 s").arg(reported).arg(crossing)));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // part of the stderr line
        const QStringList date{"--date", "21/6/2026"};
        QTest::newRow("no subcommand") << QStringList{} << 2 << "missing command";
        QTest::newRow("missing --ut") << QStringList{"position", "--date", "21/6/2026"} << 2 << "--ut";
        QTest::newRow("--ut 24, the next day") << QStringList{"position", "--ut", "24"} + date << 2 << "0 to under 24";
        QTest::newRow("--ut twice") << QStringList{"position", "--ut", "12", "--ut", "13"} + date << 2 << "--ut given twice";
        QTest::newRow("--exit twice")
            << QStringList{"search", "--ut", "6", "--frame", "0,10065,0,4335", "--exit", "--exit"} + date << 2 << "twice";
        QTest::newRow("--out empty") << QStringList{"survey", "--step", "60", "--out", ""} + date << 2 << "empty value";
        QTest::newRow("--lat 95N") << QStringList{"position", "--ut", "12", "--lat", "95N"} + date << 2 << "bad lat";
        QTest::newRow("--lat 49E") << QStringList{"position", "--ut", "12", "--lat", "49E"} + date << 2 << "bad lat";
        QTest::newRow("--lat 49:60N, 60 minutes") << QStringList{"position", "--ut", "12", "--lat", "49:60N"} + date << 2
                                                  << "bad lat";
        QTest::newRow("frame left of right") << QStringList{"search", "--ut", "6", "--frame", "6000,4000,1000,3000"} + date
                                             << 2 << "bad frame";
        QTest::newRow("--step 15") << QStringList{"survey", "--step", "15"} + date << 2 << "bad step";
        // Searched, not refused: the window allows a frame of no width.
        QTest::newRow("zero-width frame") << QStringList{"search", "--ut", "6", "--frame", "5000,5000,0,4335"} + date << 1
                                          << "no entry within 366 days";
        QTest::newRow("frame never met: bound") << QStringList{"search", "--ut", "6", "--frame", "0,10065,0,481"} + date
                                                << 1 << "no entry within 366 days";
        QTest::newRow("--out on a full disk") << QStringList{"survey", "--step", "60", "--out", "/dev/full"} + date << 1
                                              << "the disk is full";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = runCli(args);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    }

    // The tool takes the dates the window's boxes take (one check for both,
    // tested in full with the calendar).
    void dates_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("31/4/2026") << "31/4/2026" << false;
        QTest::newRow("29/2/1500, Julian leap day") << "29/2/1500" << true;
        QTest::newRow("5/10/1582, dropped by the reform") << "5/10/1582" << false;
        QTest::newRow("21/6/0, year 0") << "21/6/0" << true;
        QTest::newRow("29/2/-4, Julian leap day") << "29/2/-4" << true;
        QTest::newRow("1/1/-32768, no year before it") << "1/1/-32768" << false;
    }
    void dates()
    {
        QFETCH(QString, date);
        QFETCH(bool, accepted);
        const Run run = runCli({"position", "--ut", "12", "--date", date});
        QCOMPARE(run.status, accepted ? 0 : 2);
    }

    void datesWritten_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("expected"); // the dates of the survey's first days, or the search's line
        // On the equator at 0° the Sun is up every day, and rises near 6h UT.
        const QStringList equator{"--lat", "0N", "--lon", "0E"};
        QTest::newRow("survey from 1/6/-1") << QStringList{"survey", "--step", "60", "--date", "1/6/-1"} + equator
                                            << QStringList{"01/06/-0001", "02/06/-0001"};
        QTest::newRow("survey across the reform")
            << QStringList{"survey", "--step", "60", "--date", "3/10/1582"} + equator
            << QStringList{"03/10/1582", "04/10/1582", "15/10/1582", "16/10/1582"};
        QTest::newRow("survey into year 0") << QStringList{"survey", "--step", "60", "--date", "31/12/-1"} + equator
                                            << QStringList{"31/12/-0001", "01/01/0000", "02/01/0000"};
        QTest::newRow("search across the reform")
            << QStringList{"search", "--ut", "20", "--frame", "0,10065,0,4335", "--date", "4/10/1582"} + equator
            << QStringList{"15/10/1582"};
        QTest::newRow("search into year 0")
            << QStringList{"search", "--ut", "20", "--frame", "0,10065,0,4335", "--date", "31/12/-1"} + equator
            << QStringList{"01/01/0000"};
    }
    void datesWritten()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, expected);
        const Run run = runCli(args);
        QCOMPARE(run.status, 0);
        QStringList dates;
        for (const QByteArray &line : run.out.split('\n'))
            if (const QString date = QString::fromUtf8(line.left(line.indexOf(' ')));
                !line.trimmed().isEmpty() && (dates.isEmpty() || dates.last() != date))
                dates << date;
        QCOMPARE(dates.mid(0, expected.size()), expected);
        if (args.first() == u"search") {
            // The sunrise of that day, one line.
            static const QRegularExpression sunrise(QStringLiteral("^\\S+ 0[56]:\\d\\d:\\d\\d\\n$"));
            QVERIFY2(sunrise.match(QString::fromUtf8(run.out)).hasMatch(), run.out.constData());
        }
    }

    // At 80° N around the June solstice the Sun never sets (it stays between
    // 90 - 80 - 23.4 = 13.4° and 33.4° high): every pass is written. The first
    // pass is at 00:00 (no step in force yet), each day's passes are whole
    // steps from 00:00, and a pass reaching 24:00 starts the next day. The
    // 10-minute and 1-minute steps are 0.166666 h and 0.0166666 h, a little
    // short: the day's last pass falls at 23:59:59.65 or .66 and is written
    // 00:00 with its own day.
    void surveySteps_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("times"); // of each of the first two days
        QTest::newRow("60") << "60" << everyMinutes(60);
        QTest::newRow("30") << "30" << everyMinutes(30);
        QTest::newRow("10") << "10" << everyMinutes(10) + QStringList{"00:00"};
        QTest::newRow("1") << "1" << everyMinutes(1) + QStringList{"00:00"};
    }
    void surveySteps()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, times);
        const Run run = runCli({"survey", "--date", "21/6/2026", "--lat", "80N", "--step", step});
        QCOMPARE(run.status, 0);
        QCOMPARE(timesOf(run.out, "21/06/2026"), times);
        QCOMPARE(timesOf(run.out, "22/06/2026"), times);
        static const QRegularExpression line(QStringLiteral("^2[12]/06/2026 \\d\\d:\\d\\d;\\d*,\\d;(\\d\\d,\\d)\\r$"));
        for (const QByteArray &text : run.out.split('\n').mid(1, 2 * times.size())) {
            const auto m = line.match(QString::fromUtf8(text));
            QVERIFY2(m.hasMatch(), text.constData());
            const double elevation = QLocale(QLocale::French).toDouble(m.captured(1));
            QVERIFY2(elevation > 13.2 && elevation < 33.6, text.constData());
        }
    }

    void survey()
    {
        const QStringList args{"survey", "--date", "21/6/2026", "--step", "60"};
        const Run toStdout = runCli(args);
        QCOMPARE(toStdout.status, 0);
        QVERIFY(toStdout.out.startsWith("\r\n") && toStdout.out.contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Export.csv"));
        QCOMPARE(runCli(args + QStringList{"--out", path}).status, 0);
        QCOMPARE(contents(path), toStdout.out);
        // The disk full at 100 kB: status 1, the previous file as it was.
        const Run full = runCli(QStringList{"survey", "--date", "21/6/2026", "--step", "10", "--out", path}, 100'000);
        QCOMPARE(full.status, 1);
        QVERIFY2(full.err.contains("the disk is full"), full.err.constData());
        QCOMPARE(contents(path), toStdout.out);
        QVERIFY(!QFile::exists(path + ".part"));
    }

    void killedSurveyLeavesThePreviousFile()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Export.csv")), part = path + ".part";
        const QByteArray previous("\r\n21/06/2025 12:00;184,0;64,4\r\n");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(previous) == previous.size());
        }
        // A year at the 1-minute step where the Sun is up for months: killed
        // once its first 64 KiB of lines are written.
        QProcess survey;
        survey.start(QStringLiteral(LUMORA_CLI_PATH),
                     {"survey", "--date", "21/6/2026", "--lat", "80N", "--step", "1", "--out", path});
        QVERIFY(survey.waitForStarted());
        bool ended = false;
        while (QFileInfo(part).size() < 64 * 1024 && !(ended = survey.waitForFinished(1))) {}
        QVERIFY2(!ended, "the survey ended before it could be killed");
        ::kill(pid_t(survey.processId()), SIGKILL);
        QVERIFY(survey.waitForFinished());
        QCOMPARE(survey.exitStatus(), QProcess::CrashExit);
        QCOMPARE(contents(path), previous);
        QVERIFY(QFileInfo(part).size() >= 64 * 1024);
        // The next survey removes what the killed one left.
        QCOMPARE(runCli({"survey", "--date", "21/6/2026", "--step", "60", "--out", path}).status, 0);
        QVERIFY(contents(path).contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
        QVERIFY(!QFile::exists(part));
    }

    void failedStandardOutput_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("position >/dev/full") << "\"$1\" position --date 21/6/2026 --ut 12 >/dev/full";
        QTest::newRow("position, stdout closed") << "\"$1\" position --date 21/6/2026 --ut 12 >&-";
        QTest::newRow("search >/dev/full")
            << "\"$1\" search --date 21/6/2026 --ut 6 --frame 4000,6000,1000,3000 >/dev/full";
        QTest::newRow("--help >/dev/full") << "\"$1\" --help >/dev/full";
        QTest::newRow("survey, stdout closed") << "\"$1\" survey --date 21/6/2026 --step 60 >&-";
    }
    void failedStandardOutput()
    {
        QFETCH(QString, script);
        const Run run = runShell(script);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains("standard output"), run.err.constData());
    }

    void fileNameTakenAsItsBytes()
    {
        const QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const Run run = runShell(QStringLiteral("\"$1\" survey --date 21/6/2026 --step 60 --out \"$2/$(printf 'a\\377.csv')\""),
                                 {dir.path()});
        QCOMPARE(run.status, 0);
        QCOMPARE(::access((folder + "/a\xff.csv").constData(), F_OK), 0);
        QCOMPARE(::access((folder + "/a\xef\xbf\xbd.csv").constData(), F_OK), -1);
        ::unlink((folder + "/a\xff.csv").constData()); // QDir could not: it reads the name as text
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
