// The main window "Lumora": every control under its design name, the shared
// state of the evaluations, and the handlers named after control and event.
// The computations live in lumora_core (analysis/, astro/, diagrams/); this
// class reads the controls, calls them, and shows their results.
//
// The code is split by concern:
//   layout.cpp     building the controls (places and sizes in twips)
//   inputs.cpp     the site, the clock, the date boxes, the time bar, real time
//   evaluation.cpp the evaluation run, the frame, the sun-in-window indicator
//   search.cpp     the search for the next entry/exit and the sunshine survey
//   lifecycle.cpp  start-up, settings, help, map, About, shut-down
#pragma once

#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "diagrams/windowframe.h"
#include "tray/systray.h"

#include <QLineF>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSettings;
class QTimer;
class QToolButton;

namespace lumora {

class DialView;
class PanoramaView;
class Droite;
class About;

class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // settingsStore: where the settings are read at start-up and written at
    // shut-down (the per-user store when null). trayBackend: the notification
    // area (the system's when null).
    explicit MainWindow(QSettings *settingsStore = nullptr, std::unique_ptr<TrayBackend> trayBackend = {},
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    // ---- Controls, under their design names -------------------------------
    // Top: the window's aperture on the panorama.
    QScrollBar *HS1 = nullptr, *HS2 = nullptr, *VS1 = nullptr, *VS2 = nullptr;
    PanoramaView *Pic = nullptr;
    std::array<QLabel *, 10> LabH{};
    std::array<QLabel *, 25> LabANG{};
    std::array<QLabel *, 4> LabLig{};
    QLabel *Imsol = nullptr;
    // Bottom left: the dials and the survey options.
    QFrame *Frame8 = nullptr;
    DialView *PicHE = nullptr, *PicAZ = nullptr;
    QLabel *Label36 = nullptr, *Label35 = nullptr;
    QCheckBox *Check3 = nullptr;
    std::array<QRadioButton *, 4> Option5{};
    // Middle: clock and search.
    QLabel *solon = nullptr, *solofF = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *Command3 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QCheckBox *Check1 = nullptr, *Check2 = nullptr;
    QPushButton *Command8 = nullptr, *Command1 = nullptr;
    QLineEdit *Text11 = nullptr;
    // Right: inputs.
    QScrollBar *VSHeure = nullptr;
    std::array<QComboBox *, 3> Combo1{};
    QLabel *Label5 = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr;
    QFrame *Frame1 = nullptr, *Frame2 = nullptr;
    QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr, *Option4 = nullptr;
    // Bottom row.
    QToolButton *Command6 = nullptr, *Command5 = nullptr, *Command7 = nullptr, *Command4 = nullptr;
    QPushButton *Command2 = nullptr;
    QTimer *Timer1 = nullptr;

    // ---- State ---------------------------------------------------------------
    // The window's state text: "load" while starting and during a survey.
    QString Tag;
    // The time bar's guard: "PB" while the program itself moves it.
    QString VSHeureTag;
    // Local time minus UT, days (32-bit float).
    float DecalH = 0;
    // The shared instant, site, search state and the in-window answer.
    SunshineEngine engine;

    bool searchRunning() const { return searchRunning_; }
    QString surveyPath() const { return surveyPath_; }
    SysTray *tray() const { return tray_.get(); }
    QPointer<Droite> overlay() const { return droite_; }
    QPointer<About> aboutBox() const { return about_; }
    // Graduation tick i under the panorama, window twips (hidden ones too).
    QLineF graduationTick(int i) const { return line2_.at(size_t(i)); }

    // ---- Routines ----------------------------------------------------------
    void ReadSite();
    // The site as the coordinate boxes and the hemisphere choices give it.
    SiteLocation siteFromInputs() const;
    // Puts that site in force, unless it is not made of numbers.
    void takeSite();
    void ReadClock();
    void PosSoleil();
    void DrawWindowFrame(FrameBar which);
    void UpdateSunIndicator(const IndicatorUpdate &update);

    // ---- Handlers --------------------------------------------------------------
    void Timer1_Timer();
    void Option_Click();
    void Combo1_Change(int index);
    void Combo1_Click(int index);
    void Combo1_KeyDown(int index);
    void VSHeure_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Check1_MouseUp();
    void Tray_Activated();

signals:
    // A search or survey has finished its loop (found, over, stopped or failed).
    void searchFinished();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // layout.cpp
    void buildLayout();
    void buildTopPart();
    void buildDiagramsPart();
    void buildMiddlePart();
    void buildInputsPart();
    void buildButtonRow();
    void connectHandlers();
    // lifecycle.cpp
    void startUp();
    void setUpScales();
    void restoreSettings();
    void saveSettings();
    void shutDown();
    // inputs.cpp
    bool dateIsValid() const;
    void checkDate();
    void setComboText(int index, const QString &text);
    void setDateBoxesToToday();
    void setLabel6Colour(const QColor &colour);
    // evaluation.cpp
    bool runOnce();
    void setTag(const QString &tag);
    void showEvaluation(const Evaluation &evaluation);
    void applyFrameBounds();
    // search.cpp
    void startSearchLoop();
    void runSearchSlice();
    void endSearchLoop();
    void showSearchProgress(const SearchPass &pass);
    void showSearchResult(const SearchPass &pass);
    // A message box that does not block the window; SearchMessage by default.
    void showMessage(const QString &message, const QString &detail = QString(),
                     const QString &name = QStringLiteral("SearchMessage"));
    void showFileError(const QString &path, const QString &reason);
    void updateCommand8Caption();
    int selectedSurveyOption() const;
    bool prepareSurvey();

    QSettings *settings_ = nullptr;
    std::unique_ptr<QSettings> ownedSettings_;
    std::unique_ptr<SysTray> tray_;
    QPointer<Droite> droite_;
    QPointer<About> about_;
    std::array<QLineF, 25> line2_{};       // graduation ticks, twips
    std::array<bool, 25> line2Visible_{};
    bool muteDateHandling_ = false;
    bool siteRefused_ = false; // the coordinate boxes hold no usable site
    bool closing_ = false;
    // Search loop.
    bool searchRunning_ = false;
    bool searchFromCommand1_ = false;
    std::unique_ptr<SurveyFile> surveyFile_; // while a survey runs
    QString surveyPath_;
    QTimer *searchTimer_ = nullptr;
};

} // namespace lumora
