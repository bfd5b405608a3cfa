#include "mainwindow/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lumora {

namespace {

using std::chrono::milliseconds;

// A later copy's request and the running copy's answer, one line each. The
// answer tells the later copy that its request was taken, so that a copy
// which is ending (and would drop it) is waited for instead.
constexpr char kRequest[] = "lumora:activate\n";
constexpr char kAcknowledged[] = "lumora:ok\n";
// Longer lines are no request of ours.
constexpr qint64 kLongestLine = 64;

int remainingMs(const QDeadlineTimer &deadline) { return int(std::max<qint64>(1, deadline.remainingTime())); }

} // namespace

QString sessionRuntimeFolder()
{
    // Qt checks the session's folder (owner, access) and picks its own
    // fallback, with a warning, when it is unsuitable.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // No session folder (started from cron, ssh without a login manager…):
    // one per user id, so that two users never meet in it.
    const uid_t user = ::getuid();
    const QString path = QDir::tempPath() + QStringLiteral("/lumora-") + QString::number(user);
    constexpr auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QDir().mkdir(path, ownerOnly); // fails harmlessly when it exists: what is there is checked below
    const QFileInfo folder(path);
    // The temporary folder is shared: another user may have made this name
    // first, as a folder or as a link to one of ours.
    if (folder.isSymLink() || !folder.isDir() || folder.ownerId() != user)
        return {};
    constexpr auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                            QFile::WriteOther | QFile::ExeOther;
    if ((folder.permissions() & others) && !QFile::setPermissions(path, ownerOnly))
        return {};
    return path;
}

SingleInstance::SingleInstance(QString folder, milliseconds patience, QObject *parent)
    : QObject(parent), folder_(std::move(folder)), patience_(patience)
{
}

// The server goes before the lock (members end in reverse order): closing the
// server removes the socket file, which must not be a newer primary's.
SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockFilePath() const { return folder_ + QStringLiteral("/Lumora.lock"); }

QString SingleInstance::socketPath() const { return folder_ + QStringLiteral("/Lumora.socket"); }

SingleInstance::Role SingleInstance::refuse(const QString &problem)
{
    problem_ = tr("Lumora ne peut pas vérifier qu'il n'est pas déjà lancé : %1").arg(problem);
    qWarning("Lumora: %s", qPrintable(problem_));
    return Role::Refused;
}

SingleInstance::Role SingleInstance::claim()
{
    if (folder_.isEmpty())
        return refuse(tr("aucun dossier n'est à vous seul pour son verrou"));
    // Anything but our own files at their places (a folder, a pipe) would be
    // taken for a lock held by someone who never answers.
    for (const auto &[path, type] : {std::pair(lockFilePath(), S_IFREG), std::pair(socketPath(), S_IFSOCK)}) {
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) == 0 && (info.st_mode & S_IFMT) != mode_t(type))
            return refuse(tr("%1 n'est pas le fichier attendu").arg(path));
    }
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Held for the whole run: stale only when its holder is gone, never by age.
    lock_->setStaleLockTime(milliseconds::zero());
    const QDeadlineTimer deadline(patience_);
    for (;;) {
        if (lock_->tryLock(milliseconds::zero()))
            return becomePrimary() ? Role::Primary : Role::Refused;
        if (lock_->error() != QLockFile::LockFailedError)
            return refuse(tr("le verrou %1 ne peut pas être créé").arg(lockFilePath()));
        // The holder is alive: it answers, or it is between taking the lock
        // and listening, or it is ending and will soon let the lock go.
        if (askRunningCopy(milliseconds(remainingMs(deadline))))
            return Role::Secondary;
        if (deadline.hasExpired()) {
            problem_ = tr("Lumora est déjà lancé mais ne répond pas");
            qWarning("Lumora: a running copy holds %s but does not answer", qPrintable(lockFilePath()));
            return Role::Unanswered;
        }
        QThread::msleep(20);
    }
}

bool SingleInstance::becomePrimary()
{
    // The lock is ours, so a socket file here was left by a copy that is gone.
    QLocalServer::removeServer(socketPath());
    server_ = std::make_unique<QLocalServer>();
    if (!server_->listen(socketPath())) {
        refuse(server_->errorString());
        server_.reset();
        // Later copies would only wait for an answer that never comes.
        lock_->unlock();
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::answerConnection);
    return true;
}

void SingleInstance::answerConnection()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLongestLine)
                    socket->abort();
                return;
            }
            const bool request = socket->readLine(kLongestLine + 1) == kRequest;
            if (request) {
                socket->write(kAcknowledged);
                socket->flush();
            }
            socket->disconnectFromServer(); // after the answer is written
            if (request)
                emit activationRequested();
        });
    }
}

bool SingleInstance::askRunningCopy(milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // No socket file, or nobody listening on it: refused at once, no waiting.
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(remainingMs(deadline)))
        return false;
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(remainingMs(deadline)))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(remainingMs(deadline)))
            return false;
    return socket.readLine(kLongestLine + 1) == kAcknowledged;
}

} // namespace lumora
