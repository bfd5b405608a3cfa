// Design fonts with metric-compatible fallbacks, sized in pixels from points.
#include "common/designfont.h"

#include <QStringList>
#include <cmath>

namespace lumora {

QFont designFont(const QString &family, double points, bool bold, bool underline)
{
    QStringList families{family};
    // Left alone, fontconfig may pick a script face for Comic Sans MS and a
    // wide one for MS Sans Serif.
    if (family == u"Comic Sans MS")
        families << QStringLiteral("Comic Neue");
    families << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace lumora
