// Loading a photo upright and resampling it into the panorama's grid.
#include "photo/photopanorama.h"

#include "photo/photometadata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>
#include <thread>
#include <vector>

namespace lumora {

namespace {
constexpr double kRad = std::numbers::pi / 180;

void fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

// The EXIF orientation as Qt's transformation: mirror or flip first, then a
// quarter turn clockwise.
QImage oriented(QImage image, int orientation)
{
    const bool mirror = orientation == 2 || orientation == 3 || orientation == 7;
    const bool flip = orientation == 3 || orientation == 4 || orientation == 5;
    if (mirror || flip)
        image = image.mirrored(mirror, flip);
    if (orientation >= 5)
        image = image.transformed(QTransform().rotate(orientation == 8 ? 270 : 90));
    return image;
}

// Photo pixels per grid pixel wanted along the way: about two.
int neededPhotoWidth(const PhotoPlacement &placement, QSize gridSize)
{
    const double gridPerDegree = std::max(gridSize.width() / 360.0, gridSize.height() / 90.0);
    double width = 0;
    if (placement.projection == PhotoProjection::Equirectangular)
        width = 2 * gridPerDegree * 360;
    else // at the image centre a photo pixel spans 1 / (k · kRad) degrees
        width = 2 * gridPerDegree * 2 * std::tan(placement.fieldOfView * kRad / 2) / kRad;
    return int(std::clamp(std::ceil(width), 1.0, 1e6));
}

// The transform from a direction to a photo pixel, with what varies per
// placement computed once.
struct Sampler {
    const QImage *photo = nullptr;
    PhotoPlacement placement;
    double f[3]{}, r[3]{}, u[3]{};
    double k = 0, cx = 0, cy = 0, w = 0, h = 0;

    Sampler(const QImage &image, const PhotoPlacement &p) : photo(&image), placement(p)
    {
        w = image.width();
        h = image.height();
        if (p.projection == PhotoProjection::Rectilinear) {
            const double a = p.azimuth * kRad, e = p.elevation * kRad, rho = p.roll * kRad;
            const double r0[3] = {std::cos(a), -std::sin(a), 0};
            const double u0[3] = {-std::sin(e) * std::sin(a), -std::sin(e) * std::cos(a), std::cos(e)};
            const double fv[3] = {std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)};
            for (int i = 0; i < 3; ++i) {
                f[i] = fv[i];
                r[i] = r0[i] * std::cos(rho) - u0[i] * std::sin(rho);
                u[i] = u0[i] * std::cos(rho) + r0[i] * std::sin(rho);
            }
            k = w / 2 / std::tan(p.fieldOfView * kRad / 2);
            cx = w / 2;
            cy = h / 2;
        }
    }

    // The photo's colour at continuous pixel (x, y), bilinear between pixel
    // centres; 0 (transparent) outside the image. wrapX: the columns wrap.
    QRgb sample(double x, double y, bool wrapX) const
    {
        if (!(y >= 0 && y <= h) || (!wrapX && !(x >= 0 && x <= w)))
            return 0;
        const int width = int(w), height = int(h);
        const double sx = x - 0.5, sy = std::clamp(y - 0.5, 0.0, h - 1);
        const double fx0 = std::floor(sx), fy0 = std::floor(sy);
        const double tx = sx - fx0, ty = sy - fy0;
        int x0 = int(fx0), x1 = x0 + 1;
        if (wrapX) {
            x0 = ((x0 % width) + width) % width;
            x1 = ((x1 % width) + width) % width;
        } else {
            x0 = std::clamp(x0, 0, width - 1);
            x1 = std::clamp(x1, 0, width - 1);
        }
        const int y0 = std::clamp(int(fy0), 0, height - 1), y1 = std::min(y0 + 1, height - 1);
        const auto *row0 = reinterpret_cast<const QRgb *>(photo->constScanLine(y0));
        const auto *row1 = reinterpret_cast<const QRgb *>(photo->constScanLine(y1));
        const QRgb p00 = row0[x0], p10 = row0[x1], p01 = row1[x0], p11 = row1[x1];
        const double w00 = (1 - tx) * (1 - ty), w10 = tx * (1 - ty), w01 = (1 - tx) * ty, w11 = tx * ty;
        const auto channel = [&](int shift) {
            const double v = w00 * ((p00 >> shift) & 0xff) + w10 * ((p10 >> shift) & 0xff) +
                             w01 * ((p01 >> shift) & 0xff) + w11 * ((p11 >> shift) & 0xff);
            return QRgb(v + 0.5) << shift; // v in [0, 255]
        };
        return channel(24) | channel(16) | channel(8) | channel(0);
    }

    // Rectilinear: the photo's colour along the direction (sin and cos of its
    // azimuth and elevation).
    QRgb along(double sinAz, double cosAz, double sinEl, double cosEl) const
    {
        const double d[3] = {cosEl * sinAz, cosEl * cosAz, sinEl};
        const double forward = d[0] * f[0] + d[1] * f[1] + d[2] * f[2];
        if (forward <= 1e-12)
            return 0;
        const double x = cx + k * (d[0] * r[0] + d[1] * r[1] + d[2] * r[2]) / forward;
        const double y = cy - k * (d[0] * u[0] + d[1] * u[1] + d[2] * u[2]) / forward;
        return sample(x, y, false);
    }
};
} // namespace

QImage loadOrientedPhoto(const QString &path, QString *error, int neededWidth)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        fail(error, QCoreApplication::translate("lumora::PhotoPanorama", "La photo « %1 » est introuvable.").arg(shown));
        return {};
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && qint64(stored.width()) * stored.height() > kMaxPhotoPixels) {
        fail(error, QCoreApplication::translate("lumora::PhotoPanorama", "La photo « %1 » est trop grande : %2 mégapixels, %3 au plus.")
                        .arg(shown)
                        .arg(qint64(stored.width()) * stored.height() / 1'000'000)
                        .arg(kMaxPhotoPixels / 1'000'000));
        return {};
    }
    // Qt's default allocation limit would refuse photos well under the limit
    // above; decoding one never needs more than this.
    static std::once_flag raised;
    std::call_once(raised, [] {
        if (QImageReader::allocationLimit() < 512)
            QImageReader::setAllocationLimit(512);
    });
    const QImageIOHandler::Transformations turn = reader.transformation();
    if (neededWidth > 0 && stored.isValid()) {
        const int uprightWidth = turn & QImageIOHandler::TransformationRotate90 ? stored.height() : stored.width();
        int factor = 1;
        while (factor < 8 && uprightWidth / (2 * factor) >= neededWidth)
            factor *= 2;
        if (factor > 1) // the JPEG decoder's own scaled sizes, rounded up
            reader.setScaledSize(QSize((stored.width() + factor - 1) / factor, (stored.height() + factor - 1) / factor));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        fail(error, QCoreApplication::translate("lumora::PhotoPanorama", "La photo « %1 » ne peut pas être lue : ce n'est pas une image connue, ou le fichier est abîmé.")
                        .arg(shown));
        return {};
    }
    // Formats whose Qt reader does not turn the picture by its EXIF tag.
    if (turn == QImageIOHandler::TransformationNone)
        image = oriented(std::move(image), readPhotoMetadata(path).orientation);
    return image;
}

QImage resamplePhoto(const QImage &photo, const PhotoPlacement &placement, QSize gridSize)
{
    if (gridSize.isEmpty())
        return {};
    QImage grid(gridSize, QImage::Format_ARGB32_Premultiplied);
    if (grid.isNull())
        return {};
    grid.fill(Qt::transparent);
    if (photo.isNull() || !isValidPlacement(placement))
        return grid;
    // RGB32 pixels are opaque premultiplied ones already.
    const QImage source = photo.format() == QImage::Format_RGB32 ? photo
                                                                 : photo.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const Sampler sampler(source, placement);
    const bool wraps = placement.projection == PhotoProjection::Equirectangular;
    const int width = gridSize.width(), height = gridSize.height();
    // Per column: the azimuth's sine and cosine, or a 360° photo's x.
    std::vector<double> sinAz(width), cosAz(width), wrappedX(width);
    for (int i = 0; i < width; ++i) {
        const double azimuth = (i + 0.5) * 360 / width;
        sinAz[i] = std::sin(azimuth * kRad);
        cosAz[i] = std::cos(azimuth * kRad);
        double offset = std::fmod(azimuth - placement.azimuth, 360.0);
        if (offset < 0)
            offset += 360;
        wrappedX[i] = offset / 360 * source.width();
    }
    uchar *const bits = grid.bits(); // once: scanLine() from several threads would race on the detach count
    const qsizetype stride = grid.bytesPerLine();
    const auto rows = [&](int first, int step) {
        for (int j = first; j < height; j += step) {
            const double elevation = 90 - (j + 0.5) * 90 / height;
            const double sinEl = std::sin(elevation * kRad), cosEl = std::cos(elevation * kRad);
            const double wrappedY = (90 - elevation) / 180 * source.height();
            auto *line = reinterpret_cast<QRgb *>(bits + j * stride);
            for (int i = 0; i < width; ++i)
                line[i] = wraps ? sampler.sample(wrappedX[i], wrappedY, true) : sampler.along(sinAz[i], cosAz[i], sinEl, cosEl);
        }
    };
    const int workers = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    std::vector<std::thread> threads;
    for (int t = 1; t < workers; ++t)
        threads.emplace_back(rows, t, workers);
    rows(0, workers);
    for (std::thread &thread : threads)
        thread.join();
    return grid;
}

PhotoLoad loadPhotoPanorama(const QString &path, const PhotoPlacement &placement, QSize gridSize)
{
    PhotoLoad result;
    const QImage photo = loadOrientedPhoto(path, &result.error, neededPhotoWidth(placement, gridSize));
    if (!photo.isNull())
        result.grid = resamplePhoto(photo, placement, gridSize);
    return result;
}

} // namespace lumora
