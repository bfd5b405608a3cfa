// The user's kept windows ("Fenêtres"): each a name, a site and its time zone,
// the frame bars, the measured window and the skyline, the photo's settings
// and whether it gives alerts. Kept in the settings group "Fenetres": the key
// "EnForce" names the window in force, and one subgroup per window
// ("Fenetre1", "Fenetre2"…) holds its key "Nom", "Fuseau" (a zone id, empty
// for the computer's zone), "Alertes" ("Vrai"/"Faux") and, in subgroups of
// their usual names, the keys the program keeps for the window in force:
// "DATA" (bars, T1..T4, O1..O4), "FenetreMesuree", "Horizon" and "Photo".
#pragma once

#include "analysis/observation.h"
#include "realview/realviewsettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <array>
#include <optional>
#include <vector>

class QSettings;

namespace lumora {

struct KeptWindow {
    QString name;
    // frameTopBar, frameBottomBar, frameLeftBar, frameRightBar (panorama units), as "DATA" keeps them.
    std::array<int, 4> bars{};
    // T1..T4 (latitude degrees and minutes, longitude degrees and minutes) and
    // O1..O4 (north, south, west, east chosen), as "DATA" keeps them.
    std::array<QString, 4> siteTexts;
    std::array<bool, 4> hemispheres{};
    QByteArray zoneId; // empty: the computer's zone
    RealViewSettings realView;
    // The keys of the settings group "Photo" (the photo panorama) kept with the window.
    QVariantMap photo;
    bool alerts = false;
};

// The site the texts and choices give, read as the window's boxes read them
// (degrees + minutes / 60, then the hemisphere's sign; longitude positive
// west); none when they do not make finite numbers.
std::optional<SiteLocation> keptWindowSite(const KeptWindow &window);

// The zone of a kept window: invalid (the computer's) for an empty id.
QTimeZone keptWindowZone(const KeptWindow &window);

// What the window answers with, as the main window would observe it in real
// time now (the instant left at 0); none when its site is not usable.
std::optional<Observation> keptWindowObservation(const KeptWindow &window, PictureSize panorama);

struct KeptWindowList {
    std::vector<KeptWindow> windows; // in their stored order
    QString inForce;                 // empty, or the name of one of the windows
    // One French sentence per entry skipped: no name, a name met before, bars
    // missing or not numbers, a zone the system does not know.
    QStringList problems;
};

// Reads "Fenetres". Never throws; a damaged entry is left out and told in
// `problems`, the others kept. An "EnForce" naming no window gives none.
KeptWindowList readKeptWindows(QSettings &store, float picWidth, float picHeight);

// Replaces "Fenetres" with the list and syncs: false when the store says it
// could not be written.
bool writeKeptWindows(QSettings &store, const std::vector<KeptWindow> &windows, const QString &inForce);

// The index of the window of that name, or -1.
int findKeptWindow(const std::vector<KeptWindow> &windows, const QString &name);

} // namespace lumora
