// Wiring the real view to the panorama: its menu, dialog, drawing and settings.
#include "realview/realviewcontroller.h"

#include "analysis/replacedfile.h"
#include "analysis/skylinefile.h"
#include "common/twips.h"
#include "diagrams/panoramaview.h"
#include "realview/measuredwindowdialog.h"
#include "realview/realviewsettings.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSettings>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>

namespace lumora {

namespace {
constexpr double kHandleReach = 8 * kTwipsPerPixel; // a point is picked within 8 pixels

QPointF twipsAt(const QPointF &pixels) { return pixels * kTwipsPerPixel; }

// The dialog where it hides nothing of the panorama it changes: beside the
// main window, else under the panorama.
void placeBesideWindow(QWidget *dialog, QWidget *panorama)
{
    dialog->adjustSize();
    const QRect window = panorama->window()->frameGeometry();
    const QScreen *screen = panorama->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QSize size = dialog->frameGeometry().size();
    const QPoint below = panorama->mapToGlobal(QPoint(0, panorama->height()));
    for (const QPoint &topLeft : {QPoint(window.right() + 8, window.top()), QPoint(window.left() - 8 - size.width(), window.top()),
                                  QPoint(below.x(), below.y() + 8)}) {
        if (room.contains(QRect(topLeft, size))) {
            dialog->move(topLeft);
            return;
        }
    }
}
} // namespace

RealViewController::RealViewController(PanoramaView *panorama, QSettings *store, QObject *parent)
    : QObject(parent), panorama_(panorama), store_(store)
{
    if (store_) {
        const RealViewSettings kept = readRealViewSettings(*store_);
        measured_ = kept.measured;
        inForce_ = kept.measuredInForce;
        skyline_ = kept.skyline;
    }
    panorama_->addLayer(painting_.groundLayer(), kGroundLevel);
    panorama_->addLayer(painting_.windowLayer(), kWindowOutlineLevel);
    painting_.setSkyline(skyline_, panorama_->pictureSize());
    setMeasured(measured_, inForce_);
    buildMenu();
    endDrawing_ = new QShortcut(QKeySequence(Qt::Key_Escape), panorama_);
    endDrawing_->setContext(Qt::WindowShortcut);
    endDrawing_->setEnabled(false);
    connect(endDrawing_, &QShortcut::activated, this, [this] { setDrawing(false); });
}

RealViewController::~RealViewController()
{
    if (panorama_) {
        panorama_->removeLayer(painting_.groundLayer());
        panorama_->removeLayer(painting_.windowLayer());
        panorama_->removeEventFilter(this);
    }
}

void RealViewController::buildMenu()
{
    QMenu *menu = panorama_->menu();
    if (!menu->isEmpty())
        menu->addSeparator();
    measuredAction_ = menu->addAction(tr("Fenêtre mesurée…"));
    measuredAction_->setObjectName(QStringLiteral("MeasuredWindowAction"));
    connect(measuredAction_, &QAction::triggered, this, &RealViewController::openDialog);

    skylineMenu_ = menu->addMenu(tr("Horizon"));
    skylineMenu_->setObjectName(QStringLiteral("SkylineMenu"));
    QAction *import = skylineMenu_->addAction(tr("Importer l'horizon…"));
    connect(import, &QAction::triggered, this, &RealViewController::chooseImport);
    drawAction_ = skylineMenu_->addAction(tr("Dessiner l'horizon"));
    drawAction_->setCheckable(true);
    connect(drawAction_, &QAction::toggled, this, &RealViewController::setDrawing);
    exportAction_ = skylineMenu_->addAction(tr("Exporter l'horizon…"));
    connect(exportAction_, &QAction::triggered, this, &RealViewController::chooseExport);
    clearAction_ = skylineMenu_->addAction(tr("Effacer l'horizon"));
    connect(clearAction_, &QAction::triggered, this, [this] { setSkyline(Skyline()); });
    connect(skylineMenu_, &QMenu::aboutToShow, this, [this] {
        exportAction_->setEnabled(!skyline_.empty());
        clearAction_->setEnabled(!skyline_.empty());
    });
}

void RealViewController::setMeasured(const MeasuredWindow &window, bool inForce, bool keep)
{
    const bool same = window == measured_ && inForce == inForce_ && outline_.has_value() == inForce;
    measured_ = window;
    inForce_ = inForce;
    if (!same) {
        outline_.reset();
        if (inForce_)
            outline_ = measuredWindowOutline(measured_);
        painting_.setOutline(outline_, measured_.depth > 0, panorama_->pictureSize());
        panorama_->setFrameDotted(inForce_);
        panorama_->update();
    }
    if (keep)
        keepMeasured();
    if (!same)
        emit changed();
}

void RealViewController::setSkyline(const Skyline &skyline, bool keep)
{
    const bool same = skyline == skyline_;
    skyline_ = skyline;
    sketch_ = SkylineSketch(skyline_);
    if (!same) {
        painting_.setSkyline(skyline_, panorama_->pictureSize());
        panorama_->update();
    }
    if (keep)
        keepSkyline();
    if (!same)
        emit changed();
}

void RealViewController::keepMeasured()
{
    if (store_ && !writeMeasuredWindowSettings(*store_, measured_, inForce_))
        qWarning("Lumora: the measured window could not be saved to %s", qPrintable(store_->fileName()));
}

void RealViewController::keepSkyline()
{
    if (store_ && !writeSkylineSettings(*store_, skyline_))
        qWarning("Lumora: the skyline could not be saved to %s", qPrintable(store_->fileName()));
}

MeasuredWindowDialog *RealViewController::openDialog()
{
    if (!dialog_) {
        dialog_ = new MeasuredWindowDialog(panorama_->window());
        dialog_->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog_, &MeasuredWindowDialog::changed, this,
                [this](const MeasuredWindow &window, bool inForce) { setMeasured(window, inForce); });
        connect(dialog_, &QDialog::accepted, this, &RealViewController::keepMeasured);
        dialog_->setValues(measured_, inForce_);
        placeBesideWindow(dialog_, panorama_);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    return dialog_;
}

QString RealViewController::importSkyline(const QString &path)
{
    const SkylineRead read = readSkylineFile(path);
    if (!read.skyline)
        return read.error.isEmpty() ? tr("Ce fichier ne contient pas d'horizon.") : read.error;
    setSkyline(*read.skyline);
    return {};
}

QString RealViewController::exportSkyline(const QString &path)
{
    ReplacedFile file;
    if (file.create(path) && file.write(skylineCsv(skyline_)) && file.close())
        return {};
    return file.errorString().isEmpty() ? tr("raison inconnue") : file.errorString();
}

QString RealViewController::folder() const
{
    if (!lastFolder_.isEmpty() && QDir(lastFolder_).exists())
        return lastFolder_;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void RealViewController::chooseImport()
{
    auto *dialog = new QFileDialog(panorama_->window(), tr("Importer l'horizon"), folder(),
                                   tr("Horizons (*.csv *.txt *.dat);;Tous les fichiers (*)"));
    dialog->setObjectName(QStringLiteral("SkylineImportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString &path) {
        lastFolder_ = QFileInfo(path).absolutePath();
        const QString error = importSkyline(path);
        if (!error.isEmpty())
            showProblem(tr("L'horizon n'a pas été importé : %1").arg(error), QDir::toNativeSeparators(path));
    });
    dialog->open();
}

void RealViewController::chooseExport()
{
    auto *dialog = new QFileDialog(panorama_->window(), tr("Exporter l'horizon"),
                                   QDir(folder()).filePath(QStringLiteral("horizon.csv")), tr("Fichiers CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("SkylineExportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString &path) {
        lastFolder_ = QFileInfo(path).absolutePath();
        const QString error = exportSkyline(path);
        if (!error.isEmpty())
            showProblem(tr("L'horizon n'a pas pu être enregistré dans %1").arg(QDir::toNativeSeparators(path)), error);
    });
    dialog->open();
}

void RealViewController::showProblem(const QString &message, const QString &detail)
{
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Horizon"), message, QMessageBox::Ok, panorama_->window());
    box->setObjectName(QStringLiteral("SkylineMessage"));
    box->setInformativeText(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void RealViewController::setDrawing(bool drawing)
{
    if (drawing == drawing_)
        return;
    drawing_ = drawing;
    dragged_ = -1;
    sketch_ = SkylineSketch(skyline_);
    drawAction_->setChecked(drawing);
    endDrawing_->setEnabled(drawing);
    if (drawing) {
        panorama_->installEventFilter(this);
        panorama_->setCursor(Qt::CrossCursor);
    } else {
        panorama_->removeEventFilter(this);
        panorama_->unsetCursor();
    }
    painting_.setEditing(drawing, tr("Horizon : clic = ajouter un point, glisser = le déplacer, clic droit = "
                                     "l'enlever, Échap = terminer"));
    panorama_->update();
}

bool RealViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != panorama_ || !drawing_)
        return QObject::eventFilter(watched, event);
    const PictureSize picture = panorama_->pictureSize();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPointF place = twipsAt(mouse->position());
        const int near = sketch_.pointNear(place, picture, kHandleReach);
        if (mouse->button() == Qt::RightButton) {
            if (sketch_.remove(near))
                setSkyline(sketch_.skyline());
        } else if (mouse->button() == Qt::LeftButton) {
            dragged_ = near >= 0 ? near : sketch_.add(place, picture);
            setSkyline(sketch_.skyline(), false);
        }
        return true;
    }
    case QEvent::MouseMove:
        if (dragged_ >= 0) {
            dragged_ = sketch_.move(dragged_, twipsAt(static_cast<QMouseEvent *>(event)->position()), picture);
            setSkyline(sketch_.skyline(), false);
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (dragged_ >= 0 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            dragged_ = -1;
            keepSkyline();
        }
        return true;
    case QEvent::ContextMenu: // the right click removes a point instead
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace lumora
