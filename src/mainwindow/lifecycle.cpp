// Start-up and shut-down of the main window, the settings they restore and
// save, the scales and graduations, and the windows it opens: help, map
// overlay, About box.
#include "mainwindow/mainwindow.h"

#include "common/twips.h"
#include "diagrams/geometry.h"
#include "diagrams/panoramaview.h"
#include "about/about.h"
#include "mainwindow/help.h"
#include "mainwindow/settings.h"
#include "maptools/droite.h"
#include "maptools/mapaddress.h"
#include "tray/systray.h"

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

MainWindow::MainWindow(QSettings *settingsStore, std::unique_ptr<TrayBackend> trayBackend, QWidget *parent)
    : QWidget(parent), settings_(settingsStore)
{
    if (!settings_) {
        ownedSettings_ = std::make_unique<QSettings>(QStringLiteral("Lumora"), QStringLiteral("Lumora"));
        settings_ = ownedSettings_.get();
    }
    buildLayout();
    tray_ = std::make_unique<SysTray>(std::move(trayBackend));
    searchTimer_ = new QTimer(this);
    searchTimer_->setSingleShot(true);
    connectHandlers();
    startUp();
    Timer1->start(); // real time from the start; the first refresh comes with the first tick
}

MainWindow::~MainWindow()
{
    if (searchRunning_)
        QApplication::restoreOverrideCursor();
    if (droite_)
        delete droite_.data();
}

void MainWindow::connectHandlers()
{
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    connect(searchTimer_, &QTimer::timeout, this, &MainWindow::runSearchSlice);
    for (QRadioButton *option : {Option1, Option2, Option3, Option4})
        connect(option, &QRadioButton::clicked, this, &MainWindow::Option_Click);
    for (int i = 0; i < 3; ++i) {
        connect(Combo1[i], &QComboBox::editTextChanged, this, [this, i] { Combo1_Change(i); });
        connect(Combo1[i], &QComboBox::activated, this, [this, i] { Combo1_Click(i); });
    }
    connect(VSHeure, &QScrollBar::valueChanged, this, &MainWindow::VSHeure_Change);
    connect(HS1, &QScrollBar::valueChanged, this, [this] { DrawWindowFrame(FrameBar::Hx1); });
    connect(HS2, &QScrollBar::valueChanged, this, [this] { DrawWindowFrame(FrameBar::Hx2); });
    connect(VS1, &QScrollBar::valueChanged, this, [this] { DrawWindowFrame(FrameBar::Vx1); });
    connect(VS2, &QScrollBar::valueChanged, this, [this] { DrawWindowFrame(FrameBar::Vx2); });
    connect(Check1, &QCheckBox::clicked, this, &MainWindow::Check1_MouseUp);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(Command4, &QToolButton::clicked, this, &MainWindow::Command4_Click);
    connect(Command5, &QToolButton::clicked, this, &MainWindow::Command5_Click);
    connect(Command6, &QToolButton::clicked, this, &MainWindow::Command6_Click);
    connect(Command7, &QToolButton::clicked, this, &MainWindow::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &MainWindow::Command8_Click);
    connect(tray_.get(), &SysTray::activated, this, &MainWindow::Tray_Activated);
    // The help key opens the help document wherever the focus is.
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &MainWindow::Command7_Click);
}

void MainWindow::startUp()
{
    setTag(QStringLiteral("load"));
    restoreSettings();
    setUpScales();
    for (int day = 1; day <= 31; ++day)
        Combo1[0]->addItem(QString::number(day));
    for (int month = 1; month <= 12; ++month)
        Combo1[1]->addItem(QString::number(month));
    for (int year = 1900; year <= 2100; ++year)
        Combo1[2]->addItem(QString::number(year));
    setDateBoxesToToday();
    setTag(QStringLiteral("OK"));
    DrawWindowFrame(FrameBar::None);
    // The restored site is in force before the first tick (the map or a
    // search may be asked for within that second).
    takeSite();
}

void MainWindow::restoreSettings()
{
    const PictureSize picture = Pic->pictureSize();
    const StoredSettings stored = readSettings(*settings_, picture.width, picture.height);
    QScrollBar *bars[4] = {VS1, VS2, HS1, HS2};
    for (int i = 0; i < 4; ++i) {
        // A value the bar cannot hold is skipped: the bar keeps its design value.
        const auto value = stored.bars[i];
        if (value && *value >= bars[i]->minimum() && *value <= bars[i]->maximum())
            bars[i]->setValue(*value);
    }
    QLineEdit *texts[4] = {Text1, Text2, Text3, Text4};
    for (int i = 0; i < 4; ++i)
        texts[i]->setText(stored.texts[i]);
    QRadioButton *options[4] = {Option1, Option2, Option3, Option4};
    for (int i = 0; i < 4; ++i)
        if (stored.selected[i])
            options[i]->setChecked(true);
}

void MainWindow::setUpScales()
{
    const PictureSize picture = Pic->pictureSize();
    const BarScale across = horizontalBarScale(picture);
    const BarScale down = verticalBarScale(picture);
    for (QScrollBar *bar : {HS1, HS2}) {
        bar->setMaximum(across.max);
        bar->setSingleStep(across.smallChange);
        bar->setPageStep(across.largeChange);
    }
    for (QScrollBar *bar : {VS1, VS2}) {
        bar->setMaximum(down.max);
        bar->setSingleStep(down.smallChange);
        bar->setPageStep(down.largeChange);
    }
    const double labelWidth = pixelsToTwips(LabANG[0]->width());
    const float picLeft = float(pixelsToTwips(Pic->x()));
    for (int i = 0; i < kAzimuthGraduationCount; ++i) {
        LabANG[i]->setText(azimuthGraduationCaption(i));
        line2Visible_[i] = true;
        const float x = graduationTickX(i, picLeft, picture);
        line2_[i] = QLineF(x, line2_[0].y1(), x, line2_[0].y2());
        LabANG[i]->move(twipsPoint(x - labelWidth / 2, line2_[i].y2() + 20));
    }
    for (int i = 0; i < kElevationGraduationCount; ++i)
        LabH[i]->setText(elevationGraduationCaption(i));
    update();
}

void MainWindow::saveSettings()
{
    const std::array<int, 4> bars{VS1->value(), VS2->value(), HS1->value(), HS2->value()};
    const std::array<QString, 4> texts{Text1->text(), Text2->text(), Text3->text(), Text4->text()};
    const std::array<bool, 4> selected{Option1->isChecked(), Option2->isChecked(), Option3->isChecked(),
                                       Option4->isChecked()};
    // A store that cannot be written must not keep the program from ending.
    if (!writeSettings(*settings_, bars, texts, selected))
        qWarning("Lumora: the settings could not be saved to %s", qPrintable(settings_->fileName()));
}

void MainWindow::shutDown()
{
    if (closing_)
        return;
    closing_ = true;
    Timer1->stop();
    engine.searchActive = false;
    endSearchLoop();
    tray_->RemoveTrayIcon();
    saveSettings();
    if (droite_)
        droite_->close();
    if (about_)
        about_->close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::Command2_Click() { close(); }

void MainWindow::Command7_Click()
{
    if (!openHelp())
        showMessage(QStringLiteral("L'aide n'a pas pu être ouverte : %1").arg(QDir::toNativeSeparators(helpFilePath())),
                    QString(), QStringLiteral("HelpMessage"));
}

void MainWindow::Command5_Click()
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

void MainWindow::Command6_Click()
{
    const QUrl address = mapAddress(engine.site.latitude, engine.site.longitude);
    if (!droite_) {
        droite_ = new Droite();
        droite_->setAttribute(Qt::WA_DeleteOnClose);
        connect(droite_, &Droite::returned, this, [this] {
            show();
            raise();
        });
    }
    droite_->show();
    hide();
    QCoreApplication::processEvents(); // the overlay is drawn before the question
    // Owned by the overlay, so it is stacked above it rather than hidden behind.
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("Module Azimut"),
                         QStringLiteral("Utiliser le module transparent au dessus de Goooogle map pour déterminer "
                                        "un azimut. \r\n- Voulez-vous lancer gooogle map maintenant ?"),
                         QMessageBox::Yes | QMessageBox::No, droite_);
    question.setObjectName(QStringLiteral("MapQuestion"));
    if (question.exec() == QMessageBox::Yes)
        QDesktopServices::openUrl(address);
}

} // namespace lumora
