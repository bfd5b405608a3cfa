// Where the kept windows meet the main window: the menu asks for what the
// controls show and puts a chosen window on show at once (every control set
// with its signals held, then one evaluation: one observation), the title bar
// names the window in force, the zone goes into the observation, and the
// alerts watch the other kept windows.
#include "mainwindow/mainwindow.h"

#include "alerts/sunalerts.h"
#include "diagrams/panoramaview.h"
#include "photoview/photocontroller.h"
#include "realview/realviewcontroller.h"
#include "windows/keptwindowsmenu.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>

namespace lumora {

namespace {
const QString kPhotoGroup = QStringLiteral("Photo");
} // namespace

void MainWindow::placeKeptWindows()
{
    keptWindows_ = new KeptWindowsMenu(
        panorama->menu(), this, settings_, panorama->pictureSize(), [this] { return keptWindowNow(); },
        [this](const KeptWindow &window) { applyKeptWindow(window); }, this);
    siteZone_ = keptWindows_->zone();
    connect(keptWindows_, &KeptWindowsMenu::inForceChanged, this, [this](const QString &name) {
        showKeptWindowName(name);
        // "DATA" follows the list at once, as the measured window's and the
        // skyline's groups do: a session that ends without shutting down
        // (killed, a crash) starts again on the window the list has in force.
        saveSettings();
    });
    connect(keptWindows_, &KeptWindowsMenu::listChanged, this,
            [this] { alerts_->setOtherWindows(keptWindows_->otherAlertWindows()); });
    connect(keptWindows_, &KeptWindowsMenu::zoneChanged, this, [this](const QTimeZone &zone) {
        siteZone_ = zone;
        showKeptWindowAnew();
    });
    showKeptWindowName(keptWindows_->inForce());
    alerts_->setOtherWindows(keptWindows_->otherAlertWindows());
    if (!keptWindows_->problems().isEmpty())
        QTimer::singleShot(0, this, [this] {
            showMessage(tr("Des fenêtres enregistrées sont illisibles : elles sont ignorées, les autres sont gardées."),
                        keptWindows_->problems().join(u'\n'), QStringLiteral("KeptWindowsMessage"));
        });
}

void MainWindow::showKeptWindowName(const QString &name)
{
    setWindowTitle(name.isEmpty() ? QStringLiteral("Lumora") : QStringLiteral("Lumora — %1").arg(name));
    alerts_->setWindowName(name);
}

KeptWindow MainWindow::keptWindowNow() const
{
    KeptWindow window;
    window.bars = keptFrameBars();
    window.siteTexts = {latitudeDegreesEdit->text(), latitudeMinutesEdit->text(), longitudeDegreesEdit->text(),
                        longitudeMinutesEdit->text()};
    window.hemispheres = {northButton->isChecked(), southButton->isChecked(), westButton->isChecked(),
                          eastButton->isChecked()};
    window.zoneId = siteZone_.isValid() ? siteZone_.id() : QByteArray();
    window.realView = {realView->measured(), realView->measuredInForce(), realView->skyline()};
    if (settings_) {
        settings_->beginGroup(kPhotoGroup);
        for (const QString &key : settings_->childKeys())
            window.photo.insert(key, settings_->value(key));
        settings_->endGroup();
    }
    window.alerts = alerts_->enabled();
    return window;
}

void MainWindow::applyKeptWindow(const KeptWindow &window)
{
    {
        QScrollBar *const bars[4] = {frameTopBar, frameBottomBar, frameLeftBar, frameRightBar};
        QLineEdit *const texts[4] = {latitudeDegreesEdit, latitudeMinutesEdit, longitudeDegreesEdit, longitudeMinutesEdit};
        QRadioButton *const options[4] = {northButton, southButton, westButton, eastButton};
        const QSignalBlocker quietView(realView);
        ownFrameBars_.reset();
        for (int i = 0; i < 4; ++i) {
            const QSignalBlocker quietBar(bars[i]), quietText(texts[i]), quietOption(options[i]);
            bars[i]->setValue(window.bars[size_t(i)]);
            texts[i]->setText(window.siteTexts[size_t(i)]);
            if (window.hemispheres[size_t(i)])
                options[i]->setChecked(true);
        }
        realView->setMeasured(window.realView.measured, window.realView.measuredInForce, true);
        realView->setSkyline(window.realView.skyline, true);
        siteZone_ = keptWindowZone(window);
        if (settings_) {
            // The photo panorama shows the window's own photo group.
            settings_->remove(kPhotoGroup);
            settings_->beginGroup(kPhotoGroup);
            for (auto it = window.photo.begin(); it != window.photo.end(); ++it)
                settings_->setValue(it.key(), it.value());
            settings_->endGroup();
            if (photo)
                photo->showKeptPhoto();
        }
    }
    alerts_->setWindowName(window.name);
    alerts_->setEnabled(window.alerts);
    takeSite();
    showKeptWindowAnew();
}

void MainWindow::showKeptWindowAnew()
{
    // The frame drawn and the bars set without telling anyone, then one
    // evaluation tells everyone.
    holdObservation_ = true;
    followRealView();
    holdObservation_ = false;
    if (engine_.searchActive)
        evaluate();
    else if (!runOnce())
        announceObservation();
    if (localTimeLabel->text() != u"---" && !searchRunning_)
        localTimeLabel->setText(localTimeOfDayText());
}

} // namespace lumora
