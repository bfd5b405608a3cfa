// The notification-area icon that keeps the in-window answer while the main
// window is hidden: a sun picture and the tooltip "Le Soleil est dans la
// fenêtre", or the grey sun and "Il n'y a pas de Soleil dans la fenêtre".
// Activating the icon asks for the window back.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <memory>

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

    bool isAvailable() const;
    bool iconShown() const { return shown_; }
    QString toolTip() const { return toolTip_; }
    int addCalls() const { return addCalls_; }
    int removeCalls() const { return removeCalls_; }

    // Called by the backend when the user activates the icon.
    void notifyActivated() { emit activated(); }

signals:
    void activated();

private:
    std::unique_ptr<TrayBackend> backend_;
    bool shown_ = false;
    QString toolTip_;
    int addCalls_ = 0;
    int removeCalls_ = 0;
};

// The sun-in-window decision of one evaluation, as calls on the tray:
// the icon is removed when the answer changes, and (re-)added while the window
// is hidden.
struct TrayActions {
    bool remove = false;
    bool add = false;
};
TrayActions trayActionsFor(bool answerChanged, bool windowHidden);

} // namespace lumora
