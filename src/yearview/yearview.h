// The window "Soleil dans la fenêtre — année": the year's calendar picture
// with its month and year totals, a read-out of the instant under the
// pointer, and the exports (the picture as PNG, the hours file). It follows
// the main window: give it each Observation; a click on the picture asks for
// that instant through instantChosen.
//
// The year. It starts at the date on show when the window first sees it and
// again whenever the date on show leaves the year shown or the site or the
// panorama changes; a date on show inside the year is marked on it. The year
// is computed off the window's thread: a new year or site computes the Sun of
// every day again, a new frame only the frame test (yearcalendar.h). Only the
// latest request waits while one is computed.
#pragma once

#include "analysis/observation.h"
#include "analysis/yearcalendar.h"
#include "common/civildate.h"

#include <QFutureWatcher>
#include <QWidget>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QSettings;

namespace lumora {

class ReplacedFile;
class YearChart;

class YearView : public QWidget
{
    Q_OBJECT

public:
    // settings: where the export folder is kept (group "Annee"); may be null.
    explicit YearView(QSettings *settings = nullptr, QWidget *parent = nullptr);
    ~YearView() override;

    // The calendar on show; null until the first one is computed.
    std::shared_ptr<const YearCalendar> calendar() const { return calendar_; }
    // A computation is running or waiting.
    bool busy() const { return watcher_.isRunning() || pending_.has_value(); }
    YearChart *chart() const { return chart_; }
    // The read-out of a point of the picture, as hovering it shows.
    QString readoutAt(int column, int localSecond) const;

    // The folder the export dialogs open in: the last one used, else the
    // user's documents.
    QString exportFolder() const;

public slots:
    void setObservation(const lumora::Observation &observation);
    // The export dialogs (non-blocking; the file is written on acceptance).
    // A file that cannot be written leaves the previous one whole and opens a
    // non-blocking message ("YearExportFailure") saying why.
    void exportPicture();
    void exportIntervals();

signals:
    // A click on the picture: the UT date and UT minute of day (0 to 1439).
    void instantChosen(const lumora::CivilDate &utDate, int minuteOfDayUT);
    // A new calendar is on show.
    void calendarShown();

private:
    struct Request {
        double firstJulianDay0h = 0;
        SiteLocation site;
        PictureSize panorama;
        WindowView view;
        QTimeZone zone; // the site's, for the local days and hours
    };
    void request(const Request &wanted);
    void start(const Request &wanted);
    void showCalendar();
    void updateMarks();
    void showHover(int column, int localSecond);
    void showIdleReadout();
    void choose(int column, int localSecond);
    void rememberFolder(const QString &path);
    void showWriteFailure(const ReplacedFile &file, const QString &path);
    void showWarning(const QString &text);
    // Where a local column and second lie in UT: day index from the first day, second of that day.
    std::pair<int, int> utOf(int column, int localSecond) const;

    QSettings *settings_ = nullptr;
    QWidget *picture_ = nullptr;
    YearChart *chart_ = nullptr;
    QLabel *rangeLabel_ = nullptr;
    QLabel *readoutLabel_ = nullptr;
    QLabel *totalLabel_ = nullptr;
    QPushButton *pictureButton_ = nullptr;
    QPushButton *intervalsButton_ = nullptr;

    std::optional<Observation> observation_;
    std::optional<Request> requested_; // what will be on show once all is computed
    std::optional<Request> pending_;
    QFutureWatcher<std::shared_ptr<const YearCalendar>> watcher_;
    std::shared_ptr<const YearCalendar> calendar_;
};

} // namespace lumora
