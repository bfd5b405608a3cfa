// The search for the next entry or exit of the Sun, and the year survey that
// writes the sunshine file. The passes run in short time slices between which
// the event loop runs, so the window repaints and a stop acts at once; there is
// only ever one loop.
#include "mainwindow/mainwindow.h"

#include "common/formats.h"
#include "diagrams/dialview.h"
#include "tray/systray.h"

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

const QString kSearchCaption = QStringLiteral("Rechercher");
const QString kRealTimeCaption = QStringLiteral("Temps réel");
const QString kNextEntry = QStringLiteral("Prochaine Entrée");
const QString kNextExit = QStringLiteral("Prochaine Sortie");
const QString kFileMessage = QStringLiteral("fermer le fichier dans excel");
const QString kYearMessage = QStringLiteral("Calcul impossible : vérifiez la date (année entre -32767 et 32767) "
                                            "et les coordonnées du lieu.");


QString instantText(const DayTime &instant)
{
    return formatDateTime(instant.date(), instant.dayFraction());
}
} // namespace

int MainWindow::selectedSurveyOption() const
{
    for (int i = 0; i < 4; ++i)
        if (Option5[i]->isChecked())
            return i;
    return -1;
}

void MainWindow::showMessage(const QString &message, const QString &detail, const QString &name)
{
    // Not modal: the window stays live behind it, and tests find it by name.
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Lumora"), message, QMessageBox::Ok, this);
    box->setObjectName(name);
    box->setInformativeText(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::showFileError(const QString &path, const QString &reason)
{
    showMessage(kFileMessage, QStringLiteral("Impossible d'écrire %1 : %2").arg(QDir::toNativeSeparators(path), reason));
}

bool MainWindow::prepareSurvey()
{
    engine.prepareSurvey();
    setTag(QStringLiteral("load"));
    surveyPath_ = surveyFilePath(QCoreApplication::applicationDirPath());
    surveyFile_ = std::make_unique<SurveyFile>();
    if (!surveyFile_->create(surveyPath_)) {
        const QString reason = surveyFile_->errorString();
        surveyFile_.reset();
        setTag(QStringLiteral("OK"));
        showFileError(surveyPath_, reason);
        return false;
    }
    return true;
}

void MainWindow::Command1_Click()
{
    Label5->clear();
    if (Command1->text() != kRealTimeCaption) {
        if (Check3->isChecked() && selectedSurveyOption() < 0) {
            // Without a step the survey would repeat midnight for ever.
            showMessage(QStringLiteral("Choisissez le pas du fichier d'ensoleillement : "
                                           "1 heure, 30 minutes, 10 minutes ou 1 minute."));
            return;
        }
        // The search starts from the date the boxes show at the time on show
        // (a date typed in manual mode, or before the first tick, counts).
        if (!runOnce()) {
            showMessage(kYearMessage);
            return;
        }
        Timer1->stop();
        setLabel6Colour(QColor(255, 0, 0));
        Command1->setText(kRealTimeCaption);
        if (Check3->isChecked() && !prepareSurvey())
            return;
        engine.startSearch();
        searchFromCommand1_ = true;
        startSearchLoop();
    } else {
        Timer1->start();
        Check2->setChecked(true);
        Command1->setText(kSearchCaption);
        engine.searchActive = false;
        Command8->hide();
        if (!runOnce())
            showMessage(kYearMessage);
    }
}

void MainWindow::Command8_Click()
{
    engine.searchStep = kResumeStep;
    Check2->setChecked(!Check2->isChecked());
    if (engine.searchActive) {
        if (!searchRunning_)
            engine.resumeSearch();
        startSearchLoop();
    } else if (!runOnce()) {
        showMessage(kYearMessage);
    }
}

void MainWindow::updateCommand8Caption()
{
    // The button always offers the event opposite to the one searched.
    if (Check2->isChecked() && Command8->text() == kNextEntry)
        Command8->setText(kNextExit);
    else if (!Check2->isChecked() && Command8->text() == kNextExit)
        Command8->setText(kNextEntry);
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
        if (!engine.searchActive) {
            endSearchLoop();
            return;
        }
        updateCommand8Caption();
        pass = engine.searchPass(Check2->isChecked(), surveyFile_.get(),
                                 selectedSurveyOption());
        passed = true;
        UpdateSunIndicator(pass.evaluation.indicator);
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
        Label5->setText(Check2->isChecked() ? QStringLiteral("Aucune entrée du Soleil en un an")
                                            : QStringLiteral("Aucune sortie du Soleil en un an"));
        Label6->setText(QStringLiteral("Recherche arrêtée"));
        endSearchLoop();
        return;
    case PassOutcome::WriteFailed: {
        const QString path = surveyPath_;
        const QString reason = surveyFile_ ? surveyFile_->errorString() : QString();
        searchFromCommand1_ = false; // the error ends the handler before "Prochaine …" shows
        endSearchLoop();
        showFileError(path, reason);
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
    const QString day = formatShortDate(pass.reportDate);
    Label5->setText(day);
    Label6->setText(day);
    if (Check1->isChecked())
        showEvaluation({pass.evaluation.sun, pass.evaluation.point, {}});
}

void MainWindow::showSearchResult(const SearchPass &pass)
{
    const DayTime instant = reportedInstant(pass);
    Label5->setText(instantText(instant) + QStringLiteral(" (TU)"));
    // The zone's offset at the instant found, so a result across a change of
    // summer time still reads right.
    Label6->setText(instantText(localTime(instant)));
    Label6->show();
    Check1->setChecked(true); // the final state is drawn
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
        setTag(QStringLiteral("OK"));
        // Bars moved during the survey were not drawn: draw the frame they set.
        DrawWindowFrame(FrameBar::None);
        const QString programFile = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Export.csv"));
        if (surveyPath_ != programFile && !closing_)
            showMessage(QStringLiteral("Le fichier d'ensoleillement a été écrit dans :\n%1")
                            .arg(QDir::toNativeSeparators(surveyPath_)),
                        QString(), QStringLiteral("SurveyLocation"));
    }
    if (searchFromCommand1_) {
        searchFromCommand1_ = false;
        Command8->show();
    }
    emit searchFinished();
}

} // namespace lumora
