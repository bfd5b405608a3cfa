// The year window as a user sees it, offscreen: the picture's orange cells of
// chosen days where those days' intervals put them; the month bars' values
// and the year's total are the sums of the exported file's durations, and
// that file is the one lumora-cli hours writes; the read-out and the click of
// a point; the export folder kept; and the window opened from the panorama's
// menu and with Ctrl+Y (also after the About box), following its frame, site and
// date, a click setting its date and time bar in manual mode.
#include "about/about.h"
#include "analysis/hoursfile.h"
#include "analysis/yearintervals.h"
#include "astro/clock.h"
#include "astro/julianday.h"
#include "common/formats.h"
#include "support/files.h"
#include "support/rows.h"
#include "support/testwindow.h"
#include "yearview/yearchart.h"
#include "yearview/yearview.h"

#include <QtTest>
#include <QtWidgets>
#include <ctime>
#include <sys/stat.h>

using namespace lumora;
using namespace lumora::testing;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const PictureSize kPanorama;
// Azimuth 89° to 197°, elevation 10° to 55°: mornings and middays, all year.
const WindowBounds kSouthEast{2500, 5500, 1700, 3850};
// A year in the past, so that today's mark is not on the picture.
const QDate kFirst(2000, 6, 21);

Observation observationAt(const QDate &date, double hourUT, const SiteLocation &site, const WindowBounds &frame)
{
    Observation seen;
    seen.site = site;
    seen.frame = frame;
    seen.julianDay0h = *JulianDay(date.day(), date.month(), date.year());
    seen.hourUT = hourUT;
    return seen;
}

// A shown year window with a calendar.
struct ShownView {
    explicit ShownView(QSettings *settings = nullptr, const WindowBounds &frame = kSouthEast)
        : view(settings)
    {
        view.resize(1100, 900);
        view.show();
        QSignalSpy shown(&view, &YearView::calendarShown);
        view.setObservation(observationAt(kFirst, 10, kParis, frame));
        if (!shown.wait(10000))
            qFatal("no calendar within 10 s");
    }
    YearPlot *plot() const { return view.chart()->plot(); }
    YearView view;
};

// Which of the three colours a pixel is nearest to (grid lines are faint).
CalendarCell cellOfColour(QColor pixel)
{
    const auto distance = [&](const QColor &c) {
        return std::abs(pixel.red() - c.red()) + std::abs(pixel.green() - c.green()) + std::abs(pixel.blue() - c.blue());
    };
    const int night = distance(kNightColour), day = distance(kDaylightColour), in = distance(kInFrameColour);
    return in <= night && in <= day ? CalendarCell::InFrame : day <= night ? CalendarCell::Daylight : CalendarCell::Night;
}

// The cells of the year in the frame.
int frameCells(const YearView &view)
{
    int cells = 0;
    for (int column = 0; column < kDefaultYearDays; ++column)
        for (int row = 0; row < kCalendarRows; ++row)
            cells += view.calendar()->cell(column, row) == CalendarCell::InFrame;
    return cells;
}

} // namespace

class TestYearView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        setZone("Europe/Paris");
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QStandardPaths::setTestModeEnabled(true);
    }

    // Every cell of the picture, two pixels a side, in the colour of the
    // calendar's cell (the calendar itself is checked against every second
    // elsewhere), for the site, frame and first day on show; the marks of the
    // date on show and of today (on no column of a past year) aside.
    void pictureShowsTheCalendar()
    {
        ShownView shown;
        const YearCalendar &calendar = *shown.view.calendar();
        QVERIFY(calendar.sky().site().latitude == kParis.latitude && calendar.sky().site().longitude == kParis.longitude);
        QVERIFY(calendar.frame().left == kSouthEast.left && calendar.frame().bottom == kSouthEast.bottom);
        YearPlot *plot = shown.plot();
        plot->resize(2 * kDefaultYearDays, 2 * kCalendarRows);
        const QImage image = plot->grab().toImage();
        int wrong = 0, orange = 0, shownDate = 0;
        for (int column = 0; column < kDefaultYearDays; ++column)
            for (int row = 0; row < kCalendarRows; ++row) {
                const CalendarCell painted = cellOfColour(image.pixelColor(2 * column + 1, 2 * (kCalendarRows - 1 - row) + 1));
                orange += painted == CalendarCell::InFrame;
                (column < 3 ? shownDate : wrong) += painted != calendar.cell(column, row);
            }
        QCOMPARE(wrong, 0);
        QVERIFY(orange > 3000 && shownDate < 3 * kCalendarRows);
    }

    // The month bars and the year's total: the sums of the same days' intervals
    // (the sums, and the exported file made of them, checked in tests/analysis).
    void totalsAreTheDaysSums()
    {
        ShownView shown;
        const auto days = yearSunIntervals(*JulianDay(21, 6, 2000), kDefaultYearDays, kParis, kPanorama, kSouthEast);
        QStringList expected;
        for (const MonthTotal &month : monthTotals(days))
            expected << hoursText(month.seconds) + QStringLiteral(" h");
        QCOMPARE(expected.size(), 13);
        QCOMPARE(shown.view.chart()->monthValueTexts(), expected);
        QCOMPARE(shown.view.findChild<QLabel *>(QStringLiteral("YearTotal"))->text(),
                 QStringLiteral("Total sur l'année : %1 h de Soleil dans la fenêtre").arg(hoursText(totalSeconds(days))));
    }

    // Both exports write the hours file or the picture, keep the dialog's
    // folder for the next export, and replace the file only once it is whole:
    // a file size limit or a pipe in its place leaves the previous one, and a
    // message says why (the pipe refused at once, not written into).
    void exports_data()
    {
        addColumns<bool, QString, QString>("picture", "obstacle", "message");
        QTest::newRow("picture") << true << "" << "";
        QTest::newRow("picture, size limit") << true << "limit" << "Le fichier est trop gros : impossible d'écrire";
        QTest::newRow("picture, a pipe") << true << "pipe" << "n'est pas un fichier ordinaire";
        QTest::newRow("intervals") << false << "" << "";
        QTest::newRow("intervals, size limit") << false << "limit" << "Le fichier est trop gros : impossible d'écrire";
        QTest::newRow("intervals, a pipe") << false << "pipe" << "n'est pas un fichier ordinaire";
    }
    void exports()
    {
        const auto [picture, obstacle, message] = fetchColumns<bool, QString, QString>("picture", "obstacle",
            "message");
        QTemporaryDir dir, home;
        QSettings settings(home.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat);
        const QString path = dir.filePath(QStringLiteral("annee"));
        const QByteArray previous(600, 'p');
        if (obstacle == u"pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else
            QVERIFY(writeFile(path, previous));
        ShownView shown(&settings);
        picture ? shown.view.exportPicture() : shown.view.exportIntervals();
        QElapsedTimer timer;
        timer.start();
        QFileDialog *dialog = shown.view.findChild<QFileDialog *>(QStringLiteral("YearExportDialog"));
        QVERIFY(dialog);
        {
            std::optional<FileSizeLimit> limit;
            if (obstacle == u"limit")
                limit.emplace(1000);
            emit dialog->fileSelected(path); // as its save button does (its own checks would stop at a pipe)
        }
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"annee"});
        const QMessageBox *box = shown.view.findChild<QMessageBox *>(QStringLiteral("YearExportFailure"));
        if (obstacle.isEmpty()) {
            QVERIFY(!box);
            const double first = *JulianDay(kFirst.day(), kFirst.month(), kFirst.year());
            QVERIFY(picture ? QImage(path, "png").width() > 500
                            : contents(path) == hoursFileContents(yearSunIntervals(first, kDefaultYearDays, kParis, kPanorama, kSouthEast)));
            QCOMPARE(settings.value(QStringLiteral("Annee/Dossier")).toString(), dir.path());
            QCOMPARE(ShownView(&settings).view.exportFolder(), dir.path());
            return;
        }
        QVERIFY2(box && box->text().contains(message), box ? qPrintable(box->text()) : "no message");
        if (obstacle == u"limit")
            QCOMPARE(contents(path), previous);
    }

    // Each change of what is observed, as a program left running for days
    // sees it: a date inside the year keeps the computed year (and its Sun
    // positions), a date past it, a site or a frame makes a new one.
    void followsWhatIsObserved_data()
    {
        addColumns<int, double, int, QDate, bool>("daysLater", "latitude", "frameLeft", "firstDate", "sameSky");
        QTest::newRow("the next UT day") << 1 << 49.0 << 2500 << kFirst << true;
        QTest::newRow("the year's last day") << kDefaultYearDays - 1 << 49.0 << 2500 << kFirst << true;
        QTest::newRow("the day after the year") << kDefaultYearDays << 49.0 << 2500 << kFirst.addDays(kDefaultYearDays) << false;
        QTest::newRow("another frame") << 0 << 49.0 << 3000 << kFirst << true;
        QTest::newRow("another site") << 0 << 45.0 << 2500 << kFirst << false;
    }
    void followsWhatIsObserved()
    {
        const auto [daysLater, latitude, frameLeft, firstDate, sameSky] = fetchColumns<int, double, int, QDate, bool>(
            "daysLater", "latitude", "frameLeft", "firstDate", "sameSky");
        ShownView shown;
        const YearSky *sky = &shown.view.calendar()->sky();
        const int before = frameCells(shown.view);
        WindowBounds frame = kSouthEast;
        frame.left = float(frameLeft);
        QSignalSpy calendarShown(&shown.view, &YearView::calendarShown);
        shown.view.setObservation(observationAt(kFirst.addDays(daysLater), 10, {latitude, kParis.longitude}, frame));
        if (daysLater >= kDefaultYearDays || latitude != 49.0 || frameLeft != 2500)
            QVERIFY(calendarShown.wait(10000));
        const QDate d = firstDate;
        QCOMPARE(shown.view.calendar()->sky().columnDate(0), (CivilDate{d.year(), d.month(), d.day()}));
        QCOMPARE(&shown.view.calendar()->sky() == sky, sameSky);
        if (frameLeft != 2500)
            QVERIFY(frameCells(shown.view) < before);
    }

    // The read-out under the pointer and the instant a click asks for.
    void pointAndClick_data()
    {
        addColumns<QDate, int>("day", "localMinute");
        QTest::newRow("22 June 2000 15:53, summer time") << QDate(2000, 6, 22) << 15 * 60 + 53;
        QTest::newRow("10 January 2001 09:12, winter time") << QDate(2001, 1, 10) << 9 * 60 + 12;
        QTest::newRow("10 January 2001 00:32, the UT date the day before") << QDate(2001, 1, 10) << 32;
        QTest::newRow("1 March 2001 23:58") << QDate(2001, 3, 1) << 23 * 60 + 58;
    }
    void pointAndClick()
    {
        auto [day, localMinute] = fetchColumns<QDate, int>("day", "localMinute");
        ShownView shown;
        YearPlot *plot = shown.plot();
        const int column = int(kFirst.daysTo(day));
        const QPoint point = plot->pointOf(column, localMinute);
        QSignalSpy chosen(&shown.view, &YearView::instantChosen);
        // A pixel holds a few minutes: the point stands for one of them.
        int pointColumn = 0, pointSecond = 0;
        QVERIFY(plot->cellAt(point, &pointColumn, &pointSecond));
        QCOMPARE(pointColumn, column);
        QVERIFY(std::abs(pointSecond / 60 - localMinute) <= 1440 / plot->height() + 1);
        localMinute = pointSecond / 60;
        QTest::mouseMove(plot, point);
        QTest::mouseClick(plot, Qt::LeftButton, {}, point);
        QCOMPARE(chosen.size(), 1);
        const QDateTime ut = QDateTime(day, QTime(0, 0).addSecs(localMinute * 60), Qt::LocalTime).toUTC();
        QCOMPARE(chosen[0][0].value<CivilDate>(), (CivilDate{ut.date().year(), ut.date().month(), ut.date().day()}));
        QCOMPARE(chosen[0][1].toInt(), ut.time().hour() * 60 + ut.time().minute());

        const SunPosition sun = SolarPosition(*JulianDay(ut.date().day(), ut.date().month(), ut.date().year()),
                                              ut.time().msecsSinceStartOfDay() / 3600000.0, kParis);
        const bool inside = sunInWindow(sunPicturePoint(sun, kPanorama), kSouthEast);
        const QString readout = shown.view.findChild<QLabel *>(QStringLiteral("YearReadout"))->text();
        const QString expectedStart = day.toString(u"dd/MM/yyyy") + u' ' + QTime(0, 0).addSecs(localMinute * 60).toString(u"HH:mm");
        QVERIFY2(readout.startsWith(expectedStart), qPrintable(readout));
        QVERIFY2(readout.contains(QStringLiteral("azimut %1°").arg(formatNumber(sun.azimuth, {1, 1}))), qPrintable(readout));
        QVERIFY2(readout.contains(inside ? QStringLiteral("— Soleil dans la fenêtre") : QStringLiteral("hors de la fenêtre")),
                 qPrintable(readout));
    }

    // Opened from the main window with Ctrl+Y (the last entry of the
    // panorama's menu), the window follows it (a frame bar: the main window's
    // tests): a date inside the year keeps the year; a click shows its instant
    // there in manual mode.
    void followsTheMainWindow()
    {
        fixClock(utc(2000, 6, 21, 12, 0));
        TestWindow shownWindow;
        MainWindow &window = *shownWindow;
        const QAction *entry = ui(window).panorama->menu()->actions().last();
        QCOMPARE(entry->text(), QStringLiteral("Soleil dans la fenêtre — année…"));
        QCOMPARE(entry->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        // Other windows opened first give the main window no second Ctrl+Y.
        const auto controls = ui(window);
        QTest::mouseClick(controls.aboutButton, Qt::LeftButton);
        QTRY_VERIFY(window.aboutBox());
        window.aboutBox()->close();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
        QPointer<YearView> view = window.yearView();
        QVERIFY(view && view->isVisible());
        QCOMPARE(view->windowTitle(), QStringLiteral("Soleil dans la fenêtre — année"));
        QTRY_VERIFY_WITH_TIMEOUT(view->calendar() != nullptr && !view->busy(), 10000);
        QCOMPARE(view->calendar()->sky().columnDate(0), (CivilDate{2000, 6, 21}));
        QCOMPARE(view->calendar()->frame().left, window.engine().frame.left);

        // A click on 10 January 2001 near 00:30 local time, 23:30 UT the day before.
        YearPlot *plot = view->chart()->plot();
        const QPoint point = plot->pointOf(int(kFirst.daysTo(QDate(2001, 1, 10))), 30);
        int column = 0, localSecond = 0;
        QVERIFY(plot->cellAt(point, &column, &localSecond));
        const int minuteUT = 23 * 60 + localSecond / 60; // local time is UT + 1 in winter
        QTest::mouseClick(plot, Qt::LeftButton, {}, point);
        QVERIFY(!window.realTime());
        QCOMPARE(dateBoxesText(window), QStringLiteral("9/1/2001"));
        QCOMPARE(controls.timeBar->value(), minuteUT);
        QCOMPARE(window.engine().evalJulianDay, *JulianDay(9, 1, 2001));
        QCOMPARE(window.engine().evalHourUT, minuteUT / 60.0);
        QCOMPARE(controls.utTimeLabel->text(), formatTimeOfDay(minuteUT / 1440.0, true) + QStringLiteral(" (TU)"));
        QTest::qWait(50);
        QCOMPARE(view->calendar()->sky().columnDate(0), (CivilDate{2000, 6, 21})); // the year stays
        setClockSource({});
    }
};

QTEST_MAIN(TestYearView)
#include "tst_yearview.moc"
