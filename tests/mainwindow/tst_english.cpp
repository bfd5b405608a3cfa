// The main window on an English desktop: its captions, read-outs, tooltips
// and messages come from the English translation, while what it saves stays
// as it is in French ("Vrai"/"Faux").
#include "common/language.h"
#include "support/testwindow.h"

using namespace lumora;
using namespace lumora::testing;

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUiLanguage(UiLanguage::English)); }
    void cleanupTestCase() { setUiLanguage(UiLanguage::French); }

    void captionsAreEnglish()
    {
        fixClock(utc(2026, 6, 21, 12, 0));
        TestWindow w;
        tick(*w);
        const WindowControls c = ui(*w);
        QCOMPARE(c.searchButton->text(), QStringLiteral("Search"));
        QCOMPARE(c.quitButton->text(), QStringLiteral("Quit"));
        QCOMPARE(c.northButton->text(), QStringLiteral("North"));
        QCOMPARE(c.westButton->text(), QStringLiteral("West"));
        QCOMPARE(c.surveyCheck->text(), QStringLiteral("Sunshine file."));
        QCOMPARE(c.surveyStepButtons[2]->text(), QStringLiteral("1 hour"));
        QCOMPARE(c.hideButton->text(), QStringLiteral("Minimise"));
        QCOMPARE(c.utTimeLabel->text(), QStringLiteral("12:00:00 (UT)"));
        QVERIFY2(c.azimuthReadoutLabel->text().startsWith(QStringLiteral("Azimuth = ")),
                 qPrintable(c.azimuthReadoutLabel->text()));
        QVERIFY2(c.elevationReadoutLabel->text().startsWith(QStringLiteral("Elevation = ")),
                 qPrintable(c.elevationReadoutLabel->text()));
        QCOMPARE(c.nowButton->toolTip(), QStringLiteral("Back to real time, today's date"));
    }

    void searchStateFollowsTheEnglishCaptions()
    {
        // The search button's caption is also the search's state: a search
        // must start and stop by it in English too.
        fixClock(utc(2026, 6, 21, 12, 0));
        TestWindow w;
        tick(*w);
        const WindowControls c = ui(*w);
        c.searchButton->click();
        QCOMPARE(c.searchButton->text(), QStringLiteral("Real time"));
        c.searchButton->click();
        QCOMPARE(c.searchButton->text(), QStringLiteral("Search"));
        QVERIFY(w->realTime());
    }

    void savedValuesStayFrench()
    {
        TestWindow w;
        QVERIFY(w->close());
        QSettings saved(w.iniPath(), QSettings::IniFormat);
        QCOMPARE(saved.value(QStringLiteral("DATA/O1")).toString(), QStringLiteral("Vrai"));
        QCOMPARE(saved.value(QStringLiteral("DATA/O2")).toString(), QStringLiteral("Faux"));
    }
};

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"
