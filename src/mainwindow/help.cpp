// Opening the help document.
#include "mainwindow/help.h"

#include "common/language.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace lumora {

QString helpFilePath()
{
    // The page in the interface language (French when there is no other);
    // beside the program in a build folder, under share/ once installed.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString french = QStringLiteral("Quorel_fr.html");
    const QString inLanguage = QStringLiteral("Quorel_%1.html").arg(languageCode(uiLanguage()));
    for (const QString &name : {inLanguage, french}) {
        const QString beside = programFolder.filePath(name);
        if (QFileInfo(beside).isFile())
            return beside;
        const QString installed = programFolder.filePath(QStringLiteral("../share/lumora/") + name);
        if (QFileInfo(installed).isFile())
            return QDir::cleanPath(installed);
    }
    return programFolder.filePath(french);
}

void openHelp(QObject *context, std::function<void()> failed)
{
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile()) {
        failed();
        return;
    }
    const QUrl address = QUrl::fromLocalFile(path);
    // Qt hands the address to xdg-open and forgets it, so a desktop with no
    // program for web pages would fail unseen: run the opener ourselves and
    // watch how it ends. (Ended with the program, it leaves what it started.)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(address))
            failed();
        return;
    }
    auto *process = new QProcess(context);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, context,
                     [process, failed](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, context, [process, failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed();
            process->deleteLater();
        }
    });
    process->start(opener, {address.toString(QUrl::FullyEncoded)});
}

} // namespace lumora
