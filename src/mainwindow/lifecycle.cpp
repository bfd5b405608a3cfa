// Start-up and shut-down of the main window, the settings they restore and
// save, the scales and graduations, and the windows it opens: help, map
// overlay, About box, the year window.
#include "mainwindow/mainwindow.h"

#include "astro/clock.h"
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
#include "windows/keptwindowsmenu.h"
#include "yearview/yearview.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
        const QString path = userSettingsPath();
        // Opening a named pipe would wait for a writer for ever, and a crafted
        // value can crash the store's parser: such a file is left alone.
        settingsReadProblem_ = settingsReadProblem(path);
        if (settingsReadProblem_.isEmpty()) {
            ownedSettings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
            settings_ = ownedSettings_.get();
        } else {
            unusableSettingsPath_ = path;
        }
    }
    buildLayout();
    tray_ = std::make_unique<TrayIcon>(std::move(trayBackend));
    placeAlerts(std::move(notifier));
    placeKeptWindows();
    searchTimer_ = new QTimer(this);
    searchTimer_->setSingleShot(true);
    connectHandlers();
    startUp();
    clockTimer->start(); // real time from the start; the first refresh comes with the first tick
    if (!unusableSettingsPath_.isEmpty()) {
        // Once the window is up, so that the message stands above it.
        QTimer::singleShot(0, this, [this] {
            showMessage(tr("Le fichier de réglages ne peut pas être lu : Lumora démarre avec les réglages "
                           "d'origine, et ceux de cette séance ne seront pas enregistrés."),
                        tr("Impossible de lire %1 : %2")
                            .arg(QDir::toNativeSeparators(unusableSettingsPath_), settingsReadProblem_),
                        QStringLiteral("SettingsMessage"));
        });
    }
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
    addHelpKey(this);
    // The year window: an entry of the panorama's menu, whose key (Ctrl+Y)
    // works anywhere in this window.
    QMenu *menu = panorama->menu();
    menu->addSeparator();
    QAction *year = menu->addAction(tr("Soleil dans la fenêtre — année…"));
    year->setObjectName(QStringLiteral("YearViewAction"));
    year->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    addAction(year);
    connect(year, &QAction::triggered, this, &MainWindow::openYearView);
}

void MainWindow::addHelpKey(QWidget *window)
{
    // The help key opens the help document wherever the focus is in that window.
    auto *help = new QShortcut(QKeySequence::HelpContents, window);
    connect(help, &QShortcut::activated, this, &MainWindow::onHelpClicked);
}

void MainWindow::startUp()
{
    setStateText(QStringLiteral("load"));
    restoreSettings();
    setUpScales();
    followRealView();
    for (int day = 1; day <= 31; ++day)
        dateBoxes[0]->addItem(QString::number(day));
    for (int month = 1; month <= 12; ++month)
        dateBoxes[1]->addItem(QString::number(month));
    for (int year = 1900; year <= 2100; ++year)
        dateBoxes[2]->addItem(QString::number(year));
    setDateBoxes(currentUtc().date());
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
    const StoredSettings stored = settings_ ? readSettings(*settings_, picture.width, picture.height)
                                            : firstRunSettings(picture.width, picture.height);
    QScrollBar *bars[4] = {frameTopBar, frameBottomBar, frameLeftBar, frameRightBar};
    // The bars' ranges once the scales are set, a little later.
    const int down = verticalBarScale(picture).max, across = horizontalBarScale(picture).max;
    const int maxima[4] = {down, down, across, across};
    for (int i = 0; i < 4; ++i) {
        // A value the bar cannot take (not a number, beyond 16 bits, off the
        // picture) gives that bar its first-run value: a left edge of 0 for a
        // damaged right edge would turn the frame inside out.
        const auto value = stored.bars[i];
        bars[i]->setValue(value && *value >= 0 && *value <= maxima[i] ? *value : stored.firstRunBars[i]);
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

QString MainWindow::saveSettings()
{
    if (!settings_)
        return {}; // never opened: the user was told at start-up
    const std::array<int, 4> bars = keptFrameBars();
    const std::array<QString, 4> texts{latitudeDegreesEdit->text(), latitudeMinutesEdit->text(), longitudeDegreesEdit->text(), longitudeMinutesEdit->text()};
    const std::array<bool, 4> selected{northButton->isChecked(), southButton->isChecked(), westButton->isChecked(),
                                       eastButton->isChecked()};
    if (writeSettings(*settings_, bars, texts, selected))
        return {};
    const QString reason = settingsWriteProblem(settings_->fileName());
    return reason.isEmpty() ? tr("raison inconnue") : reason;
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
    // Open messages close with the window: none of them holds "Quitter" back.
    for (QMessageBox *box : findChildren<QMessageBox *>())
        box->close();
    settingsSaveProblem_ = saveSettings();
    keptWindows_->keepInForce();
    if (overlay_)
        overlay_->close();
    if (about_)
        about_->close();
    if (yearView_)
        yearView_->close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
    if (settingsSaveProblem_.isEmpty()) {
        QCoreApplication::quit();
        return;
    }
    // The session's changes are lost: the program ends once the user has read why.
    QMessageBox *box = showMessage(tr("Les réglages n'ont pas pu être enregistrés : les changements de "
                                      "cette séance sont perdus."),
                                   tr("Impossible d'écrire %1 : %2")
                                       .arg(QDir::toNativeSeparators(settings_->fileName()), settingsSaveProblem_),
                                   QStringLiteral("SettingsMessage"));
    connect(box, &QDialog::finished, qApp, &QCoreApplication::quit);
}

void MainWindow::onQuitClicked() { close(); }

void MainWindow::endSession()
{
    if (!closing_) {
        shutDown();
        if (!settingsSaveProblem_.isEmpty())
            qWarning("Lumora: the settings could not be saved in %s: %s", qPrintable(settings_->fileName()),
                     qPrintable(settingsSaveProblem_));
    }
    hide();
    QCoreApplication::quit();
}

void MainWindow::onHelpClicked()
{
    openHelp(this, [this] {
        showMessage(tr("L'aide n'a pas pu être ouverte : %1").arg(QDir::toNativeSeparators(helpFilePath())),
                    QString(), QStringLiteral("HelpMessage"));
    });
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
    addHelpKey(about_);
    connect(about_, &About::returned, this, [this] {
        if (!isVisible())
            show();
    });
    about_->show();
}

void MainWindow::openYearView()
{
    if (!yearView_) {
        yearView_ = new YearView(settings_, this);
        yearView_->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &MainWindow::observationChanged, yearView_, &YearView::setObservation);
        connect(yearView_, &YearView::instantChosen, this, &MainWindow::showInstant);
        addHelpKey(yearView_);
        yearView_->setObservation(observation());
    }
    yearView_->show();
    yearView_->raise();
    yearView_->activateWindow();
}

void MainWindow::onMapClicked()
{
    const QUrl address = mapAddress(engine_.site.latitude, engine_.site.longitude);
    if (!overlay_) {
        overlay_ = new AzimuthOverlay();
        overlay_->setAttribute(Qt::WA_DeleteOnClose);
        addHelpKey(overlay_);
        connect(overlay_, &AzimuthOverlay::returned, this, [this] {
            show();
            raise();
        });
    }
    overlay_->show();
    hide();
    QCoreApplication::processEvents(); // the overlay is drawn before the question
    // Owned by the overlay, so it is stacked above it rather than hidden behind.
    QMessageBox question(QMessageBox::NoIcon, tr("Module Azimut"),
                         tr("Utiliser le module transparent au dessus de Goooogle map pour déterminer "
                            "un azimut. \r\n- Voulez-vous lancer gooogle map maintenant ?"),
                         QMessageBox::Yes | QMessageBox::No, overlay_);
    question.setObjectName(QStringLiteral("MapQuestion"));
    if (question.exec() == QMessageBox::Yes)
        QDesktopServices::openUrl(address);
}

} // namespace lumora
