// The notification-area icon's menu.
#include "tray/traymenu.h"

#include "alerts/alertactions.h"

namespace lumora {

TrayMenu::TrayMenu(AlertActions &choices, std::function<QString()> nextEvent, QWidget *parent)
    : QMenu(parent), nextEvent_(std::move(nextEvent))
{
    setObjectName(QStringLiteral("TrayMenu"));
    showAction_ = addAction(tr("Afficher Lumora"), this, &TrayMenu::showRequested);
    showAction_->setObjectName(QStringLiteral("ShowAction"));
    nextEventAction_ = addAction(QString());
    nextEventAction_->setObjectName(QStringLiteral("NextEventAction"));
    nextEventAction_->setEnabled(false);
    addSeparator();
    choices.addTo(this);
    addSeparator();
    quitAction_ = addAction(tr("Quitter"), this, &TrayMenu::quitRequested);
    quitAction_->setObjectName(QStringLiteral("QuitAction"));
    connect(this, &QMenu::aboutToShow, this, &TrayMenu::refresh);
    refresh();
}

void TrayMenu::refresh()
{
    const QString text = nextEvent_ ? nextEvent_() : QString();
    nextEventAction_->setText(text);
    nextEventAction_->setVisible(!text.isEmpty());
}

} // namespace lumora
