// Ordering of the aperture bars and placement of the frame lines and labels.
#include "diagrams/windowframe.h"

#include "common/formats.h"

#include <algorithm>

namespace lumora {

namespace {

// The correction for one out-of-order pair (low > high), or nothing when the
// bar that moved is not one of this pair.
std::optional<BarSetting> orderPair(int low, int high, FrameBar which, FrameBar lowBar,
                                    FrameBar highBar, int max)
{
    long long asked = 0;
    int current = 0;
    if (which == lowBar) {
        asked = static_cast<long long>(high) - 1;
        current = low;
    } else if (which == highBar) {
        asked = static_cast<long long>(low) + 1;
        current = high;
    } else {
        return std::nullopt;
    }
    const int value = static_cast<int>(std::clamp<long long>(asked, 0, std::max(max, 0)));
    if (value == current)
        return std::nullopt;
    return BarSetting{which, value};
}

QString degrees(float value, NumberPattern pattern, const QLocale &locale)
{
    return formatNumber(double(value), pattern, locale) + u'°';
}

} // namespace

FrameDecision decideFrame(ApertureValues v, FrameBar which, int hMax, int vMax)
{
    FrameDecision decision;
    if (v.left > v.right) {
        decision.correction = orderPair(v.left, v.right, which, FrameBar::Left, FrameBar::Right, hMax);
        return decision;
    }
    if (v.top > v.bottom) {
        decision.correction = orderPair(v.top, v.bottom, which, FrameBar::Top, FrameBar::Bottom, vMax);
        return decision;
    }
    decision.draw = true;
    return decision;
}

FrameLines frameLinesFor(ApertureValues v)
{
    const float left = float(v.left), right = float(v.right);
    const float top = float(v.top), bottom = float(v.bottom);
    FrameLines lines;
    lines.top = {left, top, right, top};
    lines.bottom = {left, bottom, right, bottom};
    lines.left = {left, top, left, bottom};
    lines.right = {right, top, right, bottom};
    return lines;
}

std::array<FrameLabel, 4> frameLabels(const FrameLines &lines, QSizeF labelSize, PictureSize pic,
                                      const QLocale &locale)
{
    const float width = float(labelSize.width());
    const float height = float(labelSize.height());
    const float dx = width / 2 - 50;
    const float dy = height / 2;

    // Positions are kept as 32-bit floats throughout, as the controls hold them.
    std::array<float, 4> top{lines.bottom.y1 + 100, lines.bottom.y1 + 100, lines.top.y1 - dy,
                             lines.bottom.y1 - dy};
    std::array<float, 4> left{lines.left.x1 - dx, lines.right.x1 - dx, (lines.left.x1 - 300) - dx,
                              (lines.left.x1 - 300) - dx};

    const std::array<float, 4> value{lines.left.x1 * 360 / pic.width, lines.right.x1 * 360 / pic.width,
                                     90 - lines.top.y1 * 90 / pic.height,
                                     90 - lines.bottom.y1 * 90 / pic.height};

    // Keep labels inside the picture's bottom edge.
    for (float &t : top) {
        if (t > pic.height - height)
            t -= 400;
    }
    // Azimuth labels side by side rather than overlapping.
    if (left[1] - left[0] < width)
        left[1] += width;
    // Elevation labels one under the other rather than overlapping.
    if (top[3] - top[2] < height)
        top[3] += height;

    std::array<FrameLabel, 4> labels;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i].topLeft = QPointF(left[i], top[i]);
        labels[i].caption = degrees(value[i], kPattern00, locale);
        labels[i].toolTip = degrees(value[i], kPattern00_00, locale);
    }
    return labels;
}

} // namespace lumora
