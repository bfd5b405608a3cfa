// The settings texts: first-run values, the round trip, and what a damaged
// store reads as.
#include "mainwindow/settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lumora;

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini() const { return dir_.filePath(QStringLiteral("Lumora.ini")); }
    // The panorama's size as laid out, in twips.
    static StoredSettings read(QSettings &store) { return readSettings(store, 10065, 4335); }

private slots:
    void init() { QFile::remove(ini()); }

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

    void unwritableStoreReportsFailure()
    {
        // A file where the store's folder should be: nothing can be created there.
        QVERIFY(QFile(dir_.filePath(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
        QSettings store(dir_.filePath(QStringLiteral("blocker/Lumora.ini")), QSettings::IniFormat);
        QVERIFY(!writeSettings(store, {1, 2, 3, 4}, {"49", "00", "02", "20"}, {true, false, false, true}));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
