// lumora-cli hours as a script runs it: each date's lines are what
// lumora-cli day prints for that date (sites and frames of several kinds, one
// polar, across a change of summer time), the header and the
// numbers in French and in the C locale, a year by default, --out written in
// one step, status 1 when the file cannot be written and 2 for bad arguments.
// The example interval (Paris, 21 June 2026, the frame 4000,6000,1000,3000:
// 10:37:05 to 13:02:26 UT) is the one the README gives for lumora-cli day.
#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <map>

namespace {
struct Run {
    int status;
    QByteArray out, err;
};

Run runCli(const QStringList &args, const QString &locale = QStringLiteral("fr_FR.UTF-8"))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Paris"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LUMORA_CLI_PATH), args);
    const bool exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

const QByteArray kHeader = "date;d\xc3\xa9" "but (TU);fin (TU);d\xc3\xa9" "but (local);fin (local);dur\xc3\xa9" "e (min)";
} // namespace

class TestCliHours : public QObject {
    Q_OBJECT
private slots:
    void eachDateAsLumoraCliDay_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<int>("days");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("Paris, south window, summer time begins") << QDate(2027, 3, 26) << 4
            << QStringList{"--frame", "4000,6000,1000,3000"};
        QTest::newRow("78N 15E, whole picture, the first days of polar day") << QDate(2026, 4, 16) << 6
            << QStringList{"--frame", "0,10065,0,4335", "--lat", "78N", "--lon", "15E"};
        QTest::newRow("78N 15E, frame against the right edge: the midnight Sun in the north")
            << QDate(2026, 6, 20) << 3 << QStringList{"--frame", "9800,10065,2500,4335", "--lat", "78N", "--lon", "15E"};
    }
    void eachDateAsLumoraCliDay()
    {
        QFETCH(QDate, first);
        QFETCH(int, days);
        QFETCH(QStringList, options);
        const auto dmy = [](const QDate &d) { return QStringLiteral("%1/%2/%3").arg(d.day()).arg(d.month()).arg(d.year()); };
        const Run hours = runCli(QStringList{"hours", "--date", dmy(first), "--days", QString::number(days)} + options);
        QCOMPARE(hours.status, 0);
        QCOMPARE(hours.err, QByteArray());
        std::map<QString, QByteArray> byDate;
        const QList<QByteArray> lines = hours.out.split('\n');
        QCOMPARE(lines.first(), kHeader + '\r');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (lines[i].isEmpty())
                continue;
            const QList<QByteArray> fields = lines[i].chopped(1).split(';');
            QCOMPARE(fields.size(), 6);
            byDate[QString::fromUtf8(fields[0])] += fields[1] + ' ' + fields[2] + '\n';
        }
        int withSun = 0;
        for (int i = 0; i < days; ++i) {
            const QDate date = first.addDays(i);
            const Run day = runCli(QStringList{"day", "--date", dmy(date)} + options);
            QCOMPARE(day.status, 0);
            const QString key = date.toString(u"dd/MM/yyyy");
            const QByteArray written = byDate.count(key) ? byDate[key] : QByteArray();
            QVERIFY2(written == day.out, qPrintable(QStringLiteral("%1: hours\n%2day\n%3")
                                                        .arg(key, written, day.out)));
            withSun += !day.out.isEmpty();
        }
        QCOMPARE(int(byDate.size()), withSun);
        QVERIFY(withSun > 0);
    }

    void localeFormats_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("French") << "fr_FR.UTF-8" << QByteArray("21/06/2026;10:37:05;13:02:26;12:37:05;15:02:26;145,4");
        QTest::newRow("C") << "C.UTF-8" << QByteArray("21 Jun 2026;10:37:05;13:02:26;12:37:05;15:02:26;145.4");
    }
    void localeFormats()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArray, line);
        const Run run = runCli({"hours", "--date", "21/6/2026", "--days", "1", "--frame", "4000,6000,1000,3000"}, locale);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, kHeader + "\r\n" + line + "\r\n");
    }

    // The whole picture holds the Sun every day: 366 dates, the first and
    // the 366th day (2027 is not a leap year).
    void aYearByDefault()
    {
        const Run run = runCli({"hours", "--date", "21/6/2026", "--frame", "0,10065,0,4335"});
        QCOMPARE(run.status, 0);
        QList<QByteArray> lines = run.out.split('\n');
        lines.removeLast(); // after the last line end
        QSet<QByteArray> dates;
        for (qsizetype i = 1; i < lines.size(); ++i)
            dates.insert(lines[i].left(lines[i].indexOf(';')));
        QCOMPARE(dates.size(), 366);
        QVERIFY(lines[1].startsWith("21/06/2026;"));
        QVERIFY(lines.last().startsWith("21/06/2027;"));
    }

    // --out writes what standard output gets, in place of the previous file,
    // in one step: no temporary file is left beside it.
    void outReplacesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("heures.csv"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("previous\r\n") == 10);
        old.close();
        const QStringList args{"hours", "--date", "1/1/2027", "--days", "40", "--frame", "2000,8000,1500,4335"};
        const Run toFile = runCli(args + QStringList{"--out", path});
        QCOMPARE(toFile.status, 0);
        QCOMPARE(toFile.out, QByteArray());
        const Run toStdout = runCli(args);
        QCOMPARE(contents(path), toStdout.out);
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    }

    void cannotWrite_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("said");
        QTest::newRow("a folder") << "FOLDER" << "cannot write";
        QTest::newRow("a full disk") << "/dev/full" << "the disk is full";
    }
    void cannotWrite()
    {
        QFETCH(QString, out);
        QFETCH(QString, said);
        QTemporaryDir dir;
        out.replace(QStringLiteral("FOLDER"), dir.path());
        const Run run = runCli({"hours", "--date", "21/6/2026", "--frame", "0,10065,0,4335", "--out", out});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.startsWith("lumora-cli hours: ") && run.err.contains(said.toUtf8()), run.err.constData());
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        const QStringList ok{"--date", "21/6/2026", "--frame", "4000,6000,1000,3000"};
        QTest::newRow("--days 0") << ok + QStringList{"--days", "0"};
        QTest::newRow("--days 3661") << ok + QStringList{"--days", "3661"};
        QTest::newRow("--days 12.5") << ok + QStringList{"--days", "12.5"};
        QTest::newRow("--days twice") << ok + QStringList{"--days", "3", "--days", "4"};
        QTest::newRow("--out empty") << ok + QStringList{"--out", ""};
        QTest::newRow("no --frame") << QStringList{"--date", "21/6/2026"};
        QTest::newRow("frame below the picture") << QStringList{"--date", "21/6/2026", "--frame", "4000,6000,1000,4336"};
        QTest::newRow("--ut is not an option of hours") << ok + QStringList{"--ut", "12"};
    }
    void badArguments()
    {
        QFETCH(QStringList, args);
        const Run run = runCli(QStringList{"hours"} + args);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.startsWith("lumora-cli hours: "), run.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliHours)
#include "tst_clihours.moc"
