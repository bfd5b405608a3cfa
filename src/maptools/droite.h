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

class Droite : public QWidget
{
    Q_OBJECT

public:
    // Opens on top of the other windows at opacity 200/255 with the lines at
    // 180°. The window deletes itself when closed: hold it in a QPointer and
    // create it anew for each opening.
    explicit Droite(QWidget *parent = nullptr);

    // `HScroll1`: the opacity, 20 (faint) .. 255 (opaque).
    int alpha() const;
    // `HScroll2`: the azimuth of the blue line in degrees, 0..360.
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
    void HScroll1_Change();
    void HScroll2_Change();
    void Command1_Click();
    void DrawAzimuthLines();
    void StartWindowDrag(QMouseEvent *event);

    QLabel *Label3 = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QLabel *Label2 = nullptr;
    QScrollBar *HScroll2 = nullptr;
    QPushButton *Command1 = nullptr;

    double AzimuthRadians = 0.0;
    AzimuthLines lines_; // `Li` and `Fl`, in twips

    // Moving by hand where the desktop cannot move the window itself.
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace lumora
