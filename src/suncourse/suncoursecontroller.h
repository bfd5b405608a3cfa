// The Sun's course on the panorama as the main window places it: follows the
// window's observation, paints the course layers under the frame, shows the
// day's times in the frame in a read-out on the picture, in the picture's
// tooltip and at the top of its right-click menu, and offers the layers'
// choice in that menu (kept in the settings group "Panorama").
#pragma once

#include "analysis/observation.h"
#include "suncourse/coursefollower.h"
#include "suncourse/courselayer.h"
#include "suncourse/courselayerchoice.h"

#include <QLabel>
#include <QObject>
#include <QPointer>

class QAction;
class QSettings;

namespace lumora {

class PanoramaView;

// The read-out on the picture: a line of text on a pale, half-transparent
// plate so that it reads over the sky and lets the courses show through.
class SunTimesLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SunTimesLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

class SunCourseController : public QObject
{
    Q_OBJECT
public:
    // Paints on `panorama` and adds its entries to the panorama's menu. The
    // choice of layers is read from `store` now and written to it at each
    // change (nothing is kept when `store` is null). Both must outlive the
    // controller.
    SunCourseController(PanoramaView *panorama, QSettings *store, QObject *parent = nullptr);
    ~SunCourseController() override;

    const SunCourseFollower &follower() const { return follower_; }
    CourseLayerChoice choice() const { return layer_.choice(); }
    // The read-out on the picture; the full text is also its tooltip.
    QLabel *timesLabel() const { return timesLabel_; }
    // The menu's entries: the day's times (disabled, for reading) and the
    // three layer switches.
    QAction *timesAction() const { return timesAction_; }
    QAction *dayCourseAction() const { return dayCourseAction_; }
    QAction *envelopeAction() const { return envelopeAction_; }
    QAction *hourLinesAction() const { return hourLinesAction_; }

public slots:
    // The main window's site, frame and date on show (see observationChanged).
    void follow(const lumora::Observation &seen);

private:
    void takeChoiceFromMenu();
    void showTimes();
    void placeTimesLabel();

    QPointer<PanoramaView> panorama_;
    QSettings *store_ = nullptr;
    SunCourseFollower follower_;
    SunCourseLayer layer_;
    SunTimesLabel *timesLabel_ = nullptr;
    QAction *timesAction_ = nullptr;
    QAction *dayCourseAction_ = nullptr;
    QAction *envelopeAction_ = nullptr;
    QAction *hourLinesAction_ = nullptr;
};

} // namespace lumora
