// Opening the help document.
#include "mainwindow/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace lumora {

QString helpFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Quorel_fr.html");
}

bool openHelp()
{
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace lumora
