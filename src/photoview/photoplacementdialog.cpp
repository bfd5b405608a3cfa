// The placement dialog: its fields, the preview and the calibration fits.
#include "photoview/photoplacementdialog.h"

#include "astro/julianday.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStackedWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
const QSize kPreviewRoom(480, 360);

QDoubleSpinBox *angleBox(QWidget *parent, double min, double max, bool wrap, const QString &name)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(min, max);
    box->setDecimals(2);
    box->setSuffix(QStringLiteral("°"));
    box->setWrapping(wrap);
    box->setKeyboardTracking(false);
    return box;
}

QString degrees(double value)
{
    return std::isfinite(value) ? QLocale().toString(value, 'f', 2) + QStringLiteral("°") : QStringLiteral("—");
}

// The Sun's true direction at a UTC instant from the site (the solar core's).
SkyPoint sunDirection(const QDateTime &utc, const SiteLocation &site)
{
    const QDate date = utc.date();
    const auto julianDay = JulianDay(date.day(), date.month(), date.year());
    if (!julianDay)
        return {qQNaN(), qQNaN()};
    const SunPosition sun = SolarPosition(*julianDay, utc.time().msecsSinceStartOfDay() / 3.6e6, site);
    return {sun.azimuth, sun.elevation};
}
} // namespace

PhotoPreview::PhotoPreview(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::CrossCursor);
    setMinimumSize(240, 160);
}

void PhotoPreview::setPhoto(const QImage &photo)
{
    photoSize_ = photo.size();
    shown_ = photo.isNull() ? QImage() : photo.scaled(kPreviewRoom, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    updateGeometry();
    update();
}

void PhotoPreview::setMarks(const std::vector<std::pair<QPointF, QString>> &marks)
{
    marks_ = marks;
    update();
}

QSize PhotoPreview::sizeHint() const
{
    return shown_.isNull() ? kPreviewRoom : shown_.size();
}

QRectF PhotoPreview::target() const
{
    if (photoSize_.isEmpty())
        return {};
    QRectF box(QPointF(), photoSize_.scaled(QSizeF(size()), Qt::KeepAspectRatio));
    box.moveCenter(QRectF(rect()).center());
    return box;
}

QPointF PhotoPreview::toWidget(QPointF pixel) const
{
    const QRectF box = target();
    return box.isEmpty() ? QPointF() : box.topLeft() + pixel * (box.width() / photoSize_.width());
}

QPointF PhotoPreview::toPhoto(QPointF position) const
{
    const QRectF box = target();
    return box.isEmpty() ? QPointF() : (position - box.topLeft()) * (photoSize_.width() / box.width());
}

void PhotoPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (shown_.isNull())
        return;
    painter.drawImage(target(), shown_);
    for (const auto &[pixel, caption] : marks_) {
        const QPointF at = toWidget(pixel);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawEllipse(at, 7, 7);
        painter.setPen(QPen(caption.isEmpty() ? QColor(255, 220, 0) : QColor(255, 64, 64), 1.5));
        painter.drawEllipse(at, 7, 7);
        painter.drawLine(at - QPointF(11, 0), at + QPointF(11, 0));
        painter.drawLine(at - QPointF(0, 11), at + QPointF(0, 11));
        if (!caption.isEmpty())
            painter.drawText(at + QPointF(9, -9), caption);
    }
}

void PhotoPreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && target().contains(event->position()))
        emit clicked(toPhoto(event->position()));
}

PhotoPlacementDialog::PhotoPlacementDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PhotoPlacementDialog"));
    setWindowTitle(tr("Placer la photo"));
    setModal(false);

    preview_ = new PhotoPreview(this);
    connect(preview_, &PhotoPreview::clicked, this, &PhotoPlacementDialog::clickPhoto);

    projection_ = new QComboBox(this);
    projection_->addItem(tr("Photo ordinaire"));
    projection_->addItem(tr("Photo 360° (équirectangulaire)"));
    azimuth_ = angleBox(this, 0, 360, true, QStringLiteral("Azimuth"));
    elevation_ = angleBox(this, -90, 90, false, QStringLiteral("Elevation"));
    roll_ = angleBox(this, -180, 180, true, QStringLiteral("Roll"));
    fieldOfView_ = angleBox(this, 1, 179, false, QStringLiteral("FieldOfView"));
    auto *values = new QFormLayout;
    values->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    values->addRow(tr("Projection"), projection_);
    values->addRow(tr("Azimut du centre"), azimuth_);
    values->addRow(tr("Hauteur du centre"), elevation_);
    values->addRow(tr("Rotation (sens horaire)"), roll_);
    values->addRow(tr("Champ horizontal"), fieldOfView_);
    azimuth_->setToolTip(tr("Pour une photo 360°, l'azimut de son bord gauche."));
    fieldOfView_->setToolTip(tr("Proposé d'après les données EXIF de la photo quand elles le donnent."));

    calibration_ = new QComboBox(this);
    calibration_->addItem(tr("Saisir les valeurs"));
    calibration_->addItem(tr("Cliquer le Soleil"));
    calibration_->addItem(tr("Deux repères"));
    pages_ = new QStackedWidget(this);
    auto *typed = new QLabel(tr("Le panorama suit chaque valeur saisie."), pages_);
    typed->setWordWrap(true);
    pages_->addWidget(typed);

    auto *sunPage = new QWidget(pages_);
    auto *sunColumn = new QVBoxLayout(sunPage);
    auto *sunHelp = new QLabel(tr("Cliquez le centre du Soleil sur la photo. Le champ et la rotation restent ceux "
                                  "saisis ; l'heure est celle de la prise de vue."), sunPage);
    sunHelp->setWordWrap(true);
    taken_ = new QDateTimeEdit(sunPage);
    taken_->setObjectName(QStringLiteral("PhotoTaken"));
    taken_->setDisplayFormat(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    taken_->setTimeSpec(Qt::UTC); // a wall time; its zone is told beside it
    taken_->setKeyboardTracking(false);
    taken_->setDateTimeRange(QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC),
                             QDateTime(QDate(2199, 12, 31), QTime(23, 59, 59), Qt::UTC));
    zone_ = new QLabel(sunPage);
    zone_->setWordWrap(true);
    sunColumn->addWidget(sunHelp);
    sunColumn->addWidget(taken_);
    sunColumn->addWidget(zone_);
    pages_->addWidget(sunPage);

    auto *landmarkPage = new QWidget(pages_);
    auto *grid = new QGridLayout(landmarkPage);
    auto *landmarkHelp = new QLabel(tr("Cliquez deux repères sur la photo (le repère coché reçoit le clic) et donnez "
                                       "leur azimut, lu par exemple sur la carte, et leur hauteur si vous la connaissez."),
                                    landmarkPage);
    landmarkHelp->setWordWrap(true);
    grid->addWidget(landmarkHelp, 0, 0, 1, 5);
    for (int i = 0; i < 2; ++i) {
        Landmark &mark = landmarks_[size_t(i)];
        mark.select = new QRadioButton(tr("Repère %1").arg(i + 1), landmarkPage);
        mark.state = new QLabel(tr("à cliquer"), landmarkPage);
        mark.azimuth = angleBox(landmarkPage, 0, 360, true, QStringLiteral("LandmarkAzimuth%1").arg(i));
        mark.known = new QCheckBox(tr("hauteur"), landmarkPage);
        mark.elevation = angleBox(landmarkPage, -90, 90, false, QStringLiteral("LandmarkElevation%1").arg(i));
        mark.elevation->setEnabled(false);
        grid->addWidget(mark.select, i + 1, 0);
        grid->addWidget(mark.state, i + 1, 1);
        grid->addWidget(mark.azimuth, i + 1, 2);
        grid->addWidget(mark.known, i + 1, 3);
        grid->addWidget(mark.elevation, i + 1, 4);
        connect(mark.known, &QCheckBox::toggled, mark.elevation, &QWidget::setEnabled);
        connect(mark.known, &QCheckBox::toggled, this, &PhotoPlacementDialog::refit);
        connect(mark.azimuth, &QDoubleSpinBox::valueChanged, this, &PhotoPlacementDialog::refit);
        connect(mark.elevation, &QDoubleSpinBox::valueChanged, this, &PhotoPlacementDialog::refit);
    }
    landmarks_[0].select->setChecked(true);
    pages_->addWidget(landmarkPage);
    residual_ = new QLabel(this);
    residual_->setObjectName(QStringLiteral("PhotoResidual"));
    residual_->setWordWrap(true);

    auto *calibrationGroup = new QGroupBox(tr("Calage"), this);
    auto *calibrationColumn = new QVBoxLayout(calibrationGroup);
    calibrationColumn->addWidget(calibration_);
    calibrationColumn->addWidget(pages_);
    calibrationColumn->addWidget(residual_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *side = new QVBoxLayout;
    side->addLayout(values);
    side->addWidget(calibrationGroup);
    side->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(preview_, 1);
    row->addLayout(side);
    auto *column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);

    connect(projection_, &QComboBox::currentIndexChanged, this, [this] {
        updateEnabled();
        takeChange();
        refit();
    });
    for (QDoubleSpinBox *box : {azimuth_, elevation_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &PhotoPlacementDialog::takeChange);
    // The Sun's fit depends on the field of view and the roll given.
    for (QDoubleSpinBox *box : {roll_, fieldOfView_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] {
            takeChange();
            if (!settingValues_ && calibration_->currentIndex() == int(Calibration::SunClick))
                refit();
        });
    connect(taken_, &QDateTimeEdit::dateTimeChanged, this, &PhotoPlacementDialog::refit);
    connect(calibration_, &QComboBox::currentIndexChanged, this, [this](int index) {
        pages_->setCurrentIndex(index);
        residual_->clear();
        updateMarks();
        refit();
    });
    updateEnabled();
}

void PhotoPlacementDialog::setPhoto(const QImage &photo, const PhotoMetadata &metadata, const SiteLocation &site,
                                    const QTimeZone &siteZone)
{
    photo_ = photo;
    site_ = site;
    siteZone_ = siteZone;
    preview_->setPhoto(photo);
    const QSignalBlocker quiet(taken_);
    takenOffset_.reset();
    if (metadata.taken && metadata.takenHasOffset) {
        takenOffset_ = metadata.taken->offsetFromUtc();
        const QDateTime wall = metadata.taken->toOffsetFromUtc(*takenOffset_);
        taken_->setDateTime(QDateTime(wall.date(), wall.time(), Qt::UTC));
        const int minutes = std::abs(*takenOffset_) / 60;
        zone_->setText(tr("Heure de la photo, UTC%1%2:%3.")
                           .arg(*takenOffset_ < 0 ? u'−' : u'+')
                           .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                           .arg(minutes % 60, 2, 10, QLatin1Char('0')));
    } else {
        const QDateTime now = siteZone_.isValid() ? QDateTime::currentDateTime().toTimeZone(siteZone_)
                                                  : QDateTime::currentDateTime();
        taken_->setDateTime(metadata.taken ? QDateTime(metadata.taken->date(), metadata.taken->time(), Qt::UTC)
                                           : QDateTime(now.date(), now.time(), Qt::UTC));
        zone_->setText(metadata.taken ? tr("Heure de la photo, lue comme l'heure locale du site : corrigez-la si "
                                           "l'appareil n'était pas à l'heure.")
                                      : tr("La photo ne dit pas quand elle a été prise : donnez l'heure locale du "
                                           "site à laquelle elle l'a été."));
    }
}

void PhotoPlacementDialog::setValues(const PhotoPlacement &placement)
{
    opened_ = placement;
    settingValues_ = true;
    projection_->setCurrentIndex(placement.projection == PhotoProjection::Equirectangular ? 1 : 0);
    azimuth_->setValue(placement.azimuth);
    elevation_->setValue(placement.elevation);
    roll_->setValue(placement.roll);
    fieldOfView_->setValue(placement.fieldOfView);
    settingValues_ = false;
    updateEnabled();
}

PhotoPlacement PhotoPlacementDialog::placement() const
{
    PhotoPlacement placement;
    placement.projection = projection_->currentIndex() == 1 ? PhotoProjection::Equirectangular
                                                            : PhotoProjection::Rectilinear;
    placement.azimuth = std::fmod(azimuth_->value(), 360.0);
    placement.elevation = elevation_->value();
    placement.roll = roll_->value();
    placement.fieldOfView = fieldOfView_->value();
    return placement;
}

QDoubleSpinBox *PhotoPlacementDialog::spinBox(const QString &key) const
{
    for (QDoubleSpinBox *box : {azimuth_, elevation_, roll_, fieldOfView_})
        if (box->objectName() == key)
            return box;
    return nullptr;
}

QDateTime PhotoPlacementDialog::takenUtc() const
{
    const QDateTime wall = taken_->dateTime();
    if (takenOffset_)
        return QDateTime(wall.date(), wall.time(), Qt::OffsetFromUTC, *takenOffset_).toUTC();
    if (siteZone_.isValid())
        return QDateTime(wall.date(), wall.time(), siteZone_).toUTC();
    return QDateTime(wall.date(), wall.time(), Qt::LocalTime).toUTC();
}

void PhotoPlacementDialog::updateEnabled()
{
    const bool ordinary = projection_->currentIndex() == 0;
    for (QWidget *box : {static_cast<QWidget *>(elevation_), static_cast<QWidget *>(roll_),
                         static_cast<QWidget *>(fieldOfView_)})
        box->setEnabled(ordinary);
    // Two landmarks place an ordinary photo; a 360° one needs only its azimuth.
    if (!ordinary && calibration_->currentIndex() == int(Calibration::TwoLandmarks))
        calibration_->setCurrentIndex(int(Calibration::Values));
    if (auto *model = qobject_cast<QStandardItemModel *>(calibration_->model()))
        model->item(int(Calibration::TwoLandmarks))->setEnabled(ordinary);
}

void PhotoPlacementDialog::takeChange()
{
    if (!settingValues_)
        emit changed(placement());
}

void PhotoPlacementDialog::clickPhoto(QPointF pixel)
{
    switch (Calibration(calibration_->currentIndex())) {
    case Calibration::Values:
        return;
    case Calibration::SunClick:
        sunPixel_ = pixel;
        break;
    case Calibration::TwoLandmarks: {
        const int i = landmarks_[0].select->isChecked() ? 0 : 1;
        landmarks_[size_t(i)].pixel = pixel;
        landmarks_[size_t(i)].state->setText(tr("placé"));
        landmarks_[size_t(1 - i)].select->setChecked(true); // the next click places the other
        break;
    }
    }
    updateMarks();
    refit();
}

void PhotoPlacementDialog::updateMarks()
{
    std::vector<std::pair<QPointF, QString>> marks;
    if (calibration_->currentIndex() == int(Calibration::SunClick) && sunPixel_)
        marks.emplace_back(*sunPixel_, QString());
    if (calibration_->currentIndex() == int(Calibration::TwoLandmarks))
        for (int i = 0; i < 2; ++i)
            if (landmarks_[size_t(i)].pixel)
                marks.emplace_back(*landmarks_[size_t(i)].pixel, QString::number(i + 1));
    preview_->setMarks(marks);
}

void PhotoPlacementDialog::refit()
{
    if (photo_.isNull())
        return;
    const QSizeF size = photo_.size();
    const bool ordinary = projection_->currentIndex() == 0;
    switch (Calibration(calibration_->currentIndex())) {
    case Calibration::Values:
        return;
    case Calibration::SunClick: {
        if (!sunPixel_)
            return;
        const QDateTime utc = takenUtc();
        if (ordinary) {
            showFit(fitFromSunClick(*sunPixel_, utc, site_, size, fieldOfView_->value(), roll_->value()), {tr("Soleil")});
        } else {
            const PhotoReference sun{*sunPixel_, sunDirection(utc, site_), true};
            showFit(fitEquirectangularFromReference(sun, size), {tr("Soleil")});
        }
        return;
    }
    case Calibration::TwoLandmarks: {
        const Landmark &a = landmarks_[0], &b = landmarks_[1];
        if (!a.pixel || !b.pixel || !ordinary)
            return;
        const auto reference = [](const Landmark &mark) {
            return PhotoReference{*mark.pixel, {mark.azimuth->value(), mark.elevation->value()}, mark.known->isChecked()};
        };
        const std::optional<PhotoFit> fit = fitFromTwoReferences(reference(a), reference(b), size);
        if (!fit) {
            residual_->setText(tr("Ces deux repères ne placent pas la photo : cliquez-les plus écartés, ou vérifiez "
                                  "leurs azimuts."));
            return;
        }
        showFit(*fit, {tr("repère 1"), tr("repère 2")});
        return;
    }
    }
}

void PhotoPlacementDialog::showFit(const PhotoFit &fit, const QStringList &names)
{
    QStringList parts;
    for (size_t i = 0; i < fit.residuals.size() && i < size_t(names.size()); ++i)
        parts << tr("%1 : %2").arg(names[qsizetype(i)], degrees(fit.residuals[i]));
    residual_->setText(tr("Écart après le calage — %1").arg(parts.join(QStringLiteral(", "))));
    if (!std::all_of(fit.residuals.begin(), fit.residuals.end(), [](double r) { return std::isfinite(r); }))
        return; // the inputs could not be used: the values stay
    settingValues_ = true;
    azimuth_->setValue(fit.placement.azimuth);
    if (fit.placement.projection == PhotoProjection::Rectilinear) {
        elevation_->setValue(fit.placement.elevation);
        roll_->setValue(fit.placement.roll);
        fieldOfView_->setValue(fit.placement.fieldOfView);
    }
    settingValues_ = false;
    takeChange();
}

void PhotoPlacementDialog::done(int result)
{
    if (result == QDialog::Rejected)
        emit changed(opened_);
    QDialog::done(result);
}

} // namespace lumora
