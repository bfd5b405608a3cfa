// The search buttons of the main window: an entry found at once, the exit
// after it, stopping a search with "Temps réel" or the time bar, and the
// sunshine survey file with its failures.
#include "windowharness.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

using namespace lumora;
using harness::TestWindow;

namespace {
QString exportPath() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Export.csv")); }

// Lets the search run until it has shown a day's progress ("21/06/2026"), one
// slice at a time.
bool waitForProgress(MainWindow &w)
{
    static const QRegularExpression dayOnly(QStringLiteral("^\\d\\d/\\d\\d/\\d{4}$"));
    for (int i = 0; i < 200 && !dayOnly.match(w.Label5->text()).hasMatch(); ++i)
        QCoreApplication::processEvents();
    return dayOnly.match(w.Label5->text()).hasMatch() && w.searchRunning();
}

// At 80° N around the June solstice the Sun stays between about 13° and 33°
// high for weeks, so its exit from a frame holding the whole sky is a long
// search at the fine step. Returns with that search running, started by
// "Prochaine Sortie" after the entry found at once.
bool startLongExitSearch(MainWindow &w, QSignalSpy &finished)
{
    harness::typeInto(w.Text1, QStringLiteral("80"));
    harness::setFrame(w, 0, 10065, 0, 4335);
    w.Timer1_Timer();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    if (!finished.wait(3000) || !w.Command8->isVisible())
        return false;
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    return !w.Check2->isChecked() && waitForProgress(w);
}

QDateTime shownInstant(const QString &text)
{
    QString plain = text;
    plain.remove(QStringLiteral(" (TU)"));
    return QDateTime::fromString(plain, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}
} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { harness::fixEnvironment(); }
    void init() { harness::fixClock(harness::utc(2026, 6, 21, 12, 0)); }
    void cleanup()
    {
        QFile::remove(exportPath());
        QDir(exportPath()).removeRecursively();
    }
    void cleanupTestCase() { setClockSource({}); }

    void entryAtOnceThenExit()
    {
        TestWindow w;
        harness::setFrame(*w, harness::kFrameAroundNoonSun);
        w->Timer1_Timer();
        QVERIFY(w->engine.dansFen);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);

        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QCOMPARE(w->Command1->text(), QStringLiteral("Temps réel"));
        QVERIFY(finished.wait(3000));
        // The first search after start-up steps by 0: the start instant itself.
        QCOMPARE(w->Label5->text(), QStringLiteral("21/06/2026 12:00:00 (TU)"));
        QCOMPARE(w->Label6->text(), QStringLiteral("21/06/2026 14:00:00"));
        QVERIFY(w->Command8->isVisible());
        QCOMPARE(w->Command8->text(), QStringLiteral("Prochaine Sortie"));
        QVERIFY(!w->Timer1->isActive());

        QTest::mouseClick(w->Command8, Qt::LeftButton);
        QVERIFY(finished.wait(3000));
        const QDateTime exit = shownInstant(w->Label5->text());
        QVERIFY2(exit.date() == QDate(2026, 6, 21) && exit.time() > QTime(12, 12) && exit.time() < QTime(16, 0),
                 qPrintable(w->Label5->text()));
        QCOMPARE(shownInstant(w->Label6->text()), exit.addSecs(2 * 3600));
        QVERIFY(!w->engine.dansFen);
        // It leaves by the right edge, X 5871, azimuth 5871 * 360 / 10065; the
        // instant shown is one fine step (3.6 s, some 0.03° at that height)
        // after the first one found outside.
        const double edge = 5871 * 360.0 / 10065;
        QVERIFY2(w->engine.sun.azimuth > edge && w->engine.sun.azimuth < edge + 0.1,
                 qPrintable(QString::number(w->engine.sun.azimuth)));
        QCOMPARE(w->Command8->text(), QStringLiteral("Prochaine Entrée"));
    }

    void realTimeStopsSearch_data()
    {
        QTest::addColumn<bool>("restarted");
        QTest::addColumn<bool>("command8Shown");
        QTest::newRow("Prochaine Sortie") << false << false;
        // A search started by "Rechercher" ends by offering to go on.
        QTest::newRow("Rechercher for the exit, after a stop by the time bar") << true << true;
    }
    void realTimeStopsSearch()
    {
        QFETCH(bool, restarted);
        QFETCH(bool, command8Shown);
        TestWindow w;
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QVERIFY(startLongExitSearch(*w, finished));
        if (restarted) {
            QTest::keyClick(w->VSHeure, Qt::Key_Down);
            QVERIFY(finished.wait(3000));
            QVERIFY(!w->Check2->isChecked()); // the time bar leaves the target alone
            QTest::mouseClick(w->Command1, Qt::LeftButton);
            QVERIFY(waitForProgress(*w));
        }

        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->Command1->text(), QStringLiteral("Rechercher"));
        QVERIFY(w->Check2->isChecked());
        QVERIFY(finished.wait(3000));
        QVERIFY(!w->searchRunning());
        QVERIFY(!w->engine.searchActive);
        QCOMPARE(w->Command8->isVisible(), command8Shown);
    }

    void timeBarStopsSearch()
    {
        TestWindow w;
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QVERIFY(startLongExitSearch(*w, finished));
        QCOMPARE(w->VSHeure->value(), 720); // set by the tick at 12:00 UT

        QTest::keyClick(w->VSHeure, Qt::Key_Down);
        QVERIFY(finished.wait(3000));
        QVERIFY(!w->searchRunning());
        QVERIFY(!w->engine.searchActive);
        QVERIFY(!w->Timer1->isActive());
        QCOMPARE(w->Command1->text(), QStringLiteral("Rechercher"));
        QCOMPARE(w->Label5->text(), QStringLiteral("12:01:00 (TU)"));
        QCOMPARE(w->Label6->text(), QStringLiteral("14:01:00"));
    }

    void surveyNeedsStep()
    {
        TestWindow w;
        w->Timer1_Timer();
        harness::click(w->Check3);
        QVERIFY(w->Check3->isChecked());
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QMessageBox *box = harness::searchMessage();
        QVERIFY(box);
        QVERIFY2(box->text().contains(QStringLiteral("1 heure")), qPrintable(box->text()));
        QVERIFY(!w->searchRunning());
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->Command1->text(), QStringLiteral("Rechercher"));
        QCOMPARE(w->Tag, QStringLiteral("OK"));
        QVERIFY(!QFile::exists(exportPath()));
    }

    void surveyWritesFile()
    {
        // 00:30 UT: the Sun is down, so the survey is not over at its first pass.
        harness::fixClock(harness::utc(2026, 6, 21, 0, 30));
        TestWindow w;
        w->Timer1_Timer();
        harness::click(w->Check3);
        harness::click(w->Option5[2]);
        QVERIFY(w->Option5[2]->isChecked());
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QCOMPARE(w->Tag, QStringLiteral("load"));
        QVERIFY(finished.wait(20000));
        QCOMPARE(w->Tag, QStringLiteral("OK"));

        QFile file(exportPath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(exportPath()));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.size() > 4000);
        QCOMPARE(lines.first(), QByteArray("\r"));
        // Geometric sunrise in Paris on 21 June is about 03:51 UT, sunset on
        // 22 June 2027 about 19:54 UT; the survey covers 367 days.
        QVERIFY2(lines[1].startsWith("21/06/2026 04:00;"), lines[1].constData());
        const QByteArray last = lines[lines.size() - 2];
        QVERIFY2(last.startsWith("22/06/2027 19:00;"), last.constData());
        static const QRegularExpression line(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:00;\\d*,\\d;\\d\\d,\\d\\r$"));
        for (qsizetype i = 1; i < lines.size() - 1; ++i)
            QVERIFY2(line.match(QString::fromLatin1(lines[i])).hasMatch(), lines[i].constData());
    }

    void surveyFileUnwritable()
    {
        QVERIFY(QDir().mkpath(exportPath())); // a folder where the file should go
        TestWindow w;
        w->Timer1_Timer();
        harness::click(w->Check3);
        harness::click(w->Option5[2]);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QTRY_VERIFY(harness::searchMessage());
        QCOMPARE(harness::searchMessage()->text(), QStringLiteral("fermer le fichier dans excel"));
        QVERIFY(!w->searchRunning());
        QCOMPARE(w->Tag, QStringLiteral("OK"));
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
