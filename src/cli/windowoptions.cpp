// lumora-cli's "--window" option read into a measured window.
#include "cli/windowoptions.h"

#include <QStringList>
#include <cmath>

namespace lumora::cli {

namespace {
struct Key {
    const char *name;
    double MeasuredWindow::*field;
    bool required;
    const char *range; // as the message states it
};
const Key kKeys[] = {
    {"facing", &MeasuredWindow::facing, true, "degrees from 0 to 360"},
    {"tilt", &MeasuredWindow::tilt, false, "degrees from 0 to 90"},
    {"width", &MeasuredWindow::width, true, "metres, over 0 and up to 1000"},
    {"height", &MeasuredWindow::height, true, "metres, over 0 and up to 1000"},
    {"sill", &MeasuredWindow::sill, true, "metres from 0 to 1000"},
    {"depth", &MeasuredWindow::depth, false, "metres from 0 to 1000"},
    {"distance", &MeasuredWindow::distance, true, "metres from 0 to 1000, the spot inside the room"},
    {"offset", &MeasuredWindow::offset, false, "metres from -1000 to 1000"},
    {"eye", &MeasuredWindow::eye, true, "metres from 0 to 1000, the spot inside the room"},
};
} // namespace

std::variant<MeasuredWindow, QString> parseMeasuredWindow(const QString &text)
{
    MeasuredWindow window;
    window.tilt = 90;
    window.depth = 0;
    window.offset = 0;
    QStringList seen;
    for (const QString &pair : text.split(u',')) {
        const qsizetype equals = pair.indexOf(u'=');
        const QString name = pair.left(equals).trimmed();
        const Key *key = nullptr;
        for (const Key &k : kKeys)
            if (name == QLatin1String(k.name))
                key = &k;
        if (equals < 0 || !key)
            return QStringLiteral("unknown window key '%1' (expected key=value with facing, tilt, width, height, "
                                  "sill, depth, distance, offset, eye)")
                .arg(name);
        if (seen.contains(name))
            return QStringLiteral("window key '%1' given twice").arg(name);
        seen << name;
        const QString value = pair.mid(equals + 1).trimmed();
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return QStringLiteral("bad window %1 '%2' (expected a number, %3)").arg(name, value, QLatin1String(key->range));
        window.*(key->field) = number;
    }
    for (const Key &key : kKeys)
        if (key.required && !seen.contains(QLatin1String(key.name)))
            return QStringLiteral("window key '%1' is required").arg(QLatin1String(key.name));
    const QString bad = invalidMeasuredWindowKey(window);
    for (const Key &key : kKeys)
        if (bad == QLatin1String(key.name))
            return QStringLiteral("bad window %1 '%2' (expected %3)")
                .arg(bad, QString::number(window.*(key.field), 'g', 17), QLatin1String(key.range));
    return window;
}

} // namespace lumora::cli
