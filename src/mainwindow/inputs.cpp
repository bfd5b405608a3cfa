// The site, the clock, the date boxes, the time bar and real-time mode: the
// inputs of the main window and the triggers that end in an evaluation run.
#include "mainwindow/mainwindow.h"

#include "astro/clock.h"
#include "astro/julianday.h"
#include "common/formats.h"
#include "common/numbers.h"
#include "alerts/sunalerts.h"
#include "tray/trayicon.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
} // namespace

SiteLocation MainWindow::siteFromInputs() const
{
    double latitude = leadingNumber(latitudeDegreesEdit->text()) + leadingNumber(latitudeMinutesEdit->text()) / 60;
    double longitude = leadingNumber(longitudeDegreesEdit->text()) + leadingNumber(longitudeMinutesEdit->text()) / 60;
    // Minutes are added before the hemisphere's sign, and not range-checked.
    if (eastButton->isChecked())
        longitude = -longitude;
    if (southButton->isChecked())
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
        engine_.site = site;
}

void MainWindow::readSite()
{
    takeSite();
    readClock();
}

void MainWindow::setLocalTimeColour(const QColor &colour)
{
    // Black while the clock is followed, red once the instant shown is not now.
    QPalette palette = localTimeLabel->palette();
    palette.setColor(QPalette::WindowText, colour);
    localTimeLabel->setPalette(palette);
}

QString MainWindow::localTimeOfDayText() const
{
    // The zone's offset in force at the instant on show, not today's: a
    // summer date chosen in winter reads summer time, and an old date its
    // zone's mean time, as the search result does. The date is read as the
    // evaluation reads the boxes; one that cannot be read takes the offset
    // of now.
    SunshineEngine reader;
    const bool readable = reader.setDate(leadingNumber(dateBoxes[0]->currentText()),
                                         leadingNumber(dateBoxes[1]->currentText()),
                                         leadingNumber(dateBoxes[2]->currentText()));
    const int second = std::clamp(int(std::floor(engine_.dayFractionUT * 86400)), 0, 86399);
    const double offsetDays = readable ? localOffsetSeconds(reader.evalJulianDay, second, siteZone_) / 86400.0
                                       : double(localOffsetDays(currentUtc(), siteZone_));
    return formatTimeOfDay(engine_.dayFractionUT + offsetDays, true);
}

void MainWindow::readClock()
{
    const QDateTime now = currentUtc();
    engine_.dayFractionUT = UtcHoursNow(now) / 24.0;

    if (clockTimer->isActive()) {
        // Real time evaluates the clock's own UT instant: when the UT date
        // has moved on since the clock last set the boxes (midnight UT, or a
        // program left in the notification area overnight), they follow it.
        if (now.date() != clockDate_)
            setDateBoxes(now.date());
        utTimeLabel->setText(tr("%1 (TU)").arg(formatTimeOfDay(engine_.dayFractionUT, true)));
        localTimeLabel->setText(localTimeOfDayText());
    } else {
        utTimeLabel->setText(QStringLiteral("---"));
        localTimeLabel->setText(QStringLiteral("---"));
    }

    timeBarSetByProgram_ = true;
    timeBar->setValue(int(roundHalfEven(engine_.dayFractionUT * 1440)));
    timeBarSetByProgram_ = false;

    evaluate();
}

bool MainWindow::realTime() const { return clockTimer->isActive(); }

void MainWindow::onClockTick()
{
    setLocalTimeColour(kBlack);
    readSite();
}

void MainWindow::onHemisphereClicked() { readSite(); }

bool MainWindow::dateIsValid() const
{
    // The three numbers as the boxes give them must form a date the program
    // accepts, read day first (the same test as lumora-cli's).
    return isCalendarDate(leadingNumber(dateBoxes[0]->currentText()), leadingNumber(dateBoxes[1]->currentText()),
                          leadingNumber(dateBoxes[2]->currentText()));
}

void MainWindow::setComboText(int index, const QString &text)
{
    // Keep the list's current entry with the text, so the arrow keys and the
    // list start from it.
    QComboBox *combo = dateBoxes[index];
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
    if (clockTimer->isActive())
        readSite();
    else
        announceObservation();
}

void MainWindow::onDateEdited(int /*index*/)
{
    if (stateText_ == u"load" || muteDateHandling_)
        return;
    checkDate();
}

void MainWindow::onDatePicked(int /*index*/)
{
    if (muteDateHandling_)
        return;
    checkDate();
}

void MainWindow::onDateKeyPressed(int /*index*/)
{
    if (muteDateHandling_)
        return;
    checkDate();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // A key in a date box is checked on the texts as they stand before it.
        // Typed keys reach the box itself, which hands them on to its text
        // without passing the text's filters; keys sent to the text directly
        // are caught there. Either way a key is seen once.
        for (int i = 0; i < 3; ++i) {
            if (watched == dateBoxes[i] || watched == dateBoxes[i]->lineEdit()) {
                onDateKeyPressed(i);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::onTimeBarChanged()
{
    if (stateText_ == u"load" || timeBarSetByProgram_)
        return;
    clockTimer->stop();
    searchButton->setText(tr("Rechercher"));
    engine_.searchActive = false;
    engine_.dayFractionUT = timeBar->value() / 1440.0;
    utTimeLabel->setText(tr("%1 (TU)").arg(formatTimeOfDay(engine_.dayFractionUT, true)));
    localTimeLabel->setText(localTimeOfDayText());
    continueButton->hide();
    setLocalTimeColour(kRed);
    evaluate();
}

void MainWindow::showInstant(const CivilDate &utDate, int minuteOfDayUT)
{
    // The three boxes as one change, as "Maintenant" sets them; then the
    // bar's own handling leaves real time and evaluates the new date.
    muteDateHandling_ = true;
    setComboText(0, QString::number(utDate.day));
    setComboText(1, QString::number(utDate.month));
    setComboText(2, QString::number(utDate.year));
    muteDateHandling_ = false;
    const int minute = std::clamp(minuteOfDayUT, 0, 1440);
    if (timeBar->value() == minute)
        onTimeBarChanged();
    else
        timeBar->setValue(minute);
}

void MainWindow::setDateBoxes(const QDate &utDate)
{
    // One change: no date check between the boxes.
    muteDateHandling_ = true;
    setComboText(0, QString::number(utDate.day()));
    setComboText(1, QString::number(utDate.month()));
    setComboText(2, QString::number(utDate.year()));
    muteDateHandling_ = false;
    clockDate_ = utDate;
}

void MainWindow::onNowClicked()
{
    searchButton->setText(tr("Rechercher"));
    // The boxes hold the UT date, as the time bar holds the UT time.
    setDateBoxes(currentUtc().date());
    continueButton->hide();
    engine_.searchActive = false;
    clockTimer->start();
    readSite();
}

void MainWindow::onHideClicked()
{
    onNowClicked();
    // Without a notification area nothing could bring a hidden window back:
    // minimise it instead.
    if (tray_ && tray_->isAvailable())
        hide();
    else
        showMinimized();
}

void MainWindow::showEvent(QShowEvent *event)
{
    // Whatever brings the window back (the icon, "Retour" of the overlay or
    // of the About box), the icon has done its work; unless the alerts keep
    // it, as their menu is there.
    if (!alerts_->enabled())
        tray_->removeIcon();
    QWidget::showEvent(event);
}

void MainWindow::onTrayActivated()
{
    // With the alerts on the icon stays beside a shown window: a click then
    // brings that window in front of the others.
    if (!isHidden() && !alerts_->enabled())
        return;
    bringToFront();
}

void MainWindow::bringToFront()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (!alerts_->enabled())
        tray_->removeIcon();
}

} // namespace lumora
