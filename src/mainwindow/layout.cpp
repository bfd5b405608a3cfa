// Builds the main window's controls: names, captions, fonts, colours, places
// and sizes as the layout gives them in twips (converted once, in twips.h).
#include "mainwindow/mainwindow.h"

#include "common/designfont.h"
#include "common/twips.h"
#include "diagrams/dialview.h"
#include "diagrams/panoramaview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace lumora {

namespace {

const QString kSansSerif = QStringLiteral("MS Sans Serif");

template <typename W>
W *make(QWidget *parent, const QString &name, double left, double top, double width, double height)
{
    auto *widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, double left, double top,
                  double width, double height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = make<QLabel>(parent, name, left, top, width, height);
    label->setText(caption);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QScrollBar *makeBar(QWidget *parent, const QString &name, Qt::Orientation orientation, double left, double top,
                    double width, double height, int smallChange, int largeChange, int value)
{
    auto *bar = make<QScrollBar>(parent, name, left, top, width, height);
    bar->setOrientation(orientation);
    bar->setRange(0, 32767); // a bar's design range until the scales are set
    bar->setSingleStep(smallChange);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    return bar;
}

// A frame without a caption: an etched rectangle round its controls.
QFrame *makeFrame(QWidget *parent, const QString &name, double left, double top, double width, double height)
{
    auto *frame = make<QFrame>(parent, name, left, top, width, height);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QString arrayName(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

} // namespace

void MainWindow::buildLayout()
{
    setObjectName(QStringLiteral("Lumora"));
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

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void MainWindow::buildTopPart()
{
    HS1 = makeBar(this, QStringLiteral("HS1"), Qt::Horizontal, 375, 165, 5055, 195, 1, 100, 1000);
    HS2 = makeBar(this, QStringLiteral("HS2"), Qt::Horizontal, 5445, 165, 5055, 195, 10, 100, 0);
    VS1 = makeBar(this, QStringLiteral("VS1"), Qt::Vertical, 60, 420, 225, 2205, 10, 100, 0);
    VS2 = makeBar(this, QStringLiteral("VS2"), Qt::Vertical, 60, 2640, 225, 2205, 10, 100, 0);

    Pic = make<PanoramaView>(this, QStringLiteral("Pic"), 420, 420, 10065, 4335);
    Pic->setPictureSize({10065, 4335});

    static constexpr int labHTops[10] = {420, 885, 1335, 1800, 2250, 2715, 3165, 3630, 4080, 4545};
    for (int i = 0; i < 10; ++i)
        LabH[i] = makeLabel(this, arrayName("LabH", i), QStringLiteral("330"), 10485, labHTops[i], 435, 210,
                            Qt::AlignHCenter | Qt::AlignTop);
    for (int i = 0; i < 25; ++i)
        LabANG[i] = makeLabel(this, arrayName("LabANG", i), QStringLiteral("330"), 3180, 5325, 435, 210,
                              Qt::AlignHCenter | Qt::AlignTop);
    // The template tick; the others are placed (and shown) by the graduations.
    line2_[0] = QLineF(3000, 4740, 3000, 4935);
    line2Visible_[0] = true;

    for (int i = 0; i < 4; ++i)
        LabLig[i] = makeLabel(Pic, arrayName("LabLig", i), QStringLiteral("XXX°"), 1900 + 1100 * (i % 2),
                              3060, 405, 195, Qt::AlignHCenter | Qt::AlignTop);

    Imsol = make<QLabel>(Pic, QStringLiteral("Imsol"), 0, 28200, 225, 225);
    Imsol->setPixmap(QPixmap(QStringLiteral(":/icons/imsol.png")));
    Imsol->setAttribute(Qt::WA_TranslucentBackground);
}

void MainWindow::buildDiagramsPart()
{
    Frame8 = makeFrame(this, QStringLiteral("Frame8"), 150, 5235, 3690, 2055);
    PicHE = new DialView(DialView::Kind::Elevation, Frame8);
    PicHE->setObjectName(QStringLiteral("PicHE"));
    PicHE->setGeometry(twipsRect(30, 225, 1770, 1770));
    PicHE->setToolTip(
        QStringLiteral("Hauteur du centre du Soleil (sans tenir compte de la réfraction atmosphérique)."));
    PicAZ = new DialView(DialView::Kind::Azimuth, Frame8);
    PicAZ->setObjectName(QStringLiteral("PicAZ"));
    PicAZ->setGeometry(twipsRect(1860, 225, 1770, 1770));
    PicAZ->setToolTip(QStringLiteral("Azimut du centre du Soleil."));
    for (DialView *dial : {PicHE, PicAZ}) {
        dial->setFont(designFont(QStringLiteral("Arial"), 8.25));
        dial->setAutoFillBackground(true);
        dial->setBackgroundRole(QPalette::Base);
    }
    Label36 = makeLabel(Frame8, QStringLiteral("Label36"), QString(), 120, 15, 45, 195);
    Label35 = makeLabel(Frame8, QStringLiteral("Label35"), QString(), 1875, 15, 45, 195);

    Check3 = make<QCheckBox>(this, QStringLiteral("Check3"), 435, 7410, 3180, 225);
    Check3->setText(QStringLiteral("Fichier Ensoleillement."));
    static constexpr struct {
        int index;
        const char16_t *caption;
        int left, top;
    } options[] = {{2, u"1 heure", 435, 7695},
                   {1, u"30 minutes", 435, 7905},
                   {0, u"10 minutes", 435, 8115},
                   {3, u"1 minute", 1665, 8115}};
    for (const auto &o : options) {
        auto *button = make<QRadioButton>(this, arrayName("Option5", o.index), o.left, o.top, 1830, 195);
        button->setText(QString::fromUtf16(o.caption));
        Option5[o.index] = button;
    }
}

void MainWindow::buildMiddlePart()
{
    solon = make<QLabel>(this, QStringLiteral("solon"), 3975, 5235, 240, 240);
    solon->setPixmap(QPixmap(QStringLiteral(":/icons/solon.png")));
    solon->hide();
    solofF = make<QLabel>(this, QStringLiteral("solofF"), 3975, 5235, 240, 240);
    solofF->setPixmap(QPixmap(QStringLiteral(":/icons/soloff.png")));
    solofF->hide();

    Label6 = makeLabel(this, QStringLiteral("Label6"), QString(), 4305, 5400, 1425, 555, Qt::AlignHCenter | Qt::AlignTop);
    Label6->setFont(designFont(kSansSerif, 8.25, true));
    Label6->setWordWrap(true);

    Command3 = make<QPushButton>(this, QStringLiteral("Command3"), 5805, 5280, 585, 660);
    Command3->setIcon(QIcon(QStringLiteral(":/icons/command3.png")));
    Command3->setIconSize(QSize(32, 32));
    Command3->setToolTip(QStringLiteral("Retour au temps réel, date du jour"));

    Frame3 = make<QGroupBox>(this, QStringLiteral("Frame3"), 4080, 6090, 2295, 1245);
    Frame3->setTitle(QStringLiteral("Recherche"));
    Check1 = make<QCheckBox>(Frame3, QStringLiteral("Check1"), 195, 15 + 180, 1845, 285);
    Check1->setText(QStringLiteral("Voir la recherche"));
    Check1->setChecked(true);
    Command8 = make<QPushButton>(Frame3, QStringLiteral("Command8"), 180, 360 + 90, 2070, 300);
    Command8->setText(QStringLiteral("Prochaine Entrée"));
    Command8->hide();
    Command1 = make<QPushButton>(Frame3, QStringLiteral("Command1"), 180, 690 + 60, 2070, 420);
    Command1->setText(QStringLiteral("Rechercher"));
    Check2 = make<QCheckBox>(Frame3, QStringLiteral("Check2"), -60, 810, 465, 195);
    Check2->setChecked(true);
    Check2->hide();

    Text11 = make<QLineEdit>(this, QStringLiteral("Text11"), 3090, 5055, 855, 285);
    Text11->setAlignment(Qt::AlignCenter);
    Text11->hide();
}

void MainWindow::buildInputsPart()
{
    VSHeure = makeBar(this, QStringLiteral("VSHeure"), Qt::Vertical, 6915, 5325, 300, 1905, 1, 10, 0);
    VSHeure->setRange(0, 1440);
    VSHeure->setTracking(false); // handled once the value changes, not while dragging
    VSHeure->setToolTip(QStringLiteral("Heure TU"));

    static constexpr double comboLefts[3] = {7545, 8445, 9345};
    static constexpr double comboWidths[3] = {885, 885, 1050};
    for (int i = 0; i < 3; ++i) {
        auto *combo = make<QComboBox>(this, arrayName("Combo1", i), comboLefts[i], 5385, comboWidths[i], 315);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(12);
        combo->setEditText(QStringLiteral("Combo1"));
        combo->lineEdit()->installEventFilter(this);
        Combo1[i] = combo;
    }
    Label5 = makeLabel(this, QStringLiteral("Label5"), QString(), 7560, 5790, 2715, 210);

    const QFont coordinateFont = designFont(kSansSerif, 13.5);
    const QFont signFont = designFont(kSansSerif, 18);
    auto coordinate = [&](const char *name, const char *text, double top, double height) {
        auto *box = make<QLineEdit>(this, QString::fromLatin1(name), name[4] == '1' || name[4] == '3' ? 7665 : 8460,
                                    top, 555, height);
        box->setText(QString::fromLatin1(text));
        box->setAlignment(Qt::AlignCenter);
        box->setFont(coordinateFont);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, QColor(128, 0, 0));
        box->setPalette(palette);
        return box;
    };
    auto sign = [&](const QString &name, const QString &caption, double left, double top, double width) {
        auto *label = makeLabel(this, name, caption, left, top, width, 435);
        label->setFont(signFont);
        // The large sign is wider than its narrow slot: let it show whole.
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        return label;
    };
    Text1 = coordinate("Text1", "49", 6135, 435);
    sign(QStringLiteral("Label1(0)"), QStringLiteral("°"), 8250, 6135, 120);
    Text2 = coordinate("Text2", "00", 6135, 435);
    sign(QStringLiteral("Label4"), QStringLiteral("'"), 9075, 6135, 60);
    Text3 = coordinate("Text3", "02", 6645, 480);
    sign(QStringLiteral("Label2"), QStringLiteral("°"), 8250, 6645, 120);
    Text4 = coordinate("Text4", "20", 6645, 480);
    sign(QStringLiteral("Label3"), QStringLiteral("'"), 9075, 6645, 60);

    Frame1 = makeFrame(this, QStringLiteral("Frame1"), 9345, 6045, 1005, 645);
    Option1 = make<QRadioButton>(Frame1, QStringLiteral("Option1"), 105, 105, 810, 195);
    Option1->setText(QStringLiteral("Nord"));
    Option2 = make<QRadioButton>(Frame1, QStringLiteral("Option2"), 105, 315, 810, 195);
    Option2->setText(QStringLiteral("Sud"));
    Option1->setChecked(true);

    Frame2 = makeFrame(this, QStringLiteral("Frame2"), 9345, 6540, 1050, 750);
    Option4 = make<QRadioButton>(Frame2, QStringLiteral("Option4"), 105, 210, 690, 195);
    Option4->setText(QStringLiteral("Est"));
    Option3 = make<QRadioButton>(Frame2, QStringLiteral("Option3"), 105, 420, 780, 195);
    Option3->setText(QStringLiteral("Ouest"));
    Option4->setChecked(true);
}

void MainWindow::buildButtonRow()
{
    static constexpr struct {
        QToolButton *MainWindow::*member;
        const char *name;
        int left;
        const char16_t *caption;
        const char *icon;
    } buttons[] = {{&MainWindow::Command6, "Command6", 3750, u"Google Map", ":/icons/command6.png"},
                   {&MainWindow::Command5, "Command5", 5175, u"A propos", ":/icons/command5.png"},
                   {&MainWindow::Command7, "Command7", 6600, u"HeeeeeeeeelP", ":/icons/command7.png"},
                   {&MainWindow::Command4, "Command4", 8025, u"Réduire", ":/icons/command4.png"}};
    for (const auto &b : buttons) {
        auto *button = make<QToolButton>(this, QString::fromLatin1(b.name), b.left, 7425, 1440, 885);
        button->setText(QString::fromUtf16(b.caption));
        button->setIcon(QIcon(QString::fromLatin1(b.icon)));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        this->*(b.member) = button;
    }
    Command2 = make<QPushButton>(this, QStringLiteral("Command2"), 9450, 7425, 1440, 885);
    Command2->setText(QStringLiteral("Quitter"));
    Command2->setFont(designFont(kSansSerif, 9.75, true));
}

} // namespace lumora
