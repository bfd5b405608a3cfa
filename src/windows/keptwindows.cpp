// Reading and writing the kept windows, and what each one observes.
#include "windows/keptwindows.h"

#include "common/numbers.h"
#include "mainwindow/settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <algorithm>
#include <cmath>
#include <variant>

namespace lumora {

namespace {
const QString kGroup = QStringLiteral("Fenetres");
const QString kInForceKey = QStringLiteral("EnForce");
const QString kEntryPrefix = QStringLiteral("Fenetre");
const QString kNameKey = QStringLiteral("Nom");
const QString kZoneKey = QStringLiteral("Fuseau");
const QString kAlertsKey = QStringLiteral("Alertes");
const QString kPhotoGroup = QStringLiteral("Photo");
const std::array<const char *, 4> kBarKeys{"DATA/VS1", "DATA/VS2", "DATA/HS1", "DATA/HS2"};

// The entries' subgroups in their numbered order ("Fenetre2" before "Fenetre10").
QStringList entryGroups(QSettings &store)
{
    QStringList groups;
    for (const QString &group : store.childGroups())
        if (group.startsWith(kEntryPrefix))
            groups << group;
    std::sort(groups.begin(), groups.end(), [](const QString &a, const QString &b) {
        return a.mid(kEntryPrefix.size()).toInt() < b.mid(kEntryPrefix.size()).toInt();
    });
    return groups;
}

// The entry of the current group, or why it cannot be used.
std::variant<KeptWindow, QString> readEntry(QSettings &store, float picWidth, float picHeight)
{
    KeptWindow window;
    window.name = store.value(kNameKey).toString().trimmed();
    if (window.name.isEmpty())
        return QCoreApplication::translate("KeptWindows", "une fenêtre sans nom");
    for (const char *key : kBarKeys)
        if (!store.contains(QLatin1String(key)))
            return QCoreApplication::translate("KeptWindows", "la fenêtre « %1 » : cadre absent").arg(window.name);
    const StoredSettings data = readSettings(store, picWidth, picHeight);
    for (size_t i = 0; i < 4; ++i) {
        if (!data.bars[i] || *data.bars[i] < 0)
            return QCoreApplication::translate("KeptWindows", "la fenêtre « %1 » : cadre illisible").arg(window.name);
        window.bars[i] = *data.bars[i];
    }
    window.siteTexts = data.texts;
    window.hemispheres = data.selected;
    window.zoneId = store.value(kZoneKey).toString().trimmed().toUtf8();
    if (!window.zoneId.isEmpty() && !QTimeZone::isTimeZoneIdAvailable(window.zoneId))
        return QCoreApplication::translate("KeptWindows", "la fenêtre « %1 » : fuseau horaire inconnu « %2 »").arg(window.name, QString::fromUtf8(window.zoneId));
    window.realView = readRealViewSettings(store);
    window.alerts = store.value(kAlertsKey).toString().toLower() == u"vrai";
    store.beginGroup(kPhotoGroup);
    for (const QString &key : store.childKeys())
        window.photo.insert(key, store.value(key));
    store.endGroup();
    return window;
}
} // namespace

std::optional<SiteLocation> keptWindowSite(const KeptWindow &window)
{
    const auto &t = window.siteTexts;
    double latitude = leadingNumber(t[0]) + leadingNumber(t[1]) / 60;
    double longitude = leadingNumber(t[2]) + leadingNumber(t[3]) / 60;
    if (window.hemispheres[3])
        longitude = -longitude;
    if (window.hemispheres[1])
        latitude = -latitude;
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        return std::nullopt;
    return SiteLocation{latitude, longitude};
}

QTimeZone keptWindowZone(const KeptWindow &window)
{
    return window.zoneId.isEmpty() ? QTimeZone() : QTimeZone(window.zoneId);
}

std::optional<Observation> keptWindowObservation(const KeptWindow &window, PictureSize panorama)
{
    const auto site = keptWindowSite(window);
    if (!site)
        return std::nullopt;
    Observation seen;
    seen.site = *site;
    const auto &[top, bottom, left, right] = window.bars;
    seen.frame = {float(left), float(right), float(top), float(bottom)};
    seen.panorama = panorama;
    seen.realTime = true;
    seen.measured = window.realView.measured;
    seen.measuredInForce = window.realView.measuredInForce;
    seen.skyline = window.realView.skyline;
    seen.zone = keptWindowZone(window);
    return seen;
}

KeptWindowList readKeptWindows(QSettings &store, float picWidth, float picHeight)
{
    KeptWindowList list;
    store.beginGroup(kGroup);
    const QString inForce = store.value(kInForceKey).toString();
    for (const QString &group : entryGroups(store)) {
        store.beginGroup(group);
        auto entry = readEntry(store, picWidth, picHeight);
        store.endGroup();
        if (auto *window = std::get_if<KeptWindow>(&entry); window && findKeptWindow(list.windows, window->name) >= 0)
            entry = QCoreApplication::translate("KeptWindows", "la fenêtre « %1 » : nom déjà pris").arg(window->name);
        if (auto *window = std::get_if<KeptWindow>(&entry))
            list.windows.push_back(std::move(*window));
        else
            list.problems << QCoreApplication::translate("KeptWindows", "Fenêtre enregistrée ignorée (%1) : %2").arg(group, std::get<QString>(entry));
    }
    store.endGroup();
    if (findKeptWindow(list.windows, inForce) >= 0)
        list.inForce = inForce;
    return list;
}

bool writeKeptWindows(QSettings &store, const std::vector<KeptWindow> &windows, const QString &inForce)
{
    store.remove(kGroup);
    store.beginGroup(kGroup);
    store.setValue(kInForceKey, inForce);
    for (size_t i = 0; i < windows.size(); ++i) {
        const KeptWindow &window = windows[i];
        store.beginGroup(kEntryPrefix + QString::number(i + 1));
        store.setValue(kNameKey, window.name);
        store.setValue(kZoneKey, QString::fromUtf8(window.zoneId));
        store.setValue(kAlertsKey, window.alerts ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
        writeSettings(store, window.bars, window.siteTexts, window.hemispheres);
        writeMeasuredWindowSettings(store, window.realView.measured, window.realView.measuredInForce);
        writeSkylineSettings(store, window.realView.skyline);
        store.beginGroup(kPhotoGroup);
        for (auto it = window.photo.begin(); it != window.photo.end(); ++it)
            store.setValue(it.key(), it.value());
        store.endGroup();
        store.endGroup();
    }
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

int findKeptWindow(const std::vector<KeptWindow> &windows, const QString &name)
{
    const auto it = std::find_if(windows.begin(), windows.end(), [&](const KeptWindow &w) { return w.name == name; });
    return it == windows.end() ? -1 : int(it - windows.begin());
}

} // namespace lumora
