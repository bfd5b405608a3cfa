// The language of the interface: French, the program's own, or English on an
// English desktop. Chosen once at start-up from the environment; the French
// texts are the source texts, English comes from Qt's translation system.
// File formats, settings values and the number formats of files never change
// with it.
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace lumora {

enum class UiLanguage { French, English };

// The desktop's language: the first entry of LANGUAGE when it is set, else the
// first of LC_ALL, LC_MESSAGES and LANG that is set. English when that starts
// with "en" ("en", "en_GB.UTF-8"), French for every other language, for "C"
// and when nothing is set.
UiLanguage desktopLanguage(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// The language in force (French until set).
UiLanguage uiLanguage();
// Puts a language in force: installs the program's English translation for
// English, Qt's own French texts ("Oui"/"Non", the text boxes' menus) for
// French. Needs a QCoreApplication; a second call replaces the first.
// Returns false when a translation could not be loaded (the texts stay French).
bool setUiLanguage(UiLanguage language);

// "fr" or "en": the suffix of the help page in that language.
QString languageCode(UiLanguage language);

} // namespace lumora
