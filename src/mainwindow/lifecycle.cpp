// Start-up and shut-down of the main window, the settings they restore and
// save, the scales and graduations, and the windows it opens: help, map
// overlay, About box.
#include "mainwindow/mainwindow.h"

#include "common/twips.h"
#include "diagrams/geometry.h"
#include "diagrams/panoramaview.h"
#include "about/about.h"
#include "alerts/notifier.h"
#include "alerts/sunalerts.h"
#include "mainwindow/help.h"
#include "mainwindow/settings.h"
#include "maptools/azimuthoverlay.h"
#include "maptools/mapaddress.h"
#include "tray/trayicon.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

namespace lumora {

MainWindow::MainWindow(QSettings *settingsStore, std::unique_ptr<TrayBackend> trayBackend,
                       std::unique_ptr<Notifier> notifier, QWidget *parent)
    : QWidget(parent), settings_(settingsStore)
{
    if (!settings_) {
        ownedSettings_ = std::make_unique<QSettings>(QStringLiteral("Lumora"), QStringLiteral("Lumora"));
        settings_ = ownedSettings_.get();
    }
    buildLayout();
    tray_ = std::make_unique<TrayIcon>(std::move(trayBackend));
    placeAlerts(std::move(notifier));
    searchTimer_ = new QTimer(this);
    searchTimer_->setSingleShot(true);
    connectHandlers();
    startUp();
    clockTimer->start(); // real time from the start; the first refresh comes with the first tick
}

MainWindow::~MainWindow()
{
    if (searchRunning_)
        QApplication::restoreOverrideCursor();
    if (overlay_)
        delete overlay_.data();
}

void MainWindow::connectHandlers()
{
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::onClockTick);
    connect(searchTimer_, &QTimer::timeout, this, &MainWindow::runSearchSlice);
    for (QRadioButton *option : {northButton, southButton, westButton, eastButton})
        connect(option, &QRadioButton::clicked, this, &MainWindow::onHemisphereClicked);
    for (int i = 0; i < 3; ++i) {
        connect(dateBoxes[i], &QComboBox::editTextChanged, this, [this, i] { onDateEdited(i); });
        connect(dateBoxes[i], &QComboBox::activated, this, [this, i] { onDatePicked(i); });
    }
    connect(timeBar, &QScrollBar::valueChanged, this, &MainWindow::onTimeBarChanged);
    connect(frameLeftBar, &QScrollBar::valueChanged, this, [this] { drawWindowFrame(FrameBar::Left); });
    connect(frameRightBar, &QScrollBar::valueChanged, this, [this] { drawWindowFrame(FrameBar::Right); });
    connect(frameTopBar, &QScrollBar::valueChanged, this, [this] { drawWindowFrame(FrameBar::Top); });
    connect(frameBottomBar, &QScrollBar::valueChanged, this, [this] { drawWindowFrame(FrameBar::Bottom); });
    connect(showSearchCheck, &QCheckBox::clicked, this, &MainWindow::onShowSearchToggled);
    connect(searchButton, &QPushButton::clicked, this, &MainWindow::onSearchClicked);
    connect(quitButton, &QPushButton::clicked, this, &MainWindow::onQuitClicked);
    connect(nowButton, &QPushButton::clicked, this, &MainWindow::onNowClicked);
    connect(hideButton, &QToolButton::clicked, this, &MainWindow::onHideClicked);
    connect(aboutButton, &QToolButton::clicked, this, &MainWindow::onAboutClicked);
    connect(mapButton, &QToolButton::clicked, this, &MainWindow::onMapClicked);
    connect(helpButton, &QToolButton::clicked, this, &MainWindow::onHelpClicked);
    connect(continueButton, &QPushButton::clicked, this, &MainWindow::onContinueClicked);
    connect(tray_.get(), &TrayIcon::activated, this, &MainWindow::onTrayActivated);
    // The help key opens the help document wherever the focus is.
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &MainWindow::onHelpClicked);
}

void MainWindow::startUp()
{
    setStateText(QStringLiteral("load"));
    restoreSettings();
    setUpScales();
    for (int day = 1; day <= 31; ++day)
        dateBoxes[0]->addItem(QString::number(day));
    for (int month = 1; month <= 12; ++month)
        dateBoxes[1]->addItem(QString::number(month));
    for (int year = 1900; year <= 2100; ++year)
        dateBoxes[2]->addItem(QString::number(year));
    setDateBoxesToToday();
    // The restored site is in force before the first tick (the map or a
    // search may be asked for within that second), and before the frame is
    // drawn, so that whoever follows the window sees the site with it.
    takeSite();
    setStateText(QStringLiteral("OK"));
    drawWindowFrame(FrameBar::None);
}

void MainWindow::restoreSettings()
{
    const PictureSize picture = panorama->pictureSize();
    const StoredSettings stored = readSettings(*settings_, picture.width, picture.height);
    QScrollBar *bars[4] = {frameTopBar, frameBottomBar, frameLeftBar, frameRightBar};
    for (int i = 0; i < 4; ++i) {
        // A value the bar cannot hold is skipped: the bar keeps its design value.
        const auto value = stored.bars[i];
        if (value && *value >= bars[i]->minimum() && *value <= bars[i]->maximum())
            bars[i]->setValue(*value);
    }
    QLineEdit *texts[4] = {latitudeDegreesEdit, latitudeMinutesEdit, longitudeDegreesEdit, longitudeMinutesEdit};
    for (int i = 0; i < 4; ++i)
        texts[i]->setText(stored.texts[i]);
    QRadioButton *options[4] = {northButton, southButton, westButton, eastButton};
    for (int i = 0; i < 4; ++i)
        if (stored.selected[i])
            options[i]->setChecked(true);
}

void MainWindow::setUpScales()
{
    const PictureSize picture = panorama->pictureSize();
    const BarScale across = horizontalBarScale(picture);
    const BarScale down = verticalBarScale(picture);
    for (QScrollBar *bar : {frameLeftBar, frameRightBar}) {
        bar->setMaximum(across.max);
        bar->setSingleStep(across.smallChange);
        bar->setPageStep(across.largeChange);
    }
    for (QScrollBar *bar : {frameTopBar, frameBottomBar}) {
        bar->setMaximum(down.max);
        bar->setSingleStep(down.smallChange);
        bar->setPageStep(down.largeChange);
    }
    const double labelWidth = pixelsToTwips(azimuthScaleLabels[0]->width());
    const float picLeft = float(pixelsToTwips(panorama->x()));
    for (int i = 0; i < kAzimuthGraduationCount; ++i) {
        azimuthScaleLabels[i]->setText(azimuthGraduationCaption(i));
        graduationTickVisible_[i] = true;
        const float x = graduationTickX(i, picLeft, picture);
        graduationTicks_[i] = QLineF(x, graduationTicks_[0].y1(), x, graduationTicks_[0].y2());
        azimuthScaleLabels[i]->move(twipsPoint(x - labelWidth / 2, graduationTicks_[i].y2() + 20));
    }
    for (int i = 0; i < kElevationGraduationCount; ++i)
        elevationScaleLabels[i]->setText(elevationGraduationCaption(i));
    update();
}

void MainWindow::saveSettings()
{
    const std::array<int, 4> bars{frameTopBar->value(), frameBottomBar->value(), frameLeftBar->value(), frameRightBar->value()};
    const std::array<QString, 4> texts{latitudeDegreesEdit->text(), latitudeMinutesEdit->text(), longitudeDegreesEdit->text(), longitudeMinutesEdit->text()};
    const std::array<bool, 4> selected{northButton->isChecked(), southButton->isChecked(), westButton->isChecked(),
                                       eastButton->isChecked()};
    // A store that cannot be written must not keep the program from ending.
    if (!writeSettings(*settings_, bars, texts, selected))
        qWarning("Lumora: the settings could not be saved to %s", qPrintable(settings_->fileName()));
}

void MainWindow::shutDown()
{
    if (closing_)
        return;
    closing_ = true;
    clockTimer->stop();
    engine_.searchActive = false;
    endSearchLoop();
    tray_->removeIcon();
    saveSettings();
    if (overlay_)
        overlay_->close();
    if (about_)
        about_->close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::onQuitClicked() { close(); }

void MainWindow::onHelpClicked()
{
    if (!openHelp())
        showMessage(QStringLiteral("L'aide n'a pas pu être ouverte : %1").arg(QDir::toNativeSeparators(helpFilePath())),
                    QString(), QStringLiteral("HelpMessage"));
}

void MainWindow::onAboutClicked()
{
    if (about_) {
        about_->raise();
        about_->activateWindow();
        return;
    }
    about_ = new About(this);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    connect(about_, &About::returned, this, [this] {
        if (!isVisible())
            show();
    });
    about_->show();
}

void MainWindow::onMapClicked()
{
    const QUrl address = mapAddress(engine_.site.latitude, engine_.site.longitude);
    if (!overlay_) {
        overlay_ = new AzimuthOverlay();
        overlay_->setAttribute(Qt::WA_DeleteOnClose);
        connect(overlay_, &AzimuthOverlay::returned, this, [this] {
            show();
            raise();
        });
    }
    overlay_->show();
    hide();
    QCoreApplication::processEvents(); // the overlay is drawn before the question
    // Owned by the overlay, so it is stacked above it rather than hidden behind.
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("Module Azimut"),
                         QStringLiteral("Utiliser le module transparent au dessus de Goooogle map pour déterminer "
                                        "un azimut. \r\n- Voulez-vous lancer gooogle map maintenant ?"),
                         QMessageBox::Yes | QMessageBox::No, overlay_);
    question.setObjectName(QStringLiteral("MapQuestion"));
    if (question.exec() == QMessageBox::Yes)
        QDesktopServices::openUrl(address);
}

} // namespace lumora
