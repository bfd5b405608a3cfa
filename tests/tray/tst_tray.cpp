// The sun-in-window indicator as the user sees it: the two pictures on the
// window and, while the window is hidden, the notification-area icon (seen
// through a backend that records what it is asked to show).
#include "windowharness.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>

using namespace lumora;
using harness::TestWindow;

namespace {
const QString kIn = QStringLiteral("Le Soleil est dans la fenêtre");
const QString kOut = QStringLiteral("Il n'y a pas de Soleil dans la fenêtre");

void frameFor(MainWindow &w, bool sunInside)
{
    harness::setFrame(w, sunInside ? harness::kFrameAroundNoonSun : harness::kFrameInTheNorth);
}

void ticks(MainWindow &w, int count)
{
    for (int i = 0; i < count; ++i)
        w.Timer1_Timer();
}
} // namespace

class TestTray : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { harness::fixEnvironment(); }
    void init() { harness::fixClock(harness::utc(2026, 6, 21, 12, 0)); }
    void cleanupTestCase() { setClockSource({}); }

    void answerChangesWhileVisible_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::newRow("out, then in") << false << true;
        QTest::newRow("in, then out") << true << false;
    }
    void answerChangesWhileVisible()
    {
        QFETCH(bool, first);
        QFETCH(bool, second);
        TestWindow w;
        frameFor(*w, first);
        w->Timer1_Timer();
        // The answer starts as "out": only a first answer "in" is a change.
        const int removes = w->tray()->removeCalls();
        QCOMPARE(removes, first ? 1 : 0);
        QCOMPARE(w->solon->isVisible(), first);

        frameFor(*w, second);
        QCOMPARE(w->solon->isVisible(), first); // a new frame waits for the next evaluation
        w->Timer1_Timer();
        QCOMPARE(w->tray()->removeCalls(), removes + 1);
        QCOMPARE(w->tray()->addCalls(), 0);
        QVERIFY(w.tray->shownTips.isEmpty());
        QCOMPARE(w->solon->isVisible(), second);
        QCOMPARE(w->solofF->isVisible(), !second);
    }

    void hiddenIcon_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::addColumn<QStringList>("tips"); // one per icon shown
        QTest::addColumn<int>("hides");
        QTest::newRow("stays in") << true << true << QStringList{kIn} << 0;
        QTest::newRow("stays out") << false << false << QStringList{kOut} << 0;
        QTest::newRow("in, then out") << true << false << QStringList{kIn, kOut} << 1;
        QTest::newRow("out, then in") << false << true << QStringList{kOut, kIn} << 1;
    }
    void hiddenIcon()
    {
        QFETCH(bool, first);
        QFETCH(bool, second);
        QFETCH(QStringList, tips);
        QFETCH(int, hides);
        TestWindow w;
        frameFor(*w, first);
        harness::click(w->Command4);
        QVERIFY(w->isHidden());
        QVERIFY(w.tray->shownTips.isEmpty()); // the icon comes with the next evaluation
        ticks(*w, 3);
        frameFor(*w, second);
        ticks(*w, 3);
        QCOMPARE(w.tray->shownTips, tips);
        QCOMPARE(w.tray->hides, hides);
        QVERIFY(w.tray->shown);
        QCOMPARE(w->tray()->toolTip(), tips.last());
    }

    void activationShowsWindow()
    {
        TestWindow w;
        harness::click(w->Command4);
        w->Timer1_Timer();
        QVERIFY(w.tray->shown);
        w->tray()->notifyActivated();
        QVERIFY(w->isVisible());
        QVERIFY(!w.tray->shown);
        QCOMPARE(w.tray->hides, 1);
        // With the window back, the icon's notifications do nothing.
        const int removes = w->tray()->removeCalls();
        w->tray()->notifyActivated();
        QCOMPARE(w->tray()->removeCalls(), removes);
        QVERIFY(w->isVisible());
    }

    void reduce_data()
    {
        QTest::addColumn<bool>("available");
        QTest::newRow("notification area: hidden") << true;
        QTest::newRow("no notification area: minimised") << false;
    }
    void reduce()
    {
        QFETCH(bool, available);
        TestWindow w;
        w.tray->available = available;
        w->Timer1_Timer();
        QTest::keyClick(w->VSHeure, Qt::Key_Down); // leave real time first
        QVERIFY(!w->Timer1->isActive());
        QCOMPARE(w->Command4->text(), QStringLiteral("Réduire"));
        harness::click(w->Command4);
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->isHidden(), available);
        QCOMPARE(w->isMinimized(), !available);
    }

    void closeRemovesIcon()
    {
        TestWindow w;
        harness::click(w->Command4);
        w->Timer1_Timer();
        QVERIFY(w.tray->shown);
        w->close();
        QVERIFY(!w.tray->shown);
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
