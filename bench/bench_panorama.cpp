// Times the main window's panorama with every course layer on (day path,
// solstices and equinox, hour lines) while a frame bar is dragged: per move,
// the bar's change (frame, labels, the day's intervals, in-frame stretches and
// read-out) and a synchronous repaint of the panorama. Also what a new day
// and a new site cost, layers and first paint included. Prints figures; run
// with QT_QPA_PLATFORM=offscreen (or under Xvfb).
#include "astro/clock.h"
#include "notray.h"
#include "mainwindow/mainwindow.h"
#include "suncourse/suncoursecontroller.h"
#include "support/windowcontrols.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

using namespace lumora;
using namespace lumora::testing;

namespace {

double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char *what, std::vector<double> v, const char *target = "")
{
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v)
        sum += x;
    std::printf("%-52s mean %7.3f  median %7.3f  p99 %7.3f  worst %7.3f ms  %s\n", what, sum / v.size(), v[v.size() / 2],
                v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back(), target);
}

// Drags `bar` from `from` to `to` in steps of `step`; per move the change and
// the panorama's repaint, and the paint alone.
void drag(const char *what, PanoramaView *panorama, QScrollBar *bar, int from, int to, int step)
{
    std::vector<double> moves, paints;
    for (int value = from; step > 0 ? value <= to : value >= to; value += step) {
        double paint = 0;
        moves.push_back(milliseconds([&] {
            bar->setValue(value);
            paint = milliseconds([&] { panorama->repaint(); });
        }));
        paints.push_back(paint);
    }
    report(what, moves, "(target <= 4 ms per move)");
    report("  of which the repaint", paints);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // figures with a decimal point whatever the locale
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Panorama/HourLines"), QStringLiteral("true"));
    const QDateTime noon(QDate(2026, 6, 21), QTime(12, 0), Qt::UTC);
    setClockSource([noon] { return noon; });
    MainWindow window(&store, std::make_unique<NoTray>());
    window.show();
    QCoreApplication::processEvents();
    const auto c = ui(window);
    SunCourseController *course = window.findChild<SunCourseController *>();
    std::printf("Paris, 21 June 2026, all layers on (%s)\n", qPrintable(QGuiApplication::platformName()));

    // A south window: its left edge dragged east and back, half a degree a move.
    c.frameRightBar->setValue(7000);
    c.frameTopBar->setValue(500);
    c.frameBottomBar->setValue(3500);
    drag("left edge dragged, south frame", c.panorama, c.frameLeftBar, 1000, 6000, 14);
    drag("left edge dragged back", c.panorama, c.frameLeftBar, 6000, 1000, -14);
    drag("lower edge dragged", c.panorama, c.frameBottomBar, 3500, 1000, -24);
    // The same with the layers off, for comparison: what the panorama costs by itself.
    for (QAction *layer : {course->dayCourseAction(), course->envelopeAction(), course->hourLinesAction()})
        layer->setChecked(false);
    drag("left edge dragged, every layer off", c.panorama, c.frameLeftBar, 1000, 6000, 14);
    for (QAction *layer : {course->dayCourseAction(), course->envelopeAction(), course->hourLinesAction()})
        layer->setChecked(true);

    // At 78N under the midnight sun with a frame round the whole sky: the
    // stretches run all day.
    c.latitudeDegreesEdit->setText(QStringLiteral("78"));
    tick(window);
    c.frameLeftBar->setValue(0);
    c.frameRightBar->setValue(10065);
    c.frameTopBar->setValue(0);
    c.frameBottomBar->setValue(4335);
    drag("78N, whole sky, right edge dragged", c.panorama, c.frameRightBar, 10065, 5000, -14);
    c.latitudeDegreesEdit->setText(QStringLiteral("49"));
    tick(window);

    // A new day of the same year, and a new site, each with the first paint.
    std::vector<double> days, sites;
    for (int day = 1; day <= 28; ++day) {
        days.push_back(milliseconds([&] {
            c.dateBoxes[0]->lineEdit()->setText(QString::number(day));
            c.panorama->repaint();
        }));
        sites.push_back(milliseconds([&] {
            c.latitudeDegreesEdit->setText(QString::number(30 + day));
            tick(window);
            c.panorama->repaint();
        }));
    }
    report("new day of the year (layers, first paint)", days);
    report("new site (year layers too, first paint)", sites);
    std::printf("%-52s %d course computations, %d times computations\n", "in all", course->follower().courseComputations(),
                course->follower().timesComputations());
    return 0;
}
