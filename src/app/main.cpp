// Lumora: does the Sun shine through my window, and when next?
#include "mainwindow/mainwindow.h"
#include "mainwindow/singleinstance.h"
#include "mainwindow/statesnapshot.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    // Hidden to the notification area, the program keeps running.
    QApplication::setQuitOnLastWindowClosed(false);
    // One copy per user: a second start brings the running window forward
    // and ends there, before it reads or writes any settings.
    lumora::SingleInstance instance;
    if (instance.claim() == lumora::SingleInstance::Role::Secondary)
        return 0;
    // The program speaks French whatever the desktop's language: Qt's own
    // buttons and menus too ("Oui"/"Non", the text boxes' menus).
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    lumora::MainWindow window;
    if (const QScreen *screen = window.screen()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    QObject::connect(&instance, &lumora::SingleInstance::activationRequested, &window,
                     &lumora::MainWindow::bringToFront);
    lumora::startStateSnapshots(window);
    return app.exec();
}
