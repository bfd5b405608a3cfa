// The overlay window: its opening state, its sliders, "Retour" and dragging.
#include "maptools/droite.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace lumora;

namespace {
// Sends a mouse event to a widget through the application, so that an event a
// child ignores goes on to its parent as it would for a real press.
void sendMouse(QWidget *target, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Presses on `target` at `local`, moves the pointer by `delta` (as seen by the
// overlay, which then has the mouse) and releases.
void drag(Droite *overlay, QWidget *target, QPoint local, QPoint delta)
{
    const QPoint start = target->mapToGlobal(local);
    sendMouse(target, QEvent::MouseButtonPress, local, start, Qt::LeftButton);
    const QPoint end = start + delta;
    sendMouse(overlay, QEvent::MouseMove, overlay->mapFromGlobal(end), end, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseButtonRelease, overlay->mapFromGlobal(end), end, Qt::NoButton);
}
} // namespace

class TestDroite : public QObject
{
    Q_OBJECT

private slots:
    void opensAt200And180()
    {
        Droite overlay;
        QCOMPARE(overlay.objectName(), QStringLiteral("Droite"));
        QCOMPARE(overlay.alpha(), 200);
        QCOMPARE(overlay.azimuth(), 180);
        QVERIFY(qAbs(overlay.windowOpacity() - 200 / 255.0) < 0.01);
        QCOMPARE(overlay.findChild<QLabel *>("Label3")->text(), QStringLiteral("180°"));
        QVERIFY(overlay.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(overlay.windowFlags().testFlag(Qt::FramelessWindowHint));
    }

    void transparencySliderSetsOpacity_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("minimum 20: faint but visible") << 20;
        QTest::newRow("middle") << 128;
        QTest::newRow("maximum 255: opaque") << 255;
    }
    void transparencySliderSetsOpacity()
    {
        QFETCH(int, value);
        Droite overlay;
        overlay.findChild<QScrollBar *>("HScroll1")->setValue(value);
        QCOMPARE(overlay.alpha(), value);
        QVERIFY2(qAbs(overlay.windowOpacity() - value / 255.0) < 0.01, qPrintable(QString::number(overlay.windowOpacity())));
    }

    void retourEmitsReturnedAndCloses()
    {
        QPointer<Droite> overlay = new Droite;
        overlay->show();
        QSignalSpy returned(overlay.data(), &Droite::returned);
        QTest::mouseClick(overlay->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        QCOMPARE(returned.count(), 1);
        QTRY_VERIFY(overlay.isNull()); // gone: the next opening starts afresh
    }

    void closingByCodeDoesNotEmitReturned()
    {
        auto *overlay = new Droite;
        overlay->show();
        QSignalSpy returned(overlay, &Droite::returned);
        overlay->close();
        QCOMPARE(returned.count(), 0);
    }

    void dragging_data()
    {
        QTest::addColumn<QString>("pressedOn");
        QTest::addColumn<bool>("moves");
        QTest::newRow("white surface drags") << "Droite" << true;
        QTest::newRow("azimuth slider does not") << "HScroll2" << false;
        QTest::newRow("read-out label does not") << "Label3" << false;
    }
    void dragging()
    {
        QFETCH(QString, pressedOn);
        QFETCH(bool, moves);
        Droite overlay;
        overlay.move(100, 100);
        overlay.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overlay));
        QWidget *target = pressedOn == overlay.objectName() ? &overlay : overlay.findChild<QWidget *>(pressedOn);
        QVERIFY(target);
        const QPoint before = overlay.pos();
        const QPoint local = target == &overlay ? QPoint(20, 20) : target->rect().center();
        drag(&overlay, target, local, QPoint(30, 20));
        if (moves)
            QTRY_COMPARE(overlay.pos(), before + QPoint(30, 20));
        else
            QCOMPARE(overlay.pos(), before);
    }
};

QTEST_MAIN(TestDroite)
#include "tst_droite.moc"
