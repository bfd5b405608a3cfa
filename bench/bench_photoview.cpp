// Times the photo in the main window: a 12-megapixel JPEG chosen until the
// panorama shows it (decoding, resampling off the window's thread and the
// first paint), a new placement until it shows, and the frame's edges dragged
// with the mouse over the photo with every course layer on (per move: the
// bar set, the frame, the day's times and a synchronous repaint). Prints
// figures; run with QT_QPA_PLATFORM=offscreen (or under Xvfb).
#include "astro/clock.h"
#include "notray.h"
#include "syntheticphoto.h"
#include "mainwindow/mainwindow.h"
#include "photoview/photocontroller.h"
#include "spread.h"
#include "support/windowcontrols.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <cstdio>

using namespace lumora;
using namespace lumora::testing;

namespace {

void report(const char *what, const std::vector<double> &v, const char *target = "")
{
    const Spread s = spread(v);
    std::printf("%-46s mean %7.2f  median %7.2f  p99 %7.2f  worst %7.2f ms  %s\n", what, s.mean, s.median, s.p99,
                s.worst, target);
}


// Milliseconds from `start` until the photo's `shown`, with the panorama repainted.
double untilShown(PhotoController *photo, const std::function<void()> &start)
{
    QEventLoop loop;
    const auto connection = QObject::connect(photo, &PhotoController::shown, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    start();
    loop.exec();
    photo->parent()->findChild<PanoramaView *>(QStringLiteral("Pic"))->repaint();
    QObject::disconnect(connection);
    return timer.nsecsElapsed() / 1e6;
}

void mouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, to->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QTemporaryDir dir;
    const QString path = writeJpeg(dir, "photo.jpg", 4000, 3000);
    QSettings store(dir.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Panorama/HourLines"), QStringLiteral("true"));
    const QDateTime noon(QDate(2026, 6, 21), QTime(12, 0), Qt::UTC);
    setClockSource([noon] { return noon; });
    MainWindow window(&store, std::make_unique<NoTray>());
    window.show();
    QCoreApplication::processEvents();
    const auto c = ui(window);
    PhotoController *photo = window.findChild<PhotoController *>();
    std::printf("12-megapixel JPEG in the main window, Paris, 21 June 2026, all layers on (%s, %d threads)\n",
                qPrintable(QGuiApplication::platformName()), QThread::idealThreadCount());

    std::vector<double> chosen, placed;
    for (int i = 0; i < 5; ++i)
        chosen.push_back(untilShown(photo, [&] { photo->choosePhoto(path); }));
    report("photo chosen until shown", chosen, "(target <= 400 ms)");
    for (int i = 0; i < 20; ++i) {
        PhotoPlacement placement = photo->current().placement;
        placement.azimuth = 150 + i;
        placed.push_back(untilShown(photo, [&] { photo->setPlacement(placement); }));
    }
    report("new placement until shown", placed);

    // The left edge dragged east and back, a pixel a move, by the mouse.
    c.frameLeftBar->setValue(1000);
    c.frameRightBar->setValue(7000);
    c.frameTopBar->setValue(500);
    c.frameBottomBar->setValue(3500);
    photo->setFrameTracing(true);
    std::vector<double> moves;
    const int y = 2000 / 15;
    int x = 1000 / 15;
    mouse(c.panorama, QEvent::MouseButtonPress, QPoint(x, y), Qt::LeftButton);
    for (int step = 0; step < 600; ++step) {
        x += step < 300 ? 1 : -1;
        QElapsedTimer timer;
        timer.start();
        mouse(c.panorama, QEvent::MouseMove, QPoint(x, y), Qt::LeftButton);
        c.panorama->repaint();
        moves.push_back(timer.nsecsElapsed() / 1e6);
    }
    mouse(c.panorama, QEvent::MouseButtonRelease, QPoint(x, y), Qt::NoButton);
    report("frame edge dragged over the photo", moves, "(target <= 4 ms per move)");
    std::printf("%-46s left bar at %d (started at 1000)\n", "after the drag", c.frameLeftBar->value());
    return 0;
}
