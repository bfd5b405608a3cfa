// The notification-area icon that keeps the in-window answer while the main
// window is hidden (and, with the alerts on, while it is shown too): a sun
// picture and the tooltip "Le Soleil est dans la fenêtre", or the grey sun and
// "Il n'y a pas de Soleil dans la fenêtre". Activating the icon (a left click)
// asks for the window back; a right click opens its menu. It can also show a
// message beside itself, the alerts' last resort.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

class QMenu;
class QWidget;
class QSystemTrayIcon;

namespace lumora {

// The two tooltips, in the interface language.
QString sunInWindowTip();
QString sunNotInWindowTip();

// What the icon shows: the platform side, replaceable in tests.
class TrayBackend
{
public:
    virtual ~TrayBackend() = default;
    virtual bool available() const = 0;
    virtual void show(const QIcon &icon, const QString &toolTip) = 0;
    virtual void hide() = 0;
    // The menu a right click opens (not owned); none by default.
    virtual void setContextMenu(QMenu * /*menu*/) {}
    // A message beside the shown icon.
    virtual void showMessage(const QString & /*title*/, const QString & /*body*/) {}
};

class TrayIcon : public QObject
{
    Q_OBJECT

public:
    // The system's notification area, or a backend given by a test.
    explicit TrayIcon(std::unique_ptr<TrayBackend> backend = {}, QObject *parent = nullptr);
    ~TrayIcon() override;

    // Shows the icon for the answer. Like the platform, refuses an add while an
    // icon is already shown: the icon keeps its picture and tip until removed.
    void showIcon(bool inWindow);
    // Removes the icon; nothing happens when there is none.
    void removeIcon();

    // The menu a right click opens; kept across removals of the icon.
    void setContextMenu(QMenu *menu);
    // A message beside the icon; false (and nothing shown) without an icon or
    // without a notification area to show it in.
    bool showMessage(const QString &title, const QString &body);
    // The title of the last message shown, empty before any.
    QString lastMessageTitle() const { return lastMessageTitle_; }

    bool isAvailable() const;
    bool iconShown() const { return shown_; }
    QString toolTip() const { return toolTip_; }
    int addCalls() const { return addCalls_; }
    int removeCalls() const { return removeCalls_; }

    // Called by the backend when the user activates the icon.
    void notifyActivated() { emit activated(); }
    // Called by the backend when the user clicks the message.
    void notifyMessageClicked() { emit messageClicked(); }

signals:
    void activated();
    void messageClicked();

private:
    std::unique_ptr<TrayBackend> backend_;
    bool shown_ = false;
    QString toolTip_;
    QString lastMessageTitle_;
    int addCalls_ = 0;
    int removeCalls_ = 0;
};

// The sun-in-window decision of one evaluation, as calls on the tray:
// the icon is removed when the answer changes (so that it comes back with the
// new picture and tip), and (re-)added while the window is hidden, or all the
// time while the alerts are on: the user asked to be told, and the icon is
// where the alerts are turned off.
struct TrayActions {
    bool remove = false;
    bool add = false;
};
TrayActions trayActionsFor(bool answerChanged, bool windowHidden, bool alertsOn = false);

// A start hidden in the notification area (Lumora --tray): `window` is left
// hidden while `tray` has a notification area, and the icon comes with the
// first evaluation. Started with the session, the program may come up before
// the panel that holds the notification area: without one, it is asked for
// again every quarter of a second, and after `patience` the window is shown,
// as nothing else could bring it back.
void startInNotificationArea(QWidget &window, const TrayIcon &tray,
                             std::chrono::milliseconds patience = std::chrono::seconds(5));

} // namespace lumora
