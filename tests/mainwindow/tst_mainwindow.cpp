// The main window driven as a user drives it: start-up, the date boxes, the
// time bar and real time, the site choices, the frame bars, the graduations,
// and the settings written when the window closes.
#include "windowharness.h"

#include "diagrams/panoramaview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

using namespace lumora;
using harness::TestWindow;

namespace {
QColor textColour(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

QStringList dateBoxes(MainWindow &w)
{
    return {w.Combo1[0]->currentText(), w.Combo1[1]->currentText(), w.Combo1[2]->currentText()};
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { harness::fixEnvironment(); }
    void init() { harness::fixClock(harness::utc(2026, 1, 15, 10, 0)); }
    void cleanupTestCase() { setClockSource({}); }

    void startUpControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("day box") << "Combo1(0)" << false;
        QTest::newRow("1 minute step") << "Option5(3)" << false;
        QTest::newRow("0° elevation label") << "LabH(9)" << false;
        QTest::newRow("continue button") << "Command8" << true;
        QTest::newRow("unused text box") << "Text11" << true;
        QTest::newRow("search target") << "Check2" << true;
        QTest::newRow("sun-in picture before any evaluation") << "solon" << true;
        QTest::newRow("sun-out picture before any evaluation") << "solofF" << true;
    }
    void startUpControls()
    {
        QFETCH(QString, name);
        QFETCH(bool, hidden);
        TestWindow w;
        auto *control = w->findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->isHidden(), hidden);
    }

    void startUpWindow()
    {
        TestWindow w;
        // 11055 x 8415 twips at 15 twips a pixel, and not resizable.
        QCOMPARE(w->size(), QSize(737, 561));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w->Tag, QStringLiteral("OK"));
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->Timer1->interval(), 1000);
        QVERIFY(w->Option1->isChecked());
        QVERIFY(w->Option4->isChecked());
        const QStringList site{w->Text1->text(), w->Text2->text(), w->Text3->text(), w->Text4->text()};
        QCOMPARE(site, (QStringList{"49", "00", "02", "20"}));
    }

    void startUpDate_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("15 Jan 2026 10:00 UT") << harness::utc(2026, 1, 15, 10, 0) << QStringList{"15", "1", "2026"};
        QTest::newRow("31 Dec 2026 23:30 UT is 1 Jan 2027 in Paris")
            << harness::utc(2026, 12, 31, 23, 30) << QStringList{"1", "1", "2027"};
        QTest::newRow("21 Jun 2026 22:30 UT is the 22nd in Paris (UT+2)")
            << harness::utc(2026, 6, 21, 22, 30) << QStringList{"22", "6", "2026"};
    }
    void startUpDate()
    {
        QFETCH(QDateTime, now);
        QFETCH(QStringList, boxes);
        harness::fixClock(now);
        TestWindow w;
        QCOMPARE(dateBoxes(*w), boxes);
    }

    void graduations()
    {
        TestWindow w;
        for (int i = 0; i < 25; ++i)
            QCOMPARE(w->LabANG[i]->text(), QString::number(15 * i) + u'°');
        for (int i = 0; i < 10; ++i)
            QCOMPARE(w->LabH[i]->text(), QString::number((9 - i) * 10) + u'°');
        // Ticks at Pic.Left + i * 14.98 * Pic.Width / 360: Pic 10065 twips wide at Left 420.
        const QLineF second = w->graduationTick(1);
        const QLineF last = w->graduationTick(24);
        QVERIFY2(std::abs(second.x1() - 838.8) < 0.05, qPrintable(QString::number(second.x1())));
        QVERIFY2(std::abs(last.x1() - 10471.6) < 0.05, qPrintable(QString::number(last.x1())));
        QCOMPARE(second, QLineF(second.x1(), 4740, second.x1(), 4935));
    }

    void timeBar_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("utText");
        QTest::addColumn<QString>("localText");
        // The clock stands one minute before; a key press moves the bar on.
        QTest::newRow("720 in January, Paris UT+1")
            << harness::utc(2026, 1, 15, 11, 59) << "12:00:00 (TU)" << "13:00:00";
        QTest::newRow("720 in July, Paris UT+2") << harness::utc(2026, 7, 15, 11, 59) << "12:00:00 (TU)" << "14:00:00";
        QTest::newRow("23:00 UT in July is 01:00 local")
            << harness::utc(2026, 7, 15, 22, 59) << "23:00:00 (TU)" << "01:00:00";
    }
    void timeBar()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, utText);
        QFETCH(QString, localText);
        harness::fixClock(now);
        TestWindow w;
        w->Timer1_Timer(); // the offset to local time is known from the first tick
        QCOMPARE(textColour(w->Label6), QColor(0, 0, 0));
        const int before = w->VSHeure->value();
        QTest::keyClick(w->VSHeure, Qt::Key_Down);
        QCOMPARE(w->VSHeure->value(), before + 1);
        QCOMPARE(w->Label5->text(), utText);
        QCOMPARE(w->Label6->text(), localText);
        QVERIFY(!w->Timer1->isActive());
        QCOMPARE(textColour(w->Label6), QColor(255, 0, 0));
        QCOMPARE(w->engine.dayFractionUT, w->VSHeure->value() / 1440.0);
    }

    void dayTyped_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("day");
        QTest::newRow("31 in April resets to 1") << harness::utc(2026, 4, 15, 10, 0) << "31" << "1";
        QTest::newRow("30 in April stays") << harness::utc(2026, 4, 15, 10, 0) << "30" << "30";
        QTest::newRow("29 in February 2026 resets to 1") << harness::utc(2026, 2, 15, 10, 0) << "29" << "1";
        QTest::newRow("29 in February 2024 (leap year) stays") << harness::utc(2024, 2, 15, 10, 0) << "29" << "29";
    }
    void dayTyped()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, typed);
        QFETCH(QString, day);
        harness::fixClock(now);
        TestWindow w;
        harness::typeInto(w->Combo1[0]->lineEdit(), typed);
        QCOMPARE(w->Combo1[0]->currentText(), day);
    }

    void keyDownChecksTextBeforeKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Backspace on 31: the check sees 31, not 3") << int(Qt::Key_Backspace);
        QTest::newRow("End, which changes no text") << int(Qt::Key_End);
    }
    void keyDownChecksTextBeforeKey()
    {
        QFETCH(int, key);
        harness::fixClock(harness::utc(2026, 4, 15, 10, 0));
        TestWindow w;
        {
            // An impossible date that no handler has seen yet.
            const QSignalBlocker blocker(w->Combo1[0]);
            w->Combo1[0]->setEditText(QStringLiteral("31"));
        }
        QTest::keyClick(w->Combo1[0]->lineEdit(), Qt::Key(key));
        QCOMPARE(w->Combo1[0]->currentText(), QStringLiteral("1"));
    }

    void command3OnThe31st_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("shownMonth");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("31 Dec 2026 while April is shown")
            << harness::utc(2026, 12, 31, 10, 0) << "4" << QStringList{"31", "12", "2026"};
        QTest::newRow("31 Jan 2026 while February is shown")
            << harness::utc(2026, 1, 31, 10, 0) << "2" << QStringList{"31", "1", "2026"};
    }
    void command3OnThe31st()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, shownMonth);
        QFETCH(QStringList, boxes);
        harness::fixClock(now);
        TestWindow w;
        w->Timer1_Timer();
        QTest::keyClick(w->VSHeure, Qt::Key_Down); // manual mode
        harness::typeInto(w->Combo1[1]->lineEdit(), shownMonth);
        QCOMPARE(dateBoxes(*w), (QStringList{"1", shownMonth, boxes[2]})); // the 31st did not fit
        QTest::mouseClick(w->Command3, Qt::LeftButton);
        QCOMPARE(dateBoxes(*w), boxes);
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->Label5->text(), QStringLiteral("10:00:00 (TU)"));
    }

    void southInManualMode()
    {
        TestWindow w;
        w->Timer1_Timer();
        QTest::keyClick(w->VSHeure, Qt::Key_Down);
        QVERIFY(!w->Timer1->isActive());
        harness::fixClock(harness::utc(2026, 1, 15, 14, 45, 40));
        harness::click(w->Option2);
        QVERIFY(w->Option2->isChecked());
        QCOMPARE(w->Label5->text(), QStringLiteral("---"));
        QCOMPARE(w->Label6->text(), QStringLiteral("---"));
        QCOMPARE(w->VSHeure->value(), 886); // 14:45:40 UT, to the nearest minute
        QVERIFY(!w->Timer1->isActive());
        QCOMPARE(w->engine.site.latitude, -49.0);
    }

    void readOutsInFrench()
    {
        harness::fixClock(harness::utc(2026, 6, 21, 12, 0));
        TestWindow w;
        w->Timer1_Timer();
        const QString azimuth = w->Label35->text();
        const QString elevation = w->Label36->text();
        const QRegularExpression pattern(QStringLiteral("^(Azimut|Hauteur) = (\\d*,\\d\\d) °$"));
        const auto a = pattern.match(azimuth);
        const auto h = pattern.match(elevation);
        QVERIFY2(a.hasMatch() && a.captured(1) == u"Azimut", qPrintable(azimuth));
        QVERIFY2(h.hasMatch() && h.captured(1) == u"Hauteur", qPrintable(elevation));
        // Just after the solstice's solar noon in Paris: a little west of
        // south, a little under 90 - 48.85 + 23.44 = 64.59°.
        const QLocale french(QLocale::French, QLocale::France);
        const double az = french.toDouble(a.captured(2));
        const double el = french.toDouble(h.captured(2));
        QVERIFY2(az > 180 && az < 188, qPrintable(azimuth));
        QVERIFY2(el > 63.5 && el < 64.6, qPrintable(elevation));
    }

    void frameCorrection_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("moveTo");
        QTest::addColumn<QList<int>>("values"); // HS1, HS2, VS1, VS2 afterwards
        // First run: HS1 1000, HS2 9065, VS1 1000, VS2 3335.
        QTest::newRow("HS1 past HS2 stops at HS2 - 1") << "HS1" << 9500 << QList<int>{9064, 9065, 1000, 3335};
        QTest::newRow("HS2 below HS1 stops at HS1 + 1") << "HS2" << 500 << QList<int>{1000, 1001, 1000, 3335};
        QTest::newRow("VS1 below VS2 stops at VS2 - 1") << "VS1" << 4000 << QList<int>{1000, 9065, 3334, 3335};
        QTest::newRow("VS2 above VS1 stops at VS1 + 1") << "VS2" << 500 << QList<int>{1000, 9065, 1000, 1001};
    }
    void frameCorrection()
    {
        QFETCH(QString, bar);
        QFETCH(int, moveTo);
        QFETCH(QList<int>, values);
        TestWindow w;
        w->findChild<QScrollBar *>(bar)->setValue(moveTo);
        QCOMPARE((QList<int>{w->HS1->value(), w->HS2->value(), w->VS1->value(), w->VS2->value()}), values);
        const FrameLines &lines = w->Pic->frameLines();
        QCOMPARE((QList<float>{lines.v1.x1, lines.v2.x1, lines.h1.y1, lines.h2.y1}),
                 (QList<float>{float(values[0]), float(values[1]), float(values[2]), float(values[3])}));
    }

    void zeroWidthFrame()
    {
        TestWindow w;
        w->HS2->setValue(5000);
        w->HS1->setValue(5000);
        const FrameLines &lines = w->Pic->frameLines();
        QCOMPARE(lines.v1.x1, 5000.f);
        QCOMPARE(lines.v2.x1, 5000.f);
        // The right azimuth label would cover the left one: it moves right by its width.
        const int shift = w->LabLig[1]->x() - w->LabLig[0]->x();
        QVERIFY2(std::abs(shift - w->LabLig[1]->width()) <= 1,
                 qPrintable(QStringLiteral("shift %1 px, width %2 px").arg(shift).arg(w->LabLig[1]->width())));
        QCOMPARE(w->LabLig[1]->y(), w->LabLig[0]->y());
    }

    void restoredOutOfOrderDrawsNothing()
    {
        TestWindow w({{"HS1", "6000"}, {"HS2", "2000"}});
        QCOMPARE(w->HS1->value(), 6000);
        QCOMPARE(w->HS2->value(), 2000);
        // The lines stay where the layout puts them.
        const FrameLines &lines = w->Pic->frameLines();
        QCOMPARE((QList<float>{lines.v1.x1, lines.v2.x1, lines.h1.y1, lines.h2.y1, lines.h1.x1, lines.h2.x2}),
                 (QList<float>{2100, 3210, 900, 2460, 1500, 4080}));
        QCOMPARE(w->LabLig[0]->text(), QStringLiteral("XXX°"));
        // Until the user moves an offending bar.
        w->HS2->setValue(7000);
        QCOMPARE(w->Pic->frameLines().v1.x1, 6000.f);
        QCOMPARE(w->Pic->frameLines().v2.x1, 7000.f);
    }

    void frameLabels_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        // Pic 10065 x 4335: azimuth = X * 360 / 10065, elevation = 90 - Y * 90 / 4335.
        QTest::newRow("HS1 1000: left 35.77°") << "HS1" << 1000 << 0 << "36°" << "35,77°";
        QTest::newRow("VS2 3335: lower 20.76°") << "VS2" << 3335 << 3 << "21°" << "20,76°";
        QTest::newRow("VS1 500: upper 79.62°") << "VS1" << 500 << 2 << "80°" << "79,62°";
        QTest::newRow("HS2 9065: right 324.23°") << "HS2" << 9065 << 1 << "324°" << "324,23°";
    }
    void frameLabels()
    {
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(int, label);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        TestWindow w;
        auto *scrollBar = w->findChild<QScrollBar *>(bar);
        scrollBar->setValue(value + 50); // a real change, still in order
        scrollBar->setValue(value);
        QCOMPARE(w->LabLig[label]->text(), caption);
        QCOMPARE(w->LabLig[label]->toolTip(), toolTip);
    }

    void closeSavesSettings_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("close box") << true;
        QTest::newRow("Quitter") << false;
    }
    void closeSavesSettings()
    {
        QFETCH(bool, closeBox);
        TestWindow w;
        w->HS2->setValue(8000);
        w->HS1->setValue(2000);
        w->VS1->setValue(500);
        w->VS2->setValue(3000);
        harness::typeInto(w->Text1, QStringLiteral("33"));
        harness::typeInto(w->Text4, QStringLiteral("15"));
        harness::click(w->Option2);
        harness::click(w->Option3);
        if (closeBox)
            QVERIFY(w->close());
        else
            QTest::mouseClick(w->Command2, Qt::LeftButton);
        QVERIFY(!w->isVisible());

        QSettings saved(w.iniPath(), QSettings::IniFormat);
        saved.beginGroup(QStringLiteral("DATA"));
        const QStringList keys{"VS1", "VS2", "HS1", "HS2", "T1", "T2", "T3", "T4", "O1", "O2", "O3", "O4"};
        QStringList texts;
        for (const QString &key : keys)
            texts << saved.value(key).toString();
        QCOMPARE(texts, (QStringList{"500", "3000", "2000", "8000", "33", "00", "02", "15", "Faux", "Vrai", "Vrai",
                                     "Faux"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
