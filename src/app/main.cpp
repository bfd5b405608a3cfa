// Lumora: does the Sun shine through my window, and when next?
#include "mainwindow/mainwindow.h"
#include "mainwindow/singleinstance.h"
#include "mainwindow/statesnapshot.h"

#include "common/version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <optional>

namespace {
// --help and --version are answered before the application connects to the
// display, so they work in a terminal without a desktop. Returns the exit
// status when the program should end there.
std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Dit si le Soleil se voit par une fenêtre, maintenant ou à un moment choisi, "
                       "et quand il y entre ou en sort."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Options of the platform (-platform, -display…) pass through to Qt.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object the parser cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("Lumora"));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("Lumora %s\n", LUMORA_VERSION_STRING);
        return 0;
    }
    return std::nullopt;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION_STRING));
    if (const auto status = answerCommandLine(argc, argv))
        return *status;
    QApplication app(argc, argv);
    // The desktop matches the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Lumora"));
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
