// The interface language: chosen from the desktop's environment, and the
// English translation really replacing the French texts (French stays the
// source, and every other language keeps it).
#include "analysis/dayintervals.h"
#include "common/language.h"
#include "tray/trayicon.h"

#include <QtTest>

using namespace lumora;

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void chosenFromEnvironment_data()
    {
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<bool>("english");
        QTest::newRow("nothing set") << QStringList{} << false;
        QTest::newRow("LANG=en_GB.UTF-8") << QStringList{"LANG=en_GB.UTF-8"} << true;
        QTest::newRow("LANG=fr_FR.UTF-8") << QStringList{"LANG=fr_FR.UTF-8"} << false;
        QTest::newRow("LANG=de_DE: French, not German") << QStringList{"LANG=de_DE.UTF-8"} << false;
        QTest::newRow("C locale") << QStringList{"LC_ALL=C.UTF-8"} << false;
        QTest::newRow("LC_MESSAGES over LANG") << QStringList{"LANG=fr_FR.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << true;
        QTest::newRow("LC_ALL over LC_MESSAGES") << QStringList{"LC_ALL=fr_FR.UTF-8", "LC_MESSAGES=en_US.UTF-8"}
                                                 << false;
        QTest::newRow("LANGUAGE first entry wins") << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=en_GB:fr"} << true;
        QTest::newRow("LANGUAGE French first") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=fr:en"} << false;
        QTest::newRow("empty LANGUAGE ignored") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE="} << true;
    }
    void chosenFromEnvironment()
    {
        QFETCH(QStringList, variables);
        QFETCH(bool, english);
        QProcessEnvironment environment;
        for (const QString &variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QCOMPARE(desktopLanguage(environment) == UiLanguage::English, english);
    }

    void englishReplacesTheFrenchTexts()
    {
        QVERIFY(setUiLanguage(UiLanguage::English));
        QCOMPARE(sunInWindowTip(), QStringLiteral("The Sun is in the window"));
        QCOMPARE(sunIntervalsText(QDate(2026, 6, 21), std::vector<LocalSunInterval>{}), QStringLiteral("No Sun in the window this day"));
        setUiLanguage(UiLanguage::French);
        QCOMPARE(uiLanguage(), UiLanguage::French);
        QCOMPARE(sunInWindowTip(), QStringLiteral("Le Soleil est dans la fenêtre"));
        QCOMPARE(sunIntervalsText(QDate(2026, 6, 21), std::vector<LocalSunInterval>{}), QStringLiteral("Pas de Soleil dans la fenêtre ce jour"));
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
