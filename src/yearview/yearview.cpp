// The year window: following the main window, computing off its thread,
// reading the picture under the pointer, exporting.
#include "yearview/yearview.h"

#include "analysis/hoursfile.h"
#include "analysis/replacedfile.h"
#include "astro/julianday.h"
#include "common/formats.h"
#include "yearview/yearchart.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

namespace lumora {

namespace {
const QString kSettingsGroup = QStringLiteral("Annee");
const QString kFolderKey = QStringLiteral("Dossier");

bool sameSky(double firstJulianDay0h, const SiteLocation &site, PictureSize panorama, const QTimeZone &zone,
             const YearSky &sky)
{
    return firstJulianDay0h == sky.firstJulianDay0h() && zone == sky.zone() && site.latitude == sky.site().latitude
        && site.longitude == sky.site().longitude && panorama.width == sky.panorama().width
        && panorama.height == sky.panorama().height;
}

// The column of a local date in a year whose first column is firstJulianDay0h's date; -1 outside.
int columnOfLocalDate(const QDate &date, double firstJulianDay0h, int columns)
{
    if (!date.isValid())
        return -1;
    const double column = double(date.toJulianDay()) - (firstJulianDay0h + 0.5);
    return column >= 0 && column < columns ? int(column) : -1;
}
} // namespace

YearView::YearView(QSettings *settings, QWidget *parent) : QWidget(parent, Qt::Window), settings_(settings)
{
    setObjectName(QStringLiteral("YearView"));
    setWindowTitle(tr("Soleil dans la fenêtre — année"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/solon.png")));

    rangeLabel_ = new QLabel;
    rangeLabel_->setObjectName(QStringLiteral("YearRange"));
    QFont bold = rangeLabel_->font();
    bold.setBold(true);
    rangeLabel_->setFont(bold);
    chart_ = new YearChart;
    chart_->setObjectName(QStringLiteral("YearChart"));
    readoutLabel_ = new QLabel(this);
    readoutLabel_->setObjectName(QStringLiteral("YearReadout"));
    readoutLabel_->setWordWrap(true);
    readoutLabel_->setMinimumHeight(2 * readoutLabel_->fontMetrics().height() + 4);
    readoutLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    totalLabel_ = new QLabel;
    totalLabel_->setObjectName(QStringLiteral("YearTotal"));
    pictureButton_ = new QPushButton(tr("Exporter l'image…"), this);
    pictureButton_->setObjectName(QStringLiteral("YearExportPicture"));
    intervalsButton_ = new QPushButton(tr("Exporter les intervalles…"), this);
    intervalsButton_->setObjectName(QStringLiteral("YearExportIntervals"));
    auto *closeButton = new QPushButton(tr("Fermer"), this);
    closeButton->setObjectName(QStringLiteral("YearClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(pictureButton_);
    buttons->addWidget(intervalsButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    // What the PNG export holds: the dates, the picture, the year's total.
    picture_ = new QWidget(this);
    picture_->setObjectName(QStringLiteral("YearPicture"));
    picture_->setAutoFillBackground(true);
    picture_->setPalette(chart_->palette());
    auto *pictureLayout = new QVBoxLayout(picture_);
    pictureLayout->addWidget(rangeLabel_);
    pictureLayout->addWidget(chart_, 1);
    pictureLayout->addWidget(totalLabel_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture_, 1);
    layout->addWidget(readoutLabel_);
    layout->addLayout(buttons);

    connect(chart_->plot(), &YearPlot::hovered, this, &YearView::showHover);
    connect(chart_->plot(), &YearPlot::left, this, &YearView::showIdleReadout);
    connect(chart_->plot(), &YearPlot::clicked, this, &YearView::choose);
    connect(pictureButton_, &QPushButton::clicked, this, &YearView::exportPicture);
    connect(intervalsButton_, &QPushButton::clicked, this, &YearView::exportIntervals);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
    connect(&watcher_, &QFutureWatcher<std::shared_ptr<const YearCalendar>>::finished, this, &YearView::showCalendar);
    pictureButton_->setEnabled(false);
    intervalsButton_->setEnabled(false);
    totalLabel_->setText(tr("Calcul en cours…"));
    showIdleReadout();
}

YearView::~YearView()
{
    // The computation holds nothing of this window; it only has to end.
    watcher_.disconnect(this);
    watcher_.waitForFinished();
}

void YearView::setObservation(const Observation &observation)
{
    observation_ = observation;
    Request wanted{observation.julianDay0h, observation.site, observation.panorama, observation.view(), observation.zone};
    // A date inside the year shown keeps the year: only its mark moves.
    if (requested_ && requested_->site.latitude == wanted.site.latitude
        && requested_->site.longitude == wanted.site.longitude && requested_->panorama.width == wanted.panorama.width
        && requested_->panorama.height == wanted.panorama.height && requested_->zone == wanted.zone) {
        const double offset = wanted.firstJulianDay0h - requested_->firstJulianDay0h;
        if (offset >= 0 && offset < kDefaultYearDays)
            wanted.firstJulianDay0h = requested_->firstJulianDay0h;
    }
    if (!requested_ || wanted.firstJulianDay0h != requested_->firstJulianDay0h
        || wanted.site.latitude != requested_->site.latitude || wanted.site.longitude != requested_->site.longitude
        || wanted.panorama.width != requested_->panorama.width || wanted.panorama.height != requested_->panorama.height
        || !(wanted.view == requested_->view) || !(wanted.zone == requested_->zone))
        request(wanted);
    updateMarks();
}

void YearView::request(const Request &wanted)
{
    requested_ = wanted;
    if (watcher_.isRunning())
        pending_ = wanted; // the latest replaces any other waiting
    else
        start(wanted);
}

void YearView::start(const Request &wanted)
{
    pending_.reset();
    std::shared_ptr<const YearSky> sky = calendar_ ? calendar_->sharedSky() : nullptr;
    if (sky && !sameSky(wanted.firstJulianDay0h, wanted.site, wanted.panorama, wanted.zone, *sky))
        sky.reset();
    watcher_.setFuture(QtConcurrent::run([wanted, sky]() mutable {
        if (!sky)
            sky = std::make_shared<const YearSky>(wanted.firstJulianDay0h, kDefaultYearDays, wanted.site,
                                                  wanted.panorama, 0, wanted.zone);
        return std::make_shared<const YearCalendar>(sky, wanted.view);
    }));
}

void YearView::showCalendar()
{
    calendar_ = watcher_.result();
    if (pending_)
        start(*pending_);
    chart_->setCalendar(calendar_);
    const YearSky &sky = calendar_->sky();
    rangeLabel_->setText(tr("Soleil dans la fenêtre du %1 au %2")
                             .arg(formatShortDate(sky.columnDate(0)),
                                  formatShortDate(sky.columnDate(sky.columns() - 1))));
    totalLabel_->setText(tr("Total sur l'année : %1 h de Soleil dans la fenêtre")
                             .arg(hoursText(calendar_->totalSeconds())));
    pictureButton_->setEnabled(true);
    intervalsButton_->setEnabled(true);
    updateMarks();
    emit calendarShown();
}

void YearView::updateMarks()
{
    if (!calendar_ || !observation_)
        return;
    const YearSky &sky = calendar_->sky();
    const QDateTime shown
        = inZone(utcInstant(observation_->julianDay0h, int(std::floor(observation_->hourUT * 3600))), sky.zone());
    const int column = columnOfLocalDate(shown.date(), sky.firstJulianDay0h(), sky.columns());
    const int today = columnOfLocalDate(inZone(QDateTime::currentDateTimeUtc(), sky.zone()).date(), sky.firstJulianDay0h(), sky.columns());
    // To the minute: in real time the mark moves once a minute, not every second.
    chart_->plot()->setMarks(column, shown.time().hour() * 3600 + shown.time().minute() * 60, today);
}

std::pair<int, int> YearView::utOf(int column, int localSecond) const
{
    const long long ut = calendar_->sky().utSecondsAt(column, localSecond);
    const long long day = ut >= 0 ? ut / kSecondsPerDay : -((-ut + kSecondsPerDay - 1) / kSecondsPerDay);
    return {int(day), int(ut - day * kSecondsPerDay)};
}

QString YearView::readoutAt(int column, int localSecond) const
{
    if (!calendar_)
        return {};
    const YearSky &sky = calendar_->sky();
    const auto [day, second] = utOf(column, localSecond);
    const double julianDay = sky.firstJulianDay0h() + day;
    const SunPosition sun = SolarPosition(julianDay, second / 3600.0, sky.site());
    const bool inside = calendar_->view().inWindow(sun);
    const QDateTime local = inZone(utcInstant(julianDay, second), sky.zone());
    const QLocale locale;
    const auto degrees = [&](double value) { return formatNumber(value, NumberPattern{1, 1}, locale) + u'°'; };
    // The local date is the column's; written from the civil date so that
    // every year reads as the date boxes give it.
    return tr("%1 %2 (heure locale) — azimut %3, élévation %4 — %5\nCe jour : %6 de Soleil dans la fenêtre")
        .arg(formatShortDate(sky.columnDate(column)), local.time().toString(QStringLiteral("HH:mm")),
             degrees(sun.azimuth), degrees(sun.elevation),
             inside ? tr("Soleil dans la fenêtre") : tr("hors de la fenêtre"),
             durationText(calendar_->columnSeconds(column)));
}

void YearView::showHover(int column, int localSecond) { readoutLabel_->setText(readoutAt(column, localSecond)); }

void YearView::showIdleReadout()
{
    readoutLabel_->setText(tr("Survolez le calendrier pour lire un jour et une heure ; "
                              "un clic les affiche dans la fenêtre principale."));
}

void YearView::choose(int column, int localSecond)
{
    if (!calendar_)
        return;
    const auto [day, second] = utOf(column, localSecond);
    const auto date = calendarDate(calendar_->sky().firstJulianDay0h() + day);
    if (date)
        emit instantChosen(*date, second / 60);
}

QString YearView::exportFolder() const
{
    const QString kept = settings_ ? settings_->value(kSettingsGroup + u'/' + kFolderKey).toString() : QString();
    if (!kept.isEmpty() && QDir(kept).exists())
        return kept;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void YearView::rememberFolder(const QString &path)
{
    if (!settings_)
        return;
    settings_->setValue(kSettingsGroup + u'/' + kFolderKey, QFileInfo(path).absolutePath());
    settings_->sync();
}

namespace {
// A save dialog that does not block the windows; `save` runs on acceptance.
template <typename Save>
void openSaveDialog(QWidget *parent, const QString &title, const QString &folder, const QString &fileName,
                    const QString &filter, const QString &suffix, Save save)
{
    auto *dialog = new QFileDialog(parent, title, QDir(folder).filePath(fileName), filter);
    dialog->setObjectName(QStringLiteral("YearExportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(suffix);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, parent, save);
    dialog->open();
}

QString fileStem(const CivilDate &date)
{
    return QStringLiteral("soleil-%1-%2-%3")
        .arg(date.year, 4, 10, QLatin1Char('0'))
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.day, 2, 10, QLatin1Char('0'));
}
} // namespace

void YearView::exportPicture()
{
    if (!calendar_)
        return;
    openSaveDialog(this, tr("Exporter l'image"), exportFolder(),
                   fileStem(calendar_->sky().columnDate(0)) + QStringLiteral(".png"),
                   tr("Images PNG (*.png)"), QStringLiteral("png"), [this](const QString &path) {
                       rememberFolder(path);
                       QByteArray png;
                       QBuffer buffer(&png);
                       if (!buffer.open(QIODevice::WriteOnly) || !picture_->grab().save(&buffer, "PNG")) {
                           showWarning(tr("L'image n'a pas pu être enregistrée dans %1")
                                           .arg(QDir::toNativeSeparators(path)));
                           return;
                       }
                       ReplacedFile file;
                       if (!(file.create(path) && file.write(png) && file.close()))
                           showWriteFailure(file, path);
                   });
}

void YearView::exportIntervals()
{
    if (!calendar_)
        return;
    const std::shared_ptr<const YearCalendar> calendar = calendar_;
    openSaveDialog(this, tr("Exporter les intervalles"), exportFolder(),
                   fileStem(calendar->sky().columnDate(0)) + QStringLiteral(".csv"),
                   tr("Fichiers CSV (*.csv)"), QStringLiteral("csv"), [this, calendar](const QString &path) {
                       rememberFolder(path);
                       ReplacedFile file;
                       if (!(file.create(path) && writeHoursFile(file, calendar->days(), QLocale(), calendar->sky().zone())))
                           showWriteFailure(file, path);
                   });
}

void YearView::showWriteFailure(const ReplacedFile &file, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (file.failure()) {
    case ReplacedFile::Failure::DiskFull:
        return showWarning(tr("Le disque est plein : impossible d'écrire %1").arg(shown));
    case ReplacedFile::Failure::TooLarge:
        return showWarning(tr("Le fichier est trop gros : impossible d'écrire %1").arg(shown));
    default:
        return showWarning(tr("Impossible d'écrire %1 : %2").arg(shown, file.errorString()));
    }
}

void YearView::showWarning(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("YearExportFailure"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace lumora
