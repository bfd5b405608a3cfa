// Starting with the desktop session: the XDG autostart entry
// "lumora.desktop" that starts the program hidden in the notification area
// ("Lumora --tray"). The entry's presence is the setting itself: there is
// nothing else to keep in step with it.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

namespace lumora {

// The autostart folder: $XDG_CONFIG_HOME/autostart when XDG_CONFIG_HOME is set
// to an absolute path, otherwise $HOME/.config/autostart (the base directory
// rules: a relative XDG_CONFIG_HOME is ignored). Empty when neither gives an
// absolute folder.
QString autostartFolder(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
QString autostartFilePath(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// One argument of an Exec line as the desktop entry format wants it: as is
// when it holds no reserved character, otherwise in double quotes with ", `,
// $ and \ escaped by a backslash; "%" doubled either way (it starts field
// codes). The result still has to go through the string escapes of the file
// (desktopStringValue) when written.
QString desktopExecArgument(const QString &argument);

// A value of type string or localestring as written in the file: "\" as "\\",
// newline, tab and carriage return as "\n", "\t", "\r", and a leading space
// as "\s".
QString desktopStringValue(const QString &value);

// The entry that starts `programPath` with --tray, UTF-8.
QByteArray autostartEntry(const QString &programPath);

// Why no entry can start `programPath`, in the interface language: an
// unknown (empty or relative) path, or one holding a control character or a
// name that was not valid UTF-8 (decoded as U+FFFD), which no Exec line can
// name. Empty when the path can be written.
QString autostartPathProblem(const QString &programPath);

// The session starts the program: the entry exists.
bool autostartEnabled(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// Writes the entry for `programPath` (creating the folder, replacing the file
// in one step) or removes it. Returns false and says why in `error` (in the
// interface language) when the path cannot be written (autostartPathProblem)
// or the file could not be written or removed; removing an absent entry
// succeeds.
bool setAutostartEnabled(bool enabled, const QString &programPath, QString *error = nullptr,
                         const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

} // namespace lumora
