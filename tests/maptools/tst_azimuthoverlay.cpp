// The overlay window: opening state, transparency, "Retour" and dragging.
#include "maptools/azimuthoverlay.h"

#include <QSignalSpy>
#include <QTest>

using namespace lumora;

class TestAzimuthOverlay : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_MAIN(TestAzimuthOverlay)
#include "tst_azimuthoverlay.moc"
