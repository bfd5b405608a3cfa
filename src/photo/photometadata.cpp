// Reading a photo's EXIF block with exiv2.
#include "photo/photometadata.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

#include <cmath>
#include <mutex>
#include <numbers>

namespace lumora {

namespace {
void initialiseExiv2()
{
    // exiv2 asks multi-threaded callers to set its XMP parser up once; its
    // warnings about odd files are not ours to print.
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

const Exiv2::Exifdatum *find(const Exiv2::ExifData &exif, const char *key)
{
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    return it == exif.end() || it->count() == 0 ? nullptr : &*it;
}

std::optional<double> positive(const Exiv2::ExifData &exif, const char *key)
{
    const Exiv2::Exifdatum *datum = find(exif, key);
    if (!datum)
        return std::nullopt;
    const Exiv2::Rational r = datum->toRational(0);
    const double value = r.second != 0 ? double(r.first) / double(r.second) : double(datum->toFloat(0));
    if (!std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

// Millimetres per unit of FocalPlaneResolutionUnit (EXIF: 2 inch, 3 cm; the
// DNG additions 4 mm and 5 µm).
std::optional<double> millimetresPerUnit(long unit)
{
    switch (unit) {
    case 2: return 25.4;
    case 3: return 10.0;
    case 4: return 1.0;
    case 5: return 0.001;
    default: return std::nullopt;
    }
}

double fovDegrees(double width, double focal) { return 2 * std::atan(width / (2 * focal)) * 180 / std::numbers::pi; }

std::optional<QDateTime> takenAt(const Exiv2::ExifData &exif, bool *hasOffset)
{
    const Exiv2::Exifdatum *datum = find(exif, "Exif.Photo.DateTimeOriginal");
    if (!datum)
        return std::nullopt;
    const QString text = QString::fromStdString(datum->toString()).trimmed();
    const QDateTime wall = QDateTime::fromString(text.left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    if (!wall.isValid())
        return std::nullopt;
    const QDateTime asWritten(wall.date(), wall.time(), Qt::UTC);
    if (const Exiv2::Exifdatum *offset = find(exif, "Exif.Photo.OffsetTimeOriginal")) {
        const QString o = QString::fromStdString(offset->toString()).trimmed();
        bool hoursOk = false, minutesOk = false;
        const int hours = o.mid(1, 2).toInt(&hoursOk), minutes = o.mid(4, 2).toInt(&minutesOk);
        if (o.size() == 6 && (o[0] == u'+' || o[0] == u'-') && o[3] == u':' && hoursOk && minutesOk && hours <= 14 &&
            minutes < 60) {
            const int seconds = (o[0] == u'-' ? -1 : 1) * (hours * 3600 + minutes * 60);
            *hasOffset = true;
            return QDateTime(wall.date(), wall.time(), Qt::OffsetFromUTC, seconds);
        }
    }
    return asWritten;
}
} // namespace

PhotoMetadata readPhotoMetadata(const QString &path)
{
    PhotoMetadata result;
    initialiseExiv2();
    try {
        // exiv2 0.27 hands out a std::auto_ptr; only its get() is used.
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        if (!image.get())
            return result;
        image->readMetadata();
        const Exiv2::ExifData &exif = image->exifData();
        if (exif.empty())
            return result;

        if (const Exiv2::Exifdatum *o = find(exif, "Exif.Image.Orientation")) {
            const long value = o->toLong(0);
            if (value >= 1 && value <= 8)
                result.orientation = int(value);
        }
        const bool turned = result.orientation >= 5; // 5–8 swap the stored width and height
        double storedWidth = image->pixelWidth(), storedHeight = image->pixelHeight();
        if (const auto w = positive(exif, "Exif.Photo.PixelXDimension"))
            storedWidth = *w;
        if (const auto h = positive(exif, "Exif.Photo.PixelYDimension"))
            storedHeight = *h;
        const bool known = storedWidth > 0 && storedHeight > 0;
        const double shownWidth = turned ? storedHeight : storedWidth;
        const double shownHeight = turned ? storedWidth : storedHeight;

        if (const auto f35 = positive(exif, "Exif.Photo.FocalLengthIn35mmFilm")) {
            // 36 mm along the longer side.
            const double across = known && shownWidth < shownHeight ? 36 * shownWidth / shownHeight : 36;
            result.horizontalFieldOfView = fovDegrees(across, *f35);
        } else if (const auto focal = positive(exif, "Exif.Photo.FocalLength")) {
            const auto xResolution = positive(exif, "Exif.Photo.FocalPlaneXResolution");
            const Exiv2::Exifdatum *unit = find(exif, "Exif.Photo.FocalPlaneResolutionUnit");
            const auto mm = millimetresPerUnit(unit ? unit->toLong(0) : 2); // EXIF's default unit is the inch
            if (xResolution && mm && known) {
                const double sensorWidth = storedWidth / *xResolution * *mm; // along the stored x axis
                const double across = turned ? sensorWidth * storedHeight / storedWidth : sensorWidth;
                result.horizontalFieldOfView = fovDegrees(across, *focal);
            }
        }
        result.taken = takenAt(exif, &result.takenHasOffset);
    } catch (...) {
        // exiv2 reports unreadable files and damaged blocks by exceptions:
        // whatever was read before stands, the rest keeps its default.
    }
    return result;
}

} // namespace lumora
