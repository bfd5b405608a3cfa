// Painting of the year's calendar picture, its axes and its month bars.
#include "yearview/yearchart.h"

#include "analysis/hoursfile.h"
#include "common/language.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace lumora {

namespace {
constexpr int kMinutesPerDay = 1440;
const QColor kMarkColour(220, 0, 0);

QString monthName(int month)
{
    // In the interface's language, not the system's.
    const QLocale language = uiLanguage() == UiLanguage::English ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                                                  : QLocale(QLocale::French, QLocale::France);
    return language.standaloneMonthName(month, QLocale::ShortFormat);
}
} // namespace

YearPlot::YearPlot(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void YearPlot::setCalendar(std::shared_ptr<const YearCalendar> calendar)
{
    calendar_ = std::move(calendar);
    cells_ = QImage();
    if (calendar_) {
        const int columns = calendar_->columns();
        cells_ = QImage(std::max(columns, 1), kCalendarRows, QImage::Format_RGB32);
        cells_.fill(kNightColour);
        const QRgb colours[3] = {kNightColour.rgb(), kDaylightColour.rgb(), kInFrameColour.rgb()};
        for (int r = 0; r < kCalendarRows; ++r) {
            auto *line = reinterpret_cast<QRgb *>(cells_.scanLine(kCalendarRows - 1 - r));
            for (int c = 0; c < columns; ++c)
                line[c] = colours[int(calendar_->cell(c, r))];
        }
    }
    update();
}

void YearPlot::setMarks(int shownColumn, int shownLocalSecond, int todayColumn)
{
    if (shownColumn == shownColumn_ && shownLocalSecond == shownLocalSecond_ && todayColumn == todayColumn_)
        return;
    shownColumn_ = shownColumn;
    shownLocalSecond_ = shownLocalSecond;
    todayColumn_ = todayColumn;
    update();
}

bool YearPlot::cellAt(QPoint point, int *column, int *localSecond) const
{
    if (!calendar_ || width() <= 0 || height() <= 0)
        return false;
    const int columns = calendar_->columns();
    *column = std::clamp(int((point.x() + 0.5) * columns / width()), 0, columns - 1);
    const int minute = std::clamp(int((height() - point.y() - 0.5) * kMinutesPerDay / height()), 0, kMinutesPerDay - 1);
    *localSecond = minute * 60;
    return true;
}

QPoint YearPlot::pointOf(int column, int localMinute) const
{
    const int columns = calendar_ ? std::max(calendar_->columns(), 1) : 1;
    return {int((column + 0.5) * width() / columns), int(height() - (localMinute + 0.5) * height() / kMinutesPerDay)};
}

void YearPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (cells_.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.drawText(rect(), Qt::AlignCenter, tr("Calcul en cours…"));
        return;
    }
    // One cell, one block of pixels: no smoothing between night and day.
    painter.drawImage(rect(), cells_);
    const int columns = calendar_->columns();
    const auto columnLeft = [&](int c) { return double(c) * width() / columns; };
    // Months and hours, faintly.
    painter.setPen(QPen(QColor(0, 0, 0, 50), 1));
    for (int c = 1; c < columns; ++c)
        if (calendar_->sky().columnDate(c).day == 1)
            painter.drawLine(QPointF(columnLeft(c), 0), QPointF(columnLeft(c), height()));
    for (int hour = 3; hour < 24; hour += 3) {
        const double y = height() - double(hour) * height() / 24;
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (hoverColumn_ >= 0) {
        painter.fillRect(QRectF(columnLeft(hoverColumn_), 0, std::max(1.0, columnLeft(1)), height()),
                         QColor(255, 255, 255, 90));
    }
    if (todayColumn_ >= 0 && todayColumn_ != shownColumn_) {
        QPen dashed(QColor(30, 30, 30), 1, Qt::DashLine);
        painter.setPen(dashed);
        const double x = columnLeft(todayColumn_) + columnLeft(1) / 2;
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    if (shownColumn_ >= 0) {
        // The date on show: a line down the column, a ring at the instant.
        const double x = columnLeft(shownColumn_) + columnLeft(1) / 2;
        const double y = height() - double(shownLocalSecond_) * height() / 86400;
        painter.setPen(QPen(kMarkColour, 1.5));
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
        painter.setPen(QPen(Qt::white, 3));
        painter.drawEllipse(QPointF(x, y), 5, 5);
        painter.setPen(QPen(kMarkColour, 2));
        painter.drawEllipse(QPointF(x, y), 5, 5);
    }
}

void YearPlot::mouseMoveEvent(QMouseEvent *event)
{
    int column = 0, second = 0;
    if (!cellAt(event->position().toPoint(), &column, &second))
        return;
    if (column != hoverColumn_) {
        hoverColumn_ = column;
        update();
    }
    emit hovered(column, second);
}

void YearPlot::mousePressEvent(QMouseEvent *event)
{
    int column = 0, second = 0;
    if (event->button() == Qt::LeftButton && cellAt(event->position().toPoint(), &column, &second))
        emit clicked(column, second);
}

void YearPlot::leaveEvent(QEvent *)
{
    hoverColumn_ = -1;
    update();
    emit left();
}

YearChart::YearChart(QWidget *parent) : QWidget(parent), plot_(new YearPlot(this))
{
    plot_->setObjectName(QStringLiteral("YearPlot"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, QColor(40, 40, 40));
    setPalette(colours);
}

void YearChart::setCalendar(std::shared_ptr<const YearCalendar> calendar)
{
    calendar_ = calendar;
    plot_->setCalendar(std::move(calendar));
    update();
}

QStringList YearChart::monthValueTexts() const
{
    QStringList texts;
    if (calendar_)
        for (const MonthTotal &month : calendar_->months())
            texts << tr("%1 h").arg(hoursText(month.seconds));
    return texts;
}

QRect YearChart::plotRect() const
{
    const QFontMetrics metrics(font());
    const int left = metrics.horizontalAdvance(QStringLiteral("24 h")) + 12;
    // A line for the legend above the cells.
    const int top = metrics.height() + 10;
    const int bottom = barsRect().top() - metrics.height() - 8;
    return QRect(QPoint(left, top), QPoint(width() - 12, bottom));
}

QRect YearChart::barsRect() const
{
    const QFontMetrics metrics(font());
    const int height = std::clamp(this->height() / 4, 3 * metrics.height() + 20, 140);
    const int left = metrics.horizontalAdvance(QStringLiteral("24 h")) + 12;
    return QRect(QPoint(left, this->height() - height), QPoint(width() - 12, this->height() - 6));
}

int YearChart::columnX(int column) const
{
    const QRect plot = plotRect();
    const int columns = calendar_ ? std::max(calendar_->columns(), 1) : 1;
    return plot.left() + int(double(column) * plot.width() / columns);
}

void YearChart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    plot_->setGeometry(plotRect());
}

void YearChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect plot = plotRect();
    const QFontMetrics metrics(font());
    const QColor text = palette().color(QPalette::WindowText);

    // Local hours on the left, every three hours.
    painter.setPen(text);
    for (int hour = 0; hour <= 24; hour += 3) {
        const int y = plot.bottom() + 1 - int(double(hour) * plot.height() / 24);
        painter.drawLine(plot.left() - 4, y, plot.left() - 1, y);
        const QRect label(0, y - metrics.height() / 2, plot.left() - 6, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, tr("%1 h").arg(hour));
    }
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(plot.adjusted(-1, -1, 0, 0));
    paintLegend(painter, plot);
    if (!calendar_)
        return;

    // Month names under their columns, and a bar per month under them.
    const std::vector<MonthTotal> &months = calendar_->months();
    const QRect bars = barsRect();
    long long most = 1;
    for (const MonthTotal &month : months)
        most = std::max(most, month.seconds);
    const int barTop = bars.top() + metrics.height() + 4;
    const QStringList values = monthValueTexts();
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.85);
    const QFontMetrics smallMetrics(small);
    for (size_t i = 0; i < months.size(); ++i) {
        const MonthTotal &month = months[i];
        const int left = columnX(month.firstDay), right = columnX(month.firstDay + month.dayCount);
        const QRect nameRect(left, plot.bottom() + 3, right - left, metrics.height());
        painter.setPen(text);
        painter.setFont(font());
        const QString name = monthName(month.month);
        if (metrics.horizontalAdvance(name) <= nameRect.width())
            painter.drawText(nameRect, Qt::AlignCenter, name);
        painter.setPen(QColor(0, 0, 0, 40));
        painter.drawLine(left, plot.bottom() + 1, left, bars.bottom());

        const int barHeight = int(double(month.seconds) / double(most) * (bars.bottom() - barTop));
        const QRect bar(left + 3, bars.bottom() - barHeight, std::max(right - left - 6, 1), barHeight);
        painter.fillRect(bar, kInFrameColour);
        painter.setFont(small);
        painter.setPen(text);
        const QString value = values[qsizetype(i)];
        const QRect valueRect(left, bar.top() - smallMetrics.height() - 1, right - left, smallMetrics.height());
        if (smallMetrics.horizontalAdvance(value) <= valueRect.width())
            painter.drawText(valueRect, Qt::AlignCenter, value);
    }
    painter.setFont(font());
    painter.setPen(QColor(120, 120, 120));
    painter.drawLine(bars.left(), bars.bottom(), bars.right(), bars.bottom());
}

void YearChart::paintLegend(QPainter &painter, const QRect &plot)
{
    const QFontMetrics metrics(font());
    const int box = metrics.ascent() - 2;
    const std::pair<QColor, QString> entries[] = {{kNightColour, tr("nuit")},
                                                  {kDaylightColour, tr("jour")},
                                                  {kInFrameColour, tr("Soleil dans la fenêtre")}};
    int right = plot.right();
    const int y = (plot.top() - metrics.height()) / 2;
    for (auto it = std::rbegin(entries); it != std::rend(entries); ++it) {
        const int textWidth = metrics.horizontalAdvance(it->second);
        right -= textWidth;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(right, y, textWidth, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, it->second);
        right -= box + 5;
        const QRect swatch(right, y + (metrics.height() - box) / 2, box, box);
        painter.fillRect(swatch, it->first);
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(swatch);
        right -= 16;
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(plot.left(), y, right - plot.left(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     tr("Heures locales, jour par jour"));
}

} // namespace lumora
