// What the user is told when the sunshine file cannot be written: a held or
// protected file, or a full disk.
#include "mainwindow/surveyfailure.h"

#include <QTest>

#include <cerrno>
#include <cstring>

using namespace lumora;

namespace {
// The system's own text for an error number.
QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }
} // namespace

class TestSurveyFailure : public QObject
{
    Q_OBJECT

private slots:
    void kind_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("no space left") << ENOSPC << true;
        QTest::newRow("quota exceeded") << EDQUOT << true;
        QTest::newRow("file-size limit") << EFBIG << true;
        QTest::newRow("permission denied") << EACCES << false;
        QTest::newRow("a folder in the way") << EISDIR << false;
        QTest::newRow("read-only file system") << EROFS << false;
    }
    void kind()
    {
        QFETCH(int, error);
        QFETCH(bool, diskFull);
        const auto expected = diskFull ? SurveyFailureKind::DiskFull : SurveyFailureKind::HeldOrProtected;
        QCOMPARE(surveyFailureKind(error), expected);
        QCOMPARE(surveyFailureKind(systemText(error)), expected);
    }

    void messages_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("text");
        QTest::newRow("held") << false << "fermer le fichier dans excel";
        QTest::newRow("disk full") << true << "Le disque est plein : le fichier d'ensoleillement n'a pas pu être écrit.";
    }
    void messages()
    {
        QFETCH(bool, diskFull);
        const QString reason = systemText(diskFull ? ENOSPC : EACCES);
        const SurveyFailureMessage message = surveyFailureMessage(
            diskFull ? SurveyFailureKind::DiskFull : SurveyFailureKind::HeldOrProtected, "/home/u/Export.csv", reason);
        QTEST(message.text, "text");
        QCOMPARE(message.detail, QStringLiteral("Impossible d'écrire /home/u/Export.csv : ") + reason);
    }
};

QTEST_GUILESS_MAIN(TestSurveyFailure)
#include "tst_surveyfailure.moc"
