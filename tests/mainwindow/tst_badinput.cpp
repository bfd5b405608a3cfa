// Bad input in every box and every bar of the main window: whatever is typed
// or set, the window keeps running, every wait ends, and what it shows stays
// a real position and a real time (never "NaN" or an infinity).
#include "windowharness.h"

#include "diagrams/panoramaview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <cmath>

using harness::TestWindow;
using lumora::MainWindow;

namespace {

// Long enough for a search to run several slices of passes.
constexpr int kSearchRunMs = 150;
// Bound for the search to stop once asked.
constexpr int kStopTimeoutMs = 10000;

QLineEdit *editOf(MainWindow &w, const QString &box)
{
    if (box == u"Text1") return w.Text1;
    if (box == u"Text2") return w.Text2;
    if (box == u"Text3") return w.Text3;
    if (box == u"Text4") return w.Text4;
    for (int i = 0; i < 3; ++i)
        if (box == QStringLiteral("Combo1(%1)").arg(i))
            return w.Combo1[i]->lineEdit();
    return nullptr;
}

// Puts a text into a box: a site box takes it silently (it has no handler),
// a date box runs its text-change handling, then a key press runs its key-down
// handling on the text as it stands.
void putText(MainWindow &w, const QString &box, const QString &text)
{
    for (int i = 0; i < 3; ++i) {
        if (box == QStringLiteral("Combo1(%1)").arg(i)) {
            w.Combo1[i]->setEditText(text);
            QTest::keyClick(w.Combo1[i]->lineEdit(), Qt::Key_End);
            return;
        }
    }
    editOf(w, box)->setText(text);
}

// A description of what is broken on show or in the evaluation state;
// empty when all is sane.
QString insanity(MainWindow &w)
{
    static const QRegularExpression notANumber(QStringLiteral("\\b(nan|inf|infinity)\\b|∞"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (QLabel *label : {w.Label35, w.Label36, w.Label5, w.Label6}) {
        if (notANumber.match(label->text()).hasMatch())
            return QStringLiteral("%1 shows \"%2\"").arg(label->objectName(), label->text());
    }
    for (QLabel *label : w.LabLig)
        if (notANumber.match(label->text()).hasMatch())
            return QStringLiteral("%1 shows \"%2\"").arg(label->objectName(), label->text());
    // A site or a date that cannot be computed is refused, not evaluated.
    if (!std::isfinite(w.engine.site.latitude) || !std::isfinite(w.engine.site.longitude))
        return QStringLiteral("the site is latitude %1, longitude %2")
            .arg(w.engine.site.latitude)
            .arg(w.engine.site.longitude);
    if (!std::isfinite(w.engine.evalJulianDay))
        return QStringLiteral("the instant is Julian day %1").arg(w.engine.evalJulianDay);
    const lumora::SunPosition sun = w.engine.sun;
    if (!(sun.azimuth >= 0 && sun.azimuth <= 360 && sun.elevation >= -90 && sun.elevation <= 90))
        return QStringLiteral("the Sun stands at azimuth %1, elevation %2").arg(sun.azimuth).arg(sun.elevation);
    if (!std::isfinite(w.engine.sunPicture.x) || !std::isfinite(w.engine.sunPicture.y))
        return QStringLiteral("the Sun's place in the panorama is %1, %2")
            .arg(w.engine.sunPicture.x)
            .arg(w.engine.sunPicture.y);
    const lumora::FrameLines &lines = w.Pic->frameLines();
    if (lines.v1.x1 > lines.v2.x1 || lines.h1.y1 > lines.h2.y1)
        return QStringLiteral("the frame is reversed: %1..%2 across, %3..%4 down")
            .arg(lines.v1.x1)
            .arg(lines.v2.x1)
            .arg(lines.h1.y1)
            .arg(lines.h2.y1);
    return {};
}

#define VERIFY_SANE(w, step)                                                                                         \
    do {                                                                                                             \
        const QString problem = insanity(w);                                                                         \
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral(step ": ") + problem));                               \
    } while (0)

void closeMessageBoxes()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(widget))
            box->close();
}

} // namespace

class BadInputTest : public QObject
{
    Q_OBJECT

private:
    // Everything that reads the inputs, in turn, with a check after each.
    void exercise(MainWindow &w);

private slots:
    void initTestCase();
    void cleanup();
    void textInEveryBox_data();
    void textInEveryBox();
    void barAtItsEnds_data();
    void barAtItsEnds();
};

void BadInputTest::initTestCase()
{
    harness::fixEnvironment();
    harness::fixClock(harness::utc(2026, 1, 15, 11, 0, 30));
}

void BadInputTest::cleanup() { closeMessageBoxes(); }

void BadInputTest::exercise(MainWindow &w)
{
    // Diagrams and sun picture follow every run, also in manual mode.
    w.Check1->setChecked(true);

    w.Timer1_Timer();
    VERIFY_SANE(w, "after a tick");

    harness::click(w.Option2);
    QVERIFY(w.Option2->isChecked());
    VERIFY_SANE(w, "after clicking Sud");
    harness::click(w.Option3);
    VERIFY_SANE(w, "after clicking Ouest");

    w.VSHeure->setValue(w.VSHeure->value() == 720 ? 721 : 720);
    QVERIFY(!w.Timer1->isActive());
    VERIFY_SANE(w, "after moving the time bar");

    harness::click(w.Command1);
    if (w.Command1->text() == QStringLiteral("Temps réel")) {
        QTest::qWait(kSearchRunMs);
        VERIFY_SANE(w, "while searching");
        harness::click(w.Command1); // back to real time, which stops the search
        QTRY_VERIFY_WITH_TIMEOUT(!w.searchRunning(), kStopTimeoutMs);
        QVERIFY(w.Timer1->isActive());
        VERIFY_SANE(w, "after stopping the search");
    } else {
        // A date that cannot be computed: no search, and the user is told.
        QVERIFY(!w.searchRunning());
        QVERIFY(harness::searchMessage());
        VERIFY_SANE(w, "after the search was refused");
    }

    // The window still answers events.
    QTest::qWait(20);
    QVERIFY(w.isVisible());
}

void BadInputTest::textInEveryBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    // A second box filled in the same row (empty: none).
    QTest::addColumn<QString>("box2");
    QTest::addColumn<QString>("text2");

    const QList<std::pair<const char *, QString>> texts{
        {"empty", QString()},
        {"10000 digits", QString(10000, u'9')},
        {"10000 mixed characters", QStringLiteral("4é 2.-").repeated(10000 / 6)},
        {"non-ASCII letters", QStringLiteral("quarante-neuf ° été 中文 🌞")},
        {"Arabic-Indic digits", QStringLiteral("٤٩")},
        {"1e308", QStringLiteral("1e308")},
        {"-1e308", QStringLiteral("-1e308")},
        {"nan", QStringLiteral("nan")},
        {"inf", QStringLiteral("inf")},
        {"99999", QStringLiteral("99999")},
        {"-32768", QStringLiteral("-32768")},
        // Written out in full, these do reach the arithmetic.
        {"1 and 19 zeros", QStringLiteral("1") + QString(19, u'0')},
        {"1 and 308 zeros", QStringLiteral("1") + QString(308, u'0')},
    };
    const QStringList boxes{QStringLiteral("Text1"),     QStringLiteral("Text2"),     QStringLiteral("Text3"),
                            QStringLiteral("Text4"),     QStringLiteral("Combo1(0)"), QStringLiteral("Combo1(1)"),
                            QStringLiteral("Combo1(2)")};
    for (const QString &box : boxes)
        for (const auto &[name, text] : texts)
            QTest::addRow("%s: %s", qPrintable(box), name) << box << text << QString() << QString();

    // Each near the largest double: degrees + minutes / 60 goes beyond it.
    const QString nearLimit = QStringLiteral("179") + QString(306, u'0');
    QTest::newRow("Text1 and Text2: latitude degrees and minutes near the largest number")
        << QStringLiteral("Text1") << nearLimit << QStringLiteral("Text2") << nearLimit;
    QTest::newRow("Text3 and Text4: longitude degrees and minutes near the largest number")
        << QStringLiteral("Text3") << nearLimit << QStringLiteral("Text4") << nearLimit;
}

void BadInputTest::textInEveryBox()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, box2);
    QFETCH(QString, text2);

    TestWindow w;
    putText(*w, QStringLiteral("Combo1(1)"), QStringLiteral("1")); // January
    putText(*w, box, text);
    if (!box2.isEmpty())
        putText(*w, box2, text2);
    if (!box.startsWith(u"Combo1"))
        QCOMPARE(editOf(*w, box)->text(), text);
    exercise(*w);
}

void BadInputTest::barAtItsEnds_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<bool>("atMaximum");
    for (const char *bar : {"HS1", "HS2", "VS1", "VS2", "VSHeure"}) {
        QTest::addRow("%s at its minimum", bar) << QString::fromLatin1(bar) << false;
        QTest::addRow("%s at its maximum", bar) << QString::fromLatin1(bar) << true;
    }
}

void BadInputTest::barAtItsEnds()
{
    QFETCH(QString, bar);
    QFETCH(bool, atMaximum);

    TestWindow w;
    QScrollBar *scrollBar = w->findChild<QScrollBar *>(bar);
    QVERIFY2(scrollBar, qPrintable(bar));
    scrollBar->setValue(atMaximum ? scrollBar->maximum() : scrollBar->minimum());
    VERIFY_SANE(*w, "after setting the bar");
    exercise(*w);
}

QTEST_MAIN(BadInputTest)
#include "tst_badinput.moc"
