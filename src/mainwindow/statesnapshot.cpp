// The JSON snapshot of the main window that the end-to-end suite reads.
#include "mainwindow/statesnapshot.h"

#include "alerts/sunalerts.h"
#include "mainwindow/mainwindow.h"
#include "session/autostart.h"
#include "tray/traymenu.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace lumora {

namespace {
QJsonObject describe(const QWidget *widget)
{
    QJsonObject item;
    if (auto *label = qobject_cast<const QLabel *>(widget))
        item[QStringLiteral("text")] = label->text();
    else if (auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        item[QStringLiteral("text")] = button->text();
        item[QStringLiteral("checked")] = button->isChecked();
    } else if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        item[QStringLiteral("text")] = edit->text();
    else if (auto *combo = qobject_cast<const QComboBox *>(widget))
        item[QStringLiteral("text")] = combo->currentText();
    else if (auto *slider = qobject_cast<const QAbstractSlider *>(widget))
        item[QStringLiteral("value")] = slider->value();
    if (!widget->toolTip().isEmpty())
        item[QStringLiteral("toolTip")] = widget->toolTip();
    item[QStringLiteral("visible")] = widget->isVisible();
    const QPoint topLeft = widget->mapToGlobal(QPoint(0, 0));
    item[QStringLiteral("rect")] = QJsonArray{topLeft.x(), topLeft.y(), widget->width(), widget->height()};
    return item;
}
// A menu's items in order (separators left out), with their places on the
// screen while the menu is open.
QJsonObject describeMenu(const QMenu *menu)
{
    QJsonArray items;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        QJsonObject item;
        item[QStringLiteral("text")] = action->text();
        item[QStringLiteral("enabled")] = action->isEnabled();
        if (action->isCheckable())
            item[QStringLiteral("checked")] = action->isChecked();
        if (action->menu())
            item[QStringLiteral("submenu")] = action->menu()->objectName();
        if (menu->isVisible()) {
            const QRect place = menu->actionGeometry(const_cast<QAction *>(action));
            const QPoint topLeft = menu->mapToGlobal(place.topLeft());
            item[QStringLiteral("rect")] = QJsonArray{topLeft.x(), topLeft.y(), place.width(), place.height()};
        }
        items.append(item);
    }
    return {{QStringLiteral("visible"), menu->isVisible()}, {QStringLiteral("items"), items}};
}
} // namespace

QJsonObject stateSnapshot(const MainWindow &window)
{
    QJsonObject controls;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(u"qt_"))
            controls[name] = describe(widget);
    }
    QJsonObject state;
    state[QStringLiteral("controls")] = controls;
    state[QStringLiteral("tag")] = window.stateText();
    state[QStringLiteral("windowVisible")] = window.isVisible();
    state[QStringLiteral("windowMinimized")] = window.isMinimized();
    state[QStringLiteral("realTime")] = window.realTime();
    state[QStringLiteral("searching")] = window.searchRunning();
    state[QStringLiteral("trayShown")] = window.tray()->iconShown();
    state[QStringLiteral("trayToolTip")] = window.tray()->toolTip();
    state[QStringLiteral("sunInWindow")] = window.engine().inWindow;
    state[QStringLiteral("surveyPath")] = window.surveyPath();
    state[QStringLiteral("trayMessage")] = window.tray()->lastMessageTitle();
    state[QStringLiteral("alerts")] = QJsonObject{{QStringLiteral("enabled"), window.alerts()->enabled()},
                                                  {QStringLiteral("leadMinutes"), window.alerts()->leadMinutes()}};
    state[QStringLiteral("autostart")] = autostartEnabled();
    state[QStringLiteral("trayMenu")] = describeMenu(window.trayMenu());
    // Every menu on show, the submenus included, by object name; a menu
    // without one by its owner's ("Pic.menu").
    QJsonObject menus;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        if (auto *menu = qobject_cast<const QMenu *>(widget); menu && menu->isVisible()) {
            QString name = menu->objectName();
            if (name.isEmpty() && menu->parentWidget())
                name = menu->parentWidget()->objectName() + QStringLiteral(".menu");
            menus[name] = describeMenu(menu);
        }
    state[QStringLiteral("openMenus")] = menus;
    return state;
}

void startStateSnapshots(MainWindow &window)
{
    const QString path = qEnvironmentVariable("LUMORA_STATE_FILE");
    if (path.isEmpty())
        return;
    auto *timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, [&window, path] {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QJsonDocument(stateSnapshot(window)).toJson(QJsonDocument::Compact));
            file.commit();
        }
    });
    timer->start(250);
}

} // namespace lumora
