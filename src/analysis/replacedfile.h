// A text file written in full and then put in the place of the previous one
// in one step, so that a kill, a crash or a full disk leaves the previous
// file whole: the bytes go to a temporary file beside it ("FILE.part", or a
// short unique ".lumora-XXXXXX.part" when that name would be too long),
// locked while written, which is renamed over the file once everything is on
// the disk. Only regular files are written: nothing here can block on a pipe.
// The sunshine file, the hours file and the year's picture are written this way.
#pragma once

#include <QByteArray>
#include <QString>

namespace lumora {

class ReplacedFile
{
public:
    // EachWrite: every write goes to the file at once (a window that shows
    // progress). Batched: writes are gathered and passed on some 64 KiB at a
    // time (scripts, where only the finished file matters).
    enum class Writing { EachWrite, Batched };
    // Why the file could not be written.
    enum class Failure {
        None,
        // The file or its folder cannot be written: protected, a folder in
        // its place, being written by another program of ours, or any other
        // refusal of the system.
        Refused,
        // No room left: the disk or the user's quota is full (ENOSPC, EDQUOT).
        DiskFull,
        // The file would pass the size limit set for this program (EFBIG).
        TooLarge,
    };

    explicit ReplacedFile(Writing writing = Writing::EachWrite) : writing_(writing) {}
    // A file still open is abandoned: the previous file stays as it was.
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile &) = delete;
    ReplacedFile &operator=(const ReplacedFile &) = delete;

    // Starts a new file for `path`. The bytes go to `path` + ".part"
    // (temporaryPath), locked while written; a stale one left by a killed
    // writer is taken over and emptied, one that another running writer holds
    // refuses this one. When "NAME.part" would pass the system's longest file
    // name, the bytes go to a new ".lumora-XXXXXX.part" in the same folder
    // instead (stale ones, unlocked and a minute old, are removed). An
    // existing `path` that is protected, a folder or any other file that is
    // not a regular file (a pipe, a device) is refused at once, and so is a
    // temporary name taken by one. A symbolic link is followed: the file it
    // leads to is replaced. False when the file cannot be started (failure()
    // and errorString() say why).
    bool create(const QString &path);
    // The same with the file name as the system's bytes, taken as they are
    // (names that are not valid in the locale's encoding included).
    bool create(const QByteArray &nativePath);
    // Writes directly on an already open descriptor (standard output for
    // scripts), which stays open; nothing is replaced.
    bool createOn(int fileDescriptor);
    // False once a write has failed; later writes are refused.
    bool write(const QByteArray &bytes);
    // Ends the file. When every write succeeded, writes what is pending, puts
    // it on the disk and replaces the file with it in one step (rename): true.
    // Otherwise, or when that fails, removes the temporary file and leaves the
    // previous file as it was: false.
    bool close();
    bool isOpen() const { return fd_ >= 0; }

    Failure failure() const { return failure_; }
    // The system's reason for the failure.
    QString errorString() const { return error_; }
    QString path() const;

    // Where the bytes for `nativePath` are written until the file is closed,
    // when the name fits.
    static QByteArray temporaryPath(const QByteArray &nativePath) { return nativePath + ".part"; }
    // The temporary file actually written (empty when none is open).
    QByteArray temporaryFile() const { return temporary_; }

private:
    bool start(int fileDescriptor, bool owned);
    bool writeRaw(const QByteArray &bytes);
    bool flush();
    bool fail(int errorNumber);
    bool fail(Failure failure, const QString &reason);
    bool notRegular(const QByteArray &path);
    bool openTemporary(int keptMode);
    bool startTemporary(int fd, int keptMode);
    void discard();

    int fd_ = -1;
    bool ownsFd_ = false;
    QByteArray path_;      // as given
    QByteArray target_;    // the file replaced (a symbolic link followed)
    QByteArray temporary_; // empty when written directly
    Writing writing_;
    QByteArray pending_;
    Failure failure_ = Failure::None;
    QString error_;
};

} // namespace lumora
