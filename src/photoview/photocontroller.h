// The user's photo as the panorama: the "Photo" submenu of the panorama's menu
// (choosing a photo, placing it, its opacity, tracing the frame and the
// skyline on it, going back to the plain field), the photo layer, the loading
// and resampling off the window's thread with a busy indication, and the
// settings group "Photo". The main window links the frame's edges dragged on
// the photo to its bars, and the skyline's tracing to the real view.
#pragma once

#include "astro/solarposition.h"
#include "diagrams/windowframe.h"
#include "photo/photometadata.h"

#include <QTimeZone>
#include "photo/photosettings.h"
#include "photoview/photolayer.h"
#include "photoview/photoplacementdialog.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;
class QMenu;
class QSettings;
class QShortcut;
class QTimer;

namespace lumora {

class PanoramaView;

// What one load or resampling off the window's thread delivers.
struct PhotoJobResult {
    quint64 generation = 0;
    QString path;
    QImage photo;           // upright, reduced for the panorama (loaded once per file)
    PhotoMetadata metadata; // read with a newly loaded photo
    PhotoPlacement placement; // the one resampled (proposed for a new photo)
    QImage grid;            // the panorama's grid; null on failure
    QString error;          // the French message on failure
};

class PhotoController : public QObject
{
    Q_OBJECT
public:
    // Paints on `panorama` and adds the "Photo" submenu to its menu. The photo
    // kept in `store` is loaded now (its failure told once the window shows);
    // each change made is written to it (nothing is kept when null). Both
    // must outlive the controller.
    PhotoController(PanoramaView *panorama, QSettings *store, QObject *parent = nullptr);
    ~PhotoController() override;

    // A new photo: loaded off the window's thread and placed where the frame
    // is (a 360° one when twice as wide as high), its field of view from its
    // EXIF tags when they give one. Shown and kept when loaded; when it cannot
    // be, a message and what was on show stays.
    void choosePhoto(const QString &path);
    // "Sans photo": the plain field, kept.
    void clearPhoto();
    // The photo of the settings group as it now stands (another window put on
    // show wrote it): shown, or the plain field; nothing is written.
    void showKeptPhoto();
    // A new placement on show (the dialog's live changes), resampled off the
    // window's thread; `keep` writes it too.
    void setPlacement(const PhotoPlacement &placement, bool keep = false);
    // Opacity in percent, [0, 100]; kept.
    void setOpacity(int percent);
    // The site whose Sun the placement dialog's Sun click uses, and its time
    // zone for a photo time without an offset (not valid: the computer's).
    void setSite(const SiteLocation &site, const QTimeZone &zone)
    {
        site_ = site;
        zone_ = zone;
    }

    // "Cadre sur la photo": pressing near an edge of the frame and dragging
    // moves it (frameEdgeDragged); Escape ends it.
    void setFrameTracing(bool tracing);
    bool frameTracing() const { return tracing_; }

    // What is in force: the settings' file, placement and opacity.
    const PhotoSettings &current() const { return current_; }
    // The photo on show (upright, reduced), null without one.
    const QImage &photo() const { return photo_; }
    const PhotoLayer &layer() const { return layer_; }
    // A load or a resampling is running.
    bool busy() const { return watcher_.isRunning(); }

    // Opens the placement dialog (non-modal; brought forward when open).
    PhotoPlacementDialog *openDialog();
    PhotoPlacementDialog *dialog() const { return dialog_; }

    QMenu *photoMenu() const { return menu_; }
    QAction *frameAction() const { return frameAction_; }
    QAction *skylineAction() const { return skylineAction_; }
    QAction *opacityAction(int percent) const;

signals:
    // The panorama shows a new grid, or no photo any more.
    void shown();
    // An edge of the frame dragged on the photo to `value`, panorama twips
    // (X for the left and right edges, Y for the upper and lower ones).
    void frameEdgeDragged(lumora::FrameBar edge, int value);
    // The skyline's tracing asked on or off ("Horizon sur la photo").
    void skylineTracingWanted(bool on);
    // The frame's tracing went on or off.
    void frameTracingChanged(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void request(bool newFile);
    void startJob();
    void jobDone();
    void showProblem(const QString &message);
    void keep();
    void chooseFile();
    void closeDialog();
    QSize gridSize() const;
    FrameBar edgeNear(QPointF twips) const;

    QPointer<PanoramaView> panorama_;
    QSettings *store_ = nullptr;
    PhotoSettings current_;   // in force (and kept)
    QString loadedPath_;      // the file photo_ was read from
    QImage photo_;
    PhotoMetadata metadata_;
    SiteLocation site_;
    QTimeZone zone_;
    PhotoLayer layer_;
    QFutureWatcher<PhotoJobResult> watcher_;
    quint64 generation_ = 0;  // of the latest request; older results are dropped
    bool pending_ = false;    // a request came while a job ran
    bool pendingNewFile_ = false;
    QString wantedPath_;      // the file the latest request is for
    QWidget *busyBox_ = nullptr;
    QTimer *busyDelay_ = nullptr;
    QPointer<PhotoPlacementDialog> dialog_;
    bool tracing_ = false;
    FrameBar dragged_ = FrameBar::None;
    QShortcut *endTracing_ = nullptr;
    QString lastFolder_;
    QMenu *menu_ = nullptr;
    QAction *placeAction_ = nullptr;
    QMenu *opacityMenu_ = nullptr;
    QActionGroup *opacityGroup_ = nullptr;
    QAction *frameAction_ = nullptr;
    QAction *skylineAction_ = nullptr;
    QAction *clearAction_ = nullptr;
};

} // namespace lumora
