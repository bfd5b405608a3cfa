// The year's calendar picture and its totals, as the year window shows them
// and exports them as PNG: the cells (one column per local date, local time
// of day upward, night dark, daylight light, the Sun in the frame orange),
// the hours on the left, the month names along the bottom, and under them one
// bar per month with its hours of Sun in the frame.
#pragma once

#include "analysis/yearcalendar.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <memory>

namespace lumora {

// The colours of the cells.
inline const QColor kNightColour(28, 36, 64);
inline const QColor kDaylightColour(228, 236, 246);
inline const QColor kInFrameColour(255, 122, 0);

// The cells alone, scaled to the widget: the part the pointer reads.
//
// A point of the widget stands for a column and a local clock second: the
// column floor((x + 0.5) × columns / width), the minute
// floor((height - y - 0.5) × 1440 / height) (0 at the bottom), each held
// within its range.
class YearPlot : public QWidget
{
    Q_OBJECT

public:
    explicit YearPlot(QWidget *parent = nullptr);

    void setCalendar(std::shared_ptr<const YearCalendar> calendar);
    // The instant on show (its column and local second of day) and today's
    // column; -1 for one that is not in the year.
    void setMarks(int shownColumn, int shownLocalSecond, int todayColumn);

    // Where a point of the widget falls; false before there is a calendar.
    bool cellAt(QPoint point, int *column, int *localSecond) const;
    // The centre of a column and local minute, in widget coordinates.
    QPoint pointOf(int column, int localMinute) const;

signals:
    void hovered(int column, int localSecond);
    void left();
    void clicked(int column, int localSecond);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    std::shared_ptr<const YearCalendar> calendar_;
    QImage cells_; // one pixel per cell, row 0 at the bottom
    int shownColumn_ = -1;
    int shownLocalSecond_ = 0;
    int todayColumn_ = -1;
    int hoverColumn_ = -1;
};

// The whole picture: the cells with their axes, month names and bars.
class YearChart : public QWidget
{
    Q_OBJECT

public:
    explicit YearChart(QWidget *parent = nullptr);

    YearPlot *plot() const { return plot_; }
    void setCalendar(std::shared_ptr<const YearCalendar> calendar);
    const YearCalendar *calendar() const { return calendar_.get(); }
    // The values written over the month bars, in order ("12,3 h").
    QStringList monthValueTexts() const;

    QSize sizeHint() const override { return {820, 520}; }
    QSize minimumSizeHint() const override { return {560, 420}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintLegend(QPainter &painter, const QRect &plot);
    QRect plotRect() const;
    QRect barsRect() const;
    int columnX(int column) const; // left edge of a column, in this widget

    YearPlot *plot_ = nullptr;
    std::shared_ptr<const YearCalendar> calendar_;
};

} // namespace lumora
