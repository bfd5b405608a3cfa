// Painting of the panorama and its frame, in twips.
#include "diagrams/panoramaview.h"

#include "common/twips.h"

#include <QPainter>
#include <QPen>

namespace lumora {

namespace {
const QColor kBackground(0, 192, 192);
const QColor kFrameRed(255, 0, 0);

QLineF toLine(const FrameLine &l)
{
    return QLineF(l.x1, l.y1, l.x2, l.y2);
}
} // namespace

PanoramaView::PanoramaView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanoramaView::setFrameLines(const FrameLines &lines)
{
    m_lines = lines;
    update();
}

void PanoramaView::setPictureSize(PictureSize size)
{
    m_size = size;
    update();
}

void PanoramaView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    // The frame's lines are all horizontal or vertical: drawn aliased they stay
    // one crisp red pixel wide instead of two faded ones.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);

    QPen pen(kFrameRed);
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter.setPen(pen);
    const QLineF lines[] = {toLine(m_lines.top), toLine(m_lines.bottom), toLine(m_lines.left),
                            toLine(m_lines.right)};
    painter.drawLines(lines, 4);
}

} // namespace lumora
