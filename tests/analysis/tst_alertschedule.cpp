// The alert schedule: its events and warnings against a definition made
// second by second on random days, the alerts a run of checks sends (each
// once, on time, none stale), the span's edges, and the texts of the
// notifications and of the next-event line, across local midnight and both
// changes of summer time in Paris.
#include "analysis/alertschedule.h"
#include "analysis/alerttexts.h"
#include "astro/julianday.h"

#include <QTest>
#include <ctime>
#include <map>
#include <random>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::AlertMessage)

namespace {
constexpr int kDays = 3;
constexpr qint64 kSpan = qint64(kDays) * kSecondsPerDay;

double jd0Of(const QDate &date) { return double(date.toJulianDay()) - 0.5; }

qint64 epochOf(const QDate &date, const char *utTime)
{
    return QDateTime(date, QTime::fromString(QLatin1String(utTime), QStringLiteral("HH:mm:ss")), Qt::UTC).toSecsSinceEpoch();
}

// Intervals given as UT "HH:mm:ss" pairs on each day of the span.
using DayTimes = std::vector<std::pair<const char *, const char *>>;
AlertSchedule scheduleOf(const QDate &firstDay, const std::vector<DayTimes> &days)
{
    std::vector<std::vector<SunInterval>> intervals;
    for (const DayTimes &day : days) {
        intervals.emplace_back();
        for (const auto &[first, last] : day)
            intervals.back().push_back({QTime(0, 0).secsTo(QTime::fromString(QLatin1String(first), QStringLiteral("HH:mm:ss"))),
                                        QTime(0, 0).secsTo(QTime::fromString(QLatin1String(last), QStringLiteral("HH:mm:ss")))});
    }
    return AlertSchedule(jd0Of(firstDay), intervals);
}

// The reference: which seconds of the span have the Sun in the frame, and
// the alerts read off them one second at a time, as the definitions say.
struct Reference {
    std::vector<bool> in; // per second of the span
    qint64 start = 0;

    std::vector<SunAlert> alerts(int lead) const
    {
        std::vector<SunAlert> result;
        const auto nextChange = [&](qint64 from, bool toIn) -> std::optional<qint64> {
            for (qint64 s = from; s < kSpan; ++s)
                if (in[size_t(s)] == toIn && s > 0 && in[size_t(s - 1)] != toIn)
                    return start + s;
            return std::nullopt;
        };
        for (qint64 s = 1; s < kSpan; ++s) {
            if (in[size_t(s)] && !in[size_t(s - 1)]) {
                const std::optional<qint64> exit = nextChange(s, false);
                if (lead > 0 && s - lead * 60 >= 0) {
                    bool outAllAlong = true;
                    for (qint64 w = s - lead * 60; w < s; ++w)
                        outAllAlong = outAllAlong && !in[size_t(w)];
                    if (outAllAlong)
                        result.push_back({AlertKind::Warning, start + s - lead * 60, start + s, exit, start + kSpan, lead});
                }
                result.push_back({AlertKind::Entry, start + s, start + s, exit, start + kSpan, 0});
            } else if (!in[size_t(s)] && in[size_t(s - 1)]) {
                result.push_back({AlertKind::Exit, start + s, start + s, nextChange(s, true), start + kSpan, 0});
            }
        }
        std::stable_sort(result.begin(), result.end(), [](const SunAlert &a, const SunAlert &b) { return a.at < b.at; });
        return result;
    }
};

const QStringList kKinds{"warning", "entry", "exit"};

QString describe(const SunAlert &a)
{
    return QStringLiteral("%1 at %2 (event %3, following %4, lead %5)")
        .arg(kKinds[int(a.kind)])
        .arg(a.at)
        .arg(a.event)
        .arg(a.following ? QString::number(*a.following) : QStringLiteral("none"))
        .arg(a.leadMinutes);
}

QString describe(const std::vector<SunAlert> &alerts)
{
    QStringList parts;
    for (const SunAlert &a : alerts)
        parts << describe(a);
    return parts.join(QStringLiteral("\n  "));
}

// Random days: a few intervals each, some touching midnight at either end,
// some only a second long, some a few seconds apart.
std::vector<std::vector<SunInterval>> randomDays(std::mt19937_64 &random)
{
    std::uniform_int_distribution<int> count(0, 4), second(0, kSecondsPerDay - 1), shape(0, 9);
    std::vector<std::vector<SunInterval>> days(kDays);
    for (auto &day : days) {
        std::vector<int> cuts;
        const int n = count(random) * 2;
        for (int i = 0; i < n; ++i)
            cuts.push_back(second(random));
        if (shape(random) < 3)
            cuts.push_back(0);
        if (shape(random) < 3)
            cuts.push_back(kSecondsPerDay - 1);
        if (shape(random) < 3 && !cuts.empty()) // a short gap or a one-second interval
            cuts.push_back(std::min(cuts.front() + 1 + shape(random), kSecondsPerDay - 1));
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
        for (size_t i = 0; i + 1 < cuts.size(); i += 2)
            day.push_back({cuts[i], cuts[i + 1] - (cuts[i + 1] - cuts[i] > 1 && shape(random) < 5 ? 1 : 0)});
        if (cuts.size() % 2 == 1)
            day.push_back({cuts.back(), cuts.back()});
        // Keep them maximal, as a scan gives them: merge touching runs.
        std::vector<SunInterval> merged;
        for (const SunInterval &i : day) {
            if (!merged.empty() && merged.back().lastSecond + 1 >= i.firstSecond)
                merged.back().lastSecond = std::max(merged.back().lastSecond, i.lastSecond);
            else
                merged.push_back(i);
        }
        day = merged;
    }
    return days;
}

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}
} // namespace

class TestAlertSchedule : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setZone("Europe/Paris"); }

    // 100 random spans of three days and every lead: the schedule's alerts
    // are exactly those read off the seconds one by one.
    void alertsMatchTheSecondBySecondDefinition()
    {
        std::mt19937_64 random(20260621);
        const QDate firstDay(2026, 6, 20);
        int crossings = 0, gapsWithoutWarning = 0;
        for (int n = 0; n < 100; ++n) {
            const auto days = randomDays(random);
            const AlertSchedule schedule(jd0Of(firstDay), days);
            Reference reference{std::vector<bool>(size_t(kSpan), false), epochOf(firstDay, "00:00:00")};
            for (int d = 0; d < kDays; ++d)
                for (const SunInterval &i : days[size_t(d)])
                    for (int s = i.firstSecond; s <= i.lastSecond; ++s)
                        reference.in[size_t(d * kSecondsPerDay + s)] = true;
            for (int d = 1; d < kDays; ++d)
                crossings += reference.in[size_t(d * kSecondsPerDay)] && reference.in[size_t(d * kSecondsPerDay - 1)];
            for (const int lead : kAlertLeadMinutes) {
                const std::vector<SunAlert> expected = reference.alerts(lead);
                const std::vector<SunAlert> actual = schedule.alerts(lead);
                QVERIFY2(actual == expected, qPrintable(QStringLiteral("case %1 lead %2\nexpected:\n  %3\nactual:\n  %4")
                                                            .arg(n).arg(lead).arg(describe(expected), describe(actual))));
                if (lead == 30) {
                    const auto entries = std::count_if(actual.begin(), actual.end(), [](auto &a) { return a.kind == AlertKind::Entry; });
                    const auto warnings = std::count_if(actual.begin(), actual.end(), [](auto &a) { return a.kind == AlertKind::Warning; });
                    gapsWithoutWarning += int(entries - warnings);
                }
            }
            for (qint64 s = 0; s < kSpan; s += 997)
                QCOMPARE(schedule.sunInFrame(reference.start + s), bool(reference.in[size_t(s)]));
        }
        // The random days did exercise the cases that matter.
        QVERIFY2(crossings > 10, qPrintable(QString::number(crossings)));
        QVERIFY2(gapsWithoutWarning > 10, qPrintable(QString::number(gapsWithoutWarning)));
    }

    // Checks made every second, or at random gaps up to the lateness: every
    // alert is sent once and never before its second; a warning is only left
    // out when its entry fell in the same gap.
    void checksSendEachAlertOnce_data()
    {
        QTest::addColumn<int>("maxGap");
        QTest::newRow("every second") << 1;
        QTest::newRow("gaps up to 30 s") << 30;
        QTest::newRow("gaps up to the lateness") << int(kAlertLatenessSeconds);
    }
    void checksSendEachAlertOnce()
    {
        QFETCH(int, maxGap);
        std::mt19937_64 random(7);
        std::uniform_int_distribution<int> gap(1, maxGap);
        const QDate firstDay(2026, 3, 28);
        for (int n = 0; n < (maxGap == 1 ? 5 : 40); ++n) {
            const AlertSchedule schedule(jd0Of(firstDay), randomDays(random));
            const std::vector<SunAlert> all = schedule.alerts(15);
            std::map<std::pair<int, qint64>, int> sent;
            qint64 previous = schedule.spanStart();
            while (previous < schedule.spanEnd()) {
                const qint64 now = previous + gap(random);
                for (const SunAlert &a : schedule.due(15, previous, now)) {
                    QVERIFY2(a.at > previous && a.at <= now, qPrintable(describe(a)));
                    ++sent[{int(a.kind), a.at}];
                }
                previous = now;
            }
            for (const SunAlert &a : all) {
                const int times = sent[{int(a.kind), a.at}];
                const bool mayBeSkipped = a.kind == AlertKind::Warning && maxGap > 1;
                QVERIFY2(times == 1 || (mayBeSkipped && times == 0),
                         qPrintable(QStringLiteral("sent %1 times: %2").arg(times).arg(describe(a))));
            }
        }
    }

    // Around two stretches 10:00:00–11:59:59 and 12:15:00–13:00:00 UT on 21 June.
    void due_data()
    {
        QTest::addColumn<int>("lead");
        QTest::addColumn<qint64>("previous"); // seconds after 21 June 2026 00:00 UT
        QTest::addColumn<qint64>("now");
        QTest::addColumn<QStringList>("expected");
        const qint64 entry = 10 * 3600, exit = 12 * 3600, entry2 = exit + 900, late = kAlertLatenessSeconds;
        QTest::newRow("start-up at the entry's second: nothing past") << 15 << entry << entry << QStringList{};
        QTest::newRow("the check reaching the entry second") << 15 << entry - 1 << entry << QStringList{"entry"};
        QTest::newRow("the warning 15 min ahead") << 15 << entry - 901 << entry - 900 << QStringList{"warning"};
        QTest::newRow("warning and entry in one late check: the entry only") << 15 << entry - 901 << entry + 5
                                                                             << QStringList{"entry"};
        QTest::newRow("a check 2 min late still sends") << 15 << entry - 1 << entry + late << QStringList{"entry"};
        QTest::newRow("a check more than 2 min late does not") << 15 << entry - 1 << entry + late + 1 << QStringList{};
        QTest::newRow("the clock set back") << 15 << entry + 10 << entry - 10 << QStringList{};
        QTest::newRow("a gap as long as the lead: the exit, then the warning") << 15 << exit - 1 << exit
                                                                               << QStringList{"exit", "warning"};
        QTest::newRow("no warning while the Sun is still in") << 30 << entry2 - 1801 << entry2 - 1799 << QStringList{};
        QTest::newRow("the entry after a short gap") << 30 << entry2 - 1 << entry2 << QStringList{"entry"};
    }
    void due()
    {
        QFETCH(int, lead);
        QFETCH(qint64, previous);
        QFETCH(qint64, now);
        QFETCH(QStringList, expected);
        const QDate day(2026, 6, 21);
        const AlertSchedule schedule = scheduleOf(day.addDays(-1), {{}, {{"10:00:00", "11:59:59"}, {"12:15:00", "13:00:00"}}, {}});
        QStringList kinds;
        for (const SunAlert &a : schedule.due(lead, epochOf(day, "00:00:00") + previous, epochOf(day, "00:00:00") + now))
            kinds << kKinds[int(a.kind)];
        QCOMPARE(kinds, expected);
    }

    // In the frame from the span's first second and up to its last: no entry,
    // no exit known there; an empty or absurd schedule knows nothing.
    void spanEdges()
    {
        const QDate day(2026, 6, 20);
        const AlertSchedule schedule = scheduleOf(day, {{{"00:00:00", "08:00:00"}}, {}, {{"20:00:00", "23:59:59"}}});
        QCOMPARE(schedule.events(), (std::vector<SunEvent>{{SunEventKind::Exit, epochOf(day, "08:00:01")},
                                                           {SunEventKind::Entry, epochOf(day.addDays(2), "20:00:00")}}));
        QVERIFY(schedule.nextEvent(epochOf(day, "07:00:00")) == schedule.events()[0]);
        QVERIFY(!schedule.nextEvent(epochOf(day.addDays(2), "20:00:00")));
        QVERIFY(AlertSchedule().isEmpty() && AlertSchedule().alerts(30).empty());
        QVERIFY(AlertSchedule(std::nan(""), {{}}).isEmpty());
    }

    // Each span is three days from firstDay; "stretch": in the frame
    // 12:32:40–15:05:10 UT (14:32–17:05 in Paris' summer time) on its second
    // and third days; "none": never; "all": all along.
    void nextEventText_data()
    {
        QTest::addColumn<QDate>("firstDay");
        QTest::addColumn<QString>("sun");
        QTest::addColumn<QString>("nowUt"); // on the span's second day
        QTest::addColumn<QString>("expected");
        const QDate june(2026, 6, 20), march(2026, 3, 28), october(2026, 10, 24);
        QTest::newRow("before the entry") << june << "stretch" << "08:00:00" << "Entrée du Soleil à 14:32";
        QTest::newRow("at the entry's second: the exit") << june << "stretch" << "12:32:40" << "Sortie du Soleil à 17:05";
        QTest::newRow("after the exit: tomorrow's entry") << june << "stretch" << "16:00:00"
                                                          << "Entrée du Soleil demain à 14:32";
        QTest::newRow("local midnight passed in UT's evening") << june << "stretch" << "22:30:00" << "Entrée du Soleil à 14:32";
        // On 29 March 2026 Paris goes from UTC+1 to UTC+2 at 01:00 UT; on 25 October back.
        QTest::newRow("winter now, summer entry") << march << "stretch" << "00:30:00" << "Entrée du Soleil à 14:32";
        QTest::newRow("summer now, winter entry") << october << "stretch" << "00:30:00" << "Entrée du Soleil à 13:32";
        QTest::newRow("never in the frame") << june << "none" << "09:00:00" << "Pas de Soleil dans la fenêtre aujourd'hui";
        QTest::newRow("in the frame all along") << june << "all" << "09:00:00" << "Pas de sortie du Soleil aujourd'hui";
    }
    void nextEventText()
    {
        QFETCH(QDate, firstDay);
        QFETCH(QString, sun);
        QFETCH(QString, nowUt);
        QFETCH(QString, expected);
        const DayTimes day = sun == u"stretch" ? DayTimes{{"12:32:40", "15:05:09"}}
                                               : sun == u"all" ? DayTimes{{"00:00:00", "23:59:59"}} : DayTimes{};
        const AlertSchedule schedule = scheduleOf(firstDay, {sun == u"all" ? day : DayTimes{}, day, day});
        QCOMPARE(lumora::nextEventText(schedule, epochOf(firstDay.addDays(1), nowUt.toLatin1().constData())), expected);
        // Outside the span nothing is known.
        QCOMPARE(lumora::nextEventText(schedule, epochOf(firstDay.addDays(5), "09:00:00")), QString());
    }

    // On 21 June: in the frame 12:32:40–14:37:39 UT, then from 22:10:00 UT to
    // 00:12:29 UT the next day (00:10 to 02:12 in Paris). On 29 March, in the
    // frame 00:50:00–01:19:59 UT: 01:50 in winter time, and out at 03:20 in
    // summer time, half an hour later. "horizon S": the alert alone, the span
    // ending S seconds after its event, at 12:32:40.
    void alertMessages_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("lead");
        QTest::addColumn<AlertMessage>("expected");
        const QDate june(2026, 6, 21), march(2026, 3, 29);
        QTest::newRow("entry, exit the same day") << june << "entry 12:32:40" << 0
            << AlertMessage{"Le Soleil entre dans la fenêtre", "À 14:32, pour 2 h 05 min (sortie à 16:37)."};
        QTest::newRow("exit, next entry after local midnight") << june << "exit 14:37:40" << 0
            << AlertMessage{"Le Soleil quitte la fenêtre", "À 16:37. Prochaine entrée demain à 00:10."};
        QTest::newRow("warning 15 minutes ahead") << june << "warning 12:17:40" << 15
            << AlertMessage{"Le Soleil entrera dans la fenêtre à 14:32", "Dans 15 minutes, pour 2 h 05 min."};
        QTest::newRow("entry across UT midnight") << june << "entry 22:10:00" << 0
            << AlertMessage{"Le Soleil entre dans la fenêtre", "À 00:10, pour 2 h 02 min (sortie à 02:12)."};
        QTest::newRow("entry before the change to summer time") << march << "entry 00:50:00" << 0
            << AlertMessage{"Le Soleil entre dans la fenêtre", "À 01:50, pour 30 min (sortie à 03:20)."};
        QTest::newRow("warning before the change to summer time") << march << "warning 00:20:00" << 30
            << AlertMessage{"Le Soleil entrera dans la fenêtre à 01:50", "Dans 30 minutes, pour 30 min."};
        QTest::newRow("entry, exit more than a day away") << june << "entry horizon 86400" << 0
            << AlertMessage{"Le Soleil entre dans la fenêtre", "À 14:32, pour plus d'une journée."};
        QTest::newRow("entry, exit unknown within hours") << june << "entry horizon 3600" << 0
            << AlertMessage{"Le Soleil entre dans la fenêtre", "À 14:32."};
        QTest::newRow("exit, no entry for a day") << june << "exit horizon 86400" << 0
            << AlertMessage{"Le Soleil quitte la fenêtre", "À 14:32. Pas de nouvelle entrée avant demain."};
        QTest::newRow("exit, next entry unknown within hours") << june << "exit horizon 3600" << 0
            << AlertMessage{"Le Soleil quitte la fenêtre", "À 14:32."};
    }
    void alertMessages()
    {
        QFETCH(QDate, day);
        QFETCH(QString, kind);
        QFETCH(int, lead);
        QFETCH(AlertMessage, expected);
        const QStringList parts = kind.split(u' ');
        if (parts[1] == u"horizon") {
            const qint64 event = epochOf(day, "12:32:40");
            const SunAlert alert{AlertKind(kKinds.indexOf(parts[0])), event, event, std::nullopt, event + parts[2].toLongLong(), 0};
            QCOMPARE(alertMessage(alert), expected);
            return;
        }
        const AlertSchedule schedule = day.month() == 6
            ? scheduleOf(day.addDays(-1), {{}, {{"12:32:40", "14:37:39"}, {"22:10:00", "23:59:59"}}, {{"00:00:00", "00:12:29"}}})
            : scheduleOf(day.addDays(-1), {{}, {{"00:50:00", "01:19:59"}}, {}});
        const qint64 at = epochOf(day, parts[1].toLatin1().constData());
        const std::vector<SunAlert> alerts = schedule.alerts(lead);
        const auto alert = std::find_if(alerts.begin(), alerts.end(), [&](const SunAlert &a) {
            return a.at == at && kKinds[int(a.kind)] == parts[0];
        });
        QVERIFY2(alert != alerts.end(), qPrintable(describe(alerts)));
        QCOMPARE(alertMessage(*alert), expected);
    }
};

QTEST_GUILESS_MAIN(TestAlertSchedule)
#include "tst_alertschedule.moc"
