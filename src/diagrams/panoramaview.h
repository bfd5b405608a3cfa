// The window picture: the panorama of the sky with the window's red
// frame. Labels and the sun picture are child widgets placed by the owner.
#pragma once

#include "diagrams/geometry.h"
#include "diagrams/windowframe.h"

#include <QWidget>

namespace lumora {

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FrameLines m_lines;
    PictureSize m_size;
};

} // namespace lumora
