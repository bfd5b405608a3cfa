// The Sun's course on the panorama, rendered offscreen at the layout's size
// (671 x 289 pixels for 10065 x 4335 twips) and sampled where the Sun's own
// position puts it: a mark at each whole UT hour, the path between them, in
// the warm colour exactly where the frame holds the Sun and following the
// frame, no line across the picture where a course passes 0°/360°; the menu's
// switches and their choice kept in the group "Panorama". Then the main window
// with a fixed clock: the read-out of the day's intervals for its site, frame
// and date, after each change, with only what changed recomputed; the course
// through the sun picture; the read-out clear of the frame.
#include "analysis/dayintervals.h"
#include "astro/julianday.h"
#include "diagrams/panoramaview.h"
#include "suncourse/suncoursecontroller.h"
#include "support/files.h"
#include "support/rows.h"
#include "support/testwindow.h"

#include <QtTest>
#include <QtWidgets>
#include <cmath>

using namespace lumora;
using namespace lumora::testing;

namespace {
const PictureSize kPicture{10065, 4335};
const QColor kHourLineText(courseColours::hourLine.rgb());

bool near(QColor a, QColor b, int tolerance = 40)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// Whether a pixel within `reach` pixels of the point (pixels) has the colour.
bool colourAt(const QImage &image, QColor colour, QPointF pixel, int reach = 1, int tolerance = 40)
{
    const int cx = int(std::floor(pixel.x())), cy = int(std::floor(pixel.y()));
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x)
            if (image.rect().contains(x, y) && near(image.pixelColor(x, y), colour, tolerance))
                return true;
    return false;
}

// The longest run of horizontally adjacent pixels of the colour in any row.
int longestRun(const QImage &image, QColor colour)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x)
            longest = std::max(longest, run = near(image.pixelColor(x, y), colour) ? run + 1 : 0);
    return longest;
}

// The panorama's own painting, without its child widgets (read-out, sun picture).
QImage painting(PanoramaView &view)
{
    QImage image(view.size(), QImage::Format_ARGB32);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// A site (north and west positive), and for the main window the frame's bars.
struct Site {
    double latitude, longitudeWest;
    QList<int> frame = {}; // left, right, upper, lower
};
const Site kParis{49.0, -(2 + 20 / 60.0)}, kLongyearbyen{78.2, -15.6}, kMcMurdo{-77.8, -166.7}, kFiji{-17.0, 179.0},
    kSydney{-33.87, -151.2};

// A panorama with the course on it; its choice kept in an INI file.
struct Scene {
    explicit Scene(const QString &ini) : store(ini, QSettings::IniFormat), controller(&view, &store)
    {
        view.resize(671, 289);
        view.setPictureSize(kPicture);
    }
    void show(const Site &site, QDate utDate, WindowBounds frame = {1, 0, 1, 0})
    {
        Observation seen;
        seen.site = {site.latitude, site.longitudeWest};
        seen.frame = frame;
        seen.julianDay0h = jd0 = *JulianDay(utDate.day(), utDate.month(), utDate.year());
        controller.follow(seen);
        this->site = site;
    }
    void only(bool day, bool envelope, bool hourLines)
    {
        controller.dayCourseAction()->setChecked(day);
        controller.envelopeAction()->setChecked(envelope);
        controller.hourLinesAction()->setChecked(hourLines);
    }
    // Where the Sun stands at a UT hour of the day, in twips.
    PicturePoint sunAt(double hourUT) const
    {
        return sunPicturePoint(SolarPosition(jd0, hourUT, {site.latitude, site.longitudeWest}), kPicture);
    }
    QSettings store;
    PanoramaView view;
    SunCourseController controller;
    double jd0 = 0;
    Site site{};
};
QPointF pixels(PicturePoint p) { return QPointF(p.x, p.y) / 15; }


// The stored keys of the group DATA for that site and frame.
QList<std::pair<QString, QString>> stored(const Site &setup)
{
    const auto yes = [](bool b) { return b ? QStringLiteral("Vrai") : QStringLiteral("Faux"); };
    const auto degrees = [](double d) { return QString::number(int(std::abs(d))); };
    const auto minutes = [](double d) { return QString::number(qRound(std::abs(d) * 60) % 60); };
    const double lat = setup.latitude, lon = setup.longitudeWest;
    QList<std::pair<QString, QString>> keys{{"T1", degrees(lat)}, {"T2", minutes(lat)}, {"T3", degrees(lon)},
                                            {"T4", minutes(lon)}, {"O1", yes(lat >= 0)},   {"O2", yes(lat < 0)},
                                            {"O3", yes(lon >= 0)}, {"O4", yes(lon < 0)}};
    for (int i = 0; i < 4; ++i)
        keys.append({QStringList{"HS1", "HS2", "VS1", "VS2"}[i], QString::number(setup.frame[i])});
    return keys;
}

QDateTime ut(QDate date, double hour) { return QDateTime(date, QTime(0, 0), Qt::UTC).addSecs(qint64(hour * 3600)); }
} // namespace

Q_DECLARE_METATYPE(Site)

class TestPanoramaCourse : public QObject
{
    Q_OBJECT
    QTemporaryDir dir_;
    QString ini(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    // Every hour of the day with the Sun well up: a mark where the Sun stands
    // at the whole UT hour (Europe/Paris is whole hours from UT), the path and
    // no mark at the half hour, in the warm colour where the frame (from the
    // Sun's place at `from` to `to`, UT hours, the whole height) holds the
    // Sun; then with no frame, no warm stretch. A course through 0°/360° of
    // azimuth draws no line across the picture (the flattest true course
    // here keeps to a row for a few dozen pixels; its two pieces meeting at the
    // side edges: tests/analysis).
    void courseAsTheSunGoes_data()
    {
        addColumns<Site, QDate, double, double>("site", "date", "from", "to");
        QTest::newRow("Paris 21 June, morning") << kParis << QDate(2026, 6, 21) << 7.0 << 9.0;
        QTest::newRow("Paris 21 December, round noon") << kParis << QDate(2026, 12, 21) << 10.25 << 12.25;
        QTest::newRow("Sydney 21 December, Sun up round 0h UT, noon in the north") << kSydney << QDate(2026, 12, 21) << 1.0 << 3.0;
        QTest::newRow("78N 21 June, midnight sun, north-west") << kLongyearbyen << QDate(2026, 6, 21) << 17.0 << 20.0;
        QTest::newRow("77.8S 21 December, midnight sun, noon in the north") << kMcMurdo << QDate(2026, 12, 21) << 20.0 << 22.0;
        QTest::newRow("17S 179W 20 March, noon in the north, by the date line") << kFiji << QDate(2026, 3, 20) << 20.0 << 22.0;
    }
    void courseAsTheSunGoes()
    {
        const auto [site, date, from, to] = fetchColumns<Site, QDate, double, double>("site", "date", "from", "to");
        Scene scene(ini("course.ini"));
        scene.only(true, false, false);
        scene.show(site, date);
        const PicturePoint a = scene.sunAt(from), b = scene.sunAt(to);
        const WindowBounds columns{float(std::min(a.x, b.x)), float(std::max(a.x, b.x)), 0, 4335};
        for (const WindowBounds &frame : {columns, WindowBounds{1, 0, 1, 0}}) {
            scene.show(site, date, frame);
            const QImage image = painting(scene.view);
            int warm = 0;
            for (int hour = 0; hour < 24; ++hour) {
                const QString at = QStringLiteral("%1h UT").arg(hour);
                if (const QPointF mark = pixels(scene.sunAt(hour)); mark.y() < 280)
                    QVERIFY2(colourAt(image, courseColours::hourMark, mark, 1, 25), qPrintable("no mark at " + at));
                const PicturePoint half = scene.sunAt(hour + 0.5);
                if (pixels(half).y() >= 280 || std::abs(half.x - frame.left) < 45 || std::abs(half.x - frame.right) < 45)
                    continue; // below the picture, or too close to the frame's side to tell
                const bool inside = sunInWindow(half, frame);
                warm += inside;
                QVERIFY2(inside ? colourAt(image, courseColours::inFrame, pixels(half))
                                : colourAt(image, courseColours::dayPath, pixels(half))
                                      && !colourAt(image, courseColours::inFrame, pixels(half), 2),
                         qPrintable(QStringLiteral("path at %1h30 UT, in the frame: %2").arg(hour).arg(inside)));
                QVERIFY2(!colourAt(image, courseColours::hourMark, pixels(half), 0, 25), qPrintable("a mark at " + at + "30"));
            }
            QCOMPARE(warm > 0, frame.left <= frame.right);
        }
        // A frame round the Sun's place at one second shows that second.
        const PicturePoint dot = scene.sunAt(std::round(from * 3600 + 600) / 3600);
        scene.show(site, date, {float(dot.x), float(dot.x), float(dot.y), float(dot.y)});
        QCOMPARE(scene.controller.follower().intervals().size(), size_t(1));
        QVERIFY(colourAt(painting(scene.view), courseColours::inFrame, pixels(dot)));

        const std::tuple<bool, bool, bool, QColor> layers[] = {{true, false, false, courseColours::dayPath},
                                                               {false, true, false, courseColours::envelope},
                                                               {false, false, true, kHourLineText}};
        for (const auto &[day, envelope, hourLines, colour] : layers) {
            scene.only(day, envelope, hourLines);
            QVERIFY2(longestRun(painting(scene.view), colour) < 671 / 4, qPrintable(colour.name()));
        }
    }

    void menuSwitches_data()
    {
        // which: 0 day course, 1 solstices and equinox, 2 hour lines
        // colour: what only that layer paints
        addColumns<int, QString, bool, QColor>("which", "key", "atFirst", "colour");
        QTest::newRow("day course") << 0 << "DayCourse" << true << courseColours::dayPath;
        QTest::newRow("solstices and equinox") << 1 << "Envelope" << true << courseColours::envelope;
        QTest::newRow("hour lines") << 2 << "HourLines" << false << kHourLineText;
    }
    void menuSwitches()
    {
        const auto [which, key, atFirst, colour] = fetchColumns<int, QString, bool, QColor>("which", "key", "atFirst",
            "colour");
        const QString path = ini("switches.ini");
        QFile::remove(path);
        const auto action = [&](Scene &s) {
            return std::array{s.controller.dayCourseAction(), s.controller.envelopeAction(), s.controller.hourLinesAction()}[which];
        };
        QImage after;
        {
            Scene scene(path);
            scene.show(kParis, QDate(2026, 5, 1)); // a day whose path is none of the envelope's
            QVERIFY(scene.view.menu()->actions().contains(action(scene)));
            QCOMPARE(action(scene)->isChecked(), atFirst);
            // The other layers off: their dark blues are akin to this one's.
            scene.only(which == 0 && atFirst, which == 1 && atFirst, which == 2 && atFirst);
            QCOMPARE(longestRun(painting(scene.view), colour) > 0, atFirst);
            action(scene)->trigger();
            after = painting(scene.view);
            QCOMPARE(longestRun(after, colour) > 0, !atFirst);
        }
        QSettings stored(path, QSettings::IniFormat);
        QCOMPARE(stored.value("Panorama/" + key).toString(), atFirst ? "false" : "true");
        QCOMPARE(stored.childGroups(), QStringList{"Panorama"});
        // The next start reads the choice back and paints the same.
        Scene again(path);
        again.show(kParis, QDate(2026, 5, 1));
        QCOMPARE(action(again)->isChecked(), !atFirst);
        QCOMPARE(painting(again.view), after);
    }

    void damagedChoice()
    {
        QVERIFY(writeFile(ini("damaged.ini"), "[Panorama]\nDayCourse=oui\nEnvelope = FALSE \nHourLines=1,0\n"));
        QSettings store(ini("damaged.ini"), QSettings::IniFormat);
        QCOMPARE(readCourseLayerChoice(store), (CourseLayerChoice{true, false, false}));
    }

    void rightClick()
    {
        Scene scene(ini("menu.ini"));
        scene.view.show();
        scene.show(kParis, QDate(2026, 6, 21), {4000, 6000, 1000, 3000});
        QVERIFY(!scene.view.menu()->actions().first()->isEnabled()); // the day's times, for reading
        // On the sky and on the read-out, a child of the picture.
        for (QWidget *target : {static_cast<QWidget *>(&scene.view), static_cast<QWidget *>(scene.controller.timesLabel())}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &event);
            QTRY_COMPARE(QApplication::activePopupWidget(), scene.view.menu());
            scene.view.menu()->close();
        }
    }

    // The main window left running (real time): the read-out of the day's
    // intervals for its site and frame, after seconds passing (nothing recomputed), a frame bar
    // (the times only), a date typed or the UT day turning (the course too);
    // the sun picture stands on the course.
    void mainWindow_data()
    {
        // change: 0 seconds pass, 1 frame bar, 2 date typed, 3 the UT day turns
        // recomputed: courses, times
        addColumns<Site, QDateTime, int, QList<int>>("setup", "now", "change", "recomputed");
        const QList<int> south{4000, 6000, 1000, 3000}, all{0, 10065, 0, 4335};
        const Site paris{49, -(2 + 20 / 60.0), south}, north{78 + 13 / 60.0, -(15 + 38 / 60.0), all};
        const QDate june(2026, 6, 21);
        QTest::newRow("Paris 21 June 07:00 UT") << paris << ut(june, 7) << 0 << QList<int>{0, 0};
        QTest::newRow("Paris 21 December 11:30 UT, in the frame") << paris << ut(QDate(2026, 12, 21), 11.5) << 0 << QList<int>{0, 0};
        QTest::newRow("Sydney 1 January 2027, north-west") << Site{-(33 + 52 / 60.0), -(151 + 12 / 60.0), {8000, 10065, 500, 3000}}
                                                           << ut(QDate(2027, 1, 1), 3) << 0 << QList<int>{0, 0};
        QTest::newRow("78N 21 June 23:00 UT, in the north: into the next local day") << north << ut(june, 23) << 0 << QList<int>{0, 0};
        QTest::newRow("10N 21 June 11:50 UT, low band: morning and evening") << Site{10, -(2 + 20 / 60.0), {0, 10065, 3900, 4335}}
                                                                            << ut(june, 11 + 5 / 6.0) << 0 << QList<int>{0, 0};
        QTest::newRow("17S 179W 20 March, whole sky: both ends of the UT day") << Site{-17, 179, all}
                                                                              << ut(QDate(2026, 3, 20), 12) << 0 << QList<int>{0, 0};
        QTest::newRow("78N 21 December, polar night") << north << ut(QDate(2026, 12, 21), 12) << 0 << QList<int>{0, 0};
        QTest::newRow("Paris, the left edge moves") << paris << ut(june, 23.99) << 1 << QList<int>{0, 1};
        QTest::newRow("Paris, the next day typed") << paris << ut(june, 23.99) << 2 << QList<int>{1, 1};
        QTest::newRow("Paris, midnight UT passes") << paris << ut(june, 23.99) << 3 << QList<int>{1, 1};
    }
    void mainWindow()
    {
        const auto [setup, now, change, recomputed] = fetchColumns<Site, QDateTime, int, QList<int>>("setup", "now",
            "change", "recomputed");
        fixClock(now);
        TestWindow w(stored(setup));
        const auto c = ui(*w);
        const SunCourseFollower &follower = w->findChild<SunCourseController *>()->follower();
        const int courses = follower.courseComputations(), times = follower.timesComputations();
        if (w->engine().sun.elevation > 1) {
            const QPoint centre = c.sunPictureLabel->geometry().center();
            const QImage image = painting(*c.panorama);
            bool onCourse = false; // the path, its stretch in the frame, or a mark on it
            for (QColor colour : {courseColours::dayPath, courseColours::inFrame, courseColours::hourMark})
                onCourse = onCourse || colourAt(image, colour, centre, 2);
            QVERIFY2(onCourse, qPrintable(QStringLiteral("no course at (%1, %2)").arg(centre.x()).arg(centre.y())));
        }
        QList<int> frame = setup.frame;
        if (change == 1)
            c.frameLeftBar->setValue(frame[0] = 4014);
        if (change == 2) {
            c.dateBoxes[0]->lineEdit()->setText(QStringLiteral("22"));
            QTest::keyClick(c.dateBoxes[0]->lineEdit(), Qt::Key_End);
        }
        for (int second = 1; second <= 3 && (change == 0 || change == 3); ++second) {
            fixClock(now.addSecs(change == 3 ? 60 * second : second));
            tick(*w);
        }
        QCOMPARE((QList<int>{follower.courseComputations() - courses, follower.timesComputations() - times}), recomputed);
        const QString readout = c.panorama->findChild<QLabel *>(QStringLiteral("SunTimes"))->text();
        // The day's intervals as the read-out writes them (its text is checked in tests/analysis).
        const QDate day = now.addSecs(change == 3 ? 60 : 0).date().addDays(change == 2);
        const double jd0 = *JulianDay(day.day(), day.month(), day.year());
        const WindowBounds bounds{float(frame[0]), float(frame[1]), float(frame[2]), float(frame[3])};
        QCOMPARE(readout, sunIntervalsText(jd0, sunIntervals(jd0, {setup.latitude, setup.longitudeWest}, kPicture, bounds)));
        QCOMPARE(c.panorama->toolTip(), readout);
        QCOMPARE(c.panorama->menu()->actions().first()->text(), readout);
        setClockSource({});
    }

    void readoutClearOfFrame_data()
    {
        addNamedRows<QList<int>>("frame", {{"first run's frame", {1000, 9065, 1000, 3335}},
                                           {"frame in the top left corner", {0, 2000, 200, 2000}},
                                           {"upper label under the top left corner", {1500, 9000, 350, 2000}},
                                           {"edges by every corner", {700, 9965, 250, 4235}}});
    }
    void readoutClearOfFrame()
    {
        QFETCH(QList<int>, frame);
        fixClock(ut(QDate(2026, 6, 21), 12));
        TestWindow w(stored({49, -(2 + 20 / 60.0), frame}));
        const QLabel *label = w->findChild<SunCourseController *>()->timesLabel();
        const QRect readout = label->geometry();
        QVERIFY(label->isVisible() && ui(*w).panorama->rect().contains(readout));
        for (QLabel *edgeLabel : ui(*w).frameEdgeLabels)
            QVERIFY2(!readout.intersects(edgeLabel->geometry()), qPrintable(edgeLabel->objectName()));
        // Nor on an edge, but where every corner has one.
        const bool everyCorner = frame == QList<int>{700, 9965, 250, 4235};
        const double l = frame[0] / 15.0, r = frame[1] / 15.0, t = frame[2] / 15.0, b = frame[3] / 15.0;
        for (QRectF edge : {QRectF(l, t, r - l, 1), QRectF(l, b, r - l, 1), QRectF(l, t, 1, b - t), QRectF(r, t, 1, b - t)})
            QVERIFY(!QRectF(readout).intersects(edge) || everyCorner);
        setClockSource({});
    }
};

QTEST_MAIN(TestPanoramaCourse)
#include "tst_panoramacourse.moc"
