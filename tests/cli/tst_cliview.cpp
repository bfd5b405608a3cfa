// lumora-cli with the measured window and a skyline file: the day's lines
// equal a second-by-second scan of the same view, position's answer, and one
// line naming the key or the file's line for what cannot be used.
#include "analysis/dayintervals.h"
#include "astro/julianday.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace lumora;

namespace {
struct Run { int status; QByteArray out, err; };

Run runCli(QStringList arguments)
{
    QProcess process;
    process.start(QStringLiteral(LUMORA_CLI_PATH), arguments);
    const bool exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

const QString kWindow = QStringLiteral("facing=200,width=1.4,height=1.6,sill=0.9,depth=0.3,distance=0.8,offset=0.4,eye=1.2");
} // namespace

class TestCliView : public QObject {
    Q_OBJECT
private slots:
    void options_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected"); // standard output, or a word the error line must hold
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
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QFile horizon(dir.filePath(QStringLiteral("horizon.csv"))), broken(dir.filePath(QStringLiteral("broken.csv")));
        QVERIFY(horizon.open(QIODevice::WriteOnly) && horizon.write("0;0\n189.999;0\n190;45\n359;45\n") > 0);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("az;el\n0;0\n90;x\n") > 0);
        horizon.close();
        broken.close();
        command.replace(QStringLiteral("HORIZON"), horizon.fileName()).replace(QStringLiteral("BROKEN"), broken.fileName());
        command.replace(QStringLiteral("NOWHERE"), dir.filePath(QStringLiteral("none")));
        const Run run = runCli(command.split(u' '));
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

QTEST_GUILESS_MAIN(TestCliView)
#include "tst_cliview.moc"
