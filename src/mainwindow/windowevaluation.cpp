// The evaluation run at one instant, the window frame on the panorama, and the
// sun-in-window indicator on the window and in the notification area.
#include "mainwindow/mainwindow.h"

#include "astro/julianday.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "diagrams/dialdrawing.h"
#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"
#include "realview/realviewcontroller.h"
#include "alerts/sunalerts.h"
#include "tray/trayicon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace lumora {

void MainWindow::setStateText(const QString &tag)
{
    stateText_ = tag;
    // While the window is loading or surveying the in-window answer is frozen.
    engine_.indicatorMuted = tag == u"load";
}

void MainWindow::evaluate()
{
    if (engine_.searchActive) {
        // The search goes on from where it stands; a running one just continues.
        if (!searchRunning_)
            engine_.resumeSearch();
        startSearchLoop();
        return;
    }
    runOnce();
}

bool MainWindow::runOnce()
{
    const double day = leadingNumber(dateBoxes[0]->currentText());
    const double month = leadingNumber(dateBoxes[1]->currentText());
    const double year = leadingNumber(dateBoxes[2]->currentText());
    // A year beyond 16 bits, or coordinates too large to be numbers: the run
    // is abandoned and the displays keep what they showed.
    if (siteRefused_)
        return false;
    if (!engine_.setDate(day, month, year))
        return false;
    showEvaluation(engine_.singleRun());
    announceObservation();
    return true;
}

Observation MainWindow::observation() const
{
    Observation seen;
    seen.site = engine_.site;
    seen.frame = engine_.frame;
    seen.panorama = panorama->pictureSize();
    seen.julianDay0h = engine_.evalJulianDay;
    seen.hourUT = engine_.evalHourUT;
    seen.realTime = realTime();
    seen.measured = realView->measured();
    seen.measuredInForce = realView->measuredInForce();
    seen.skyline = realView->skyline();
    seen.zone = siteZone_;
    // A date typed in manual mode is on show before it is evaluated.
    const auto year = roundToInt16(leadingNumber(dateBoxes[2]->currentText()));
    if (year) {
        const auto jd = JulianDay(leadingNumber(dateBoxes[0]->currentText()),
                                  leadingNumber(dateBoxes[1]->currentText()), *year);
        if (jd && std::fabs(*jd) < 1e9)
            seen.julianDay0h = *jd;
    }
    return seen;
}

void MainWindow::announceObservation()
{
    if (stateText_ == u"load" || holdObservation_)
        return;
    emit observationChanged(observation());
}

void MainWindow::showEvaluation(const Evaluation &evaluation)
{
    if (showSearchCheck->isChecked() || clockTimer->isActive()) {
        azimuthDial->showSun(evaluation.sun);
        elevationDial->showSun(evaluation.sun);
        azimuthReadoutLabel->setText(azimuthReadout(evaluation.sun.azimuth, QLocale()));
        azimuthReadoutLabel->adjustSize();
        elevationReadoutLabel->setText(elevationReadout(evaluation.sun.elevation, QLocale()));
        elevationReadoutLabel->adjustSize();
    }
    if (showSearchCheck->isChecked()) {
        const QPointF topLeft = sunPictureTopLeft(evaluation.point.x, evaluation.point.y, QSizeF(225, 225));
        // Positions are kept as 32-bit floats, then drawn in whole pixels.
        sunPictureLabel->move(twipsPoint(float(topLeft.x()), float(topLeft.y())));
    }
    updateSunIndicator(evaluation.indicator);
}

void MainWindow::updateSunIndicator(const IndicatorUpdate &update)
{
    if (!update.evaluated)
        return;
    const TrayActions actions = trayActionsFor(update.changed, isHidden(), alerts_->enabled());
    if (actions.remove)
        tray_->removeIcon();
    if (actions.add)
        tray_->showIcon(engine_.inWindow);
    sunInIcon->setVisible(engine_.inWindow);
    sunOutIcon->setVisible(!engine_.inWindow);
}

void MainWindow::onShowSearchToggled()
{
    azimuthDial->clear();
    elevationDial->clear();
    azimuthReadoutLabel->clear();
    elevationReadoutLabel->clear();
}

void MainWindow::applyFrameBounds()
{
    const FrameLines &lines = panorama->frameLines();
    engine_.frame = {lines.left.x1, lines.right.x1, lines.top.y1, lines.bottom.y1};
    // The measured window or a skyline answer in the frame's place; without them the frame test as ever.
    const bool realViewInForce = realView->measuredInForce() || !realView->skyline().empty();
    engine_.view = realViewInForce ? std::optional(observation().view()) : std::nullopt;
}

void MainWindow::drawWindowFrame(FrameBar which)
{
    if (stateText_ == u"load")
        return;
    const ApertureValues values{frameLeftBar->value(), frameRightBar->value(), frameTopBar->value(), frameBottomBar->value()};
    const FrameDecision decision = decideFrame(values, which, frameLeftBar->maximum(), frameTopBar->maximum());
    if (decision.correction) {
        // Setting the bar raises its change event, which draws the frame.
        QScrollBar *bar = nullptr;
        switch (decision.correction->bar) {
        case FrameBar::Left: bar = frameLeftBar; break;
        case FrameBar::Right: bar = frameRightBar; break;
        case FrameBar::Top: bar = frameTopBar; break;
        case FrameBar::Bottom: bar = frameBottomBar; break;
        case FrameBar::None: break;
        }
        if (bar)
            bar->setValue(decision.correction->value);
        return;
    }
    if (!decision.draw)
        return;

    const FrameLines lines = frameLinesFor(values);
    panorama->setFrameLines(lines);
    const QSizeF labelSize(pixelsToTwips(frameEdgeLabels[0]->width()), pixelsToTwips(frameEdgeLabels[0]->height()));
    const auto labels = frameLabels(lines, labelSize, panorama->pictureSize(), QLocale());
    for (int i = 0; i < 4; ++i) {
        frameEdgeLabels[i]->move(twipsPoint(labels[i].topLeft.x(), labels[i].topLeft.y()));
        frameEdgeLabels[i]->setText(labels[i].caption);
        frameEdgeLabels[i]->setToolTip(labels[i].toolTip);
    }
    applyFrameBounds();
    announceObservation();
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
        if (graduationTickVisible_[i])
            painter.drawLine(graduationTicks_[i]);
    // The three rounded frames of the clock, search and input groups.
    static constexpr QRectF shapes[3] = {
        {6555, 5160, 4275, 2175}, {3900, 6060, 2610, 1305}, {3885, 5145, 2610, 885}};
    pen.setColor(QColor(128, 128, 128));
    painter.setPen(pen);
    for (const QRectF &shape : shapes)
        painter.drawRoundedRect(shape, 150, 150);
}

} // namespace lumora
