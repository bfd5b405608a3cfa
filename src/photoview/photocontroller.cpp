// Wiring the photo to the panorama: its menu, the work off the window's
// thread, the busy indication, the frame's tracing and the settings.
#include "photoview/photocontroller.h"

#include "common/twips.h"
#include "diagrams/geometry.h"
#include "diagrams/panoramaview.h"
#include "photo/photopanorama.h"
#include "photoview/photoplacementdialog.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
constexpr int kBusyDelayMs = 150;             // a shorter wait shows no indication
constexpr double kEdgeReach = 6 * kTwipsPerPixel; // an edge is caught within 6 pixels
constexpr int kOpacities[] = {25, 50, 75, 100};
// The photo is decoded at least this wide, no wider than it needs: plenty for
// the panorama and the placement dialog's preview, and a 12-megapixel JPEG
// decodes at half size.
constexpr int kReducedPhotoWidth = 1280;

struct PhotoJob {
    quint64 generation = 0;
    QString path;
    QImage photo; // null: load it
    PhotoPlacement placement;
    bool propose = false; // a new photo: place it where `looking` is
    SkyPoint looking;
    QSize grid;
};

// Where a newly chosen photo goes first: a 360° photo (twice as wide as high)
// from north, an ordinary one centred on the frame with its lens's field of
// view when the file gives it.
PhotoPlacement proposedPlacement(QSize photo, const PhotoMetadata &metadata, SkyPoint looking)
{
    PhotoPlacement placement;
    if (photo.width() == 2 * photo.height()) {
        placement.projection = PhotoProjection::Equirectangular;
        placement.azimuth = 0;
        return placement;
    }
    placement.azimuth = looking.azimuth;
    placement.elevation = looking.elevation;
    if (metadata.horizontalFieldOfView)
        placement.fieldOfView = *metadata.horizontalFieldOfView;
    return placement;
}

// The photo smoothed down to about two of its pixels per grid pixel where it
// is finer than that, so that the bilinear resampling does not alias.
QImage photoForGrid(const QImage &photo, const PhotoPlacement &placement, QSize grid)
{
    const double perDegree = std::max(grid.width() / 360.0, grid.height() / 90.0);
    const double span = placement.projection == PhotoProjection::Equirectangular ? 360 : placement.fieldOfView;
    const int width = int(std::ceil(2 * perDegree * span));
    if (width <= 0 || width >= photo.width())
        return photo;
    return photo.scaledToWidth(width, Qt::SmoothTransformation);
}

// The dialog where it hides as little as it can of the panorama it changes:
// beside the main window, else under the panorama, else over the window's
// lower part.
void placeBesideWindow(QWidget *dialog, QWidget *panorama)
{
    dialog->adjustSize();
    const QRect window = panorama->window()->frameGeometry();
    const QScreen *screen = panorama->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QSize size = dialog->frameGeometry().size();
    const QPoint below = panorama->mapToGlobal(QPoint(0, panorama->height()));
    for (const QPoint &topLeft : {QPoint(window.right() + 8, window.top()), QPoint(window.left() - 8 - size.width(), window.top()),
                                  QPoint(below.x(), below.y() + 8), QPoint(room.right() - size.width(), room.bottom() - size.height())}) {
        if (room.contains(QRect(topLeft, size))) {
            dialog->move(topLeft);
            return;
        }
    }
}

PhotoJobResult runJob(PhotoJob job)
{
    PhotoJobResult result;
    result.generation = job.generation;
    result.path = job.path;
    result.photo = job.photo;
    if (result.photo.isNull()) {
        result.photo = loadOrientedPhoto(job.path, &result.error, kReducedPhotoWidth);
        if (result.photo.isNull())
            return result;
        result.metadata = readPhotoMetadata(job.path);
    }
    result.placement = job.propose ? proposedPlacement(result.photo.size(), result.metadata, job.looking) : job.placement;
    result.grid = resamplePhoto(photoForGrid(result.photo, result.placement, job.grid), result.placement, job.grid);
    return result;
}
} // namespace

PhotoController::PhotoController(PanoramaView *panorama, QSettings *store, QObject *parent)
    : QObject(parent), panorama_(panorama), store_(store)
{
    panorama_->addLayer(&layer_, kPhotoLevel);
    buildMenu();
    connect(&watcher_, &QFutureWatcher<PhotoJobResult>::finished, this, &PhotoController::jobDone);

    busyBox_ = new QFrame(panorama_);
    busyBox_->setObjectName(QStringLiteral("PhotoBusy"));
    busyBox_->setAutoFillBackground(true);
    auto *column = new QVBoxLayout(busyBox_);
    column->addWidget(new QLabel(tr("Préparation de la photo…"), busyBox_));
    auto *bar = new QProgressBar(busyBox_);
    bar->setRange(0, 0); // busy: how long is not known
    column->addWidget(bar);
    busyBox_->hide();
    busyDelay_ = new QTimer(this);
    busyDelay_->setSingleShot(true);
    busyDelay_->setInterval(kBusyDelayMs);
    connect(busyDelay_, &QTimer::timeout, this, [this] {
        busyBox_->adjustSize();
        busyBox_->move((panorama_->width() - busyBox_->width()) / 2, (panorama_->height() - busyBox_->height()) / 2);
        busyBox_->show();
        busyBox_->raise();
    });

    endTracing_ = new QShortcut(QKeySequence(Qt::Key_Escape), panorama_);
    endTracing_->setContext(Qt::WindowShortcut);
    endTracing_->setEnabled(false);
    connect(endTracing_, &QShortcut::activated, this, [this] { setFrameTracing(false); });

    if (store_)
        current_ = readPhotoSettings(*store_);
    if (QAction *action = opacityAction(current_.opacity))
        action->setChecked(true);
    if (!current_.file.isEmpty()) {
        wantedPath_ = current_.file;
        request(false);
    }
}

PhotoController::~PhotoController()
{
    // A job still running finishes on its own; its result goes nowhere.
    disconnect(&watcher_, nullptr, this, nullptr);
    if (panorama_) {
        panorama_->removeLayer(&layer_);
        panorama_->removeEventFilter(this);
    }
}

void PhotoController::buildMenu()
{
    QMenu *menu = panorama_->menu();
    if (!menu->isEmpty())
        menu->addSeparator();
    menu_ = menu->addMenu(tr("Photo"));
    menu_->setObjectName(QStringLiteral("PhotoMenu"));
    QAction *choose = menu_->addAction(tr("Choisir une photo…"));
    choose->setObjectName(QStringLiteral("ChoosePhotoAction"));
    connect(choose, &QAction::triggered, this, &PhotoController::chooseFile);
    placeAction_ = menu_->addAction(tr("Placer la photo…"));
    placeAction_->setObjectName(QStringLiteral("PlacePhotoAction"));
    connect(placeAction_, &QAction::triggered, this, &PhotoController::openDialog);

    opacityMenu_ = menu_->addMenu(tr("Opacité de la photo"));
    opacityMenu_->setObjectName(QStringLiteral("PhotoOpacityMenu"));
    opacityGroup_ = new QActionGroup(this);
    for (int percent : kOpacities) {
        QAction *action = opacityMenu_->addAction(tr("%1 %").arg(percent));
        action->setCheckable(true);
        action->setData(percent);
        opacityGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [this, percent] { setOpacity(percent); });
    }

    frameAction_ = menu_->addAction(tr("Cadre sur la photo"));
    frameAction_->setObjectName(QStringLiteral("PhotoFrameAction"));
    frameAction_->setCheckable(true);
    connect(frameAction_, &QAction::toggled, this, &PhotoController::setFrameTracing);
    skylineAction_ = menu_->addAction(tr("Horizon sur la photo"));
    skylineAction_->setObjectName(QStringLiteral("PhotoSkylineAction"));
    skylineAction_->setCheckable(true);
    connect(skylineAction_, &QAction::toggled, this, &PhotoController::skylineTracingWanted);
    clearAction_ = menu_->addAction(tr("Sans photo"));
    clearAction_->setObjectName(QStringLiteral("NoPhotoAction"));
    connect(clearAction_, &QAction::triggered, this, &PhotoController::clearPhoto);
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        const bool shown = !photo_.isNull();
        for (QAction *action : {placeAction_, opacityMenu_->menuAction(), frameAction_, skylineAction_, clearAction_})
            action->setEnabled(shown || action->isChecked());
    });
}

QAction *PhotoController::opacityAction(int percent) const
{
    for (QAction *action : opacityGroup_->actions())
        if (action->data().toInt() == percent)
            return action;
    return nullptr;
}

QSize PhotoController::gridSize() const
{
    return (QSizeF(panorama_->size()) * panorama_->devicePixelRatioF()).toSize();
}

void PhotoController::choosePhoto(const QString &path)
{
    wantedPath_ = path;
    request(true);
}

void PhotoController::clearPhoto()
{
    ++generation_; // whatever runs is stale now
    pending_ = pendingNewFile_ = false;
    wantedPath_.clear();
    busyDelay_->stop();
    busyBox_->hide();
    setFrameTracing(false);
    skylineAction_->setChecked(false);
    photo_ = QImage();
    loadedPath_.clear();
    layer_.clear();
    closeDialog();
    current_.file.clear();
    keep();
    panorama_->update();
    emit shown();
}

void PhotoController::showKeptPhoto()
{
    const PhotoSettings kept = store_ ? readPhotoSettings(*store_) : PhotoSettings{};
    if (kept.file == current_.file && kept.placement == current_.placement && kept.opacity == current_.opacity)
        return;
    closeDialog();
    setFrameTracing(false);
    const bool sameLook = kept.file == current_.file && kept.placement == current_.placement;
    current_ = kept;
    if (QAction *action = opacityAction(current_.opacity))
        action->setChecked(true);
    ++generation_; // whatever runs is stale now
    pending_ = pendingNewFile_ = false;
    wantedPath_ = current_.file;
    if (current_.file.isEmpty()) {
        busyDelay_->stop();
        busyBox_->hide();
        photo_ = QImage();
        loadedPath_.clear();
        layer_.clear();
        panorama_->update();
        emit shown();
    } else if (sameLook && !photo_.isNull()) {
        layer_.setOpacity(current_.opacity);
        panorama_->update();
    } else {
        request(false);
    }
}

void PhotoController::setPlacement(const PhotoPlacement &placement, bool keepIt)
{
    const bool same = placement == current_.placement;
    current_.placement = placement;
    if (!same && (!photo_.isNull() || watcher_.isRunning()) && !pendingNewFile_)
        request(false);
    if (keepIt)
        keep();
}

void PhotoController::setOpacity(int percent)
{
    current_.opacity = std::clamp(percent, 0, 100);
    if (QAction *action = opacityAction(current_.opacity))
        action->setChecked(true);
    layer_.setOpacity(current_.opacity);
    panorama_->update();
    keep();
}

void PhotoController::keep()
{
    if (store_ && !writePhotoSettings(*store_, current_))
        qWarning("Lumora: the photo could not be saved to %s", qPrintable(store_->fileName()));
}

void PhotoController::request(bool newFile)
{
    ++generation_;
    pendingNewFile_ = pendingNewFile_ || newFile;
    if (watcher_.isRunning()) {
        pending_ = true; // started when the running one ends; its result is dropped
        return;
    }
    startJob();
}

void PhotoController::startJob()
{
    pending_ = false;
    PhotoJob job;
    job.generation = generation_;
    job.path = wantedPath_;
    if (!pendingNewFile_ && loadedPath_ == wantedPath_)
        job.photo = photo_;
    job.placement = current_.placement;
    job.propose = pendingNewFile_;
    const FrameLines &lines = panorama_->frameLines();
    const PictureSize picture = panorama_->pictureSize();
    job.looking = {xToAzimuth((lines.left.x1 + lines.right.x1) / 2.0, picture),
                   yToElevation((lines.top.y1 + lines.bottom.y1) / 2.0, picture)};
    job.grid = gridSize();
    watcher_.setFuture(QtConcurrent::run(runJob, std::move(job)));
    if (!busyDelay_->isActive() && !busyBox_->isVisible())
        busyDelay_->start();
}

void PhotoController::jobDone()
{
    const PhotoJobResult result = watcher_.result();
    if (result.generation != generation_) {
        if (pending_)
            startJob();
        return;
    }
    busyDelay_->stop();
    busyBox_->hide();
    const bool newFile = pendingNewFile_;
    pendingNewFile_ = false;
    if (result.grid.isNull()) {
        const QString error = result.error.isEmpty() ? tr("La photo « %1 » n'a pas pu être préparée.")
                                                           .arg(QDir::toNativeSeparators(result.path))
                                                     : result.error;
        if (newFile) {
            // What was on show stays.
            wantedPath_ = loadedPath_;
            showProblem(error + u'\n' + tr("La photo affichée n'a pas changé."));
        } else {
            // The kept photo is gone or unreadable: the plain field, the
            // settings untouched for when the file comes back.
            photo_ = QImage();
            loadedPath_.clear();
            layer_.clear();
            panorama_->update();
            showProblem(error + u'\n' + tr("Le panorama reste uni ; les autres réglages sont conservés."));
            emit shown();
        }
        return;
    }
    if (result.photo.cacheKey() != photo_.cacheKey() || loadedPath_ != result.path) {
        photo_ = result.photo;
        metadata_ = result.metadata;
        loadedPath_ = result.path;
    }
    if (newFile) {
        current_.file = result.path;
        current_.placement = result.placement;
        keep();
        closeDialog();
    }
    layer_.setGrid(result.grid, panorama_->size(), panorama_->devicePixelRatioF(), current_.opacity);
    panorama_->update();
    emit shown();
}

void PhotoController::showProblem(const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Photo"), message, QMessageBox::Ok, panorama_->window());
    box->setObjectName(QStringLiteral("PhotoMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void PhotoController::chooseFile()
{
    QString folder = lastFolder_;
    if (folder.isEmpty() && !current_.file.isEmpty())
        folder = QFileInfo(current_.file).absolutePath();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    auto *dialog = new QFileDialog(panorama_->window(), tr("Choisir une photo"), folder,
                                   tr("Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff);;Tous les fichiers (*)"));
    dialog->setObjectName(QStringLiteral("PhotoOpenDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString &path) {
        lastFolder_ = QFileInfo(path).absolutePath();
        choosePhoto(path);
    });
    dialog->open();
}

PhotoPlacementDialog *PhotoController::openDialog()
{
    if (photo_.isNull())
        return nullptr;
    if (!dialog_) {
        dialog_ = new PhotoPlacementDialog(panorama_->window());
        dialog_->setAttribute(Qt::WA_DeleteOnClose);
        dialog_->setPhoto(photo_, metadata_, site_, zone_);
        dialog_->setValues(current_.placement);
        connect(dialog_, &PhotoPlacementDialog::changed, this,
                [this](const PhotoPlacement &placement) { setPlacement(placement); });
        connect(dialog_, &QDialog::accepted, this, &PhotoController::keep);
        placeBesideWindow(dialog_, panorama_);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    return dialog_;
}

void PhotoController::closeDialog()
{
    // Its placement was for the photo that went: closing it puts nothing back.
    if (dialog_) {
        dialog_->disconnect(this);
        dialog_->close();
    }
}

void PhotoController::setFrameTracing(bool tracing)
{
    if (tracing == tracing_)
        return;
    tracing_ = tracing;
    dragged_ = FrameBar::None;
    frameAction_->setChecked(tracing);
    endTracing_->setEnabled(tracing);
    if (tracing) {
        panorama_->installEventFilter(this);
        panorama_->setMouseTracking(true);
    } else {
        panorama_->removeEventFilter(this);
        panorama_->setMouseTracking(false);
        panorama_->unsetCursor();
    }
    emit frameTracingChanged(tracing);
}

FrameBar PhotoController::edgeNear(QPointF p) const
{
    const FrameLines &lines = panorama_->frameLines();
    const double top = std::min(lines.top.y1, lines.bottom.y1), bottom = std::max(lines.top.y1, lines.bottom.y1);
    const double left = std::min(lines.left.x1, lines.right.x1), right = std::max(lines.left.x1, lines.right.x1);
    const bool alongHeight = p.y() >= top - kEdgeReach && p.y() <= bottom + kEdgeReach;
    const bool alongWidth = p.x() >= left - kEdgeReach && p.x() <= right + kEdgeReach;
    const std::pair<FrameBar, double> candidates[] = {
        {FrameBar::Left, alongHeight ? std::fabs(p.x() - lines.left.x1) : kEdgeReach * 2},
        {FrameBar::Right, alongHeight ? std::fabs(p.x() - lines.right.x1) : kEdgeReach * 2},
        {FrameBar::Top, alongWidth ? std::fabs(p.y() - lines.top.y1) : kEdgeReach * 2},
        {FrameBar::Bottom, alongWidth ? std::fabs(p.y() - lines.bottom.y1) : kEdgeReach * 2}};
    const auto nearest = std::min_element(std::begin(candidates), std::end(candidates),
                                          [](const auto &a, const auto &b) { return a.second < b.second; });
    return nearest->second <= kEdgeReach ? nearest->first : FrameBar::None;
}

bool PhotoController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != panorama_ || !tracing_)
        return QObject::eventFilter(watched, event);
    const auto cursorFor = [](FrameBar edge) {
        return edge == FrameBar::Left || edge == FrameBar::Right ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return QObject::eventFilter(watched, event);
        dragged_ = edgeNear(mouse->position() * kTwipsPerPixel);
        return true;
    }
    case QEvent::MouseMove: {
        const QPointF p = static_cast<QMouseEvent *>(event)->position() * kTwipsPerPixel;
        if (dragged_ == FrameBar::None) {
            const FrameBar near = edgeNear(p);
            if (near == FrameBar::None)
                panorama_->unsetCursor();
            else
                panorama_->setCursor(cursorFor(near));
            return true;
        }
        const PictureSize picture = panorama_->pictureSize();
        const bool across = dragged_ == FrameBar::Left || dragged_ == FrameBar::Right;
        const double value = std::clamp(across ? p.x() : p.y(), 0.0, double(across ? picture.width : picture.height));
        emit frameEdgeDragged(dragged_, int(std::lround(value)));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            dragged_ = FrameBar::None;
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace lumora
