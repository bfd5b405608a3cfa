// The painted pictures: where the dials put their pointers, that a cleared
// dial is blank, and where the panorama draws the frame.
#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"

#include <QImage>
#include <QtTest>
#include <cmath>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::DialView::Kind)

namespace {
constexpr double kDeg = 3.14159265358979323846 / 180;
constexpr double kDial = 1770; // twips: 118 pixels
const QColor kBlue(0, 0, 255), kBrown(192, 64, 0), kRed(255, 0, 0), kSky(0, 192, 192);

QImage picture(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

bool close(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 60 && std::abs(a.green() - b.green()) <= 60
        && std::abs(a.blue() - b.blue()) <= 60;
}

// Whether a pixel within one pixel of the point (twips) has the colour;
// without a point, anywhere in the picture.
bool colourAt(const QImage &image, QColor colour, std::optional<QPointF> twips = {})
{
    const QRect area
        = twips ? QRect(int(twips->x() / 15) - 1, int(twips->y() / 15) - 1, 3, 3) : image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.valid(x, y) && close(image.pixelColor(x, y), colour))
                return true;
    return false;
}

QByteArray at(QPointF p)
{
    return "at twips " + QByteArray::number(p.x(), 'f', 1) + ", "
        + QByteArray::number(p.y(), 'f', 1);
}
} // namespace

class TestDialViews : public QObject
{
    Q_OBJECT
private slots:
    void azimuthPointer_data();
    void azimuthPointer();
    void elevationPointer_data();
    void elevationPointer();
    void clearLeavesNoPointer_data();
    void clearLeavesNoPointer();
    void panoramaFrame();
};

void TestDialViews::azimuthPointer_data()
{
    QTest::addColumn<double>("azimuth");
    QTest::newRow("North: tip up") << 0.0;
    QTest::newRow("East: tip right") << 90.0;
    QTest::newRow("West: tip left") << 270.0;
}

void TestDialViews::azimuthPointer()
{
    QFETCH(double, azimuth);
    DialView view(DialView::Kind::Azimuth);
    view.resize(118, 118);
    view.showSun({azimuth, 30});
    const QImage image = picture(view);

    // Centre (W/2, W/2 - 80), North up, East right; tip at W / 3.5, a tail as
    // long on the other side, the head's base 200 from the centre, 15 degrees
    // either side of the direction.
    const QPointF centre(kDial / 2, kDial / 2 - 80);
    const QPointF dir(std::sin(azimuth * kDeg), -std::cos(azimuth * kDeg)),
        across(-dir.y(), dir.x());
    const double reach = kDial / 3.5;
    for (QPointF on : {centre + 0.95 * reach * dir, centre - 0.95 * reach * dir,
             centre + 193 * dir + 35 * across})
        QVERIFY2(colourAt(image, kBlue, on), at(on));
    for (QPointF off : {centre + (reach + 45) * dir, centre - 193 * dir + 35 * across,
             centre + 0.8 * reach * across})
        QVERIFY2(!colourAt(image, kBlue, off), at(off));
}

void TestDialViews::elevationPointer_data()
{
    QTest::addColumn<double>("elevation");
    QTest::addColumn<QPointF>("centre");
    QTest::newRow("45: from the lower centre, up and left") << 45.0 << QPointF(1570, 1570);
    QTest::newRow("0: from the top centre, left") << 0.0 << QPointF(1570, 200);
    QTest::newRow("-20: from the top centre, down and left") << -20.0 << QPointF(1570, 200);
}

void TestDialViews::elevationPointer()
{
    QFETCH(double, elevation);
    QFETCH(QPointF, centre);
    DialView view(DialView::Kind::Elevation);
    view.resize(118, 118);
    view.showSun({180, elevation});
    const QImage image = picture(view);

    // 0 points left, 90 up; the tip at W / 1.7, no tail.
    const auto dir = [](double e) { return QPointF(-std::cos(e * kDeg), -std::sin(e * kDeg)); };
    const double reach = kDial / 1.7;
    for (QPointF on :
        {centre + 0.95 * reach * dir(elevation), centre + 0.6 * reach * dir(elevation)})
        QVERIFY2(colourAt(image, kBrown, on), at(on));
    for (QPointF off :
        {centre + (reach + 45) * dir(elevation), centre + 0.6 * reach * dir(elevation - 40)})
        QVERIFY2(!colourAt(image, kBrown, off), at(off));
}

void TestDialViews::clearLeavesNoPointer_data()
{
    QTest::addColumn<DialView::Kind>("kind");
    QTest::addColumn<QColor>("pointer");
    QTest::newRow("azimuth dial") << DialView::Kind::Azimuth << kBlue;
    QTest::newRow("elevation dial") << DialView::Kind::Elevation << kBrown;
}

void TestDialViews::clearLeavesNoPointer()
{
    QFETCH(DialView::Kind, kind);
    QFETCH(QColor, pointer);
    DialView view(kind);
    view.resize(118, 118);
    view.showSun({135, 40});
    QVERIFY(view.isShowing());
    QVERIFY(colourAt(picture(view), pointer));

    view.clear();
    QVERIFY(!view.isShowing() && !view.shownSun());
    QVERIFY(!colourAt(picture(view), pointer));
}

void TestDialViews::panoramaFrame()
{
    PanoramaView view;
    view.resize(671, 289); // 10065 x 4335 twips
    view.setFrameLines(frameLinesFor({1000, 5000, 500, 3335}));
    const QImage image = picture(view);

    // The four edges, and the sky's colour inside and outside the frame.
    for (QPointF on :
        {QPointF(1000, 2000), QPointF(5000, 2000), QPointF(3000, 500), QPointF(3000, 3335)})
        QVERIFY2(colourAt(image, kRed, on), at(on));
    for (QPointF off :
        {QPointF(3000, 2000), QPointF(8000, 2000), QPointF(3000, 4000), QPointF(5500, 500)}) {
        QVERIFY2(!colourAt(image, kRed, off), at(off));
        QVERIFY2(colourAt(image, kSky, off), at(off));
    }
}

QTEST_MAIN(TestDialViews)
#include "tst_dialviews.moc"
