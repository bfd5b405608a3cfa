// Settings texts: reading and writing the keys of the group "DATA".
#include "mainwindow/settings.h"

#include "common/numbers.h"

#include <QLocale>
#include <QSettings>
#include <QStringList>

namespace lumora {

namespace {
const char *const kGroup = "DATA";
const std::array<const char *, 4> kBarKeys{"VS1", "VS2", "HS1", "HS2"};
const std::array<const char *, 4> kTextKeys{"T1", "T2", "T3", "T4"};
const std::array<const char *, 4> kOptionKeys{"O1", "O2", "O3", "O4"};
const std::array<const char *, 4> kDefaultTexts{"49", "00", "02", "20"};

// A stored value as the text it was written as. An INI line holding commas
// comes back as a list: put it together again.
QString storedText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

std::optional<int> barValue(double number)
{
    const std::optional<std::int16_t> v = roundToInt16(number);
    if (!v)
        return std::nullopt;
    return int(*v);
}

std::optional<int> barValue(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        return std::nullopt;
    return barValue(number);
}
} // namespace

StoredSettings readSettings(QSettings &store, float picWidth, float picHeight)
{
    const std::array<double, 4> defaultBars{1000.0, double(picHeight) - 1000.0, 1000.0, double(picWidth) - 1000.0};

    StoredSettings result;
    store.beginGroup(QLatin1String(kGroup));
    for (std::size_t i = 0; i < 4; ++i) {
        const QString key = QLatin1String(kBarKeys[i]);
        result.bars[i] = store.contains(key) ? barValue(storedText(store.value(key))) : barValue(defaultBars[i]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const QString key = QLatin1String(kTextKeys[i]);
        result.texts[i] = store.contains(key) ? storedText(store.value(key)) : QString::fromLatin1(kDefaultTexts[i]);
    }
    for (std::size_t i = 0; i < 4; ++i)
        result.selected[i] = storedText(store.value(QLatin1String(kOptionKeys[i]))).toLower() == u"vrai";
    store.endGroup();
    return result;
}

bool writeSettings(QSettings &store, const std::array<int, 4> &bars, const std::array<QString, 4> &texts,
                   const std::array<bool, 4> &selected)
{
    store.beginGroup(QLatin1String(kGroup));
    for (std::size_t i = 0; i < 4; ++i)
        store.setValue(QLatin1String(kBarKeys[i]), QString::number(bars[i]));
    for (std::size_t i = 0; i < 4; ++i)
        store.setValue(QLatin1String(kTextKeys[i]), texts[i]);
    for (std::size_t i = 0; i < 4; ++i)
        store.setValue(QLatin1String(kOptionKeys[i]), selected[i] ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace lumora
