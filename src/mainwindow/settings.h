// The settings kept between runs: the window's aperture, the site texts and
// the hemisphere choices, as texts in the group "DATA" of the settings store.
#pragma once

#include <QString>
#include <array>
#include <optional>

class QSettings;

namespace lumora {

struct StoredSettings {
    // frameTopBar, frameBottomBar, frameLeftBar, frameRightBar in that order; nullopt: leave the bar at its design value.
    std::array<std::optional<int>, 4> bars;
    // T1..T4: the texts of latitudeDegreesEdit..longitudeMinutesEdit (latitude degrees and minutes,
    // longitude degrees and minutes), exactly as stored.
    std::array<QString, 4> texts;
    // O1..O4: northButton "Nord", southButton "Sud", westButton "Ouest", eastButton "Est".
    // false means "do nothing", not "deselect".
    std::array<bool, 4> selected;
};

// Reads the group "DATA". An absent key gives the first-run value: frameTopBar 1000,
// frameBottomBar picHeight - 1000, frameLeftBar 1000, frameRightBar picWidth - 1000 (picture sizes in twips),
// texts "49", "00", "02", "20", options not selected.
// Bars: the stored text as a number (blanks around it allowed, "." or the
// user's decimal separator) rounded to the nearest integer, halves to even;
// a text that is not a number or falls outside -32768..32767 gives nullopt.
// Options: "vrai" in any mix of letter cases selects; any other text does not.
// Never throws; an unreadable store reads as a first run.
StoredSettings readSettings(QSettings &store, float picWidth, float picHeight);

// Writes the twelve keys of "DATA" in order: frameTopBar, frameBottomBar, frameLeftBar, frameRightBar as decimal
// integers, T1..T4 unchanged, O1..O4 as "Vrai" or "Faux" (French whatever the
// user's language, so that reading them back works everywhere). Returns false
// when the store reports after syncing that it could not be written.
bool writeSettings(QSettings &store, const std::array<int, 4> &bars, const std::array<QString, 4> &texts,
                   const std::array<bool, 4> &selected);

} // namespace lumora
