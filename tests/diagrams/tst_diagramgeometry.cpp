// Panorama and dial coordinates, bar scales, graduations, read-outs and the
// sun picture's placement.
#include "diagrams/dialdrawing.h"
#include "diagrams/geometry.h"

#include <QtTest>
#include <cmath>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::PictureSize)

namespace {
constexpr double kDeg = 3.14159265358979323846 / 180;

bool near(QPointF a, QPointF b, double tol)
{
    return std::fabs(a.x() - b.x()) <= tol && std::fabs(a.y() - b.y()) <= tol;
}
QByteArray show(QPointF p)
{
    return QByteArray::number(p.x(), 'f', 3) + ", " + QByteArray::number(p.y(), 'f', 3);
}
} // namespace

class TestDiagramGeometry : public QObject
{
    Q_OBJECT
private slots:
    void panorama_data();
    void panorama();
    void barScales_data();
    void barScales();
    void graduations();
    void dialPoints_data();
    void dialPoints();
    void elevationDialMarks();
    void readouts_data();
    void readouts();
};

void TestDiagramGeometry::panorama_data()
{
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<double>("y");
    QTest::newRow("North, zenith: top-left corner") << 0.0 << 0.0 << 90.0 << 0.0;
    QTest::newRow("360, horizon: bottom-right corner") << 360.0 << 10065.0 << 0.0 << 4335.0;
    QTest::newRow("South at 45: middle") << 180.0 << 5032.5 << 45.0 << 2167.5;
    QTest::newRow("10 below the horizon: under the picture")
        << 90.0 << 2516.25 << -10.0 << 4335.0 * 100 / 90;
}

void TestDiagramGeometry::panorama()
{
    QFETCH(double, azimuth);
    QFETCH(double, x);
    QFETCH(double, elevation);
    QFETCH(double, y);
    const PictureSize pic;
    QCOMPARE(azimuthToX(azimuth, pic), x);
    QCOMPARE(elevationToY(elevation, pic), y);
    QVERIFY(std::fabs(xToAzimuth(x, pic) - azimuth) < 1e-9);
    QVERIFY(std::fabs(yToElevation(y, pic) - elevation) < 1e-9);
}

void TestDiagramGeometry::barScales_data()
{
    QTest::addColumn<PictureSize>("pic");
    QTest::addColumn<QList<int>>("horizontal");
    QTest::addColumn<QList<int>>("vertical");
    QTest::newRow("layout picture 10065 x 4335")
        << PictureSize{10065, 4335} << QList<int>{10065, 14, 140} << QList<int>{4335, 24, 241};
    // 10440 / 720 = 14.5 and 4410 / 180 = 24.5 go to the even neighbour.
    QTest::newRow("halves to even")
        << PictureSize{10440, 4410} << QList<int>{10440, 14, 145} << QList<int>{4410, 24, 245};
}

void TestDiagramGeometry::barScales()
{
    QFETCH(PictureSize, pic);
    QFETCH(QList<int>, horizontal);
    QFETCH(QList<int>, vertical);
    const BarScale h = horizontalBarScale(pic), v = verticalBarScale(pic);
    QCOMPARE((QList<int>{h.max, h.smallChange, h.largeChange}), horizontal);
    QCOMPARE((QList<int>{v.max, v.smallChange, v.largeChange}), vertical);
}

void TestDiagramGeometry::graduations()
{
    // Ticks 14.98 degrees apart from the picture's Left 420: the 360° one
    // stands short of the right edge at 10485.
    const double expected[][2] = {{0, 420}, {1, 838.8}, {24, 10471.6}};
    for (const auto &[i, x] : expected) {
        const float tick = graduationTickX(int(i), 420, PictureSize{});
        QVERIFY2(std::fabs(tick - x) < 0.05, QByteArray::number(tick, 'f', 3));
    }
    QCOMPARE(azimuthGraduationCaption(0), QStringLiteral("0°"));
    QCOMPARE(azimuthGraduationCaption(1), QStringLiteral("15°"));
    QCOMPARE(azimuthGraduationCaption(24), QStringLiteral("360°"));
    QCOMPARE(elevationGraduationCaption(0), QStringLiteral("90°"));
    QCOMPARE(elevationGraduationCaption(9), QStringLiteral("0°"));
}

void TestDiagramGeometry::dialPoints_data()
{
    QTest::addColumn<bool>("compass");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("radius");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<QPointF>("point");
    // Compass 1770 wide: centre (885, 805), North up, East right.
    const QPointF c(885, 805);
    QTest::newRow("azimuth 0 straight up") << true << 0.0 << 500.0 << c << QPointF(885, 305);
    QTest::newRow("azimuth 90 straight right") << true << 90.0 << 500.0 << c << QPointF(1385, 805);
    QTest::newRow("azimuth 180 straight below")
        << true << 180.0 << 500.0 << c << QPointF(885, 1305);
    // Quarter dial 1770 wide, pointer radius 1770 / 1.7 = 1041.2.
    const double r = 1770 / 1.7;
    QTest::newRow("elevation 45 up-left of the low centre")
        << false << 45.0 << r << QPointF(1570, 1570)
        << QPointF(1570 - r * std::cos(45 * kDeg), 1570 - r * std::sin(45 * kDeg));
    QTest::newRow("elevation -20 down-left from the top centre")
        << false << -20.0 << r << QPointF(1570, 200)
        << QPointF(1570 - r * std::cos(20 * kDeg), 200 + r * std::sin(20 * kDeg));
}

void TestDiagramGeometry::dialPoints()
{
    QFETCH(bool, compass);
    QFETCH(double, angle);
    QFETCH(double, radius);
    QFETCH(QPointF, centre);
    QFETCH(QPointF, point);
    const QPointF c = compass ? azimuthDialCentre(1770) : elevationDialCentre(1770, angle);
    const QPointF p
        = compass ? azimuthDialPoint(1770, angle, radius) : elevationDialPoint(1770, angle, radius);
    QVERIFY2(near(c, centre, 1e-9), show(c));
    QVERIFY2(near(p, point, 0.01), show(p) + " expected " + show(point));
}

void TestDiagramGeometry::elevationDialMarks()
{
    // Seven marks, 90 down to 0 every 15 degrees, only while the Sun is up.
    const auto marks = [](double elevation) {
        const auto strokes = elevationDialStrokes(1770, elevation);
        return std::count_if(strokes.begin(), strokes.end(),
            [](const DialStroke &s) { return s.kind == DialStroke::Kind::Circle; });
    };
    QCOMPARE(marks(45), 7);
    QCOMPARE(marks(0), 0);
}

void TestDiagramGeometry::readouts_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<QString>("azimuthText");
    QTest::addColumn<QString>("elevationText");
    QTest::newRow("point separator") << "C" << 5.5 << -0.25 << "Azimut = 5.50 °"
                                     << "Hauteur = -.25 °";
    QTest::newRow("French comma") << "fr_FR" << 5.5 << -0.25 << "Azimut = 5,50 °"
                                  << "Hauteur = -,25 °";
}

void TestDiagramGeometry::readouts()
{
    QFETCH(QString, localeName);
    QFETCH(double, azimuth);
    QFETCH(double, elevation);
    QFETCH(QString, azimuthText);
    QFETCH(QString, elevationText);
    QCOMPARE(azimuthReadout(azimuth, QLocale(localeName)), azimuthText);
    QCOMPARE(elevationReadout(elevation, QLocale(localeName)), elevationText);
}

QTEST_APPLESS_MAIN(TestDiagramGeometry)
#include "tst_diagramgeometry.moc"
