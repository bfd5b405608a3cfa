// Keeping the aperture bars in order, and the frame's lines and bound labels.
#include "diagrams/windowframe.h"

#include <QtTest>

using namespace lumora;
using A = ApertureValues;
using B = FrameBar;

Q_DECLARE_METATYPE(lumora::FrameBar)
Q_DECLARE_METATYPE(lumora::ApertureValues)

namespace {
constexpr int kHMax = 10065;
constexpr int kVMax = 4335;

int &valueOf(A &v, B bar)
{
    return bar == B::Hx1 ? v.hs1 : bar == B::Hx2 ? v.hs2 : bar == B::Vx1 ? v.vs1 : v.vs2;
}
} // namespace

class TestWindowFrame : public QObject
{
    Q_OBJECT
private slots:
    void decision_data();
    void decision();
    void labelTexts();
    void labelPlaces_data();
    void labelPlaces();
};

void TestWindowFrame::decision_data()
{
    QTest::addColumn<A>("values");
    QTest::addColumn<B>("which");
    QTest::addColumn<bool>("draws");
    QTest::addColumn<B>("correctedBar"); // None: no correction asked
    QTest::addColumn<int>("correctedValue");
    const A ok{1000, 5000, 500, 3335}, hBad{6000, 5000, 500, 3335}, vBad{1000, 5000, 3400, 3335};
    QTest::newRow("ordered, start-up call draws") << ok << B::None << true << B::None << 0;
    QTest::newRow("ordered, any bar draws") << ok << B::Vx2 << true << B::None << 0;
    QTest::newRow("equal azimuths: zero-width frame")
        << A{3000, 3000, 500, 3335} << B::Hx1 << true << B::None << 0;
    QTest::newRow("equal elevations: zero-height frame")
        << A{1000, 5000, 2000, 2000} << B::Vx2 << true << B::None << 0;

    QTest::newRow("HS1 moved above HS2 gives way") << hBad << B::Hx1 << false << B::Hx1 << 4999;
    QTest::newRow("HS2 moved below HS1 gives way") << hBad << B::Hx2 << false << B::Hx2 << 6001;
    QTest::newRow("VS1 moved below VS2 gives way") << vBad << B::Vx1 << false << B::Vx1 << 3334;
    QTest::newRow("VS2 moved above VS1 gives way") << vBad << B::Vx2 << false << B::Vx2 << 3401;

    QTest::newRow("restored azimuths out of order, start-up: nothing")
        << hBad << B::None << false << B::None << 0;
    QTest::newRow("restored elevations out of order, start-up: nothing")
        << vBad << B::None << false << B::None << 0;
    QTest::newRow("both out of order, elevation bar moved: elevations not examined")
        << A{6000, 5000, 3400, 3335} << B::Vx1 << false << B::None << 0;
    QTest::newRow("elevations out of order, azimuth bar moved: nothing")
        << vBad << B::Hx2 << false << B::None << 0;

    // A bar cannot hold -1 or Max + 1: the asked value is clamped.
    QTest::newRow("HS1 above an HS2 of 0: clamped to 0")
        << A{500, 0, 500, 3335} << B::Hx1 << false << B::Hx1 << 0;
    QTest::newRow("HS2 below an HS1 at Max: clamped to Max")
        << A{kHMax, 9000, 500, 3335} << B::Hx2 << false << B::Hx2 << kHMax;
    QTest::newRow("VS1 below a VS2 of 0: clamped to 0")
        << A{1000, 5000, 300, 0} << B::Vx1 << false << B::Vx1 << 0;
    QTest::newRow("VS2 above a VS1 at Max: clamped to Max")
        << A{1000, 5000, kVMax, 100} << B::Vx2 << false << B::Vx2 << kVMax;
}

void TestWindowFrame::decision()
{
    QFETCH(A, values);
    QFETCH(B, which);
    QFETCH(bool, draws);
    QFETCH(B, correctedBar);
    QFETCH(int, correctedValue);

    const FrameDecision d = decideFrame(values, which, kHMax, kVMax);
    QCOMPARE(d.draw, draws);
    QCOMPARE(d.correction.has_value(), correctedBar != B::None);
    if (!d.correction)
        return;
    QCOMPARE(d.correction->bar, correctedBar);
    QCOMPARE(d.correction->value, correctedValue);

    // The bar's change event runs the routine again with the same name: the
    // pair is now in order and that call draws.
    valueOf(values, d.correction->bar) = d.correction->value;
    const FrameDecision again = decideFrame(values, which, kHMax, kVMax);
    QVERIFY(again.draw && !again.correction);
}

void TestWindowFrame::labelTexts()
{
    // HS1 = 1000 is 35.77 degrees, HS2 = 5000 178.84, VS1 = 500 79.62, VS2 = 3335 20.76.
    const FrameLines lines = frameLinesFor({1000, 5000, 500, 3335});
    QStringList captions, french, plain;
    for (const FrameLabel &l : frameLabels(lines, kFrameLabelSize, {}, QLocale(QLocale::French))) {
        captions << l.caption;
        french << l.toolTip;
    }
    for (const FrameLabel &l : frameLabels(lines, kFrameLabelSize, {}, QLocale::c()))
        plain << l.toolTip;
    QCOMPARE(captions, (QStringList{"36°", "179°", "80°", "21°"}));
    QCOMPARE(french, (QStringList{"35,77°", "178,84°", "79,62°", "20,76°"}));
    QCOMPARE(plain, (QStringList{"35.77°", "178.84°", "79.62°", "20.76°"}));

    // Whole degrees keep two digits: 3.58 and 0.73 degrees.
    const auto low = frameLabels(frameLinesFor({100, 200, 4200, 4300}), kFrameLabelSize, {});
    QCOMPARE(low[0].caption, QStringLiteral("04°"));
    QCOMPARE(low[3].caption, QStringLiteral("01°"));
}

void TestWindowFrame::labelPlaces_data()
{
    // Labels 405 x 195 in the 10065 x 4335 picture: a label's left is its
    // edge's X - 152.5 (elevation labels 300 further left), azimuth labels sit
    // 100 under the lower edge, elevation labels are centred (97.5) on theirs,
    // and anything whose top passes 4335 - 195 = 4140 is lifted by 400.
    QTest::addColumn<A>("values");
    QTest::addColumn<QList<QPointF>>("topLefts");
    QTest::newRow("ordinary frame")
        << A{1000, 5000, 500, 3335}
        << QList<QPointF>{{847.5, 3435}, {4847.5, 3435}, {547.5, 402.5}, {547.5, 3237.5}};
    QTest::newRow("lower edge at 4200: azimuth labels lifted, elevation label not")
        << A{1000, 5000, 500, 4200}
        << QList<QPointF>{{847.5, 3900}, {4847.5, 3900}, {547.5, 402.5}, {547.5, 4102.5}};
    QTest::newRow("lower edge at 4300: lower elevation label lifted too")
        << A{1000, 5000, 500, 4300}
        << QList<QPointF>{{847.5, 4000}, {4847.5, 4000}, {547.5, 402.5}, {547.5, 3802.5}};
    QTest::newRow("zero-width frame: right azimuth label moved right by its width")
        << A{3000, 3000, 500, 3335}
        << QList<QPointF>{{2847.5, 3435}, {3252.5, 3435}, {2547.5, 402.5}, {2547.5, 3237.5}};
    QTest::newRow("edges a label's width apart: not moved")
        << A{3000, 3405, 500, 3335}
        << QList<QPointF>{{2847.5, 3435}, {3252.5, 3435}, {2547.5, 402.5}, {2547.5, 3237.5}};
    QTest::newRow("zero-height frame: lower elevation label moved down by its height")
        << A{1000, 5000, 2000, 2000}
        << QList<QPointF>{{847.5, 2100}, {4847.5, 2100}, {547.5, 1902.5}, {547.5, 2097.5}};
}

void TestWindowFrame::labelPlaces()
{
    QFETCH(A, values);
    QFETCH(QList<QPointF>, topLefts);
    QList<QPointF> got;
    for (const FrameLabel &l :
        frameLabels(frameLinesFor(values), kFrameLabelSize, {}, QLocale::c()))
        got << l.topLeft;
    QCOMPARE(got, topLefts);
}

QTEST_APPLESS_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"
