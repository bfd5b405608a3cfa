// The azimuth overlay window.
#include "maptools/azimuthoverlay.h"

#include "common/designfont.h"

#include "common/twips.h"
#include "maptools/windowstyle.h"

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

AzimuthOverlay::AzimuthOverlay(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Droite"));
    setAttribute(Qt::WA_DeleteOnClose);
    makeWhite(this);
    setFixedSize(twipsSize(kFormWidth, kFormHeight));

    azimuthReadout = new QLabel(QStringLiteral("XX°"), this);
    azimuthReadout->setObjectName(QStringLiteral("Label3"));
    azimuthReadout->setFont(designFont(QStringLiteral("Arial"), 9, true));
    azimuthReadout->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    azimuthReadout->setGeometry(twipsRect(7950, 7410, 900, 210));

    controlsFrame = new QFrame(this);
    controlsFrame->setObjectName(QStringLiteral("Frame1"));
    controlsFrame->setFrameShape(QFrame::StyledPanel);
    makeWhite(controlsFrame);
    controlsFrame->setGeometry(twipsRect(6060, 7890, 4000, 900));

    opacityCaption = caption(controlsFrame, "Label1", tr("Transparence"));
    opacityCaption->setGeometry(twipsRect(75, 15, 1035, 255));
    opacityBar = slider(controlsFrame, "HScroll1", 20, 255);
    opacityBar->setGeometry(twipsRect(1230, 15, 2265, 225));
    azimuthCaption = caption(controlsFrame, "Label2", tr("Azimut"));
    azimuthCaption->setGeometry(twipsRect(75, 255, 1035, 255));
    azimuthBar = slider(controlsFrame, "HScroll2", 0, 360);
    azimuthBar->setGeometry(twipsRect(1230, 255, 2265, 225));
    returnButton = new QPushButton(tr("Retour"), controlsFrame);
    returnButton->setObjectName(QStringLiteral("Command1"));
    returnButton->setGeometry(twipsRect(1230, 495, 2265, 360));

    connect(opacityBar, &QScrollBar::valueChanged, this, &AzimuthOverlay::onOpacityChanged);
    connect(azimuthBar, &QScrollBar::valueChanged, this, &AzimuthOverlay::onAzimuthChanged);
    connect(returnButton, &QPushButton::clicked, this, &AzimuthOverlay::onReturnClicked);

    // Load: each value change runs its slider's handler.
    setAlwaysOnTop(this, true);
    opacityBar->setValue(200);
    azimuthBar->setValue(180);
}

int AzimuthOverlay::alpha() const { return opacityBar->value(); }
int AzimuthOverlay::azimuth() const { return azimuthBar->value(); }

void AzimuthOverlay::onOpacityChanged()
{
    setWindowAlpha(this, true, static_cast<quint8>(opacityBar->value()));
}

void AzimuthOverlay::onAzimuthChanged() { drawAzimuthLines(); }

void AzimuthOverlay::drawAzimuthLines()
{
    azimuthRadians_ = azimuthBar->value() * kDegToRad;
    lines_ = azimuthLines(pixelsToTwips(width()), pixelsToTwips(height()), azimuthBar->value());
    azimuthReadout->setText(lines_.readout);
    update();
}

void AzimuthOverlay::onReturnClicked()
{
    close();
    emit returned();
}

void AzimuthOverlay::closeEvent(QCloseEvent *event)
{
    // Closed by the user through the desktop: the main window must not stay
    // hidden with no way back.
    if (event->spontaneous())
        emit returned();
    event->accept();
}

void AzimuthOverlay::paintEvent(QPaintEvent *)
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

void AzimuthOverlay::mousePressEvent(QMouseEvent *event)
{
    // Presses that reach us from a label or the frame are not on the surface.
    if (childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    startWindowDrag(event);
    event->accept();
}

void AzimuthOverlay::startWindowDrag(QMouseEvent *event)
{
    if (QWindow *window = windowHandle(); window && window->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void AzimuthOverlay::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - dragOffset_);
}

void AzimuthOverlay::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}

} // namespace lumora
