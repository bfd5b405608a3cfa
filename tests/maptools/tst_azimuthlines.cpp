// The overlay's lines: the blue line turns clockwise from the top of the
// screen, the red line crosses it at right angles, the read-out follows.
#include "maptools/azimuthlines.h"

#include <QTest>
#include <cmath>

using namespace lumora;

namespace {
constexpr double kWidth = 9555;  // the overlay's size in twips
constexpr double kHeight = 8745;
const QPointF kCentre(kWidth / 2, kHeight / 2 - 500);
constexpr double kReach = kWidth / 0.4;
constexpr double kTolerance = 0.05; // twips; a pixel is 15

bool near(const QPointF &a, const QPointF &b) { return QLineF(a, b).length() < kTolerance; }
QString text(const QPointF &p) { return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'f', 4).arg(p.y(), 0, 'f', 4); }
bool isFloat(double v) { return double(float(v)) == v; }
} // namespace

class TestAzimuthLines : public QObject
{
    Q_OBJECT

private slots:
    void directionAndCross_data()
    {
        QTest::addColumn<int>("azimuth");
        QTest::addColumn<QPointF>("towards"); // unit vector on screen, y down
        QTest::addColumn<QString>("readout");
        QTest::newRow("0°: up, map north") << 0 << QPointF(0, -1) << "0°";
        QTest::newRow("90°: right, east") << 90 << QPointF(1, 0) << "90°";
        QTest::newRow("180°: down, south (opening value)") << 180 << QPointF(0, 1) << "180°";
        QTest::newRow("270°: left, west") << 270 << QPointF(-1, 0) << "270°";
        QTest::newRow("360°: up again") << 360 << QPointF(0, -1) << "360°";
    }
    void directionAndCross()
    {
        QFETCH(int, azimuth);
        QFETCH(QPointF, towards);
        QFETCH(QString, readout);
        const AzimuthLines lines = azimuthLines(kWidth, kHeight, azimuth);

        QVERIFY2(near(lines.direction.p1(), kCentre), qPrintable(text(lines.direction.p1())));
        const QPointF end = kCentre + towards * kReach;
        QVERIFY2(near(lines.direction.p2(), end), qPrintable(text(lines.direction.p2()) + " expected " + text(end)));

        // 300 twips, centred on the centre point, at right angles to the blue line.
        QVERIFY2(near(lines.cross.center(), kCentre), qPrintable(text(lines.cross.center())));
        QVERIFY(std::abs(lines.cross.length() - 300) < kTolerance);
        const QPointF d = lines.cross.p2() - lines.cross.p1();
        QVERIFY(std::abs(QPointF::dotProduct(d, towards)) < kTolerance);

        QCOMPARE(lines.readout, readout);
    }

    void endpointsAreSinglePrecision()
    {
        const AzimuthLines lines = azimuthLines(kWidth, kHeight, 37);
        for (const QLineF &l : {lines.cross, lines.direction})
            QVERIFY(isFloat(l.x1()) && isFloat(l.y1()) && isFloat(l.x2()) && isFloat(l.y2()));
    }
};

QTEST_GUILESS_MAIN(TestAzimuthLines)
#include "tst_azimuthlines.moc"
