// The help document, a French HTML page shipped beside the program.
#pragma once

#include <QString>

namespace lumora {

// The help document's full path: the program's folder + "/Quorel_fr.html".
// Needs a QCoreApplication to exist.
QString helpFilePath();

// Opens the help document with the desktop's viewer for web pages. Returns
// false when the file is missing or nothing could open it; never shows a message.
bool openHelp();

} // namespace lumora
