// The year survey and its sunshine file: whole files byte for byte against
// lines built here with the C library's formatting, the times each step button
// gives, the first day after a previous step, a survey that ends at once, a
// write failing midway, and where the file goes.
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "astro/julianday.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

using namespace lumora;

namespace {
const QDate kJune21(2026, 6, 21);
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // longitude positive west
const SiteLocation kPolar{80.0, -(2 + 20 / 60.0)}; // the Sun never sets in June

// A line as a French system writes it: "dd/mm/yyyy HH:MM;###,0;00,0".
QByteArray frenchLine(QDate date, int minuteOfDay, const SunPosition &sun)
{
    char az[32], el[32];
    std::snprintf(az, sizeof az, "%.1f", sun.azimuth);
    std::snprintf(el, sizeof el, "%04.1f", sun.elevation);
    char head[32];
    std::snprintf(head, sizeof head, "%02d/%02d/%04d %02d:%02d;", date.day(), date.month(), date.year(),
                  minuteOfDay / 60, minuteOfDay % 60);
    QByteArray line = QByteArray(head) + (az[0] == '0' ? az + 1 : az) + ';' + el + "\r\n"; // "###": no digit below 1
    return line.replace('.', ',');
}

// The file of a survey from 0h UT of start at a step that divides the day
// exactly: every step of the 367 days with the Sun above the horizon.
QByteArray expectedFile(const SiteLocation &site, QDate start, int stepMinutes)
{
    const double jd0 = *JulianDay(start.day(), start.month(), start.year());
    QByteArray file("\r\n");
    for (int day = 0; day <= 366; ++day)
        for (int m = 0; m < 1440; m += stepMinutes) {
            const SunPosition sun = SolarPosition(jd0 + day, m / 60.0, site);
            if (sun.elevation > 0)
                file += frenchLine(start.addDays(day), m, sun);
        }
    return file;
}

// Where the first difference lies, for the failure message.
QByteArray firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    const QList<QByteArray> a = actual.split('\n'), e = expected.split('\n');
    for (qsizetype i = 0; i < std::min(a.size(), e.size()); ++i)
        if (a[i] != e[i])
            return "line " + QByteArray::number(i + 1) + ": got '" + a[i] + "' expected '" + e[i] + "'";
    return "line counts " + QByteArray::number(a.size()) + " and " + QByteArray::number(e.size());
}

// Keeps what the survey asked to write, as the file would show it.
struct RecordingWriter : SurveyLineWriter {
    SurveyLineFormat format{QLocale(QLocale::French, QLocale::France)};
    QStringList lines;
    QList<double> hours;
    bool writeLine(const QDate &date, double hourUT, const SunPosition &sun) override
    {
        lines << format.line(date, hourUT, sun);
        hours << hourUT;
        return true;
    }
};

// A survey about to start; with a frame, after a single run at dayFraction.
SunshineEngine surveyEngine(const SiteLocation &site, QDate start, WindowBounds frame = {}, double dayFraction = -1)
{
    SunshineEngine e;
    e.site = site;
    e.frame = frame;
    e.setDate(start.day(), start.month(), start.year());
    if (dayFraction >= 0) {
        e.dayFractionUT = dayFraction;
        e.singleRun();
    }
    e.prepareSurvey();
    e.startSearch();
    return e;
}

// Passes until the survey stops, or until the pass reaches the day `until`.
SearchPass survey(SunshineEngine &e, SurveyLineWriter &w, int option, QDate until = {})
{
    SearchPass p;
    do
        p = e.searchPass(true, &w, option);
    while (p.outcome == PassOutcome::Progress && (!until.isValid() || p.reportDate < until));
    return p;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
} // namespace

class TestSurveyFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir, home;
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        tzset();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QVERIFY(dir.isValid() && home.isValid());
        qputenv("HOME", home.path().toLocal8Bit()); // Documents lands in it
        QStandardPaths::setTestModeEnabled(true);
    }
    void line_data();
    void line();
    void wholeFile_data();
    void wholeFile();
    void stepTimes_data();
    void stepTimes();
    void endsAtOnce();
    void writeFailureKeepsWholeLines();
    void filePath_data();
    void filePath();
};

void TestSurveyFile::line_data()
{
    QTest::addColumn<double>("hourUT");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<QString>("expected");
    const SunPosition noon = SolarPosition(*JulianDay(21, 6, 2026), 12, kParis);
    QTest::newRow("noon at 49N 2°20'E") << 12.0 << noon.azimuth << noon.elevation << "12:00;184,0;64,4";
    QTest::newRow("azimuth 0.46, elevation 5.34") << 1.0 << 0.46 << 5.34 << "01:00;,5;05,3";
    QTest::newRow("azimuth 359.96, elevation 0.04") << 20.0 << 359.96 << 0.04 << "20:00;360,0;00,0";
    QTest::newRow("23:59:59.65 keeps its day, written 00:00") << 86399.65 / 3600 << 2.0 << 13.5 << "00:00;2,0;13,5";
    QTest::newRow("12:59:59.6 rounds to 13:00") << 46799.6 / 3600 << 180.0 << 60.0 << "13:00;180,0;60,0";
}

void TestSurveyFile::line()
{
    QFETCH(double, hourUT);
    QFETCH(double, azimuth);
    QFETCH(double, elevation);
    QFETCH(QString, expected);
    SurveyLineFormat format(QLocale(QLocale::French, QLocale::France));
    QCOMPARE(format.line(kJune21, hourUT, {azimuth, elevation}), "21/06/2026 " + expected);
}

void TestSurveyFile::wholeFile_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("stepMinutes");
    QTest::newRow("1 heure, 49N 2°20'E from 21 Jun 2026") << 49.0 << -(2 + 20 / 60.0) << kJune21 << 2 << 60;
    QTest::newRow("30 minutes, 33°30'S 151°12'E from 1 Jan 2026") << -33.5 << -151.2 << QDate(2026, 1, 1) << 1 << 30;
    QTest::newRow("1 heure, 60N 25°W over 29 Feb 2028") << 60.0 << 25.0 << QDate(2028, 1, 1) << 2 << 60;
}

void TestSurveyFile::wholeFile()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, start);
    QFETCH(int, option);
    QFETCH(int, stepMinutes);
    const SiteLocation site{latitude, longitude};
    SunshineEngine e = surveyEngine(site, start);
    SurveyFile file;
    const QString path = dir.filePath(QStringLiteral("Export.csv"));
    QVERIFY2(file.create(path), qPrintable(file.errorString()));
    QCOMPARE(survey(e, file, option).outcome, PassOutcome::SurveyOver);
    file.close();

    const QByteArray actual = readAll(path), expected = expectedFile(site, start, stepMinutes);
    QVERIFY2(actual == expected, firstDifference(actual, expected).constData());
}

void TestSurveyFile::stepTimes_data()
{
    QTest::addColumn<int>("previousOption"); // the survey before; -1: none since start-up (step 0)
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("firstDay");   // its first three times
    QTest::addColumn<double>("lastSeconds"); // its last pass, and that pass's line
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QString>("secondDay");
    QTest::addColumn<int>("passesPerDay");   // from the second day on
    QTest::newRow("10 minutes: 145th pass at 23:59:59.65, written 00:00") << -1 << 0 << "00:00 00:10 00:20"
        << 86399.65 << "21/06/2026 00:00;" << "00:00 00:10 00:20" << 145;
    QTest::newRow("1 minute: 1441st pass at 23:59:59.66, written 00:00") << -1 << 3 << "00:00 00:01 00:02"
        << 86399.66 << "21/06/2026 00:00;" << "00:00 00:01 00:02" << 1441;
    QTest::newRow("30 minutes: exact") << -1 << 1 << "00:00 00:30 01:00" << 84600.0 << "21/06/2026 23:30;"
                                       << "00:00 00:30 01:00" << 48;
    QTest::newRow("1 heure after 10 minutes: 00:10, 01:10 on the first day") << 0 << 2 << "00:10 01:10 02:10"
        << 83400.0 << "21/06/2026 23:10;" << "00:00 01:00 02:00" << 24;
    QTest::newRow("30 minutes after 1 heure: from 01:00 on the first day") << 2 << 1 << "01:00 01:30 02:00"
        << 84600.0 << "21/06/2026 23:30;" << "00:00 00:30 01:00" << 48;
    QTest::newRow("10 minutes after 1 minute") << 3 << 0 << "00:01 00:11 00:21" << 59.9998 + 143 * 599.9976
                                               << "21/06/2026 23:51;" << "00:00 00:10 00:20" << 145;
}

void TestSurveyFile::stepTimes()
{
    QFETCH(int, previousOption);
    QFETCH(int, option);
    QFETCH(QString, firstDay);
    QFETCH(double, lastSeconds);
    QFETCH(QString, lastLine);
    QFETCH(QString, secondDay);
    QFETCH(int, passesPerDay);
    SunshineEngine e = surveyEngine(kPolar, kJune21); // every pass is written
    if (previousOption >= 0) {
        RecordingWriter previous;
        QCOMPARE(survey(e, previous, previousOption).outcome, PassOutcome::SurveyOver);
        QVERIFY(e.setDate(21, 6, 2026));
        e.prepareSurvey();
        e.startSearch();
    }
    RecordingWriter w;
    survey(e, w, option, kJune21.addDays(2));
    qsizetype first = 0; // the second day's first line
    while (first < w.lines.size() && !w.lines[first].startsWith("22/"))
        ++first;
    const qsizetype last = first - 1;
    auto times = [&](qsizetype from) { // "dd/MM/yyyy HH:MM;…"
        QStringList t;
        for (qsizetype i = from; i < from + 3; ++i)
            t << w.lines[i].mid(11, 5);
        return t.join(u' ');
    };
    QCOMPARE(times(0), firstDay);
    QVERIFY2(w.lines[last].startsWith(lastLine), qPrintable(w.lines[last]));
    QVERIFY2(std::fabs(w.hours[last] * 3600 - lastSeconds) < 0.01,
             qPrintable(QString::number(w.hours[last] * 3600, 'f', 3)));
    QCOMPARE(times(first), secondDay);
    QCOMPARE(w.hours[first], 0.0);
    QCOMPARE(w.lines.size() - first, passesPerDay + 1); // and the first pass of the third day
    QVERIFY(w.lines.last().startsWith("23/06/2026 00:00;"));
}

void TestSurveyFile::endsAtOnce()
{
    // An entry wanted while the Sun already stands in the frame at noon.
    SunshineEngine e = surveyEngine(kParis, kJune21, WindowBounds{4000, 6000, 1000, 3000}, 0.5);
    SurveyFile file;
    const QString path = dir.filePath(QStringLiteral("AtOnce.csv"));
    QVERIFY(file.create(path));
    QCOMPARE(e.searchPass(true, &file, 2).outcome, PassOutcome::Found);
    file.close();
    QCOMPARE(readAll(path), QByteArray("\r\n"));
}

void TestSurveyFile::writeFailureKeepsWholeLines()
{
    // The disk "fills up" at 1000 bytes, in the middle of a line.
    constexpr rlim_t kLimit = 1000;
    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const QString path = dir.filePath(QStringLiteral("Full.csv"));
    SunshineEngine e = surveyEngine(kParis, kJune21);
    SurveyFile file;
    SearchPass p;
    {
        rlimit small{kLimit, old.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        if (file.create(path))
            p = survey(e, file, 2);
        file.close();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    QCOMPARE(p.outcome, PassOutcome::WriteFailed);
    const QByteArray actual = readAll(path);
    const QByteArray expected = expectedFile(kParis, kJune21, 60);
    QVERIFY2(actual.endsWith("\r\n") && expected.startsWith(actual), firstDifference(actual, expected).constData());
    QVERIFY2(actual.size() <= qsizetype(kLimit) && actual.size() > qsizetype(kLimit) - 40,
             qPrintable(QString::number(actual.size())));
}

void TestSurveyFile::filePath_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::newRow("writable program folder") << "writable";
    QTest::newRow("read-only program folder: Documents") << "read-only";
    QTest::newRow("missing program folder: Documents") << "missing";
    QTest::newRow("program folder is a file: Documents") << "file";
}

void TestSurveyFile::filePath()
{
    QFETCH(QString, programFolder);
    const QString folder = home.filePath(programFolder);
    if (programFolder == u"file")
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
    else if (programFolder != u"missing")
        QVERIFY(QDir().mkpath(folder));
    if (programFolder == u"read-only") {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(folder).isWritable())
            QSKIP("the folder stays writable for this user (root)");
    }
    const QString path = surveyFilePath(folder);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(home.path()));
    QCOMPARE(path, QDir(programFolder == u"writable" ? folder : documents).filePath(QStringLiteral("Export.csv")));
    QVERIFY2(QFileInfo(documents).isDir() || programFolder == u"writable", "Documents is created");
}

QTEST_GUILESS_MAIN(TestSurveyFile)
#include "tst_surveyfile.moc"
