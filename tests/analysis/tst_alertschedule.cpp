// The alert schedule: its events and warnings against a definition made
// second by second on random days, the alerts a run of checks sends (each
// once, on time, none stale), the span's edges, and the texts of the
// notifications and of the next-event line, across local midnight and both
// changes of summer time in Paris.
#include "analysis.h"
#include "analysis/alertschedule.h"
#include "analysis/alerttexts.h"

#include <map>

namespace {
constexpr int kDays = 3;
constexpr qint64 kSpan = qint64(kDays) * kSecondsPerDay;
const QStringList kKinds{"warning", "entry", "exit"};

double jd0Of(const QDate &date) { return double(date.toJulianDay()) - 0.5; }
qint64 epochOf(const QDate &date, const QString &utTime = QStringLiteral("00:00:00"))
{
    return QDateTime(date, QTime::fromString(utTime, u"HH:mm:ss"), Qt::UTC).toSecsSinceEpoch();
}

// The span's days as a scan gives them: the maximal runs of each day's seconds in the frame.
std::vector<std::vector<SunInterval>> daysOf(const std::vector<bool> &in)
{
    std::vector<std::vector<SunInterval>> days;
    for (size_t d = 0; d < kDays; ++d)
        days.push_back(runsOf(in, d * kSecondsPerDay, (d + 1) * kSecondsPerDay));
    return days;
}

// Three UT days from `first`, the Sun in the frame along "day HH:mm:ss day HH:mm:ss" stretches (days 0-2, last second in).
AlertSchedule scheduleOf(const QDate &first, const QStringList &stretches)
{
    std::vector<bool> in(static_cast<size_t>(kSpan));
    for (const QString &stretch : stretches) {
        const QStringList p = stretch.split(u' ');
        for (qint64 t = epochOf(first.addDays(p[0].toInt()), p[1]); t <= epochOf(first.addDays(p[2].toInt()), p[3]); ++t)
            in[size_t(t - epochOf(first))] = true;
    }
    return AlertSchedule(jd0Of(first), daysOf(in));
}

// The reference: the alerts read off the span's seconds one at a time, as the definitions say.
std::vector<SunAlert> referenceAlerts(const std::vector<bool> &in, qint64 start, int lead)
{
    const auto nextChange = [&](qint64 from, bool toIn) -> std::optional<qint64> {
        for (qint64 s = from; s < kSpan; ++s)
            if (in[size_t(s)] == toIn && in[size_t(s - 1)] != toIn)
                return start + s;
        return std::nullopt;
    };
    std::vector<SunAlert> result;
    for (qint64 s = 1, w = s - lead * 60; s < kSpan; ++s, ++w) {
        if (in[size_t(s)] == in[size_t(s - 1)])
            continue;
        if (!in[size_t(s)]) {
            result.push_back({AlertKind::Exit, start + s, start + s, nextChange(s, true), start + kSpan, 0});
            continue;
        }
        const std::optional<qint64> exit = nextChange(s, false);
        if (lead > 0 && w >= 0 && std::find(in.begin() + w, in.begin() + s, true) == in.begin() + s)
            result.push_back({AlertKind::Warning, start + w, start + s, exit, start + kSpan, lead});
        result.push_back({AlertKind::Entry, start + s, start + s, exit, start + kSpan, 0});
    }
    std::stable_sort(result.begin(), result.end(), [](const SunAlert &a, const SunAlert &b) { return a.at < b.at; });
    return result;
}

// Random spans: a few stretches a day, some from, to or across a midnight, some a few seconds long or a few seconds apart.
std::vector<bool> randomSpan(std::mt19937_64 &random)
{
    std::vector<bool> in(static_cast<size_t>(kSpan));
    std::uniform_int_distribution<qint64> at(0, kSpan - 1), shape(0, 9);
    for (qint64 n = shape(random), end = 0; n > 0; --n) {
        const qint64 length = shape(random) < 3 ? 1 + shape(random) % 3 : 1 + at(random) % 7200;
        qint64 first = at(random);
        switch (shape(random)) {
        case 0: first -= first % kSecondsPerDay; break;                              // from a midnight
        case 1: first += kSecondsPerDay - first % kSecondsPerDay - length; break;    // to a midnight
        case 2: first += kSecondsPerDay - first % kSecondsPerDay - length / 2; break; // across one
        case 3: case 4: first = end + 2 + shape(random); break;                      // a short gap
        }
        for (qint64 t = std::max<qint64>(first, 0); t < std::min(first + length, kSpan); ++t)
            in[size_t(t)] = true;
        end = first + length - 1;
    }
    return in;
}

QString describe(const std::vector<SunAlert> &alerts)
{
    QStringList parts;
    for (const SunAlert &a : alerts)
        parts << QStringLiteral("%1 at %2 (event %3, following %4, lead %5)").arg(kKinds[int(a.kind)]).arg(a.at)
                     .arg(a.event).arg(a.following ? QString::number(*a.following) : "none").arg(a.leadMinutes);
    return parts.join(QStringLiteral("\n  "));
}

// Around two stretches 10:00:00–11:59:59 and 12:15:00–13:00:00 UT on 21 June: seconds after its 0h UT.
constexpr qint64 kEntry = 10 * 3600, kExit = 12 * 3600, kEntry2 = kExit + 900, kLate = kAlertLatenessSeconds;
struct Due { const char *name; int lead; qint64 previous, now; QStringList expected; };
const Due kDue[] = {
    {"start-up at the entry's second: nothing past", 15, kEntry, kEntry, {}},
    {"the check reaching the entry second", 15, kEntry - 1, kEntry, {"entry"}},
    {"the warning 15 min ahead", 15, kEntry - 901, kEntry - 900, {"warning"}},
    {"warning and entry in one late check: the entry only", 15, kEntry - 901, kEntry + 5, {"entry"}},
    {"a check 2 min late still sends", 15, kEntry - 1, kEntry + kLate, {"entry"}},
    {"a check more than 2 min late does not", 15, kEntry - 1, kEntry + kLate + 1, {}},
    {"the clock set back", 15, kEntry + 10, kEntry - 10, {}},
    {"a gap as long as the lead: the exit, then the warning", 15, kExit - 1, kExit, {"exit", "warning"}},
    {"no warning while the Sun is still in", 30, kEntry2 - 1801, kEntry2 - 1799, {}},
    {"the entry after a short gap", 30, kEntry2 - 1, kEntry2, {"entry"}},
};

// Spans of three days from `first`; "stretch": in the frame 12:32:40–15:05:10 UT
// (14:32–17:05 in Paris' summer time) on the second and third days.
// On 29 March 2026 Paris goes from UTC+1 to UTC+2 at 01:00 UT; on 25 October back.
struct NextEvent { const char *name; QDate first; const char *sun, *nowUt /* on the second day */, *expected; };
const NextEvent kNextEvents[] = {
    {"before the entry", {2026, 6, 20}, "stretch", "08:00:00", "Entrée du Soleil à 14:32"},
    {"at the entry's second: the exit", {2026, 6, 20}, "stretch", "12:32:40", "Sortie du Soleil à 17:05"},
    {"after the exit: tomorrow's entry", {2026, 6, 20}, "stretch", "16:00:00", "Entrée du Soleil demain à 14:32"},
    {"local midnight passed in UT's evening", {2026, 6, 20}, "stretch", "22:30:00", "Entrée du Soleil à 14:32"},
    {"winter now, summer entry", {2026, 3, 28}, "stretch", "00:30:00", "Entrée du Soleil à 14:32"},
    {"summer now, winter entry", {2026, 10, 24}, "stretch", "00:30:00", "Entrée du Soleil à 13:32"},
    {"never in the frame", {2026, 6, 20}, "none", "09:00:00", "Pas de Soleil dans la fenêtre aujourd'hui"},
    {"in the frame all along", {2026, 6, 20}, "all", "09:00:00", "Pas de sortie du Soleil aujourd'hui"},
};

// On 21 June: in the frame 12:32:40–14:37:39 UT, then from 22:10:00 UT to
// 00:12:29 UT the next day (00:10 to 02:12 in Paris). On 29 March, in the
// frame 00:50:00–01:19:59 UT: 01:50 in winter time, and out at 03:20 in
// summer time, half an hour later. "horizon S": the alert alone, the span
// ending S seconds after its event, at 12:32:40.
struct Message { const char *name; QDate day; const char *alert; int lead; const char *summary, *body; };
const char *const kEnters = "Le Soleil entre dans la fenêtre", *const kLeaves = "Le Soleil quitte la fenêtre";
const QDate kJune(2026, 6, 21), kMarch(2026, 3, 29);
const Message kMessages[] = {
    {"entry, exit the same day", kJune, "entry 12:32:40", 0, kEnters, "À 14:32, pour 2 h 05 min (sortie à 16:37)."},
    {"exit, next entry after local midnight", kJune, "exit 14:37:40", 0, kLeaves,
     "À 16:37. Prochaine entrée demain à 00:10."},
    {"warning 15 minutes ahead", kJune, "warning 12:17:40", 15, "Le Soleil entrera dans la fenêtre à 14:32",
     "Dans 15 minutes, pour 2 h 05 min."},
    {"entry across UT midnight", kJune, "entry 22:10:00", 0, kEnters, "À 00:10, pour 2 h 02 min (sortie à 02:12)."},
    {"entry before the change to summer time", kMarch, "entry 00:50:00", 0, kEnters,
     "À 01:50, pour 30 min (sortie à 03:20)."},
    {"warning before the change to summer time", kMarch, "warning 00:20:00", 30, "Le Soleil entrera dans la fenêtre à 01:50",
     "Dans 30 minutes, pour 30 min."},
    {"entry, exit more than a day away", kJune, "entry horizon 86400", 0, kEnters, "À 14:32, pour plus d'une journée."},
    {"entry, exit unknown within hours", kJune, "entry horizon 3600", 0, kEnters, "À 14:32."},
    {"exit, no entry for a day", kJune, "exit horizon 86400", 0, kLeaves, "À 14:32. Pas de nouvelle entrée avant demain."},
    {"exit, next entry unknown within hours", kJune, "exit horizon 3600", 0, kLeaves, "À 14:32."},
};
} // namespace

class TestAlertSchedule : public QObject {
    Q_OBJECT
private slots:
    // 100 random spans of three days and every lead: the schedule's alerts
    // are exactly those read off the seconds one by one.
    void alertsMatchTheSecondBySecondDefinition()
    {
        std::mt19937_64 random(20260621);
        const QDate firstDay(2026, 6, 20);
        int crossings = 0, gapsWithoutWarning = 0;
        for (int n = 0; n < 100; ++n) {
            const std::vector<bool> in = randomSpan(random);
            const AlertSchedule schedule(jd0Of(firstDay), daysOf(in));
            for (int d = 1; d < kDays; ++d)
                crossings += in[size_t(d * kSecondsPerDay)] && in[size_t(d * kSecondsPerDay - 1)];
            for (const int lead : kAlertLeadMinutes) {
                const auto expected = referenceAlerts(in, epochOf(firstDay), lead), actual = schedule.alerts(lead);
                QVERIFY2(actual == expected, qPrintable(QStringLiteral("case %1 lead %2\nexpected:\n  %3\nactual:\n  %4")
                                                            .arg(n).arg(lead).arg(describe(expected), describe(actual))));
                for (const SunAlert &a : actual)
                    gapsWithoutWarning += lead == 30 ? (a.kind == AlertKind::Entry) - (a.kind == AlertKind::Warning) : 0;
            }
            for (qint64 s = 0; s < kSpan; s += 997)
                QCOMPARE(schedule.sunInFrame(epochOf(firstDay) + s), bool(in[size_t(s)]));
        }
        // The random days did exercise the cases that matter.
        QVERIFY2(crossings > 10 && gapsWithoutWarning > 10, qPrintable(QString::number(crossings) + " crossings"));
    }

    // Checks made every second, or at random gaps up to the lateness: every
    // alert is sent once and never before its second; a warning is only left
    // out when its entry fell in the same gap.
    void checksSendEachAlertOnce()
    {
        std::mt19937_64 random(7);
        for (int n = 0, maxGap = 1; n < 85; ++n, maxGap = n < 5 ? 1 : n < 45 ? 30 : int(kAlertLatenessSeconds)) {
            std::uniform_int_distribution<int> gap(1, maxGap);
            const AlertSchedule schedule(jd0Of(QDate(2026, 3, 28)), daysOf(randomSpan(random)));
            std::map<std::pair<int, qint64>, int> sent;
            for (qint64 previous = schedule.spanStart(), now; previous < schedule.spanEnd(); previous = now) {
                now = previous + gap(random);
                for (const SunAlert &a : schedule.due(15, previous, now)) {
                    QVERIFY2(a.at > previous && a.at <= now, qPrintable(describe({a})));
                    ++sent[{int(a.kind), a.at}];
                }
            }
            for (const SunAlert &a : schedule.alerts(15)) {
                const int times = sent[{int(a.kind), a.at}];
                QVERIFY2(times == 1 || (a.kind == AlertKind::Warning && maxGap > 1 && times == 0),
                         qPrintable(QStringLiteral("sent %1 times: %2").arg(times).arg(describe({a}))));
            }
        }
    }

    void due_data() { addRows(kDue); }
    void due()
    {
        const Due &c = fetchRow(kDue);
        const QDate day(2026, 6, 21);
        const AlertSchedule schedule = scheduleOf(day.addDays(-1), {"1 10:00:00 1 11:59:59", "1 12:15:00 1 13:00:00"});
        QStringList kinds;
        for (const SunAlert &a : schedule.due(c.lead, epochOf(day) + c.previous, epochOf(day) + c.now))
            kinds << kKinds[int(a.kind)];
        QCOMPARE(kinds, c.expected);
    }

    // In the frame from the span's first second and up to its last: no entry,
    // no exit known there; an empty or absurd schedule knows nothing.
    void spanEdges()
    {
        const QDate day(2026, 6, 20);
        const AlertSchedule schedule = scheduleOf(day, {"0 00:00:00 0 08:00:00", "2 20:00:00 2 23:59:59"});
        QCOMPARE(schedule.events(), (std::vector<SunEvent>{{SunEventKind::Exit, epochOf(day, "08:00:01")},
                                                           {SunEventKind::Entry, epochOf(day.addDays(2), "20:00:00")}}));
        QVERIFY(schedule.nextEvent(epochOf(day, "07:00:00")) == schedule.events()[0]);
        QVERIFY(!schedule.nextEvent(epochOf(day.addDays(2), "20:00:00")));
        QVERIFY(AlertSchedule().isEmpty() && AlertSchedule().alerts(30).empty());
        QVERIFY(AlertSchedule(std::nan(""), {{}}).isEmpty());
    }

    void nextEventText_data() { addRows(kNextEvents); }
    void nextEventText()
    {
        const NextEvent &c = fetchRow(kNextEvents);
        const QString sun = c.sun;
        const AlertSchedule schedule = scheduleOf(c.first, sun == u"all" ? QStringList{"0 00:00:00 2 23:59:59"}
                                                        : sun == u"none" ? QStringList{}
                                                        : QStringList{"1 12:32:40 1 15:05:09", "2 12:32:40 2 15:05:09"});
        QCOMPARE(lumora::nextEventText(schedule, epochOf(c.first.addDays(1), c.nowUt)), QString(c.expected));
        // Outside the span nothing is known.
        QCOMPARE(lumora::nextEventText(schedule, epochOf(c.first.addDays(5), "09:00:00")), QString());
    }

    void alertMessages_data() { addRows(kMessages); }
    void alertMessages()
    {
        const Message &c = fetchRow(kMessages);
        const AlertMessage expected{c.summary, c.body};
        const QStringList parts = QString(c.alert).split(u' ');
        if (parts[1] == u"horizon") {
            const qint64 event = epochOf(c.day, "12:32:40");
            const qint64 spanEnd = event + parts[2].toLongLong();
            const SunAlert alert{AlertKind(kKinds.indexOf(parts[0])), event, event, std::nullopt, spanEnd, 0};
            QCOMPARE(alertMessage(alert), expected);
            return;
        }
        const AlertSchedule schedule = scheduleOf(c.day.addDays(-1), c.day.month() == 6
            ? QStringList{"1 12:32:40 1 14:37:39", "1 22:10:00 2 00:12:29"} : QStringList{"1 00:50:00 1 01:19:59"});
        const std::vector<SunAlert> alerts = schedule.alerts(c.lead);
        const auto alert = std::find_if(alerts.begin(), alerts.end(), [&](const SunAlert &a) {
            return a.at == epochOf(c.day, parts[1]) && kKinds[int(a.kind)] == parts[0];
        });
        QVERIFY2(alert != alerts.end(), qPrintable(describe(alerts)));
        QCOMPARE(alertMessage(*alert), expected);
    }
};
ANALYSIS_TEST(TestAlertSchedule)
#include "tst_alertschedule.moc"
