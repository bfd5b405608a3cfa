// Times a 12-megapixel photo becoming the panorama's background: decoded
// (scaled while decoding, as the program does, and at full size), resampled
// into the azimuth × elevation grid and converted, for an ordinary photo and a
// 360° one, at the panorama's size and at twice it (a high-density screen).
// The photos are synthetic JPEGs written to a temporary folder first.
// Prints figures only.
#include "photo/photopanorama.h"
#include "syntheticphoto.h"
#include "spread.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>

using namespace lumora;

namespace {
using Clock = std::chrono::steady_clock;


void report(const char *what, const std::function<void()> &work, int runs = 10)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const Spread s = spread(ms);
    std::printf("%-64s mean %7.1f ms  median %7.1f  worst %7.1f\n", what, s.mean, s.median, s.worst);
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv); // the image format plugins
    QTemporaryDir dir;
    const QString photo = writeJpeg(dir, "photo.jpg", 4000, 3000);
    const QString pano = writeJpeg(dir, "pano.jpg", 4900, 2450);
    std::printf("12 MP photos, %u hardware threads\n", std::thread::hardware_concurrency());
    const PhotoPlacement placement{PhotoProjection::Rectilinear, 170, 25, 3, 66};
    const PhotoPlacement wrapped{PhotoProjection::Equirectangular, 40, 0, 0, 60};
    for (const QSize grid : {QSize(671, 289), QSize(1342, 578)}) {
        const QString size = QStringLiteral("%1 × %2").arg(grid.width()).arg(grid.height());
        report(qPrintable(QStringLiteral("photo loaded and resampled, grid %1").arg(size)),
               [&] { volatile bool ok = !loadPhotoPanorama(photo, placement, grid).grid.isNull(); (void)ok; });
        report(qPrintable(QStringLiteral("360° photo loaded and resampled, grid %1").arg(size)),
               [&] { volatile bool ok = !loadPhotoPanorama(pano, wrapped, grid).grid.isNull(); (void)ok; });
    }
    QImage full;
    report("photo decoded at full size", [&] { full = loadOrientedPhoto(photo, nullptr); }, 5);
    report("full-size photo resampled and converted, grid 1342 × 578",
           [&] { volatile bool ok = !resamplePhoto(full, placement, QSize(1342, 578)).isNull(); (void)ok; }, 5);
    return 0;
}
