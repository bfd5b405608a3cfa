// The azimuth overlay: a borderless, see-through window kept above the others,
// laid over a map to read a window's azimuth. The user drags it into place by
// pressing anywhere on its white surface, turns the lines with "Azimut" and
// sets the see-through level with "Transparence".
#pragma once

#include "maptools/azimuthlines.h"

#include <QPoint>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

namespace lumora {

class AzimuthOverlay : public QWidget
{
    Q_OBJECT

public:
    // Opens on top of the other windows at opacity 200/255 with the lines at
    // 180°. The window deletes itself when closed: hold it in a QPointer and
    // create it anew for each opening.
    explicit AzimuthOverlay(QWidget *parent = nullptr);

    // `opacityBar`: the opacity, 20 (faint) .. 255 (opaque).
    int alpha() const;
    // `azimuthBar`: the azimuth of the blue line in degrees, 0..360.
    int azimuth() const;

signals:
    // "Retour" was pressed, or the user closed the overlay some other way:
    // the main window shows itself again. Not emitted when code closes it.
    void returned();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void onOpacityChanged();
    void onAzimuthChanged();
    void onReturnClicked();
    void drawAzimuthLines();
    void startWindowDrag(QMouseEvent *event);

    QLabel *azimuthReadout = nullptr;
    QFrame *controlsFrame = nullptr;
    QLabel *opacityCaption = nullptr;
    QScrollBar *opacityBar = nullptr;
    QLabel *azimuthCaption = nullptr;
    QScrollBar *azimuthBar = nullptr;
    QPushButton *returnButton = nullptr;

    double azimuthRadians_ = 0.0;
    AzimuthLines lines_; // the cross and the direction line, in twips

    // Moving by hand where the desktop cannot move the window itself.
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace lumora
