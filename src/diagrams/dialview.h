// The azimuth dial and the elevation dial: a picture that shows
// only the Sun's current direction, painted from its state.
#pragma once

#include "astro/solarposition.h"

#include <QWidget>
#include <optional>

namespace lumora {

class DialView : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Azimuth, Elevation };

    // The owner sets the widget's size; the dial's geometry follows its width
    // (and height, for the compass) in twips, 15 per pixel.
    explicit DialView(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

    // Shows this Sun position instead of whatever was shown (only the current
    // position is ever on the dial). Schedules a repaint; never paints at once,
    // so many calls in a row cost one painting.
    void showSun(const SunPosition &sun);

    // Blank picture, background only, until the next showSun().
    void clear();

    bool isShowing() const { return m_sun.has_value(); }
    std::optional<SunPosition> shownSun() const { return m_sun; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    std::optional<SunPosition> m_sun;
};

} // namespace lumora
