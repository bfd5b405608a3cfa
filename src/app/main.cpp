// Lumora: does the Sun shine through my window, and when next?
#include "common/language.h"
#include "common/version.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/sessionend.h"
#include "mainwindow/singleinstance.h"
#include "mainwindow/statesnapshot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QScreen>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {
const char *const kInfoOptions[] = {"-h", "--help", "--help-all", "-v", "--version", "-?"};

// --help and --version are answered without connecting to the display, so
// they work in a terminal without a desktop.
bool asksForInformation(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : kInfoOptions)
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

const QString kTrayOption = QStringLiteral("tray");

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "Lumora", "Dit si le Soleil se voit par une fenêtre, maintenant ou à un moment choisi, "
                  "et quand il y entre ou en sort."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kTrayOption, QCoreApplication::translate(
        "Lumora", "Démarre dans la zone de notification, la fenêtre cachée (la fenêtre s'affiche "
                  "quand il n'y a pas de zone de notification).")});
}

int answerInformation(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    lumora::setUiLanguage(lumora::desktopLanguage());
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app); // prints and exits for --help and --version
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Lumora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION_STRING));
    if (asksForInformation(argc, argv))
        return answerInformation(argc, argv);
    QApplication app(argc, argv);
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app); // an unknown option is refused here, before any window
    // The desktop matches the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Lumora"));
    // Hidden to the notification area, the program keeps running.
    QApplication::setQuitOnLastWindowClosed(false);
    // French, with Qt's own buttons and menus in French too ("Oui"/"Non"),
    // unless the desktop speaks English.
    lumora::setUiLanguage(lumora::desktopLanguage());
    // One copy per user: a second start brings the running window forward
    // and ends there, before it reads or writes any settings.
    lumora::SingleInstance instance;
    switch (instance.claim()) {
    case lumora::SingleInstance::Role::Primary:
        break;
    case lumora::SingleInstance::Role::Secondary:
        return 0;
    case lumora::SingleInstance::Role::Unanswered:
    case lumora::SingleInstance::Role::Refused:
        QMessageBox::critical(nullptr, QStringLiteral("Lumora"), instance.problem());
        return 1;
    }
    // Past a file-size limit a write fails (and is reported) rather than
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    lumora::MainWindow window;
    if (const QScreen *screen = window.screen()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    if (parser.isSet(kTrayOption))
        lumora::startInNotificationArea(window, *window.tray());
    else
        window.show();
    QObject::connect(&instance, &lumora::SingleInstance::activationRequested, &window,
                     &lumora::MainWindow::bringToFront);
    lumora::startStateSnapshots(window);
    // A logout, a closed terminal, Ctrl+C: ended as "Quitter" ends it.
    lumora::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &lumora::SessionEnd::requested, &window, &lumora::MainWindow::endSession);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &lumora::MainWindow::endSession);
    return app.exec();
}
