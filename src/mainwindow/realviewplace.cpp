// Where the real view meets the main window: the measured window and the
// skyline go into the window's observation (so every feature answers with
// them), and while the measured window is in force the frame bars show its
// bounding box and cannot be moved; their own values come back after.
#include "mainwindow/mainwindow.h"

#include "diagrams/panoramaview.h"
#include "realview/realviewcontroller.h"

#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
// The bars (left, right, upper, lower edge) round the outline's bounding box;
// a box across 0°/360° takes the whole width.
std::array<int, 4> barsAround(const WindowOutline &outline, PictureSize picture, int across, int down)
{
    const auto bar = [](double value, int max) { return int(std::clamp(std::lround(value), 0L, long(max))); };
    const bool seam = outline.azimuthMin < 0 || outline.azimuthMax > 360;
    return {seam ? 0 : bar(azimuthToX(outline.azimuthMin, picture), across),
            seam ? across : bar(azimuthToX(outline.azimuthMax, picture), across),
            bar(elevationToY(outline.elevationMax, picture), down),
            bar(elevationToY(outline.elevationMin, picture), down)};
}
} // namespace

void MainWindow::placeRealView()
{
    realView = new RealViewController(panorama, settings_, this);
    connect(realView, &RealViewController::changed, this, &MainWindow::followRealView);
}

std::array<int, 4> MainWindow::keptFrameBars() const
{
    if (ownFrameBars_) {
        const auto &[left, right, top, bottom] = *ownFrameBars_;
        return {top, bottom, left, right};
    }
    return {frameTopBar->value(), frameBottomBar->value(), frameLeftBar->value(), frameRightBar->value()};
}

void MainWindow::followRealView()
{
    QScrollBar *const bars[4] = {frameLeftBar, frameRightBar, frameTopBar, frameBottomBar};
    const bool measured = realView->measuredInForce();
    std::optional<std::array<int, 4>> wanted;
    if (measured) {
        if (!ownFrameBars_)
            ownFrameBars_ = {frameLeftBar->value(), frameRightBar->value(), frameTopBar->value(), frameBottomBar->value()};
        const WindowOutline &outline = *realView->outline();
        if (!outline.empty)
            wanted = barsAround(outline, panorama->pictureSize(), frameLeftBar->maximum(), frameTopBar->maximum());
    } else if (ownFrameBars_) {
        wanted = *ownFrameBars_;
        ownFrameBars_.reset();
    }
    for (int i = 0; i < 4; ++i) {
        // Set together, so that no half-moved frame is corrected on the way.
        const QSignalBlocker quiet(bars[i]);
        if (wanted)
            bars[i]->setValue((*wanted)[size_t(i)]);
        bars[i]->setEnabled(!measured);
    }
    drawWindowFrame(FrameBar::None); // draws the frame and passes the observation on
}

} // namespace lumora
