// The help document, a French HTML page shipped beside the program.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace lumora {

// The help document's full path: "Quorel_<language>.html" for the interface
// language ("Quorel_en.html" in English), else the French "Quorel_fr.html";
// in the program's folder, or, when it is not there, in ../share/lumora beside
// an installed program. Needs a QCoreApplication to exist.
QString helpFilePath();

// Opens the help document with the desktop's viewer for web pages. `failed`
// runs when it could not be opened: at once when the file is missing or no
// opener can be started, later when the desktop's opener (xdg-open) ends
// with a failure (no program for web pages, say). The opener is watched for
// as long as `context` lives. Never shows a message itself.
void openHelp(QObject *context, std::function<void()> failed);

} // namespace lumora
