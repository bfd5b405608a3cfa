// Window-style helpers for the overlay: see-through and always on top.
#pragma once

#include <QtGlobal>

class QWidget;

namespace lumora {

// Makes a top-level window see-through: with layered true its opacity becomes
// alpha / 255 (0 invisible, 255 opaque); with layered false it is opaque
// whatever alpha says. Where the desktop cannot blend windows the window simply
// stays opaque. A null widget is ignored.
void setWindowAlpha(QWidget *w, bool layered, quint8 alpha);

// Keeps a top-level window above all others (onTop true) or lets it go back to
// the usual stacking (false). A window that was shown stays shown and one that
// was hidden stays hidden. A null widget is ignored.
void setAlwaysOnTop(QWidget *w, bool onTop);

} // namespace lumora
