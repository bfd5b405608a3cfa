// Wiring the Sun's course to the panorama: the layer, the read-out and the menu.
#include "suncourse/suncoursecontroller.h"

#include "common/twips.h"
#include "diagrams/panoramaview.h"
#include "suncourse/readoutplace.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSettings>

namespace lumora {

namespace {
// The read-out's distance from the picture's sides, twips (4 pixels).
constexpr double kReadoutMargin = 60;
const QColor kPlate(255, 255, 255, 190);
const QColor kPlateText(0, 35, 70);
} // namespace

SunTimesLabel::SunTimesLabel(QWidget *parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setContentsMargins(5, 1, 5, 1);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, kPlateText);
    setPalette(colours);
}

void SunTimesLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPlate);
        painter.drawRoundedRect(QRectF(rect()), 3, 3);
    }
    QLabel::paintEvent(event);
}

SunCourseController::SunCourseController(PanoramaView *panorama, QSettings *store, QObject *parent)
    : QObject(parent), panorama_(panorama), store_(store), layer_(follower_)
{
    const CourseLayerChoice choice = store_ ? readCourseLayerChoice(*store_) : CourseLayerChoice{};
    layer_.setChoice(choice);
    panorama_->addLayer(&layer_);

    timesLabel_ = new SunTimesLabel(panorama_);
    // Under the frame's labels and the sun picture, which matter more.
    timesLabel_->lower();
    timesLabel_->hide();

    QMenu *menu = panorama_->menu();
    timesAction_ = menu->addAction(QString());
    timesAction_->setEnabled(false);
    timesAction_->setVisible(false);
    menu->addSeparator();
    const auto addSwitch = [&](const QString &caption, bool on) {
        QAction *action = menu->addAction(caption);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, &SunCourseController::takeChoiceFromMenu);
        return action;
    };
    dayCourseAction_ = addSwitch(tr("Course du Soleil ce jour"), choice.dayCourse);
    envelopeAction_ = addSwitch(tr("Solstices et équinoxe"), choice.envelope);
    // The lines follow standard time all year, so each closes into a figure
    // eight; in summer the day's marks lie on the line of the hour before.
    hourLinesAction_ = addSwitch(tr("Lignes horaires (heure d'hiver)"), choice.hourLines);
}

SunCourseController::~SunCourseController()
{
    if (panorama_)
        panorama_->removeLayer(&layer_);
}

void SunCourseController::takeChoiceFromMenu()
{
    const CourseLayerChoice choice{dayCourseAction_->isChecked(), envelopeAction_->isChecked(),
                                   hourLinesAction_->isChecked()};
    layer_.setChoice(choice);
    if (store_ && !writeCourseLayerChoice(*store_, choice))
        qWarning("Lumora: the panorama's layers could not be saved to %s", qPrintable(store_->fileName()));
    if (panorama_)
        panorama_->update();
}

void SunCourseController::follow(const Observation &seen)
{
    const unsigned change = follower_.follow(seen);
    if (change == SunCourseFollower::Nothing || !panorama_)
        return;
    if (change & SunCourseFollower::Course)
        layer_.invalidate();
    showTimes();
    panorama_->update();
}

void SunCourseController::showTimes()
{
    const QString &text = follower_.timesText();
    timesAction_->setText(text);
    timesAction_->setVisible(!text.isEmpty());
    panorama_->setToolTip(text);
    timesLabel_->setToolTip(text);
    // A day with many stretches may not fit on one line: the label shows what
    // fits, the tooltip and the menu all of it.
    const int room = int(twipsToPixels(panorama_->pictureSize().width - 2 * kReadoutMargin))
        - timesLabel_->contentsMargins().left() - timesLabel_->contentsMargins().right();
    timesLabel_->setText(timesLabel_->fontMetrics().elidedText(text, Qt::ElideRight, std::max(room, 0)));
    timesLabel_->setVisible(!text.isEmpty());
    placeTimesLabel();
}

void SunCourseController::placeTimesLabel()
{
    timesLabel_->resize(timesLabel_->sizeHint());
    const QSizeF size(pixelsToTwips(timesLabel_->width()), pixelsToTwips(timesLabel_->height()));
    const QPointF topLeft = readoutTopLeft(size, panorama_->pictureSize(), follower_.observation().frame, kReadoutMargin);
    timesLabel_->move(twipsPoint(topLeft.x(), topLeft.y()));
}

} // namespace lumora
