// The map address texts, whatever the locale; where the overlay draws its
// lines; the overlay window's opening state, transparency, "Retour" and dragging.
#include "maptools/azimuthlines.h"
#include "maptools/azimuthoverlay.h"
#include "maptools/mapaddress.h"
#include "support/rows.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace lumora;

// Both ends within a twentieth of a twip (a pixel is 15 twips).
static bool near(QLineF a, QLineF b) { return QLineF(a.p1(), b.p1()).length() + QLineF(a.p2(), b.p2()).length() < .05; }

class TestMapTools : public QObject
{
    Q_OBJECT

private slots:
    // A French default locale must not turn the decimal point into a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void query_data()
    {
        addColumns<double, double, QString>("latitude", "westLongitude", "ll");
        QTest::newRow("49°00' N 2°20' E") << 49.0 << -(2 + 20 / 60.0) << "49.0000000,2.3333333";
        QTest::newRow("33°30' S 2°30' E") << -33.5 << -2.5 << "-33.5000000,2.5";
        QTest::newRow("0°30' S 1°30' W") << -0.5 << 1.5 << "-0.5000000,-1.5";
        QTest::newRow("48°50' N, carry to 2° E") << 48 + 50 / 60.0 << -1.99999999 << "48.8333333,2.";
    }
    void query()
    {
        const auto [latitude, westLongitude, ll] = fetchColumns<double, double, QString>("latitude", "westLongitude",
            "ll");
        QCOMPARE(mapQuery(latitude, westLongitude), "?ll=" + ll + "&spn=0.099583,0.219830&t=h&hl=fr");
    }

    void overlayLines_data()
    {
        // towards: on screen, y down
        addColumns<int, QPointF>("azimuth", "towards");
        QTest::newRow("0 up") << 0 << QPointF(0, -1);
        QTest::newRow("90 right") << 90 << QPointF(1, 0);
        QTest::newRow("180 down") << 180 << QPointF(0, 1);
        QTest::newRow("270 left") << 270 << QPointF(-1, 0);
        QTest::newRow("360 up") << 360 << QPointF(0, -1);
    }
    void overlayLines()
    {
        const auto [azimuth, towards] = fetchColumns<int, QPointF>("azimuth", "towards");
        const AzimuthLines lines = azimuthLines(9555, 8745, azimuth); // the overlay's size in twips
        const QPointF centre(9555 / 2.0, 8745 / 2.0 - 500), across(-towards.y() * 150, towards.x() * 150);
        QVERIFY(near(lines.direction, QLineF(centre, centre + towards * 9555 * 2.5)));
        QVERIFY(near(lines.cross, QLineF(centre + across, centre - across)));
        QCOMPARE(lines.readout, QStringLiteral("%1°").arg(azimuth));
    }

    void opensAt200And180AndRetourReturns()
    {
        auto *overlay = new AzimuthOverlay;
        QCOMPARE(overlay->findChild<QWidget *>("Label3")->property("text"), QVariant("180°"));
        QVERIFY(qAbs(overlay->windowOpacity() - 200 / 255.0) < 0.01);
        // Down to its end the bar stops at 20: faint, never invisible.
        QTest::keyClick(overlay->findChild<QWidget *>("HScroll1"), Qt::Key_Home);
        QCOMPARE(overlay->alpha(), 20);
        QVERIFY(qAbs(overlay->windowOpacity() - 20 / 255.0) < 0.01);
        overlay->show();
        QSignalSpy returned(overlay, &AzimuthOverlay::returned), destroyed(overlay, &QObject::destroyed);
        QTest::mouseClick(overlay->findChild<QWidget *>("Command1"), Qt::LeftButton);
        QCOMPARE(returned.count(), 1);
        QTRY_COMPARE(destroyed.count(), 1); // gone: the next opening starts afresh
    }

    // Pressed on the white surface the overlay follows the pointer; on a control it stays.
    void dragsFromTheSurfaceOnly()
    {
        AzimuthOverlay overlay;
        overlay.show();
        const QPoint before = overlay.pos();
        for (QWidget *pressed : {overlay.findChild<QWidget *>("HScroll2"), overlay.findChild<QWidget *>("Label3"),
                                 static_cast<QWidget *>(&overlay)}) {
            const QPoint end = overlay.mapFromGlobal(pressed->mapToGlobal(QPoint(20, 5))) + QPoint(30, 20);
            QTest::mousePress(pressed, Qt::LeftButton, {}, QPoint(20, 5));
            QTest::mouseMove(&overlay, end);
            QTest::mouseRelease(&overlay, Qt::LeftButton, {}, end);
            QTRY_COMPARE(overlay.pos(), before + (pressed == &overlay ? QPoint(30, 20) : QPoint()));
        }
    }
};

QTEST_MAIN(TestMapTools)
#include "tst_maptools.moc"
