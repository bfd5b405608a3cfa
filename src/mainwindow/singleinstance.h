// One running copy of the program per user session. The first copy holds a
// lock file and listens on a local socket, both in the session's private
// runtime folder; a later copy finds the lock held, asks the running copy over
// the socket to come forward, and ends. Two settings writers and two survey
// writers on the same files are thus never running at once.
//
// A copy that crashed or was killed leaves its lock file and socket file
// behind: the lock records the holder's process id, so a dead holder's lock
// is taken over at once and the old socket file removed.
#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

class QLocalServer;
class QLockFile;

namespace lumora {

// The session's private folder for the lock and the socket: the runtime
// folder (XDG_RUNTIME_DIR, as Qt checks it) when the session names one,
// otherwise "lumora-<user id>" under the temporary folder, created with
// owner-only access. Empty when no folder that only this user can enter is to
// be had (the fallback is someone else's, a symbolic link, or cannot be made).
QString sessionRuntimeFolder();

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role {
        // This copy holds the lock and listens: activationRequested() is
        // emitted whenever a later copy starts.
        Primary,
        // A running copy acknowledged the request to come forward: this copy
        // has nothing more to do.
        Secondary,
        // A running copy holds the lock but does not answer within the
        // patience (it is frozen, or stopped): this copy must not run beside it.
        Unanswered,
        // The guard cannot be set up (no private folder, something other than
        // our files at their places, a lock or socket that cannot be made):
        // this copy does not run, rather than risk being a second one.
        Refused,
    };

    // folder: where the lock and socket files live (sessionRuntimeFolder() by
    // default; an empty folder gives Refused). patience: how long a later
    // copy waits for a running copy that is itself starting or ending.
    explicit SingleInstance(QString folder = sessionRuntimeFolder(),
                            std::chrono::milliseconds patience = std::chrono::milliseconds(3000),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the primary copy or hands over to the running one. Quick when no
    // copy runs (no wait at all) and when one answers; waits at most the
    // patience otherwise. Called once.
    Role claim();

    // For Unanswered and Refused: what to tell the user.
    QString problem() const { return problem_; }

    QString lockFilePath() const;
    QString socketPath() const;

signals:
    // A later copy was started: the running copy should come forward.
    void activationRequested();

private:
    bool becomePrimary();
    bool askRunningCopy(std::chrono::milliseconds timeout);
    void answerConnection();

    Role refuse(const QString &problem);

    QString folder_;
    QString problem_;
    std::chrono::milliseconds patience_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace lumora
