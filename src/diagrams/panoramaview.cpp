// Painting of the panorama, its layers and its frame, in twips; its menu.
#include "diagrams/panoramaview.h"

#include "common/twips.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPen>
#include <algorithm>

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

void PanoramaView::addLayer(PanoramaLayer *layer)
{
    if (layer && std::find(m_layers.begin(), m_layers.end(), layer) == m_layers.end())
        m_layers.push_back(layer);
    update();
}

void PanoramaView::removeLayer(PanoramaLayer *layer)
{
    m_layers.erase(std::remove(m_layers.begin(), m_layers.end(), layer), m_layers.end());
    update();
}

QMenu *PanoramaView::menu()
{
    if (!m_menu)
        m_menu = new QMenu(this);
    return m_menu;
}

void PanoramaView::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_menu || m_menu->isEmpty()) {
        event->ignore();
        return;
    }
    m_menu->popup(event->globalPos());
    event->accept();
}

void PanoramaView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    for (PanoramaLayer *layer : m_layers) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        layer->paintLayer(painter, *this);
        painter.restore();
    }
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
