// The real view as the main window places it on the panorama: the measured
// window (its dialog, "Fenêtre mesurée…", and its outline) and the skyline
// (the "Horizon" submenu: import, drawing on the picture, export, clearing;
// its silhouette). Holds what is in force, keeps it in the settings groups
// "FenetreMesuree" and "Horizon", and says when it changes; the main window
// passes it on in its observation.
#pragma once

#include "analysis/measuredwindow.h"
#include "analysis/skyline.h"
#include "realview/measuredwindowdialog.h"
#include "realview/realviewlayers.h"
#include "realview/skylinesketch.h"

#include <QObject>
#include <QPointer>
#include <optional>

class QAction;
class QMenu;
class QSettings;
class QShortcut;

namespace lumora {

class PanoramaView;

class RealViewController : public QObject
{
    Q_OBJECT
public:
    // Paints on `panorama` and adds its entries to the panorama's menu. What
    // is in force is read from `store` now and written to it at each change
    // made (nothing is kept when `store` is null). Both must outlive the
    // controller.
    RealViewController(PanoramaView *panorama, QSettings *store, QObject *parent = nullptr);
    ~RealViewController() override;

    const MeasuredWindow &measured() const { return measured_; }
    bool measuredInForce() const { return inForce_; }
    const Skyline &skyline() const { return skyline_; }
    // The measured window's outline while it is in force (for the frame bars).
    const std::optional<WindowOutline> &outline() const { return outline_; }

    // A new measured window on show (the dialog's live changes); `keep`
    // writes it to the settings too.
    void setMeasured(const MeasuredWindow &window, bool inForce, bool keep = false);
    // A new skyline (empty: none); `keep` writes it to the settings too.
    void setSkyline(const Skyline &skyline, bool keep = true);
    // Reads a skyline file and puts it in force: empty when done, else the
    // French reason (naming the line) and nothing changes.
    QString importSkyline(const QString &path);
    // Writes the two-column file, replacing `path` in one step: empty when
    // done, else the system's reason.
    QString exportSkyline(const QString &path);

    // The drawing mode: a click adds a point, a drag moves one, a right click
    // removes one; Escape ends it.
    void setDrawing(bool drawing);
    bool drawing() const { return drawing_; }

    // Opens the measured window's dialog (non-modal; brought forward when open).
    MeasuredWindowDialog *openDialog();
    MeasuredWindowDialog *dialog() const { return dialog_; }

    QAction *measuredAction() const { return measuredAction_; }
    QMenu *skylineMenu() const { return skylineMenu_; }
    QAction *drawAction() const { return drawAction_; }

signals:
    // What is in force changed: the measured window, its use or the skyline.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void chooseImport();
    void chooseExport();
    void showProblem(const QString &message, const QString &detail);
    void keepMeasured();
    void keepSkyline();
    QString folder() const;

    QPointer<PanoramaView> panorama_;
    QSettings *store_ = nullptr;
    MeasuredWindow measured_;
    bool inForce_ = false;
    Skyline skyline_;
    std::optional<WindowOutline> outline_;
    RealViewPainting painting_;
    QPointer<MeasuredWindowDialog> dialog_;
    bool drawing_ = false;
    SkylineSketch sketch_;
    int dragged_ = -1; // the point being moved, or -1
    QString lastFolder_;
    QAction *measuredAction_ = nullptr;
    QMenu *skylineMenu_ = nullptr;
    QAction *drawAction_ = nullptr;
    QAction *exportAction_ = nullptr;
    QAction *clearAction_ = nullptr;
    QShortcut *endDrawing_ = nullptr;
};

} // namespace lumora
