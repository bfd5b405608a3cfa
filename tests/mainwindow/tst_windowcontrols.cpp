// The controls as a user works them: keys typed into the date boxes, the
// survey step and hemisphere choices.
#include "support/testwindow.h"

using namespace lumora;
using namespace lumora::testing;

namespace {
bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The step buttons, Nord, Sud, Ouest, Est: which are selected.
QString choices(MainWindow &w)
{
    const WindowControls c = ui(w);
    QString text;
    for (QRadioButton *b : {c.surveyStepButtons[0], c.surveyStepButtons[1], c.surveyStepButtons[2],
                            c.surveyStepButtons[3], c.northButton, c.southButton, c.westButton, c.eastButton})
        text += b->isChecked() ? u'x' : u'.';
    return text.insert(4, u' ');
}
} // namespace

class TestWindowControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        tzset();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }
    void init()
    {
        fixClock(utc(2026, 6, 21, 12, 0));
        QFile::remove(exportPath());
    }
    void cleanup() { QFile::remove(exportPath()); }

    // Keys that leave the text as it is still reach the check, which in real
    // time reads the site and the clock.
    void keysInADateBox_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("key");
        QTest::newRow("Home in the day box") << 0 << int(Qt::Key_Home);
        QTest::newRow("End in the month box") << 1 << int(Qt::Key_End);
        QTest::newRow("Left in the year box") << 2 << int(Qt::Key_Left);
        QTest::newRow("Right in the day box") << 0 << int(Qt::Key_Right);
        QTest::newRow("Up at the first day of the list") << 0 << int(Qt::Key_Up);
    }
    void keysInADateBox()
    {
        QFETCH(int, box);
        QFETCH(int, key);
        TestWindow w;
        const WindowControls c = ui(*w);
        c.dateBoxes[0]->setEditText(QStringLiteral("1"));
        tick(*w);
        fixClock(utc(2026, 6, 1, 13, 30));
        c.latitudeDegreesEdit->setText(QStringLiteral("33")); // taken at the next reading of the site
        QTest::keyClick(c.dateBoxes[box], Qt::Key(key));
        QCOMPARE(dateBoxesText(*w), QStringLiteral("1/6/2026"));
        QCOMPARE(w->engine().site.latitude, 33.0);
        QCOMPARE(c.utTimeLabel->text(), QStringLiteral("13:30:00 (TU)"));
    }

    // While a survey runs the text changes are not checked; a key is, on the
    // texts as they stand before it.
    void keyChecksTheDateDuringASurvey()
    {
        fixClock(utc(2026, 6, 21, 0, 30));
        TestWindow w;
        const WindowControls c = ui(*w);
        tick(*w);
        click(c.surveyCheck);
        click(c.surveyStepButtons[0]);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(c.searchButton, Qt::LeftButton);
        QCOMPARE(w->stateText(), QStringLiteral("load"));
        c.dateBoxes[1]->setEditText(QStringLiteral("4"));
        c.dateBoxes[0]->setEditText(QStringLiteral("31"));
        QCOMPARE(dateBoxesText(*w), QStringLiteral("31/4/2026"));
        QTest::keyClick(c.dateBoxes[0], Qt::Key_End);
        QCOMPARE(dateBoxesText(*w), QStringLiteral("1/4/2026"));
        QVERIFY(w->searchRunning());
        QTest::mouseClick(c.searchButton, Qt::LeftButton); // "Temps réel"
        QVERIFY(finished.count() || finished.wait(5000));
    }

    // One step at most; a click on the selected step keeps it; the arrow keys
    // stay among the four steps and never touch the hemispheres.
    void surveyStepsAreOneChoice()
    {
        TestWindow w;
        const WindowControls c = ui(*w);
        QCOMPARE(choices(*w), QStringLiteral(".... x..x"));
        click(c.surveyStepButtons[2]);
        QCOMPARE(choices(*w), QStringLiteral("..x. x..x"));
        click(c.surveyStepButtons[2]);
        QCOMPARE(choices(*w), QStringLiteral("..x. x..x"));
        click(c.surveyStepButtons[3]);
        QCOMPARE(choices(*w), QStringLiteral("...x x..x"));

        QVERIFY(activate(&*w));
        c.surveyStepButtons[3]->setFocus();
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down,
                            Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            const QString now = choices(*w);
            QVERIFY2(now.count(u'x') == 3 && now.endsWith(u"x..x"), qPrintable(now));
        }
        tick(*w);
        QVERIFY(w->engine().site.longitude < 0); // still east
    }

    void hemispheresAreTwoChoices()
    {
        TestWindow w;
        const WindowControls c = ui(*w);
        click(c.northButton);
        QCOMPARE(choices(*w), QStringLiteral(".... x..x"));
        QVERIFY(activate(&*w));
        c.northButton->setFocus();
        QTest::keyClick(c.northButton, Qt::Key_Down);
        QCOMPARE(choices(*w), QStringLiteral(".... .x.x"));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(choices(*w), QStringLiteral(".... .x.x"));
        c.eastButton->setFocus();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(choices(*w), QStringLiteral(".... .xx."));
    }
};

QTEST_MAIN(TestWindowControls)
#include "tst_windowcontrols.moc"
