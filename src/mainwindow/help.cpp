// Opening the help document.
#include "mainwindow/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace lumora {

QString helpFilePath()
{
    // Beside the program in a build folder; under share/ once installed.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(QStringLiteral("Quorel_fr.html"));
    const QString installed = programFolder.filePath(QStringLiteral("../share/lumora/Quorel_fr.html"));
    if (!QFileInfo(beside).isFile() && QFileInfo(installed).isFile())
        return QDir::cleanPath(installed);
    return beside;
}

bool openHelp()
{
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace lumora
