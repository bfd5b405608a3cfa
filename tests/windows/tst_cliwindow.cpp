// lumora-cli with a kept window and a zone: --window-name reads the window
// from the user's settings as Lumora keeps it (the README's example window,
// Paris, frame 4000,6000,1000,3000: 10:37:05 to 13:02:26 UT on 21 June 2026),
// --zone sets the hours file's local columns, and bad names are status 2.
#include "windows/keptwindows.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lumora;

class TestCliWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir config_;

private slots:
    void initTestCase()
    {
        KeptWindow salon;
        salon.name = QStringLiteral("Salon");
        salon.bars = {1000, 3000, 4000, 6000};
        salon.siteTexts = {QStringLiteral("49"), QStringLiteral("00"), QStringLiteral("02"), QStringLiteral("20")};
        salon.hemispheres = {true, false, false, true};
        salon.zoneId = "America/Toronto";
        QSettings store(config_.filePath(QStringLiteral("Lumora/Lumora.conf")), QSettings::IniFormat);
        QVERIFY(writeKeptWindows(store, {salon}, QString()));
    }

    void commands_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected"); // in standard output, or in the error for status 2
        QTest::newRow("day of the kept window") << "day --window-name Salon" << 0 << "10:37:05 13:02:26\n";
        QTest::newRow("hours in the window's zone, UT-4 in summer")
            << "hours --days 1 --window-name Salon" << 0 << ";10:37:05;13:02:26;06:37:05;09:02:26;";
        QTest::newRow("hours in the zone given, UT+5:45")
            << "hours --days 1 --window-name Salon --zone Asia/Kathmandu" << 0 << ";10:37:05;13:02:26;16:22:05;18:47:26;";
        QTest::newRow("unknown zone") << "hours --frame 4000,6000,1000,3000 --zone Europe/Atlantis" << 2 << "--zone";
        QTest::newRow("unknown window") << "day --window-name Bureau" << 2 << "no kept window named 'Bureau'";
        QTest::newRow("a window and a site") << "search --ut 6 --window-name Salon --lat 40N" << 2 << "--lat";
    }
    void commands()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, expected);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(LUMORA_CLI_PATH),
                      arguments.split(u' ') << QStringLiteral("--date") << QStringLiteral("21/6/2026"));
        QVERIFY(process.waitForFinished(60000));
        const QString out = QString::fromUtf8(status == 2 ? process.readAllStandardError() : process.readAllStandardOutput());
        QCOMPARE(process.exitCode(), status);
        QVERIFY2(out.contains(expected), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(TestCliWindow)
#include "tst_cliwindow.moc"
