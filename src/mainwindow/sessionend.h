// The end of the user's session seen by the running program: SIGTERM, SIGHUP
// and SIGINT (a logout, a closed terminal, Ctrl+C) and the session manager's
// request to save before the session ends. Each reaches the event loop as the
// signal requested(), so that the program ends as "Quitter" ends it, its
// settings saved.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace lumora {

class SessionEnd : public QObject
{
    Q_OBJECT

public:
    // Installs the signal handlers (one object at a time) and follows the
    // application's session manager.
    explicit SessionEnd(QObject *parent = nullptr);
    ~SessionEnd() override;

signals:
    void requested();

private:
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace lumora
