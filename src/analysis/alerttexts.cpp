// The alerts' notification texts and the notification area's next-event line.
#include "analysis/alerttexts.h"

#include <QCoreApplication>
#include <QDateTime>

namespace lumora {

namespace {
QDateTime localTime(qint64 instant, const QTimeZone &zone)
{
    return inZone(QDateTime::fromSecsSinceEpoch(instant, Qt::UTC), zone);
}

QString clockText(qint64 instant, const QTimeZone &zone)
{
    return localTime(instant, zone).time().toString(QStringLiteral("HH:mm"));
}

// The horizon leaves at least a day after the event unknown to nobody.
bool knownForADay(qint64 event, qint64 horizon) { return horizon - event >= kSecondsPerDay; }
} // namespace

QString whenText(qint64 instant, qint64 reference, const QTimeZone &zone)
{
    const QDateTime local = localTime(instant, zone);
    const qint64 days = localTime(reference, zone).date().daysTo(local.date());
    if (days == 0)
        return QCoreApplication::translate("SunAlerts", "à %1").arg(clockText(instant, zone));
    if (days == 1)
        return QCoreApplication::translate("SunAlerts", "demain à %1").arg(clockText(instant, zone));
    return QCoreApplication::translate("SunAlerts", "le %1 à %2").arg(local.date().toString(QStringLiteral("dd/MM")), clockText(instant, zone));
}

QString nextEventText(const AlertSchedule &schedule, qint64 now, const QTimeZone &zone)
{
    if (!schedule.covers(now))
        return {};
    if (const std::optional<SunEvent> next = schedule.nextEvent(now)) {
        const QString when = whenText(next->at, now, zone);
        return next->kind == SunEventKind::Entry ? QCoreApplication::translate("SunAlerts", "Entrée du Soleil %1").arg(when)
                                                  : QCoreApplication::translate("SunAlerts", "Sortie du Soleil %1").arg(when);
    }
    if (!knownForADay(now, schedule.spanEnd()))
        return {};
    return schedule.sunInFrame(now) ? QCoreApplication::translate("SunAlerts", "Pas de sortie du Soleil aujourd'hui")
                                    : QCoreApplication::translate("SunAlerts", "Pas de Soleil dans la fenêtre aujourd'hui");
}

AlertMessage alertMessage(const SunAlert &alert, const QTimeZone &zone)
{
    switch (alert.kind) {
    case AlertKind::Warning: {
        const QString summary = QCoreApplication::translate("SunAlerts", "Le Soleil entrera dans la fenêtre à %1").arg(clockText(alert.event, zone));
        const QString minutes = QString::number(alert.leadMinutes);
        if (alert.following)
            return {summary, QCoreApplication::translate("SunAlerts", "Dans %1 minutes, pour %2.").arg(minutes, durationText(*alert.following - alert.event))};
        return {summary, QCoreApplication::translate("SunAlerts", "Dans %1 minutes.").arg(minutes)};
    }
    case AlertKind::Entry: {
        const QString summary = QCoreApplication::translate("SunAlerts", "Le Soleil entre dans la fenêtre");
        const QString at = clockText(alert.event, zone);
        if (alert.following)
            return {summary, QCoreApplication::translate("SunAlerts", "À %1, pour %2 (sortie %3).")
                                 .arg(at, durationText(*alert.following - alert.event), whenText(*alert.following, alert.event, zone))};
        if (knownForADay(alert.event, alert.horizon))
            return {summary, QCoreApplication::translate("SunAlerts", "À %1, pour plus d'une journée.").arg(at)};
        return {summary, QCoreApplication::translate("SunAlerts", "À %1.").arg(at)};
    }
    case AlertKind::Exit: {
        const QString summary = QCoreApplication::translate("SunAlerts", "Le Soleil quitte la fenêtre");
        const QString at = clockText(alert.event, zone);
        if (alert.following)
            return {summary, QCoreApplication::translate("SunAlerts", "À %1. Prochaine entrée %2.").arg(at, whenText(*alert.following, alert.event, zone))};
        if (knownForADay(alert.event, alert.horizon))
            return {summary, QCoreApplication::translate("SunAlerts", "À %1. Pas de nouvelle entrée avant demain.").arg(at)};
        return {summary, QCoreApplication::translate("SunAlerts", "À %1.").arg(at)};
    }
    }
    return {};
}

AlertMessage namedAlertMessage(const QString &windowName, const AlertMessage &message)
{
    QString summary = message.summary;
    if (!summary.isEmpty())
        summary[0] = summary[0].toLower();
    return {QCoreApplication::translate("SunAlerts", "%1 : %2").arg(windowName, summary), message.body};
}

} // namespace lumora
