// The settings as the window keeps them: the twelve keys written on closing
// and read at the next start, bar values the bars cannot take, and a settings
// file that cannot be written or is no file at all.
#include "support/testwindow.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace lumora;
using namespace lumora::testing;

namespace {
QString frameCaptions(MainWindow &w)
{
    QStringList captions;
    for (QLabel *label : ui(w).frameEdgeLabels)
        captions << label->text();
    return captions.join(u' ');
}

QList<int> barValues(MainWindow &w)
{
    const WindowControls c = ui(w);
    return {c.frameLeftBar->value(), c.frameRightBar->value(), c.frameTopBar->value(), c.frameBottomBar->value()};
}
} // namespace

class TestWindowSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        tzset();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        fixClock(utc(2026, 6, 21, 12, 0));
    }

    // Every key written, and read back by the next start.
    void allTwelveKeys_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("close box") << true;
        QTest::newRow("Quitter") << false;
    }
    void allTwelveKeys()
    {
        QFETCH(bool, closeBox);
        TestWindow w;
        const WindowControls c = ui(*w);
        setFrame(*w, 2000, 8000, 500, 3000);
        c.latitudeDegreesEdit->setText(QStringLiteral("33"));
        c.latitudeMinutesEdit->setText(QStringLiteral("15"));
        c.longitudeDegreesEdit->setText(QStringLiteral("71"));
        c.longitudeMinutesEdit->setText(QStringLiteral("4x"));
        click(c.southButton);
        click(c.westButton);
        if (closeBox)
            QVERIFY(w->close());
        else
            QTest::mouseClick(c.quitButton, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QFile file(w.iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The INI text as written: Nord O1, Sud O2, Ouest O3, Est O4.
        QCOMPARE(QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{"[DATA]", "HS1=2000", "HS2=8000", "O1=Faux", "O2=Vrai", "O3=Vrai", "O4=Faux", "T1=33",
                              "T2=15", "T3=71", "T4=4x", "VS1=500", "VS2=3000"}));

        QSettings store(w.iniPath(), QSettings::IniFormat);
        MainWindow again(&store, std::make_unique<FakeTray>());
        const WindowControls r = ui(again);
        QCOMPARE(barValues(again), (QList<int>{2000, 8000, 500, 3000}));
        QCOMPARE((QStringList{r.latitudeDegreesEdit->text(), r.latitudeMinutesEdit->text(),
                              r.longitudeDegreesEdit->text(), r.longitudeMinutesEdit->text()}),
                 (QStringList{"33", "15", "71", "4x"}));
        QVERIFY(r.southButton->isChecked() && !r.northButton->isChecked());
        QVERIFY(r.westButton->isChecked() && !r.eastButton->isChecked());
    }

    // A bar value the bar can take is restored, even at its end; any other
    // gives that bar its first-run value (left 1000, right 9065, top 1000,
    // bottom 3335), never a frame turned inside out.
    void restoredBars_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("bars"); // left, right, top, bottom
        QTest::newRow("right edge beyond 16 bits") << "HS2" << "99999999" << QList<int>{1000, 9065, 1000, 3335};
        QTest::newRow("right edge not a number") << "HS2" << "abc" << QList<int>{1000, 9065, 1000, 3335};
        QTest::newRow("left edge past the picture") << "HS1" << "20000" << QList<int>{1000, 9065, 1000, 3335};
        QTest::newRow("lower edge negative") << "VS2" << "-5" << QList<int>{1000, 9065, 1000, 3335};
        QTest::newRow("right edge at the picture's end") << "HS2" << "10065" << QList<int>{1000, 10065, 1000, 3335};
        QTest::newRow("lower edge at the horizon") << "VS2" << "4335" << QList<int>{1000, 9065, 1000, 4335};
        QTest::newRow("upper edge at the zenith") << "VS1" << "0" << QList<int>{1000, 9065, 0, 3335};
    }
    void restoredBars()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QList<int>, bars);
        TestWindow w({{key, stored}});
        QCOMPARE(barValues(*w), bars);
        QVERIFY2(!frameCaptions(*w).contains(u"XXX"), qPrintable(frameCaptions(*w)));
    }

    // Settings that cannot be kept: the user is told which file and why
    // before the program ends, and it ends once the message is read.
    void unsavedSettingsAreReported()
    {
        TestWindow w;
        QVERIFY(QDir().mkpath(w.iniPath())); // a folder where the file goes
        QTest::mouseClick(ui(*w).quitButton, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QPointer<QMessageBox> box = w->findChild<QMessageBox *>(QStringLiteral("SettingsMessage"));
        QVERIFY(box && box->isVisible());
        QVERIFY(box->text().startsWith(u"Les réglages n'ont pas pu être enregistrés"));
        QCOMPARE(box->informativeText(), QStringLiteral("Impossible d'écrire %1 : %2")
                                             .arg(w.iniPath(), QString::fromLocal8Bit(std::strerror(EISDIR))));
        box->close();
        QTRY_VERIFY(box.isNull());
    }

    // Lines that cannot be read are no failure to save.
    void unreadableLinesSavedQuietly()
    {
        TestWindow w;
        {
            QFile file(w.iniPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[DATA]\nnot a setting\n");
        }
        QTest::mouseClick(ui(*w).quitButton, Qt::LeftButton);
        QVERIFY(!w->findChild<QMessageBox *>(QStringLiteral("SettingsMessage")));
        QFile file(w.iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("HS2=9065"));
    }

    // A named pipe in place of the per-user file: never opened (that would
    // wait for ever), the first-run values, a message, nothing written.
    void pipeInPlaceOfTheSettingsFile()
    {
        QTemporaryDir config;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", saved); });
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Lumora")));
        const QString pipe = config.filePath(QStringLiteral("Lumora/Lumora.conf"));
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);

        MainWindow w(nullptr, std::make_unique<FakeTray>());
        w.show();
        QCOMPARE(barValues(w), (QList<int>{1000, 9065, 1000, 3335}));
        QTRY_VERIFY(w.findChild<QMessageBox *>(QStringLiteral("SettingsMessage")));
        QVERIFY(w.findChild<QMessageBox *>(QStringLiteral("SettingsMessage"))->informativeText().contains(pipe));
        QTest::mouseClick(ui(w).quitButton, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        struct stat info {};
        QVERIFY(lstat(QFile::encodeName(pipe).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    }
};

QTEST_MAIN(TestWindowSettings)
#include "tst_windowsettings.moc"
