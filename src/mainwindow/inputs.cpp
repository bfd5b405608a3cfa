// The site, the clock, the date boxes, the time bar and real-time mode: the
// inputs of the main window and the triggers that end in an evaluation run.
#include "mainwindow/mainwindow.h"

#include "astro/clock.h"
#include "astro/julianday.h"
#include "common/formats.h"
#include "common/numbers.h"
#include "tray/systray.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace lumora {

namespace {
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
} // namespace

SiteLocation MainWindow::siteFromInputs() const
{
    double latitude = leadingNumber(Text1->text()) + leadingNumber(Text2->text()) / 60;
    double longitude = leadingNumber(Text3->text()) + leadingNumber(Text4->text()) / 60;
    // Minutes are added before the hemisphere's sign, and not range-checked.
    if (Option4->isChecked())
        longitude = -longitude;
    if (Option2->isChecked())
        latitude = -latitude;
    return {latitude, longitude};
}

void MainWindow::takeSite()
{
    // Coordinates too large to be numbers are refused: the engine keeps the
    // last usable site and no run is made until the boxes are corrected.
    const SiteLocation site = siteFromInputs();
    siteRefused_ = !std::isfinite(site.latitude) || !std::isfinite(site.longitude);
    if (!siteRefused_)
        engine.site = site;
}

void MainWindow::ReadSite()
{
    takeSite();
    ReadClock();
}

void MainWindow::setLabel6Colour(const QColor &colour)
{
    // Black while the clock is followed, red once the instant shown is not now.
    QPalette palette = Label6->palette();
    palette.setColor(QPalette::WindowText, colour);
    Label6->setPalette(palette);
}

void MainWindow::ReadClock()
{
    const QDateTime now = currentUtc();
    engine.dayFractionUT = UtcHoursNow(now) / 24.0;
    DecalH = localOffsetDays(now);

    if (Timer1->isActive()) {
        Label5->setText(formatTimeOfDay(engine.dayFractionUT, true) + QStringLiteral(" (TU)"));
        Label6->setText(formatTimeOfDay(engine.dayFractionUT + DecalH, true));
    } else {
        Label5->setText(QStringLiteral("---"));
        Label6->setText(QStringLiteral("---"));
    }

    VSHeureTag = QStringLiteral("PB");
    VSHeure->setValue(int(roundHalfEven(engine.dayFractionUT * 1440)));
    VSHeureTag.clear();

    PosSoleil();
}

void MainWindow::Timer1_Timer()
{
    setLabel6Colour(kBlack);
    ReadSite();
}

void MainWindow::Option_Click() { ReadSite(); }

bool MainWindow::dateIsValid() const
{
    // The three numbers as the boxes give them must form a date the program
    // accepts, read day first (the same test as lumora-cli's).
    return isCalendarDate(leadingNumber(Combo1[0]->currentText()), leadingNumber(Combo1[1]->currentText()),
                          leadingNumber(Combo1[2]->currentText()));
}

void MainWindow::setComboText(int index, const QString &text)
{
    // Keep the list's current entry with the text, so the arrow keys and the
    // list start from it.
    QComboBox *combo = Combo1[index];
    const int entry = combo->findText(text);
    if (entry >= 0 && entry != combo->currentIndex())
        combo->setCurrentIndex(entry);
    combo->setEditText(text);
}

void MainWindow::checkDate()
{
    // An impossible date puts day 1 of the month shown; setting the text runs
    // the text-change handling once more with it. The handling goes on after
    // the reset, as it would have without it.
    if (!dateIsValid())
        setComboText(0, QStringLiteral("1"));
    if (Timer1->isActive())
        ReadSite();
}

void MainWindow::Combo1_Change(int /*index*/)
{
    if (Tag == u"load" || muteDateHandling_)
        return;
    checkDate();
}

void MainWindow::Combo1_Click(int /*index*/)
{
    if (muteDateHandling_)
        return;
    checkDate();
}

void MainWindow::Combo1_KeyDown(int /*index*/)
{
    if (muteDateHandling_)
        return;
    checkDate();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // A key in a date box is checked on the texts as they stand before it.
        for (int i = 0; i < 3; ++i) {
            if (watched == Combo1[i]->lineEdit()) {
                Combo1_KeyDown(i);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::VSHeure_Change()
{
    if (Tag == u"load" || VSHeureTag == u"PB")
        return;
    Timer1->stop();
    Command1->setText(QStringLiteral("Rechercher"));
    engine.searchActive = false;
    engine.dayFractionUT = VSHeure->value() / 1440.0;
    Label5->setText(formatTimeOfDay(engine.dayFractionUT, true) + QStringLiteral(" (TU)"));
    Label6->setText(formatTimeOfDay(engine.dayFractionUT + DecalH, true));
    Command8->hide();
    setLabel6Colour(kRed);
    PosSoleil();
}

void MainWindow::setDateBoxesToToday()
{
    const QDate today = currentUtc().toLocalTime().date();
    // One change: no date check between the boxes.
    muteDateHandling_ = true;
    setComboText(0, QString::number(today.day()));
    setComboText(1, QString::number(today.month()));
    setComboText(2, QString::number(today.year()));
    muteDateHandling_ = false;
}

void MainWindow::Command3_Click()
{
    Command1->setText(QStringLiteral("Rechercher"));
    setDateBoxesToToday();
    Command8->hide();
    engine.searchActive = false;
    Timer1->start();
    ReadSite();
}

void MainWindow::Command4_Click()
{
    Command3_Click();
    // Without a notification area nothing could bring a hidden window back:
    // minimise it instead.
    if (tray_ && tray_->isAvailable())
        hide();
    else
        showMinimized();
}

void MainWindow::Tray_Activated()
{
    if (!isHidden())
        return;
    show();
    raise();
    activateWindow();
    tray_->RemoveTrayIcon();
}

} // namespace lumora
