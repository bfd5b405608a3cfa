// The help document, a French HTML page shipped beside the program.
#pragma once

#include <QString>

namespace lumora {

// The help document's full path: "Quorel_fr.html" in the program's folder,
// or, when it is not there, in ../share/lumora beside an installed program.
// Needs a QCoreApplication to exist.
QString helpFilePath();

// Opens the help document with the desktop's viewer for web pages. Returns
// false when the file is missing or nothing could open it; never shows a message.
bool openHelp();

} // namespace lumora
