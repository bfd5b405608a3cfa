// The controls as a user works them: keys typed into the date boxes, the
// survey step and hemisphere choices, the windows that bring the main window
// back, the help key in every window, messages that hold nothing up, and the
// overlapping hemisphere frames.
#include "about/about.h"
#include "maptools/azimuthoverlay.h"
#include "support/testwindow.h"

using namespace lumora;
using namespace lumora::testing;

namespace {
// Answers the map launcher's question "No" once it is open.
void answerMapQuestionNo()
{
    QTimer::singleShot(0, [] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(top); box && box->objectName() == u"MapQuestion") {
                box->done(QMessageBox::No);
                return;
            }
        answerMapQuestionNo();
    });
}

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

    QTemporaryDir stubs_;

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        tzset();
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

    // However the window comes back, the notification-area icon goes.
    void iconGoesWhenTheWindowIsBack_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("the icon") << "icon";
        QTest::newRow("the overlay's Retour") << "overlay";
        QTest::newRow("the About box's Retour") << "about";
    }
    void iconGoesWhenTheWindowIsBack()
    {
        QFETCH(QString, way);
        TestWindow w;
        const WindowControls c = ui(*w);
        if (way == u"overlay") {
            answerMapQuestionNo();
            QTest::mouseClick(c.mapButton, Qt::LeftButton);
            QVERIFY(w->overlay() && w->isHidden());
        } else {
            if (way == u"about")
                QTest::mouseClick(c.aboutButton, Qt::LeftButton);
            QTest::mouseClick(c.hideButton, Qt::LeftButton);
        }
        tick(*w);
        QVERIFY(w->isHidden() && w.tray->shown());
        if (way == u"icon")
            w->tray()->notifyActivated();
        else if (way == u"overlay")
            QTest::mouseClick(w->overlay()->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        else
            QTest::mouseClick(w->aboutBox()->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(w->isVisible());
        QVERIFY(!w.tray->shown() && !w->tray()->iconShown());
        tick(*w);
        QVERIFY(!w.tray->shown());
    }

    // The help key opens the help document from each window; an opener that
    // fails is noticed and the user told.
    void helpKey_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("openerStatus");
        QTest::newRow("main window") << "main" << 0;
        QTest::newRow("overlay") << "overlay" << 0;
        QTest::newRow("About box") << "about" << 0;
        QTest::newRow("no program for web pages") << "main" << 3;
    }
    void helpKey()
    {
        QFETCH(QString, from);
        QFETCH(int, openerStatus);
        const QString help = QCoreApplication::applicationDirPath() + QStringLiteral("/Quorel_fr.html");
        const bool made = !QFile::exists(help);
        if (made) {
            QFile file(help);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        auto removeHelp = qScopeGuard([&] {
            if (made)
                QFile::remove(help);
        });
        const QString opened = QString::fromLocal8Bit(qgetenv("LUMORA_TEST_OPENED"));
        QFile::remove(opened);
        qputenv("LUMORA_TEST_OPENER_STATUS", QByteArray::number(openerStatus));

        TestWindow w;
        QWidget *window = &*w;
        if (from == u"overlay") {
            answerMapQuestionNo();
            QTest::mouseClick(ui(*w).mapButton, Qt::LeftButton);
            window = w->overlay();
        } else if (from == u"about") {
            QTest::mouseClick(ui(*w).aboutButton, Qt::LeftButton);
            window = w->aboutBox();
        }
        QVERIFY(activate(window));
        QTest::keyClick(window, Qt::Key_F1);
        const auto openedAddresses = [&] {
            QFile record(opened);
            return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll().trimmed()) : QString();
        };
        QTRY_COMPARE(openedAddresses(), QUrl::fromLocalFile(help).toString());
        if (openerStatus == 0) {
            QTest::qWait(100);
            QVERIFY(!w->findChild<QMessageBox *>(QStringLiteral("HelpMessage")));
        } else {
            QTRY_VERIFY(w->findChild<QMessageBox *>(QStringLiteral("HelpMessage")));
            QVERIFY(w->findChild<QMessageBox *>(QStringLiteral("HelpMessage"))->text().startsWith(
                u"L'aide n'a pas pu être ouverte"));
        }
    }

    // A message holds no window up, and "Quitter" ends the program with it open.
    void messagesHoldNothingUp()
    {
        TestWindow w;
        const WindowControls c = ui(*w);
        click(c.surveyCheck); // no step chosen: "Rechercher" asks for one
        QTest::mouseClick(c.searchButton, Qt::LeftButton);
        QPointer<QMessageBox> box = w->findChild<QMessageBox *>(QStringLiteral("SearchMessage"));
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(c.quitButton, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(box.isNull());
    }

    // Frame2 lies over the bottom of Frame1: it covers it, and the option
    // buttons' circles show whole.
    void hemisphereFrames()
    {
        TestWindow w;
        const WindowControls c = ui(*w);
        auto *upper = w->findChild<QFrame *>(QStringLiteral("Frame1"));
        auto *lower = w->findChild<QFrame *>(QStringLiteral("Frame2"));
        QVERIFY(upper->geometry().intersects(lower->geometry()));
        const QImage picture = w->grab().toImage();
        const QColor background = w->palette().color(QPalette::Window);
        // Frame1's lower border, where Frame2 lies over it.
        const int x = upper->geometry().center().x();
        for (int y : {upper->geometry().bottom(), upper->geometry().bottom() - 1})
            QCOMPARE(picture.pixelColor(x, y), background);

        for (QRadioButton *button : {c.northButton, c.southButton, c.westButton, c.eastButton, c.surveyStepButtons[0],
                                     c.surveyStepButtons[1], c.surveyStepButtons[2], c.surveyStepButtons[3]}) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect circle = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
            QVERIFY2(button->rect().contains(circle), qPrintable(button->text()));
            const QRect inWindow(button->mapTo(&*w, circle.topLeft()), circle.size());
            if (button->parentWidget() == upper)
                QVERIFY2(!inWindow.intersects(lower->geometry()), qPrintable(button->text()));
        }
    }
};

QTEST_MAIN(TestWindowControls)
#include "tst_windowcontrols.moc"
