// "Placer la photo…": where the photo stands on the sky. The projection
// (ordinary or 360°), the azimuth, elevation and roll of its centre and its
// horizontal field of view typed in; or calibrated on a preview of the photo,
// by clicking the Sun at the instant the photo was taken, or two landmarks of
// known azimuth (and elevation when known), with the residual of each
// reference after the fit. Every change is passed on at once so the
// panorama follows; "Annuler" passes back what the dialog opened with.
#pragma once

#include "astro/solarposition.h"
#include "photo/photometadata.h"
#include "photo/photoplacement.h"

#include <QDialog>
#include <QImage>
#include <QTimeZone>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QStackedWidget;

namespace lumora {

// The photo scaled into the dialog; a click is passed on in the photo's own
// pixels (continuous, y down), the references show as marks.
class PhotoPreview : public QWidget
{
    Q_OBJECT
public:
    explicit PhotoPreview(QWidget *parent = nullptr);
    void setPhoto(const QImage &photo);
    // Marks at photo pixels, each with a short caption ("1", "2"; empty: the Sun).
    void setMarks(const std::vector<std::pair<QPointF, QString>> &marks);
    // Where a photo pixel stands in the widget, and back.
    QPointF toWidget(QPointF pixel) const;
    QPointF toPhoto(QPointF position) const;
    QSize sizeHint() const override;

signals:
    void clicked(QPointF pixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRectF target() const;
    QImage shown_;
    QSizeF photoSize_;
    std::vector<std::pair<QPointF, QString>> marks_;
};

class PhotoPlacementDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Calibration { Values, SunClick, TwoLandmarks };

    explicit PhotoPlacementDialog(QWidget *parent = nullptr);

    // The photo (upright), what its file says (the instant it was taken) and
    // the site whose Sun a click uses.
    void setPhoto(const QImage &photo, const PhotoMetadata &metadata, const SiteLocation &site,
                  const QTimeZone &siteZone = {});
    // What the dialog shows and restores on "Annuler". Emits nothing.
    void setValues(const PhotoPlacement &placement);
    PhotoPlacement placement() const;

    // The controls, by their settings keys ("Azimuth", "Elevation", "Roll", "FieldOfView").
    QDoubleSpinBox *spinBox(const QString &key) const;
    QComboBox *projectionBox() const { return projection_; }
    QComboBox *calibrationBox() const { return calibration_; }
    QDateTimeEdit *takenEdit() const { return taken_; }
    // The azimuth, the elevation and whether it is known of landmark 0 or 1.
    QDoubleSpinBox *landmarkAzimuth(int i) const { return landmarks_[size_t(i)].azimuth; }
    QDoubleSpinBox *landmarkElevation(int i) const { return landmarks_[size_t(i)].elevation; }
    QCheckBox *landmarkElevationKnown(int i) const { return landmarks_[size_t(i)].known; }
    PhotoPreview *preview() const { return preview_; }
    QLabel *residualLabel() const { return residual_; }
    // The instant the Sun click uses: the time field in the photo's zone, or
    // in the computer's when the photo gives none.
    QDateTime takenUtc() const;

    // A click on the photo at `pixel` (its own pixels), as in the preview.
    void clickPhoto(QPointF pixel);

signals:
    // Each change a user makes, and on "Annuler" the placement the dialog opened with.
    void changed(const lumora::PhotoPlacement &placement);

private:
    void takeChange();
    void refit();
    void showFit(const PhotoFit &fit, const QStringList &names);
    void updateMarks();
    void updateEnabled();
    void done(int result) override;

    struct Landmark {
        QRadioButton *select = nullptr; // the next click places it
        QLabel *state = nullptr;
        QDoubleSpinBox *azimuth = nullptr;
        QDoubleSpinBox *elevation = nullptr;
        QCheckBox *known = nullptr;
        std::optional<QPointF> pixel;
    };

    QComboBox *projection_ = nullptr;
    QDoubleSpinBox *azimuth_ = nullptr, *elevation_ = nullptr, *roll_ = nullptr, *fieldOfView_ = nullptr;
    QComboBox *calibration_ = nullptr;
    QStackedWidget *pages_ = nullptr;
    QDateTimeEdit *taken_ = nullptr;
    QLabel *zone_ = nullptr;
    std::array<Landmark, 2> landmarks_;
    PhotoPreview *preview_ = nullptr;
    QLabel *residual_ = nullptr;
    QImage photo_;
    std::optional<int> takenOffset_; // seconds east of UTC, from the photo
    std::optional<QPointF> sunPixel_;
    SiteLocation site_;
    QTimeZone siteZone_; // not valid: the computer's zone
    PhotoPlacement opened_;
    bool settingValues_ = false;
};

} // namespace lumora
