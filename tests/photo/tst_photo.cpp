// The photo panorama. Pixels of hand-worked directions and round trips over
// placements (roll, high elevations, the seam, 360° photos); fits recovering a
// known placement; markers drawn at known directions found again at the
// panorama's own coordinates; EXIF tags written with exiv2 and read back;
// files that must be refused; the settings group as written by hand.
#include "astro/julianday.h"
#include "astro/solarposition.h"
#include "diagrams/geometry.h"
#include "photo/photometadata.h"
#include "photo/photopanorama.h"
#include "photo/photosettings.h"

#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <exiv2/exiv2.hpp>

#include <cmath>
#include <numbers>

using namespace lumora;
Q_DECLARE_METATYPE(lumora::PhotoPlacement)
Q_DECLARE_METATYPE(lumora::SkyPoint)
Q_DECLARE_METATYPE(lumora::PhotoSettings)

namespace {
PhotoPlacement rect(double az, double el, double roll, double fov)
{
    return {PhotoProjection::Rectilinear, az, el, roll, fov};
}
PhotoPlacement equi(double leftEdge) { return {PhotoProjection::Equirectangular, leftEdge, 0, 0, 60}; }
double angleGap(double a, double b) { return std::abs(std::remainder(a - b, 360.0)); }
double tanDeg(double d) { return std::tan(d * std::numbers::pi / 180); }
double atanDeg(double x) { return std::atan(x) * 180 / std::numbers::pi; }
const double none = std::nan("");
QString describe(const PhotoPlacement &p)
{
    return QString::asprintf("az %.8f el %.8f roll %.8f fov %.8f", p.azimuth, p.elevation, p.roll, p.fieldOfView);
}
bool writeFile(const QString &path, const QByteArray &content)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(content) == content.size();
}

// A small picture, left half red and right half blue, with EXIF tags
// ("Exif.Image.Orientation=6"…) written into it by exiv2.
QString writePhoto(const QString &path, const QStringList &tags)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, 20, 20, Qt::red);
    if (!image.save(path))
        return {};
    auto file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    file->readMetadata();
    Exiv2::ExifData exif;
    for (const QString &tag : tags)
        exif[tag.section(u'=', 0, 0).toStdString()] = tag.section(u'=', 1).toStdString();
    file->setExifData(exif);
    file->writeMetadata();
    return path;
}
} // namespace

class TestPhoto : public QObject
{
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void projection_data()
    {
        QTest::addColumn<PhotoPlacement>("placement");
        QTest::addColumn<QSizeF>("image");
        QTest::addColumn<SkyPoint>("probe");
        QTest::addColumn<QPointF>("probePixel"); // worked out by hand from the definition
        QTest::newRow("level, south: 45° right is the right edge")
            << rect(180, 0, 0, 90) << QSizeF(1000, 500) << SkyPoint{225, 0} << QPointF(1000, 250);
        QTest::newRow("centre 355°: 40° lies 45° right, across north")
            << rect(355, 0, 0, 90) << QSizeF(1000, 500) << SkyPoint{40, 0} << QPointF(1000, 250);
        QTest::newRow("turned 90° clockwise: the sky is on the left")
            << rect(90, 0, 90, 90) << QSizeF(1000, 1000) << SkyPoint{90, 45} << QPointF(0, 500);
        QTest::newRow("80° up: the zenith 10° above the middle")
            << rect(0, 80, 0, 90) << QSizeF(800, 600) << SkyPoint{0, 90} << QPointF(400, 300 - 400 * tanDeg(10));
        QTest::newRow("30° down, roll -15°: the centre")
            << rect(250, -30, -15, 50) << QSizeF(640, 480) << SkyPoint{250, -30} << QPointF(320, 240);
        QTest::newRow("360° photo, left edge east")
            << equi(90) << QSizeF(2000, 1000) << SkyPoint{180, 45} << QPointF(500, 250);
        QTest::newRow("360° photo, just short of its seam")
            << equi(90) << QSizeF(2000, 1000) << SkyPoint{80, -30} << QPointF(2000 * 350 / 360.0, 1000 * 120 / 180.0);
    }

    void projection()
    {
        QFETCH(PhotoPlacement, placement);
        QFETCH(QSizeF, image);
        QFETCH(SkyPoint, probe);
        QFETCH(QPointF, probePixel);
        const QPointF pixel = photoDirectionPixel(placement, image, probe).value_or(QPointF(none, none));
        QVERIFY2(QLineF(pixel, probePixel).length() < 1e-6, qPrintable(QString::asprintf("%.9f %.9f", pixel.x(), pixel.y())));
        const bool wraps = placement.projection == PhotoProjection::Equirectangular;
        for (int i = 0; i <= 8; ++i)
            for (int j = 0; j <= 8; ++j) {
                const QPointF p(image.width() * i / 8, image.height() * j / 8);
                const QPointF there = photoDirectionPixel(placement, image, *photoPixelDirection(placement, image, p))
                                          .value_or(QPointF(none, none));
                const double dx = wraps ? std::remainder(there.x() - p.x(), image.width()) : there.x() - p.x();
                QVERIFY2(std::hypot(dx, there.y() - p.y()) < 1e-6, qPrintable(QString::asprintf("%g %g", p.x(), p.y())));
            }
        if (!wraps) // the direction opposite the centre is behind the camera
            QVERIFY(!photoDirectionPixel(placement, image, {placement.azimuth + 180, -placement.elevation}));
    }

    void fits_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<PhotoPlacement>("truth");
        QTest::addColumn<QPointF>("first");
        QTest::addColumn<QPointF>("second");
        QTest::addColumn<int>("elevationsKnown"); // 2 both, 1 the first's, 0 none
        QTest::newRow("Sun clicked high in a photo tilted up 40°, roll 5°")
            << "sun" << rect(200, 40, 5, 65) << QPointF(3100, 600) << QPointF() << 2;
        QTest::newRow("Sun clicked above the middle, 70° up, centre just west of north, roll -10°")
            << "sun" << rect(358, 70, -10, 80) << QPointF(2500, 1200) << QPointF() << 2;
        QTest::newRow("Sun clicked in a 360° photo")
            << "equirectangular" << equi(75) << QPointF(1234, 700) << QPointF() << 2;
        QTest::newRow("two landmarks with elevations, roll 12°")
            << "two" << rect(135, 15, 12, 55) << QPointF(500, 2000) << QPointF(3600, 1200) << 2;
        QTest::newRow("two landmarks with elevations, 60° up, wide, across north, roll -25°")
            << "two" << rect(5, 60, -25, 100) << QPointF(300, 2500) << QPointF(3800, 400) << 2;
        QTest::newRow("two landmarks, the first's elevation known")
            << "two" << rect(300, 20, 0, 70) << QPointF(800, 1800) << QPointF(3500, 1000) << 1;
        QTest::newRow("two landmarks, azimuths only: a level camera")
            << "two" << rect(45, 0, 0, 60) << QPointF(200, 1500) << QPointF(3900, 1700) << 0;
    }

    void fits()
    {
        QFETCH(QString, kind);
        QFETCH(PhotoPlacement, truth);
        QFETCH(QPointF, first);
        QFETCH(QPointF, second);
        QFETCH(int, elevationsKnown);
        const QSizeF image = kind == u"equirectangular" ? QSizeF(4000, 2000) : QSizeF(4032, 3024);
        const PhotoReference a{first, *photoPixelDirection(truth, image, first), elevationsKnown >= 1};
        std::optional<PhotoFit> fit;
        if (kind == u"sun")
            fit = fitFromOneReference(a, image, truth.fieldOfView, truth.roll);
        else if (kind == u"equirectangular")
            fit = fitEquirectangularFromReference(a, image);
        else
            fit = fitFromTwoReferences(a, {second, *photoPixelDirection(truth, image, second), elevationsKnown == 2}, image);
        QVERIFY(fit);
        const PhotoPlacement &got = fit->placement;
        QVERIFY2(angleGap(got.azimuth, truth.azimuth) < 1e-6 && std::abs(got.elevation - truth.elevation) < 1e-6 &&
                     angleGap(got.roll, truth.roll) < 1e-6 && std::abs(got.fieldOfView - truth.fieldOfView) < 1e-6 &&
                     got.projection == truth.projection, qPrintable(describe(got)));
        QCOMPARE(fit->residuals.size(), kind == u"two" ? 2u : 1u);
        for (const double residual : fit->residuals)
            QVERIFY2(residual < 1e-6, qPrintable(QString::number(residual)));
    }

    void markersOnGrid_data()
    {
        QTest::addColumn<PhotoPlacement>("placement");
        QTest::addColumn<QSize>("photoSize");
        QTest::addColumn<QList<QPointF>>("markers"); // (azimuth, elevation)
        QTest::newRow("tilted up 30°, roll 20°")
            << rect(150, 30, 20, 60) << QSize(600, 450) << QList<QPointF>{{130, 25}, {165, 45}, {150, 30}};
        QTest::newRow("across north") << rect(5, 10, 0, 70) << QSize(700, 500) << QList<QPointF>{{340, 5}, {25, 20}, {5, 10}};
        QTest::newRow("75° up, the zenith in view")
            << rect(90, 75, -8, 90) << QSize(800, 600) << QList<QPointF>{{90, 75}, {60, 60}, {130, 62}};
        QTest::newRow("360° photo, left edge 100°")
            << equi(100) << QSize(1440, 720) << QList<QPointF>{{104, 10}, {355, 60}, {250, 30}};
    }

    // Each marker is a square of its own colour, about 2° wide, drawn where the
    // placement puts its direction; the grid is then searched for that colour.
    void markersOnGrid()
    {
        QFETCH(PhotoPlacement, placement);
        QFETCH(QSize, photoSize);
        QFETCH(QList<QPointF>, markers);
        const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        QImage photo(photoSize, QImage::Format_RGB32);
        photo.fill(Qt::darkGray);
        QPainter painter(&photo);
        const bool wraps = placement.projection == PhotoProjection::Equirectangular;
        const double side = photoSize.width() / (wraps ? 180.0 : placement.fieldOfView / 2);
        for (qsizetype m = 0; m < markers.size(); ++m) {
            const auto at = photoDirectionPixel(placement, photoSize, {markers[m].x(), markers[m].y()});
            QVERIFY(at && QRectF(QPointF(), QSizeF(photoSize)).contains(*at));
            painter.fillRect(QRectF(*at - QPointF(side, side) / 2, QSizeF(side, side)), colours[m]);
        }
        painter.end();
        const QString path = dir_.filePath(QStringLiteral("markers.png"));
        QVERIFY(photo.save(path));
        const PictureSize grid{720, 360};
        const PhotoLoad load = loadPhotoPanorama(path, placement, QSize(720, 360));
        QVERIFY2(load.error.isEmpty(), qPrintable(load.error));
        for (qsizetype m = 0; m < markers.size(); ++m) {
            double sx = 0, sy = 0, n = 0;
            for (int y = 0; y < load.grid.height(); ++y)
                for (int x = 0; x < load.grid.width(); ++x)
                    if (load.grid.pixel(x, y) == colours[m]) // inside the marker, not blended with its edge
                        sx += x + 0.5, sy += y + 0.5, n += 1;
            const QPointF found(sx / n, sy / n), expected(azimuthToX(markers[m].x(), grid), elevationToY(markers[m].y(), grid));
            QVERIFY2(n > 0 && std::abs(found.x() - expected.x()) <= 1 && std::abs(found.y() - expected.y()) <= 1,
                     qPrintable(QString::asprintf("marker %d at %g %g (%g pixels)", int(m), found.x(), found.y(), n)));
        }
    }

    void metadata_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QPoint>("red"); // a pixel of the picture's left half, once loaded upright
        QTest::addColumn<double>("fov"); // NaN: none
        QTest::addColumn<QDateTime>("taken");
        const QStringList landscape{"Exif.Photo.PixelXDimension=4000", "Exif.Photo.PixelYDimension=3000"};
        // 26 mm equivalent: 36 mm across a 3:2 frame seen from 26 mm.
        QTest::newRow("26 mm equivalent, landscape") << "a.jpg" << landscape + QStringList{"Exif.Photo.FocalLengthIn35mmFilm=26"}
                                                     << 1 << QPoint(10, 10) << 2 * atanDeg(18.0 / 26) << QDateTime();
        QTest::newRow("26 mm equivalent, orientation 6: a quarter turn clockwise, upright")
            << "b.jpg" << landscape + QStringList{"Exif.Photo.FocalLengthIn35mmFilm=26", "Exif.Image.Orientation=6"} << 6
            << QPoint(10, 5) << 2 * atanDeg(13.5 / 26) << QDateTime();
        QTest::newRow("orientation 8: a quarter turn the other way")
            << "c.jpg" << QStringList{"Exif.Image.Orientation=8"} << 8 << QPoint(10, 35) << none << QDateTime();
        QTest::newRow("PNG, orientation 3: a half turn")
            << "d.png" << QStringList{"Exif.Image.Orientation=3"} << 3 << QPoint(35, 10) << none << QDateTime();
        // 4000 pixels at 16000 per inch: a 6.35 mm wide sensor behind a 5 mm lens.
        QTest::newRow("focal length and sensor resolution")
            << "e.jpg" << landscape + QStringList{"Exif.Photo.FocalLength=5/1", "Exif.Photo.FocalPlaneXResolution=16000/1",
                                                  "Exif.Photo.FocalPlaneResolutionUnit=2"}
            << 1 << QPoint(10, 10) << 2 * atanDeg(6.35 / 10) << QDateTime();
        QTest::newRow("time with its offset, 14:00 at UTC+2")
            << "f.jpg" << QStringList{"Exif.Photo.DateTimeOriginal=2026:06:21 14:00:00", "Exif.Photo.OffsetTimeOriginal=+02:00"}
            << 1 << QPoint(10, 10) << none << QDateTime(QDate(2026, 6, 21), QTime(14, 0), Qt::OffsetFromUTC, 7200);
        QTest::newRow("time without offset: the wall clock as written")
            << "g.jpg" << QStringList{"Exif.Photo.DateTimeOriginal=2026:01:05 08:30:15"} << 1 << QPoint(10, 10) << none
            << QDateTime(QDate(2026, 1, 5), QTime(8, 30, 15), Qt::UTC);
        QTest::newRow("no EXIF at all") << "h.jpg" << QStringList() << 1 << QPoint(10, 10) << none << QDateTime();
    }

    void metadata()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, tags);
        QFETCH(int, orientation);
        QFETCH(QPoint, red);
        QFETCH(double, fov);
        QFETCH(QDateTime, taken);
        const QString path = writePhoto(dir_.filePath(file), tags);
        const PhotoMetadata meta = readPhotoMetadata(path);
        QCOMPARE(meta.orientation, orientation);
        const QImage upright = loadOrientedPhoto(path, nullptr);
        QCOMPARE(upright.size(), orientation >= 5 ? QSize(20, 40) : QSize(40, 20));
        QVERIFY2(QColor(upright.pixel(red)).red() > 200, qPrintable(QColor(upright.pixel(red)).name()));
        QCOMPARE(meta.horizontalFieldOfView.value_or(none), fov);
        QCOMPARE(meta.taken.value_or(QDateTime()), taken); // the same instant
        QCOMPARE(meta.takenHasOffset, taken.timeSpec() == Qt::OffsetFromUTC);
        if (!meta.takenHasOffset)
            return;
        // The Sun clicked in a photo of Paris taken then recovers its placement.
        const SiteLocation paris{48.85, -2.35};
        const QSizeF image(4000, 3000);
        const SunPosition sun = SolarPosition(*JulianDay(21, 6, 2026), 12, paris);
        const auto pixel = photoDirectionPixel(rect(170, 45, 3, 66), image, {sun.azimuth, sun.elevation});
        const PhotoFit fit = fitFromSunClick(pixel.value_or(QPointF()), *meta.taken, paris, image, 66, 3);
        QVERIFY2(angleGap(fit.placement.azimuth, 170) < 1e-6 && std::abs(fit.placement.elevation - 45) < 1e-6,
                 qPrintable(describe(fit.placement)));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("a file that is no picture") << "text.jpg" << QByteArray("not a picture\n") << "ne peut pas être lue";
        QTest::newRow("a file that has vanished") << "gone.jpg" << QByteArray() << "introuvable";
        QTest::newRow("a 30000 × 30000 picture, refused before decoding")
            << "huge.pgm" << QByteArray("P5\n30000 30000\n255\n") << "trop grande : 900 mégapixels, 100 au plus";
    }

    void refusals()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QString path = dir_.filePath(file);
        QVERIFY(content.isEmpty() || writeFile(path, content));
        const PhotoLoad load = loadPhotoPanorama(path, rect(180, 0, 0, 60), QSize(720, 360));
        QVERIFY2(load.grid.isNull() && load.error.contains(error) && load.error.contains(path), qPrintable(load.error));
    }

    void settings_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<PhotoSettings>("expected");
        QTest::newRow("as written by hand") << "File=/home/ana/fenetre.jpg\nProjection=rectilinear\nAzimuth=187.5\nElevation=12.25\n"
                                               "Roll=-3.5\nFieldOfView=66.4\nOpacity=70\n"
                                            << PhotoSettings{"/home/ana/fenetre.jpg", rect(187.5, 12.25, -3.5, 66.4), 70};
        QTest::newRow("a 360° photo, its left edge at -90")
            << "File=pano.jpg\nProjection=equirectangular\nAzimuth=-90\n" << PhotoSettings{"pano.jpg", equi(270), 100};
        QTest::newRow("values out of range or unreadable take their defaults")
            << "Projection=fisheye\nAzimuth=abc\nElevation=95\nRoll=nan\nFieldOfView=180\nOpacity=150\n" << PhotoSettings{};
        QTest::newRow("a decimal comma is no number") << "Elevation=\"12,5\"\nOpacity=-4\n" << PhotoSettings{{}, {}, 0};
        QTest::newRow("no group") << "" << PhotoSettings{};
    }

    void settings()
    {
        QFETCH(QString, ini);
        QFETCH(PhotoSettings, expected);
        const QString path = dir_.filePath(QStringLiteral("settings.ini"));
        QVERIFY(writeFile(path, ini.isEmpty() ? QByteArray() : "[Photo]\n" + ini.toUtf8()));
        QSettings store(path, QSettings::IniFormat);
        const PhotoSettings read = readPhotoSettings(store);
        QVERIFY2(read == expected, qPrintable(describe(read.placement)));
        QCOMPARE(read.file, expected.file);
        // What is written reads back the same, extremes and a comma included.
        const PhotoSettings changed{read.file + QStringLiteral(", é"), {read.placement.projection, 359.5, -89.5, 0.1, 179.5}, 0};
        QVERIFY(writePhotoSettings(store, changed));
        QSettings again(path, QSettings::IniFormat);
        QVERIFY(readPhotoSettings(again) == changed);
    }
};

QTEST_MAIN(TestPhoto)
#include "tst_photo.moc"
