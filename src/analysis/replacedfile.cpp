// A file written beside the one it replaces, then renamed over it.
#include "analysis/replacedfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

namespace {
constexpr char kPartSuffix[] = ".part";
constexpr char kUniquePrefix[] = ".lumora-"; // then six letters or digits and kPartSuffix

// Removes the short-named temporary files of the folder that no writer holds
// and that nothing has written for a minute: left by a killed writer.
void removeStaleTemporaries(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() != qsizetype(sizeof kUniquePrefix - 1 + 6 + sizeof kPartSuffix - 1)
            || !name.startsWith(kUniquePrefix) || !name.endsWith(kPartSuffix))
            continue;
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime >= 60
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}
} // namespace

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
    const bool full = errorNumber == ENOSPC || errorNumber == EDQUOT;
    return fail(full ? Failure::DiskFull : errorNumber == EFBIG ? Failure::TooLarge : Failure::Refused,
                qt_error_string(errorNumber));
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
    // A pipe or a device could block every write, or never take the bytes.
    if (exists && !S_ISREG(existing.st_mode))
        return notRegular(target_);
    // A protected file stays protected: replacing it would only need the
    // folder's permission.
    if (exists && ::access(target_.constData(), W_OK) != 0)
        return fail(errno);
    return openTemporary(exists ? int(existing.st_mode & 07777) : -1);
}

bool ReplacedFile::notRegular(const QByteArray &path)
{
    return fail(Failure::Refused, QCoreApplication::translate("ReplacedFile", "%1 n'est pas un fichier ordinaire")
                                      .arg(QFile::decodeName(path)));
}

bool ReplacedFile::openTemporary(int keptMode)
{
    const qsizetype slash = target_.lastIndexOf('/');
    if (target_.size() - slash - 1 + qsizetype(sizeof kPartSuffix) - 1 > NAME_MAX) {
        // A short name of our own, new (O_EXCL): no other writer has it.
        const QByteArray folder = slash < 0 ? QByteArray(".") : target_.left(std::max<qsizetype>(slash, 1));
        removeStaleTemporaries(folder);
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray name = folder + '/' + kUniquePrefix;
            for (int i = 0; i < 6; ++i)
                name += "abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)];
            name += kPartSuffix;
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                return fail(errno);
            temporary_ = name;
            ::flock(fd, LOCK_EX | LOCK_NB);
            return startTemporary(fd, keptMode);
        }
        return fail(EEXIST);
    }

    temporary_ = temporaryPath(target_);
    // The lock tells a stale file (its writer gone, lock released) from one
    // another writer holds. After the lock is taken, the name must still
    // lead to the file locked: the writer that held it may have renamed it.
    // Opened without waiting: a pipe placed there is refused, not waited on.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        struct stat opened {}, named {};
        if (fd < 0 || ::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            const int reason = errno;
            const QByteArray temporary = temporary_;
            temporary_.clear();
            if (fd >= 0)
                ::close(fd);
            return fd >= 0 || reason == ENXIO ? notRegular(temporary) : fail(reason);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            ::close(fd);
            temporary_.clear();
            if (reason == EWOULDBLOCK)
                return fail(Failure::Refused,
                            QCoreApplication::translate("ReplacedFile",
                                                        "un autre fichier d'ensoleillement ou une autre exportation "
                                                        "est en train d'écrire %1")
                                .arg(QFile::decodeName(temporaryPath(target_))));
            return fail(reason);
        }
        if (::lstat(temporary_.constData(), &named) == 0 && opened.st_dev == named.st_dev
            && opened.st_ino == named.st_ino)
            return startTemporary(fd, keptMode);
        ::close(fd);
    }
    temporary_.clear();
    return fail(EBUSY);
}

bool ReplacedFile::startTemporary(int fd, int keptMode)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (::ftruncate(fd, 0) != 0) {
        const int reason = errno;
        fd_ = fd;
        ownsFd_ = true;
        discard();
        return fail(reason);
    }
    // The new file keeps the old one's permissions.
    if (keptMode >= 0)
        ::fchmod(fd, mode_t(keptMode));
    return start(fd, true);
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
