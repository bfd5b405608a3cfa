// The alert and start-up menu items.
#include "alerts/alertactions.h"

#include "alerts/sunalerts.h"
#include "session/autostart.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace lumora {

AlertActions::AlertActions(SunAlerts &alerts, QString programPath, QObject *parent)
    : QObject(parent), alerts_(alerts), programPath_(std::move(programPath))
{
    alertsAction_ = new QAction(tr("Alertes"), this);
    alertsAction_->setObjectName(QStringLiteral("AlertsAction"));
    alertsAction_->setCheckable(true);
    connect(alertsAction_, &QAction::toggled, &alerts_, &SunAlerts::setEnabled);

    leadGroup_ = new QActionGroup(this);
    const std::array<QString, 4> captions{tr("Non"), tr("5 minutes avant"), tr("15 minutes avant"), tr("30 minutes avant")};
    for (std::size_t i = 0; i < leadActions_.size(); ++i) {
        QAction *action = new QAction(captions[i], this);
        action->setObjectName(QStringLiteral("LeadAction%1").arg(kAlertLeadMinutes[i]));
        action->setCheckable(true);
        action->setActionGroup(leadGroup_);
        const int minutes = kAlertLeadMinutes[i];
        connect(action, &QAction::triggered, &alerts_, [this, minutes] { alerts_.setLeadMinutes(minutes); });
        leadActions_[i] = action;
    }

    autostartAction_ = new QAction(tr("Démarrer avec la session"), this);
    autostartAction_->setObjectName(QStringLiteral("AutostartAction"));
    autostartAction_->setCheckable(true);
    connect(autostartAction_, &QAction::triggered, this, &AlertActions::onAutostartToggled);

    connect(&alerts_, &SunAlerts::enabledChanged, this, &AlertActions::refresh);
    connect(&alerts_, &SunAlerts::leadMinutesChanged, this, &AlertActions::refresh);
    refresh();
}

void AlertActions::addTo(QMenu *menu)
{
    menu->addAction(alertsAction_);
    QMenu *leads = menu->addMenu(tr("Prévenir à l'avance"));
    leads->setObjectName(QStringLiteral("LeadMenu"));
    leads->addActions(leadGroup_->actions());
    // The lead only matters with the alerts on.
    leads->setEnabled(alerts_.enabled());
    connect(&alerts_, &SunAlerts::enabledChanged, leads, &QMenu::setEnabled);
    menu->addAction(autostartAction_);
    connect(menu, &QMenu::aboutToShow, this, &AlertActions::refresh);
}

void AlertActions::refresh()
{
    const QSignalBlocker blocker(alertsAction_);
    alertsAction_->setChecked(alerts_.enabled());
    for (std::size_t i = 0; i < leadActions_.size(); ++i)
        leadActions_[i]->setChecked(kAlertLeadMinutes[i] == alerts_.leadMinutes());
    autostartAction_->setChecked(autostartEnabled());
}

void AlertActions::onAutostartToggled(bool checked)
{
    QString reason;
    if (!setAutostartEnabled(checked, programPath_, &reason)) {
        autostartAction_->setChecked(autostartEnabled());
        emit autostartFailed(reason);
    }
}

} // namespace lumora
