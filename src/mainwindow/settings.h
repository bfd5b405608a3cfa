// The settings kept between runs: the window's aperture, the site texts and
// the hemisphere choices, as texts in the group "DATA" of the settings store.
#pragma once

#include <QString>
#include <array>
#include <optional>

class QSettings;

namespace lumora {

struct StoredSettings {
    // frameTopBar, frameBottomBar, frameLeftBar, frameRightBar in that order; nullopt: the stored text is no
    // 16-bit number.
    std::array<std::optional<int>, 4> bars;
    // The same bars' first-run values, for a stored value the bar cannot take.
    std::array<int, 4> firstRunBars;
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

// What readSettings gives for an empty store.
StoredSettings firstRunSettings(float picWidth, float picHeight);

// Writes the twelve keys of "DATA" in order: frameTopBar, frameBottomBar, frameLeftBar, frameRightBar as decimal
// integers, T1..T4 unchanged, O1..O4 as "Vrai" or "Faux" (French whatever the
// user's language, so that reading them back works everywhere). Returns false
// when the file could not be written; lines of the old file that could not be
// read are no failure of the write.
bool writeSettings(QSettings &store, const std::array<int, 4> &bars, const std::array<QString, 4> &texts,
                   const std::array<bool, 4> &selected);

// The per-user settings file: the user's configuration folder (XDG_CONFIG_HOME,
// else ~/.config) + "/Lumora/Lumora.conf".
QString userSettingsPath();

// Why the settings file at `path` must not be handed to the settings store,
// in words for the user; empty when it may be (absent, or a readable regular
// file of sane size and content). Refused: anything but a regular file (a
// named pipe would block the program in opening it), a file that cannot be
// read (owned by another user), one over 1 MiB, and one whose values nest
// containers deeper than the store's parser can take (it recurses once per
// level until the stack ends).
QString settingsReadProblem(const QString &path);

// Why the settings file at `path` cannot be written, in the system's words
// ("Is a directory", "Permission denied"…): the file itself must open for
// writing, and its folder must take a new file (the store writes a lock file
// and a new copy beside it, as large as the file: a full disk or a file-size
// limit is said in plain words). Empty when nothing stands in the way. Creates
// the folder when it is missing, as the store does.
QString settingsWriteProblem(const QString &path);

} // namespace lumora
