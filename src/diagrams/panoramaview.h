// The window picture: the panorama of the sky with the window's red
// frame. Labels and the sun picture are child widgets placed by the owner.
// Features that draw on the sky (the Sun's course, the skyline…) add a layer,
// painted under the frame; features that offer choices add entries to the
// menu a right-click opens.
#pragma once

#include "diagrams/geometry.h"
#include "diagrams/windowframe.h"

#include <QWidget>
#include <utility>
#include <vector>

class QMenu;

namespace lumora {

class PanoramaView;

// Something painted on the sky, over the background and under the frame.
class PanoramaLayer
{
public:
    virtual ~PanoramaLayer() = default;
    // `painter` paints on `view` in pixels, untransformed, antialiasing on;
    // the layer scales it itself (15 twips per pixel) if it draws in twips.
    // Called from the view's paintEvent only: paint from state, compute nothing.
    virtual void paintLayer(QPainter &painter, const PanoramaView &view) = 0;
};

class PanoramaView : public QWidget
{
    Q_OBJECT
public:
    explicit PanoramaView(QWidget *parent = nullptr);

    // The four frame lines, panorama twips. Setting them schedules a repaint.
    void setFrameLines(const FrameLines &lines);
    const FrameLines &frameLines() const { return m_lines; }

    // The picture's size as laid out, twips: what every panorama conversion
    // and the bars' scales are computed from. The owner keeps the widget's
    // pixel size matching it (15 twips per pixel).
    PictureSize pictureSize() const { return m_size; }
    void setPictureSize(PictureSize size);

    // Layers are painted by level, lowest first (the Sun's course is at 0, the
    // ground under it, the window's outline over it), and in the order added
    // within a level; the view does not own them, and a layer removes itself
    // before it goes. Adding one twice adds it once.
    void addLayer(PanoramaLayer *layer, int level = 0);
    void removeLayer(PanoramaLayer *layer);

    // The menu of a right-click anywhere on the picture (its labels and the
    // sun picture included). It belongs to the view; every feature adds its
    // own entries (a separator between features), and may refresh them on
    // QMenu::aboutToShow. Without entries a right-click shows nothing.
    QMenu *menu();

    // The frame drawn dotted: it only shows the bounds of another outline.
    void setFrameDotted(bool dotted);
    bool frameDotted() const { return m_frameDotted; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    FrameLines m_lines;
    PictureSize m_size;
    std::vector<std::pair<int, PanoramaLayer *>> m_layers; // level, layer; sorted by level
    QMenu *m_menu = nullptr;
    bool m_frameDotted = false;
};

} // namespace lumora
