// lumora-cli survey and search as a script runs them: the survey is the same
// bytes on standard output and in a file, in the environment's locale, and
// keeps whole lines when the disk fills; the search prints the instant the
// engine finds; refusals have their exit status and one line on stderr.
#include "analysis/sunshineengine.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace lumora;

namespace {
struct Run {
    int status = -1;
    QByteArray out, err;
};

Run runCli(const QStringList &args, const QString &lang = QStringLiteral("C.UTF-8"), rlim_t fileLimit = 0)
{
    QProcess process;
    if (fileLimit) // the disk "fills up" at fileLimit bytes
        process.setChildProcessModifier([fileLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileLimit, fileLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), lang);
    env.insert(QStringLiteral("LANG"), lang);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LUMORA_CLI_PATH), args);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // the tool's default site, longitude positive west
} // namespace

class TestCliEngine : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private slots:
    void survey_data();
    void survey();
    void search_data();
    void search();
    void writeFailureKeepsWholeLines();
    void refused_data();
    void refused();
};

void TestCliEngine::survey_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QByteArray>("noonLine");
    QTest::addColumn<QString>("lineForm"); // every daylight line, without its CR LF
    // Qt takes the locale from the environment whether or not the C library
    // has it installed, so the French rows need no fr_FR locale on the system.
    QTest::newRow("C, 1 heure") << "C.UTF-8" << "60" << QByteArray("\r\n21 Jun 2026 12:00;184.0;64.4\r\n")
                                << R"(^\d\d? \w{3} 20\d\d \d\d:00;\d*\.\d;\d\d+\.\d$)";
    QTest::newRow("French, 1 heure") << "fr_FR.UTF-8" << "60" << QByteArray("\r\n21/06/2026 12:00;184,0;64,4\r\n")
                                     << R"(^\d\d/\d\d/20\d\d \d\d:00;\d*,\d;\d\d+,\d$)";
    QTest::newRow("French, 30 minutes") << "fr_FR.UTF-8" << "30" << QByteArray("\r\n21/06/2026 12:00;184,0;64,4\r\n")
                                        << R"(^\d\d/\d\d/20\d\d \d\d:[03]0;\d*,\d;\d\d+,\d$)";
}

void TestCliEngine::survey()
{
    QFETCH(QString, lang);
    QFETCH(QString, step);
    QFETCH(QByteArray, noonLine);
    QFETCH(QString, lineForm);
    const QStringList args{"survey", "--date", "21/6/2026", "--step", step};
    const Run toStdout = runCli(args, lang);
    QCOMPARE(toStdout.status, 0);
    QCOMPARE(toStdout.err, QByteArray());
    const QString path = dir.filePath(QStringLiteral("Export.csv"));
    const Run toFile = runCli(args + QStringList{"--out", path}, lang);
    QCOMPARE(toFile.status, 0);
    QCOMPARE(toFile.out, QByteArray());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll() == toStdout.out);

    // 21 June 2026 at noon, 49N 2°20'E: azimuth 184.0, elevation 64.4.
    QVERIFY(toStdout.out.startsWith("\r\n") && toStdout.out.endsWith("\r\n") && toStdout.out.contains(noonLine));
    const QRegularExpression form(lineForm);
    const QList<QByteArray> all = toStdout.out.split('\n'), lines = all.mid(1, all.size() - 2);
    QVERIFY(lines.size() > 4000 * 60 / step.toInt()); // some 12 h of daylight a day
    for (const QByteArray &l : lines)
        QVERIFY2(l.endsWith('\r') && form.match(QString::fromUtf8(l.chopped(1))).hasMatch(), l.constData());
}

void TestCliEngine::search_data()
{
    QTest::addColumn<QString>("ut");
    QTest::addColumn<bool>("exit");
    QTest::newRow("entry from 6h UT") << "6" << false;
    QTest::newRow("--exit from 12h UT") << "12" << true;
    QTest::newRow("entry from 18h UT: next morning") << "18" << false;
}

void TestCliEngine::search()
{
    QFETCH(QString, ut);
    QFETCH(bool, exit);
    QStringList args{"search", "--date", "21/6/2026", "--ut", ut, "--frame", "4000,6000,1000,3000"};
    if (exit)
        args << QStringLiteral("--exit");
    const Run run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    static const QRegularExpression form(QStringLiteral(R"(^\d\d/\d\d/\d{4} \d\d:\d\d:\d\d\n$)"));
    QVERIFY2(form.match(QString::fromUtf8(run.out)).hasMatch(), run.out.constData());

    SunshineEngine e;
    e.site = kParis;
    e.frame = {4000, 6000, 1000, 3000};
    QVERIFY(e.setDate(21, 6, 2026));
    e.dayFractionUT = ut.toDouble() / 24;
    e.singleRun();
    e.startSearch();
    SearchPass p;
    do
        p = e.searchPass(!exit);
    while (p.outcome == PassOutcome::Progress);
    QCOMPARE(p.outcome, PassOutcome::Found);
    const QDateTime found = reportedInstant(p.reportDate, p.hourUT);
    QCOMPARE(QString::fromUtf8(run.out).trimmed(), found.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
}

void TestCliEngine::writeFailureKeepsWholeLines()
{
    const QStringList args{"survey", "--date", "21/6/2026", "--step", "1"};
    const Run whole = runCli(args);
    QCOMPARE(whole.status, 0);
    const QString path = dir.filePath(QStringLiteral("Full.csv"));
    const Run cut = runCli(args + QStringList{"--out", path}, QStringLiteral("C.UTF-8"), 100'000);
    QCOMPARE(cut.status, 1);
    QVERIFY2(cut.err.contains("write failed"), cut.err.constData());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray kept = written.readAll();
    QVERIFY2(kept.size() > 1000 && kept.size() <= 100'000, qPrintable(QString::number(kept.size())));
    QVERIFY(kept.endsWith("\r\n") && whole.out.startsWith(kept));
}

void TestCliEngine::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    const QStringList search{"search", "--date", "21/6/2026", "--ut", "6", "--frame"};
    const QStringList survey{"survey", "--date", "21/6/2026", "--step"};
    QTest::newRow("a frame above 80° at 49N is never met") << search + QStringList{"0,10065,0,481"} << 1;
    QTest::newRow("--frame with three values") << search + QStringList{"4000,6000,1000"} << 2;
    QTest::newRow("--frame left beyond right") << search + QStringList{"6000,4000,1000,3000"} << 2;
    QTest::newRow("--frame top below bottom") << search + QStringList{"4000,6000,3000,1000"} << 2;
    QTest::newRow("--frame wider than the panorama") << search + QStringList{"0,10066,0,1000"} << 2;
    QTest::newRow("--frame not numbers") << search + QStringList{"a,b,c,d"} << 2;
    QTest::newRow("--step 15") << survey + QStringList{"15"} << 2;
    QTest::newRow("--step 1.0") << survey + QStringList{"1.0"} << 2;
    QTest::newRow("--step without its value") << survey << 2;
    QTest::newRow("--out on a full disk") << survey + QStringList{"60", "--out", "/dev/full"} << 1;
}

void TestCliEngine::refused()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    const Run run = runCli(args);
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1 && run.err.size() > 20, run.err.constData());
}

QTEST_GUILESS_MAIN(TestCliEngine)
#include "tst_cli_engine.moc"
