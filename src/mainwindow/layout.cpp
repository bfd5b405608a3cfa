// Builds the main window's controls: captions, fonts, colours, places and
// sizes as the layout gives them in twips (converted once, in twips.h), and
// names them. Each control's object name is its name in the window's design;
// the table in nameControls() is the one place that links a member, that
// name and what the control is for. Tests, the state snapshot and the
// end-to-end suite find controls by those names.
#include "mainwindow/mainwindow.h"

#include "common/designfont.h"
#include "common/twips.h"
#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"
#include "suncourse/suncoursecontroller.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace lumora {

namespace {

const QString kSansSerif = QStringLiteral("MS Sans Serif");

template <typename W>
W *make(QWidget *parent, double left, double top, double width, double height)
{
    auto *widget = new W(parent);
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

QLabel *makeLabel(QWidget *parent, const QString &caption, double left, double top,
                  double width, double height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = make<QLabel>(parent, left, top, width, height);
    label->setText(caption);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QScrollBar *makeBar(QWidget *parent, Qt::Orientation orientation, double left, double top,
                    double width, double height, int smallChange, int largeChange, int value)
{
    auto *bar = make<QScrollBar>(parent, left, top, width, height);
    bar->setOrientation(orientation);
    bar->setRange(0, 32767); // a bar's design range until the scales are set
    bar->setSingleStep(smallChange);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    return bar;
}

// A frame without a caption: an etched rectangle round its controls. It is
// painted opaque: where the layout lets frames overlap, the later one covers
// the earlier (its border does not run through the later one's controls).
QFrame *makeFrame(QWidget *parent, double left, double top, double width, double height)
{
    auto *frame = make<QFrame>(parent, left, top, width, height);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setAutoFillBackground(true);
    return frame;
}

// The layout gives option buttons 195 twips (13 pixels) of height, less than
// the style's circle: it would be cut at the bottom. Within such a button the
// circle is made to fit, a pixel short of the button's height (which also
// keeps "Sud" clear of the frame laid over the bottom of its own).
class FittingIndicatorStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        if (widget && (metric == PM_ExclusiveIndicatorWidth || metric == PM_ExclusiveIndicatorHeight))
            return std::min(size, widget->height() - 1);
        return size;
    }
};

// Option buttons that form one choice: at most one selected, a click on the
// selected one keeps it, the arrow keys move within them only.
void exclusiveGroup(QWidget *owner, std::initializer_list<QRadioButton *> buttons)
{
    auto *group = new QButtonGroup(owner);
    group->setExclusive(true);
    for (QRadioButton *button : buttons)
        group->addButton(button);
}

QString arrayName(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

} // namespace

void MainWindow::buildLayout()
{
    setWindowTitle(QStringLiteral("Lumora"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/solon.png")));
    // Fixed dialog border with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsSize(11055, 8415));
    setFont(designFont(kSansSerif, 8.25));

    buildTopPart();
    buildDiagramsPart();
    buildMiddlePart();
    buildInputsPart();
    buildButtonRow();
    auto *fitting = new FittingIndicatorStyle;
    fitting->setParent(this);
    for (QRadioButton *button : findChildren<QRadioButton *>())
        button->setStyle(fitting);

    clockTimer = new QTimer(this);
    clockTimer->setInterval(1000);
    nameControls();
}

void MainWindow::nameControls()
{
    // control, its object name (the window design's name), what it is for
    const struct {
        QObject *control;
        const char *objectName;
        const char *role;
    } table[] = {
        {this, "Lumora", "the main window"},
        {frameLeftBar, "HS1", "frame: left edge, panorama units across"},
        {frameRightBar, "HS2", "frame: right edge"},
        {frameTopBar, "VS1", "frame: upper edge, panorama units down"},
        {frameBottomBar, "VS2", "frame: lower edge"},
        {panorama, "Pic", "the sky panorama with the red frame"},
        {sunPictureLabel, "Imsol", "the small sun on the panorama"},
        {sunCourse->timesLabel(), "SunTimes", "the day's times with the Sun in the frame, on the panorama"},
        {dialsFrame, "Frame8", "frame round the two dials"},
        {elevationDial, "PicHE", "elevation dial"},
        {azimuthDial, "PicAZ", "azimuth dial (compass)"},
        {elevationReadoutLabel, "Label36", "elevation read-out"},
        {azimuthReadoutLabel, "Label35", "azimuth read-out"},
        {surveyCheck, "Check3", "\"Fichier Ensoleillement.\": a search writes the sunshine file"},
        {sunInIcon, "solon", "picture: the Sun is in the window"},
        {sunOutIcon, "solofF", "picture: the Sun is not in the window"},
        {localTimeLabel, "Label6", "local time of the instant on show"},
        {nowButton, "Command3", "back to real time and today's date"},
        {searchGroup, "Frame3", "\"Recherche\" group"},
        {showSearchCheck, "Check1", "\"Voir la recherche\": show each search step"},
        {continueButton, "Command8", "\"Prochaine Entrée/Sortie\": go on to the opposite event"},
        {searchButton, "Command1", "\"Rechercher\" / \"Temps réel\""},
        {entrySearchCheck, "Check2", "hidden: checked = the search looks for an entry"},
        {unusedTextBox, "Text11", "hidden text box, unused"},
        {timeBar, "VSHeure", "UT minute of the day"},
        {utTimeLabel, "Label5", "UT time, search progress and result"},
        {latitudeDegreesEdit, "Text1", "latitude, degrees"},
        {latitudeMinutesEdit, "Text2", "latitude, minutes"},
        {longitudeDegreesEdit, "Text3", "longitude, degrees"},
        {longitudeMinutesEdit, "Text4", "longitude, minutes"},
        {unitSigns[0], "Label1(0)", "° after the latitude degrees"},
        {unitSigns[1], "Label4", "' after the latitude minutes"},
        {unitSigns[2], "Label2", "° after the longitude degrees"},
        {unitSigns[3], "Label3", "' after the longitude minutes"},
        {latitudeFrame, "Frame1", "frame of North/South"},
        {northButton, "Option1", "\"Nord\""},
        {southButton, "Option2", "\"Sud\""},
        {longitudeFrame, "Frame2", "frame of East/West"},
        {westButton, "Option3", "\"Ouest\""},
        {eastButton, "Option4", "\"Est\""},
        {mapButton, "Command6", "\"Google Map\": overlay and map"},
        {aboutButton, "Command5", "\"A propos\""},
        {helpButton, "Command7", "help page"},
        {hideButton, "Command4", "\"Réduire\": into the notification area"},
        {quitButton, "Command2", "\"Quitter\""},
        {clockTimer, "Timer1", "real-time tick, once a second"},
    };
    for (const auto &entry : table)
        entry.control->setObjectName(QString::fromUtf8(entry.objectName));
    // Arrays are named "Name(index)", index from 0.
    auto nameArray = [](const auto &controls, const char *objectName, const char * /*role*/) {
        for (size_t i = 0; i < controls.size(); ++i)
            controls[i]->setObjectName(arrayName(objectName, int(i)));
    };
    nameArray(elevationScaleLabels, "LabH", "elevation graduations, 90° down to 0°");
    nameArray(azimuthScaleLabels, "LabANG", "azimuth graduations, 0° to 360°");
    nameArray(frameEdgeLabels, "LabLig", "the frame's edges in degrees");
    nameArray(surveyStepButtons, "Option5", "survey step: 10 min, 30 min, 1 h, 1 min");
    nameArray(dateBoxes, "Combo1", "date: day, month, year (UT)");
}

void MainWindow::buildTopPart()
{
    frameLeftBar = makeBar(this, Qt::Horizontal, 375, 165, 5055, 195, 1, 100, 1000);
    frameRightBar = makeBar(this, Qt::Horizontal, 5445, 165, 5055, 195, 10, 100, 0);
    frameTopBar = makeBar(this, Qt::Vertical, 60, 420, 225, 2205, 10, 100, 0);
    frameBottomBar = makeBar(this, Qt::Vertical, 60, 2640, 225, 2205, 10, 100, 0);

    panorama = make<PanoramaView>(this, 420, 420, 10065, 4335);
    panorama->setPictureSize({10065, 4335});

    static constexpr int labHTops[10] = {420, 885, 1335, 1800, 2250, 2715, 3165, 3630, 4080, 4545};
    for (int i = 0; i < 10; ++i)
        elevationScaleLabels[i] = makeLabel(this, QStringLiteral("330"), 10485, labHTops[i], 435, 210,
                            Qt::AlignHCenter | Qt::AlignTop);
    for (int i = 0; i < 25; ++i)
        azimuthScaleLabels[i] = makeLabel(this, QStringLiteral("330"), 3180, 5325, 435, 210,
                              Qt::AlignHCenter | Qt::AlignTop);
    // The template tick; the others are placed (and shown) by the graduations.
    graduationTicks_[0] = QLineF(3000, 4740, 3000, 4935);
    graduationTickVisible_[0] = true;

    for (int i = 0; i < 4; ++i)
        frameEdgeLabels[i] = makeLabel(panorama, QStringLiteral("XXX°"), 1900 + 1100 * (i % 2),
                              3060, 405, 195, Qt::AlignHCenter | Qt::AlignTop);

    sunPictureLabel = make<QLabel>(panorama, 0, 28200, 225, 225);
    sunPictureLabel->setPixmap(QPixmap(QStringLiteral(":/icons/imsol.png")));
    sunPictureLabel->setAttribute(Qt::WA_TranslucentBackground);

    sunCourse = new SunCourseController(panorama, settings_, this);
    connect(this, &MainWindow::observationChanged, sunCourse, &SunCourseController::follow);
    placeRealView();
    placePhoto();
}

void MainWindow::buildDiagramsPart()
{
    dialsFrame = makeFrame(this, 150, 5235, 3690, 2055);
    elevationDial = new DialView(DialView::Kind::Elevation, dialsFrame);
    elevationDial->setGeometry(twipsRect(30, 225, 1770, 1770));
    elevationDial->setToolTip(
        tr("Hauteur du centre du Soleil (sans tenir compte de la réfraction atmosphérique)."));
    azimuthDial = new DialView(DialView::Kind::Azimuth, dialsFrame);
    azimuthDial->setGeometry(twipsRect(1860, 225, 1770, 1770));
    azimuthDial->setToolTip(tr("Azimut du centre du Soleil."));
    for (DialView *dial : {elevationDial, azimuthDial}) {
        dial->setFont(designFont(QStringLiteral("Arial"), 8.25));
        dial->setAutoFillBackground(true);
        dial->setBackgroundRole(QPalette::Base);
    }
    elevationReadoutLabel = makeLabel(dialsFrame, QString(), 120, 15, 45, 195);
    azimuthReadoutLabel = makeLabel(dialsFrame, QString(), 1875, 15, 45, 195);

    surveyCheck = make<QCheckBox>(this, 435, 7410, 3180, 225);
    surveyCheck->setText(tr("Fichier Ensoleillement."));
    static constexpr struct {
        int index;
        const char *caption;
        int left, top;
    } options[] = {{2, QT_TR_NOOP("1 heure"), 435, 7695},
                   {1, QT_TR_NOOP("30 minutes"), 435, 7905},
                   {0, QT_TR_NOOP("10 minutes"), 435, 8115},
                   {3, QT_TR_NOOP("1 minute"), 1665, 8115}};
    for (const auto &o : options) {
        auto *button = make<QRadioButton>(this, o.left, o.top, 1830, 195);
        button->setText(tr(o.caption));
        surveyStepButtons[o.index] = button;
    }
    // The steps are one choice of their own: left to Qt, option buttons that
    // share the window form one group with every other option button in it,
    // so a click could clear the step and the arrow keys walk into the
    // hemisphere choices.
    exclusiveGroup(this, {surveyStepButtons[0], surveyStepButtons[1], surveyStepButtons[2], surveyStepButtons[3]});
}

void MainWindow::buildMiddlePart()
{
    sunInIcon = make<QLabel>(this, 3975, 5235, 240, 240);
    sunInIcon->setPixmap(QPixmap(QStringLiteral(":/icons/solon.png")));
    sunInIcon->hide();
    sunOutIcon = make<QLabel>(this, 3975, 5235, 240, 240);
    sunOutIcon->setPixmap(QPixmap(QStringLiteral(":/icons/soloff.png")));
    sunOutIcon->hide();

    localTimeLabel = makeLabel(this, QString(), 4305, 5400, 1425, 555, Qt::AlignHCenter | Qt::AlignTop);
    localTimeLabel->setFont(designFont(kSansSerif, 8.25, true));
    localTimeLabel->setWordWrap(true);

    nowButton = make<QPushButton>(this, 5805, 5280, 585, 660);
    nowButton->setIcon(QIcon(QStringLiteral(":/icons/command3.png")));
    nowButton->setIconSize(QSize(32, 32));
    nowButton->setToolTip(tr("Retour au temps réel, date du jour"));

    searchGroup = make<QGroupBox>(this, 4080, 6090, 2295, 1245);
    searchGroup->setTitle(tr("Recherche"));
    showSearchCheck = make<QCheckBox>(searchGroup, 195, 15 + 180, 1845, 285);
    showSearchCheck->setText(tr("Voir la recherche"));
    showSearchCheck->setChecked(true);
    continueButton = make<QPushButton>(searchGroup, 180, 360 + 90, 2070, 300);
    continueButton->setText(tr("Prochaine Entrée"));
    continueButton->hide();
    searchButton = make<QPushButton>(searchGroup, 180, 690 + 60, 2070, 420);
    searchButton->setText(tr("Rechercher"));
    entrySearchCheck = make<QCheckBox>(searchGroup, -60, 810, 465, 195);
    entrySearchCheck->setChecked(true);
    entrySearchCheck->hide();

    unusedTextBox = make<QLineEdit>(this, 3090, 5055, 855, 285);
    unusedTextBox->setAlignment(Qt::AlignCenter);
    unusedTextBox->hide();
}

void MainWindow::buildInputsPart()
{
    timeBar = makeBar(this, Qt::Vertical, 6915, 5325, 300, 1905, 1, 10, 0);
    timeBar->setRange(0, 1440);
    timeBar->setTracking(false); // handled once the value changes, not while dragging
    timeBar->setToolTip(tr("Heure TU"));

    static constexpr double comboLefts[3] = {7545, 8445, 9345};
    static constexpr double comboWidths[3] = {885, 885, 1050};
    for (int i = 0; i < 3; ++i) {
        auto *combo = make<QComboBox>(this, comboLefts[i], 5385, comboWidths[i], 315);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(12);
        combo->setEditText(QStringLiteral("Combo1"));
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        dateBoxes[i] = combo;
    }
    utTimeLabel = makeLabel(this, QString(), 7560, 5790, 2715, 210);

    const QFont coordinateFont = designFont(kSansSerif, 13.5);
    const QFont signFont = designFont(kSansSerif, 18);
    auto coordinate = [&](double left, const char *text, double top, double height) {
        auto *box = make<QLineEdit>(this, left, top, 555, height);
        box->setText(QString::fromLatin1(text));
        box->setAlignment(Qt::AlignCenter);
        box->setFont(coordinateFont);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, QColor(128, 0, 0));
        box->setPalette(palette);
        return box;
    };
    auto sign = [&](const QString &caption, double left, double top, double width) {
        auto *label = makeLabel(this, caption, left, top, width, 435);
        label->setFont(signFont);
        // The large sign is wider than its narrow slot: let it show whole.
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        return label;
    };
    latitudeDegreesEdit = coordinate(7665, "49", 6135, 435);
    unitSigns[0] = sign(QStringLiteral("°"), 8250, 6135, 120);
    latitudeMinutesEdit = coordinate(8460, "00", 6135, 435);
    unitSigns[1] = sign(QStringLiteral("'"), 9075, 6135, 60);
    longitudeDegreesEdit = coordinate(7665, "02", 6645, 480);
    unitSigns[2] = sign(QStringLiteral("°"), 8250, 6645, 120);
    longitudeMinutesEdit = coordinate(8460, "20", 6645, 480);
    unitSigns[3] = sign(QStringLiteral("'"), 9075, 6645, 60);

    latitudeFrame = makeFrame(this, 9345, 6045, 1005, 645);
    northButton = make<QRadioButton>(latitudeFrame, 105, 105, 810, 195);
    northButton->setText(tr("Nord"));
    southButton = make<QRadioButton>(latitudeFrame, 105, 315, 810, 195);
    southButton->setText(tr("Sud"));
    northButton->setChecked(true);

    longitudeFrame = makeFrame(this, 9345, 6540, 1050, 750);
    eastButton = make<QRadioButton>(longitudeFrame, 105, 210, 690, 195);
    eastButton->setText(tr("Est"));
    westButton = make<QRadioButton>(longitudeFrame, 105, 420, 780, 195);
    westButton->setText(tr("Ouest"));
    eastButton->setChecked(true);
    exclusiveGroup(this, {northButton, southButton});
    exclusiveGroup(this, {eastButton, westButton});
}

void MainWindow::buildButtonRow()
{
    static constexpr struct {
        QToolButton *MainWindow::*member;
        int left;
        const char *caption;
        const char *icon;
    } buttons[] = {{&MainWindow::mapButton, 3750, QT_TR_NOOP("Google Map"), ":/icons/command6.png"},
                   {&MainWindow::aboutButton, 5175, QT_TR_NOOP("A propos"), ":/icons/command5.png"},
                   {&MainWindow::helpButton, 6600, QT_TR_NOOP("HeeeeeeeeelP"), ":/icons/command7.png"},
                   {&MainWindow::hideButton, 8025, QT_TR_NOOP("Réduire"), ":/icons/command4.png"}};
    for (const auto &b : buttons) {
        auto *button = make<QToolButton>(this, b.left, 7425, 1440, 885);
        button->setText(tr(b.caption));
        button->setIcon(QIcon(QString::fromLatin1(b.icon)));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        this->*(b.member) = button;
    }
    quitButton = make<QPushButton>(this, 9450, 7425, 1440, 885);
    quitButton->setText(tr("Quitter"));
    quitButton->setFont(designFont(kSansSerif, 9.75, true));
}

} // namespace lumora
