// The settings group of the panorama's photo.
#include "photo/photosettings.h"

#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora {

namespace {
const char *const kGroup = "Photo";

// A stored value as its text: an INI value holding a comma comes back as a list.
QString storedText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString().trimmed();
}

std::optional<double> number(QSettings &store, const char *key)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(storedText(store.value(QLatin1String(key))), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString text(double value) { return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest); }
} // namespace

PhotoSettings readPhotoSettings(QSettings &store)
{
    PhotoSettings result;
    PhotoPlacement &p = result.placement;
    store.beginGroup(QLatin1String(kGroup));
    result.file = store.value(QStringLiteral("File")).toString();
    if (storedText(store.value(QStringLiteral("Projection"))).toLower() == u"equirectangular")
        p.projection = PhotoProjection::Equirectangular;
    if (const auto azimuth = number(store, "Azimuth")) {
        p.azimuth = std::fmod(*azimuth, 360.0);
        if (p.azimuth < 0)
            p.azimuth += 360;
        if (p.azimuth >= 360)
            p.azimuth = 0;
    }
    if (const auto elevation = number(store, "Elevation"); elevation && std::abs(*elevation) <= 90)
        p.elevation = *elevation;
    if (const auto roll = number(store, "Roll"))
        p.roll = *roll;
    if (const auto fov = number(store, "FieldOfView"); fov && *fov > 0 && *fov < 180)
        p.fieldOfView = *fov;
    if (const auto opacity = number(store, "Opacity"))
        result.opacity = int(std::lround(std::clamp(*opacity, 0.0, 100.0)));
    store.endGroup();
    return result;
}

bool writePhotoSettings(QSettings &store, const PhotoSettings &settings)
{
    const PhotoPlacement &p = settings.placement;
    store.beginGroup(QLatin1String(kGroup));
    store.setValue(QStringLiteral("File"), settings.file);
    store.setValue(QStringLiteral("Projection"), p.projection == PhotoProjection::Equirectangular
                                                     ? QStringLiteral("equirectangular")
                                                     : QStringLiteral("rectilinear"));
    store.setValue(QStringLiteral("Azimuth"), text(p.azimuth));
    store.setValue(QStringLiteral("Elevation"), text(p.elevation));
    store.setValue(QStringLiteral("Roll"), text(p.roll));
    store.setValue(QStringLiteral("FieldOfView"), text(p.fieldOfView));
    store.setValue(QStringLiteral("Opacity"), settings.opacity);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace lumora
