// What the user is told when the sunshine file cannot be written: a held or
// protected file, or a full disk.
#include "analysis/surveyfailure.h"

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
            diskFull ? SurveyFile::Failure::DiskFull : SurveyFile::Failure::Refused, "/home/u/Export.csv", reason);
        QTEST(message.text, "text");
        QCOMPARE(message.detail, QStringLiteral("Impossible d'écrire /home/u/Export.csv : ") + reason);
    }
};

QTEST_GUILESS_MAIN(TestSurveyFailure)
#include "tst_surveyfailure.moc"
