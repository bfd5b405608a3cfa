// The sky pictures: the panorama's bar scales, keeping the aperture bars in
// order, where the frame's bound labels go (their texts and the graduations:
// tests/mainwindow), where the painted dials
// put their pointers and marks, that a cleared dial is blank, and the
// panorama's frame.
#include "diagrams/dialdrawing.h"
#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"
#include "support/rows.h"

#include <QtTest>
#include <algorithm>
#include <cmath>

using namespace lumora;
using A = ApertureValues;
using B = FrameBar;

Q_DECLARE_METATYPE(lumora::PictureSize)
Q_DECLARE_METATYPE(lumora::FrameBar)
Q_DECLARE_METATYPE(lumora::ApertureValues)

namespace {
constexpr int kHMax = 10065;
constexpr int kVMax = 4335;
constexpr double kDeg = 3.14159265358979323846 / 180;
const QColor kBlue(0, 0, 255), kBrown(192, 64, 0), kRed(255, 0, 0), kSky(0, 192, 192);

QImage picture(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// Whether a pixel within one pixel of the point (twips, 15 a pixel), or
// anywhere without a point, is close to the colour (antialiasing blends edges).
bool colourAt(const QImage &image, QColor colour, std::optional<QPointF> twips = {})
{
    const QRect area
        = (twips ? QRect(int(twips->x() / 15) - 1, int(twips->y() / 15) - 1, 3, 3) : image.rect()) & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QColor c = image.pixelColor(x, y); qAbs(c.red() - colour.red()) <= 60
                && qAbs(c.green() - colour.green()) <= 60 && qAbs(c.blue() - colour.blue()) <= 60)
                return true;
    return false;
}
} // namespace

class TestDiagrams : public QObject
{
    Q_OBJECT
private slots:
    void barScales_data()
    {
        // horizontal: max, small change, large change
        addColumns<PictureSize, QList<int>, QList<int>>("pic", "horizontal", "vertical");
        QTest::newRow("layout") << PictureSize{10065, 4335} << QList<int>{10065, 14, 140} << QList<int>{4335, 24, 241};
        // 10440 / 720 = 14.5 and 4410 / 180 = 24.5 go to the even neighbour.
        QTest::newRow("halves to even") << PictureSize{10440, 4410} << QList<int>{10440, 14, 145}
                                        << QList<int>{4410, 24, 245};
    }
    void barScales()
    {
        const auto [pic, horizontal, vertical] = fetchColumns<PictureSize, QList<int>, QList<int>>("pic", "horizontal",
            "vertical");
        const BarScale h = horizontalBarScale(pic), v = verticalBarScale(pic);
        QCOMPARE((QList<int>{h.max, h.smallChange, h.largeChange}), horizontal);
        QCOMPARE((QList<int>{v.max, v.smallChange, v.largeChange}), vertical);
    }

    void decision_data()
    {
        // which: None: the call at the end of start-up
        // corrected: the value asked of the moved bar, -1: none
        addColumns<A, B, bool, int>("values", "which", "draws", "corrected");
        const A ok{1000, 5000, 500, 3335}, hBad{6000, 5000, 500, 3335}, vBad{1000, 5000, 3400, 3335};
        QTest::newRow("ordered, start-up") << ok << B::None << true << -1;
        QTest::newRow("HS1 moved past HS2") << hBad << B::Left << false << 4999;
        QTest::newRow("VS2 moved above VS1") << vBad << B::Bottom << false << 3401;
        QTest::newRow("restored out of order, start-up") << hBad << B::None << false << -1;
        QTest::newRow("both out of order, VS1 moved: azimuths first")
            << A{6000, 5000, 3400, 3335} << B::Top << false << -1;
        QTest::newRow("elevations out of order, HS2 moved") << vBad << B::Right << false << -1;
        // A bar holds neither -1 nor Max + 1.
        QTest::newRow("HS1 clamped to 0") << A{500, 0, 500, 3335} << B::Left << false << 0;
        QTest::newRow("HS2 clamped to Max") << A{kHMax, 9000, 500, 3335} << B::Right << false << kHMax;
        QTest::newRow("VS1 clamped to 0") << A{1000, 5000, 300, 0} << B::Top << false << 0;
        QTest::newRow("VS2 clamped to Max") << A{1000, 5000, kVMax, 100} << B::Bottom << false << kVMax;
    }
    void decision()
    {
        auto [values, which, draws, corrected] = fetchColumns<A, B, bool, int>("values", "which", "draws",
            "corrected");
        const FrameDecision d = decideFrame(values, which, kHMax, kVMax);
        QCOMPARE(d.draw, draws);
        QCOMPARE(d.correction.has_value(), corrected >= 0);
        if (!d.correction)
            return;
        QCOMPARE(d.correction->bar, which);
        QCOMPARE(d.correction->value, corrected);
        // The bar's change event runs the routine again for the same bar: now it draws.
        (which == B::Left ? values.left : which == B::Right ? values.right : which == B::Top ? values.top : values.bottom)
            = corrected;
        const FrameDecision again = decideFrame(values, which, kHMax, kVMax);
        QVERIFY(again.draw && !again.correction);
    }

    void labelPlaces_data()
    {
        // Labels 405 x 195: left at the edge's X - 152.5 (elevation labels 300 further left); azimuth
        // labels 100 under the lower edge, elevation labels centred on theirs; a top past 4140 is lifted by 400.
        // topLefts: left and right azimuth, upper and lower elevation
        addColumns<A, QList<QPointF>>("values", "topLefts");
        QTest::newRow("lower edge at 4300: lifted") << A{1000, 5000, 500, 4300}
            << QList<QPointF>{{847.5, 4000}, {4847.5, 4000}, {547.5, 402.5}, {547.5, 3802.5}};
        QTest::newRow("zero width: right label shifted") << A{3000, 3000, 500, 3335}
            << QList<QPointF>{{2847.5, 3435}, {3252.5, 3435}, {2547.5, 402.5}, {2547.5, 3237.5}};
        QTest::newRow("zero height: lower label shifted") << A{1000, 5000, 2000, 2000}
            << QList<QPointF>{{847.5, 2100}, {4847.5, 2100}, {547.5, 1902.5}, {547.5, 2097.5}};
    }
    void labelPlaces()
    {
        const auto [values, topLefts] = fetchColumns<A, QList<QPointF>>("values", "topLefts");
        QList<QPointF> got;
        for (const FrameLabel &l : frameLabels(frameLinesFor(values), kFrameLabelSize, {}, QLocale::c()))
            got << l.topLeft;
        QCOMPARE(got, topLefts);
    }

    void dialPointer_data()
    {
        // centre: twips of a dial 118 pixels wide
        addColumns<bool, double, QPointF>("compass", "angle", "centre");
        // The compass: North up, East right, centre (W / 2, W / 2 - 80).
        QTest::newRow("azimuth 0: up") << true << 0.0 << QPointF(885, 805);
        QTest::newRow("azimuth 90: right") << true << 90.0 << QPointF(885, 805);
        QTest::newRow("azimuth 270: left") << true << 270.0 << QPointF(885, 805);
        // The quarter dial: 0 left, 90 up; the centre drops low while the Sun is up.
        QTest::newRow("elevation 45: up-left, marks") << false << 45.0 << QPointF(1570, 1570);
        QTest::newRow("elevation 0: left, no marks") << false << 0.0 << QPointF(1570, 200);
        QTest::newRow("elevation -20: down-left, no marks") << false << -20.0 << QPointF(1570, 200);
    }
    void dialPointer()
    {
        const auto [compass, angle, centre] = fetchColumns<bool, double, QPointF>("compass", "angle", "centre");
        DialView view(compass ? DialView::Kind::Azimuth : DialView::Kind::Elevation);
        view.resize(118, 118);
        view.showSun(compass ? SunPosition{angle, 30} : SunPosition{180, angle});
        const QImage image = picture(view);
        const QColor colour = compass ? kBlue : kBrown;
        const double reach = compass ? 1770 / 3.5 : 1770 / 1.7; // the tip
        const auto to = [&](double a, double r) {
            return centre + r * (compass ? QPointF(std::sin(a * kDeg), -std::cos(a * kDeg))
                                         : QPointF(-std::cos(a * kDeg), -std::sin(a * kDeg)));
        };
        QVERIFY(colourAt(image, colour, to(angle, 0.95 * reach)));
        QCOMPARE(colourAt(image, colour, to(angle, -0.95 * reach)), compass); // only the compass has a tail
        QVERIFY(!colourAt(image, colour, to(angle, reach + 45)));
        QVERIFY(!colourAt(image, colour, to(angle - 40, 0.6 * reach)));
        if (compass) // the head, based 200 from the centre, tells the tip from the tail
            QVERIFY(colourAt(image, colour, to(angle + 10, 195)) && !colourAt(image, colour, to(angle + 170, 195)));
        view.clear();
        QVERIFY(!view.isShowing() && !colourAt(picture(view), colour));
        if (compass)
            return;
        // Seven grey marks on the circle of radius W / 1.5 round the centre
        // (W - 200, W - 200), every 15° of elevation from 90° (straight up) to
        // 0° (straight left); none with the Sun down.
        QList<QPointF> marks;
        for (const DialStroke &stroke : elevationDialStrokes(1770, angle))
            if (stroke.kind == DialStroke::Kind::Circle && stroke.colour == kDialGrey)
                marks << stroke.p1;
        QCOMPARE(marks.size(), angle > 0 ? 7 : 0);
        for (int i = 0; i < marks.size(); ++i) {
            const double degrees = 90 - 15 * i, radius = 1770 / 1.5;
            const QPointF expected(1570 - radius * std::cos(degrees * kDeg), 1570 - radius * std::sin(degrees * kDeg));
            QVERIFY2(std::any_of(marks.begin(), marks.end(), [&](QPointF c) { return QLineF(c, expected).length() < 0.5; }),
                     qPrintable(QStringLiteral("no mark for %1°").arg(degrees)));
        }
    }

    void panoramaFrame()
    {
        PanoramaView view;
        view.resize(671, 289); // 10065 x 4335 twips
        view.setFrameLines(frameLinesFor({1000, 5000, 500, 3335}));
        const QImage image = picture(view);
        for (QPointF on : {QPointF(1000, 2000), QPointF(5000, 2000), QPointF(3000, 500), QPointF(3000, 3335)})
            QVERIFY(colourAt(image, kRed, on));
        for (QPointF off : {QPointF(3000, 2000), QPointF(8000, 2000), QPointF(3000, 4000), QPointF(5500, 500)})
            QVERIFY(!colourAt(image, kRed, off) && colourAt(image, kSky, off));
    }
};

QTEST_MAIN(TestDiagrams)
#include "tst_diagrams.moc"
