// The instant the window evaluates is a UT instant: the date boxes hold its
// UT date and the time bar its UT time, whatever the zone and whatever the
// hour between local and UT midnight; every local read-out adds the zone's
// offset in force at that instant.
#include "astro/julianday.h"
#include "astro/solarposition.h"
#include "support/testwindow.h"

#include <cmath>

using namespace lumora;
using namespace lumora::testing;

namespace {
// The default site: 49°00' N, 2°20' E (longitude positive west).
const SiteLocation kParisSite{49.0, -(2 + 20 / 60.0)};

// A value under the "###.00" pattern in French, written by hand: two
// decimals, no integer digit when it is 0.
QString hashDot00(double value)
{
    QString text = QString::number(value, 'f', 2);
    if (text.startsWith(u"0.") || text.startsWith(u"-0."))
        text.remove(text.indexOf(u'0'), 1);
    return text.replace(u'.', u',');
}
} // namespace

class TestRealTimeDate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { setZone("Europe/Paris"); }

    // Between local and UT midnight the local date is not the UT date.
    void realTimeEvaluatesTheUtInstant_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("local"); // the zone's time then, from the time zone database
        QTest::newRow("Lord Howe, 01:00 on 7 Dec") << QByteArray("Australia/Lord_Howe") << utc(2026, 12, 6, 14, 0)
                                                   << "01:00:00";
        QTest::newRow("Chatham, 09:45 on 7 Dec") << QByteArray("Pacific/Chatham") << utc(2026, 12, 6, 20, 0)
                                                 << "09:45:00";
        QTest::newRow("St John's, 21:10 on 6 Dec") << QByteArray("America/St_Johns") << utc(2026, 12, 7, 0, 40)
                                                   << "21:10:00";
        QTest::newRow("Paris, 00:30 on 1 Jan") << QByteArray("Europe/Paris") << utc(2026, 12, 31, 23, 30)
                                               << "00:30:00";
    }
    void realTimeEvaluatesTheUtInstant()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, now);
        QFETCH(QString, local);
        setZone(zone.constData());
        fixClock(now);
        TestWindow w;
        tick(*w);
        const WindowControls c = ui(*w);
        const QDate day = now.date();
        QCOMPARE(dateBoxesText(*w), QStringLiteral("%1/%2/%3").arg(day.day()).arg(day.month()).arg(day.year()));
        QCOMPARE(c.utTimeLabel->text(), now.time().toString(u"HH:mm:ss") + QStringLiteral(" (TU)"));
        QCOMPARE(c.localTimeLabel->text(), local);

        const double hours = now.time().hour() + now.time().minute() / 60.0;
        const SunPosition sun = SolarPosition(*JulianDay(day.day(), day.month(), day.year()), hours, kParisSite);
        QCOMPARE(c.azimuthReadoutLabel->text(), QStringLiteral("Azimut = %1 °").arg(hashDot00(sun.azimuth)));
        QCOMPARE(c.elevationReadoutLabel->text(), QStringLiteral("Hauteur = %1 °").arg(hashDot00(sun.elevation)));
    }

    // A program left running (in the notification area, say) moves on with the UT date.
    void boxesFollowTheUtDate_data()
    {
        QTest::addColumn<QDateTime>("before");
        QTest::addColumn<QDateTime>("after");
        // Both start after local midnight in Paris, before UT midnight.
        QTest::newRow("New Year") << utc(2026, 12, 31, 23, 30) << utc(2027, 1, 1, 0, 0, 1);
        QTest::newRow("31 March to 1 April") << utc(2026, 3, 31, 22, 30) << utc(2026, 4, 1, 0, 0, 0);
    }
    void boxesFollowTheUtDate()
    {
        QFETCH(QDateTime, before);
        QFETCH(QDateTime, after);
        fixClock(before);
        TestWindow w;
        w->hide();
        tick(*w);
        const auto boxes = [](const QDate &d) { return QStringLiteral("%1/%2/%3").arg(d.day()).arg(d.month()).arg(d.year()); };
        QCOMPARE(dateBoxesText(*w), boxes(before.date()));
        fixClock(after);
        tick(*w);
        QCOMPARE(dateBoxesText(*w), boxes(after.date()));
        const QDate d = after.date();
        QCOMPARE(w->engine().evalJulianDay, *JulianDay(d.day(), d.month(), d.year()));
        QVERIFY(w->realTime());
    }

    // The search starts from the instant on show and reports it in UT and local time.
    void searchFromRealTimeNearMidnight_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("utResult");    // the start of Label5
        QTest::addColumn<QString>("localResult"); // the start of Label6
        // The Sun is up in Paris at 14:00 UT in December: entry at once.
        QTest::newRow("Lord Howe, 01:00 on 7 Dec") << QByteArray("Australia/Lord_Howe") << utc(2026, 12, 6, 14, 0)
                                                   << "06/12/2026 14:00:00 (TU)" << "07/12/2026 01:00:00";
        // Night in Paris: the entry is the sunrise of 7 December UT, about 07:40.
        QTest::newRow("St John's, 21:10 on 6 Dec") << QByteArray("America/St_Johns") << utc(2026, 12, 7, 0, 40)
                                                   << "07/12/2026 07:" << "07/12/2026 04:";
    }
    void searchFromRealTimeNearMidnight()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, now);
        QFETCH(QString, utResult);
        QFETCH(QString, localResult);
        setZone(zone.constData());
        fixClock(now);
        TestWindow w;
        openFrame(*w);
        tick(*w);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QVERIFY(finished.wait(5000));
        QVERIFY2(ui(*w).utTimeLabel->text().startsWith(utResult), qPrintable(ui(*w).utTimeLabel->text()));
        QVERIFY2(ui(*w).localTimeLabel->text().startsWith(localResult), qPrintable(ui(*w).localTimeLabel->text()));
    }

    // A chosen instant reads in the local time of that instant, not of today.
    void localTimeOfTheChosenInstant_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("chosen");
        QTest::addColumn<int>("minute"); // UT minute of the day on the time bar
        QTest::addColumn<QString>("local");
        // Paris: UT+1, UT+2 in summer time (from 01:00 UT on the last Sunday
        // of March to 01:00 UT on the last Sunday of October); before 11 March
        // 1911, Paris mean time, UT+0:09:21.
        QTest::newRow("29/3/2026 02:00 UT, chosen in January") << utc(2026, 1, 15, 10, 0) << QDate(2026, 3, 29) << 120
                                                               << "04:00:00";
        QTest::newRow("29/3/2026 00:30 UT, still winter time") << utc(2026, 7, 15, 10, 0) << QDate(2026, 3, 29) << 30
                                                               << "01:30:00";
        QTest::newRow("15/7/2026 12:00 UT, chosen in December") << utc(2026, 12, 10, 10, 0) << QDate(2026, 7, 15) << 720
                                                                << "14:00:00";
        QTest::newRow("15/1/2026 12:00 UT, chosen in July") << utc(2026, 7, 10, 10, 0) << QDate(2026, 1, 15) << 720
                                                            << "13:00:00";
        QTest::newRow("1/1/1900 12:00 UT, Paris mean time") << utc(2026, 7, 10, 10, 0) << QDate(1900, 1, 1) << 720
                                                            << "12:09:21";
    }
    void localTimeOfTheChosenInstant()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDate, chosen);
        QFETCH(int, minute);
        QFETCH(QString, local);
        fixClock(now);
        TestWindow w;
        tick(*w);
        typeDate(*w, chosen.day(), chosen.month(), chosen.year());
        QScrollBar *bar = ui(*w).timeBar;
        bar->setValue(minute == 0 ? 1 : 0);
        bar->setValue(minute);
        QCOMPARE(ui(*w).localTimeLabel->text(), local);

        // The search result, found at once when the Sun is up, reads the same.
        if (minute == 720) {
            openFrame(*w);
            QSignalSpy finished(&*w, &MainWindow::searchFinished);
            QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
            QVERIFY(finished.wait(5000));
            QCOMPARE(ui(*w).localTimeLabel->text(), chosen.toString(u"dd/MM/yyyy ") + local);
        }
    }
};

QTEST_MAIN(TestRealTimeDate)
#include "tst_realtimedate.moc"
