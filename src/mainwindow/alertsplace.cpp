// Where the alerts meet the main window: they follow its observation, their
// notifications and the tray icon's message bring it forward (without either,
// the window shows the alert itself), and their choices are offered in the
// notification area's menu and in the panorama's (a right click on the sky
// picture).
#include "mainwindow/mainwindow.h"

#include "alerts/alertactions.h"
#include "alerts/notifier.h"
#include "alerts/sunalerts.h"
#include "diagrams/panoramaview.h"
#include "tray/traymenu.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>

namespace lumora {

void MainWindow::placeAlerts(std::unique_ptr<Notifier> notifier)
{
    if (!notifier)
        notifier = std::make_unique<DesktopNotifier>([this, told = false](const AlertMessage &message) mutable {
            if (tray_->showMessage(message.summary, message.body))
                return;
            // Neither a notification service nor an icon to speak from: the
            // window's own message, which blocks nothing; the latest replaces
            // the one still on show.
            if (!told)
                qWarning("Lumora: no notification service and no notification area; alerts are shown in the window");
            told = true;
            if (auto *box = findChild<QMessageBox *>(QStringLiteral("AlertMessage"))) {
                box->setText(message.summary);
                box->setInformativeText(message.body);
                box->show();
                box->raise();
            } else {
                showMessage(message.summary, message.body, QStringLiteral("AlertMessage"));
            }
        });
    alerts_ = std::make_unique<SunAlerts>(settings_, std::move(notifier));
    connect(this, &MainWindow::observationChanged, alerts_.get(),
            [this](const Observation &observation) { alerts_->observe(observation, searchRunning_); });
    connect(alerts_->notifier(), &Notifier::activated, this, &MainWindow::bringToFront);
    connect(tray_.get(), &TrayIcon::messageClicked, this, &MainWindow::bringToFront);
    connect(alerts_.get(), &SunAlerts::enabledChanged, this, &MainWindow::onAlertsToggled);

    alertActions_ = new AlertActions(*alerts_, QCoreApplication::applicationFilePath(), this);
    connect(alertActions_, &AlertActions::autostartFailed, this, [this](const QString &reason) {
        showMessage(tr("Le démarrage avec la session n'a pas pu être réglé."), reason, QStringLiteral("AutostartMessage"));
    });
    trayMenu_ = new TrayMenu(*alertActions_, [this] { return alerts_->nextEventText(); }, this);
    connect(trayMenu_, &TrayMenu::showRequested, this, &MainWindow::bringToFront);
    connect(trayMenu_, &TrayMenu::quitRequested, this, &MainWindow::onQuitClicked);
    tray_->setContextMenu(trayMenu_);

    // After the Sun's course's entries, a separator between the two features.
    QMenu *panoramaMenu = panorama->menu();
    if (!panoramaMenu->isEmpty())
        panoramaMenu->addSeparator();
    alertActions_->addTo(panoramaMenu);
}

void MainWindow::onAlertsToggled(bool enabled)
{
    // The icon holds the alerts' menu: it comes at once rather than at the
    // next tick, and goes at once when it is no longer wanted.
    if (enabled && tray_->isAvailable() && stateText_ != u"load")
        tray_->showIcon(engine_.inWindow);
    else if (!enabled && !isHidden())
        tray_->removeIcon();
}

} // namespace lumora
