// The About box: its version texts and the e-mail link.
#include "about/about.h"

#include <QLabel>
#include <QTest>
#include <QUrlQuery>

using namespace lumora;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void versionLineShowsMajorAndMinorOnly()
    {
        QCOMPARE(versionLine({2, 13, 7}), QStringLiteral("Lumora Version: 2.13"));
        About about;
        QCOMPARE(about.findChild<QLabel *>("Label1(2)")->text(), QStringLiteral("Lumora Version: 1.0"));
    }

    void mailLinkOpensWithFullVersionInSubject()
    {
        About about;
        QList<QUrl> opened;
        about.setUrlOpener([&opened](const QUrl &url) { opened << url; return false; });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<QLabel *>("Label2"), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].scheme() + ':' + opened[0].path(), QStringLiteral("mailto:") + kAuthorMailAddress);
        const QString subject = QUrlQuery(opened[0]).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
        QCOMPARE(subject, QLatin1String(kProductWord) + " V1.0.0");
        QVERIFY(about.isVisible()); // a link that could not be opened leaves the box open
    }

    // The Quorel picture leads to the Quorel site, the site line to the author's.
    void siteLinks_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address");
        QTest::newRow("Quorel picture") << "Image1" << "https://www.quorel.example/";
        QTest::newRow("free programs site") << "Label3" << "https://logiciels.example/";
    }
    void siteLinks()
    {
        QFETCH(QString, link);
        QFETCH(QString, address);
        About about;
        QList<QUrl> opened;
        about.setUrlOpener([&opened](const QUrl &url) { opened << url; return true; });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<QLabel *>(link), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl(address)});
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
