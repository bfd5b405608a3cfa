// The search for the next entry or exit of the Sun, and the year survey that
// writes the sunshine file. The passes run in short time slices between which
// the event loop runs, so the window repaints and a stop acts at once; there is
// only ever one loop.
#include "mainwindow/mainwindow.h"

#include "common/formats.h"
#include "diagrams/dialview.h"
#include "analysis/surveyfailure.h"
#include "tray/trayicon.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace lumora {

namespace {
// How long one slice of passes may hold the event loop.
constexpr qint64 kSliceMilliseconds = 15;

// Captions and messages in the interface language (the buttons' captions are
// also the search's state: they are compared with these).
QString searchCaption() { return MainWindow::tr("Rechercher"); }
QString realTimeCaption() { return MainWindow::tr("Temps réel"); }
QString nextEntryCaption() { return MainWindow::tr("Prochaine Entrée"); }
QString nextExitCaption() { return MainWindow::tr("Prochaine Sortie"); }
QString yearMessage()
{
    return MainWindow::tr("Calcul impossible : vérifiez la date (année entre -32767 et 32767) "
                          "et les coordonnées du lieu.");
}


QString instantText(const DayTime &instant)
{
    return formatDateTime(instant.date(), instant.dayFraction());
}
} // namespace

int MainWindow::selectedSurveyOption() const
{
    for (int i = 0; i < 4; ++i)
        if (surveyStepButtons[i]->isChecked())
            return i;
    return -1;
}

QMessageBox *MainWindow::showMessage(const QString &message, const QString &detail, const QString &name)
{
    // Not modal, not even for its window: the window stays live behind it
    // ("Quitter" included), and tests find it by name.
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Lumora"), message, QMessageBox::Ok, this);
    box->setObjectName(name);
    box->setInformativeText(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    return box;
}

void MainWindow::showFileError(const QString &path, const QString &reason, SurveyFile::Failure failure)
{
    const SurveyFailureMessage message = surveyFailureMessage(failure, path, reason);
    showMessage(message.text, message.detail);
}

bool MainWindow::prepareSurvey()
{
    engine_.prepareSurvey();
    setStateText(QStringLiteral("load"));
    surveyPath_ = surveyFilePath(QCoreApplication::applicationDirPath());
    surveyFile_ = std::make_unique<SurveyFile>();
    if (!surveyFile_->create(surveyPath_)) {
        const QString reason = surveyFile_->errorString();
        const SurveyFile::Failure failure = surveyFile_->failure();
        surveyFile_.reset();
        setStateText(QStringLiteral("OK"));
        showFileError(surveyPath_, reason, failure);
        return false;
    }
    return true;
}

void MainWindow::onSearchClicked()
{
    utTimeLabel->clear();
    if (searchButton->text() != realTimeCaption()) {
        if (surveyCheck->isChecked() && selectedSurveyOption() < 0) {
            // Without a step the survey would repeat midnight for ever.
            showMessage(tr("Choisissez le pas du fichier d'ensoleillement : "
                           "1 heure, 30 minutes, 10 minutes ou 1 minute."));
            return;
        }
        // The search starts from the date the boxes show at the time on show
        // (a date typed in manual mode, or before the first tick, counts).
        if (!runOnce()) {
            showMessage(yearMessage());
            return;
        }
        clockTimer->stop();
        setLocalTimeColour(QColor(255, 0, 0));
        searchButton->setText(realTimeCaption());
        if (surveyCheck->isChecked() && !prepareSurvey())
            return;
        engine_.startSearch();
        searchStartedByButton_ = true;
        startSearchLoop();
    } else {
        clockTimer->start();
        entrySearchCheck->setChecked(true);
        searchButton->setText(searchCaption());
        engine_.searchActive = false;
        continueButton->hide();
        if (!runOnce())
            showMessage(yearMessage());
    }
}

void MainWindow::onContinueClicked()
{
    engine_.searchStep = kResumeStep;
    entrySearchCheck->setChecked(!entrySearchCheck->isChecked());
    if (engine_.searchActive) {
        if (!searchRunning_)
            engine_.resumeSearch();
        startSearchLoop();
    } else if (!runOnce()) {
        showMessage(yearMessage());
    }
}

void MainWindow::updateContinueCaption()
{
    // The button always offers the event opposite to the one searched.
    if (entrySearchCheck->isChecked() && continueButton->text() == nextEntryCaption())
        continueButton->setText(nextExitCaption());
    else if (!entrySearchCheck->isChecked() && continueButton->text() == nextExitCaption())
        continueButton->setText(nextEntryCaption());
}

void MainWindow::startSearchLoop()
{
    if (searchRunning_)
        return;
    searchRunning_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    searchTimer_->start(0);
}

void MainWindow::runSearchSlice()
{
    QElapsedTimer slice;
    slice.start();
    SearchPass pass;
    bool passed = false;
    for (;;) {
        if (!engine_.searchActive) {
            endSearchLoop();
            return;
        }
        updateContinueCaption();
        pass = engine_.searchPass(entrySearchCheck->isChecked(), surveyFile_.get(),
                                 selectedSurveyOption());
        passed = true;
        updateSunIndicator(pass.evaluation.indicator);
        if (pass.outcome != PassOutcome::Progress)
            break;
        if (slice.elapsed() >= kSliceMilliseconds)
            break;
    }
    if (!passed)
        return;

    switch (pass.outcome) {
    case PassOutcome::Found:
        showSearchResult(pass);
        endSearchLoop();
        return;
    case PassOutcome::SurveyOver:
        showSearchProgress(pass);
        endSearchLoop();
        return;
    case PassOutcome::GaveUp:
        utTimeLabel->setText(entrySearchCheck->isChecked() ? tr("Aucune entrée du Soleil en un an")
                                            : tr("Aucune sortie du Soleil en un an"));
        localTimeLabel->setText(tr("Recherche arrêtée"));
        endSearchLoop();
        return;
    case PassOutcome::WriteFailed: {
        const QString path = surveyPath_;
        const QString reason = surveyFile_ ? surveyFile_->errorString() : QString();
        const SurveyFile::Failure failure = surveyFile_ ? surveyFile_->failure() : SurveyFile::Failure::Refused;
        searchStartedByButton_ = false; // the error ends the handler before "Prochaine …" shows
        endSearchLoop();
        showFileError(path, reason, failure);
        return;
    }
    case PassOutcome::Progress:
        showSearchProgress(pass);
        searchTimer_->start(0); // the next slice, once pending events have run
        return;
    }
}

void MainWindow::showSearchProgress(const SearchPass &pass)
{
    utTimeLabel->setText(formatShortDate(pass.reportDate));
    // The local day of the pass's instant, by the zone's offset then, as the
    // result will read it.
    localTimeLabel->setText(formatShortDate(localTime(reportedInstant(pass), siteZone_).date()));
    if (showSearchCheck->isChecked())
        showEvaluation({pass.evaluation.sun, pass.evaluation.point, {}});
}

void MainWindow::showSearchResult(const SearchPass &pass)
{
    const DayTime instant = reportedInstant(pass);
    utTimeLabel->setText(tr("%1 (TU)").arg(instantText(instant)));
    // The zone's offset at the instant found, so a result across a change of
    // summer time still reads right.
    localTimeLabel->setText(instantText(localTime(instant, siteZone_)));
    localTimeLabel->show();
    showSearchCheck->setChecked(true); // the final state is drawn
    showEvaluation({pass.evaluation.sun, pass.evaluation.point, {}});
}

void MainWindow::endSearchLoop()
{
    searchTimer_->stop();
    if (searchRunning_) {
        searchRunning_ = false;
        QApplication::restoreOverrideCursor();
    }
    if (surveyFile_) {
        surveyFile_->close();
        surveyFile_.reset();
        setStateText(QStringLiteral("OK"));
        // Bars moved during the survey were not drawn: draw the frame they set.
        drawWindowFrame(FrameBar::None);
        const QString programFile = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Export.csv"));
        if (surveyPath_ != programFile && !closing_)
            showMessage(tr("Le fichier d'ensoleillement a été écrit dans :\n%1")
                            .arg(QDir::toNativeSeparators(surveyPath_)),
                        QString(), QStringLiteral("SurveyLocation"));
    }
    if (searchStartedByButton_) {
        searchStartedByButton_ = false;
        continueButton->show();
    }
    emit searchFinished();
}

} // namespace lumora
