// lumora-cli as a script runs it, in a French environment: the printed
// position for each form of coordinates, the search against the engine, one
// stderr line with status 2 (bad arguments) or 1 (no answer, failed write), and
// the survey on standard output and in a file.
#include "analysis/sunshineengine.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace lumora;

namespace {
struct Run { int status; QByteArray out, err; };

// With a file limit, the disk "fills up" at that many bytes.
Run runCli(const QStringList &args, rlim_t fileLimit = RLIM_INFINITY)
{
    QProcess process;
    process.setChildProcessModifier([fileLimit] {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
        const rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    qputenv("LC_ALL", "fr_FR.UTF-8"); // for the tool, which inherits it
    process.start(QStringLiteral(LUMORA_CLI_PATH), args);
    const bool exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    const int status = exited ? process.exitCode() : -1;
    return {status, process.readAllStandardOutput(), process.readAllStandardError()};
}

// The library's position at 21 June 2026 12h UT for the site the arguments mean
// (by default the tool's own, 49°N 2°20'E, longitude positive west).
QString positionLine(double latitude = 49, double longitude = -(2 + 20 / 60.0))
{
    const SunPosition sun = SolarPosition(2461212.5, 12, {latitude, longitude});
    return QStringLiteral("azimuth %1 elevation %2\n").arg(sun.azimuth, 0, 'f', 12).arg(sun.elevation, 0, 'f', 12);
}

// The engine's answer to a search at 49°N 2°20'E on 21 June 2026 from `ut` hours, frame 4000,6000,1000,3000.
QString engineSearch(double ut, bool exit)
{
    SunshineEngine e;
    e.site = {49.0, -(2 + 20 / 60.0)};
    e.frame = {4000, 6000, 1000, 3000};
    e.setDate(21, 6, 2026);
    e.dayFractionUT = ut / 24;
    e.singleRun();
    e.startSearch();
    SearchPass p;
    while ((p = e.searchPass(!exit)).outcome == PassOutcome::Progress) {}
    return reportedInstant(p.reportDate, p.hourUT).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss\n"));
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("position, default site") << "position --ut 12 --date 21/6/2026" << 0 << positionLine();
        QTest::newRow("49:00N") << "position --ut 12 --date 21/6/2026 --lat 49:00N" << 0 << positionLine(49);
        QTest::newRow("33.5S") << "position --ut 12 --date 21/6/2026 --lat 33.5S" << 0 << positionLine(-33.5);
        QTest::newRow("2:20E") << "position --ut 12 --date 21/6/2026 --lon 2:20E" << 0 << positionLine();
        QTest::newRow("1.5W") << "position --ut 12 --date 21/6/2026 --lon 1.5W" << 0 << positionLine(49, 1.5);
        QTest::newRow("search entry from 6h")
            << "search --ut 6 --date 21/6/2026 --frame 4000,6000,1000,3000" << 0 << engineSearch(6, false);
        QTest::newRow("search --exit from 12h")
            << "search --ut 12 --date 21/6/2026 --frame 4000,6000,1000,3000 --exit" << 0 << engineSearch(12, true);
        QTest::newRow("frame never met: bound") << "search --ut 6 --date 21/6/2026 --frame 0,10065,0,481" << 1 << "";
        QTest::newRow("--out on a full disk") << "survey --step 60 --date 21/6/2026 --out /dev/full" << 1 << "";
        QTest::newRow("no subcommand") << "" << 2 << "";
        QTest::newRow("missing --ut") << "position --date 21/6/2026" << 2 << "";
        QTest::newRow("--ut 24 is the next day") << "position --ut 24 --date 21/6/2026" << 2 << "";
        QTest::newRow("31 April") << "position --ut 12 --date 31/4/2026" << 2 << "";
        QTest::newRow("--lat 95N") << "position --ut 12 --date 21/6/2026 --lat 95N" << 2 << "";
        QTest::newRow("--lat 49E") << "position --ut 12 --date 21/6/2026 --lat 49E" << 2 << "";
        QTest::newRow("frame left of right") << "search --ut 6 --date 21/6/2026 --frame 6000,4000,1000,3000" << 2 << "";
        QTest::newRow("--step 15") << "survey --step 15 --date 21/6/2026" << 2 << "";
    }
    void run()
    {
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Run run = runCli(command.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(run.out), out);
        QCOMPARE(run.err.count('\n'), status ? 1 : 0);
    }

    void survey()
    {
        const QStringList args{"survey", "--date", "21/6/2026", "--step", "60"};
        const Run toStdout = runCli(args);
        QCOMPARE(toStdout.status, 0); // 21 June 2026 at noon: azimuth 184.0, elevation 64.4
        QVERIFY(toStdout.out.startsWith("\r\n") && toStdout.out.contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
        const QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("Export.csv")));
        QCOMPARE(runCli(args + QStringList{"--out", file.fileName()}).status, 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), toStdout.out);
        file.close();
        // The disk full at 100 kB: status 1, and only whole lines in the file.
        QCOMPARE(runCli(args + QStringList{"--out", file.fileName()}, 100'000).status, 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray kept = file.readAll();
        QVERIFY(kept.size() > 60'000 && kept.endsWith("\r\n") && toStdout.out.startsWith(kept));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
