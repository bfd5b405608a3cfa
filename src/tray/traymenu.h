// The notification-area icon's menu: "Afficher Lumora", a line (disabled,
// for reading only) about the Sun's next entry or exit, the alert and
// start-up choices, and "Quitter".
#pragma once

#include <QMenu>
#include <functional>

namespace lumora {

class AlertActions;

class TrayMenu : public QMenu
{
    Q_OBJECT

public:
    // nextEvent gives the line about the next event each time the menu opens
    // (an empty line is left out).
    TrayMenu(AlertActions &choices, std::function<QString()> nextEvent, QWidget *parent = nullptr);

    QAction *showAction() const { return showAction_; }
    QAction *nextEventAction() const { return nextEventAction_; }
    QAction *quitAction() const { return quitAction_; }

    // Reads the next event again.
    void refresh();

signals:
    void showRequested();
    void quitRequested();

private:
    std::function<QString()> nextEvent_;
    QAction *showAction_ = nullptr;
    QAction *nextEventAction_ = nullptr;
    QAction *quitAction_ = nullptr;
};

} // namespace lumora
