// The main window's controls as a test or benchmark reaches them: by the
// object names a user-level tool (or the end-to-end suite) also sees, under
// the same English names the window's code uses. A control that cannot be
// found fails loudly rather than handing back a null pointer.
#pragma once

#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"
#include "mainwindow/mainwindow.h"

#include <QtWidgets>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace lumora::testing {

template <typename T>
T *control(const QWidget &window, const QString &objectName)
{
    T *found = window.findChild<T *>(objectName);
    if (!found) {
        std::fprintf(stderr, "no control named %s\n", qPrintable(objectName));
        std::abort();
    }
    return found;
}

struct WindowControls {
    explicit WindowControls(const QWidget &w)
    {
        auto arrayName = [](const char *name, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); };
        frameLeftBar = control<QScrollBar>(w, QStringLiteral("HS1"));
        frameRightBar = control<QScrollBar>(w, QStringLiteral("HS2"));
        frameTopBar = control<QScrollBar>(w, QStringLiteral("VS1"));
        frameBottomBar = control<QScrollBar>(w, QStringLiteral("VS2"));
        panorama = control<PanoramaView>(w, QStringLiteral("Pic"));
        for (int i = 0; i < 10; ++i)
            elevationScaleLabels[size_t(i)] = control<QLabel>(w, arrayName("LabH", i));
        for (int i = 0; i < 25; ++i)
            azimuthScaleLabels[size_t(i)] = control<QLabel>(w, arrayName("LabANG", i));
        for (int i = 0; i < 4; ++i)
            frameEdgeLabels[size_t(i)] = control<QLabel>(w, arrayName("LabLig", i));
        sunPictureLabel = control<QLabel>(w, QStringLiteral("Imsol"));
        elevationDial = control<DialView>(w, QStringLiteral("PicHE"));
        azimuthDial = control<DialView>(w, QStringLiteral("PicAZ"));
        elevationReadoutLabel = control<QLabel>(w, QStringLiteral("Label36"));
        azimuthReadoutLabel = control<QLabel>(w, QStringLiteral("Label35"));
        surveyCheck = control<QCheckBox>(w, QStringLiteral("Check3"));
        for (int i = 0; i < 4; ++i)
            surveyStepButtons[size_t(i)] = control<QRadioButton>(w, arrayName("Option5", i));
        sunInIcon = control<QLabel>(w, QStringLiteral("solon"));
        sunOutIcon = control<QLabel>(w, QStringLiteral("solofF"));
        localTimeLabel = control<QLabel>(w, QStringLiteral("Label6"));
        nowButton = control<QPushButton>(w, QStringLiteral("Command3"));
        showSearchCheck = control<QCheckBox>(w, QStringLiteral("Check1"));
        entrySearchCheck = control<QCheckBox>(w, QStringLiteral("Check2"));
        continueButton = control<QPushButton>(w, QStringLiteral("Command8"));
        searchButton = control<QPushButton>(w, QStringLiteral("Command1"));
        timeBar = control<QScrollBar>(w, QStringLiteral("VSHeure"));
        for (int i = 0; i < 3; ++i)
            dateBoxes[size_t(i)] = control<QComboBox>(w, arrayName("Combo1", i));
        utTimeLabel = control<QLabel>(w, QStringLiteral("Label5"));
        latitudeDegreesEdit = control<QLineEdit>(w, QStringLiteral("Text1"));
        latitudeMinutesEdit = control<QLineEdit>(w, QStringLiteral("Text2"));
        longitudeDegreesEdit = control<QLineEdit>(w, QStringLiteral("Text3"));
        longitudeMinutesEdit = control<QLineEdit>(w, QStringLiteral("Text4"));
        northButton = control<QRadioButton>(w, QStringLiteral("Option1"));
        southButton = control<QRadioButton>(w, QStringLiteral("Option2"));
        westButton = control<QRadioButton>(w, QStringLiteral("Option3"));
        eastButton = control<QRadioButton>(w, QStringLiteral("Option4"));
        mapButton = control<QToolButton>(w, QStringLiteral("Command6"));
        aboutButton = control<QToolButton>(w, QStringLiteral("Command5"));
        helpButton = control<QToolButton>(w, QStringLiteral("Command7"));
        hideButton = control<QToolButton>(w, QStringLiteral("Command4"));
        quitButton = control<QPushButton>(w, QStringLiteral("Command2"));
    }

    QScrollBar *frameLeftBar, *frameRightBar, *frameTopBar, *frameBottomBar;
    PanoramaView *panorama;
    std::array<QLabel *, 10> elevationScaleLabels;
    std::array<QLabel *, 25> azimuthScaleLabels;
    std::array<QLabel *, 4> frameEdgeLabels;
    QLabel *sunPictureLabel;
    DialView *elevationDial, *azimuthDial;
    QLabel *elevationReadoutLabel, *azimuthReadoutLabel;
    QCheckBox *surveyCheck;
    std::array<QRadioButton *, 4> surveyStepButtons;
    QLabel *sunInIcon, *sunOutIcon, *localTimeLabel;
    QPushButton *nowButton;
    QCheckBox *showSearchCheck, *entrySearchCheck;
    QPushButton *continueButton, *searchButton;
    QScrollBar *timeBar;
    std::array<QComboBox *, 3> dateBoxes;
    QLabel *utTimeLabel;
    QLineEdit *latitudeDegreesEdit, *latitudeMinutesEdit, *longitudeDegreesEdit, *longitudeMinutesEdit;
    QRadioButton *northButton, *southButton, *westButton, *eastButton;
    QToolButton *mapButton, *aboutButton, *helpButton, *hideButton;
    QPushButton *quitButton;
};

inline WindowControls ui(const QWidget &window) { return WindowControls(window); }

// One second of real time now, as the clock's tick would give it.
inline void tick(MainWindow &window) { QMetaObject::invokeMethod(&window, "onClockTick", Qt::DirectConnection); }

} // namespace lumora::testing
