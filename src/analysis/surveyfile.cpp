#include "analysis/surveyfile.h"

#include "common/formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

SurveyLineFormat::SurveyLineFormat(const QLocale &locale)
    : locale_(locale), timeSeparator_(timeSeparator(locale).toLocal8Bit()),
      decimalPoint_(locale.decimalPoint().toLocal8Bit())
{
}

namespace {
void appendTwoDigits(QByteArray &out, long long value)
{
    out += char('0' + value / 10 % 10);
    out += char('0' + value % 10);
}
} // namespace

void SurveyLineFormat::appendNumber(QByteArray &out, double value, int minIntegerDigits)
{
    // One decimal: "###.0" for the azimuth, "00.0" for the elevation.
    unsigned long long units = 0;
    if (!std::isfinite(value) || !roundedUnits(std::fabs(value), 1, units)) {
        out += formatNumber(value, {minIntegerDigits, 1}, locale_).toLocal8Bit();
        return;
    }
    if (value < 0 && units != 0)
        out += '-';
    char digits[24];
    int n = 0;
    for (unsigned long long whole = units / 10; whole != 0; whole /= 10)
        digits[n++] = char('0' + whole % 10);
    for (int i = n; i < minIntegerDigits; ++i)
        out += '0';
    while (n > 0)
        out += digits[--n];
    out += decimalPoint_;
    out += char('0' + units % 10);
}

void SurveyLineFormat::appendLine(QByteArray &out, const CivilDate &date, double hourUT, const SunPosition &sun)
{
    if (!lastDate_ || date != *lastDate_) {
        lastDate_ = date;
        lastDateText_ = formatShortDate(date, locale_).toLocal8Bit();
    }
    // HH:MM of the time rounded to the nearest second, within the day.
    long long seconds = std::llround(hourUT * 3600.0) % 86400;
    if (seconds < 0)
        seconds += 86400;
    out += lastDateText_;
    out += ' ';
    appendTwoDigits(out, seconds / 3600);
    out += timeSeparator_;
    appendTwoDigits(out, seconds / 60 % 60);
    out += ';';
    appendNumber(out, sun.azimuth, 0);
    out += ';';
    appendNumber(out, sun.elevation, 2);
}

QString SurveyLineFormat::line(const CivilDate &date, double hourUT, const SunPosition &sun)
{
    QByteArray bytes;
    appendLine(bytes, date, hourUT, sun);
    return QString::fromLocal8Bit(bytes);
}

SurveyFile::SurveyFile(const QLocale &locale, Writing writing) : writing_(writing), format_(locale) {}

SurveyFile::~SurveyFile() { discard(); }

QString SurveyFile::path() const { return QFile::decodeName(path_); }

bool SurveyFile::fail(Failure failure, const QString &reason)
{
    failure_ = failure;
    error_ = reason;
    return false;
}

bool SurveyFile::fail(int errorNumber)
{
    const bool full = errorNumber == ENOSPC || errorNumber == EDQUOT || errorNumber == EFBIG;
    return fail(full ? Failure::DiskFull : Failure::Refused, qt_error_string(errorNumber));
}

void SurveyFile::discard()
{
    if (fd_ < 0)
        return;
    // Removed while still locked, so that no other survey has taken it over.
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    if (ownsFd_)
        ::close(fd_);
    fd_ = -1;
}

bool SurveyFile::create(const QString &path) { return create(QFile::encodeName(path)); }

bool SurveyFile::create(const QByteArray &nativePath)
{
    discard();
    path_ = target_ = nativePath;
    temporary_.clear();
    failure_ = Failure::None;
    error_.clear();
    if (nativePath.isEmpty() || nativePath.contains('\0'))
        return fail(ENOENT);

    struct stat existing {};
    if (::lstat(target_.constData(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
        // Replace the file the link points at, not the link.
        if (char *resolved = ::realpath(target_.constData(), nullptr)) {
            target_ = resolved;
            std::free(resolved);
        }
    }
    const bool exists = ::stat(target_.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return fail(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe: written as it is.
        const int fd = ::open(target_.constData(), O_WRONLY | O_CLOEXEC);
        return fd < 0 ? fail(errno) : start(fd, true);
    }
    // A protected file stays protected: replacing it would only need the
    // folder's permission.
    if (exists && ::access(target_.constData(), W_OK) != 0)
        return fail(errno);

    temporary_ = temporaryPath(target_);
    // The lock tells a stale file (its writer gone, lock released) from one
    // another survey is writing. After the lock is taken, the name must still
    // lead to the file locked: the survey that held it may have renamed it.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            temporary_.clear();
            return fail(errno);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            ::close(fd);
            temporary_.clear();
            if (reason == EWOULDBLOCK)
                return fail(Failure::Refused, QStringLiteral("another survey is writing %1")
                                                  .arg(QFile::decodeName(temporaryPath(target_))));
            return fail(reason);
        }
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && ::lstat(temporary_.constData(), &named) == 0
            && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            if (::ftruncate(fd, 0) != 0) {
                const int reason = errno;
                fd_ = fd;
                ownsFd_ = true;
                discard();
                return fail(reason);
            }
            // The new file keeps the old one's permissions.
            if (exists)
                ::fchmod(fd, existing.st_mode & 07777);
            return start(fd, true);
        }
        ::close(fd);
    }
    temporary_.clear();
    return fail(EBUSY);
}

bool SurveyFile::createOn(int fileDescriptor)
{
    discard();
    path_ = target_ = QByteArray();
    temporary_.clear();
    failure_ = Failure::None;
    error_.clear();
    return start(fileDescriptor, false);
}

bool SurveyFile::start(int fileDescriptor, bool owned)
{
    fd_ = fileDescriptor;
    ownsFd_ = owned;
    pending_.resize(0);
    if (writeRaw(QByteArrayLiteral("\r\n")))
        return true;
    discard();
    return false;
}

bool SurveyFile::writeRaw(const QByteArray &bytes)
{
    if (fd_ < 0 || failure_ != Failure::None)
        return false;
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += written;
        left -= written;
    }
    return true;
}

bool SurveyFile::writeLine(const CivilDate &date, double hourUT, const SunPosition &sun)
{
    if (fd_ < 0 || failure_ != Failure::None)
        return false;
    format_.appendLine(pending_, date, hourUT, sun);
    pending_ += "\r\n";
    if (writing_ == Writing::EachLine || pending_.size() >= 64 * 1024)
        return flush();
    return true;
}

bool SurveyFile::flush()
{
    if (pending_.isEmpty())
        return true;
    const bool written = writeRaw(pending_);
    pending_.resize(0); // keeps the buffer for the next lines
    return written;
}

bool SurveyFile::close()
{
    if (fd_ < 0)
        return false;
    // After a failed write the file is incomplete: it replaces nothing.
    bool written = failure_ == Failure::None && flush();
    const bool replacing = !temporary_.isEmpty();
    // On the disk before it takes the old file's place, or a power cut could
    // leave an empty file where a good one was.
    if (written && replacing) {
        if (::fsync(fd_) != 0 || ::rename(temporary_.constData(), target_.constData()) != 0)
            written = fail(errno);
        else
            temporary_.clear(); // it is the file now
    }
    if (!written) {
        discard();
        return false;
    }
    // Once replaced, the file is whole on the disk whatever close says.
    if (ownsFd_ && ::close(fd_) != 0 && !replacing)
        written = fail(errno);
    fd_ = -1;
    return written;
}

QString surveyFilePath(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString inProgramFolder = QDir(programFolder).filePath(QStringLiteral("Export.csv"));
    // An installed program (bin/ beside share/lumora/) never writes into the
    // system's folders, even for a user who could (root). Otherwise only the
    // folder decides: a file there that cannot be written (held by a
    // spreadsheet) is reported to the user, who can close it.
    const bool installed = folder.fileName() == u"bin"
        && QFileInfo(QDir(programFolder).filePath(QStringLiteral("../share/lumora"))).isDir();
    if (!installed && folder.isDir() && folder.isWritable())
        return inProgramFolder;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    QDir().mkpath(documents);
    return QDir(documents).filePath(QStringLiteral("Export.csv"));
}

} // namespace lumora
