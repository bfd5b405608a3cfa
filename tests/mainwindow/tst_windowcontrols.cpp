// The controls as a user works them, and the window over time and across
// views: keys in the date boxes, the option buttons, a press released
// elsewhere, the ways out of and back from the notification area, the help
// key, messages that hold nothing up; every open view following a change of
// site, frame or date and a program left running past UT midnight; the window
// on an English desktop.
#include "about/about.h"
#include "alerts/sunalerts.h"
#include "maptools/azimuthoverlay.h"
#include "support/rows.h"
#include "support/scenario.h"
#include "tray/traymenu.h"
#include "yearview/yearchart.h"
#include "yearview/yearview.h"

using namespace lumora;
using namespace lumora::testing;

namespace {
const QList<std::pair<QString, QString>> kAlertsOn{{QStringLiteral("Alertes/Actives"), QStringLiteral("Vrai")}};

bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QList<QRadioButton *> optionButtons(MainWindow &w)
{
    const WindowControls c = ui(w);
    return {c.surveyStepButtons[0], c.surveyStepButtons[1], c.surveyStepButtons[2], c.surveyStepButtons[3],
            c.northButton, c.southButton, c.westButton, c.eastButton};
}

// The year window's calendar as drawn, with the mark of the instant on show.
QImage yearPicture(MainWindow &w) { return w.yearView()->findChild<YearPlot *>()->grab().toImage(); }

bool yearShown(MainWindow &w) { return w.yearView()->findChild<QPushButton *>("YearExportPicture")->isEnabled(); }

QString openedAddresses()
{
    QFile record(QString::fromLocal8Bit(qgetenv("LUMORA_TEST_OPENED")));
    return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll().trimmed()) : QString();
}
} // namespace

class TestWindowControls : public QObject
{
    Q_OBJECT

    QTemporaryDir stubs_;

private slots:
    void initTestCase()
    {
        setZone("Europe/Paris");
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        // A stand-in for the desktop's opener: it records the address and
        // ends with the status the test asks for.
        QFile opener(stubs_.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$LUMORA_TEST_OPENED\"\nexit \"$LUMORA_TEST_OPENER_STATUS\"\n");
        opener.close();
        opener.setPermissions(opener.permissions() | QFile::ExeOwner);
        qputenv("PATH", stubs_.path().toLocal8Bit() + ':' + qgetenv("PATH"));
        qputenv("LUMORA_TEST_OPENED", stubs_.filePath(QStringLiteral("opened.txt")).toLocal8Bit());
        qputenv("LUMORA_TEST_OPENER_STATUS", "0");
    }
    void init()
    {
        fixClock(utc(2026, 6, 21, 12, 0));
        QFile::remove(QString::fromLocal8Bit(qgetenv("LUMORA_TEST_OPENED")));
    }

    void scenario_data()
    {
        QTest::addColumn<QString>("steps");
        const auto row = [](const char *name, const QString &steps) { QTest::newRow(name) << steps; };
        // Keys that leave the text as it is still reach the check, which in real time
        // reads the site and the clock.
        for (const char *key : {"Combo1(0) Home", "Combo1(1) End", "Combo1(2) Left", "Combo1(0) Up"})
            row(key, QStringLiteral("set Combo1(0) 1; tick; clock 2026-06-01T13:30:00; set Text1 33; key %1; "
                                    "@dates=1/6/2026; @latitude=33; Label5=13:30:00 (TU)").arg(QLatin1String(key)));
        // While a survey runs the text changes are not checked; a key is, on the texts as they stand.
        row("a key during a survey", "clock 2026-06-21T00:30:00; click Check3; click Option5(0); click Command1; "
            "@state=load; set Combo1(1) 4; set Combo1(0) 31; @dates=31/4/2026; key Combo1(0) End; @dates=1/4/2026; "
            "@searching=1; search; @searching=0");
        // One survey step at most, one latitude and one longitude choice, by clicks and by
        // arrow keys; the keys stay in the group of the focused option.
        row("steps clicked", "click Option5(2); @options=..x. x..x; click Option5(2); @options=..x. x..x; "
            "click Option5(3); @options=...x x..x; click Option1; @options=...x x..x");
        row("arrows among the steps", "click Option5(3); focus Option5(3); keys Right Up Up Right Down Down Down Left "
            "Right Up; @options~^(x...|.x..|..x.|...x) x..x$; tick; @longitude~^-");
        row("arrows among the hemispheres", "focus Option1; keys Down; @options=.... .x.x; keys Down Right Down; "
            "@options=.... .x.x; focus Option4; keys Down Up Left Down; @options=.... .xx.");
        // On an English desktop the captions are English (the search runs by them too);
        // what is saved stays French.
        row("English", "english; tick; Command1=Search; Command2=Quit; Option1=North; Option3=West; "
            "Check3=Sunshine file.; Option5(2)=1 hour; Command4=Minimise; Label5=12:00:00 (UT); Label35~^Azimuth = ; "
            "Label36~^Elevation = ; Command3.toolTip=Back to real time, today's date; click Command1; "
            "Command1=Real time; click Command1; Command1=Search; @realTime=1; close; @ini~O1=Vrai O2=Faux");
        // A press released off a control does nothing.
        for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "Check1",
                                 "Check3", "Option2", "Option4", "Option5(1)"})
            row(name, QStringLiteral("key VSHeure Down; pressaway ") + QLatin1String(name));
        // However the window is put away, a way back is on offer (the icon and its menu's
        // "Afficher Lumora", or the task bar), and each way back brings it up; the icon
        // then stays only for the alerts. "Réduire" also goes back to real time.
        const QString reduce = QStringLiteral("key VSHeure Down; click Command4; tick; @realTime=1; @window=hidden; @icon=1; ");
        const QString alertsOn = QStringLiteral("stored Alertes/Actives=Vrai; ");
        row("Réduire, icon", reduce + "tray activate; @window=shown; tick; @icon=0");
        row("Réduire, menu", reduce + "tray menu; @window=shown; tick; @icon=0");
        row("Réduire, second start", reduce + "front; @window=shown; tick; @icon=0");
        row("Réduire, alerts on, icon", alertsOn + reduce + "tray activate; @window=shown; tick; @icon=1");
        row("Réduire, alerts on, notification", alertsOn + reduce + "tray message; @window=shown; tick; @icon=1");
        row("no notification area, second start", "tray none; key VSHeure Down; click Command4; tick; @realTime=1; "
            "@window=minimised; front; @window=shown");
        row("overlay, Retour", "map; tick; @window=hidden; @icon=1; retour overlay; @window=shown; tick; @icon=0");
        row("About, Réduire, Retour", "click Command5; click Command4; tick; @window=hidden; @icon=1; retour about; "
            "@window=shown; tick; @icon=0");
        row("--tray, menu", "traystart; tick; @window=hidden; @icon=1; tray menu; @window=shown; tick; @icon=0");
        row("--tray, alerts on, second start", alertsOn + "traystart; tick; @window=hidden; @icon=1; front; "
            "@window=shown; tick; @icon=1");
    }
    void scenario()
    {
        QFETCH(QString, steps);
        const QString failure = runScenario(steps);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    // The help key opens the help document from each window; an opener that
    // fails is noticed and the user told.
    void helpKey_data()
    {
        addColumns<QString, int>("from", "openerStatus");
        QTest::newRow("main window") << "main" << 0;
        QTest::newRow("overlay") << "overlay" << 0;
        QTest::newRow("About box") << "about" << 0;
        QTest::newRow("year window") << "year" << 0;
        QTest::newRow("no program for web pages") << "main" << 3;
    }
    void helpKey()
    {
        const auto [from, openerStatus] = fetchColumns<QString, int>("from", "openerStatus");
        const QString help = QCoreApplication::applicationDirPath() + QStringLiteral("/Quorel_fr.html");
        const bool made = !QFile::exists(help) && QFile(help).open(QIODevice::WriteOnly);
        auto removeHelp = qScopeGuard([&] {
            if (made)
                QFile::remove(help);
        });
        qputenv("LUMORA_TEST_OPENER_STATUS", QByteArray::number(openerStatus));
        auto resetStatus = qScopeGuard([] { qputenv("LUMORA_TEST_OPENER_STATUS", "0"); });
        TestWindow w;
        QWidget *window = &*w;
        if (from == u"overlay") {
            answerMapQuestionNo();
            QTest::mouseClick(ui(*w).mapButton, Qt::LeftButton);
            window = w->overlay();
        } else if (from == u"about") {
            QTest::mouseClick(ui(*w).aboutButton, Qt::LeftButton);
            window = w->aboutBox();
        } else if (from == u"year") {
            w->openYearView();
            window = w->yearView();
        }
        QVERIFY(activate(window));
        QTest::keyClick(window, Qt::Key_F1);
        QTRY_COMPARE(openedAddresses(), QUrl::fromLocalFile(help).toString());
        const auto message = [&] { return w->findChild<QMessageBox *>(QStringLiteral("HelpMessage")); };
        if (openerStatus == 0) {
            QTest::qWait(100);
            QVERIFY(!message());
        } else {
            QTRY_VERIFY(message());
            QCOMPARE(message()->text(), QStringLiteral("L'aide n'a pas pu être ouverte : %1").arg(help));
        }
    }

    // A message holds no window up, and "Quitter" ends the program with it open.
    void messagesHoldNothingUp()
    {
        TestWindow w;
        click(ui(*w).surveyCheck); // no step chosen: "Rechercher" asks for one
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QPointer<QMessageBox> box = w->findChild<QMessageBox *>(QStringLiteral("SearchMessage"));
        QVERIFY(box && box->isVisible() && box->windowModality() == Qt::NonModal && !QApplication::activeModalWidget());
        QTest::mouseClick(ui(*w).quitButton, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(box.isNull());
    }

    // Frame2 lies over the bottom of Frame1: it covers it, and the option
    // buttons' circles show whole.
    void hemisphereFrames()
    {
        TestWindow w;
        auto *upper = w->findChild<QFrame *>(QStringLiteral("Frame1"));
        auto *lower = w->findChild<QFrame *>(QStringLiteral("Frame2"));
        QVERIFY(upper->geometry().intersects(lower->geometry()));
        const QImage picture = w->grab().toImage();
        const int x = upper->geometry().center().x();
        for (int y : {upper->geometry().bottom(), upper->geometry().bottom() - 1})
            QCOMPARE(picture.pixelColor(x, y), w->palette().color(QPalette::Window));
        for (QRadioButton *button : optionButtons(*w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect circle = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
            QVERIFY2(button->rect().contains(circle), qPrintable(button->text()));
            const QRect inWindow(button->mapTo(&*w, circle.topLeft()), circle.size());
            QVERIFY2(button->parentWidget() != upper || !inWindow.intersects(lower->geometry()), qPrintable(button->text()));
        }
    }

    // Each open view follows a change that takes the Sun out of the frame:
    // the indicator, the course's read-out, the year window, the icon's tooltip.
    void viewsFollow_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("site") << "site";
        QTest::newRow("frame") << "frame";
        QTest::newRow("date") << "date";
    }
    void viewsFollow()
    {
        QFETCH(QString, change);
        TestWindow w(kAlertsOn);
        const WindowControls c = ui(*w);
        frameSun(*w, true);
        tick(*w);
        w->openYearView();
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*w), 20000);
        const QString course = c.panorama->toolTip();
        const QImage year = yearPicture(*w);
        QVERIFY(c.sunInIcon->isVisible() && w.tray->calls.last() == kTipIn && !course.isEmpty());
        if (change == u"site")
            c.latitudeDegreesEdit->setText(QStringLiteral("10")); // the Sun 77° high in the north
        else if (change == u"frame")
            frameSun(*w, false);
        else
            w->showInstant(CivilDate{2026, 12, 21}, 720); // 17.6° high
        tick(*w);
        QVERIFY(c.sunOutIcon->isVisible() && !c.sunInIcon->isVisible());
        QCOMPARE(w.tray->calls.last(), kTipOut);
        QVERIFY(c.panorama->toolTip() != course);
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*w) && yearPicture(*w) != year, 20000);
    }

    // A program left running moves on with the UT day: its date, course, next
    // event and tooltip are those of one started then; the year window's mark moves.
    void acrossUtMidnight_data()
    {
        addColumns<QDateTime, QDateTime>("before", "after");
        // Both start after local midnight in Paris, before UT midnight.
        QTest::newRow("New Year") << utc(2026, 12, 31, 23, 30) << utc(2027, 1, 1, 0, 0, 1);
        QTest::newRow("31 March to 1 April") << utc(2026, 3, 31, 22, 30) << utc(2026, 4, 1, 0, 0, 0);
        QTest::newRow("three days on") << utc(2026, 6, 21, 12, 0) << utc(2026, 6, 24, 12, 0);
    }
    void acrossUtMidnight()
    {
        const auto [before, after] = fetchColumns<QDateTime, QDateTime>("before", "after");
        const auto start = [](TestWindow &w) {
            frameSun(*w, true);
            tick(*w);
            click(ui(*w).hideButton);
            w->openYearView();
        };
        fixClock(before);
        TestWindow running(kAlertsOn);
        start(running);
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*running), 20000);
        const QImage year = yearPicture(*running);
        fixClock(after);
        tick(*running);
        TestWindow fresh(kAlertsOn);
        start(fresh);
        const auto views = [](TestWindow &w) {
            w->trayMenu()->refresh();
            return QStringList{dateBoxesText(*w), QString::number(w->engine().evalJulianDay),
                               ui(*w).panorama->toolTip(), w->trayMenu()->nextEventAction()->text(), w.tray->calls.last()};
        };
        QCOMPARE(views(running), views(fresh));
        QCOMPARE(dateBoxesText(*running), after.toString(u"d/M/yyyy"));
        QVERIFY(running->realTime());
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*running) && yearPicture(*running) != year, 20000);
    }

};

QTEST_MAIN(TestWindowControls)
#include "tst_windowcontrols.moc"
