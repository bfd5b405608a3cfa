// Window-style helpers for the overlay.
#include "maptools/transparent.h"

#include <QWidget>

namespace lumora {

void SetWindowAlpha(QWidget *w, bool layered, quint8 alpha)
{
    if (!w)
        return;
    w->setWindowOpacity(layered ? alpha / 255.0 : 1.0);
}

void SetAlwaysOnTop(QWidget *w, bool onTop)
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
