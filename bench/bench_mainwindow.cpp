// Times the main window as a user drives it: start-up, one real-time tick,
// idle CPU in real time, a year survey and a far search started from the
// window, the repaint rate meanwhile and how fast "Temps réel" stops it.
// Prints figures; run with QT_QPA_PLATFORM=offscreen (or under Xvfb).
#include "diagrams/dialview.h"
#include "notray.h"
#include "mainwindow/mainwindow.h"
#include "support/windowcontrols.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

using namespace lumora;
using namespace lumora::testing;

namespace {
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Counts paints of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};


void waitFor(MainWindow &window)
{
    QEventLoop loop;
    QObject::connect(&window, &MainWindow::searchFinished, &loop, &QEventLoop::quit);
    loop.exec();
}

void setDate(MainWindow &w, int day, int month, int year)
{
    ui(w).dateBoxes[0]->setEditText(QString::number(day));
    ui(w).dateBoxes[1]->setEditText(QString::number(month));
    ui(w).dateBoxes[2]->setEditText(QString::number(year));
}

void survey(MainWindow &w, bool showSteps)
{
    ui(w).nowButton->click();
    ui(w).showSearchCheck->setChecked(showSteps);
    ui(w).surveyCheck->setChecked(true);
    ui(w).surveyStepButtons[3]->setChecked(true); // 1 minute
    setDate(w, 21, 6, 2026);
    ui(w).timeBar->setValue(0);
    PaintCounter counter;
    ui(w).utTimeLabel->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    ui(w).searchButton->click();
    waitFor(w);
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("survey 1 minute from the window, \"Voir la recherche\" %s: %.3f s, %.0f repaints/s of the progress label\n",
                showSteps ? "checked" : "unchecked", seconds, counter.paints / seconds);
    ui(w).surveyCheck->setChecked(false);
    ui(w).searchButton->click(); // back to real time
}
} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer startClock;
    startClock.start();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("lumora.ini")), QSettings::IniFormat);

    MainWindow window(&store, std::make_unique<NoTray>());
    window.show();
    QCoreApplication::processEvents();
    const WindowControls controls(window);
    auto *clock = window.findChild<QTimer *>(QStringLiteral("Timer1"));
    std::printf("start-up (application, window built, shown and painted): %.1f ms\n", startClock.nsecsElapsed() / 1e6);

    // One tick: read the site and the clock, evaluate, repaint the dials.
    clock->stop();
    constexpr int ticks = 300;
    double cpu0 = cpuSeconds();
    for (int i = 0; i < ticks; ++i) {
        tick(window);
        controls.azimuthDial->repaint();
        controls.elevationDial->repaint();
        QCoreApplication::processEvents();
    }
    std::printf("one real-time tick with the dials repainted: %.3f ms of CPU\n", (cpuSeconds() - cpu0) / ticks * 1e3);

    // Idle in real time: the timer ticks once a second.
    clock->start();
    cpu0 = cpuSeconds();
    QElapsedTimer idle;
    idle.start();
    QEventLoop wait;
    QTimer::singleShot(10000, &wait, &QEventLoop::quit);
    wait.exec();
    std::printf("idle in real time over %.0f s: %.3f %% of one core\n", idle.elapsed() / 1e3,
                (cpuSeconds() - cpu0) / (idle.elapsed() / 1e3) * 100);

    survey(window, false);
    survey(window, true);

    // Stop a survey with "Temps réel" and see how long the window takes.
    controls.surveyCheck->setChecked(true);
    controls.surveyStepButtons[3]->setChecked(true);
    controls.searchButton->click();
    QElapsedTimer stopClock;
    QTimer::singleShot(300, &window, [&] {
        stopClock.start();
        controls.searchButton->click();
    });
    waitFor(window);
    std::printf("\"Temps réel\" during a survey: stopped after %.1f ms\n", stopClock.nsecsElapsed() / 1e6);
    controls.surveyCheck->setChecked(false);

    // A search whose entry lies far ahead: high noon Sun near 64° elevation,
    // reached only close to the June solstice, from 1 September.
    controls.nowButton->click();
    controls.showSearchCheck->setChecked(false);
    controls.frameLeftBar->setValue(4752);
    controls.frameRightBar->setValue(5312);
    controls.frameTopBar->setValue(1228);
    controls.frameBottomBar->setValue(1252);
    setDate(window, 1, 9, 2026);
    controls.timeBar->setValue(0);
    QElapsedTimer searchClock;
    searchClock.start();
    controls.searchButton->click();
    waitFor(window);
    std::printf("search for an entry from 1/9/2026 00:00 UT: %.3f s, found %s\n", searchClock.nsecsElapsed() / 1e9,
                qPrintable(controls.utTimeLabel->text()));
    QFile::remove(window.surveyPath());
    return 0;
}
