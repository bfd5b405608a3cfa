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

void PanoramaView::addLayer(PanoramaLayer *layer, int level)
{
    const auto same = [layer](const auto &entry) { return entry.second == layer; };
    if (layer && std::none_of(m_layers.begin(), m_layers.end(), same)) {
        const auto after = std::upper_bound(m_layers.begin(), m_layers.end(), level,
                                            [](int l, const auto &entry) { return l < entry.first; });
        m_layers.insert(after, {level, layer});
    }
    update();
}

void PanoramaView::removeLayer(PanoramaLayer *layer)
{
    std::erase_if(m_layers, [layer](const auto &entry) { return entry.second == layer; });
    update();
}

void PanoramaView::setFrameDotted(bool dotted)
{
    m_frameDotted = dotted;
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
    for (const auto &[level, layer] : m_layers) {
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
    if (m_frameDotted)
        pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    const QLineF lines[] = {toLine(m_lines.top), toLine(m_lines.bottom), toLine(m_lines.left),
                            toLine(m_lines.right)};
    painter.drawLines(lines, 4);
}

} // namespace lumora
