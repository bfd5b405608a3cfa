// SIGTERM, SIGHUP, SIGINT and the session manager's end of session, turned
// into one signal on the event loop. A signal handler may do almost nothing:
// it writes one byte into a socket pair, whose other end the event loop
// watches.
#include "mainwindow/sessionend.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lumora {

namespace {
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int wakeUp[2] = {-1, -1}; // written by the handler, read by the event loop

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeUp[0], &byte, 1);
    errno = saved;
}
} // namespace

SessionEnd::SessionEnd(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeUp) != 0) {
        qWarning("Lumora: cannot watch for the end of the session: %s", qPrintable(qt_error_string(errno)));
    } else {
        notifier_ = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            char bytes[16];
            while (::read(wakeUp[1], bytes, sizeof bytes) > 0) {
            }
            emit requested();
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : kSignals)
            ::sigaction(signal, &action, nullptr);
    }
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &SessionEnd::requested, Qt::DirectConnection);
}

SessionEnd::~SessionEnd()
{
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    delete notifier_;
    for (int &fd : wakeUp) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace lumora
