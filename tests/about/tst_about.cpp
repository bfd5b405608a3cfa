// The About box: version texts, its controls, its links and "Retour".
#include "about/about.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

using namespace lumora;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void versionLine_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("expected");
        QTest::newRow("this release, no revision shown") << 1 << 0 << "Lumora Version: 1.0";
        QTest::newRow("two-digit minor, no leading zeros") << 2 << 13 << "Lumora Version: 2.13";
    }
    void versionLine()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, expected);
        QCOMPARE(lumora::versionLine({major, minor, 7}), expected);
    }

    void mailSubjectEndsWithFullVersion()
    {
        const QUrl mail = authorMailUrl();
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), QLatin1String(kAuthorMailAddress));
        const QString subject = QUrlQuery(mail).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
        QVERIFY2(subject.endsWith(QStringLiteral(" V1.0.0")), qPrintable(subject));
        QVERIFY(QUrlQuery(authorMailUrl({1, 2, 3})).queryItemValue("subject").endsWith(" V1.2.3"));
    }

    void controlsAndTexts()
    {
        About about;
        QCOMPARE(about.objectName(), QStringLiteral("About"));
        QCOMPARE(about.windowTitle(), QStringLiteral("A Propos..."));
        QVERIFY(!about.isModal());
        QCOMPARE(about.findChild<QLabel *>("Label1(2)")->text(), QStringLiteral("Lumora Version: 1.0"));
        QCOMPARE(about.findChild<QLabel *>("Label2")->text(), QStringLiteral("Envoyer un coucou à l'auteur..."));
        QVERIFY(about.findChild<QLabel *>("Label3")->text().startsWith(QStringLiteral("Site de logiciels gratuits ")));
        QVERIFY(about.findChild<QLabel *>("Label1(0)")->text().contains(QStringLiteral("Meeus")));
        QCOMPARE(about.findChild<QLabel *>("Image1")->pixmap().size(), QSize(200, 163));
        // Over the links the pointer is the program's icon.
        QCOMPARE(about.findChild<QLabel *>("Label2")->cursor().shape(), Qt::BitmapCursor);
    }

    void linksOpenTheirAddress_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("picture: Quorel website") << "Image1" << QUrl(QLatin1String(kQuorelSiteUrl));
        QTest::newRow("Label3: author's website") << "Label3" << QUrl(QLatin1String(kAuthorSiteUrl));
        QTest::newRow("Label2: e-mail") << "Label2" << authorMailUrl();
    }
    void linksOpenTheirAddress()
    {
        QFETCH(QString, control);
        QFETCH(QUrl, expected);
        About about;
        QList<QUrl> opened;
        about.setUrlOpener([&opened](const QUrl &url) {
            opened << url;
            return false; // a link that cannot be opened leaves the box open
        });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<QLabel *>(control), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{expected});
        QVERIFY(about.isVisible());
    }

    void retourEmitsReturned()
    {
        auto *about = new About;
        about->show();
        QSignalSpy returned(about, &About::returned);
        QTest::mouseClick(about->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        QCOMPARE(returned.count(), 1);
        QVERIFY(!about->isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
