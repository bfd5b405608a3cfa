// The real view in the main window, on its own INI store with a fixed clock:
// the measured window's dialog puts one view in force, live, that the day's
// read-out follows, while the frame bars show its box (disabled) and get
// their own values back on "Annuler"; a skyline drawn with clicks, a drag and
// a right click, imported and exported; the groups "FenetreMesuree" and
// "Horizon" read back by the next run, and untouched by a run that uses
// neither.
#include "analysis/dayintervals.h"
#include "analysis/skylinefile.h"
#include "realview/realviewcontroller.h"
#include "support/files.h"
#include "support/rows.h"
#include "support/testwindow.h"

#include <cmath>

using namespace lumora;
using namespace lumora::testing;

namespace {
RealViewController *realView(MainWindow &w) { return w.findChild<RealViewController *>(); }

MeasuredWindowDialog *openDialog(MainWindow &w)
{
    w.findChild<QAction *>(QStringLiteral("MeasuredWindowAction"))->trigger();
    return w.findChild<MeasuredWindowDialog *>();
}

// The read-out the view of an observation gives for its day.
QString expectedTimes(const Observation &seen)
{
    return sunIntervalsText(seen.julianDay0h, sunIntervals(seen.julianDay0h, seen.site, seen.view()));
}
QString readout(MainWindow &w) { return control<QLabel>(w, QStringLiteral("SunTimes"))->toolTip(); }

std::array<int, 4> barValues(MainWindow &w)
{
    const WindowControls c = ui(w);
    return {c.frameLeftBar->value(), c.frameRightBar->value(), c.frameTopBar->value(), c.frameBottomBar->value()};
}
bool barsEnabled(MainWindow &w)
{
    const WindowControls c = ui(w);
    return c.frameLeftBar->isEnabled() && c.frameRightBar->isEnabled() && c.frameTopBar->isEnabled()
        && c.frameBottomBar->isEnabled();
}

// The pixel of a sky direction on the layout's panorama.
QPoint pixel(double azimuth, double elevation)
{
    const PictureSize picture;
    return {int(std::lround(azimuthToX(azimuth, picture) / 15)), int(std::lround(elevationToY(elevation, picture) / 15))};
}
bool hasPoint(const Skyline &skyline, double azimuth, double elevation)
{
    // A pixel is 0.54° across and 0.31° down.
    return std::any_of(skyline.points().begin(), skyline.points().end(), [&](const SkyPoint &p) {
        return std::fabs(p.azimuth - azimuth) <= 0.6 && std::fabs(p.elevation - elevation) <= 0.4;
    });
}
} // namespace

class TestRealViewUi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { fixClock(utc(2026, 6, 21, 12, 0)); }
    void cleanupTestCase() { setClockSource({}); }

    void dialogPutsOneViewInForce_data()
    {
        addColumns<double, double, double, bool>("facing", "tilt", "depth", "acrossNorth");
        QTest::newRow("wall window facing south-west, deep reveal") << 225.0 << 90.0 << 0.3 << false;
        QTest::newRow("roof window facing north, its box across 0°/360°") << 0.0 << 30.0 << 0.2 << true;
    }
    void dialogPutsOneViewInForce()
    {
        const auto [facing, tilt, depth, acrossNorth] = fetchColumns<double, double, double, bool>("facing", "tilt",
            "depth", "acrossNorth");
        TestWindow w;
        setFrame(*w, 4000, 6000, 1000, 3000);
        const std::array<int, 4> own = barValues(*w);
        const QString frameTimes = readout(*w);
        MeasuredWindowDialog *dialog = openDialog(*w);
        QVERIFY(dialog && dialog->isVisible());
        dialog->inForceCheck()->setChecked(true);
        dialog->spinBox(QStringLiteral("Facing"))->setValue(facing);
        dialog->spinBox(QStringLiteral("Tilt"))->setValue(tilt);
        dialog->spinBox(QStringLiteral("Depth"))->setValue(depth);

        // Live, before OK: the window's observation, and what follows it.
        const Observation seen = w->observation();
        QVERIFY(seen.measuredInForce);
        QCOMPARE(seen.measured, dialog->window());
        QCOMPARE(readout(*w), expectedTimes(seen));
        QVERIFY(!barsEnabled(*w));
        QVERIFY(ui(*w).panorama->frameDotted());
        const WindowOutline outline = measuredWindowOutline(seen.measured);
        const std::array<int, 4> box = barValues(*w);
        const PictureSize picture;
        if (acrossNorth) {
            QCOMPARE(box[0], 0);
            QCOMPARE(box[1], ui(*w).frameRightBar->maximum());
        } else {
            QVERIFY2(std::abs(box[0] - azimuthToX(outline.azimuthMin, picture)) <= 1
                         && std::abs(box[1] - azimuthToX(outline.azimuthMax, picture)) <= 1,
                     qPrintable(QStringLiteral("bars %1 %2, box %3° %4°").arg(box[0]).arg(box[1]).arg(outline.azimuthMin).arg(outline.azimuthMax)));
        }
        QVERIFY(std::abs(box[2] - elevationToY(outline.elevationMax, picture)) <= 1);

        // An impossible window is told and not passed on.
        dialog->spinBox(QStringLiteral("Distance"))->setValue(0);
        QVERIFY(dialog->problemLabel()->text().contains(u"vérifiez"));
        QCOMPARE(w->observation().measured, seen.measured);

        // "Annuler": the frame again, with the bars' own values.
        dialog->reject();
        QVERIFY(!w->observation().measuredInForce);
        QCOMPARE(barValues(*w), own);
        QVERIFY(barsEnabled(*w));
        QCOMPARE(readout(*w), frameTimes);
    }

    void skylineDrawnOnThePanorama()
    {
        TestWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&*w));
        RealViewController *view = realView(*w);
        PanoramaView *panorama = ui(*w).panorama;
        view->drawAction()->trigger();
        QVERIFY(view->drawing());
        for (const auto &[azimuth, elevation] : {std::pair{90.0, 20.0}, {180.0, 10.0}, {270.0, 30.0}})
            QTest::mouseClick(panorama, Qt::LeftButton, {}, pixel(azimuth, elevation));
        QTest::mousePress(panorama, Qt::LeftButton, {}, pixel(180, 10));
        QTest::mouseMove(panorama, pixel(200, 40));
        QTest::mouseRelease(panorama, Qt::LeftButton, {}, pixel(200, 40));
        QTest::mouseClick(panorama, Qt::RightButton, {}, pixel(90, 20));

        const Skyline &drawn = view->skyline();
        QCOMPARE(drawn.points().size(), size_t(2));
        QVERIFY(hasPoint(drawn, 200, 40) && hasPoint(drawn, 270, 30));
        QVERIFY(!panorama->menu()->isVisible());
        QCOMPARE(w->observation().skyline, drawn);
        QCOMPARE(readout(*w), expectedTimes(w->observation()));
        QTest::keyClick(panorama, Qt::Key_Escape);
        QVERIFY(!view->drawing());
        QSettings ini(w.iniPath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Horizon/Points")).toString(), skylineSettingsText(drawn));

        // A broken file changes nothing; the export reads back the same.
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("bad.csv")), "0;5\nwall;high\n"));
        QVERIFY(view->importSkyline(dir.filePath(QStringLiteral("bad.csv"))).contains(u'2'));
        QCOMPARE(view->skyline(), drawn);
        const QString out = dir.filePath(QStringLiteral("horizon.csv"));
        QCOMPARE(view->exportSkyline(out), QString());
        view->setSkyline(Skyline());
        QCOMPARE(view->importSkyline(out), QString());
        QCOMPARE(view->skyline(), drawn);
    }

    void keptForTheNextRun()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Lumora.ini"));
        const auto run = [&](const std::function<void(MainWindow &)> &use) {
            QSettings store(path, QSettings::IniFormat);
            MainWindow w(&store, std::make_unique<FakeTray>());
            w.show();
            use(w);
            w.close();
        };
        run([](MainWindow &w) { setFrame(w, 4000, 6000, 1000, 3000); });
        QStringList groups = QSettings(path, QSettings::IniFormat).childGroups();
        QVERIFY2(!groups.contains(u"FenetreMesuree") && !groups.contains(u"Horizon"), qPrintable(groups.join(u' ')));

        MeasuredWindow measured;
        measured.facing = 200;
        measured.offset = -0.25;
        run([&](MainWindow &w) {
            MeasuredWindowDialog *dialog = openDialog(w);
            dialog->inForceCheck()->setChecked(true);
            dialog->spinBox(QStringLiteral("Facing"))->setValue(measured.facing);
            dialog->spinBox(QStringLiteral("Offset"))->setValue(measured.offset);
            dialog->accept();
            realView(w)->setSkyline(*Skyline::fromPoints({{0, 5}, {180, 12.5}}));
        });
        QSettings kept(path, QSettings::IniFormat);
        QCOMPARE(kept.value(QStringLiteral("FenetreMesuree/Facing")).toString(), QStringLiteral("200"));
        QCOMPARE(kept.value(QStringLiteral("Horizon/Points")).toString(), QStringLiteral("0:5 180:12.5"));
        QCOMPARE(kept.value(QStringLiteral("DATA/HS1")).toString(), QStringLiteral("4000")); // the bars' own

        run([&](MainWindow &w) {
            const Observation seen = w.observation();
            QVERIFY(seen.measuredInForce);
            QCOMPARE(seen.measured, measured);
            QCOMPARE(seen.skyline.points().size(), size_t(2));
            QVERIFY(!barsEnabled(w));
            QCOMPARE(readout(w), expectedTimes(seen));
        });
    }
};

QTEST_MAIN(TestRealViewUi)
#include "tst_realview_ui.moc"
