// The Sun's course on the panorama, rendered offscreen at the layout's size
// (671 x 289 pixels for 10065 x 4335 twips): hour marks where the Sun stands
// at whole hours, the stretch inside the frame in the warm colour and
// following the frame, no line across the picture where a course passes
// 0°/360°, the menu's switches changing the picture and kept in the group
// "Panorama". Then the main window, on its own INI store with a fixed clock:
// the read-out against lumora-cli day in local time, after a frame bar moves
// and after the date changes or the UT day turns, with only what changed
// recomputed; the course through the sun picture; the read-out clear of the frame.
#include "astro/clock.h"
#include "astro/julianday.h"
#include "diagrams/panoramaview.h"
#include "mainwindow/mainwindow.h"
#include "suncourse/suncoursecontroller.h"
#include "support/windowcontrols.h"

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

struct Site {
    double latitude, longitudeWest;
};
const Site kParis{49.0, -(2 + 20 / 60.0)}, kLongyearbyen{78.2, -15.6}, kTropic{10.0, -(2 + 20 / 60.0)},
    kMcMurdo{-77.8, -166.7}, kFiji{-17.0, 179.0}, kSydney{-33.87, -151.2};

// Where the Sun stands at a UT hour of the day, in pixels.
QPointF sunAt(const Site &site, double jd0, double hourUT)
{
    const PicturePoint p = sunPicturePoint(SolarPosition(jd0, hourUT, {site.latitude, site.longitudeWest}), kPicture);
    return QPointF(p.x, p.y) / 15;
}

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
    }
    void only(bool day, bool envelope, bool hourLines)
    {
        controller.dayCourseAction()->setChecked(day);
        controller.envelopeAction()->setChecked(envelope);
        controller.hourLinesAction()->setChecked(hourLines);
    }
    QSettings store;
    PanoramaView view;
    SunCourseController controller;
    double jd0 = 0;
};

// ---- The main window --------------------------------------------------------
struct NoTray : TrayBackend {
    bool available() const override { return true; }
    void show(const QIcon &, const QString &) override {}
    void hide() override {}
};

// A site as lumora-cli spells it ("49:00N", "2:20E") and the frame's bars.
struct Setup {
    QString latitude, longitude;
    QList<int> frame; // left, right, upper, lower
};

// A shown main window on its own settings file, its clock at `now`.
struct Window {
    Window(const Setup &setup, const QDateTime &now, const QMap<QString, QString> &more = {})
        : store(dir.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat)
    {
        setClockSource([now] { return now; });
        const auto sexagesimal = [](const QString &t) { return t.chopped(1).split(u':'); };
        const QStringList lat = sexagesimal(setup.latitude), lon = sexagesimal(setup.longitude);
        const bool south = setup.latitude.endsWith(u'S'), east = setup.longitude.endsWith(u'E');
        const QStringList keys{"T1", "T2", "T3", "T4", "O1", "O2", "O3", "O4", "HS1", "HS2", "VS1", "VS2"};
        const QStringList values{lat[0], lat[1], lon[0], lon[1], south ? "Faux" : "Vrai", south ? "Vrai" : "Faux",
                                 east ? "Faux" : "Vrai", east ? "Vrai" : "Faux"};
        for (int i = 0; i < 12; ++i)
            store.setValue("DATA/" + keys[i], i < 8 ? values[i] : QString::number(setup.frame[i - 8]));
        for (auto it = more.begin(); it != more.end(); ++it)
            store.setValue(it.key(), it.value());
        window = std::make_unique<MainWindow>(&store, std::make_unique<NoTray>());
        window->show();
    }
    ~Window() { setClockSource({}); }
    QString readout() const { return control<QLabel>(*window, QStringLiteral("SunTimes"))->text(); }
    SunCourseController *course() const { return window->findChild<SunCourseController *>(); }
    void typeDay(int day)
    {
        QLineEdit *edit = ui(*window).dateBoxes[0]->lineEdit();
        edit->setText(QString::number(day));
        QTest::keyClick(edit, Qt::Key_End);
    }
    QTemporaryDir dir;
    QSettings store;
    std::unique_ptr<MainWindow> window;
};

// The read-out lumora-cli day's stretches make: each stretch's first and last
// second (UT) in local time, " J+1" on the local day after, the total in
// whole units.
QString readoutFromCli(const QDate &date, const Setup &setup, const QList<int> &frame)
{
    QProcess cli;
    cli.start(QStringLiteral(LUMORA_CLI_PATH),
              {"day", "--date", date.toString(u"d/M/yyyy"), "--frame",
               QStringLiteral("%1,%2,%3,%4").arg(frame[0]).arg(frame[1]).arg(frame[2]).arg(frame[3]), "--lat",
               setup.latitude, "--lon", setup.longitude});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        return QStringLiteral("lumora-cli failed");
    const QDateTime midnight(date, QTime(0, 0), Qt::UTC);
    const auto local = [&](const QString &hms) {
        const QDateTime t = midnight.addSecs(QTime(0, 0).secsTo(QTime::fromString(hms, u"HH:mm:ss"))).toLocalTime();
        const qint64 days = date.daysTo(t.date());
        return t.toString(u"HH:mm:ss") + (days > 0 ? " J+1" : days < 0 ? " J-1" : "");
    };
    QStringList stretches;
    int total = 0;
    for (const QString &line : QString::fromLatin1(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList ends = line.split(u' ');
        stretches << local(ends[0]) + " – " + local(ends[1]);
        total += QTime::fromString(ends[0], u"HH:mm:ss").secsTo(QTime::fromString(ends[1], u"HH:mm:ss")) + 1;
    }
    if (stretches.isEmpty())
        return QStringLiteral("Pas de Soleil dans la fenêtre ce jour");
    const QString duration = total >= 3600 ? QStringLiteral("%1 h %2 min").arg(total / 3600).arg(total / 60 % 60, 2, 10, QChar(u'0'))
        : total >= 60                      ? QStringLiteral("%1 min").arg(total / 60)
                                           : QStringLiteral("%1 s").arg(total);
    return "Soleil dans la fenêtre : " + stretches.join(", ") + " (" + duration + ")";
}

QDateTime ut(QDate date, double hour) { return QDateTime(date, QTime(0, 0), Qt::UTC).addSecs(qint64(hour * 3600)); }
} // namespace

Q_DECLARE_METATYPE(Site)
Q_DECLARE_METATYPE(Setup)

class TestPanoramaCourse : public QObject
{
    Q_OBJECT
    QTemporaryDir dir_;
    QString ini(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void hourMarks_data()
    {
        // Europe/Paris is whole hours from UT: marks stand where the Sun is at
        // whole UT hours, and not at the half hours.
        QTest::addColumn<Site>("site");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QList<int>>("hoursUT");
        QTest::newRow("Paris 21 June 2026, summer time") << kParis << QDate(2026, 6, 21) << QList<int>{5, 10, 16, 19};
        QTest::newRow("Paris 21 December 2026, winter time") << kParis << QDate(2026, 12, 21) << QList<int>{8, 11, 15};
        QTest::newRow("Sydney 21 December 2026, Sun up round 0h UT") << kSydney << QDate(2026, 12, 21) << QList<int>{0, 3, 20, 23};
        QTest::newRow("78N 21 June 2026, midnight sun") << kLongyearbyen << QDate(2026, 6, 21) << QList<int>{0, 6, 11, 23};
    }
    void hourMarks()
    {
        QFETCH(Site, site);
        QFETCH(QDate, date);
        QFETCH(QList<int>, hoursUT);
        Scene scene(ini("marks.ini"));
        scene.only(true, false, false);
        scene.show(site, date);
        const QImage image = painting(scene.view);
        for (int hour : hoursUT) {
            const QPointF mark = sunAt(site, scene.jd0, hour), half = sunAt(site, scene.jd0, hour + 0.5);
            QVERIFY2(colourAt(image, courseColours::hourMark, mark, 1, 25), qPrintable(QStringLiteral("no mark at %1h UT").arg(hour)));
            if (half.y() < 280) { // the Sun still well up half an hour later
                QVERIFY2(colourAt(image, courseColours::dayPath, half), qPrintable(QStringLiteral("no path at %1h30").arg(hour)));
                QVERIFY2(!colourAt(image, courseColours::hourMark, half, 0, 25), qPrintable(QStringLiteral("a mark at %1h30").arg(hour)));
            }
        }
    }

    void inFrameStretch_data()
    {
        // A frame from the Sun's places at `from` to `to` (UT hours), the
        // whole height; the hours in `outside` lie out of it. The hours
        // looked at are off the whole hours, whose marks cover the path.
        QTest::addColumn<Site>("site");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<QList<double>>("outside");
        QTest::newRow("Paris 21 June, morning") << kParis << QDate(2026, 6, 21) << 7.0 << 9.0 << QList<double>{6.5, 14.5};
        QTest::newRow("Paris 21 December, round noon") << kParis << QDate(2026, 12, 21) << 10.25 << 12.25 << QList<double>{9.25, 14.25};
        QTest::newRow("78N 21 June, north-west") << kLongyearbyen << QDate(2026, 6, 21) << 17.0 << 20.0 << QList<double>{12.5, 22.5};
    }
    void inFrameStretch()
    {
        QFETCH(Site, site);
        QFETCH(QDate, date);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(QList<double>, outside);
        Scene scene(ini("stretch.ini"));
        scene.only(true, false, false);
        scene.show(site, date);
        const auto columns = [](QPointF a, QPointF b) {
            return WindowBounds{float(15 * std::min(a.x(), b.x())), float(15 * std::max(a.x(), b.x())), 0, 4335};
        };
        scene.show(site, date, columns(sunAt(site, scene.jd0, from), sunAt(site, scene.jd0, to)));
        QImage image = painting(scene.view);
        const double inside = from + 0.25 * (to - from);
        for (double hour : {inside, from + 0.75 * (to - from)})
            QVERIFY2(colourAt(image, courseColours::inFrame, sunAt(site, scene.jd0, hour)), qPrintable(QString::number(hour)));
        for (double hour : outside)
            QVERIFY2(colourAt(image, courseColours::dayPath, sunAt(site, scene.jd0, hour))
                         && !colourAt(image, courseColours::inFrame, sunAt(site, scene.jd0, hour), 2),
                     qPrintable(QString::number(hour)));
        // The frame moves on to the first hour outside: the stretch follows.
        const QPointF there = sunAt(site, scene.jd0, outside.first());
        scene.show(site, date, columns(there - QPointF(10, 0), there + QPointF(10, 0)));
        image = painting(scene.view);
        QVERIFY(colourAt(image, courseColours::inFrame, there));
        QVERIFY(!colourAt(image, courseColours::inFrame, sunAt(site, scene.jd0, inside), 2));
        // A frame round the Sun's place at one second shows that second.
        const QPointF dot = sunAt(site, scene.jd0, std::round(inside * 3600) / 3600) * 15;
        scene.show(site, date, {float(dot.x()), float(dot.x()), float(dot.y()), float(dot.y())});
        QCOMPARE(scene.controller.follower().intervals().size(), size_t(1));
        QVERIFY(colourAt(painting(scene.view), courseColours::inFrame, dot / 15));
    }

    void seam_data()
    {
        QTest::addColumn<Site>("site");
        QTest::addColumn<QDate>("date");
        QTest::newRow("78N 21 June, midnight sun in the north") << kLongyearbyen << QDate(2026, 6, 21);
        QTest::newRow("77.8S 21 December, midnight sun, noon in the north") << kMcMurdo << QDate(2026, 12, 21);
        QTest::newRow("17S 179W 20 March, noon in the north, by the date line") << kFiji << QDate(2026, 3, 20);
    }
    void seam()
    {
        // Courses through 0°/360° of azimuth: a line joining the two sides
        // would run for hundreds of pixels; the flattest true course here
        // (78N near its lowest) keeps to a row for a few dozen.
        QFETCH(Site, site);
        QFETCH(QDate, date);
        Scene scene(ini("seam.ini"));
        scene.show(site, date);
        const std::tuple<bool, bool, bool, QColor> layers[] = {{true, false, false, courseColours::dayPath},
                                                               {false, true, false, courseColours::envelope},
                                                               {false, false, true, kHourLineText}};
        for (const auto &[day, envelope, hourLines, colour] : layers) {
            scene.only(day, envelope, hourLines);
            QVERIFY2(longestRun(painting(scene.view), colour) < 671 / 4, qPrintable(colour.name()));
        }
        // The day's path runs to both side edges at one height (a mark may stand on it there).
        scene.only(true, false, false);
        const QImage image = painting(scene.view);
        const auto onPath = [&](int x, int y) {
            return image.rect().contains(x, y)
                && (near(image.pixelColor(x, y), courseColours::dayPath) || near(image.pixelColor(x, y), courseColours::hourMark));
        };
        bool meet = false;
        for (int y = 0; y < image.height(); ++y)
            for (int dy = -3; dy <= 3; ++dy)
                meet = meet || (onPath(0, y) && onPath(670, y + dy));
        QVERIFY2(meet, "the path does not reach both side edges at one height");
    }

    void menuSwitches_data()
    {
        QTest::addColumn<int>("which"); // 0 day course, 1 solstices and equinox, 2 hour lines
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("atFirst");
        QTest::addColumn<QColor>("colour"); // what only that layer paints
        QTest::newRow("day course") << 0 << "DayCourse" << true << courseColours::dayPath;
        QTest::newRow("solstices and equinox") << 1 << "Envelope" << true << courseColours::envelope;
        QTest::newRow("hour lines") << 2 << "HourLines" << false << kHourLineText;
    }
    void menuSwitches()
    {
        QFETCH(int, which);
        QFETCH(QString, key);
        QFETCH(bool, atFirst);
        QFETCH(QColor, colour);
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
        QFile file(ini("damaged.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Panorama]\nDayCourse=oui\nEnvelope = FALSE \nHourLines=1,0\n");
        file.close();
        QSettings store(file.fileName(), QSettings::IniFormat);
        QCOMPARE(readCourseLayerChoice(store), (CourseLayerChoice{true, false, false}));
    }

    void rightClick()
    {
        Scene scene(ini("menu.ini"));
        scene.view.show();
        scene.show(kParis, QDate(2026, 6, 21), {4000, 6000, 1000, 3000});
        QAction *times = scene.view.menu()->actions().first();
        QVERIFY(times->text().startsWith(QStringLiteral("Soleil dans la fenêtre : ")) && !times->isEnabled());
        QCOMPARE(times->text(), scene.view.toolTip());
        // On the sky and on the read-out, a child of the picture.
        for (QWidget *target : {static_cast<QWidget *>(&scene.view), static_cast<QWidget *>(scene.controller.timesLabel())}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &event);
            QTRY_COMPARE(QApplication::activePopupWidget(), scene.view.menu());
            scene.view.menu()->close();
        }
    }

    void readoutAsCli_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QDate>("date");
        QTest::newRow("Paris 21 June 2026, south frame") << Setup{"49:00N", "2:20E", {4000, 6000, 1000, 3000}} << QDate(2026, 6, 21);
        QTest::newRow("Sydney 1 January 2027, north-west") << Setup{"33:52S", "151:12E", {8000, 10065, 500, 3000}} << QDate(2027, 1, 1);
        QTest::newRow("78N 21 June 2026, whole sky: into the next local day") << Setup{"78:13N", "15:38E", {0, 10065, 0, 4335}} << QDate(2026, 6, 21);
        QTest::newRow("10N 21 June 2026, low band: morning and evening") << Setup{"10:00N", "2:20E", {0, 10065, 3900, 4335}} << QDate(2026, 6, 21);
        QTest::newRow("17S 179W 20 March 2026, whole sky: both ends of the UT day") << Setup{"17:00S", "179:00W", {0, 10065, 0, 4335}} << QDate(2026, 3, 20);
        QTest::newRow("78N 21 December 2026, polar night") << Setup{"78:13N", "15:38E", {0, 10065, 0, 4335}} << QDate(2026, 12, 21);
    }
    void readoutAsCli()
    {
        QFETCH(Setup, setup);
        QFETCH(QDate, date);
        Window w(setup, ut(date, 12));
        QCOMPARE(w.readout(), readoutFromCli(date, setup, setup.frame));
        QCOMPARE(ui(*w.window).panorama->toolTip(), w.readout());
        QCOMPARE(ui(*w.window).panorama->menu()->actions().first()->text(), w.readout());
    }

    void courseThroughSunPicture_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QDateTime>("now");
        const QList<int> south{4000, 6000, 1000, 3000};
        QTest::newRow("Paris 21 June 2026 07:00 UT") << Setup{"49:00N", "2:20E", south} << ut(QDate(2026, 6, 21), 7);
        QTest::newRow("Paris 21 December 2026 11:30 UT, in the frame") << Setup{"49:00N", "2:20E", south} << ut(QDate(2026, 12, 21), 11.5);
        QTest::newRow("78N 21 June 2026 23:00 UT, in the north") << Setup{"78:13N", "15:38E", south} << ut(QDate(2026, 6, 21), 23);
        QTest::newRow("10N 21 June 2026 11:50 UT, by the zenith") << Setup{"10:00N", "2:20E", south} << ut(QDate(2026, 6, 21), 11 + 5 / 6.0);
    }
    void courseThroughSunPicture()
    {
        QFETCH(Setup, setup);
        QFETCH(QDateTime, now);
        Window w(setup, now);
        tick(*w.window);
        QVERIFY2(w.window->engine().sun.elevation > 1, "a row's instant must have the Sun up");
        const QPoint centre = ui(*w.window).sunPictureLabel->geometry().center();
        const QImage image = painting(*ui(*w.window).panorama);
        bool onCourse = false; // the path, its stretch in the frame, or a mark on it
        for (QColor c : {courseColours::dayPath, courseColours::inFrame, courseColours::hourMark})
            onCourse = onCourse || colourAt(image, c, centre, 2);
        QVERIFY2(onCourse, qPrintable(QStringLiteral("no course at (%1, %2)").arg(centre.x()).arg(centre.y())));
    }

    // What each change recomputes in a window left running (real time), and
    // the read-out after it: seconds passing nothing, a frame bar the times
    // only, a date typed or the UT day turning at midnight the course too.
    void followsChanges_data()
    {
        QTest::addColumn<int>("change"); // 0 seconds pass, 1 frame bar, 2 date typed, 3 the UT day turns
        QTest::addColumn<QList<int>>("recomputed"); // courses, times
        QTest::addColumn<QDate>("shown");
        QTest::newRow("three seconds pass") << 0 << QList<int>{0, 0} << QDate(2026, 6, 21);
        QTest::newRow("the left edge moves") << 1 << QList<int>{0, 1} << QDate(2026, 6, 21);
        QTest::newRow("the next day typed") << 2 << QList<int>{1, 1} << QDate(2026, 6, 22);
        QTest::newRow("midnight UT passes") << 3 << QList<int>{1, 1} << QDate(2026, 6, 22);
    }
    void followsChanges()
    {
        QFETCH(int, change);
        QFETCH(QList<int>, recomputed);
        QFETCH(QDate, shown);
        const Setup setup{"49:00N", "2:20E", {4000, 6000, 1000, 3000}};
        const QDateTime start = ut(QDate(2026, 6, 21), 23.99);
        Window w(setup, start);
        const SunCourseFollower &follower = w.course()->follower();
        const int courses = follower.courseComputations(), times = follower.timesComputations();
        QList<int> frame = setup.frame;
        if (change == 1)
            ui(*w.window).frameLeftBar->setValue(frame[0] = 4014);
        if (change == 2)
            w.typeDay(22);
        for (int second = 1; second <= 3 && (change == 0 || change == 3); ++second) {
            setClockSource([=] { return start.addSecs(change == 3 ? 60 * second : second); });
            tick(*w.window);
        }
        QCOMPARE((QList<int>{follower.courseComputations() - courses, follower.timesComputations() - times}), recomputed);
        QCOMPARE(w.readout(), readoutFromCli(shown, setup, frame));
    }

    void readoutClearOfFrame_data()
    {
        QTest::addColumn<QList<int>>("frame");
        QTest::newRow("first run's frame") << QList<int>{1000, 9065, 1000, 3335};
        QTest::newRow("frame in the top left corner") << QList<int>{0, 2000, 200, 2000};
        QTest::newRow("upper label under the top left corner") << QList<int>{1500, 9000, 350, 2000};
        QTest::newRow("edges by every corner") << QList<int>{700, 9965, 250, 4235};
    }
    void readoutClearOfFrame()
    {
        QFETCH(QList<int>, frame);
        Window w({"49:00N", "2:20E", frame}, ut(QDate(2026, 6, 21), 12), {{"Panorama/HourLines", "true"}});
        QVERIFY(w.course()->hourLinesAction()->isChecked()); // read from the window's store
        const QRect readout = w.course()->timesLabel()->geometry();
        QVERIFY(w.course()->timesLabel()->isVisible() && ui(*w.window).panorama->rect().contains(readout));
        for (QLabel *label : ui(*w.window).frameEdgeLabels)
            QVERIFY2(!readout.intersects(label->geometry()), qPrintable(label->objectName()));
        // Nor on an edge, but where every corner has one.
        const bool everyCorner = frame == QList<int>{700, 9965, 250, 4235};
        const double l = frame[0] / 15.0, r = frame[1] / 15.0, t = frame[2] / 15.0, b = frame[3] / 15.0;
        for (QRectF edge : {QRectF(l, t, r - l, 1), QRectF(l, b, r - l, 1), QRectF(l, t, 1, b - t), QRectF(r, t, 1, b - t)})
            QVERIFY(!QRectF(readout).intersects(edge) || everyCorner);
    }
};

QTEST_MAIN(TestPanoramaCourse)
#include "tst_panoramacourse.moc"
