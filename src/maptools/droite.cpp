// The azimuth overlay window.
#include "maptools/droite.h"

#include "common/designfont.h"

#include "common/twips.h"
#include "maptools/transparent.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

namespace lumora {

namespace {
constexpr double kFormWidth = 9555;  // twips
constexpr double kFormHeight = 8745; // twips
constexpr double kDegToRad = 0.017453292;

void makeWhite(QWidget *w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QScrollBar *slider(QWidget *parent, const char *name, int min, int max)
{
    auto *bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(min, max);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    return bar;
}

QLabel *caption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(designFont(QStringLiteral("Arial"), 8.25));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}
} // namespace

Droite::Droite(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Droite"));
    setAttribute(Qt::WA_DeleteOnClose);
    makeWhite(this);
    setFixedSize(twipsSize(kFormWidth, kFormHeight));

    Label3 = new QLabel(QStringLiteral("XX°"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(designFont(QStringLiteral("Arial"), 9, true));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setGeometry(twipsRect(7950, 7410, 900, 210));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    makeWhite(Frame1);
    Frame1->setGeometry(twipsRect(6060, 7890, 4000, 900));

    Label1 = caption(Frame1, "Label1", QStringLiteral("Transparence"));
    Label1->setGeometry(twipsRect(75, 15, 1035, 255));
    HScroll1 = slider(Frame1, "HScroll1", 20, 255);
    HScroll1->setGeometry(twipsRect(1230, 15, 2265, 225));
    Label2 = caption(Frame1, "Label2", QStringLiteral("Azimut"));
    Label2->setGeometry(twipsRect(75, 255, 1035, 255));
    HScroll2 = slider(Frame1, "HScroll2", 0, 360);
    HScroll2->setGeometry(twipsRect(1230, 255, 2265, 225));
    Command1 = new QPushButton(QStringLiteral("Retour"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(1230, 495, 2265, 360));

    connect(HScroll1, &QScrollBar::valueChanged, this, &Droite::HScroll1_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Droite::HScroll2_Change);
    connect(Command1, &QPushButton::clicked, this, &Droite::Command1_Click);

    // Load: each value change runs its slider's handler.
    SetAlwaysOnTop(this, true);
    HScroll1->setValue(200);
    HScroll2->setValue(180);
}

int Droite::alpha() const { return HScroll1->value(); }
int Droite::azimuth() const { return HScroll2->value(); }

void Droite::HScroll1_Change()
{
    SetWindowAlpha(this, true, static_cast<quint8>(HScroll1->value()));
}

void Droite::HScroll2_Change() { DrawAzimuthLines(); }

void Droite::DrawAzimuthLines()
{
    AzimuthRadians = HScroll2->value() * kDegToRad;
    lines_ = azimuthLines(pixelsToTwips(width()), pixelsToTwips(height()), HScroll2->value());
    Label3->setText(lines_.readout);
    update();
}

void Droite::Command1_Click()
{
    close();
    emit returned();
}

void Droite::closeEvent(QCloseEvent *event)
{
    // Closed by the user through the desktop: the main window must not stay
    // hidden with no way back.
    if (event->spontaneous())
        emit returned();
    event->accept();
}

void Droite::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    QPen blue(QColor(0, 0, 192), 3);
    blue.setCosmetic(true); // widths in pixels whatever the scale
    painter.setPen(blue);
    painter.drawLine(lines_.direction);
    QPen red(QColor(255, 0, 0), 3);
    red.setCosmetic(true);
    painter.setPen(red);
    painter.drawLine(lines_.cross);
}

void Droite::mousePressEvent(QMouseEvent *event)
{
    // Presses that reach us from a label or the frame are not on the surface.
    if (childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    StartWindowDrag(event);
    event->accept();
}

void Droite::StartWindowDrag(QMouseEvent *event)
{
    if (QWindow *window = windowHandle(); window && window->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void Droite::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - dragOffset_);
}

void Droite::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}

} // namespace lumora
