// lumora-cli day as a script runs it: one line per interval of the UT day,
// the same as a scan of every second, an interval round the Sun's place at
// 12h UT on 21 June 2026 (azimuth 183.991°, elevation 64.393°), sunset on the
// whole picture on 20 March 2026 (0.280° below the horizon at 18h UT), nothing
// in the polar night, and status 2 with one line for bad arguments.
#include "analysis/dayintervals.h"
#include "astro/julianday.h"

#include <QProcess>
#include <QTest>

using namespace lumora;

namespace {
struct Run { int status; QByteArray out, err; };

Run runCli(const QString &command)
{
    QProcess process;
    process.start(QStringLiteral(LUMORA_CLI_PATH), command.split(u' ', Qt::SkipEmptyParts));
    const bool exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

QString clock(int second) { return QTime(0, 0).addSecs(second).toString(QStringLiteral("HH:mm:ss")); }

// Every second of the day tested, as lines.
QString everySecond(double jd0, const SiteLocation &site, const WindowBounds &frame)
{
    QString text;
    for (const SunInterval &i : sunIntervalsBruteForce(jd0, site, PictureSize{}, frame))
        text += clock(i.firstSecond) + u' ' + clock(i.lastSecond) + u'\n';
    return text;
}

int secondOf(const QByteArray &hms) { return QTime::fromString(QString::fromLatin1(hms), u"HH:mm:ss").msecsSinceStartOfDay() / 1000; }

const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // the tool's default site, longitude positive west
} // namespace

class TestCliDay : public QObject {
    Q_OBJECT
private slots:
    void sameAsEverySecond_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QList<float>>("frame");
        QTest::newRow("Paris 21 June 2026, south frame") << "day --date 21/6/2026 --frame 4000,6000,1000,3000"
            << *JulianDay(21, 6, 2026) << 49.0 << kParis.longitude << QList<float>{4000, 6000, 1000, 3000};
        QTest::newRow("33.5S 179.99W 1 Jan 2027, north-east frame")
            << "day --date 1/1/2027 --frame 300,2500,2000,4335 --lat 33.5S --lon 179.99W"
            << *JulianDay(1, 1, 2027) << -33.5 << 179.99 << QList<float>{300, 2500, 2000, 4335};
        QTest::newRow("78N 21 June 2026, frame against the left edge")
            << "day --date 21/6/2026 --frame 0,700,2000,4335 --lat 78N --lon 15E"
            << *JulianDay(21, 6, 2026) << 78.0 << -15.0 << QList<float>{0, 700, 2000, 4335};
        QTest::newRow("80N 21 December 2026, polar night") << "day --date 21/12/2026 --frame 0,10065,0,4335 --lat 80N"
            << *JulianDay(21, 12, 2026) << 80.0 << kParis.longitude << QList<float>{0, 10065, 0, 4335};
    }
    void sameAsEverySecond()
    {
        QFETCH(QString, command);
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QList<float>, frame);
        const Run run = runCli(command);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(QString::fromUtf8(run.out),
                 everySecond(jd0, {latitude, longitude}, WindowBounds{frame[0], frame[1], frame[2], frame[3]}));
    }

    // 12h UT on 21 June 2026 in Paris: x 5144.1, y 1233.4 in the panorama.
    void frameRoundTheNoonSun()
    {
        const Run run = runCli(QStringLiteral("day --date 21/6/2026 --frame 5140,5150,1230,1240"));
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        const QList<QByteArray> ends = lines[0].split(' ');
        QVERIFY2(secondOf(ends[0]) <= 12 * 3600 && secondOf(ends[1]) >= 12 * 3600, run.out.constData());
        // A 10 x 10 frame is crossed in well under a quarter of an hour.
        QVERIFY(secondOf(ends[1]) - secondOf(ends[0]) < 900);
    }

    // The whole picture holds the Sun from sunrise to sunset; on 20 March 2026
    // it is 0.280° below the horizon at 18h UT, falling about 15° × cos 49°
    // an hour: it set near 17:58:17.
    void sunsetOnTheWholePicture()
    {
        const Run run = runCli(QStringLiteral("day --date 20/3/2026 --frame 0,10065,0,4335"));
        QCOMPARE(run.status, 0);
        const QList<QByteArray> ends = run.out.trimmed().split(' ');
        QCOMPARE(ends.size(), 2);
        QVERIFY2(std::abs(secondOf(ends[1]) - (17 * 3600 + 58 * 60 + 17)) < 30, run.out.constData());
    }

    void badArguments_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("no --frame") << "day --date 21/6/2026";
        QTest::newRow("no --date") << "day --frame 4000,6000,1000,3000";
        QTest::newRow("frame left of right") << "day --date 21/6/2026 --frame 6000,4000,1000,3000";
        QTest::newRow("frame below the picture") << "day --date 21/6/2026 --frame 4000,6000,1000,4336";
        QTest::newRow("31 April") << "day --date 31/4/2026 --frame 4000,6000,1000,3000";
        QTest::newRow("--ut is not an option of day") << "day --date 21/6/2026 --ut 12 --frame 4000,6000,1000,3000";
        QTest::newRow("--lat 95N") << "day --date 21/6/2026 --frame 4000,6000,1000,3000 --lat 95N";
    }
    void badArguments()
    {
        QFETCH(QString, command);
        const Run run = runCli(command);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(run.err.startsWith("lumora-cli day: "));
    }
};

QTEST_GUILESS_MAIN(TestCliDay)
#include "tst_cliday.moc"
