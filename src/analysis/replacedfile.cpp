// A file written beside the one it replaces, then renamed over it.
#include "analysis/replacedfile.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

ReplacedFile::~ReplacedFile() { discard(); }

QString ReplacedFile::path() const { return QFile::decodeName(path_); }

bool ReplacedFile::fail(Failure failure, const QString &reason)
{
    failure_ = failure;
    error_ = reason;
    return false;
}

bool ReplacedFile::fail(int errorNumber)
{
    const bool full = errorNumber == ENOSPC || errorNumber == EDQUOT || errorNumber == EFBIG;
    return fail(full ? Failure::DiskFull : Failure::Refused, qt_error_string(errorNumber));
}

void ReplacedFile::discard()
{
    if (fd_ < 0)
        return;
    // Removed while still locked, so that no other writer has taken it over.
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    if (ownsFd_)
        ::close(fd_);
    fd_ = -1;
}

bool ReplacedFile::create(const QString &path) { return create(QFile::encodeName(path)); }

bool ReplacedFile::create(const QByteArray &nativePath)
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
    // another writer holds. After the lock is taken, the name must still
    // lead to the file locked: the writer that held it may have renamed it.
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
                return fail(Failure::Refused, QStringLiteral("another survey or export is writing %1")
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

bool ReplacedFile::createOn(int fileDescriptor)
{
    discard();
    path_ = target_ = QByteArray();
    temporary_.clear();
    failure_ = Failure::None;
    error_.clear();
    return start(fileDescriptor, false);
}

bool ReplacedFile::start(int fileDescriptor, bool owned)
{
    fd_ = fileDescriptor;
    ownsFd_ = owned;
    pending_.resize(0);
    return true;
}

bool ReplacedFile::writeRaw(const QByteArray &bytes)
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

bool ReplacedFile::write(const QByteArray &bytes)
{
    if (fd_ < 0 || failure_ != Failure::None)
        return false;
    if (writing_ == Writing::EachWrite)
        return writeRaw(bytes);
    pending_ += bytes;
    return pending_.size() < 64 * 1024 || flush();
}

bool ReplacedFile::flush()
{
    if (pending_.isEmpty())
        return true;
    const bool written = writeRaw(pending_);
    pending_.resize(0); // keeps the buffer for the next lines
    return written;
}

bool ReplacedFile::close()
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

} // namespace lumora
