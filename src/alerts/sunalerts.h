// The alerts when the Sun enters or leaves the window: the user's choices
// (on or off, the warning's lead), kept in the settings group "Alertes", and
// the watch that follows the main window's observation and sends each alert
// once, at its second, while the window follows the clock.
//
// The schedule covers yesterday, today and tomorrow (UT days of the clock,
// whatever date the window shows), for the site and frame on show; it is made
// again when either changes or the UT day turns. Alerts are only sent between
// two observations both in real time, without a search or survey running,
// with the alerts on: nothing for what happened in manual mode or before
// start-up, and nothing twice.
//
// Kept windows: the window on screen may carry a name (its alerts then name
// it: "Salon : le Soleil entre dans la fenêtre"); the other kept windows whose
// alerts are on are watched too, each with a schedule of its own, at the same
// checks (so also only while the window on screen follows the clock), with
// the same lead, whatever the choice "Alertes" of the window on screen. A clock set back starts the watch again from
// the new now: the alerts due after it are sent when their second comes.
#pragma once

#include "alerts/notifier.h"
#include "analysis/alertschedule.h"
#include "analysis/observation.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;

namespace lumora {

class SunAlerts : public QObject
{
    Q_OBJECT

public:
    // store: where the choices are read now and written on each change (none:
    // alerts off, no lead, and the choices of this run are not kept).
    // notifier: how the alerts reach the user (owned).
    SunAlerts(QSettings *store, std::unique_ptr<Notifier> notifier, QObject *parent = nullptr);
    ~SunAlerts() override;

    bool enabled() const { return enabled_; }
    // Minutes of warning before an entry, one of kAlertLeadMinutes (0: none).
    int leadMinutes() const { return leadMinutes_; }
    void setEnabled(bool enabled);
    // A value that is not one of kAlertLeadMinutes is ignored.
    void setLeadMinutes(int minutes);

    // The window's observation after an evaluation, a frame drawn or a date
    // typed; searchRunning: a search or survey is stepping through time.
    void observe(const Observation &observation, bool searchRunning);

    // The name of the window on screen (empty: not a kept window).
    void setWindowName(const QString &name) { windowName_ = name; }
    // The other kept windows with their alerts on, by name (the one on screen
    // left out); replaces the previous list.
    void setOtherWindows(const std::vector<std::pair<QString, Observation>> &windows);
    // The names of the windows watched beside the one on screen.
    QStringList otherWindowNames() const;

    // The notification area's line about the next event from the clock's now
    // (nextEventText in alerttexts.h); empty before the first observation.
    QString nextEventText();

    const AlertSchedule &schedule() const { return onScreen_.schedule; }
    Notifier *notifier() const { return notifier_.get(); }

signals:
    void enabledChanged(bool enabled);
    void leadMinutesChanged(int minutes);

private:
    // One window's schedule.
    struct Watch {
        QString name;                         // empty for an unnamed window on screen
        std::optional<Observation> observed;  // the site and frame of the schedule
        double scheduleDay = 0;               // the schedule's today, Julian day at 0h UT
        AlertSchedule schedule;
    };
    // Makes the schedule for the UT day of `now` when it is not that one's.
    static void followDay(Watch &watch, qint64 now);
    // Sends what the watch has due in (checkedUpTo_, now].
    void sendDue(Watch &watch, qint64 now);
    void save();

    QSettings *store_;
    std::unique_ptr<Notifier> notifier_;
    bool enabled_ = false;
    int leadMinutes_ = 0;
    QString windowName_;
    Watch onScreen_;
    std::vector<Watch> others_;
    qint64 checkedUpTo_ = 0;              // the clock's instant at the last observation
    bool watching_ = false;               // the last observation could send alerts
    bool clockFollowed_ = false;          // the last observation followed the clock, no search
};

} // namespace lumora
