// The time zone dialog.
#include "windows/zonechooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

namespace lumora {

ZoneChooser::ZoneChooser(const QByteArray &current, const SiteLocation &site, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Fuseau horaire"));
    setObjectName(QStringLiteral("ZoneChooser"));
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText(tr("Chercher un fuseau (ex. Paris, Toronto)"));
    list_ = new QListWidget(this);
    auto *computer = new QListWidgetItem(
        tr("Fuseau de l'ordinateur (%1)").arg(QString::fromUtf8(QTimeZone::systemTimeZoneId())), list_);
    computer->setData(Qt::UserRole, QByteArray());
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds())
        (new QListWidgetItem(QString::fromUtf8(id), list_))->setData(Qt::UserRole, id);
    proposalLabel_ = new QLabel(this);
    proposalLabel_->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *propose = buttons->addButton(tr("Proposé pour ce lieu"), QDialogButtonBox::ActionRole);
    const std::optional<ZoneProposal> proposal = proposedZone(site);
    if (proposal) {
        proposalLabel_->setText(tr("Proposé pour ce lieu : %1 (sa ville de référence est à %2 km)")
                                    .arg(QString::fromUtf8(proposal->zoneId))
                                    .arg(qRound(proposal->distanceKm)));
        connect(propose, &QPushButton::clicked, this, [this, id = proposal->zoneId] {
            filter_->clear();
            select(id);
        });
    } else {
        propose->setEnabled(false);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(filter_);
    layout->addWidget(list_);
    layout->addWidget(proposalLabel_);
    layout->addWidget(buttons);
    connect(filter_, &QLineEdit::textChanged, this, &ZoneChooser::applyFilter);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    select(current);
    resize(420, 480);
}

void ZoneChooser::applyFilter(const QString &text)
{
    // Spaces match the zone names' underscores ("New York").
    const QString wanted = text.trimmed().replace(u' ', u'_');
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem *item = list_->item(i);
        item->setHidden(!item->text().contains(wanted, Qt::CaseInsensitive));
    }
    // What OK takes is always in sight: the first zone left when the chosen one is hidden.
    if (!list_->currentItem() || list_->currentItem()->isHidden())
        for (int i = 0; i < list_->count(); ++i)
            if (!list_->item(i)->isHidden()) {
                list_->setCurrentRow(i);
                break;
            }
}

void ZoneChooser::select(const QByteArray &id)
{
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->data(Qt::UserRole).toByteArray() == id) {
            list_->setCurrentRow(i);
            list_->scrollToItem(list_->item(i));
            return;
        }
}

QByteArray ZoneChooser::chosen() const
{
    const QListWidgetItem *item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toByteArray() : QByteArray();
}

} // namespace lumora
