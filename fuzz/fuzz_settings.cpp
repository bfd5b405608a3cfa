// Fuzz target: restoring the settings from a store file of any content. The
// bytes are written as an INI file and read back as start-up reads them; the
// bars come back within 16 bits or not at all, and what was read survives a
// save and a second start-up unchanged.
#include "fuzzcheck.h"
#include "mainwindow/settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>

namespace {
// In TMPDIR. Saving syncs the file to disk, which limits a run on a disk to a
// few hundred inputs a second: tools/test-fuzz points TMPDIR at memory.
QTemporaryDir workDir(QDir::tempPath() + QStringLiteral("/lumora-fuzz-XXXXXX"));

// Reads the store as start-up does, the panorama of the main window being 10065 x 4335 twips.
// QSettings keeps the files it has read in a cache and reads a file again only
// when its size or time stamp changed: each file gets a time stamp of its own,
// so every read parses the file. (One name per file would do the same, but the
// cache would then grow with every input and make each run a leak check.)
lumora::StoredSettings readBack(const QString &path)
{
    static qint64 stamp = 0;
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadWrite) && file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp, Qt::UTC),
                                                                 QFileDevice::FileModificationTime),
               "cannot touch %s\n", qPrintable(path));
    QSettings store(path, QSettings::IniFormat);
    lumora::StoredSettings s = lumora::readSettings(store, 10065, 4335);
    for (const auto &bar : s.bars)
        FUZZ_CHECK(!bar || (*bar >= -32768 && *bar <= 32767), "%s: bar value %d\n", qPrintable(path), *bar);
    return s;
}
} // namespace

FUZZ_TARGET
{
    const QString path = workDir.filePath(QStringLiteral("input.ini")), savedPath = workDir.filePath("saved.ini");
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write %s\n", qPrintable(path));
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    const lumora::StoredSettings first = readBack(path);
    // Shut-down writes what the controls hold, into the store of a first run:
    // a bar that was not restored keeps its design value 0.
    std::array<int, 4> bars{};
    for (std::size_t i = 0; i < 4; ++i)
        bars[i] = first.bars[i].value_or(0);
    QFile::remove(savedPath);
    {
        QSettings store(savedPath, QSettings::IniFormat);
        FUZZ_CHECK(lumora::writeSettings(store, bars, first.texts, first.selected), "write failed\n");
    }
    const lumora::StoredSettings second = readBack(savedPath);
    for (std::size_t i = 0; i < 4; ++i) {
        // A text a user can type comes back as it was. Qt's INI codec loses
        // byte-order marks and replacement characters inside values (decoded
        // from broken bytes), so texts holding those or control characters
        // are only required not to crash.
        const QString &saved = first.texts[i];
        const bool typable = std::all_of(saved.begin(), saved.end(), [](QChar c) {
            return c.isPrint() && c != QChar(0xFEFF) && c != QChar::ReplacementCharacter;
        });
        FUZZ_CHECK(second.bars[i] == bars[i] && (!typable || second.texts[i] == saved)
                       && second.selected[i] == first.selected[i],
                   "control %zu: bar %d read back as %d, text \"%s\" as \"%s\"\n", i + 1, bars[i],
                   second.bars[i].value_or(-99999), qPrintable(saved), qPrintable(second.texts[i]));
    }
    return 0;
}
