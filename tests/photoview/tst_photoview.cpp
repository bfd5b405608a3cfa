// The photo in the main window, on its own INI store with a fixed clock: a
// photo chosen shows where its placement puts it (not mirrored), at the
// opacity chosen, and is kept in the group "Photo"; a kept photo that is gone
// or unreadable gives a message and the plain field, the settings untouched;
// the frame's edges dragged on the panorama move the bars; the placement
// dialog's Sun click (in the photo's zone or the computer's) and two
// landmarks place the photo, and "Annuler" puts back what was in force.
#include "astro/julianday.h"
#include "photo/photoplacement.h"
#include "photoview/photocontroller.h"
#include "support/testwindow.h"

#include <cmath>

using namespace lumora;
using namespace lumora::testing;

namespace {
const QColor kLeft(220, 60, 40), kRight(40, 60, 220), kBackground(0, 192, 192);

PhotoController *photoOf(MainWindow &w) { return w.findChild<PhotoController *>(); }

// A photo whose left half is one colour and right half another.
QString writePhoto(const QString &folder, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kLeft);
    QPainter(&image).fillRect(size.width() / 2, 0, size.width(), size.height(), kRight);
    const QString path = QDir(folder).filePath(QStringLiteral("photo.png"));
    return image.save(path) ? path : QString();
}

QColor panoramaColour(MainWindow &w, double azimuth, double elevation)
{
    const PictureSize picture;
    return ui(w).panorama->grab().toImage().pixelColor(int(azimuthToX(azimuth, picture) / 15),
                                                       int(elevationToY(elevation, picture) / 15));
}
bool near(const QColor &a, const QColor &b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}
#define QVERIFY_COLOUR(actual, expected)                                                                               \
    QVERIFY2(near(actual, expected), qPrintable(QStringLiteral("%1, expected %2").arg(actual.name(), expected.name())))

QString kept(const TestWindow &w, const QString &key)
{
    return QSettings(w.iniPath(), QSettings::IniFormat).value(QStringLiteral("Photo/") + key).toString();
}
} // namespace

class TestPhotoView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        setZone("Europe/Paris"); // a photo time without offset is read in it
        fixClock(utc(2026, 6, 21, 12, 0));
    }
    void cleanupTestCase() { setClockSource({}); }

    void chosenPhotoShownAndKept_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("projection");
        QTest::newRow("ordinary photo, centred on the frame") << QSize(400, 300) << "rectilinear";
        QTest::newRow("360° photo, left edge north") << QSize(600, 300) << "equirectangular";
    }
    void chosenPhotoShownAndKept()
    {
        QFETCH(QSize, size);
        QFETCH(QString, projection);
        TestWindow w;
        setFrame(*w, 4000, 6000, 1000, 3000);
        PhotoController *photo = photoOf(*w);
        QSignalSpy shown(photo, &PhotoController::shown);
        photo->choosePhoto(writePhoto(w.folder(), size));
        QVERIFY(shown.wait(10000));
        QCOMPARE(kept(w, QStringLiteral("Projection")), projection);
        QCOMPARE(kept(w, QStringLiteral("File")), photo->current().file);

        // Left of the photo's middle its left half, right of it its right half.
        const PictureSize picture;
        const bool ordinary = projection == u"rectilinear";
        const double middle = ordinary ? xToAzimuth(5000, picture) : 180;
        const double elevation = ordinary ? yToElevation(2000, picture) : 80;
        QVERIFY_COLOUR(panoramaColour(*w, middle - 10, elevation), kLeft);
        QVERIFY_COLOUR(panoramaColour(*w, middle + 10, elevation), kRight);
        if (ordinary) // a 60° photo does not reach behind the observer
            QVERIFY_COLOUR(panoramaColour(*w, middle - 150, elevation), kBackground);

        photo->opacityAction(50)->trigger();
        QCOMPARE(kept(w, QStringLiteral("Opacity")), QStringLiteral("50"));
        const QColor half((kLeft.red() + kBackground.red()) / 2, (kLeft.green() + kBackground.green()) / 2,
                          (kLeft.blue() + kBackground.blue()) / 2);
        QVERIFY_COLOUR(panoramaColour(*w, middle - 10, elevation), half);

        photo->clearPhoto();
        QVERIFY_COLOUR(panoramaColour(*w, middle - 10, elevation), kBackground);
        QCOMPARE(kept(w, QStringLiteral("File")), QString());
    }

    void keptPhotoUnreadable_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("the file is gone") << QByteArray();
        QTest::newRow("the file is no image") << QByteArray("not a photo\n");
    }
    void keptPhotoUnreadable()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("photo.jpg"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        }
        const QString iniPath = dir.filePath(QStringLiteral("Lumora.ini"));
        {
            QSettings ini(iniPath, QSettings::IniFormat);
            ini.setValue(QStringLiteral("Photo/File"), path);
            ini.setValue(QStringLiteral("Photo/Azimuth"), QStringLiteral("200.5"));
            ini.setValue(QStringLiteral("Horizon/Points"), QStringLiteral("0:5 180:12.5"));
        }
        QSettings store(iniPath, QSettings::IniFormat);
        MainWindow w(&store, std::make_unique<FakeTray>());
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(w.findChild<QMessageBox *>(QStringLiteral("PhotoMessage")), 10000);
        QVERIFY(w.findChild<QMessageBox *>(QStringLiteral("PhotoMessage"))->text().contains(u"photo"));
        QVERIFY(!photoOf(w)->layer().shown());
        QVERIFY_COLOUR(panoramaColour(w, 180, 80), kBackground);
        QCOMPARE(store.value(QStringLiteral("Photo/File")).toString(), path);
        QCOMPARE(store.value(QStringLiteral("Photo/Azimuth")).toString(), QStringLiteral("200.5"));
        QCOMPARE(w.observation().skyline.points().size(), size_t(2));
    }

    void frameEdgeDraggedOnThePhoto_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QList<int>>("bars"); // left, right, upper, lower; -1: unchanged
        // The frame 4000..6000 × 1000..3000 twips: pixels 266.7..400 × 66.7..200.
        QTest::newRow("left edge to the east") << QPoint(268, 150) << QPoint(300, 150) << QList{4500, -1, -1, -1};
        QTest::newRow("lower edge up") << QPoint(330, 198) << QPoint(330, 150) << QList{-1, -1, -1, 2250};
        QTest::newRow("upper edge beyond the top") << QPoint(330, 66) << QPoint(330, -20) << QList{-1, -1, 0, -1};
        QTest::newRow("inside the frame: nothing moves") << QPoint(330, 130) << QPoint(360, 100)
                                                         << QList{-1, -1, -1, -1};
    }
    void frameEdgeDraggedOnThePhoto()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QList<int>, bars);
        TestWindow w;
        setFrame(*w, 4000, 6000, 1000, 3000);
        PhotoController *photo = photoOf(*w);
        QSignalSpy shown(photo, &PhotoController::shown);
        photo->choosePhoto(writePhoto(w.folder(), QSize(400, 300)));
        QVERIFY(shown.wait(10000));
        photo->frameAction()->trigger();
        QVERIFY(photo->frameTracing());
        PanoramaView *panorama = ui(*w).panorama;
        QTest::mousePress(panorama, Qt::LeftButton, {}, from);
        QTest::mouseMove(panorama, (from + to) / 2);
        QTest::mouseMove(panorama, to);
        QTest::mouseRelease(panorama, Qt::LeftButton, {}, to);
        const WindowControls c = ui(*w);
        const std::array<int, 4> was{4000, 6000, 1000, 3000};
        const QScrollBar *bar[4] = {c.frameLeftBar, c.frameRightBar, c.frameTopBar, c.frameBottomBar};
        for (int i = 0; i < 4; ++i) {
            const int expected = bars[i] < 0 ? was[size_t(i)] : bars[i];
            QVERIFY2(std::abs(bar[i]->value() - expected) <= 15,
                     qPrintable(QStringLiteral("bar %1: %2, expected %3").arg(i).arg(bar[i]->value()).arg(expected)));
        }
        QCOMPARE(panorama->frameLines().left.x1, float(c.frameLeftBar->value()));
        QTest::keyClick(panorama, Qt::Key_Escape);
        QVERIFY(!photo->frameTracing());
    }

    void dialogPlacesThePhoto_data()
    {
        QTest::addColumn<QDateTime>("taken");  // as the photo's EXIF gives it
        QTest::addColumn<bool>("hasOffset");
        QTest::addColumn<bool>("landmarks");
        QTest::addColumn<QSize>("photoSize"); // 2:1, a 360° photo: only the azimuth is fitted
        QTest::addColumn<QByteArray>("siteZone"); // empty: the computer's (Paris)
        const QDateTime summer(QDate(2026, 6, 21), QTime(14, 0), Qt::OffsetFromUTC, 2 * 3600);
        const QSize ordinary(400, 300);
        QTest::newRow("Sun clicked, EXIF time with its offset") << summer << true << false << ordinary << QByteArray();
        QTest::newRow("Sun clicked, EXIF time without offset: Paris time")
            << QDateTime(QDate(2026, 6, 21), QTime(14, 0), Qt::UTC) << false << false << ordinary << QByteArray();
        QTest::newRow("Sun clicked, EXIF time without offset: the site's zone")
            << QDateTime(QDate(2026, 6, 21), QTime(8, 0), Qt::UTC) << false << false << ordinary
            << QByteArray("America/Toronto");
        QTest::newRow("Sun clicked on a 360° photo") << summer << true << false << QSize(600, 300) << QByteArray();
        QTest::newRow("two landmarks, elevations known") << QDateTime() << false << true << ordinary << QByteArray();
    }
    void dialogPlacesThePhoto()
    {
        QFETCH(QDateTime, taken);
        QFETCH(bool, hasOffset);
        QFETCH(bool, landmarks);
        QFETCH(QSize, photoSize);
        QFETCH(QByteArray, siteZone);
        const bool wide = photoSize.width() == 2 * photoSize.height();
        TestWindow w;
        PhotoController *photo = photoOf(*w);
        QSignalSpy shown(photo, &PhotoController::shown);
        photo->choosePhoto(writePhoto(w.folder(), photoSize));
        QVERIFY(shown.wait(10000));
        const PhotoPlacement before = photo->current().placement;
        PhotoPlacementDialog *dialog = photo->openDialog();
        QVERIFY(dialog && dialog->isVisible());

        const SiteLocation paris{48.85, -2.35};
        const QSizeF size(photoSize);
        PhotoMetadata metadata;
        if (taken.isValid())
            metadata.taken = taken;
        metadata.takenHasOffset = hasOffset;
        dialog->setPhoto(photo->photo(), metadata, paris, siteZone.isEmpty() ? QTimeZone() : QTimeZone(siteZone));
        // Where each clicked pixel must end up looking.
        std::vector<std::pair<QPointF, SkyPoint>> references;
        if (landmarks) {
            const PhotoPlacement truth{PhotoProjection::Rectilinear, 200, 5, 3, 60};
            dialog->calibrationBox()->setCurrentIndex(int(PhotoPlacementDialog::Calibration::TwoLandmarks));
            for (int i = 0; i < 2; ++i) {
                const QPointF pixel = i == 0 ? QPointF(60, 120) : QPointF(330, 210);
                const SkyPoint direction = *photoPixelDirection(truth, size, pixel);
                dialog->landmarkAzimuth(i)->setValue(direction.azimuth);
                dialog->landmarkElevationKnown(i)->setChecked(true);
                dialog->landmarkElevation(i)->setValue(direction.elevation);
                dialog->clickPhoto(pixel);
                references.emplace_back(pixel, direction);
            }
        } else {
            dialog->calibrationBox()->setCurrentIndex(int(PhotoPlacementDialog::Calibration::SunClick));
            const SunPosition sun = SolarPosition(*JulianDay(21, 6, 2026), 12.0, paris); // 12:00 UT
            dialog->clickPhoto(QPointF(250, 100));
            references.emplace_back(QPointF(250, 100), SkyPoint{sun.azimuth, sun.elevation});
        }
        // On show at once, before OK; within the fields' hundredths of a degree.
        QCOMPARE(photo->current().placement, dialog->placement());
        for (const auto &[pixel, direction] : references) {
            const SkyPoint seen = *photoPixelDirection(dialog->placement(), size, pixel);
            const double off = wide ? std::fabs(std::remainder(seen.azimuth - direction.azimuth, 360.0))
                                    : angularDistance(seen, direction);
            QVERIFY2(off < 0.03,
                     qPrintable(QStringLiteral("%1° %2° seen, expected %3° %4°")
                                    .arg(seen.azimuth).arg(seen.elevation).arg(direction.azimuth).arg(direction.elevation)));
        }
        QVERIFY(dialog->residualLabel()->text().contains(u'°'));
        dialog->reject();
        QCOMPARE(photo->current().placement, before);
    }
};

QTEST_MAIN(TestPhotoView)
#include "tst_photoview.moc"
