// "Fuseau horaire": the site's time zone chosen from the system's zones, with
// a filter as the user types, the computer's own zone first, and the zone
// proposed for the site (its nearest reference city) preselected.
#pragma once

#include "analysis/sitezone.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace lumora {

class ZoneChooser : public QDialog
{
    Q_OBJECT
public:
    // current: the zone in force (empty: the computer's).
    ZoneChooser(const QByteArray &current, const SiteLocation &site, QWidget *parent = nullptr);

    // The zone chosen: empty for the computer's.
    QByteArray chosen() const;
    QLineEdit *filter() const { return filter_; }
    QListWidget *list() const { return list_; }

private:
    void applyFilter(const QString &text);
    void select(const QByteArray &id);

    QLineEdit *filter_ = nullptr;
    QListWidget *list_ = nullptr;
    QLabel *proposalLabel_ = nullptr;
};

} // namespace lumora
