// The settings texts: first-run values, the round trip, and what a damaged
// store reads as.
#include "mainwindow/settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace lumora;

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini() const { return dir_.filePath(QStringLiteral("Lumora.ini")); }
    // The panorama's size as laid out, in twips.
    static StoredSettings read(QSettings &store) { return readSettings(store, 10065, 4335); }

private slots:
    void init()
    {
        QFile::remove(ini());
        // Each case starts in an empty folder.
        for (const QString &name : QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
            if (QFileInfo(dir_.filePath(name)).isDir())
                QDir(dir_.filePath(name)).removeRecursively();
            else
                QFile::remove(dir_.filePath(name));
    }

    // No store gives the first-run values; a damaged one keeps them for what it cannot give.
    void missingOrDamagedStore()
    {
        QSettings missing(ini(), QSettings::IniFormat);
        QCOMPARE(read(missing).bars, (std::array<std::optional<int>, 4>{1000, 3335, 1000, 9065}));
        QCOMPARE(read(missing).texts, (std::array<QString, 4>{"49", "00", "02", "20"}));
        QCOMPARE(read(missing).selected, (std::array<bool, 4>{false, false, false, false}));
        QFile file(ini());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[DATA]\nVS1=@Variant(\\0)\nO1=@ByteArray(\nT1=\"x\n" + QByteArray("\0\xfe[=\n", 5).repeated(600));
        file.close();
        QSettings damaged(ini(), QSettings::IniFormat);
        QVERIFY(!read(damaged).selected[0] && read(damaged).bars[1] == 3335);
    }

    void southAndWestRoundTrip()
    {
        const std::array<QString, 4> texts{"33", "30", "1,5", "4x"}; // a comma, a non-number: back as typed
        const std::array<bool, 4> selected{false, true, true, false}; // Sud, Ouest
        QSettings writer(ini(), QSettings::IniFormat);
        QVERIFY(writeSettings(writer, {1200, 3100, 2000, 8000}, texts, selected));
        QSettings store(ini(), QSettings::IniFormat);
        QCOMPARE(store.value("DATA/O1").toString(), QStringLiteral("Faux"));
        QCOMPARE(store.value("DATA/O2").toString(), QStringLiteral("Vrai"));
        QCOMPARE(read(store).texts, texts);
        QCOMPARE(read(store).selected, selected);
    }

    // Read back as southButton's choice (1/0) or frameTopBar's value (-1: left at its design value).
    void storedText_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("VRAI selects") << "O2" << "VRAI" << 1;
        QTest::newRow("True does not") << "O2" << "True" << 0;
        QTest::newRow("half to even, down") << "VS1" << "2.5" << 2;
        QTest::newRow("half to even, up") << "VS1" << "3.5" << 4;
        QTest::newRow("not a number") << "VS1" << "abc" << -1;
        QTest::newRow("number then letters") << "VS1" << "12abc" << -1;
        QTest::newRow("largest 16-bit") << "VS1" << "32767" << 32767;
        QTest::newRow("beyond 16 bits") << "VS1" << "70000" << -1;
    }
    void storedText()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QSettings store(ini(), QSettings::IniFormat);
        store.setValue("DATA/" + key, stored);
        QTEST(key == "O2" ? int(read(store).selected[1]) : read(store).bars[0].value_or(-1), "expected");
    }

    // What stands in the way of writing, in the system's words; a failed write reported as one.
    void unwritableStore_data()
    {
        QTest::addColumn<QString>("path"); // under the temporary folder
        QTest::addColumn<int>("error");    // 0: nothing in the way
        // A file where the store's folder should be: nothing can be created there.
        QTest::newRow("a file in place of the folder") << "blocker/Lumora.ini" << ENOTDIR;
        QTest::newRow("a folder in place of the file") << "folder.ini" << EISDIR;
        QTest::newRow("writable") << "Lumora.ini" << 0;
    }
    void unwritableStore()
    {
        QFETCH(QString, path);
        QFETCH(int, error);
        QVERIFY(QFile(dir_.filePath(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("folder.ini")));
        QSettings store(dir_.filePath(path), QSettings::IniFormat);
        QCOMPARE(writeSettings(store, {1, 2, 3, 4}, {"49", "00", "02", "20"}, {true, false, false, true}), error == 0);
        QCOMPARE(settingsWriteProblem(store.fileName()), error ? QString::fromLocal8Bit(std::strerror(error)) : QString());
    }

    // Lines that cannot be read are dropped; the write itself succeeds and says so.
    void unreadableLinesAreNoWriteFailure()
    {
        QFile file(ini());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[DATA]\nnot a setting\n\\=5\nVS1=12\n");
        file.close();
        QSettings store(ini(), QSettings::IniFormat);
        QVERIFY(writeSettings(store, {1200, 3100, 2000, 8000}, {"33", "30", "1", "4"}, {false, true, true, false}));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY2(written.contains("VS1=1200") && written.contains("O3=Vrai"), written.constData());
    }

    // Only a regular file, or none yet, is opened as the settings file.
    void usableSettingsFile()
    {
        const QString regular = dir_.filePath(QStringLiteral("regular.conf"));
        QVERIFY(QFile(regular).open(QIODevice::WriteOnly));
        const QString pipe = dir_.filePath(QStringLiteral("pipe.conf"));
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        const QString link = dir_.filePath(QStringLiteral("link.conf"));
        QVERIFY(QFile::link(regular, link));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("folder.conf")));
        QVERIFY(isUsableSettingsFile(dir_.filePath(QStringLiteral("absent.conf"))));
        QVERIFY(isUsableSettingsFile(regular));
        QVERIFY(isUsableSettingsFile(link));
        QVERIFY(!isUsableSettingsFile(pipe));
        QVERIFY(!isUsableSettingsFile(dir_.filePath(QStringLiteral("folder.conf"))));
    }

    void userSettingsPathFollowsTheConfigurationFolder()
    {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
        const QString path = userSettingsPath();
        qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(path, dir_.filePath(QStringLiteral("Lumora/Lumora.conf")));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
