// The XDG autostart entry: where it lives, what it says, writing and removing it.
#include "session/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lumora {

namespace {
const QLatin1String kEntryName("lumora.desktop");
// Characters that make an Exec argument need quotes.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
} // namespace

QString autostartFolder(const QProcessEnvironment &environment)
{
    const QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (!configHome.isEmpty() && QDir::isAbsolutePath(configHome))
        return QDir::cleanPath(configHome + QStringLiteral("/autostart"));
    const QString home = environment.value(QStringLiteral("HOME"));
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        return {};
    return QDir::cleanPath(home + QStringLiteral("/.config/autostart"));
}

QString autostartFilePath(const QProcessEnvironment &environment)
{
    const QString folder = autostartFolder(environment);
    return folder.isEmpty() ? QString() : folder + u'/' + kEntryName;
}

QString desktopExecArgument(const QString &argument)
{
    QString text = argument;
    text.replace(u'%', QStringLiteral("%%"));
    const bool quote = argument.isEmpty() || std::any_of(argument.begin(), argument.end(), [](QChar c) { return kReserved.contains(c); });
    if (!quote)
        return text;
    QString quoted;
    for (const QChar c : std::as_const(text)) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return u'"' + quoted + u'"';
}

QString desktopStringValue(const QString &value)
{
    QString text;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': text += QStringLiteral("\\\\"); break;
        case '\n': text += QStringLiteral("\\n"); break;
        case '\t': text += QStringLiteral("\\t"); break;
        case '\r': text += QStringLiteral("\\r"); break;
        default: text += c;
        }
    }
    if (text.startsWith(u' '))
        text.replace(0, 1, QStringLiteral("\\s"));
    return text;
}

QByteArray autostartEntry(const QString &programPath)
{
    const QString exec = desktopStringValue(desktopExecArgument(programPath) + QStringLiteral(" --tray"));
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Lumora\n"
                                        "Comment=Starts Lumora in the notification area\n"
                                        "Comment[fr]=Démarre Lumora dans la zone de notification\n"
                                        "Exec=%1\n"
                                        "Icon=org.lumora.Lumora\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(exec);
    return text.toUtf8();
}

QString autostartPathProblem(const QString &programPath)
{
    if (programPath.isEmpty() || !QDir::isAbsolutePath(programPath))
        return QCoreApplication::translate("Autostart", "Le chemin de Lumora n'est pas connu.");
    // U+FFFD stands where the folder's name was not valid UTF-8: the decoded
    // path names no file, and no launcher could find the program by it.
    const auto unwritable = [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
    };
    if (std::any_of(programPath.begin(), programPath.end(), unwritable))
        return QCoreApplication::translate("Autostart",
                                           "Le chemin de Lumora contient un nom qui n'est pas en UTF-8 valide ou un "
                                           "caractère de contrôle : une entrée de démarrage ne peut pas le désigner.");
    return {};
}

bool autostartEnabled(const QProcessEnvironment &environment)
{
    const QString path = autostartFilePath(environment);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool setAutostartEnabled(bool enabled, const QString &programPath, QString *error, const QProcessEnvironment &environment)
{
    const QString path = autostartFilePath(environment);
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QCoreApplication::translate("Autostart", "Aucun dossier personnel n'est connu (HOME)."));
    if (!enabled) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        return fail(file.errorString());
    }
    if (const QString problem = autostartPathProblem(programPath); !problem.isEmpty())
        return fail(problem);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QCoreApplication::translate("Autostart", "Le dossier %1 n'a pas pu être créé.").arg(folder));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(autostartEntry(programPath)) < 0 || !file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace lumora
