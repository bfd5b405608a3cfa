// The alert and start-up choices as menu items, shared by the notification
// area's menu and the main window's: "Alertes" (check), the submenu
// "Prévenir à l'avance" with "Non", "5 minutes avant", "15 minutes avant",
// "30 minutes avant" (one checked), and "Démarrer avec la session" (check,
// the autostart entry's presence).
#pragma once

#include <QObject>
#include <QString>
#include <array>

class QAction;
class QActionGroup;
class QMenu;

namespace lumora {

class SunAlerts;

class AlertActions : public QObject
{
    Q_OBJECT

public:
    // programPath: what the autostart entry starts.
    AlertActions(SunAlerts &alerts, QString programPath, QObject *parent = nullptr);

    // Adds the items to a menu (each menu gets its own lead submenu, holding
    // the same actions); their checks are brought up to date whenever that
    // menu opens.
    void addTo(QMenu *menu);
    // Checks from the alerts and the autostart entry as they are now (the
    // entry may have been removed by other means).
    void refresh();

    QAction *alertsAction() const { return alertsAction_; }
    const std::array<QAction *, 4> &leadActions() const { return leadActions_; }
    QAction *autostartAction() const { return autostartAction_; }

signals:
    // The autostart entry could not be written or removed.
    void autostartFailed(const QString &reason);

private:
    void onAutostartToggled(bool checked);

    SunAlerts &alerts_;
    QString programPath_;
    QAction *alertsAction_ = nullptr;
    QActionGroup *leadGroup_ = nullptr;
    std::array<QAction *, 4> leadActions_{};
    QAction *autostartAction_ = nullptr;
};

} // namespace lumora
