// The kept windows in the panorama's menu: "Fenêtres ▸" lists them (the one
// in force ticked), then "Enregistrer sous…", "Renommer…", "Supprimer" and
// "Fuseau horaire…". Holds the list, keeps it in the settings group
// "Fenetres" (with the zone in force, "Fuseau"), and leaves the controls to the
// main window: it asks for the window the controls show now, and hands over
// the window to put on show.
#pragma once

#include "windows/keptwindows.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace lumora {

class KeptWindowsMenu : public QObject
{
    Q_OBJECT
public:
    using Snapshot = std::function<KeptWindow()>;
    using Apply = std::function<void(const KeptWindow &)>;

    // Adds "Fenêtres" to `menu`; dialogs open over `dialogParent`. The list is
    // read from `store` now (null: an empty list, nothing kept). `snapshot`
    // gives what the controls show (its name is left empty), `apply` puts a
    // window on show at once. picture: the panorama's size, twips.
    KeptWindowsMenu(QMenu *menu, QWidget *dialogParent, QSettings *store, PictureSize picture, Snapshot snapshot,
                    Apply apply, QObject *parent = nullptr);

    const std::vector<KeptWindow> &windows() const { return windows_; }
    QString inForce() const { return inForce_; }
    // Why entries were left out when the list was read (French), one per entry.
    const QStringList &problems() const { return problems_; }
    // The zone kept for the controls (the window in force's, or the last chosen).
    QTimeZone zone() const;
    QMenu *menu() const { return menu_; }

    // What the menu's entries do, without their dialogs. Each keeps the list.
    // Puts that window on show; the one in force before keeps what the
    // controls showed. False for an unknown name.
    bool choose(const QString &name);
    // Keeps what the controls show under that name (replacing a window of
    // that name) and puts it in force; the window in force before keeps what
    // it held when last kept. False for an empty name.
    bool saveAs(const QString &name);
    // False without a window in force or when the name is empty or taken.
    bool rename(const QString &name);
    // Forgets the window in force; the controls keep what they show.
    bool remove();
    // A new zone for the controls (invalid: the computer's), kept.
    void setZone(const QTimeZone &zone);
    // The window in force takes what the controls show; the list is kept
    // (at shut-down, and before another window is put on show); nothing
    // without a window in force.
    void keepInForce();

    // The kept windows other than the one in force whose alerts are on, as
    // the alerts watch them.
    std::vector<std::pair<QString, Observation>> otherAlertWindows() const;

signals:
    // The window in force changed (empty: none) or was renamed.
    void inForceChanged(const QString &name);
    // The list or a window's alerts changed.
    void listChanged();
    // The zone for the controls changed.
    void zoneChanged(const QTimeZone &zone);

private:
    void rebuild();
    void keep();
    void askSaveAs();
    void askRename();
    void askRemove();
    void askZone();

    QWidget *dialogParent_;
    QSettings *store_;
    PictureSize picture_;
    Snapshot snapshot_;
    Apply apply_;
    std::vector<KeptWindow> windows_;
    QString inForce_;
    QByteArray zoneId_;
    QStringList problems_;
    QMenu *menu_ = nullptr;
};

} // namespace lumora
