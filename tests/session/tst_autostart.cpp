// The autostart entry: where it goes (XDG_CONFIG_HOME or ~/.config); the
// file for program paths with the characters the Exec key reserves, written
// as the desktop entry format's quoting and string escapes want them (and
// accepted by desktop-file-validate), written over itself and removed; paths
// no entry can name (unknown, a control character, a name that was not valid
// UTF-8) or no folder refused with a reason, nothing written (a folder that
// cannot be made: tests/alerts, from the menu).
#include "session/autostart.h"
#include "support/rows.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace lumora;

namespace {
QProcessEnvironment environment(const QString &home, const QString &configHome)
{
    QProcessEnvironment env;
    if (!home.isNull())
        env.insert(QStringLiteral("HOME"), home);
    if (!configHome.isNull())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return env;
}
} // namespace

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void folder_data()
    {
        addColumns<QString, QString, QString>("home", "configHome", "expected");
        QTest::newRow("home only") << "/home/ana" << QString() << "/home/ana/.config/autostart";
        QTest::newRow("XDG_CONFIG_HOME") << "/home/ana" << "/srv/cfg/" << "/srv/cfg/autostart";
        QTest::newRow("XDG_CONFIG_HOME empty") << "/home/ana" << "" << "/home/ana/.config/autostart";
        QTest::newRow("XDG_CONFIG_HOME relative, ignored") << "/home/ana" << "cfg" << "/home/ana/.config/autostart";
        QTest::newRow("no home, no XDG_CONFIG_HOME") << QString() << QString() << "";
        QTest::newRow("relative home") << "ana" << QString() << "";
    }
    void folder()
    {
        const auto [home, configHome, expected] = fetchColumns<QString, QString, QString>("home", "configHome",
            "expected");
        QCOMPARE(autostartFolder(environment(home, configHome)), expected);
        QCOMPARE(autostartFilePath(environment(home, configHome)),
                 expected.isEmpty() ? QString() : expected + QStringLiteral("/lumora.desktop"));
        QString error;
        if (expected.isEmpty()) // nowhere to write it: refused with a reason
            QVERIFY(!setAutostartEnabled(true, QStringLiteral("/usr/bin/Lumora"), &error, environment(home, configHome))
                    && error == u"Aucun dossier personnel n'est connu (HOME).");
    }

    void entry_data()
    {
        QTest::addColumn<QString>("program");
        // The Exec value in the file, where a quoted argument holds \\" for a quote, \\$ for a
        // dollar, \\\\ for a backslash; empty: refused.
        QTest::addColumn<QString>("exec");
        QTest::newRow("installed") << "/usr/bin/Lumora" << "/usr/bin/Lumora --tray";
        QTest::newRow("space") << "/home/ana/Mes programmes/Lumora" << "\"/home/ana/Mes programmes/Lumora\" --tray";
        QTest::newRow("double quote and dollar") << "/opt/\"sun\"/$HOME/Lumora" << "\"/opt/\\\\\"sun\\\\\"/\\\\$HOME/Lumora\" --tray";
        QTest::newRow("backslash and backtick") << "/opt/a\\b`c/Lumora" << "\"/opt/a\\\\\\\\b\\\\`c/Lumora\" --tray";
        QTest::newRow("percent") << "/opt/100%/Lumora %f" << "\"/opt/100%%/Lumora %%f\" --tray";
        QTest::newRow("accents") << "/home/josé/été/Lumora" << "/home/josé/été/Lumora --tray";
        QTest::newRow("single quote, ampersand, semicolon") << "/opt/l'été & co;/Lumora" << "\"/opt/l'été & co;/Lumora\" --tray";
        QTest::newRow("unknown") << "" << "";
        QTest::newRow("relative") << "bin/Lumora" << "";
        QTest::newRow("newline") << "/opt/a\nb/Lumora" << "";
        QTest::newRow("tab") << "/opt/a\tb/Lumora" << "";
        QTest::newRow("control character") << "/opt/a\x01" "b/Lumora" << "";
        QTest::newRow("name not valid UTF-8") << QString::fromUtf8("/opt/\xe9t\xe9/Lumora") << "";
    }
    void entry()
    {
        const auto [program, exec] = fetchColumns<QString, QString>("program", "exec");
        QTemporaryDir dir;
        const QProcessEnvironment env = environment(dir.path(), dir.filePath(QStringLiteral("config")));
        QString error;
        QCOMPARE(setAutostartEnabled(true, program, &error, env), !exec.isEmpty());
        QCOMPARE(autostartEnabled(env), !exec.isEmpty());
        if (exec.isEmpty()) {
            QVERIFY2(error.startsWith(QStringLiteral("Le chemin de Lumora")), qPrintable(error));
            return;
        }
        QFile file(dir.filePath(QStringLiteral("config/autostart/lumora.desktop")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 "[Desktop Entry]\nType=Application\nName=Lumora\nComment=Starts Lumora in the notification area\n"
                 "Comment[fr]=Démarre Lumora dans la zone de notification\nExec=" + exec + "\nIcon=org.lumora.Lumora\n"
                 "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
        if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
            QProcess validator;
            validator.start(QStringLiteral("desktop-file-validate"), {file.fileName()});
            QVERIFY(validator.waitForFinished(20000));
            const QString complaints = QString::fromUtf8(validator.readAll());
            QVERIFY2(validator.exitCode() == 0 && !complaints.contains(QStringLiteral("error")), qPrintable(complaints));
        }
        // Written again over itself, then removed; removing it twice is no fault.
        QVERIFY(setAutostartEnabled(true, program, &error, env));
        QVERIFY(setAutostartEnabled(false, {}, &error, env) && !file.exists() && !autostartEnabled(env));
        QVERIFY(setAutostartEnabled(false, {}, &error, env));
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
