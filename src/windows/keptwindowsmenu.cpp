// The kept windows' menu, its dialogs and the list behind it.
#include "windows/keptwindowsmenu.h"

#include "windows/zonechooser.h"

#include <QActionGroup>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>

namespace lumora {

namespace {
const QString kZoneKey = QStringLiteral("Fenetres/Fuseau");
} // namespace

KeptWindowsMenu::KeptWindowsMenu(QMenu *menu, QWidget *dialogParent, QSettings *store, PictureSize picture,
                                 Snapshot snapshot, Apply apply, QObject *parent)
    : QObject(parent), dialogParent_(dialogParent), store_(store), picture_(picture), snapshot_(std::move(snapshot)),
      apply_(std::move(apply))
{
    if (store_) {
        KeptWindowList list = readKeptWindows(*store_, picture.width, picture.height);
        windows_ = std::move(list.windows);
        inForce_ = list.inForce;
        problems_ = list.problems;
        zoneId_ = store_->value(kZoneKey).toString().toUtf8();
        if (!QTimeZone::isTimeZoneIdAvailable(zoneId_))
            zoneId_.clear();
    }
    if (!menu->isEmpty())
        menu->addSeparator();
    menu_ = menu->addMenu(tr("Fenêtres"));
    menu_->setObjectName(QStringLiteral("KeptWindowsMenu"));
    rebuild();
}

QTimeZone KeptWindowsMenu::zone() const { return zoneId_.isEmpty() ? QTimeZone() : QTimeZone(zoneId_); }

void KeptWindowsMenu::rebuild()
{
    menu_->clear();
    auto *group = new QActionGroup(menu_);
    for (const KeptWindow &window : windows_) {
        QAction *action = menu_->addAction(window.name);
        action->setCheckable(true);
        action->setChecked(window.name == inForce_);
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [this, name = window.name] { choose(name); });
    }
    if (!windows_.empty())
        menu_->addSeparator();
    connect(menu_->addAction(tr("Enregistrer sous…")), &QAction::triggered, this, &KeptWindowsMenu::askSaveAs);
    QAction *rename = menu_->addAction(tr("Renommer…"));
    QAction *remove = menu_->addAction(tr("Supprimer"));
    rename->setEnabled(!inForce_.isEmpty());
    remove->setEnabled(!inForce_.isEmpty());
    connect(rename, &QAction::triggered, this, &KeptWindowsMenu::askRename);
    connect(remove, &QAction::triggered, this, &KeptWindowsMenu::askRemove);
    menu_->addSeparator();
    connect(menu_->addAction(tr("Fuseau horaire…")), &QAction::triggered, this, &KeptWindowsMenu::askZone);
}

void KeptWindowsMenu::keep()
{
    if (store_) {
        writeKeptWindows(*store_, windows_, inForce_);
        store_->setValue(kZoneKey, QString::fromUtf8(zoneId_));
        store_->sync();
    }
    rebuild();
    emit listChanged();
}

void KeptWindowsMenu::keepInForce()
{
    // A session without a window in force leaves the group as it was.
    const int index = findKeptWindow(windows_, inForce_);
    if (index < 0)
        return;
    KeptWindow now = snapshot_();
    now.name = inForce_;
    windows_[size_t(index)] = std::move(now);
    keep();
}

bool KeptWindowsMenu::choose(const QString &name)
{
    if (findKeptWindow(windows_, name) < 0)
        return false;
    if (name == inForce_) {
        rebuild(); // the tick back on it
        return true;
    }
    const int before = findKeptWindow(windows_, inForce_);
    if (before >= 0) {
        KeptWindow now = snapshot_();
        now.name = inForce_;
        windows_[size_t(before)] = std::move(now);
    }
    inForce_ = name;
    const KeptWindow &chosen = windows_[size_t(findKeptWindow(windows_, name))];
    zoneId_ = chosen.zoneId;
    apply_(chosen);
    keep();
    emit inForceChanged(inForce_);
    return true;
}

bool KeptWindowsMenu::saveAs(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return false;
    KeptWindow now = snapshot_();
    now.name = trimmed;
    const int index = findKeptWindow(windows_, trimmed);
    if (index >= 0)
        windows_[size_t(index)] = std::move(now);
    else
        windows_.push_back(std::move(now));
    inForce_ = trimmed;
    keep();
    emit inForceChanged(inForce_);
    return true;
}

bool KeptWindowsMenu::rename(const QString &name)
{
    const QString trimmed = name.trimmed();
    const int index = findKeptWindow(windows_, inForce_);
    if (index < 0 || trimmed.isEmpty() || (trimmed != inForce_ && findKeptWindow(windows_, trimmed) >= 0))
        return false;
    windows_[size_t(index)].name = trimmed;
    inForce_ = trimmed;
    keep();
    emit inForceChanged(inForce_);
    return true;
}

bool KeptWindowsMenu::remove()
{
    const int index = findKeptWindow(windows_, inForce_);
    if (index < 0)
        return false;
    windows_.erase(windows_.begin() + index);
    inForce_.clear();
    keep();
    emit inForceChanged(inForce_);
    return true;
}

void KeptWindowsMenu::setZone(const QTimeZone &zone)
{
    // Like any control: the window in force takes it when it is next kept.
    zoneId_ = zone.isValid() ? zone.id() : QByteArray();
    keep();
    emit zoneChanged(this->zone());
}

std::vector<std::pair<QString, Observation>> KeptWindowsMenu::otherAlertWindows() const
{
    std::vector<std::pair<QString, Observation>> others;
    for (const KeptWindow &window : windows_)
        if (window.alerts && window.name != inForce_)
            if (const auto seen = keptWindowObservation(window, picture_))
                others.emplace_back(window.name, *seen);
    return others;
}

void KeptWindowsMenu::askSaveAs()
{
    bool ok = false;
    const QString name = QInputDialog::getText(dialogParent_, tr("Enregistrer la fenêtre"), tr("Nom de la fenêtre :"),
                                               QLineEdit::Normal, inForce_, &ok);
    if (!ok || name.trimmed().isEmpty())
        return;
    if (name.trimmed() != inForce_ && findKeptWindow(windows_, name.trimmed()) >= 0
        && QMessageBox::question(dialogParent_, tr("Enregistrer la fenêtre"),
                                 tr("Une fenêtre « %1 » existe déjà. La remplacer ?").arg(name.trimmed()))
               != QMessageBox::Yes)
        return;
    saveAs(name);
}

void KeptWindowsMenu::askRename()
{
    bool ok = false;
    const QString name = QInputDialog::getText(dialogParent_, tr("Renommer la fenêtre"), tr("Nouveau nom :"),
                                               QLineEdit::Normal, inForce_, &ok);
    if (ok && !rename(name) && !name.trimmed().isEmpty() && name.trimmed() != inForce_)
        QMessageBox::warning(dialogParent_, tr("Renommer la fenêtre"),
                             tr("Une fenêtre « %1 » existe déjà.").arg(name.trimmed()));
}

void KeptWindowsMenu::askRemove()
{
    if (QMessageBox::question(dialogParent_, tr("Supprimer la fenêtre"),
                              tr("Supprimer la fenêtre « %1 » ?").arg(inForce_))
        == QMessageBox::Yes)
        remove();
}

void KeptWindowsMenu::askZone()
{
    KeptWindow now = snapshot_();
    ZoneChooser chooser(zoneId_, keptWindowSite(now).value_or(SiteLocation{}), dialogParent_);
    if (chooser.exec() == QDialog::Accepted) {
        const QByteArray id = chooser.chosen();
        setZone(id.isEmpty() ? QTimeZone() : QTimeZone(id));
    }
}

} // namespace lumora
