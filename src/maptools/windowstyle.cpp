// Window-style helpers for the overlay.
#include "maptools/windowstyle.h"

#include <QWidget>

namespace lumora {

void setWindowAlpha(QWidget *w, bool layered, quint8 alpha)
{
    if (!w)
        return;
    w->setWindowOpacity(layered ? alpha / 255.0 : 1.0);
}

void setAlwaysOnTop(QWidget *w, bool onTop)
{
    if (!w)
        return;
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the window flags hides a shown window; show it again.
    const bool wasVisible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible)
        w->show();
}

} // namespace lumora
