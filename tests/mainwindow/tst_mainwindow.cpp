// The main window driven as a user drives it, on its own INI store with a
// fixed clock: the time bar and the date boxes in several time zones, the
// frame bars and their captions, the read-outs, the searches and the survey
// file, the icon, and bad input in every box and bar.
#include "astro/clock.h"
#include "astro/solarposition.h"
#include "diagrams/panoramaview.h"
#include "mainwindow/mainwindow.h"
#include "support/testwindow.h"
#include "support/windowcontrols.h"
#include "tray/trayicon.h"

#include <QtTest>
#include <QtWidgets>
#include <cmath>
#include <cstring>

using namespace lumora;
using namespace lumora::testing;

namespace {
QMessageBox *searchMessage(MainWindow &w) { return w.findChild<QMessageBox *>(QStringLiteral("SearchMessage")); }

// Replaces a box's text: a date box runs its text-change handling, then a key
// press its key-down handling on the text as it stands.
void putText(MainWindow &w, const QString &box, const QString &text)
{
    auto *combo = w.findChild<QComboBox *>(box);
    QLineEdit *edit = combo ? combo->lineEdit() : w.findChild<QLineEdit *>(box);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_End);
}

// At 80° N around the June solstice the Sun stays between about 13° and 33°
// high for weeks, so its exit from a frame holding the whole sky is a long
// search. Returns with it running, started by "Prochaine Sortie" after the
// entry found at once, once a day's progress ("21/06/2026") is on show.
bool startLongExitSearch(MainWindow &w, QSignalSpy &finished)
{
    putText(w, QStringLiteral("Text1"), QStringLiteral("80"));
    setFrame(w, 0, 10065, 0, 4335);
    tick(w);
    QTest::mouseClick(ui(w).searchButton, Qt::LeftButton);
    if (!finished.wait(3000) || !ui(w).continueButton->isVisible())
        return false;
    QTest::mouseClick(ui(w).continueButton, Qt::LeftButton);
    static const QRegularExpression dayOnly(QStringLiteral("^\\d\\d/\\d\\d/\\d{4}$"));
    return QTest::qWaitFor([&] { return dayOnly.match(ui(w).utTimeLabel->text()).hasMatch(); }, 3000) && w.searchRunning()
        && !ui(w).entrySearchCheck->isChecked();
}

// What is broken on show or in the evaluation state; empty when all is sane.
QString insanity(MainWindow &w)
{
    static const QRegularExpression notANumber(QStringLiteral("(?i)\\b(nan|inf|infinity)\\b|∞"));
    for (QLabel *label : w.findChildren<QLabel *>())
        if (notANumber.match(label->text()).hasMatch())
            return label->objectName() + QStringLiteral(" shows ") + label->text();
    const SunshineEngine &e = w.engine();
    const bool finite = std::isfinite(e.site.latitude) && std::isfinite(e.site.longitude)
        && std::isfinite(e.evalJulianDay) && std::isfinite(e.sunPicture.x) && std::isfinite(e.sunPicture.y);
    if (!finite || !(e.sun.azimuth >= 0 && e.sun.azimuth <= 360 && std::abs(e.sun.elevation) <= 90))
        return QStringLiteral("site %1, %2; JD %3; Sun at %4, %5")
            .arg(e.site.latitude).arg(e.site.longitude).arg(e.evalJulianDay).arg(e.sun.azimuth).arg(e.sun.elevation);
    return {};
}
} // namespace

#define VERIFY_SANE(w, step) QVERIFY2(insanity(w).isEmpty(), qPrintable(QStringLiteral(step ": ") + insanity(w)))

class TestMainWindow : public QObject
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
        QFile::remove(exportPath()); // a survey's file, or a folder in its way
        QDir(exportPath()).removeRecursively();
    }

    void manualMode()
    {
        fixClock(utc(2026, 1, 15, 11, 59)); // a key press moves the bar on to 720
        TestWindow w;
        tick(*w); // the offset to local time is known from the first tick
        QTest::keyClick(ui(*w).timeBar, Qt::Key_Down);
        QCOMPARE(ui(*w).utTimeLabel->text(), QStringLiteral("12:00:00 (TU)"));
        QCOMPARE(ui(*w).localTimeLabel->text(), QStringLiteral("13:00:00"));
        QVERIFY(!w->realTime());
        QCOMPARE(ui(*w).localTimeLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(w->engine().dayFractionUT, 0.5);

        // "Sud" reads the clock into the bar but stays manual.
        fixClock(utc(2026, 1, 15, 14, 45, 40));
        click(ui(*w).southButton);
        QCOMPARE(ui(*w).utTimeLabel->text() + ui(*w).localTimeLabel->text(), QStringLiteral("------"));
        QCOMPARE(ui(*w).timeBar->value(), 886); // 14:45:40 UT, to the nearest minute
        QVERIFY(!w->realTime());
        QCOMPARE(w->engine().site.latitude, -49.0);
    }

    void dates_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // day/month/year after typing
        QTest::addColumn<QString>("today");
        QTest::newRow("31 Dec, April typed") << utc(2026, 12, 31, 10, 0) << 1 << "4" << "1/4/2026" << "31/12/2026";
        // 00:30 on 1 January in Paris: the boxes hold the UT date.
        QTest::newRow("23:30 UT on 31 Dec") << utc(2026, 12, 31, 23, 30) << 1 << "4" << "1/4/2026" << "31/12/2026";
        QTest::newRow("31 typed, March") << utc(2026, 3, 15, 10, 0) << 0 << "31" << "31/3/2026" << "15/3/2026";
        QTest::newRow("29 typed, Feb 2024") << utc(2024, 2, 10, 10, 0) << 0 << "29" << "29/2/2024" << "10/2/2024";
    }
    void dates()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, today);
        fixClock(now);
        TestWindow w;
        QCOMPARE(dateBoxesText(*w), today);
        QTest::keyClick(ui(*w).timeBar, Qt::Key_Down); // manual mode
        putText(*w, QStringLiteral("Combo1(%1)").arg(box), typed);
        QCOMPARE(dateBoxesText(*w), shown);
        QTest::mouseClick(ui(*w).nowButton, Qt::LeftButton);
        QCOMPARE(dateBoxesText(*w), today);
        QVERIFY(w->realTime());
        QCOMPARE(ui(*w).utTimeLabel->text(), now.time().toString(u"HH:mm:ss") + QStringLiteral(" (TU)"));
    }

    void readOuts()
    {
        TestWindow w;
        for (int i = 0; i < 25; ++i)
            QCOMPARE(ui(*w).azimuthScaleLabels[i]->text(), QString::number(15 * i) + u'°');
        for (int i = 0; i < 10; ++i)
            QCOMPARE(ui(*w).elevationScaleLabels[i]->text(), QString::number((9 - i) * 10) + u'°');
        // Ticks at panorama.Left + i * 14.98 * panorama.Width / 360: panorama 10065 twips wide at Left 420.
        const QLineF tick = w->graduationTick(1);
        QVERIFY2(std::abs(tick.x1() - 838.8) < 0.05, qPrintable(QString::number(tick.x1())));
        QCOMPARE(tick, QLineF(tick.x1(), 4740, tick.x1(), 4935));
        // panorama 10065 x 4335: azimuth = X * 360 / 10065, elevation = 90 - Y * 90 / 4335.
        // The defaults: frameLeftBar 1000, frameRightBar 9065, frameBottomBar 3335.
        const auto caption = [&](int i) { return ui(*w).frameEdgeLabels[i]->text() + u' ' + ui(*w).frameEdgeLabels[i]->toolTip(); };
        QCOMPARE((QStringList{caption(0), caption(1), caption(3)}),
                 (QStringList{"36° 35,77°", "324° 324,23°", "21° 20,76°"}));
    }

    // Sizes in pixels at 96 dpi: points * 96 / 72.
    void designFonts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixels");
        QTest::newRow("window, MS Sans Serif 8.25") << "Lumora" << 11;
        QTest::newRow("local time, bold 8.25") << "Label6" << 11;
        QTest::newRow("Quitter, bold 9.75") << "Command2" << 13;
        QTest::newRow("latitude, 13.5") << "Text1" << 18;
        QTest::newRow("degree sign, 18") << "Label2" << 24;
        QTest::newRow("azimuth dial, Arial 8.25") << "PicAZ" << 11;
    }
    void designFonts()
    {
        QFETCH(QString, control);
        QFETCH(int, pixels);
        TestWindow w;
        QWidget *widget = control == u"Lumora" ? &*w : w->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(widget->font().pixelSize(), pixels);
    }

    // Whole degrees with at least two digits. Panorama 10065 x 4335 twips:
    // azimuth = X * 360 / 10065, elevation = 90 - Y * 90 / 4335.
    void frameCaptions_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("label"); // LabLig: left, right, upper, lower edge
        QTest::addColumn<QString>("caption");
        QTest::newRow("left edge at 5.01°") << "HS1" << 140 << 0 << "05°";
        QTest::newRow("left edge at 0°") << "HS1" << 0 << 0 << "00°";
        QTest::newRow("right edge at 350.52°") << "HS2" << 9800 << 1 << "351°";
        QTest::newRow("lower edge at 5.00° high") << "VS2" << 4094 << 3 << "05°";
        QTest::newRow("upper edge at 6.95° high") << "VS1" << 4000 << 2 << "07°";
    }
    void frameCaptions()
    {
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(int, label);
        QFETCH(QString, caption);
        TestWindow w;
        if (bar == u"VS1")
            ui(*w).frameBottomBar->setValue(4335);
        w->findChild<QScrollBar *>(bar)->setValue(value);
        QCOMPARE(ui(*w).frameEdgeLabels[label]->text(), caption);
    }

    // "###.00": no integer digit is added below 10, none at all below 1.
    // Paris, 21 June 2026 (lumora-cli position).
    void readoutPattern_data()
    {
        QTest::addColumn<int>("minute"); // UT minute of the day
        QTest::addColumn<QString>("readout");
        QTest::newRow("00:12 UT, azimuth 4.72°") << 12 << "Azimut = 4,72 °";
        QTest::newRow("04:30 UT, elevation 5.07°") << 270 << "Hauteur = 5,07 °";
        QTest::newRow("03:51 UT, elevation -0.23°") << 231 << "Hauteur = -,23 °";
    }
    void readoutPattern()
    {
        QFETCH(int, minute);
        QFETCH(QString, readout);
        TestWindow w;
        ui(*w).timeBar->setValue(minute);
        QLabel *label = readout.startsWith(u"Azimut") ? ui(*w).azimuthReadoutLabel : ui(*w).elevationReadoutLabel;
        QCOMPARE(label->text(), readout);
    }

    // The sun picture's centre is the Sun's place on the panorama (15 twips a pixel).
    void sunPictureOnTheSun()
    {
        TestWindow w;
        tick(*w);
        const SunPosition sun = w->engine().sun;
        const QPointF place(sun.azimuth * 10065 / 360 / 15, (4335 - 4335 * sun.elevation / 90) / 15);
        const QPointF centre = QRectF(ui(*w).sunPictureLabel->geometry()).center();
        QVERIFY2(std::abs(centre.x() - place.x()) <= 1 && std::abs(centre.y() - place.y()) <= 1,
                 qPrintable(QStringLiteral("picture at %1,%2; Sun at %3,%4")
                                .arg(centre.x()).arg(centre.y()).arg(place.x()).arg(place.y())));
    }

    // In real time the dials and read-outs follow the clock even when the
    // search is not shown.
    void realTimeWithoutShowingTheSearch()
    {
        TestWindow w;
        click(ui(*w).showSearchCheck);
        QVERIFY(!ui(*w).showSearchCheck->isChecked());
        tick(*w);
        const QString noon = ui(*w).azimuthReadoutLabel->text();
        QVERIFY(noon.startsWith(u"Azimut = ") && ui(*w).azimuthDial->isShowing() && ui(*w).elevationDial->isShowing());
        fixClock(utc(2026, 6, 21, 15, 0));
        tick(*w);
        QVERIFY(ui(*w).azimuthReadoutLabel->text() != noon);
        QCOMPARE(ui(*w).azimuthDial->shownSun()->azimuth, w->engine().sun.azimuth);
    }

    void frameCorrection_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("moveTo");
        QTest::addColumn<QList<int>>("values"); // frameLeftBar, frameRightBar, frameTopBar, frameBottomBar afterwards
        // First run: frameLeftBar 1000, frameRightBar 9065, frameTopBar 1000, frameBottomBar 3335.
        QTest::newRow("HS1 past HS2") << "HS1" << 9500 << QList<int>{9064, 9065, 1000, 3335};
        QTest::newRow("HS2 below HS1") << "HS2" << 500 << QList<int>{1000, 1001, 1000, 3335};
        QTest::newRow("HS2 onto HS1") << "HS2" << 1000 << QList<int>{1000, 1000, 1000, 3335};
        QTest::newRow("VS1 below VS2") << "VS1" << 4000 << QList<int>{1000, 9065, 3334, 3335};
        QTest::newRow("VS2 above VS1") << "VS2" << 500 << QList<int>{1000, 9065, 1000, 1001};
    }
    void frameCorrection()
    {
        QFETCH(QString, bar);
        QFETCH(int, moveTo);
        QFETCH(QList<int>, values);
        TestWindow w;
        w->findChild<QScrollBar *>(bar)->setValue(moveTo);
        QCOMPARE((QList<int>{ui(*w).frameLeftBar->value(), ui(*w).frameRightBar->value(), ui(*w).frameTopBar->value(), ui(*w).frameBottomBar->value()}), values);
        const FrameLines &lines = ui(*w).panorama->frameLines();
        QCOMPARE((QList<int>{int(lines.left.x1), int(lines.right.x1), int(lines.top.y1), int(lines.bottom.y1)}), values);
        // With no width the right azimuth label would cover the left one: it moves right by its width.
        const int overlap = ui(*w).frameEdgeLabels[0]->x() + ui(*w).frameEdgeLabels[1]->width() - ui(*w).frameEdgeLabels[1]->x();
        QVERIFY2(values[0] != values[1] || std::abs(overlap) <= 1, qPrintable(QString::number(overlap)));
    }

    void restoredOutOfOrderDrawsNothing()
    {
        TestWindow w({{"HS1", "6000"}, {"HS2", "2000"}});
        QCOMPARE((QList<int>{ui(*w).frameLeftBar->value(), ui(*w).frameRightBar->value()}), (QList<int>{6000, 2000}));
        // The lines stay where the layout puts them until the user moves an offending bar.
        const FrameLines &f = ui(*w).panorama->frameLines();
        QCOMPARE((QList<float>{f.left.x1, f.right.x1, f.top.y1, f.bottom.y1}), (QList<float>{2100, 3210, 900, 2460}));
        QCOMPARE(ui(*w).frameEdgeLabels[0]->text(), QStringLiteral("XXX°"));
        ui(*w).frameRightBar->setValue(7000);
        QCOMPARE((QList<float>{f.left.x1, f.right.x1}), (QList<float>{6000, 7000}));
    }

    void entryAtOnceThenExit()
    {
        TestWindow w;
        frameSun(*w, true);
        tick(*w);
        // Just after the solstice's solar noon in Paris: a little west of
        // south, a little under 90 - 48.85 + 23.44 = 64.59°.
        const QString readOut = ui(*w).azimuthReadoutLabel->text() + u'\n' + ui(*w).elevationReadoutLabel->text();
        const QRegularExpression pattern(QStringLiteral("^Azimut = (\\d+,\\d\\d) °\nHauteur = (\\d+,\\d\\d) °$"));
        const auto m = pattern.match(readOut);
        const double az = QLocale().toDouble(m.captured(1)), el = QLocale().toDouble(m.captured(2));
        QVERIFY2(m.hasMatch() && az > 180 && az < 188 && el > 63.5 && el < 64.6, qPrintable(readOut));
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QVERIFY(finished.wait(3000));
        // The first search after start-up steps by 0: the start instant itself.
        QCOMPARE(ui(*w).utTimeLabel->text(), QStringLiteral("21/06/2026 12:00:00 (TU)"));
        QCOMPARE(ui(*w).continueButton->text(), QStringLiteral("Prochaine Sortie"));
        QVERIFY(ui(*w).continueButton->isVisible() && !w->realTime());

        QTest::mouseClick(ui(*w).continueButton, Qt::LeftButton);
        QVERIFY(finished.wait(3000));
        const QString time = ui(*w).utTimeLabel->text().mid(11);
        QVERIFY2(ui(*w).utTimeLabel->text().startsWith(u"21/06/2026 ") && time > u"12:12" && time < u"16:00", qPrintable(time));
        // Out by the right edge, azimuth 5871 * 360 / 10065, one fine step (3.6 s, some 0.03°) ago.
        const double edge = 5871 * 360.0 / 10065;
        QVERIFY2(!w->engine().inWindow && w->engine().sun.azimuth > edge && w->engine().sun.azimuth < edge + 0.1,
                 qPrintable(QString::number(w->engine().sun.azimuth)));
    }

    // A long search stopped by "Temps réel", the time bar or the clock
    // button: over, and not resumed by the next tick.
    void stopSearch_data()
    {
        QTest::addColumn<QString>("by");
        QTest::addColumn<QString>("shown"); // the UT and local time afterwards
        QTest::addColumn<int>("entryTarget"); // the search's target afterwards; -1: either
        QTest::newRow("Temps réel") << "Command1" << "12:00:00 (TU)14:00:00" << 1;
        QTest::newRow("time bar") << "VSHeure" << "12:01:00 (TU)14:01:00" << 0; // the target left alone
        QTest::newRow("clock button") << "Command3" << "12:00:00 (TU)14:00:00" << -1;
    }
    void stopSearch()
    {
        QFETCH(QString, by);
        QFETCH(QString, shown);
        QFETCH(int, entryTarget);
        TestWindow w;
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QVERIFY(startLongExitSearch(*w, finished));
        const bool byTimeBar = by == u"VSHeure";
        if (byTimeBar)
            QTest::keyClick(ui(*w).timeBar, Qt::Key_Down); // from 720, set by the tick at 12:00 UT
        else
            QTest::mouseClick(w->findChild<QPushButton *>(by), Qt::LeftButton);
        QVERIFY(finished.wait(3000));
        if (!byTimeBar)
            tick(*w); // which does not resume the search
        QVERIFY(!w->searchRunning() && !w->engine().searchActive && !ui(*w).continueButton->isVisible());
        QCOMPARE(ui(*w).searchButton->text(), QStringLiteral("Rechercher"));
        QCOMPARE(w->realTime(), !byTimeBar);
        QVERIFY(entryTarget < 0 || ui(*w).entrySearchCheck->isChecked() == bool(entryTarget));
        QCOMPARE(ui(*w).utTimeLabel->text() + ui(*w).localTimeLabel->text(), shown);
    }

    void surveyRefused_data()
    {
        QTest::addColumn<int>("step"); // -1: none chosen
        QTest::addColumn<bool>("folderInTheWay");
        QTest::addColumn<QString>("message");
        QTest::newRow("no step") << -1 << false << "1 heure";
        QTest::newRow("Export.csv a folder") << 2 << true << "fermer le fichier dans excel";
    }
    void surveyRefused()
    {
        QFETCH(int, step);
        QFETCH(bool, folderInTheWay);
        QFETCH(QString, message);
        QVERIFY(!folderInTheWay || QDir().mkpath(exportPath()));
        TestWindow w;
        tick(*w);
        click(ui(*w).surveyCheck);
        if (step >= 0)
            click(ui(*w).surveyStepButtons[step]);
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QTRY_VERIFY(searchMessage(*w));
        QVERIFY2(searchMessage(*w)->text().contains(message), qPrintable(searchMessage(*w)->text()));
        QVERIFY(!w->searchRunning());
        QCOMPARE(w->realTime(), !folderInTheWay); // a failed survey stays in "Temps réel"
        QCOMPARE(w->stateText(), QStringLiteral("OK"));
        QVERIFY(!QFileInfo(exportPath()).isFile());
    }

    // Each step button gives its step. The Sun's centre rises in Paris on
    // 21 June 2026 between 03:52 and 03:53 UT (elevation -0.10° and +0.16° at
    // 03:52 and 03:54, lumora-cli position) and sets on 22 June 2027 about
    // 19:54 UT; the survey covers 367 days.
    void surveyWritesFile_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("firstLines");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("10 minutes") << 0 << QStringList{"21/06/2026 04:00;", "21/06/2026 04:10;"} << "22/06/2027 19:50;";
        QTest::newRow("30 minutes") << 1 << QStringList{"21/06/2026 04:00;", "21/06/2026 04:30;"} << "22/06/2027 19:30;";
        QTest::newRow("1 heure") << 2 << QStringList{"21/06/2026 04:00;", "21/06/2026 05:00;"} << "22/06/2027 19:00;";
        QTest::newRow("1 minute") << 3 << QStringList{"21/06/2026 03:53;", "21/06/2026 03:54;"} << "22/06/2027 19:5";
    }
    void surveyWritesFile()
    {
        QFETCH(int, button);
        QFETCH(QStringList, firstLines);
        QFETCH(QString, lastLine);
        fixClock(utc(2026, 6, 21, 0, 30)); // the Sun is down: the survey is not over at its first pass
        TestWindow w;
        tick(*w);
        click(ui(*w).showSearchCheck); // faster
        click(ui(*w).surveyCheck);
        click(ui(*w).surveyStepButtons[button]);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QCOMPARE(w->stateText(), QStringLiteral("load"));
        QVERIFY(finished.wait(60000));
        QCOMPARE(w->stateText(), QStringLiteral("OK"));
        QFile file(exportPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.first(), QByteArray("\r"));
        for (int i = 0; i < 2; ++i)
            QVERIFY2(lines[i + 1].startsWith(firstLines[i].toLatin1()), lines[i + 1].constData());
        QVERIFY2(lines[lines.size() - 2].startsWith(lastLine.toLatin1()), lines[lines.size() - 2].constData());
        // Written in the program's folder: no word of another place.
        QVERIFY(!w->findChild<QMessageBox *>(QStringLiteral("SurveyLocation")));
    }

    // The file stops growing during the survey (a file-size limit): the
    // user is told which file and why, not to close it in a spreadsheet.
    void surveyOnAFullDisk()
    {
        fixClock(utc(2026, 6, 21, 0, 30));
        TestWindow w;
        tick(*w);
        click(ui(*w).surveyCheck);
        click(ui(*w).surveyStepButtons[0]);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        {
            const FileSizeLimit limit(4096);
            QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
            QVERIFY(finished.wait(20000));
        }
        QMessageBox *box = searchMessage(*w);
        QVERIFY(box);
        QVERIFY2(!box->text().contains(u"excel"), qPrintable(box->text()));
        QVERIFY2(box->informativeText().contains(exportPath()), qPrintable(box->informativeText()));
    }

    void trayIcon_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("first"); // the Sun in the frame
        QTest::addColumn<bool>("second");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("shown, out then in") << false << false << true << QStringList{};
        QTest::newRow("hidden, stays in") << true << true << true << QStringList{kTipIn};
        QTest::newRow("hidden, in then out") << true << true << false << QStringList{kTipIn, "hide", kTipOut};
    }
    void trayIcon()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, first);
        QFETCH(bool, second);
        QFETCH(QStringList, calls);
        TestWindow w;
        frameSun(*w, first);
        if (hidden)
            click(ui(*w).hideButton);
        tick(*w);
        const int removes = w->tray()->removeCalls();
        frameSun(*w, second);
        tick(*w);
        QCOMPARE(w->tray()->removeCalls(), removes + (first != second));
        QCOMPARE(w.tray->calls, calls);
        // The sun picture is the window's own icon; the other one is the
        // picture the window shows for a Sun outside.
        const QImage sunIn = w->windowIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage sunOut = ui(*w).sunOutIcon->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY(sunIn != sunOut);
        for (int i = 0; i < calls.size(); ++i)
            if (calls[i] != u"hide")
                QVERIFY2(w.tray->icons.takeFirst().convertToFormat(QImage::Format_ARGB32)
                             == (calls[i] == kTipIn ? sunIn : sunOut),
                         qPrintable(calls[i]));
        QCOMPARE(ui(*w).sunInIcon->isVisible(), second && !hidden);
        QCOMPARE(ui(*w).sunOutIcon->isVisible(), !second && !hidden);
    }

    // Between local and UT midnight the local date is not the UT date: the
    // boxes hold the UT date, Label6 the zone's time (from the time zone
    // database), and a search reports its result in both.
    void timeZones_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("found"); // Label5 and Label6 after a search; "": none made
        // The Sun is up in Paris at 14:00 UT in December: entry at once.
        QTest::newRow("Lord Howe, 01:00 on 7 Dec") << QByteArray("Australia/Lord_Howe") << utc(2026, 12, 6, 14, 0)
                                                   << "01:00:00" << "^06/12/2026 14:00:00 \\(TU\\) 07/12/2026 01:00:00$";
        QTest::newRow("Chatham, 09:45 on 7 Dec") << QByteArray("Pacific/Chatham") << utc(2026, 12, 6, 20, 0)
                                                 << "09:45:00" << "";
        // Night in Paris: the entry is the sunrise of 7 December UT, about 07:40.
        QTest::newRow("St John's, 21:10 on 6 Dec") << QByteArray("America/St_Johns") << utc(2026, 12, 7, 0, 40)
                                                   << "21:10:00" << "^07/12/2026 07:\\d\\d:\\d\\d \\(TU\\) 07/12/2026 04:";
        QTest::newRow("Paris, 00:30 on 1 Jan") << QByteArray("Europe/Paris") << utc(2026, 12, 31, 23, 30)
                                               << "00:30:00" << "";
    }
    void timeZones()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, now);
        QFETCH(QString, local);
        QFETCH(QString, found);
        setZone(zone.constData());
        auto paris = qScopeGuard([] { setZone("Europe/Paris"); });
        fixClock(now);
        TestWindow w;
        openFrame(*w);
        tick(*w);
        const WindowControls c = ui(*w);
        QCOMPARE(dateBoxesText(*w), now.date().toString(u"d/M/yyyy"));
        QCOMPARE(c.utTimeLabel->text() + c.localTimeLabel->text(), now.time().toString(u"HH:mm:ss (TU)") + local);
        if (found.isEmpty())
            return;
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(c.searchButton, Qt::LeftButton);
        QVERIFY(finished.wait(5000));
        const QString shown = c.utTimeLabel->text() + u' ' + c.localTimeLabel->text();
        QVERIFY2(QRegularExpression(found).match(shown).hasMatch(), qPrintable(shown));
    }

    // A chosen instant reads in the local time of that instant, not of today,
    // and so does a search's result found at once there.
    void localTimeOfTheChosenInstant_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("chosen");
        QTest::addColumn<int>("minute"); // UT minute of the day on the time bar
        QTest::addColumn<QString>("local");
        // Paris: UT+1, UT+2 in summer time (from 01:00 UT on the last Sunday
        // of March to 01:00 UT on the last Sunday of October); before 11 March
        // 1911, Paris mean time, UT+0:09:21.
        QTest::newRow("29/3/2026 02:00 UT, chosen in January") << utc(2026, 1, 15, 10, 0) << QDate(2026, 3, 29) << 120
                                                               << "04:00:00";
        QTest::newRow("29/3/2026 00:30 UT, still winter time") << utc(2026, 7, 15, 10, 0) << QDate(2026, 3, 29) << 30
                                                               << "01:30:00";
        QTest::newRow("15/7/2026 12:00 UT, chosen in December") << utc(2026, 12, 10, 10, 0) << QDate(2026, 7, 15) << 720
                                                                << "14:00:00";
        QTest::newRow("15/1/2026 12:00 UT, chosen in July") << utc(2026, 7, 10, 10, 0) << QDate(2026, 1, 15) << 720
                                                            << "13:00:00";
        QTest::newRow("1/1/1900 12:00 UT, Paris mean time") << utc(2026, 7, 10, 10, 0) << QDate(1900, 1, 1) << 720
                                                            << "12:09:21";
    }
    void localTimeOfTheChosenInstant()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDate, chosen);
        QFETCH(int, minute);
        QFETCH(QString, local);
        fixClock(now);
        TestWindow w;
        tick(*w);
        typeDate(*w, chosen.day(), chosen.month(), chosen.year());
        ui(*w).timeBar->setValue(minute == 0 ? 1 : 0);
        ui(*w).timeBar->setValue(minute);
        QCOMPARE(ui(*w).localTimeLabel->text(), local);
        if (minute != 720)
            return;
        openFrame(*w);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QVERIFY(finished.wait(5000));
        QCOMPARE(ui(*w).localTimeLabel->text(), chosen.toString(u"dd/MM/yyyy ") + local);
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("target"); // boxes, or a bar and "min" or "max"
        QTest::addColumn<QString>("text");
        const QString huge = QStringLiteral("179") + QString(306, u'0'); // near the largest double
        const QList<std::pair<QString, QString>> texts{
            {"empty", {}}, {"10000 characters", QStringLiteral("4é 2.-").repeated(2000)},
            {"non-ASCII", "été 中文 🌞 ٤٩"}, {"1e308", "1e308"}, {"nan", "nan"}, {"99999", "99999"},
            {"-32768", "-32768"}, {"huge", huge}};
        for (const QString box : {"Text1", "Text2", "Text3", "Text4", "Combo1(0)", "Combo1(1)", "Combo1(2)"})
            for (const auto &[name, text] : texts)
                QTest::newRow(qPrintable(box + u' ' + name)) << box << text;
        // Degrees + minutes / 60 goes beyond the largest double.
        QTest::newRow("latitude huge") << "Text1,Text2" << huge;
        QTest::newRow("longitude huge") << "Text3,Text4" << huge;
        for (const char *bar : {"HS1", "HS2", "VS1", "VS2", "VSHeure"})
            for (const char *end : {"min", "max"})
                QTest::addRow("%s %s", bar, end) << QString::fromLatin1(bar) << QString::fromLatin1(end);
    }
    void badInput()
    {
        QFETCH(QString, target);
        QFETCH(QString, text);
        TestWindow w;
        putText(*w, QStringLiteral("Combo1(1)"), QStringLiteral("1")); // January, where -32768 is refused
        if (auto *bar = w->findChild<QScrollBar *>(target))
            bar->setValue(text == u"max" ? bar->maximum() : bar->minimum());
        else
            for (const QString &box : target.split(u','))
                putText(*w, box, text);
        ui(*w).showSearchCheck->setChecked(true); // diagrams and sun picture follow every run
        tick(*w);
        VERIFY_SANE(*w, "after a tick");
        click(ui(*w).southButton);
        VERIFY_SANE(*w, "after clicking Sud");
        ui(*w).timeBar->setValue(ui(*w).timeBar->value() == 720 ? 721 : 720);
        VERIFY_SANE(*w, "after moving the time bar");
        click(ui(*w).searchButton);
        if (ui(*w).searchButton->text() == u"Temps réel") {
            QTest::qWait(150); // several slices of passes
            VERIFY_SANE(*w, "while searching");
            click(ui(*w).searchButton); // back to real time, which stops the search
            QTRY_VERIFY_WITH_TIMEOUT(!w->searchRunning(), 10000);
        } else {
            QVERIFY(searchMessage(*w)); // a date that cannot be computed: the user is told
        }
        VERIFY_SANE(*w, "after the search");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
