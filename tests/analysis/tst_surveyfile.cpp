// The sunshine file as a survey leaves it on the disk: the new file takes the
// old one's place only when the survey is closed (also after a stop), until
// then (a kill) or on a full disk the previous file is left byte for byte, a
// stale temporary file is taken over, a protected file or folder and a file being written by
// another survey are refused, names are the bytes given, where the file goes,
// and what the user is told when it cannot be written.
#include "analysis.h"
#include "analysis/sunshineengine.h"
#include "analysis/surveyfailure.h"
#include "support/files.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// The previous survey's file.
const QByteArray kPrevious = QByteArray("\r\n21/06/2025 12:00;184,0;64,4\r\n").repeated(200);

// A survey at 80° N from 21 June 2026, where the Sun never sets, so that every
// pass writes a line; the 1-minute step. Stops after `passes` passes (0: none
// but the survey's end), as a stop by the user does.
PassOutcome survey(SurveyFile &file, int passes)
{
    SunshineEngine e;
    e.site = {80, 0};
    e.setDate(21, 6, 2026), e.prepareSurvey(), e.startSearch();
    PassOutcome outcome = PassOutcome::Progress;
    for (int i = 0; outcome == PassOutcome::Progress && (passes == 0 || i < passes); ++i)
        outcome = e.searchPass(true, &file, 3).outcome;
    return outcome;
}

QString part(const QString &path) { return path + QStringLiteral(".part"); }

// Root may write anywhere: a protection is tried as "nobody" (the saved user ID gives root back).
template <class Step> auto asNobody(bool wanted, Step step)
{
    const bool root = wanted && ::geteuid() == 0;
    if (root && ::setresuid(65534, 65534, 0) != 0)
        qFatal("setresuid");
    const auto result = step();
    if (root && ::setresuid(0, 0, 0) != 0)
        qFatal("setresuid");
    return result;
}

const QFile::Permissions kReadOnly(0x5555); // r-x for everyone
} // namespace

class TestSurveyFile : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QString path;
private slots:
    void initTestCase()
    {
        // Open to "nobody" for the tests of protections.
        QVERIFY(QFile::setPermissions(home.path(), QFile::Permissions(0x7777)));
        qputenv("HOME", home.path().toLocal8Bit()); // Documents lands in it
        QStandardPaths::setTestModeEnabled(true);
        std::signal(SIGXFSZ, SIG_IGN);
    }
    void init()
    {
        path = home.filePath(QStringLiteral("Export.csv"));
        QVERIFY(writeFile(path, kPrevious));
        QFile::remove(part(path));
    }

    // Stopped by the user: the lines surveyed so far replace the old file,
    // each having reached the disk as it was made; a killed survey's
    // temporary file is taken over.
    void replacedOnlyWhenClosed()
    {
        SurveyFile file;
        QVERIFY(writeFile(part(path), "stale") && file.create(path));
        QCOMPARE(contents(part(path)), QByteArray("\r\n"));
        QCOMPARE(survey(file, 10), PassOutcome::Progress);
        QCOMPARE(contents(path), kPrevious);
        QCOMPARE(contents(part(path)).count("\r\n"), 11);
        QVERIFY(file.close());
        const QByteArray written = contents(path);
        QVERIFY2(written.startsWith("\r\n21/06/2026 00:00;") && written.count("\r\n") == 11, written.constData());
        QVERIFY(!QFile::exists(part(path)));
    }

    // The killed survey's 5000 lines were on the disk beside the file; the
    // next survey takes the stale file over and leaves none.
    void fullDiskLeavesThePreviousFile()
    {
        SurveyFile file;
        QVERIFY(file.create(path));
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        const rlimit small{1000, old.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const PassOutcome outcome = survey(file, 0); // past the limit a write fails
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(outcome, PassOutcome::WriteFailed);
        QCOMPARE(file.failure(), SurveyFile::Failure::TooLarge);
        QVERIFY(!file.close());
        QCOMPARE(contents(path), kPrevious);
        QVERIFY(!QFile::exists(part(path)));
        const SurveyFailureMessage message = surveyFailureMessage(file.failure(), path, file.errorString());
        QCOMPARE(message.text, QStringLiteral("Le fichier est trop gros : le fichier d'ensoleillement n'a pas pu être écrit."));
        QCOMPARE(message.detail, QStringLiteral("Impossible d'écrire %1 : %2").arg(path, file.errorString()));
        for (const char *device : {"/dev/null", "/dev/full"}) { // never written: a write there could block
            SurveyFile refused;
            QVERIFY(!refused.create(QString::fromLatin1(device)));
            QVERIFY2(refused.errorString().contains(u"n'est pas un fichier ordinaire"), qPrintable(refused.errorString()));
        }
    }

    void refused_data()
    {
        addNamedRows<QString>("obstacle", {{"folder", "folder"}, {"protected file", "protected file"},
                                           {"protected folder", "protected folder"}, {"other survey", "other survey"}});
    }
    void refused()
    {
        QFETCH(QString, obstacle);
        const QString folder = home.filePath(QStringLiteral("folder"));
        QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x7777)));
        path = QDir(folder).filePath(QStringLiteral("Export.csv"));
        SurveyFile other, file;
        QVERIFY(obstacle == u"folder" ? QDir().mkpath(path) : writeFile(path, kPrevious));
        if (obstacle == u"protected file")
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (obstacle == u"protected folder")
            QVERIFY(QFile::setPermissions(folder, kReadOnly));
        if (obstacle == u"other survey")
            QVERIFY(other.create(path));
        QVERIFY(!asNobody(obstacle.startsWith(u"protected"), [&] { return file.create(path); }));
        QCOMPARE(file.failure(), SurveyFile::Failure::Refused);
        QVERIFY(!file.errorString().isEmpty());
        QCOMPARE(surveyFailureMessage(file.failure(), path, file.errorString()).text,
                 QStringLiteral("fermer le fichier dans excel"));
        QFile::setPermissions(folder, kReadOnly | QFile::WriteOwner);
        if (obstacle != u"folder")
            QCOMPARE(contents(path), kPrevious);
        if (obstacle == u"other survey") {
            QVERIFY2(file.errorString().contains(u"une autre exportation est en train d'écrire"), qPrintable(file.errorString()));
            QVERIFY(other.close()); // the survey that held it is not disturbed
            QCOMPARE(contents(path), QByteArray("\r\n"));
        } else {
            QVERIFY(!QFile::exists(part(path)));
        }
    }

    // A name is taken as its bytes, not read as text.
    void namesAreBytes()
    {
        const QByteArray name = QFile::encodeName(home.path()) + "/a\xff.csv";
        SurveyFile file;
        QVERIFY(file.create(name) && file.close());
        QCOMPARE(::access(name.constData(), F_OK), 0);
        QCOMPARE(::access((QFile::encodeName(home.path()) + "/a\xef\xbf\xbd.csv").constData(), F_OK), -1);
        ::unlink(name.constData());
    }

    void filePath()
    {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Export.csv";
        QCOMPARE(surveyFilePath(home.path()), home.filePath(QStringLiteral("Export.csv")));
        QCOMPARE(surveyFilePath(home.filePath(QStringLiteral("missing"))), documents);
        QVERIFY(QFileInfo(documents).dir().exists());
        // An installed program's folder, which its user cannot write to.
        const QString installed = home.filePath(QStringLiteral("installed"));
        QVERIFY(QDir().mkpath(installed) && QFile::setPermissions(installed, kReadOnly));
        QCOMPARE(asNobody(true, [&] { return surveyFilePath(installed); }), documents);
        // Installed under a prefix that this user may write to (root, or a
        // private prefix): still not into bin/. A build folder named bin,
        // with no installed data beside it, is a folder like any other.
        const QString prefix = home.filePath(QStringLiteral("prefix"));
        QVERIFY(QDir().mkpath(prefix + "/bin") && QDir().mkpath(prefix + "/share/lumora"));
        QCOMPARE(surveyFilePath(prefix + "/bin"), documents);
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("build/bin"))));
        QCOMPARE(surveyFilePath(home.filePath("build/bin")), home.filePath(QStringLiteral("build/bin/Export.csv")));
    }
};

ANALYSIS_TEST(TestSurveyFile)

// Every test class of the analysis in turn, in French, in Paris.
int main(int argc, char *argv[])
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    setZone("Europe/Paris");
    QCoreApplication app(argc, argv);
    if (const QString name = argc > 1 ? argv[1] : ""; testClasses().count(name)) { // one class, then its arguments
        argv[1] = argv[0];
        return testClasses()[name](argc - 1, argv + 1);
    }
    int failed = 0;
    for (const auto &[name, run] : testClasses())
        setZone("Europe/Paris"), failed += run(argc, argv) != 0;
    return failed;
}

#include "tst_surveyfile.moc"
