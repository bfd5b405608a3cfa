// Settings texts: reading and writing the keys of the group "DATA".
#include "mainwindow/settings.h"

#include "common/fileerrors.h"
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

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <unistd.h>

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

namespace {
constexpr qint64 kLargestSettingsFile = 1 << 20;
// Our own values hold no container at all; the parser takes a thousand levels
// without trouble.
constexpr int kMostContainers = 1000;

// The text as the store reads it, backslash escapes undone (\a \b \f \n \r \t
// \v, \x and hexadecimal digits, \ and octal digits, \ and any other
// character), each character cut to a byte as the store does for a value it
// decodes.
QByteArray unescapedIni(const QByteArray &text)
{
    static const QByteArray simple("abfnrtv"), meaning("\a\b\f\n\r\t\v");
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 == text.size()) {
            bytes += c;
            continue;
        }
        const char e = text[++i];
        const bool hex = e == 'x', octal = e >= '0' && e <= '7';
        if (!hex && !octal) {
            const qsizetype at = simple.indexOf(e);
            bytes += at >= 0 ? meaning[at] : e;
            continue;
        }
        uint value = 0;
        for (i += hex ? 1 : 0; i < text.size(); ++i) {
            const int digit = QByteArrayView("0123456789abcdef").indexOf(char(std::tolower(text[i])));
            if (digit < 0 || digit >= (hex ? 16 : 8))
                break;
            value = std::min(value * (hex ? 16 : 8) + uint(digit), 0x110000u);
        }
        --i;
        bytes += char(value <= 0xff ? value : '?');
    }
    return bytes;
}

// How many lists, maps and hashes the stored values hold at most (the type
// numbers 9, 8 and 28 as the store's value stream writes them; a count that
// happens to look the same adds one).
int containerCount(const QByteArray &bytes)
{
    int count = 0;
    for (const char type : {'\x08', '\x09', '\x1c'})
        count += int(bytes.count(QByteArray("\0\0\0", 3) + type));
    return count;
}
} // namespace

QString settingsReadProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) // nothing yet (or a link to nothing yet): the store creates it
        return {};
    if (!info.isFile())
        return QCoreApplication::translate("Settings", "ce n'est pas un fichier ordinaire");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (file.size() > kLargestSettingsFile)
        return fileErrorReason(EFBIG);
    if (containerCount(unescapedIni(file.read(kLargestSettingsFile + 1))) > kMostContainers)
        return QCoreApplication::translate("Settings", "des valeurs y sont imbriquées trop profondément");
    return {};
}

QString settingsWriteProblem(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile())
            return info.isDir() ? qt_error_string(EISDIR)
                                : QCoreApplication::translate("Settings", "ce n'est pas un fichier ordinaire");
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return file.errorString();
    }
    QDir().mkpath(info.absolutePath());
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.Lumora-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    // Room for a new copy as large as the file, and then some.
    const QByteArray filler(qsizetype(std::min(info.size(), kLargestSettingsFile)) + 4096, '\n');
    for (qsizetype done = 0; done < filler.size();) {
        const ssize_t written = ::write(probe.handle(), filler.constData() + done, size_t(filler.size() - done));
        if (written < 0)
            return fileErrorReason(errno);
        done += written;
    }
    return {};
}

} // namespace lumora
