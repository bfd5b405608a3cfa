// Lumora: does the Sun shine through my window, and when next?
#include "mainwindow/mainwindow.h"
#include "mainwindow/statesnapshot.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    // Hidden to the notification area, the program keeps running.
    QApplication::setQuitOnLastWindowClosed(false);

    lumora::MainWindow window;
    if (const QScreen *screen = window.screen()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    lumora::startStateSnapshots(window);
    return app.exec();
}
