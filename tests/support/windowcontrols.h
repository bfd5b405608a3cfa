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

// The controls of an array of the layout, NAME(0) to NAME(N - 1).
template <typename T, std::size_t N>
std::array<T *, N> controls(const QWidget &window, const char *name)
{
    std::array<T *, N> found;
    for (std::size_t i = 0; i < N; ++i)
        found[i] = control<T>(window, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    return found;
}

struct WindowControls {
    explicit WindowControls(const QWidget &shown) : window(shown) {}
    const QWidget &window;
    QScrollBar *frameLeftBar = control<QScrollBar>(window, "HS1");
    QScrollBar *frameRightBar = control<QScrollBar>(window, "HS2");
    QScrollBar *frameTopBar = control<QScrollBar>(window, "VS1");
    QScrollBar *frameBottomBar = control<QScrollBar>(window, "VS2");
    PanoramaView *panorama = control<PanoramaView>(window, "Pic");
    std::array<QLabel *, 10> elevationScaleLabels = controls<QLabel, 10>(window, "LabH");
    std::array<QLabel *, 25> azimuthScaleLabels = controls<QLabel, 25>(window, "LabANG");
    std::array<QLabel *, 4> frameEdgeLabels = controls<QLabel, 4>(window, "LabLig");
    QLabel *sunPictureLabel = control<QLabel>(window, "Imsol");
    DialView *elevationDial = control<DialView>(window, "PicHE");
    DialView *azimuthDial = control<DialView>(window, "PicAZ");
    QLabel *elevationReadoutLabel = control<QLabel>(window, "Label36");
    QLabel *azimuthReadoutLabel = control<QLabel>(window, "Label35");
    QCheckBox *surveyCheck = control<QCheckBox>(window, "Check3");
    std::array<QRadioButton *, 4> surveyStepButtons = controls<QRadioButton, 4>(window, "Option5");
    QLabel *sunInIcon = control<QLabel>(window, "solon");
    QLabel *sunOutIcon = control<QLabel>(window, "solofF");
    QLabel *localTimeLabel = control<QLabel>(window, "Label6");
    QPushButton *nowButton = control<QPushButton>(window, "Command3");
    QCheckBox *showSearchCheck = control<QCheckBox>(window, "Check1");
    QCheckBox *entrySearchCheck = control<QCheckBox>(window, "Check2");
    QPushButton *continueButton = control<QPushButton>(window, "Command8");
    QPushButton *searchButton = control<QPushButton>(window, "Command1");
    QScrollBar *timeBar = control<QScrollBar>(window, "VSHeure");
    std::array<QComboBox *, 3> dateBoxes = controls<QComboBox, 3>(window, "Combo1");
    QLabel *utTimeLabel = control<QLabel>(window, "Label5");
    QLineEdit *latitudeDegreesEdit = control<QLineEdit>(window, "Text1");
    QLineEdit *latitudeMinutesEdit = control<QLineEdit>(window, "Text2");
    QLineEdit *longitudeDegreesEdit = control<QLineEdit>(window, "Text3");
    QLineEdit *longitudeMinutesEdit = control<QLineEdit>(window, "Text4");
    QRadioButton *northButton = control<QRadioButton>(window, "Option1");
    QRadioButton *southButton = control<QRadioButton>(window, "Option2");
    QRadioButton *westButton = control<QRadioButton>(window, "Option3");
    QRadioButton *eastButton = control<QRadioButton>(window, "Option4");
    QToolButton *mapButton = control<QToolButton>(window, "Command6");
    QToolButton *aboutButton = control<QToolButton>(window, "Command5");
    QToolButton *helpButton = control<QToolButton>(window, "Command7");
    QToolButton *hideButton = control<QToolButton>(window, "Command4");
    QPushButton *quitButton = control<QPushButton>(window, "Command2");
};

inline WindowControls ui(const QWidget &window) { return WindowControls(window); }

// One second of real time now, as the clock's tick would give it.
inline void tick(MainWindow &window) { QMetaObject::invokeMethod(&window, "onClockTick", Qt::DirectConnection); }

} // namespace lumora::testing
