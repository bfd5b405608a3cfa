// lumora-cli as a script runs it: the printed position, the accepted forms of
// coordinates, and one line on stderr with status 2 for anything it refuses.
#include "astro/julianday.h"
#include "astro/solarposition.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

using namespace lumora;

namespace {
const double kNaN = std::nan("");
const double kTwoTwentyEast = -(2 + 20 / 60.0);

struct Run {
    int status = -1;
    QString out, err;
};

Run runCli(const QStringList &args, const QString &lang = QString())
{
    QProcess process;
    if (!lang.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), lang);
        env.insert(QStringLiteral("LANG"), lang);
        process.setProcessEnvironment(env);
    }
    process.start(QStringLiteral(LUMORA_CLI_PATH), args);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void position_data();
    void position();
    void refused_data();
    void refused();
};

void TestCli::position_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<double>("jd0");
    QTest::addColumn<double>("hour");
    QTest::addColumn<double>("latitude");  // the site the arguments mean,
    QTest::addColumn<double>("longitude"); // longitude positive west
    QTest::addColumn<double>("azimuth");   // worked values where known
    QTest::addColumn<double>("elevation");

    const double june21 = *JulianDay(21, 6, 2026);
    const QStringList noon{QStringLiteral("position"), QStringLiteral("--date"), QStringLiteral("21/6/2026"),
                           QStringLiteral("--ut"), QStringLiteral("12")};
    QTest::newRow("default site 49N 2°20'E, 21 Jun 2026 12h")
        << noon << QString() << june21 << 12.0 << 49.0 << kTwoTwentyEast << 183.991 << 64.393;
    QTest::newRow("options in another order, 6h")
        << QStringList{"position", "--ut", "6", "--lon", "2:20E", "--date", "21/06/2026"} << QString() << june21
        << 6.0 << 49.0 << kTwoTwentyEast << 75.447 << 18.665;
    QTest::newRow("--lat 49:00N") << noon + QStringList{"--lat", "49:00N"} << QString() << june21 << 12.0 << 49.0
                                  << kTwoTwentyEast << 183.991 << 64.393;
    QTest::newRow("--lat 33.5S --lon 2:20E") << noon + QStringList{"--lat", "33.5S", "--lon", "2:20E"} << QString()
                                             << june21 << 12.0 << -33.5 << kTwoTwentyEast << kNaN << kNaN;
    QTest::newRow("--lon 1.5W is positive west") << noon + QStringList{"--lon", "1.5W"} << QString() << june21 << 12.0
                                                 << 49.0 << 1.5 << kNaN << kNaN;
    QTest::newRow("fractional hour, 20 Mar 2026")
        << QStringList{"position", "--date", "20/3/2026", "--ut", "18.0"} << QString() << *JulianDay(20, 3, 2026)
        << 18.0 << 49.0 << kTwoTwentyEast << 270.404 << -0.280;
    QTest::newRow("French environment keeps the period") << noon << QStringLiteral("fr_FR.UTF-8") << june21 << 12.0
                                                         << 49.0 << kTwoTwentyEast << 183.991 << 64.393;
}

void TestCli::position()
{
    QFETCH(QStringList, args);
    QFETCH(QString, lang);
    QFETCH(double, jd0);
    QFETCH(double, hour);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, azimuth);
    QFETCH(double, elevation);

    const Run run = runCli(args, lang);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    static const QRegularExpression line(QStringLiteral("^azimuth (\\d+\\.\\d{12}) elevation (-?\\d+\\.\\d{12})\\n$"));
    const auto m = line.match(run.out);
    QVERIFY2(m.hasMatch(), qPrintable(run.out));
    // The tool must print exactly what the library computes for the site meant.
    const SunPosition sun = SolarPosition(jd0, hour, {latitude, longitude});
    QCOMPARE(m.captured(1), QString::number(sun.azimuth, 'f', 12));
    QCOMPARE(m.captured(2), QString::number(sun.elevation, 'f', 12));
    if (!std::isnan(azimuth)) {
        QVERIFY2(std::fabs(m.captured(1).toDouble() - azimuth) <= 0.0005, qPrintable(run.out));
        QVERIFY2(std::fabs(m.captured(2).toDouble() - elevation) <= 0.0005, qPrintable(run.out));
    }
}

void TestCli::refused_data()
{
    QTest::addColumn<QStringList>("args");
    const QStringList date{QStringLiteral("position"), QStringLiteral("--date"), QStringLiteral("21/6/2026")};

    QTest::newRow("no subcommand") << QStringList{};
    QTest::newRow("missing --ut") << date;
    QTest::newRow("missing --date") << QStringList{"position", "--ut", "12"};
    QTest::newRow("--ut without its value") << date + QStringList{"--ut"};
    QTest::newRow("31 April") << QStringList{"position", "--date", "31/4/2026", "--ut", "12"};
    QTest::newRow("--ut 25") << date + QStringList{"--ut", "25"};
    QTest::newRow("--ut 24 is the next day") << date + QStringList{"--ut", "24"};
    QTest::newRow("--ut -1") << date + QStringList{"--ut", "-1"};
    QTest::newRow("--lat 95N") << date + QStringList{"--ut", "12", "--lat", "95N"};
    QTest::newRow("--lat 49E, wrong hemisphere letter") << date + QStringList{"--ut", "12", "--lat", "49E"};
    QTest::newRow("--lon 2:60E, 60 minutes") << date + QStringList{"--ut", "12", "--lon", "2:60E"};
    QTest::newRow("--lon 181W") << date + QStringList{"--ut", "12", "--lon", "181W"};
    QTest::newRow("unknown option") << date + QStringList{"--ut", "12", "--tz", "1"};
}

void TestCli::refused()
{
    QFETCH(QStringList, args);
    const Run run = runCli(args);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.endsWith(u'\n') && run.err.count(u'\n') == 1 && run.err.size() > 1, qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
