// The settings: the texts of the group DATA as stored and read back, every
// choice of the window, its menus and dialogs kept for the next start, what is
// refused at start-up (not a file, unreadable, crafted), what is said when they
// cannot be saved, and the end of the session saving them like "Quitter".
#include "common/fileerrors.h"
#include "mainwindow/sessionend.h"
#include "mainwindow/settings.h"
#include "support/rows.h"
#include "support/scenario.h"

#include <cerrno>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/stat.h>

using namespace lumora;
using namespace lumora::testing;

namespace {
QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes `path` (when given) a file this process cannot read (as root: by
// looking at files as another user until the guard goes).
auto unreadable(const QString &path)
{
    QFile::setPermissions(path, {});
    const bool root = !path.isEmpty() && ::getuid() == 0;
    if (root)
        setfsuid(65534);
    return qScopeGuard([root] {
        if (root)
            setfsuid(0);
    });
}

// A list holding a list… `depth` deep, as the settings store writes it.
QByteArray nestedListsFile(int depth)
{
    QTemporaryDir dir;
    QVariant value = QVariantList{};
    for (int i = 1; i < depth; ++i)
        value = QVariantList{value};
    QSettings(dir.filePath(QStringLiteral("n.ini")), QSettings::IniFormat).setValue(QStringLiteral("Alertes/x"), value);
    return fileText(dir.filePath(QStringLiteral("n.ini")));
}

const QString kNotAFile = QStringLiteral("ce n'est pas un fichier ordinaire");
const QString kTooDeep = QStringLiteral("des valeurs y sont imbriquées trop profondément");
const QString kTooLarge = QStringLiteral("le fichier est trop gros");
} // namespace

class TestWindowSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setZone("Europe/Paris");
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        fixClock(utc(2026, 6, 21, 12, 0));
    }

    // The settings file at start-up: read, or kept out of the store (the first-run
    // values, the user told at once which file and why, nothing written over it).
    void startUp_data()
    {
        // content: after "[DATA] HS1=2000"; or <pipe>, <folder>, <link>, <unreadable>
        // reason: "": read
        addColumns<QByteArray, QString>("content", "reason");
        QTest::newRow("absent") << QByteArray("<absent>") << "";
        QTest::newRow("ours, with lists") << QByteArray("T1=4,5\n[Annee]\nDossier=/a,b\n") << "";
        QTest::newRow("link to ours") << QByteArray("<link>") << "";
        QTest::newRow("named pipe") << QByteArray("<pipe>") << kNotAFile;
        QTest::newRow("folder") << QByteArray("<folder>") << kNotAFile;
        QTest::newRow("another user's") << QByteArray("<unreadable>") << qt_error_string(EACCES);
        QTest::newRow("over 1 MiB") << "T1=" + QByteArray(1 << 20, 'x') << kTooLarge;
        QTest::newRow("1000 lists deep") << nestedListsFile(1000) << "";
        QTest::newRow("1001 lists deep") << nestedListsFile(1001) << kTooDeep;
        QTest::newRow("deep, hexadecimal escapes")
            << "x=@Variant(" + QByteArray("\\x0\\0\\000\\x9\\0\\0\\0\\x1").repeated(1500) + ")\n" << kTooDeep;
    }
    void startUp()
    {
        const auto [content, reason] = fetchColumns<QByteArray, QString>("content", "reason");
        QTemporaryDir config;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", saved); });
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Lumora")));
        QFile::setPermissions(config.path(), QFileDevice::Permissions(0x7555));
        const QString path = config.filePath(QStringLiteral("Lumora/Lumora.conf")), target = config.filePath("t");
        QCOMPARE(userSettingsPath(), path);
        const QByteArray text = "[DATA]\nHS1=2000\n" + content;
        QFile file(content == "<link>" ? target : path);
        if (content == "<pipe>")
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (content == "<folder>")
            QVERIFY(QDir().mkdir(path));
        else if (content != "<absent>")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        QVERIFY(content != "<link>" || QFile::link(target, path));
        const auto guard = unreadable(content == "<unreadable>" ? path : QString());
        MainWindow w(nullptr, std::make_unique<FakeTray>());
        w.show();
        QCOMPARE(ui(w).frameLeftBar->value(), reason.isEmpty() && content != "<absent>" ? 2000 : 1000);
        const auto message = [&] { return w.findChild<QMessageBox *>(QStringLiteral("SettingsMessage")); };
        if (reason.isEmpty()) {
            QTest::qWait(20);
            QVERIFY(!message());
            return;
        }
        QTRY_VERIFY(message());
        QVERIFY(message()->text().startsWith(u"Le fichier de réglages ne peut pas être lu : Lumora démarre avec les réglages"));
        QCOMPARE(message()->informativeText(), QStringLiteral("Impossible de lire %1 : %2").arg(path, reason));
        QTest::mouseClick(ui(w).quitButton, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(QFileInfo(path).isFile() ? fileText(path) == text || content == "<unreadable>" : QFileInfo::exists(path));
    }

    void scenario_data()
    {
        QTest::addColumn<QString>("steps");
        const auto row = [](const char *name, const QString &steps) { QTest::newRow(name) << steps; };
        // Every key written on closing (Nord O1, Sud O2, Ouest O3, Est O4), and read back by the next start.
        row("first run, Quitter", "click Command2; @ini=[DATA] HS1=1000 HS2=9065 O1=Vrai O2=Faux O3=Faux O4=Vrai T1=49 "
            "T2=00 T3=02 T4=20 VS1=1000 VS2=3335; restart; Option1.checked=true; Option4.checked=true; Text2=00");
        row("changed, close box", "frame 2000 8000 500 3000; set Text1 33; set Text2 15; set Text3 71; set Text4 4x; "
            "click Option2; click Option3; close; @ini=[DATA] HS1=2000 HS2=8000 O1=Faux O2=Vrai O3=Vrai O4=Faux T1=33 "
            "T2=15 T3=71 T4=4x VS1=500 VS2=3000; restart; HS1=2000; HS2=8000; VS1=500; VS2=3000; Text1=33; Text2=15; "
            "Text3=71; Text4=4x; Option1.checked=false; Option2.checked=true; Option3.checked=true; Option4.checked=false");
        // Options: "vrai" in any letter case selects; bars: a number, halves to even.
        row("VRAI selects", "stored O2=VRAI; Option2.checked=true; Option1.checked=false");
        row("True does not", "stored O2=True; Option2.checked=false");
        row("half to even", "stored VS1=2.5; stored VS2=3.5; VS1=2; VS2=4");
        row("number then letters", "stored VS1=12abc; VS1=1000");
        // A bar value the bar can take is restored, even at its end; any other gives that bar
        // its first-run value (left 1000, right 9065, top 1000, bottom 3335), never a frame
        // turned inside out.
        const auto bars = [](const char *stored, const char *values) {
            const QStringList v = QString::fromLatin1(values).split(u' ');
            return QStringLiteral("stored %1; HS1=%2; HS2=%3; VS1=%4; VS2=%5; @captions~^[^X]*$")
                .arg(QLatin1String(stored), v[0], v[1], v[2], v[3]);
        };
        row("right edge beyond 16 bits", bars("HS2=99999999", "1000 9065 1000 3335"));
        row("right edge not a number", bars("HS2=abc", "1000 9065 1000 3335"));
        row("left edge past the picture", bars("HS1=20000", "1000 9065 1000 3335"));
        row("lower edge negative", bars("VS2=-5", "1000 9065 1000 3335"));
        row("right edge at the picture's end", bars("HS2=10065", "1000 10065 1000 3335"));
        row("lower edge at the horizon", bars("VS2=4335", "1000 9065 1000 4335"));
        row("upper edge at the zenith", bars("VS1=0", "1000 9065 0 3335"));
    }
    void scenario()
    {
        QFETCH(QString, steps);
        const QString failure = runScenario(steps);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    // A choice in a menu is written at once and is there at the next start (the
    // course's layers: tests/suncourse; the year window's folder: tests/yearview).
    void choicesKept_data()
    {
        // choice: a menu entry's object name
        addColumns<QString, QString, QString>("choice", "key", "stored");
        QTest::newRow("alerts") << "AlertsAction" << "Alertes/Actives" << "Vrai";
        QTest::newRow("lead 30 min") << "LeadAction30" << "Alertes/Avance" << "30";
        QTest::newRow("lead none") << "LeadAction0" << "Alertes/Avance" << "0";
    }
    void choicesKept()
    {
        const auto [choice, key, stored] = fetchColumns<QString, QString, QString>("choice", "key", "stored");
        TestWindow w({{QStringLiteral("Alertes/Avance"), QStringLiteral("15")}});
        w->findChild<QAction *>(choice)->trigger();
        QCOMPARE(QSettings(w.iniPath(), QSettings::IniFormat).value(key).toString(), stored);
        QVERIFY(w.nextStart().findChild<QAction *>(choice)->isChecked());
    }

    // Settings that cannot be kept at "Quitter": the user is told which file and
    // why (in the system's words, or plain ones for a file-size limit), and the
    // program ends once the message is read. Unreadable lines are no failure.
    void quit_data()
    {
        // path: beside a file "blocker" and a folder "folder.ini"
        // reason: "": saved
        addColumns<QString, int, QString>("path", "sizeLimit", "reason");
        QTest::newRow("a file in place of the folder") << "blocker/Lumora.ini" << 0 << qt_error_string(ENOTDIR);
        QTest::newRow("a folder in place of the file") << "folder.ini" << 0 << qt_error_string(EISDIR);
        QTest::newRow("file-size limit") << "Lumora.ini" << 40 << kTooLarge;
        QTest::newRow("unreadable lines") << "junk.ini" << 0 << "";
    }
    void quit()
    {
        const auto [path, sizeLimit, reason] = fetchColumns<QString, int, QString>("path", "sizeLimit", "reason");
        QTemporaryDir dir;
        QFile junk(dir.filePath(QStringLiteral("junk.ini")));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("[DATA]\nnot a setting\n\\=5\nVS1=12\n"));
        junk.close();
        QVERIFY(QFile(dir.filePath(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder.ini")));
        QSettings store(dir.filePath(path), QSettings::IniFormat);
        MainWindow w(&store, std::make_unique<FakeTray>());
        w.show();
        {
            std::optional<FileSizeLimit> limit;
            if (sizeLimit)
                limit.emplace(sizeLimit);
            QTest::mouseClick(ui(w).quitButton, Qt::LeftButton);
        }
        QVERIFY(!w.isVisible());
        QPointer<QMessageBox> box = w.findChild<QMessageBox *>(QStringLiteral("SettingsMessage"));
        if (reason.isEmpty()) {
            QVERIFY(!box && fileText(store.fileName()).contains("VS1=12\nVS2=3335"));
            QCOMPARE(fileErrorReason(ENOSPC), QStringLiteral("le disque est plein"));
            return;
        }
        QVERIFY(box && box->isVisible());
        QVERIFY(box->text().startsWith(u"Les réglages n'ont pas pu être enregistrés"));
        QCOMPARE(box->informativeText(), QStringLiteral("Impossible d'écrire %1 : %2").arg(store.fileName(), reason));
        box->close();
        QTRY_VERIFY(box.isNull());
    }

    // A logout, a closed terminal or Ctrl+C ends the program as "Quitter"
    // does: the changes are saved, once.
    void sessionEndSaves_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void sessionEndSaves()
    {
        QFETCH(int, signal);
        TestWindow w;
        SessionEnd sessionEnd;
        connect(&sessionEnd, &SessionEnd::requested, &*w, &MainWindow::endSession);
        ui(*w).latitudeDegreesEdit->setText(QStringLiteral("33"));
        ::raise(signal);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(fileText(w.iniPath()).contains("T1=33"));
        ui(*w).latitudeDegreesEdit->setText(QStringLiteral("34"));
        QVERIFY(w->close());
        QVERIFY(fileText(w.iniPath()).contains("T1=33"));
    }
};

QTEST_MAIN(TestWindowSettings)
#include "tst_windowsettings.moc"
