// The words of the alerts and of the notification area's line about the next
// event, in the interface language. Times are local times of the site's zone
// (`zone`: the computer's when invalid, see inZone in clock.h), each with the zone's offset in force at its own instant (a summer
// time change between now and the event reads right), "HH:MM", seconds
// dropped (an entry at 14:32:40 reads "14:32").
#pragma once

#include "analysis/alertschedule.h"

#include <QString>

namespace lumora {

// "à 14:32" on the same local day as `reference`, "demain à 14:32" on the
// next one, "le 23/06 à 14:32" further on (or before).
QString whenText(qint64 instant, qint64 reference, const QTimeZone &zone = {});

// The line of the notification area's menu about the next event after `now`:
//   "Entrée du Soleil à 14:32", "Sortie du Soleil à 17:05" (or "demain à …",
//   "le 23/06 à …", as whenText puts it);
//   "Pas de Soleil dans la fenêtre aujourd'hui" when no entry is known after
//   now and the Sun is out of the frame;
//   "Pas de sortie du Soleil aujourd'hui" when no exit is known after now and
//   the Sun is in the frame (the schedule reaches at least a day ahead);
//   empty for an empty schedule or a `now` outside it.
QString nextEventText(const AlertSchedule &schedule, qint64 now, const QTimeZone &zone = {});

// A desktop notification's two texts.
struct AlertMessage {
    QString summary;
    QString body;
    friend bool operator==(const AlertMessage &, const AlertMessage &) = default;
};

// The notification of an alert:
//   entry:   "Le Soleil entre dans la fenêtre",
//            "À 14:32, pour 2 h 05 min (sortie à 16:37)."
//   exit:    "Le Soleil quitte la fenêtre",
//            "À 17:05. Prochaine entrée demain à 09:12."
//   warning: "Le Soleil entrera dans la fenêtre à 14:32",
//            "Dans 15 minutes, pour 2 h 05 min."
// An exit or next entry beyond the schedule's horizon is told as what is
// known: "pour plus d'une journée" and "Pas de nouvelle entrée avant demain"
// when the horizon lies a day or more after the event, nothing otherwise.
AlertMessage alertMessage(const SunAlert &alert, const QTimeZone &zone = {});

// A kept window's alert: its name before the summary, "Salon : le Soleil entre
// dans la fenêtre" (the summary's first letter in lower case), the body as it is.
AlertMessage namedAlertMessage(const QString &windowName, const AlertMessage &message);

} // namespace lumora
