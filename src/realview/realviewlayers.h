// The real view painted on the panorama. The ground layer, under the Sun's
// course, is the skyline's dark silhouette over the picture's lower part
// (with its points as handles while it is being drawn). The window layer,
// over the course, dims the course where it runs behind the skyline and
// draws the measured window's outline: its inner face, its outer face
// (dashed) and the region both leave open, filled faintly. Both paint from
// the state set here, in panorama twips; outlines that pass 0°/360° show at
// both sides of the picture.
#pragma once

#include "analysis/measuredwindow.h"
#include "analysis/skyline.h"
#include "diagrams/panoramaview.h"

#include <QColor>
#include <QPainterPath>
#include <optional>

namespace lumora {

namespace realViewColours {
inline const QColor ground{34, 48, 42, 235};
inline const QColor veil{34, 48, 42, 150};  // over the course behind the skyline
inline const QColor outline{255, 0, 0};
inline const QColor open{255, 0, 0, 45};
inline const QColor handle{255, 255, 255};
} // namespace realViewColours

// Levels on the panorama, around the Sun's course's 0.
inline constexpr int kGroundLevel = -10;
inline constexpr int kWindowOutlineLevel = 10;

class RealViewPainting
{
public:
    RealViewPainting();

    // The skyline on show (empty: none) and the picture it is drawn on.
    void setSkyline(const Skyline &skyline, PictureSize picture);
    // The measured window's outline, or none (the frame is in force);
    // `deep`: the wall has a depth, so the outer face is drawn too.
    void setOutline(const std::optional<WindowOutline> &outline, bool deep, PictureSize picture);
    // While the skyline is drawn: its points show as handles, and a line of
    // help stands at the foot of the picture.
    void setEditing(bool editing, const QString &help = QString());

    PanoramaLayer *groundLayer() { return &ground_; }
    PanoramaLayer *windowLayer() { return &window_; }

    // The silhouette's area, panorama twips (empty without a skyline).
    const QPainterPath &silhouette() const { return silhouette_; }

private:
    struct Ground : PanoramaLayer {
        RealViewPainting *owner = nullptr;
        void paintLayer(QPainter &painter, const PanoramaView &view) override;
    };
    struct Window : PanoramaLayer {
        RealViewPainting *owner = nullptr;
        void paintLayer(QPainter &painter, const PanoramaView &view) override;
    };

    Ground ground_;
    Window window_;
    Skyline skyline_;
    PictureSize picture_;
    QPainterPath silhouette_;
    bool hasOutline_ = false;
    QPainterPath innerFace_, outerFace_, open_, openBorder_;
    bool deep_ = false;
    bool editing_ = false;
    QString help_;
};

} // namespace lumora
