// Where the photo meets the main window: the site for its Sun click, the
// frame's edges dragged on it set the bars (the bars stay the frame's one
// source), and "Horizon sur la photo" is the skyline's drawing mode. Only one
// tracing mode is on at a time.
#include "mainwindow/mainwindow.h"

#include "photoview/photocontroller.h"
#include "realview/realviewcontroller.h"

#include <QAction>
#include <QScrollBar>

namespace lumora {

void MainWindow::placePhoto()
{
    photo = new PhotoController(panorama, settings_, this);
    connect(this, &MainWindow::observationChanged, photo,
            [this](const Observation &seen) { photo->setSite(seen.site, seen.zone); });
    connect(photo, &PhotoController::frameEdgeDragged, this, [this](FrameBar edge, int value) {
        QScrollBar *bar = edge == FrameBar::Left    ? frameLeftBar
                          : edge == FrameBar::Right ? frameRightBar
                          : edge == FrameBar::Top   ? frameTopBar
                          : edge == FrameBar::Bottom ? frameBottomBar
                                                     : nullptr;
        // While the measured window is in force the bars show its box and stay put.
        if (bar && bar->isEnabled())
            bar->setValue(value);
    });
    connect(photo, &PhotoController::skylineTracingWanted, realView, &RealViewController::setDrawing);
    connect(realView->drawAction(), &QAction::toggled, photo->skylineAction(), &QAction::setChecked);
    connect(realView->drawAction(), &QAction::toggled, this, [this](bool on) {
        if (on)
            photo->setFrameTracing(false);
    });
    connect(photo, &PhotoController::frameTracingChanged, this, [this](bool on) {
        if (on)
            realView->setDrawing(false);
    });
}

} // namespace lumora
