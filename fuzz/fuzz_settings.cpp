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
#include <cstdint>
#include <memory>

namespace {
// The panorama of the main window, twips.
constexpr float kPicWidth = 10065;
constexpr float kPicHeight = 4335;

// In TMPDIR. Saving syncs the file to disk, which limits a run on a disk to a
// few hundred inputs a second: tools/test-fuzz points TMPDIR at memory.
QTemporaryDir *workDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/lumora-fuzz-XXXXXX"));
    return &dir;
}

// QSettings keeps the files it has read in a cache and reads a file again only
// when its size or time stamp changed. Each file gets a time stamp of its own,
// so every read below parses the file. (One name per file would do the same,
// but the cache would then grow with every input and make each run a leak
// check.)
void touch(const QString &path)
{
    static qint64 stamp = 0;
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadWrite), "cannot reopen %s\n", qPrintable(path));
    FUZZ_CHECK(file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp, Qt::UTC), QFileDevice::FileModificationTime),
               "cannot set the time of %s\n", qPrintable(path));
}

void checkBars(const lumora::StoredSettings &s, const char *when)
{
    for (const auto &bar : s.bars)
        if (bar)
            FUZZ_CHECK(*bar >= -32768 && *bar <= 32767, "%s: bar value %d\n", when, *bar);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FUZZ_CHECK(workDir()->isValid(), "no temporary folder\n");
    const QString path = workDir()->filePath(QStringLiteral("input.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write %s\n", qPrintable(path));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    touch(path);

    lumora::StoredSettings first;
    {
        QSettings store(path, QSettings::IniFormat);
        first = lumora::readSettings(store, kPicWidth, kPicHeight);
    }
    checkBars(first, "read");

    // Shut-down writes what the controls hold: a bar that was not restored
    // keeps its design value 0.
    std::array<int, 4> bars{};
    for (std::size_t i = 0; i < 4; ++i)
        bars[i] = first.bars[i].value_or(0);
    const QString savedPath = workDir()->filePath(QStringLiteral("saved.ini"));
    QFile::remove(savedPath); // shut-down writes into the store of a first run
    {
        QSettings store(savedPath, QSettings::IniFormat);
        FUZZ_CHECK(lumora::writeSettings(store, bars, first.texts, first.selected), "write failed\n");
    }
    touch(savedPath);
    lumora::StoredSettings second;
    {
        QSettings store(savedPath, QSettings::IniFormat);
        second = lumora::readSettings(store, kPicWidth, kPicHeight);
    }
    checkBars(second, "re-read");
    for (std::size_t i = 0; i < 4; ++i) {
        FUZZ_CHECK(second.bars[i] == bars[i], "bar %zu saved as %d, read back as %d\n", i, bars[i],
                   second.bars[i] ? *second.bars[i] : -99999);
        // A text a user can type comes back as it was. Qt's INI codec loses
        // byte-order marks and replacement characters inside values (decoded
        // from broken bytes), so texts holding those or control characters
        // are only required not to crash.
        const QString &saved = first.texts[i];
        const bool typable = std::all_of(saved.begin(), saved.end(), [](QChar c) {
            return c.isPrint() && c != QChar(0xFEFF) && c != QChar::ReplacementCharacter;
        });
        if (typable)
            FUZZ_CHECK(second.texts[i] == saved, "text T%zu saved as \"%s\", read back as \"%s\"\n", i + 1,
                       qPrintable(saved), qPrintable(second.texts[i]));
        FUZZ_CHECK(second.selected[i] == first.selected[i], "option O%zu changed on the round trip\n", i + 1);
    }
    return 0;
}
