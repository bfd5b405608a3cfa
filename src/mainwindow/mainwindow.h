// The main window "Lumora": the panorama with the window's frame, the Sun's
// dials, the date, time and site inputs, real-time mode and the search. The
// computations live in lumora_core (analysis/, astro/, diagrams/); this class
// reads the controls, calls them, and shows their results.
//
// The code is split by concern:
//   layout.cpp            building the controls, and the table that links each
//                         one to its object name (places and sizes in twips)
//   inputs.cpp            the site, the clock, the date boxes, the time bar, real time
//   windowevaluation.cpp  the evaluation run, the frame, the sun-in-window indicator
//   search.cpp            the search for the next entry/exit and the sunshine survey
//   lifecycle.cpp         start-up, settings, help, map, About, shut-down
//   alertsplace.cpp       the alerts, the notification area's menu, their panorama entries
//   realviewplace.cpp     the measured window and the skyline, the frame bars while it is in force
//   windowsplace.cpp      the kept windows: their menu, putting one on show, the title, the zone
//   photoplace.cpp        the photo as the panorama, the frame and the skyline traced on it
#pragma once

#include "alerts/notifier.h"
#include "analysis/observation.h"
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "diagrams/windowframe.h"
#include "tray/trayicon.h"

#include <QDate>
#include <QLineF>
#include <QPointer>
#include <QTimeZone>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSettings;
class QTimer;
class QToolButton;

namespace lumora {

class AlertActions;
class KeptWindowsMenu;
struct KeptWindow;
class DialView;
class SunAlerts;
class TrayMenu;
class PanoramaView;
class PhotoController;
class RealViewController;
class SunCourseController;
class AzimuthOverlay;
class About;
class YearView;

class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // settingsStore: where the settings are read at start-up and written at
    // shut-down (when null, the per-user file, unless something other than a
    // file stands there: then the first-run values, nothing saved, and a
    // message). trayBackend: the notification area (the system's when null).
    // notifier: how the alerts reach the user (the desktop's notifications,
    // else the tray icon's messages, when null).
    explicit MainWindow(QSettings *settingsStore = nullptr, std::unique_ptr<TrayBackend> trayBackend = {},
                        std::unique_ptr<Notifier> notifier = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // ---- What callers and tests may read -----------------------------------
    // The instant, site and frame in force, the last Sun computed and the
    // last in-window answer.
    const SunshineEngine &engine() const { return engine_; }
    // "load" while starting and during a survey, "OK" otherwise.
    QString stateText() const { return stateText_; }
    // The clock is followed (real-time mode).
    bool realTime() const;
    bool searchRunning() const { return searchRunning_; }
    QString surveyPath() const { return surveyPath_; }
    TrayIcon *tray() const { return tray_.get(); }
    SunAlerts *alerts() const { return alerts_.get(); }
    TrayMenu *trayMenu() const { return trayMenu_; }
    QPointer<AzimuthOverlay> overlay() const { return overlay_; }
    QPointer<About> aboutBox() const { return about_; }
    // Graduation tick i under the panorama, window twips (hidden ones too).
    QLineF graduationTick(int i) const { return graduationTicks_.at(size_t(i)); }
    // The site, frame and instant on show; the date is the one the date boxes
    // hold (in manual mode it is evaluated only at the next run).
    Observation observation() const;

    // Shows the window in front of the others, as activating the tray icon
    // does: out of the tray (the icon goes, unless the alerts keep it) or out
    // of the minimised state.
    void bringToFront();

    // Puts a UT date in the date boxes and a UT minute of day (0 to 1440) on
    // the time bar as a user would, and lets their handlers run: manual mode
    // at that instant.
    void showInstant(const lumora::CivilDate &utDate, int minuteOfDayUT);
    QPointer<YearView> yearView() const { return yearView_; }
    KeptWindowsMenu *keptWindows() const { return keptWindows_; }

public slots:
    // Ends the program as "Quitter" does (the settings saved once, whatever
    // asks first), for the end of the session or a signal to end: nobody is
    // left to read a message, so a failure to save goes to standard error.
    void endSession();
    // The year window, following this one (opened once, then brought forward).
    void openYearView();

signals:
    // A search or survey has finished its loop (found, over, stopped or failed).
    void searchFinished();
    // After each evaluation run, a frame drawn, and a date typed or picked.
    void observationChanged(const lumora::Observation &observation);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // One second of real time: read the site and the clock, evaluate.
    void onClockTick();
    void onHemisphereClicked();
    // Date boxes: text typed or set, an entry picked from the list, a key pressed.
    void onDateEdited(int index);
    void onDatePicked(int index);
    void onDateKeyPressed(int index);
    // The time bar moved by the user: manual mode at that UT minute.
    void onTimeBarChanged();
    // "Rechercher" (search or survey) / "Temps réel" (stop, back to the clock).
    void onSearchClicked();
    void onQuitClicked();
    // Back to real time and today's date.
    void onNowClicked();
    // "Réduire": into the notification area.
    void onHideClicked();
    void onAboutClicked();
    void onMapClicked();
    void onHelpClicked();
    // "Prochaine Entrée/Sortie": the search goes on to the opposite event.
    void onContinueClicked();
    void onShowSearchToggled();
    void onTrayActivated();
    void onAlertsToggled(bool enabled);

private:
    // ---- Controls (their object names are set in layout.cpp) ---------------
    // Top: the window's aperture on the panorama. The bars hold panorama
    // units: left and right edges across, upper and lower edges down.
    QScrollBar *frameLeftBar = nullptr, *frameRightBar = nullptr, *frameTopBar = nullptr, *frameBottomBar = nullptr;
    PanoramaView *panorama = nullptr;
    std::array<QLabel *, 10> elevationScaleLabels{}; // right of the panorama, every 10°
    std::array<QLabel *, 25> azimuthScaleLabels{};   // under the panorama, every 15°
    std::array<QLabel *, 4> frameEdgeLabels{};       // the frame's edges in degrees
    QLabel *sunPictureLabel = nullptr;               // the small sun on the panorama
    SunCourseController *sunCourse = nullptr;        // the Sun's course and the day's times on the panorama
    RealViewController *realView = nullptr;          // the measured window and the skyline on the panorama
    PhotoController *photo = nullptr;                // the user's photo as the panorama
    // Bottom left: the dials and the survey options.
    QFrame *dialsFrame = nullptr;
    DialView *elevationDial = nullptr, *azimuthDial = nullptr;
    QLabel *elevationReadoutLabel = nullptr, *azimuthReadoutLabel = nullptr;
    QCheckBox *surveyCheck = nullptr;                      // "Fichier Ensoleillement."
    std::array<QRadioButton *, 4> surveyStepButtons{};     // 10 min, 30 min, 1 h, 1 min
    // Middle: the in-window answer, local time, search.
    QLabel *sunInIcon = nullptr, *sunOutIcon = nullptr;
    QLabel *localTimeLabel = nullptr;
    QPushButton *nowButton = nullptr;
    QGroupBox *searchGroup = nullptr;
    QCheckBox *showSearchCheck = nullptr;  // "Voir la recherche": show each step
    QCheckBox *entrySearchCheck = nullptr; // hidden: checked = search the next entry
    QPushButton *continueButton = nullptr, *searchButton = nullptr;
    QLineEdit *unusedTextBox = nullptr;    // hidden, kept from the layout
    // Right: inputs.
    QScrollBar *timeBar = nullptr;           // UT minute of the day, 0..1440
    std::array<QComboBox *, 3> dateBoxes{};  // day, month, year (UT date)
    QLabel *utTimeLabel = nullptr;
    QLineEdit *latitudeDegreesEdit = nullptr, *latitudeMinutesEdit = nullptr;
    QLineEdit *longitudeDegreesEdit = nullptr, *longitudeMinutesEdit = nullptr;
    std::array<QLabel *, 4> unitSigns{}; // the large ° and ' after each box
    QFrame *latitudeFrame = nullptr, *longitudeFrame = nullptr;
    QRadioButton *northButton = nullptr, *southButton = nullptr, *westButton = nullptr, *eastButton = nullptr;
    // Bottom row.
    QToolButton *mapButton = nullptr, *aboutButton = nullptr, *helpButton = nullptr, *hideButton = nullptr;
    QPushButton *quitButton = nullptr;
    QTimer *clockTimer = nullptr; // one tick a second in real-time mode

    // ---- State -----------------------------------------------------------------
    QString stateText_;
    // The program itself is moving the time bar: its change is not the user's.
    bool timeBarSetByProgram_ = false;
    // The UT date the clock last put in the date boxes.
    QDate clockDate_;
    // The shared instant, site, search state and the in-window answer.
    SunshineEngine engine_;

    // ---- Routines ----------------------------------------------------------
    void readSite();
    // The site as the coordinate boxes and the hemisphere choices give it.
    SiteLocation siteFromInputs() const;
    // Puts that site in force, unless it is not made of numbers.
    void takeSite();
    void readClock();
    void evaluate();
    void drawWindowFrame(FrameBar which);
    void updateSunIndicator(const IndicatorUpdate &update);

    // layout.cpp
    void buildLayout();
    void buildTopPart();
    void buildDiagramsPart();
    void buildMiddlePart();
    void buildInputsPart();
    void buildButtonRow();
    void nameControls();
    void connectHandlers();
    // alertsplace.cpp
    void placeAlerts(std::unique_ptr<Notifier> notifier);
    // realviewplace.cpp
    void placeRealView();
    // The bars follow what is in force: the measured window's box, or their own values back.
    void followRealView();
    // The bars' own values to keep (top, bottom, left, right), the box's while it is shown aside.
    std::array<int, 4> keptFrameBars() const;
    // windowsplace.cpp
    void placeKeptWindows();
    void showKeptWindowName(const QString &name);
    // What the controls show, as a kept window (no name).
    KeptWindow keptWindowNow() const;
    // Every control set to the window at once, then one observation.
    void applyKeptWindow(const KeptWindow &window);
    // The frame and the evaluation again after a change made with the signals held.
    void showKeptWindowAnew();
    // photoplace.cpp
    void placePhoto();
    // lifecycle.cpp
    void startUp();
    void setUpScales();
    void restoreSettings();
    // Empty when saved, else why not, in the system's words.
    QString saveSettings();
    void shutDown();
    void addHelpKey(QWidget *window);
    // inputs.cpp
    bool dateIsValid() const;
    void checkDate();
    void setComboText(int index, const QString &text);
    // Sets the boxes to a UT date as one change (no date check between them).
    void setDateBoxes(const QDate &utDate);
    // The UT date the boxes give; invalid when they give none.
    // The local time of day of the instant on show (date boxes, dayFractionUT).
    QString localTimeOfDayText() const;
    void setLocalTimeColour(const QColor &colour);
    // windowevaluation.cpp
    bool runOnce();
    void setStateText(const QString &tag);
    void showEvaluation(const Evaluation &evaluation);
    void applyFrameBounds();
    void announceObservation();
    // search.cpp
    void startSearchLoop();
    void runSearchSlice();
    void endSearchLoop();
    void showSearchProgress(const SearchPass &pass);
    void showSearchResult(const SearchPass &pass);
    // A message box that blocks no window; SearchMessage by default.
    QMessageBox *showMessage(const QString &message, const QString &detail = QString(),
                     const QString &name = QStringLiteral("SearchMessage"));
    void showFileError(const QString &path, const QString &reason, SurveyFile::Failure failure);
    void updateContinueCaption();
    int selectedSurveyOption() const;
    bool prepareSurvey();

    QSettings *settings_ = nullptr;
    std::unique_ptr<QSettings> ownedSettings_;
    QString unusableSettingsPath_; // the per-user file, when it could not be opened
    QString settingsReadProblem_;  // why not
    QString settingsSaveProblem_;  // why the settings could not be saved at shut-down
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<SunAlerts> alerts_;
    AlertActions *alertActions_ = nullptr;
    TrayMenu *trayMenu_ = nullptr;
    QPointer<AzimuthOverlay> overlay_;
    QPointer<About> about_;
    QPointer<YearView> yearView_;
    KeptWindowsMenu *keptWindows_ = nullptr;
    bool holdObservation_ = false; // a kept window is being put on show: one observation at the end
    std::array<QLineF, 25> graduationTicks_{};       // graduation ticks, twips
    std::array<bool, 25> graduationTickVisible_{};
    // The bars' own values (left, right, top, bottom) while the measured window's box replaces them.
    std::optional<std::array<int, 4>> ownFrameBars_;
    bool muteDateHandling_ = false;
    // The site's time zone for the local read-outs (invalid: the computer's).
    QTimeZone siteZone_;
    bool siteRefused_ = false; // the coordinate boxes hold no usable site
    bool closing_ = false;
    // Search loop.
    bool searchRunning_ = false;
    bool searchStartedByButton_ = false;
    std::unique_ptr<SurveyFile> surveyFile_; // while a survey runs
    QString surveyPath_;
    QTimer *searchTimer_ = nullptr;
};

} // namespace lumora
