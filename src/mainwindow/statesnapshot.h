// A snapshot of what the main window shows, for the end-to-end tests that
// drive the real program: only written when LUMORA_STATE_FILE names a file.
#pragma once

#include <QJsonObject>

namespace lumora {

class MainWindow;

// Every named control's text or value, visibility and place on the screen,
// plus the window's state text, the tray icon and its last message, the
// alerts' choices, the autostart entry, the tray menu's items and every menu
// on show (each item's text, checks and, while open, its place).
QJsonObject stateSnapshot(const MainWindow &window);

// Writes the snapshot to the file named by LUMORA_STATE_FILE four times a
// second (atomically); does nothing when the variable is unset.
void startStateSnapshots(MainWindow &window);

} // namespace lumora
