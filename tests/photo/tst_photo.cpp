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

namespace {
PhotoPlacement rect(double az, double el, double roll, double fov)
{
    return {PhotoProjection::Rectilinear, az, el, roll, fov};
}
PhotoPlacement equi(double leftEdge) { return {PhotoProjection::Equirectangular, leftEdge, 0, 0, 60}; }
double angleGap(double a, double b) { return std::abs(std::remainder(a - b, 360.0)); }
double tanDeg(double d) { return std::tan(d * std::numbers::pi / 180); }
double atanDeg(double x) { return std::atan(x) * 180 / std::numbers::pi; }

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
private slots:
    void projection_data();
    void projection();
    void fits_data();
    void fits();
    void markersOnGrid_data();
    void markersOnGrid();
    void metadata_data();
    void metadata();
    void loading_data();
    void loading();
    void settings_data();
    void settings();

private:
    QTemporaryDir dir_;
};

void TestPhoto::projection_data()
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

void TestPhoto::projection()
{
    QFETCH(PhotoPlacement, placement);
    QFETCH(QSizeF, image);
    QFETCH(SkyPoint, probe);
    QFETCH(QPointF, probePixel);
    const auto pixel = photoDirectionPixel(placement, image, probe);
    QVERIFY(pixel);
    QVERIFY2(QLineF(*pixel, probePixel).length() < 1e-6,
             qPrintable(QStringLiteral("pixel %1 %2").arg(pixel->x()).arg(pixel->y())));
    const bool wraps = placement.projection == PhotoProjection::Equirectangular;
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 8; ++j) {
            const QPointF p(image.width() * i / 8, image.height() * j / 8);
            const auto there = photoDirectionPixel(placement, image, *photoPixelDirection(placement, image, p));
            QVERIFY(there);
            const double dx = wraps ? std::remainder(there->x() - p.x(), image.width()) : there->x() - p.x();
            QVERIFY2(std::hypot(dx, there->y() - p.y()) < 1e-6, qPrintable(QStringLiteral("pixel %1 %2 came back as %3 %4")
                                                                         .arg(p.x()).arg(p.y()).arg(there->x()).arg(there->y())));
        }
    if (!wraps) // the direction opposite the centre is behind the camera
        QVERIFY(!photoDirectionPixel(placement, image, {placement.azimuth + 180, -placement.elevation}));
}

void TestPhoto::fits_data()
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

void TestPhoto::fits()
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
                 got.projection == truth.projection,
             qPrintable(QStringLiteral("fitted az %1 el %2 roll %3 fov %4")
                            .arg(got.azimuth, 0, 'f', 8).arg(got.elevation, 0, 'f', 8).arg(got.roll, 0, 'f', 8).arg(got.fieldOfView, 0, 'f', 8)));
    QCOMPARE(fit->residuals.size(), kind == u"two" ? 2u : 1u);
    for (const double residual : fit->residuals)
        QVERIFY2(residual < 1e-6, qPrintable(QString::number(residual)));
}

void TestPhoto::markersOnGrid_data()
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
void TestPhoto::markersOnGrid()
{
    QFETCH(PhotoPlacement, placement);
    QFETCH(QSize, photoSize);
    QFETCH(QList<QPointF>, markers);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    QImage photo(photoSize, QImage::Format_RGB32);
    photo.fill(Qt::darkGray);
    QPainter painter(&photo);
    const double side = placement.projection == PhotoProjection::Equirectangular ? photoSize.width() / 180.0
                                                                                 : photoSize.width() / placement.fieldOfView * 2;
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
            for (int x = 0; x < load.grid.width(); ++x) {
                const QColor c = load.grid.pixelColor(x, y);
                if (c.alpha() == 255 && std::abs(c.red() - colours[m].red()) + std::abs(c.green() - colours[m].green()) +
                                                std::abs(c.blue() - colours[m].blue()) < 60) {
                    sx += x + 0.5, sy += y + 0.5, n += 1;
                }
            }
        const QPointF found(sx / n, sy / n), expected(azimuthToX(markers[m].x(), grid), elevationToY(markers[m].y(), grid));
        QVERIFY2(n > 0 && std::abs(found.x() - expected.x()) <= 1 && std::abs(found.y() - expected.y()) <= 1,
                 qPrintable(QStringLiteral("marker %1 found at %2 %3 (%4 pixels), expected %5 %6")
                                .arg(m).arg(found.x()).arg(found.y()).arg(n).arg(expected.x()).arg(expected.y())));
    }
}

void TestPhoto::metadata_data()
{
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("fov"); // NaN: none
    QTest::addColumn<QDateTime>("taken");
    QTest::addColumn<bool>("hasOffset");
    const double none = std::nan("");
    const QStringList landscape{"Exif.Photo.PixelXDimension=4000", "Exif.Photo.PixelYDimension=3000"};
    // 26 mm equivalent: 36 mm across a 3:2 frame seen from 26 mm.
    QTest::newRow("26 mm equivalent, landscape") << landscape + QStringList{"Exif.Photo.FocalLengthIn35mmFilm=26"} << 1
                                                 << 2 * atanDeg(18.0 / 26) << QDateTime() << false;
    QTest::newRow("26 mm equivalent, turned upright by orientation 6")
        << landscape + QStringList{"Exif.Photo.FocalLengthIn35mmFilm=26", "Exif.Image.Orientation=6"} << 6
        << 2 * atanDeg(13.5 / 26) << QDateTime() << false;
    // 4000 pixels at 16000 per inch: a 6.35 mm wide sensor behind a 5 mm lens.
    QTest::newRow("focal length and sensor resolution")
        << landscape + QStringList{"Exif.Photo.FocalLength=5/1", "Exif.Photo.FocalPlaneXResolution=16000/1",
                                   "Exif.Photo.FocalPlaneResolutionUnit=2"}
        << 1 << 2 * atanDeg(6.35 / 10) << QDateTime() << false;
    QTest::newRow("time with its offset, 14:00 at UTC+2")
        << QStringList{"Exif.Photo.DateTimeOriginal=2026:06:21 14:00:00", "Exif.Photo.OffsetTimeOriginal=+02:00"} << 1 << none
        << QDateTime(QDate(2026, 6, 21), QTime(12, 0), Qt::UTC) << true;
    QTest::newRow("time without offset: the wall clock as written")
        << QStringList{"Exif.Photo.DateTimeOriginal=2026:01:05 08:30:15"} << 1 << none
        << QDateTime(QDate(2026, 1, 5), QTime(8, 30, 15), Qt::UTC) << false;
    QTest::newRow("no EXIF at all") << QStringList() << 1 << none << QDateTime() << false;
}

void TestPhoto::metadata()
{
    QFETCH(QStringList, tags);
    QFETCH(int, orientation);
    QFETCH(double, fov);
    QFETCH(QDateTime, taken);
    QFETCH(bool, hasOffset);
    const PhotoMetadata meta = readPhotoMetadata(writePhoto(dir_.filePath(QStringLiteral("tags.jpg")), tags));
    QCOMPARE(meta.orientation, orientation);
    QCOMPARE(meta.horizontalFieldOfView.has_value(), !std::isnan(fov));
    if (meta.horizontalFieldOfView)
        QVERIFY2(std::abs(*meta.horizontalFieldOfView - fov) < 1e-9, qPrintable(QString::number(*meta.horizontalFieldOfView)));
    QCOMPARE(meta.taken.has_value(), taken.isValid());
    QCOMPARE(meta.takenHasOffset, hasOffset);
    if (!meta.taken)
        return;
    QCOMPARE(hasOffset ? meta.taken->toUTC() : *meta.taken, taken);
    if (!hasOffset)
        return;
    // The Sun clicked in a photo of Paris taken then recovers its placement.
    const SiteLocation paris{48.85, -2.35};
    const QSizeF image(4000, 3000);
    const PhotoPlacement truth = rect(170, 45, 3, 66);
    const SunPosition sun = SolarPosition(*JulianDay(21, 6, 2026), 12, paris);
    const auto pixel = photoDirectionPixel(truth, image, {sun.azimuth, sun.elevation});
    QVERIFY(pixel);
    const PhotoFit fit = fitFromSunClick(*pixel, *meta.taken, paris, image, 66, 3);
    QVERIFY2(angleGap(fit.placement.azimuth, 170) < 1e-6 && std::abs(fit.placement.elevation - 45) < 1e-6,
             qPrintable(QStringLiteral("az %1 el %2").arg(fit.placement.azimuth).arg(fit.placement.elevation)));
}

void TestPhoto::loading_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("red"); // a pixel of the picture's left half, once upright
    QTest::addColumn<QString>("error");
    const QStringList turn{"Exif.Image.Orientation=%1"};
    QTest::newRow("JPEG, orientation 6: a quarter turn clockwise")
        << "a.jpg" << QStringList{turn[0].arg(6)} << QSize(20, 40) << QPoint(10, 5) << "";
    QTest::newRow("JPEG, orientation 8: a quarter turn the other way")
        << "b.jpg" << QStringList{turn[0].arg(8)} << QSize(20, 40) << QPoint(10, 35) << "";
    QTest::newRow("PNG, orientation 3: a half turn")
        << "c.png" << QStringList{turn[0].arg(3)} << QSize(40, 20) << QPoint(35, 10) << "";
    QTest::newRow("a file that is no picture") << "text.jpg" << QStringList() << QSize(0, 0) << QPoint() << "ne peut pas être lue";
    QTest::newRow("a file that has vanished") << "gone.jpg" << QStringList() << QSize(0, 0) << QPoint() << "introuvable";
    QTest::newRow("a 30000 × 30000 picture, refused before decoding")
        << "huge.pgm" << QStringList() << QSize(0, 0) << QPoint() << "trop grande : 900 mégapixels, 100 au plus";
}

void TestPhoto::loading()
{
    QFETCH(QString, file);
    QFETCH(QStringList, tags);
    QFETCH(QSize, size);
    QFETCH(QPoint, red);
    QFETCH(QString, error);
    const QString path = dir_.filePath(file);
    if (file == u"text.jpg" || file == u"huge.pgm") {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file == u"huge.pgm" ? "P5\n30000 30000\n255\n" : "not a picture\n");
    } else if (!tags.isEmpty()) {
        QVERIFY(!writePhoto(path, tags).isEmpty());
    }
    QString message;
    const QImage image = loadOrientedPhoto(path, &message);
    QVERIFY2(error.isEmpty() ? message.isEmpty() : message.contains(error) && message.contains(path), qPrintable(message));
    QCOMPARE(image.size(), size);
    if (!image.isNull())
        QVERIFY2(QColor(image.pixel(red)).red() > 200, qPrintable(QColor(image.pixel(red)).name()));
}

void TestPhoto::settings_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<PhotoPlacement>("placement");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("opacity");
    QTest::newRow("as written by hand")
        << "File=/home/ana/fenetre.jpg\nProjection=rectilinear\nAzimuth=187.5\nElevation=12.25\nRoll=-3.5\n"
           "FieldOfView=66.4\nOpacity=70\n"
        << rect(187.5, 12.25, -3.5, 66.4) << "/home/ana/fenetre.jpg" << 70;
    QTest::newRow("a 360° photo, its left edge at -90") << "File=pano.jpg\nProjection=equirectangular\nAzimuth=-90\n"
                                                        << PhotoPlacement{PhotoProjection::Equirectangular, 270, 0, 0, 60}
                                                        << "pano.jpg" << 100;
    QTest::newRow("values out of range or unreadable take their defaults")
        << "Projection=fisheye\nAzimuth=abc\nElevation=95\nRoll=nan\nFieldOfView=180\nOpacity=150\n" << PhotoPlacement{}
        << "" << 100;
    QTest::newRow("a decimal comma is no number") << "Elevation=\"12,5\"\nOpacity=-4\n" << PhotoPlacement{} << "" << 0;
    QTest::newRow("no group") << "" << PhotoPlacement{} << "" << 100;
}

void TestPhoto::settings()
{
    QFETCH(QString, ini);
    QFETCH(PhotoPlacement, placement);
    QFETCH(QString, file);
    QFETCH(int, opacity);
    const QString path = dir_.filePath(QStringLiteral("settings.ini"));
    QFile::remove(path);
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(ini.isEmpty() ? QByteArray() : "[Photo]\n" + ini.toUtf8());
    out.close();
    QSettings store(path, QSettings::IniFormat);
    const PhotoSettings read = readPhotoSettings(store);
    QCOMPARE(read.file, file);
    QCOMPARE(read.opacity, opacity);
    QVERIFY(read.placement == placement);
    // What is written reads back the same.
    PhotoSettings changed = read;
    changed.placement.roll += 0.1;
    changed.file += QStringLiteral(", é");
    QVERIFY(writePhotoSettings(store, changed));
    QSettings again(path, QSettings::IniFormat);
    QVERIFY(readPhotoSettings(again) == changed);
}

QTEST_MAIN(TestPhoto)
#include "tst_photo.moc"
