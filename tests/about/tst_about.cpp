// The About box: its version texts and the e-mail link.
#include "about/about.h"
#include "support/rows.h"

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

    // The e-mail link (the full version in its subject), the Quorel picture
    // and the site line; a link that could not be opened leaves the box open.
    void links_data()
    {
        addColumns<QString, QString, QString>("link", "address", "subject");
        QTest::newRow("e-mail") << "Label2" << QStringLiteral("mailto:") + kAuthorMailAddress << QLatin1String(kProductWord) + " V1.0.0";
        QTest::newRow("Quorel picture") << "Image1" << "https://www.quorel.example/" << "";
        QTest::newRow("free programs site") << "Label3" << "https://logiciels.example/" << "";
    }
    void links()
    {
        const auto [link, address, subject] = fetchColumns<QString, QString, QString>("link", "address", "subject");
        About about;
        QList<QUrl> opened;
        about.setUrlOpener([&opened](const QUrl &url) { opened << url; return false; });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<QLabel *>(link), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].toString(QUrl::RemoveQuery), address);
        QCOMPARE(QUrlQuery(opened[0]).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), subject);
        QVERIFY(about.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
