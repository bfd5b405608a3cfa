// Settings texts: reading and writing the keys of the group "DATA".
#include "mainwindow/settings.h"

#include "common/numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>

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

StoredSettings firstRunSettings(float picWidth, float picHeight)
{
    const std::array<double, 4> defaultBars{1000.0, double(picHeight) - 1000.0, 1000.0, double(picWidth) - 1000.0};
    StoredSettings result;
    for (std::size_t i = 0; i < 4; ++i) {
        result.bars[i] = barValue(defaultBars[i]);
        result.firstRunBars[i] = result.bars[i].value_or(0);
        result.texts[i] = QString::fromLatin1(kDefaultTexts[i]);
        result.selected[i] = false;
    }
    return result;
}

StoredSettings readSettings(QSettings &store, float picWidth, float picHeight)
{
    StoredSettings result = firstRunSettings(picWidth, picHeight);
    store.beginGroup(QLatin1String(kGroup));
    for (std::size_t i = 0; i < 4; ++i) {
        const QString key = QLatin1String(kBarKeys[i]);
        if (store.contains(key))
            result.bars[i] = barValue(storedText(store.value(key)));
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const QString key = QLatin1String(kTextKeys[i]);
        if (store.contains(key))
            result.texts[i] = storedText(store.value(key));
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
    switch (store.status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        return false;
    case QSettings::FormatError:
        break;
    }
    // Lines of the old file that could not be read set this status, and the
    // store keeps its first status: it tells nothing of the write. Judge by
    // whether anything stands in the way of writing.
    return settingsWriteProblem(store.fileName()).isEmpty();
}

QString userSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Lumora/Lumora.conf");
}

bool isUsableSettingsFile(const QString &path)
{
    const QFileInfo file(path);
    return !file.exists() || file.isFile();
}

QString settingsWriteProblem(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile())
            return info.isDir() ? qt_error_string(EISDIR) : QCoreApplication::translate("Settings", "ce n'est pas un fichier ordinaire");
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return file.errorString();
    }
    QDir().mkpath(info.absolutePath());
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.Lumora-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    return {};
}

} // namespace lumora
