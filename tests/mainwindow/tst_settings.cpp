// The settings texts: first-run values, the round trip, and what a damaged
// store reads as.
#include "mainwindow/settings.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lumora;

namespace {
constexpr float kPicWidth = 10065;  // twips, the panorama as laid out
constexpr float kPicHeight = 4335;
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString iniPath() const { return dir_.filePath(QStringLiteral("Lumora.ini")); }

private slots:
    void init() { QFile::remove(iniPath()); }

    void firstRunDefaults()
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        const StoredSettings s = readSettings(store, kPicWidth, kPicHeight);
        QCOMPARE(s.bars[0], std::optional<int>(1000));
        QCOMPARE(s.bars[1], std::optional<int>(3335));
        QCOMPARE(s.bars[2], std::optional<int>(1000));
        QCOMPARE(s.bars[3], std::optional<int>(9065));
        QCOMPARE(s.texts, (std::array<QString, 4>{"49", "00", "02", "20"}));
        QCOMPARE(s.selected, (std::array<bool, 4>{false, false, false, false}));
    }

    void southAndWestRoundTrip()
    {
        const std::array<int, 4> bars{1200, 3100, 2000, 8000};
        const std::array<QString, 4> texts{"33", "30", "1,5", "4x"}; // not numbers: kept as typed
        const std::array<bool, 4> selected{false, true, true, false}; // Sud, Ouest
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            QVERIFY(writeSettings(store, bars, texts, selected));
        }
        QSettings store(iniPath(), QSettings::IniFormat);
        QCOMPARE(store.value("DATA/VS1").toString(), QStringLiteral("1200"));
        QCOMPARE(store.value("DATA/O1").toString(), QStringLiteral("Faux"));
        QCOMPARE(store.value("DATA/O2").toString(), QStringLiteral("Vrai"));
        QCOMPARE(store.value("DATA/O3").toString(), QStringLiteral("Vrai"));
        QCOMPARE(store.value("DATA/O4").toString(), QStringLiteral("Faux"));

        const StoredSettings s = readSettings(store, kPicWidth, kPicHeight);
        for (std::size_t i = 0; i < 4; ++i)
            QCOMPARE(s.bars[i], std::optional<int>(bars[i]));
        QCOMPARE(s.texts, texts);
        QCOMPARE(s.selected, selected);
    }

    void optionText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("selects");
        QTest::newRow("Vrai as written") << "Vrai" << true;
        QTest::newRow("VRAI in capitals") << "VRAI" << true;
        QTest::newRow("English True") << "True" << false;
        QTest::newRow("vrai with a blank") << "vrai " << false;
    }
    void optionText()
    {
        QFETCH(QString, stored);
        QFETCH(bool, selects);
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue("DATA/O2", stored);
        QCOMPARE(readSettings(store, kPicWidth, kPicHeight).selected[1], selects);
    }

    void barText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<std::optional<int>>("expected");
        QTest::newRow("decimal integer") << "1500" << std::optional<int>(1500);
        QTest::newRow("blanks around") << " 1500 " << std::optional<int>(1500);
        QTest::newRow("half rounds to even, down") << "2.5" << std::optional<int>(2);
        QTest::newRow("half rounds to even, up") << "3.5" << std::optional<int>(4);
        QTest::newRow("not a number") << "abc" << std::optional<int>();
        QTest::newRow("number then letters") << "12abc" << std::optional<int>();
        QTest::newRow("largest 16-bit") << "32767" << std::optional<int>(32767);
        QTest::newRow("beyond 16 bits") << "70000" << std::optional<int>();
        QTest::newRow("rounds beyond 16 bits") << "32767.5" << std::optional<int>();
    }
    void barText()
    {
        QFETCH(QString, stored);
        QFETCH(std::optional<int>, expected);
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue("DATA/VS1", stored);
        store.setValue("DATA/HS2", stored);
        const StoredSettings s = readSettings(store, kPicWidth, kPicHeight);
        QCOMPARE(s.bars[0], expected);
        QCOMPARE(s.bars[3], expected);
        QCOMPARE(s.bars[1], std::optional<int>(3335)); // the others keep their defaults
    }

    void garbageFileReadsSafely()
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray junk = "[DATA]\nVS1=@Variant(\\0\\x7f\\xff)\nO1=@ByteArray(\nT1=\"unclosed\n[DATA\n=\n";
        QRandomGenerator random(20260621);
        for (int i = 0; i < 4096; ++i)
            junk.append(char(random.bounded(256)));
        file.write(junk);
        file.close();

        QSettings store(iniPath(), QSettings::IniFormat);
        const StoredSettings s = readSettings(store, kPicWidth, kPicHeight);
        QVERIFY(!s.selected[0]);
        QCOMPARE(s.bars[1], std::optional<int>(3335));
    }

    void unwritableStoreReportsFailure()
    {
        // A file where the store's folder should be: nothing can be created there.
        QFile blocker(dir_.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings store(dir_.filePath(QStringLiteral("blocker/Lumora.ini")), QSettings::IniFormat);
        QVERIFY(!writeSettings(store, {1, 2, 3, 4}, {"49", "00", "02", "20"}, {true, false, false, true}));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
