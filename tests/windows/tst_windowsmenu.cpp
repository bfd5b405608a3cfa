// Kept windows in the main window: putting one on show sets every control
// and view at once (one observation), the list and the window in force come
// back after a restart, and the alerts of two windows reach the user each
// once, named after their window, in each window's own zone.
#include "alerts/sunalerts.h"
#include "photoview/photocontroller.h"
#include "photoview/photolayer.h"
#include "realview/realviewcontroller.h"
#include "support/testwindow.h"
#include "windows/keptwindowsmenu.h"

using namespace lumora;
using namespace lumora::testing;

namespace {
struct RecordingNotifier : Notifier {
    QStringList sent; // "summary | body"
    void notify(const AlertMessage &m) override { sent << m.summary + QStringLiteral(" | ") + m.body; }
};

void typeSite(MainWindow &w, const QString &latitude, const QString &longitude, bool east)
{
    const WindowControls c = ui(w);
    c.latitudeDegreesEdit->setText(latitude);
    c.latitudeMinutesEdit->setText(QStringLiteral("0"));
    c.longitudeDegreesEdit->setText(longitude);
    c.longitudeMinutesEdit->setText(QStringLiteral("0"));
    click(east ? c.eastButton : c.westButton);
}
} // namespace

class TestWindowsMenu : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixClock(utc(2026, 6, 21, 10, 0)); }
    void cleanup() { setClockSource({}); }

    void switchingAndRestart()
    {
        TestWindow w;
        KeptWindowsMenu &kept = *w->keptWindows();
        setFrame(*w, 4194, 5871, 482, 1927);
        PhotoController &photo = *w->findChild<PhotoController *>();
        QImage sky(64, 32, QImage::Format_RGB32);
        sky.fill(Qt::darkGreen);
        const QString photoPath = w.folder() + QStringLiteral("/salon.png");
        QVERIFY(sky.save(photoPath));
        photo.choosePhoto(photoPath);
        QTRY_VERIFY(photo.layer().shown() && !photo.busy());
        QVERIFY(kept.saveAs(QStringLiteral("Salon")));
        photo.clearPhoto(); // the other window has none
        typeSite(*w, QStringLiteral("43"), QStringLiteral("79"), false);
        kept.setZone(QTimeZone("America/Toronto"));
        MeasuredWindow facingWest;
        facingWest.facing = 270;
        w->findChild<RealViewController *>()->setMeasured(facingWest, true, true);
        QVERIFY(kept.saveAs(QStringLiteral("Chambre")));
        QCOMPARE(w->windowTitle(), QStringLiteral("Lumora — Chambre"));

        QSignalSpy observations(&*w, &MainWindow::observationChanged);
        QVERIFY(kept.choose(QStringLiteral("Salon")));
        QCOMPARE(observations.count(), 1);
        Observation seen = observations.takeFirst().at(0).value<Observation>();
        QCOMPARE(seen.site.latitude, 49.0);
        QVERIFY(seen.frame.left == 4194 && seen.frame.right == 5871 && !seen.measuredInForce && !seen.zone.isValid());
        QCOMPARE(w->windowTitle(), QStringLiteral("Lumora — Salon"));
        QVERIFY(ui(*w).frameLeftBar->isEnabled());
        QTRY_VERIFY(photo.layer().shown() && !photo.busy()); // each window its own photo
        QCOMPARE(photo.current().file, photoPath);

        QVERIFY(kept.choose(QStringLiteral("Chambre")));
        QCOMPARE(observations.count(), 1);
        seen = observations.takeFirst().at(0).value<Observation>();
        QVERIFY(seen.site.latitude == 43 && seen.site.longitude == 79 && seen.measuredInForce);
        QCOMPARE(seen.measured, facingWest);
        QCOMPARE(seen.zone.id(), QByteArray("America/Toronto"));
        QCOMPARE(ui(*w).latitudeDegreesEdit->text(), QStringLiteral("43"));
        QVERIFY(!ui(*w).frameLeftBar->isEnabled()); // the measured window's box
        QVERIFY(!photo.layer().shown() && photo.current().file.isEmpty());
        QCOMPARE(w->engine().site.latitude, 43.0);

        // A control changed afterwards belongs to the window in force, kept at shut-down.
        typeSite(*w, QStringLiteral("45"), QStringLiteral("73"), false);
        w->close();
        QSettings store(w.iniPath(), QSettings::IniFormat);
        MainWindow again(&store, std::make_unique<FakeTray>());
        QCOMPARE(again.windowTitle(), QStringLiteral("Lumora — Chambre"));
        QCOMPARE(again.keptWindows()->windows().size(), size_t(2));
        QCOMPARE(again.keptWindows()->windows()[1].siteTexts[0], QStringLiteral("45"));
        QCOMPARE(again.observation().zone.id(), QByteArray("America/Toronto"));
        QVERIFY(again.observation().measuredInForce);
    }

    void alertsFromTwoWindows()
    {
        auto *notifier = new RecordingNotifier;
        SunAlerts alerts(nullptr, std::unique_ptr<Notifier>(notifier));
        alerts.setEnabled(true);
        Observation salon;
        salon.site = {48.8566, -2.3522};
        salon.frame = {4194, 5871, 482, 1927};
        salon.realTime = true;
        Observation chambre = salon;
        chambre.frame = {0, 10065, 0, 4335}; // from sunrise to sunset
        chambre.zone = QTimeZone("Asia/Kathmandu"); // UT+5:45 all year
        alerts.setWindowName(QStringLiteral("Salon"));
        alerts.setOtherWindows({{QStringLiteral("Chambre"), chambre}});
        const QDateTime start = utc(2026, 6, 21, 0, 0);
        for (int minute = 0; minute <= 24 * 60; ++minute) {
            fixClock(start.addSecs(minute * 60));
            alerts.observe(salon, false);
        }
        const auto first = sunIntervals(double(start.date().toJulianDay()) - 0.5, chambre.site, chambre.view());
        const QString sunrise = start.addSecs(first[0].firstSecond + 5 * 3600 + 45 * 60).toString(QStringLiteral("HH:mm"));
        QStringList summaries;
        for (const QString &sent : notifier->sent)
            summaries << sent.section(QStringLiteral(" | "), 0, 0);
        QCOMPARE(summaries, (QStringList{"Chambre : le Soleil entre dans la fenêtre", "Salon : le Soleil entre dans la fenêtre",
                                         "Salon : le Soleil quitte la fenêtre", "Chambre : le Soleil quitte la fenêtre"}));
        QVERIFY2(notifier->sent[0].contains(QStringLiteral(" | À ") + sunrise + QStringLiteral(", pour ")), qPrintable(notifier->sent[0]));
    }
};

QTEST_MAIN(TestWindowsMenu)
#include "tst_windowsmenu.moc"
