// How the real view is kept between runs: the measured window in the settings
// group "FenetreMesuree" and the skyline in the group "Horizon", apart from
// the window's own group. Numbers are written with "." as decimal point
// whatever the user's language.
#pragma once

#include "analysis/measuredwindow.h"
#include "analysis/skylinefile.h"

class QSettings;

namespace lumora {

struct RealViewSettings {
    MeasuredWindow measured;      // the dialog's values, kept even when not in force
    bool measuredInForce = false; // "Active": the measured window replaces the frame
    Skyline skyline;              // empty: no skyline
};

// Reads "FenetreMesuree" (Active "true"/"false"; Facing, Tilt, Width, Height,
// Sill, Depth, Distance, Offset, Eye in degrees and metres) and "Horizon"
// (Points: "az:el az:el ...", degrees). An absent or unreadable value gives
// its default; a window the values make impossible gives the default window,
// not in force; points that make no skyline give none. Never throws.
RealViewSettings readRealViewSettings(QSettings &store);

// Writes the group of the measured window (in force or not), or the skyline's
// (an empty skyline writes an empty Points), and syncs the store. False when
// the store says it could not be written.
bool writeMeasuredWindowSettings(QSettings &store, const MeasuredWindow &measured, bool inForce);
bool writeSkylineSettings(QSettings &store, const Skyline &skyline);

} // namespace lumora
