// The evaluation run at one instant, the window frame on the panorama, and the
// sun-in-window indicator on the window and in the notification area.
#include "mainwindow/mainwindow.h"

#include "common/numbers.h"
#include "common/twips.h"
#include "diagrams/dialdrawing.h"
#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"
#include "tray/systray.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace lumora {

void MainWindow::setTag(const QString &tag)
{
    Tag = tag;
    // While the window is loading or surveying the in-window answer is frozen.
    engine.indicatorMuted = tag == u"load";
}

void MainWindow::PosSoleil()
{
    if (engine.searchActive) {
        // The search goes on from where it stands; a running one just continues.
        if (!searchRunning_)
            engine.resumeSearch();
        startSearchLoop();
        return;
    }
    runOnce();
}

bool MainWindow::runOnce()
{
    const double day = leadingNumber(Combo1[0]->currentText());
    const double month = leadingNumber(Combo1[1]->currentText());
    const double year = leadingNumber(Combo1[2]->currentText());
    // A year beyond 16 bits, or coordinates too large to be numbers: the run
    // is abandoned and the displays keep what they showed.
    if (siteRefused_)
        return false;
    if (!engine.setDate(day, month, year))
        return false;
    showEvaluation(engine.singleRun());
    return true;
}

void MainWindow::showEvaluation(const Evaluation &evaluation)
{
    if (Check1->isChecked() || Timer1->isActive()) {
        PicAZ->showSun(evaluation.sun);
        PicHE->showSun(evaluation.sun);
        Label35->setText(azimuthReadout(evaluation.sun.azimuth, QLocale()));
        Label35->adjustSize();
        Label36->setText(elevationReadout(evaluation.sun.elevation, QLocale()));
        Label36->adjustSize();
    }
    if (Check1->isChecked()) {
        const QPointF topLeft = sunPictureTopLeft(evaluation.point.x, evaluation.point.y, QSizeF(225, 225));
        // Positions are kept as 32-bit floats, then drawn in whole pixels.
        Imsol->move(twipsPoint(float(topLeft.x()), float(topLeft.y())));
    }
    UpdateSunIndicator(evaluation.indicator);
}

void MainWindow::UpdateSunIndicator(const IndicatorUpdate &update)
{
    if (!update.evaluated)
        return;
    const TrayActions actions = trayActionsFor(update.changed, isHidden());
    if (actions.remove)
        tray_->RemoveTrayIcon();
    if (actions.add)
        tray_->AddTrayIcon(engine.inWindow);
    solon->setVisible(engine.inWindow);
    solofF->setVisible(!engine.inWindow);
}

void MainWindow::Check1_MouseUp()
{
    PicAZ->clear();
    PicHE->clear();
    Label35->clear();
    Label36->clear();
}

void MainWindow::applyFrameBounds()
{
    const FrameLines &lines = Pic->frameLines();
    engine.frame = {lines.v1.x1, lines.v2.x1, lines.h1.y1, lines.h2.y1};
}

void MainWindow::DrawWindowFrame(FrameBar which)
{
    if (Tag == u"load")
        return;
    const ApertureValues values{HS1->value(), HS2->value(), VS1->value(), VS2->value()};
    const FrameDecision decision = decideFrame(values, which, HS1->maximum(), VS1->maximum());
    if (decision.correction) {
        // Setting the bar raises its change event, which draws the frame.
        QScrollBar *bar = nullptr;
        switch (decision.correction->bar) {
        case FrameBar::Hx1: bar = HS1; break;
        case FrameBar::Hx2: bar = HS2; break;
        case FrameBar::Vx1: bar = VS1; break;
        case FrameBar::Vx2: bar = VS2; break;
        case FrameBar::None: break;
        }
        if (bar)
            bar->setValue(decision.correction->value);
        return;
    }
    if (!decision.draw)
        return;

    const FrameLines lines = frameLinesFor(values);
    Pic->setFrameLines(lines);
    const QSizeF labelSize(pixelsToTwips(LabLig[0]->width()), pixelsToTwips(LabLig[0]->height()));
    const auto labels = frameLabels(lines, labelSize, Pic->pictureSize(), QLocale());
    for (int i = 0; i < 4; ++i) {
        LabLig[i]->move(twipsPoint(labels[i].topLeft.x(), labels[i].topLeft.y()));
        LabLig[i]->setText(labels[i].caption);
        LabLig[i]->setToolTip(labels[i].toolTip);
    }
    applyFrameBounds();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setCosmetic(true);
    painter.setPen(pen);
    // Graduation ticks under the panorama.
    for (int i = 0; i < 25; ++i)
        if (line2Visible_[i])
            painter.drawLine(line2_[i]);
    // The three rounded frames of the clock, search and input groups.
    static constexpr QRectF shapes[3] = {
        {6555, 5160, 4275, 2175}, {3900, 6060, 2610, 1305}, {3885, 5145, 2610, 885}};
    pen.setColor(QColor(128, 128, 128));
    painter.setPen(pen);
    for (const QRectF &shape : shapes)
        painter.drawRoundedRect(shape, 150, 150);
}

} // namespace lumora
