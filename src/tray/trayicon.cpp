// The notification-area icon and its platform backend (QSystemTrayIcon).
#include "tray/trayicon.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace lumora {

QString sunInWindowTip() { return TrayIcon::tr("Le Soleil est dans la fenêtre"); }
QString sunNotInWindowTip() { return TrayIcon::tr("Il n'y a pas de Soleil dans la fenêtre"); }

namespace {
// The system's notification area through Qt.
class SystemTrayBackend : public TrayBackend
{
public:
    explicit SystemTrayBackend(TrayIcon *owner) : owner_(owner) {}

    bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    void show(const QIcon &icon, const QString &toolTip) override
    {
        if (!icon_) {
            icon_ = std::make_unique<QSystemTrayIcon>();
            // A right click opens the menu; it must not also bring the window back.
            QObject::connect(icon_.get(), &QSystemTrayIcon::activated, owner_,
                             [this](QSystemTrayIcon::ActivationReason reason) {
                                 if (reason != QSystemTrayIcon::Context)
                                     owner_->notifyActivated();
                             });
            QObject::connect(icon_.get(), &QSystemTrayIcon::messageClicked, owner_,
                             [this] { owner_->notifyMessageClicked(); });
            icon_->setContextMenu(menu_);
        }
        icon_->setIcon(icon);
        icon_->setToolTip(toolTip);
        icon_->show();
    }

    void hide() override
    {
        if (icon_)
            icon_->hide();
    }

    void setContextMenu(QMenu *menu) override
    {
        menu_ = menu;
        if (icon_)
            icon_->setContextMenu(menu);
    }

    void showMessage(const QString &title, const QString &body) override
    {
        if (icon_)
            icon_->showMessage(title, body, icon_->icon(), 10000);
    }

private:
    TrayIcon *owner_;
    QMenu *menu_ = nullptr;
    std::unique_ptr<QSystemTrayIcon> icon_;
};
} // namespace

TrayIcon::TrayIcon(std::unique_ptr<TrayBackend> backend, QObject *parent)
    : QObject(parent), backend_(backend ? std::move(backend) : std::make_unique<SystemTrayBackend>(this))
{
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::isAvailable() const { return backend_->available(); }

void TrayIcon::showIcon(bool inWindow)
{
    ++addCalls_;
    if (shown_)
        return;
    toolTip_ = inWindow ? sunInWindowTip() : sunNotInWindowTip();
    const QIcon icon(inWindow ? QStringLiteral(":/icons/solon.png") : QStringLiteral(":/icons/soloff.png"));
    backend_->show(icon, toolTip_);
    shown_ = true;
}

void TrayIcon::setContextMenu(QMenu *menu) { backend_->setContextMenu(menu); }

bool TrayIcon::showMessage(const QString &title, const QString &body)
{
    // An icon asked for where there is no notification area shows nowhere.
    if (!shown_ || !backend_->available())
        return false;
    backend_->showMessage(title, body);
    lastMessageTitle_ = title;
    return true;
}

void TrayIcon::removeIcon()
{
    ++removeCalls_;
    if (!shown_)
        return;
    backend_->hide();
    shown_ = false;
}

TrayActions trayActionsFor(bool answerChanged, bool windowHidden, bool alertsOn)
{
    return {answerChanged, windowHidden || alertsOn};
}

void startInNotificationArea(QWidget &window, const TrayIcon &tray, std::chrono::milliseconds patience)
{
    if (tray.isAvailable())
        return;
    auto *poll = new QTimer(&window);
    QElapsedTimer since;
    since.start();
    QObject::connect(poll, &QTimer::timeout, &window, [&window, &tray, poll, since, patience] {
        const bool available = tray.isAvailable();
        if (!available && since.elapsed() < patience.count())
            return;
        if (!available)
            window.show();
        poll->deleteLater();
    });
    poll->start(250);
}

} // namespace lumora
