// The autostart entry: where it goes (XDG_CONFIG_HOME or ~/.config), an Exec
// line that gives back the program's path for paths with spaces, quotes,
// dollars, backslashes and percent signs, written and removed, a folder that
// cannot be made, and desktop-file-validate's verdict on each written file.
#include "session/autostart.h"

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

// The Exec line's arguments as a launcher reads them: first the string
// escapes of the file, then the quoting of the Exec key, then "%%".
QStringList execArguments(const QByteArray &entry)
{
    QString exec;
    for (const QString &line : QString::fromUtf8(entry).split(u'\n'))
        if (line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5);
    QString unescaped;
    for (int i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) {
            const QChar next = exec[++i];
            unescaped += next == u's' ? QChar(u' ') : next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t')
                       : next == u'r' ? QChar(u'\r') : next;
        } else {
            unescaped += exec[i];
        }
    }
    QStringList arguments;
    QString current;
    bool inQuotes = false, any = false;
    for (int i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (inQuotes && c == u'\\' && i + 1 < unescaped.size()) {
            current += unescaped[++i];
        } else if (c == u'"') {
            inQuotes = !inQuotes;
            any = true;
        } else if (c == u' ' && !inQuotes) {
            if (any || !current.isEmpty())
                arguments << current.replace(QStringLiteral("%%"), QStringLiteral("%"));
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        arguments << current.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return arguments;
}

// desktop-file-validate's complaints about a file; empty when it accepts it.
QString validatorComplaints(const QString &path)
{
    QProcess validator;
    validator.start(QStringLiteral("desktop-file-validate"), {path});
    validator.waitForFinished(20000);
    const QString output = QString::fromUtf8(validator.readAll());
    return validator.exitCode() == 0 && !output.contains(QStringLiteral("error")) ? QString() : output;
}
} // namespace

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void folder_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("home only") << "/home/ana" << QString() << "/home/ana/.config/autostart";
        QTest::newRow("XDG_CONFIG_HOME") << "/home/ana" << "/srv/cfg/" << "/srv/cfg/autostart";
        QTest::newRow("XDG_CONFIG_HOME empty") << "/home/ana" << "" << "/home/ana/.config/autostart";
        QTest::newRow("XDG_CONFIG_HOME relative, ignored") << "/home/ana" << "cfg" << "/home/ana/.config/autostart";
        QTest::newRow("no home, no XDG_CONFIG_HOME") << QString() << QString() << "";
        QTest::newRow("relative home") << "ana" << QString() << "";
    }
    void folder()
    {
        QFETCH(QString, home);
        QFETCH(QString, configHome);
        QFETCH(QString, expected);
        QCOMPARE(autostartFolder(environment(home, configHome)), expected);
        QCOMPARE(autostartFilePath(environment(home, configHome)),
                 expected.isEmpty() ? QString() : expected + QStringLiteral("/lumora.desktop"));
    }

    void execLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("installed") << "/usr/bin/Lumora";
        QTest::newRow("space") << "/home/ana/Mes programmes/Lumora";
        QTest::newRow("double quote and dollar") << "/opt/\"sun\"/$HOME/Lumora";
        QTest::newRow("backslash and backtick") << "/opt/a\\b`c/Lumora";
        QTest::newRow("percent") << "/opt/100%/Lumora %f";
        QTest::newRow("accents") << "/home/josé/été/Lumora";
        QTest::newRow("single quote, ampersand, semicolon") << "/opt/l'été & co;/Lumora";
    }
    void execLine()
    {
        QFETCH(QString, program);
        const QByteArray entry = autostartEntry(program);
        QCOMPARE(execArguments(entry), (QStringList{program, QStringLiteral("--tray")}));

        if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("lumora.desktop")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry);
        file.close();
        const QString complaints = validatorComplaints(file.fileName());
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints + QString::fromUtf8(entry)));
    }

    void writeAndRemove()
    {
        QTemporaryDir dir;
        const QProcessEnvironment env = environment(dir.filePath(QStringLiteral("home")), dir.filePath(QStringLiteral("config")));
        const QString path = dir.filePath(QStringLiteral("config/autostart/lumora.desktop"));
        QVERIFY(!autostartEnabled(env));
        QString error;
        QVERIFY2(setAutostartEnabled(true, QStringLiteral("/usr/bin/Lumora"), &error, env), qPrintable(error));
        QVERIFY(autostartEnabled(env));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), autostartEntry(QStringLiteral("/usr/bin/Lumora")));
        file.close();
        // Written again over itself, then removed; removing it twice is no fault.
        QVERIFY(setAutostartEnabled(true, QStringLiteral("/usr/bin/Lumora"), &error, env));
        QVERIFY(setAutostartEnabled(false, {}, &error, env));
        QVERIFY(!QFile::exists(path) && !autostartEnabled(env));
        QVERIFY(setAutostartEnabled(false, {}, &error, env));
    }

    void folderCannotBeMade()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("config")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        const QProcessEnvironment env = environment(dir.path(), dir.filePath(QStringLiteral("config")));
        QString error;
        QVERIFY(!setAutostartEnabled(true, QStringLiteral("/usr/bin/Lumora"), &error, env));
        QVERIFY(!error.isEmpty());
        QVERIFY(!autostartEnabled(env));
        QVERIFY(!setAutostartEnabled(true, QStringLiteral("/usr/bin/Lumora"), &error, QProcessEnvironment()));
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
