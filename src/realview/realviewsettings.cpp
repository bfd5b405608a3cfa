// The real view's settings groups.
#include "realview/realviewsettings.h"

#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <cmath>

namespace lumora {

namespace {
const char *const kWindowGroup = "FenetreMesuree";
const char *const kSkylineGroup = "Horizon";
const char *const kActiveKey = "Active";
const char *const kPointsKey = "Points";

struct Field {
    const char *key;
    double MeasuredWindow::*member;
};
constexpr Field kFields[] = {
    {"Facing", &MeasuredWindow::facing},     {"Tilt", &MeasuredWindow::tilt},
    {"Width", &MeasuredWindow::width},       {"Height", &MeasuredWindow::height},
    {"Sill", &MeasuredWindow::sill},         {"Depth", &MeasuredWindow::depth},
    {"Distance", &MeasuredWindow::distance}, {"Offset", &MeasuredWindow::offset},
    {"Eye", &MeasuredWindow::eye},
};

// A stored value as its text: an INI value holding a comma comes back as a list.
QString storedText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString().trimmed();
}

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString text(double value) { return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest); }

bool synced(QSettings &store)
{
    store.sync();
    return store.status() == QSettings::NoError;
}
} // namespace

RealViewSettings readRealViewSettings(QSettings &store)
{
    RealViewSettings result;
    store.beginGroup(QLatin1String(kWindowGroup));
    for (const Field &field : kFields)
        if (const auto value = number(storedText(store.value(QLatin1String(field.key)))))
            result.measured.*field.member = *value;
    const QString active = storedText(store.value(QLatin1String(kActiveKey))).toLower();
    result.measuredInForce = active == u"true" || active == u"1";
    store.endGroup();
    if (!invalidMeasuredWindowKey(result.measured).isEmpty())
        result = {};

    store.beginGroup(QLatin1String(kSkylineGroup));
    if (const auto skyline = skylineFromSettingsText(storedText(store.value(QLatin1String(kPointsKey)))))
        result.skyline = *skyline;
    store.endGroup();
    return result;
}

bool writeMeasuredWindowSettings(QSettings &store, const MeasuredWindow &measured, bool inForce)
{
    store.beginGroup(QLatin1String(kWindowGroup));
    store.setValue(QLatin1String(kActiveKey), inForce ? QStringLiteral("true") : QStringLiteral("false"));
    for (const Field &field : kFields)
        store.setValue(QLatin1String(field.key), text(measured.*field.member));
    store.endGroup();
    return synced(store);
}

bool writeSkylineSettings(QSettings &store, const Skyline &skyline)
{
    store.beginGroup(QLatin1String(kSkylineGroup));
    store.setValue(QLatin1String(kPointsKey), skylineSettingsText(skyline));
    store.endGroup();
    return synced(store);
}

} // namespace lumora
