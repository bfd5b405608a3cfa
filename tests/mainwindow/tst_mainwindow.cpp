// The main window driven as a user drives it, on its own INI store with a
// fixed clock, each user session a line of steps: the time bar and the date
// boxes in several time zones, the frame bars and their captions, the
// read-outs and the sun picture, the searches and the survey file, the icon,
// keys, choices and a press released elsewhere, the ways out of and back from
// the notification area, the help key, messages that hold nothing up, every
// open view following a change and a program left running past UT midnight,
// the English desktop, bad input in every box and bar. The settings: the texts
// of the group DATA as stored and read back, every choice kept for the next
// start, what is refused at start-up (not a file, unreadable, crafted), what is
// said when they cannot be saved, and the end of the session saving them like
// "Quitter".
#include "about/about.h"
#include "alerts/sunalerts.h"
#include "common/fileerrors.h"
#include "mainwindow/sessionend.h"
#include "mainwindow/settings.h"
#include "maptools/azimuthoverlay.h"
#include "support/files.h"
#include "support/rows.h"
#include "support/scenario.h"
#include "tray/traymenu.h"
#include "yearview/yearchart.h"
#include "yearview/yearview.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/stat.h>

using namespace lumora;
using namespace lumora::testing;

namespace {
QMessageBox *searchMessage(MainWindow &w) { return w.findChild<QMessageBox *>(QStringLiteral("SearchMessage")); }

// Replaces a box's text: a date box runs its text-change handling, then a key
// press its key-down handling on the text as it stands.
void putText(MainWindow &w, const QString &box, const QString &text)
{
    auto *combo = w.findChild<QComboBox *>(box);
    QLineEdit *edit = combo ? combo->lineEdit() : w.findChild<QLineEdit *>(box);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_End);
}
// What is broken on show or in the evaluation state; empty when all is sane.
QString insanity(MainWindow &w)
{
    static const QRegularExpression notANumber(QStringLiteral("(?i)\\b(nan|inf|infinity)\\b|∞"));
    for (QLabel *label : w.findChildren<QLabel *>())
        if (notANumber.match(label->text()).hasMatch())
            return label->objectName() + QStringLiteral(" shows ") + label->text();
    const SunshineEngine &e = w.engine();
    const bool finite = std::isfinite(e.site.latitude) && std::isfinite(e.site.longitude)
        && std::isfinite(e.evalJulianDay) && std::isfinite(e.sunPicture.x) && std::isfinite(e.sunPicture.y);
    if (!finite || !(e.sun.azimuth >= 0 && e.sun.azimuth <= 360 && std::abs(e.sun.elevation) <= 90))
        return QStringLiteral("site %1, %2; JD %3; Sun at %4, %5")
            .arg(e.site.latitude).arg(e.site.longitude).arg(e.evalJulianDay).arg(e.sun.azimuth).arg(e.sun.elevation);
    return {};
}
const QList<std::pair<QString, QString>> kAlertsOn{{QStringLiteral("Alertes/Actives"), QStringLiteral("Vrai")}};

// The year window's calendar as drawn, with the mark of the instant on show.
QImage yearPicture(MainWindow &w) { return w.yearView()->findChild<YearPlot *>()->grab().toImage(); }

bool yearShown(MainWindow &w) { return w.yearView()->findChild<QPushButton *>("YearExportPicture")->isEnabled(); }


// Makes `path` (when given) a file this process cannot read (as root: by
// looking at files as another user until the guard goes).
auto unreadable(const QString &path)
{
    QFile::setPermissions(path, {});
    const bool root = !path.isEmpty() && ::getuid() == 0;
    if (root)
        setfsuid(65534);
    return qScopeGuard([root] {
        if (root)
            setfsuid(0);
    });
}

// A list holding a list… `depth` deep, as the settings store writes it.
QByteArray nestedListsFile(int depth)
{
    QTemporaryDir dir;
    QVariant value = QVariantList{};
    for (int i = 1; i < depth; ++i)
        value = QVariantList{value};
    QSettings(dir.filePath(QStringLiteral("n.ini")), QSettings::IniFormat).setValue(QStringLiteral("Alertes/x"), value);
    return contents(dir.filePath(QStringLiteral("n.ini")));
}

const QString kNotAFile = QStringLiteral("ce n'est pas un fichier ordinaire");
const QString kTooDeep = QStringLiteral("des valeurs y sont imbriquées trop profondément");
const QString kTooLarge = QStringLiteral("le fichier est trop gros");
} // namespace

#define VERIFY_SANE(w, step) QVERIFY2(insanity(w).isEmpty(), qPrintable(QStringLiteral(step ": ") + insanity(w)))

// At 80° N around the June solstice the Sun stays between about 13° and 33°
// high for weeks, so its exit from a frame holding the whole sky is a long
// search: started by "Prochaine Sortie" after the entry found at once, it
// runs once a day's progress ("21/06/2026") is on show.
static const char kLongExitSearch[] = "type Text1 80; frame 0 10065 0 4335; tick; search; Command8=Prochaine Sortie; "
                                      "click Command8; Check2.checked=false; wait Label5~^\\d\\d/\\d\\d/\\d{4}$; @searching=1; ";
static const char kWholeSky[] = "frame 0 10065 0 4335; ";

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir stubs_;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        // A stand-in for the desktop's opener: it records the address and
        // ends with the status the test asks for.
        const QString opener = stubs_.filePath(QStringLiteral("xdg-open"));
        QVERIFY(writeFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$LUMORA_TEST_OPENED\"\nexit \"$LUMORA_TEST_OPENER_STATUS\"\n")
                && QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", stubs_.path().toLocal8Bit() + ':' + qgetenv("PATH"));
        qputenv("LUMORA_TEST_OPENED", stubs_.filePath(QStringLiteral("opened.txt")).toLocal8Bit());
        qputenv("LUMORA_TEST_OPENER_STATUS", "0");
    }
    void init()
    {
        setZone("Europe/Paris");
        fixClock(utc(2026, 6, 21, 12, 0));
        QFile::remove(exportPath()); // a survey's file, or a folder in its way
        QDir(exportPath()).removeRecursively();
        QFile::remove(QString::fromLocal8Bit(qgetenv("LUMORA_TEST_OPENED")));
    }

    // Paris (49°00' N, 2°20' E) on 21 June 2026 at 12:00 UT unless a row says otherwise.
    void scenario_data()
    {
        QTest::addColumn<QString>("steps");
        const auto row = [](const char *name, const QString &steps) { QTest::newRow(name) << steps; };
        row("manual mode", "clock 2026-01-15T11:59:00; tick; key VSHeure Down; Label5=12:00:00 (TU); Label6=13:00:00; "
            "@realTime=0; Label6.color=#ff0000; @dayFraction=0.5; clock 2026-01-15T14:45:40; click Option2; Label5=---; "
            "Label6=---; VSHeure=886; @realTime=0; @latitude=-49"); // "Sud" reads the clock to the minute, stays manual
        // The boxes hold the UT date, typed in manual mode; the clock button brings back today's.
        row("31 Dec, April typed", "clock 2026-12-31T10:00:00; @dates=31/12/2026; key VSHeure Down; type Combo1(1) 4; "
            "@dates=1/4/2026; click Command3; @dates=31/12/2026; @realTime=1; Label5=10:00:00 (TU)");
        row("31 typed, March", "clock 2026-03-15T10:00:00; key VSHeure Down; type Combo1(0) 31; @dates=31/3/2026; "
            "click Command3; @dates=15/3/2026");
        row("29 typed, Feb 2024", "clock 2024-02-10T10:00:00; key VSHeure Down; type Combo1(0) 29; @dates=29/2/2024");
        // Scales every 15° and 10°; ticks at panorama.Left + i * 14.98 * panorama.Width / 360
        // (panorama 10065 x 4335 twips at Left 420). Edges: azimuth = X * 360 / 10065,
        // elevation = 90 - Y * 90 / 4335; first run: HS1 1000, HS2 9065, VS2 3335.
        row("scales and edges", "LabANG(0)=0°; LabANG(1)=15°; LabANG(13)=195°; LabANG(24)=360°; LabH(0)=90°; "
            "LabH(4)=50°; LabH(9)=0°; @tick=838.8 4740 838.8 4935; LabLig(0)=36°; LabLig(0).toolTip=35,77°; "
            "LabLig(1)=324°; LabLig(1).toolTip=324,23°; LabLig(3)=21°; LabLig(3).toolTip=20,76°");
        // Whole degrees, at least two digits.
        // Left edge at 5.01° and 0°, right at 350.52°, lower at 5.00° high, upper at 6.95°.
        row("edge captions", "set HS1 140; LabLig(0)=05°; set HS1 0; LabLig(0)=00°; set HS2 9800; LabLig(1)=351°; "
            "set VS2 4094; LabLig(3)=05°; set VS2 4335; set VS1 4000; LabLig(2)=07°");
        // Design fonts in pixels at 96 dpi: points * 96 / 72 (MS Sans Serif 8.25, bold 9.75, 13.5, 18, Arial 8.25).
        row("fonts", "Lumora.px=11; Label6.px=11; Command2.px=13; Text1.px=18; Label2.px=24; PicAZ.px=11");
        // "###.00": no integer digit is added below 10, none at all below 1 (lumora-cli position).
        // 00:12 UT azimuth 4.72°, 04:30 UT elevation 5.07°, 03:51 UT elevation -0.23°.
        row("read-outs", "set VSHeure 12; Label35=Azimut = 4,72 °; set VSHeure 270; Label36=Hauteur = 5,07 °; "
            "set VSHeure 231; Label36=Hauteur = -,23 °");
        // A bar moved past its partner is held next to it; the lines follow the bars.
        row("HS1 past HS2", "set HS1 9500; HS1=9064; HS2=9065; VS1=1000; VS2=3335; @lines=9064 9065 1000 3335");
        row("HS2 below HS1", "set HS2 500; HS1=1000; HS2=1001; @lines=1000 1001 1000 3335");
        // The right edge's caption moves right by its width rather than cover the left one's.
        row("HS2 onto HS1", "set HS2 1000; HS1=1000; HS2=1000; @lines=1000 1000 1000 3335; LabLig(0).x=57; "
            "LabLig(1).width=27; LabLig(1).x=84");
        row("VS1 below VS2", "set VS1 4000; VS1=3334; VS2=3335; @lines=1000 9065 3334 3335");
        row("VS2 above VS1", "set VS2 500; VS1=1000; VS2=1001; @lines=1000 9065 1000 1001");
        // Restored out of order: the lines stay where the layout puts them until a bar moves.
        row("restored out of order", "stored HS1=6000; stored HS2=2000; HS1=6000; HS2=2000; @lines=2100 3210 900 2460; "
            "LabLig(0)=XXX°; set HS2 7000; @lines=6000 7000 1000 3335");
        // Just after the solstice's solar noon: a little west of south, a little under
        // 90 - 48.85 + 23.44 = 64.59° high. The first search steps by 0: the start instant
        // itself; the exit by the right edge, azimuth 5871 * 360 / 10065, one fine step
        // (3.6 s, some 0.03°) after it.
        row("entry at once, then exit", "frame 4194 5871 482 1927; tick; Label35~^Azimut = 18[0-7],\\d\\d °$; "
            "Label36~^Hauteur = 6(3,[5-9]|4,[0-5])\\d °$; search; Label5=21/06/2026 12:00:00 (TU); "
            "Command8=Prochaine Sortie; Command8.visible=true; @realTime=0; search Command8; "
            "Label5~^21/06/2026 1[2-5]:; @inWindow=0; @azimuth~^210\\.[01]$");
        // A long search stopped; the next tick does not resume it.
        row("search stopped by Temps réel", kLongExitSearch + QStringLiteral("search; tick; @searching=0; "
            "Command1=Rechercher; Command8.visible=false; @realTime=1; Check2.checked=true; Label5=12:00:00 (TU); "
            "Label6=14:00:00"));
        row("search stopped by the time bar", kLongExitSearch + QStringLiteral("key VSHeure Down; wait @searching=0; "
            "Command1=Rechercher; @realTime=0; Check2.checked=false; Label5=12:01:00 (TU); Label6=14:01:00"));
        row("search stopped by the clock button", kLongExitSearch + QStringLiteral("click Command3; wait @searching=0; "
            "tick; @searching=0; Command1=Rechercher; Command8.visible=false; @realTime=1; Label5=12:00:00 (TU)"));
        // Between local and UT midnight the local date is not the UT date; the zone's time
        // from the time zone database; a search reports its result in both. The Sun is up
        // in Paris at 14:00 UT in December; at night its entry is the sunrise, about 07:40 UT.
        row("Lord Howe, 01:00 on 7 Dec", "zone Australia/Lord_Howe; clock 2026-12-06T14:00:00; tick; @dates=6/12/2026; "
            "Label5=14:00:00 (TU); Label6=01:00:00; " + QString(kWholeSky) + "search; Label5=06/12/2026 14:00:00 (TU); "
            "Label6=07/12/2026 01:00:00");
        row("Chatham, 09:45 on 7 Dec", "zone Pacific/Chatham; clock 2026-12-06T20:00:00; tick; @dates=6/12/2026; Label6=09:45:00");
        row("St John's, 21:10 on 6 Dec", "zone America/St_Johns; clock 2026-12-07T00:40:00; tick; @dates=7/12/2026; "
            "Label5=00:40:00 (TU); Label6=21:10:00; " + QString(kWholeSky) + "search; "
            "Label5~^07/12/2026 07:\\d\\d:\\d\\d \\(TU\\)$; Label6~^07/12/2026 04:");
        row("Paris, 00:30 on 1 Jan", "clock 2026-12-31T23:30:00; tick; @dates=31/12/2026; Label6=00:30:00");
        // A chosen instant reads in the local time of that instant, not of today's: UT+1,
        // UT+2 in summer time (from 01:00 UT on the last Sunday of March to 01:00 UT on
        // the last Sunday of October); before 11 March 1911, Paris mean time, UT+0:09:21.
        const auto chosen = [](const char *date, int minute) {
            const QStringList d = QString::fromLatin1(date).split(u'/');
            return QStringLiteral("tick; set Combo1(0) 1; set Combo1(2) %1; set Combo1(1) %2; set Combo1(0) %3; "
                                  "set VSHeure %4; set VSHeure %5; ").arg(d[2], d[1], d[0]).arg(minute ? 0 : 1).arg(minute);
        };
        row("29/3/2026 02:00 UT, chosen in January", "clock 2026-01-15T10:00:00; " + chosen("29/3/2026", 120) + "Label6=04:00:00");
        row("29/3/2026 00:30 UT, still winter time", "clock 2026-07-15T10:00:00; " + chosen("29/3/2026", 30) + "Label6=01:30:00");
        row("15/7/2026 12:00 UT, chosen in December", "clock 2026-12-10T10:00:00; " + chosen("15/7/2026", 720)
            + "Label6=14:00:00; " + kWholeSky + "search; Label6=15/07/2026 14:00:00");
        row("15/1/2026 12:00 UT, chosen in July", "clock 2026-07-10T10:00:00; " + chosen("15/1/2026", 720)
            + "Label6=13:00:00; " + kWholeSky + "search; Label6=15/01/2026 13:00:00");
        // The icon (the window's own sun picture, or the shade's) while the window is hidden,
        // and the indicator while it is shown.
        const QString in = QStringLiteral("frame 4194 5871 482 1927; "), out = QStringLiteral("frame 100 1000 482 1927; ");
        row("icon: shown, out then in", out + "tick; " + in + "tick; @tray=; solon.visible=true; solofF.visible=false");
        row("icon: hidden, stays in", in + "click Command4; tick; tick; @tray=in:sun; solon.visible=false");
        row("icon: hidden, in then out", in + "click Command4; tick; " + out + "tick; @tray=in:sun hide out:shade; "
            "solon.visible=false; solofF.visible=false");
        // With the alerts on, the icon follows the answer beside the shown window too.
        const QString alerts = QStringLiteral("stored Alertes/Actives=Vrai; ");
        row("icon: alerts on, shown", alerts + out + "tick; " + in + "tick; tick; " + out + "tick; "
            "@tray=out:shade hide in:sun hide out:shade");
        row("1/1/1900 12:00 UT, Paris mean time", "clock 2026-07-10T10:00:00; " + chosen("1/1/1900", 720)
            + "Label6=12:09:21; " + kWholeSky + "search; Label6=01/01/1900 12:09:21");
        // Keys that leave the text as it is still reach the check, which in real time
        // reads the site and the clock.
        for (const char *key : {"Combo1(0) Home", "Combo1(1) End", "Combo1(2) Left", "Combo1(0) Up"})
            row(key, QStringLiteral("set Combo1(0) 1; tick; clock 2026-06-01T13:30:00; set Text1 33; key %1; "
                                    "@dates=1/6/2026; @latitude=33; Label5=13:30:00 (TU)").arg(QLatin1String(key)));
        // While a survey runs the text changes are not checked; a key is, on the texts as they stand.
        row("a key during a survey", "clock 2026-06-21T00:30:00; click Check3; click Option5(0); click Command1; "
            "@state=load; set Combo1(1) 4; set Combo1(0) 31; @dates=31/4/2026; key Combo1(0) End; @dates=1/4/2026; "
            "@searching=1; search; @searching=0");
        // One survey step at most, one latitude and one longitude choice, by clicks and by
        // arrow keys; the keys stay in the group of the focused option.
        row("steps clicked", "click Option5(2); @options=..x. x..x; click Option5(2); @options=..x. x..x; "
            "click Option5(3); @options=...x x..x; click Option1; @options=...x x..x");
        row("arrows among the steps", "click Option5(3); focus Option5(3); keys Right Up Up Right Down Down Down Left "
            "Right Up; @options~^(x...|.x..|..x.|...x) x..x$; tick; @longitude~^-");
        row("arrows among the hemispheres", "focus Option1; keys Down; @options=.... .x.x; keys Down Right Down; "
            "@options=.... .x.x; focus Option4; keys Down Up Left Down; @options=.... .xx.");
        // On an English desktop the captions are English (the search runs by them too);
        // what is saved stays French.
        row("English", "english; tick; Command1=Search; Command2=Quit; Option1=North; Option3=West; "
            "Check3=Sunshine file.; Option5(2)=1 hour; Command4=Minimise; Label5=12:00:00 (UT); Label35~^Azimuth = ; "
            "Label36~^Elevation = ; Command3.toolTip=Back to real time, today's date; click Command1; "
            "Command1=Real time; click Command1; Command1=Search; @realTime=1; close; @ini~O1=Vrai O2=Faux");
        // A press released off a control does nothing.
        for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "Check1",
                                 "Check3", "Option2", "Option4", "Option5(1)"})
            row(name, QStringLiteral("key VSHeure Down; pressaway ") + QLatin1String(name));
        // However the window is put away, a way back is on offer (the icon and its menu's
        // "Afficher Lumora", or the task bar), and each way back brings it up; the icon
        // then stays only for the alerts. "Réduire" also goes back to real time.
        const QString reduce = QStringLiteral("key VSHeure Down; click Command4; tick; @realTime=1; @window=hidden; @icon=1; ");
        const QString alertsOn = QStringLiteral("stored Alertes/Actives=Vrai; ");
        row("Réduire, icon", reduce + "tray activate; @window=shown; tick; @icon=0");
        row("Réduire, menu", reduce + "tray menu; @window=shown; tick; @icon=0");
        row("Réduire, second start", reduce + "front; @window=shown; tick; @icon=0");
        row("Réduire, alerts on, icon", alertsOn + reduce + "tray activate; @window=shown; tick; @icon=1");
        row("Réduire, alerts on, notification", alertsOn + reduce + "tray message; @window=shown; tick; @icon=1");
        row("no notification area, second start", "tray none; key VSHeure Down; click Command4; tick; @realTime=1; "
            "@window=minimised; front; @window=shown");
        row("overlay, Retour", "map; tick; @window=hidden; @icon=1; retour overlay; @window=shown; tick; @icon=0");
        row("About, Réduire, Retour", "click Command5; click Command4; tick; @window=hidden; @icon=1; retour about; "
            "@window=shown; tick; @icon=0");
        row("--tray, menu", "traystart; tick; @window=hidden; @icon=1; tray menu; @window=shown; tick; @icon=0");
        row("--tray, alerts on, second start", alertsOn + "traystart; tick; @window=hidden; @icon=1; front; "
            "@window=shown; tick; @icon=1");
        // Every key written on closing (Nord O1, Sud O2, Ouest O3, Est O4), and read back by the next start.
        row("first run, Quitter", "click Command2; @ini=[DATA] HS1=1000 HS2=9065 O1=Vrai O2=Faux O3=Faux O4=Vrai T1=49 "
            "T2=00 T3=02 T4=20 VS1=1000 VS2=3335; restart; Option1.checked=true; Option4.checked=true; Text2=00");
        row("changed, close box", "frame 2000 8000 500 3000; set Text1 33; set Text2 15; set Text3 71; set Text4 4x; "
            "click Option2; click Option3; close; @ini=[DATA] HS1=2000 HS2=8000 O1=Faux O2=Vrai O3=Vrai O4=Faux T1=33 "
            "T2=15 T3=71 T4=4x VS1=500 VS2=3000; restart; HS1=2000; HS2=8000; VS1=500; VS2=3000; Text1=33; Text2=15; "
            "Text3=71; Text4=4x; Option1.checked=false; Option2.checked=true; Option3.checked=true; Option4.checked=false");
        // Options: "vrai" in any letter case selects; bars: a number, halves to even.
        row("VRAI selects", "stored O2=VRAI; Option2.checked=true; Option1.checked=false");
        row("True does not", "stored O2=True; Option2.checked=false");
        row("half to even", "stored VS1=2.5; stored VS2=3.5; VS1=2; VS2=4");
        row("number then letters", "stored VS1=12abc; VS1=1000");
        // A bar value the bar can take is restored, even at its end; any other gives that bar
        // its first-run value (left 1000, right 9065, top 1000, bottom 3335), never a frame
        // turned inside out.
        const auto bars = [](const char *stored, const char *values) {
            const QStringList v = QString::fromLatin1(values).split(u' ');
            return QStringLiteral("stored %1; HS1=%2; HS2=%3; VS1=%4; VS2=%5; @captions~^[^X]*$")
                .arg(QLatin1String(stored), v[0], v[1], v[2], v[3]);
        };
        row("right edge beyond 16 bits", bars("HS2=99999999", "1000 9065 1000 3335"));
        row("right edge not a number", bars("HS2=abc", "1000 9065 1000 3335"));
        row("left edge past the picture", bars("HS1=20000", "1000 9065 1000 3335"));
        row("lower edge negative", bars("VS2=-5", "1000 9065 1000 3335"));
        row("right edge at the picture's end", bars("HS2=10065", "1000 10065 1000 3335"));
        row("lower edge at the horizon", bars("VS2=4335", "1000 9065 1000 4335"));
        row("upper edge at the zenith", bars("VS1=0", "1000 9065 0 3335"));
    }
    void scenario()
    {
        QFETCH(QString, steps);
        const QString failure = runScenario(steps);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
    // The settings file at start-up: read, or kept out of the store (the first-run
    // values, the user told at once which file and why, nothing written over it).
    void startUp_data()
    {
        // content: after "[DATA] HS1=2000"; or <pipe>, <folder>, <link>, <unreadable>
        // reason: "": read
        addColumns<QByteArray, QString>("content", "reason");
        QTest::newRow("absent") << QByteArray("<absent>") << "";
        QTest::newRow("ours, with lists") << QByteArray("T1=4,5\n[Annee]\nDossier=/a,b\n") << "";
        QTest::newRow("link to ours") << QByteArray("<link>") << "";
        QTest::newRow("named pipe") << QByteArray("<pipe>") << kNotAFile;
        QTest::newRow("folder") << QByteArray("<folder>") << kNotAFile;
        QTest::newRow("another user's") << QByteArray("<unreadable>") << qt_error_string(EACCES);
        QTest::newRow("over 1 MiB") << "T1=" + QByteArray(1 << 20, 'x') << kTooLarge;
        QTest::newRow("1000 lists deep") << nestedListsFile(1000) << "";
        QTest::newRow("1001 lists deep") << nestedListsFile(1001) << kTooDeep;
        QTest::newRow("deep, hexadecimal escapes")
            << "x=@Variant(" + QByteArray("\\x0\\0\\000\\x9\\0\\0\\0\\x1").repeated(1500) + ")\n" << kTooDeep;
    }
    void startUp()
    {
        const auto [content, reason] = fetchColumns<QByteArray, QString>("content", "reason");
        QTemporaryDir config;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", saved); });
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Lumora")));
        QFile::setPermissions(config.path(), QFileDevice::Permissions(0x7555));
        const QString path = config.filePath(QStringLiteral("Lumora/Lumora.conf")), target = config.filePath("t");
        QCOMPARE(userSettingsPath(), path);
        const QByteArray text = "[DATA]\nHS1=2000\n" + content;
        if (content == "<pipe>")
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (content == "<folder>")
            QVERIFY(QDir().mkdir(path));
        else if (content != "<absent>")
            QVERIFY(writeFile(content == "<link>" ? target : path, text));
        QVERIFY(content != "<link>" || QFile::link(target, path));
        const auto guard = unreadable(content == "<unreadable>" ? path : QString());
        MainWindow w(nullptr, std::make_unique<FakeTray>());
        w.show();
        QCOMPARE(ui(w).frameLeftBar->value(), reason.isEmpty() && content != "<absent>" ? 2000 : 1000);
        const auto message = [&] { return w.findChild<QMessageBox *>(QStringLiteral("SettingsMessage")); };
        if (reason.isEmpty()) {
            QTest::qWait(20);
            QVERIFY(!message());
            return;
        }
        QTRY_VERIFY(message());
        QVERIFY(message()->text().startsWith(u"Le fichier de réglages ne peut pas être lu : Lumora démarre avec les réglages"));
        QCOMPARE(message()->informativeText(), QStringLiteral("Impossible de lire %1 : %2").arg(path, reason));
        QTest::mouseClick(ui(w).quitButton, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(QFileInfo(path).isFile() ? contents(path) == text || content == "<unreadable>" : QFileInfo::exists(path));
    }


    // The sun picture's centre is the Sun's place on the panorama (15 twips a pixel).
    void sunPictureOnTheSun()
    {
        TestWindow w;
        tick(*w);
        const SunPosition sun = w->engine().sun;
        const QPointF place(sun.azimuth * 10065 / 360 / 15, (4335 - 4335 * sun.elevation / 90) / 15);
        const QPointF centre = QRectF(ui(*w).sunPictureLabel->geometry()).center();
        QVERIFY2(std::abs(centre.x() - place.x()) <= 1 && std::abs(centre.y() - place.y()) <= 1,
                 qPrintable(QStringLiteral("picture at %1,%2; Sun at %3,%4")
                                .arg(centre.x()).arg(centre.y()).arg(place.x()).arg(place.y())));
    }

    // In real time the dials and read-outs follow the clock even when the
    // search is not shown.
    void realTimeWithoutShowingTheSearch()
    {
        TestWindow w;
        click(ui(*w).showSearchCheck);
        QVERIFY(!ui(*w).showSearchCheck->isChecked());
        tick(*w);
        const QString noon = ui(*w).azimuthReadoutLabel->text();
        QVERIFY(noon.startsWith(u"Azimut = ") && ui(*w).azimuthDial->isShowing() && ui(*w).elevationDial->isShowing());
        fixClock(utc(2026, 6, 21, 15, 0));
        tick(*w);
        QVERIFY(ui(*w).azimuthReadoutLabel->text() != noon);
        QCOMPARE(ui(*w).azimuthDial->shownSun()->azimuth, w->engine().sun.azimuth);
    }

    // The sunshine file, from 00:30 UT (the Sun down: the survey is not over at
    // its first pass). Each step button gives its step: the Sun's centre rises in
    // Paris on 21 June 2026 between 03:52 and 03:53 UT (elevation -0.10° and
    // +0.16° at 03:52 and 03:54, lumora-cli position) and sets on 22 June 2027
    // about 19:54 UT; the survey covers 367 days. Refused without a step or with
    // a folder in the file's way (staying in "Temps réel"); a file that stops
    // growing (a file-size limit) is said, with its path, not blamed on a spreadsheet.
    void survey_data()
    {
        // button: -1: none chosen
        // lines: the first two and the start of the last; or the message
        addColumns<int, QString, QString>("button", "obstacle", "lines");
        QTest::newRow("10 minutes") << 0 << "" << "21/06/2026 04:00; 21/06/2026 04:10; 22/06/2027 19:50;";
        QTest::newRow("30 minutes") << 1 << "" << "21/06/2026 04:00; 21/06/2026 04:30; 22/06/2027 19:30;";
        QTest::newRow("1 heure") << 2 << "" << "21/06/2026 04:00; 21/06/2026 05:00; 22/06/2027 19:00;";
        QTest::newRow("1 minute") << 3 << "" << "21/06/2026 03:53; 21/06/2026 03:54; 22/06/2027 19:5";
        QTest::newRow("no step") << -1 << "" << "1 heure";
        QTest::newRow("Export.csv a folder") << 2 << "folder" << "fermer le fichier dans excel";
        QTest::newRow("file-size limit") << 0 << "limit" << "";
    }
    void survey()
    {
        const auto [button, obstacle, lines] = fetchColumns<int, QString, QString>("button", "obstacle", "lines");
        QVERIFY(obstacle != u"folder" || QDir().mkpath(exportPath()));
        fixClock(utc(2026, 6, 21, 0, 30));
        TestWindow w;
        tick(*w);
        click(ui(*w).showSearchCheck); // faster
        click(ui(*w).surveyCheck);
        if (button >= 0)
            click(ui(*w).surveyStepButtons[button]);
        QSignalSpy finished(&*w, &MainWindow::searchFinished);
        {
            std::optional<FileSizeLimit> limit;
            if (obstacle == u"limit")
                limit.emplace(4096);
            QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!w->searchRunning() && (finished.count() || searchMessage(*w)), 60000);
        }
        QCOMPARE(w->stateText(), QStringLiteral("OK"));
        if (QMessageBox *box = searchMessage(*w)) {
            QVERIFY(obstacle == u"limit" || w->realTime() == (button < 0)); // a failed survey stays in "Temps réel"
            QVERIFY2(lines.isEmpty() ? !box->text().contains(u"excel") && box->informativeText().contains(exportPath())
                                     : box->text().contains(lines), qPrintable(box->text() + box->informativeText()));
            QVERIFY(obstacle == u"limit" || !QFileInfo(exportPath()).isFile());
            return;
        }
        QVERIFY(lines.contains(u';'));
        const QList<QByteArray> written = contents(exportPath()).split('\n');
        const QStringList expected = lines.split(u' ');
        QCOMPARE(written.first(), QByteArray("\r"));
        for (const auto &[at, start] : {std::pair(qsizetype(1), 0), std::pair(qsizetype(2), 2), std::pair(written.size() - 2, 4)})
            QVERIFY2(written[at].startsWith((expected[start] + u' ' + expected[start + 1]).toLatin1()), written[at].constData());
        // Written in the program's folder: no word of another place.
        QVERIFY(!w->findChild<QMessageBox *>(QStringLiteral("SurveyLocation")));
    }

    void badInput_data()
    {
        // target: boxes, or a bar and "min" or "max"
        addColumns<QString, QString>("target", "text");
        const QString huge = QStringLiteral("179") + QString(306, u'0'); // near the largest double
        const QList<std::pair<QString, QString>> texts{
            {"empty", {}}, {"10000 characters", QStringLiteral("4é 2.-").repeated(2000)},
            {"non-ASCII", "été 中文 🌞 ٤٩"}, {"1e308", "1e308"}, {"nan", "nan"}, {"99999", "99999"},
            {"-32768", "-32768"}, {"huge", huge}};
        for (const QString box : {"Text1", "Text2", "Text3", "Text4", "Combo1(0)", "Combo1(1)", "Combo1(2)"})
            for (const auto &[name, text] : texts)
                QTest::newRow(qPrintable(box + u' ' + name)) << box << text;
        // Degrees + minutes / 60 goes beyond the largest double.
        QTest::newRow("latitude huge") << "Text1,Text2" << huge;
        QTest::newRow("longitude huge") << "Text3,Text4" << huge;
        for (const char *bar : {"HS1", "HS2", "VS1", "VS2", "VSHeure"})
            for (const char *end : {"min", "max"})
                QTest::addRow("%s %s", bar, end) << QString::fromLatin1(bar) << QString::fromLatin1(end);
    }
    void badInput()
    {
        const auto [target, text] = fetchColumns<QString, QString>("target", "text");
        TestWindow w;
        putText(*w, QStringLiteral("Combo1(1)"), QStringLiteral("1")); // January, where -32768 is refused
        if (auto *bar = w->findChild<QScrollBar *>(target))
            bar->setValue(text == u"max" ? bar->maximum() : bar->minimum());
        else
            for (const QString &box : target.split(u','))
                putText(*w, box, text);
        ui(*w).showSearchCheck->setChecked(true); // diagrams and sun picture follow every run
        tick(*w);
        VERIFY_SANE(*w, "after a tick");
        click(ui(*w).southButton);
        VERIFY_SANE(*w, "after clicking Sud");
        ui(*w).timeBar->setValue(ui(*w).timeBar->value() == 720 ? 721 : 720);
        VERIFY_SANE(*w, "after moving the time bar");
        click(ui(*w).searchButton);
        if (ui(*w).searchButton->text() == u"Temps réel") {
            QTest::qWait(150); // several slices of passes
            VERIFY_SANE(*w, "while searching");
            click(ui(*w).searchButton); // back to real time, which stops the search
            QTRY_VERIFY_WITH_TIMEOUT(!w->searchRunning(), 10000);
        } else {
            QVERIFY(searchMessage(*w)); // a date that cannot be computed: the user is told
        }
        VERIFY_SANE(*w, "after the search");
    }

    // The help key opens the help document from each window; an opener that
    // fails is noticed and the user told.
    void helpKey_data()
    {
        addColumns<QString, int>("from", "openerStatus");
        QTest::newRow("main window") << "main" << 0;
        QTest::newRow("overlay") << "overlay" << 0;
        QTest::newRow("About box") << "about" << 0;
        QTest::newRow("year window") << "year" << 0;
        QTest::newRow("no program for web pages") << "main" << 3;
    }
    void helpKey()
    {
        const auto [from, openerStatus] = fetchColumns<QString, int>("from", "openerStatus");
        const QString help = QCoreApplication::applicationDirPath() + QStringLiteral("/Quorel_fr.html");
        const bool made = !QFile::exists(help) && QFile(help).open(QIODevice::WriteOnly);
        auto removeHelp = qScopeGuard([&] {
            if (made)
                QFile::remove(help);
        });
        qputenv("LUMORA_TEST_OPENER_STATUS", QByteArray::number(openerStatus));
        auto resetStatus = qScopeGuard([] { qputenv("LUMORA_TEST_OPENER_STATUS", "0"); });
        TestWindow w;
        QWidget *window = &*w;
        if (from == u"overlay") {
            answerMapQuestionNo();
            QTest::mouseClick(ui(*w).mapButton, Qt::LeftButton);
            window = w->overlay();
        } else if (from == u"about") {
            QTest::mouseClick(ui(*w).aboutButton, Qt::LeftButton);
            window = w->aboutBox();
        } else if (from == u"year") {
            w->openYearView();
            window = w->yearView();
        }
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F1);
        QTRY_COMPARE(contents(qEnvironmentVariable("LUMORA_TEST_OPENED")).trimmed(), QUrl::fromLocalFile(help).toEncoded());
        const auto message = [&] { return w->findChild<QMessageBox *>(QStringLiteral("HelpMessage")); };
        if (openerStatus == 0) {
            QTest::qWait(100);
            QVERIFY(!message());
        } else {
            QTRY_VERIFY(message());
            QCOMPARE(message()->text(), QStringLiteral("L'aide n'a pas pu être ouverte : %1").arg(help));
        }
    }

    // A message holds no window up, and "Quitter" ends the program with it open.
    void messagesHoldNothingUp()
    {
        TestWindow w;
        click(ui(*w).surveyCheck); // no step chosen: "Rechercher" asks for one
        QTest::mouseClick(ui(*w).searchButton, Qt::LeftButton);
        QPointer<QMessageBox> box = w->findChild<QMessageBox *>(QStringLiteral("SearchMessage"));
        QVERIFY(box && box->isVisible() && box->windowModality() == Qt::NonModal && !QApplication::activeModalWidget());
        QTest::mouseClick(ui(*w).quitButton, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(box.isNull());
    }

    // Frame2 lies over the bottom of Frame1: it covers it, and the option
    // buttons' circles show whole.
    void hemisphereFrames()
    {
        TestWindow w;
        auto *upper = w->findChild<QFrame *>(QStringLiteral("Frame1"));
        auto *lower = w->findChild<QFrame *>(QStringLiteral("Frame2"));
        QVERIFY(upper->geometry().intersects(lower->geometry()));
        const QImage picture = w->grab().toImage();
        const int x = upper->geometry().center().x();
        for (int y : {upper->geometry().bottom(), upper->geometry().bottom() - 1})
            QCOMPARE(picture.pixelColor(x, y), w->palette().color(QPalette::Window));
        for (QRadioButton *button : w->findChildren<QRadioButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect circle = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
            QVERIFY2(button->rect().contains(circle), qPrintable(button->text()));
            const QRect inWindow(button->mapTo(&*w, circle.topLeft()), circle.size());
            QVERIFY2(button->parentWidget() != upper || !inWindow.intersects(lower->geometry()), qPrintable(button->text()));
        }
    }

    // Each open view follows a change that takes the Sun out of the frame:
    // the indicator, the course's read-out, the year window, the icon's tooltip.
    void viewsFollow_data()
    {
        addNamedRows<QString>("change", {{"site", "site"}, {"frame", "frame"}, {"date", "date"}});
    }
    void viewsFollow()
    {
        QFETCH(QString, change);
        TestWindow w(kAlertsOn);
        const WindowControls c = ui(*w);
        frameSun(*w, true);
        tick(*w);
        w->openYearView();
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*w), 20000);
        const QString course = c.panorama->toolTip();
        const QImage year = yearPicture(*w);
        QVERIFY(c.sunInIcon->isVisible() && w.tray->calls.last() == kTipIn && !course.isEmpty());
        if (change == u"site")
            c.latitudeDegreesEdit->setText(QStringLiteral("10")); // the Sun 77° high in the north
        else if (change == u"frame")
            frameSun(*w, false);
        else
            w->showInstant(CivilDate{2026, 12, 21}, 720); // 17.6° high
        tick(*w);
        QVERIFY(c.sunOutIcon->isVisible() && !c.sunInIcon->isVisible());
        QCOMPARE(w.tray->calls.last(), kTipOut);
        QVERIFY(c.panorama->toolTip() != course);
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*w) && yearPicture(*w) != year, 20000);
    }

    // A program left running moves on with the UT day: its date, course, next
    // event and tooltip are those of one started then; the year window's mark moves.
    void acrossUtMidnight_data()
    {
        addColumns<QDateTime, QDateTime>("before", "after");
        // Both start after local midnight in Paris, before UT midnight.
        QTest::newRow("New Year") << utc(2026, 12, 31, 23, 30) << utc(2027, 1, 1, 0, 0, 1);
        QTest::newRow("31 March to 1 April") << utc(2026, 3, 31, 22, 30) << utc(2026, 4, 1, 0, 0, 0);
        QTest::newRow("three days on") << utc(2026, 6, 21, 12, 0) << utc(2026, 6, 24, 12, 0);
    }
    void acrossUtMidnight()
    {
        const auto [before, after] = fetchColumns<QDateTime, QDateTime>("before", "after");
        const auto start = [](TestWindow &w) {
            frameSun(*w, true);
            tick(*w);
            click(ui(*w).hideButton);
            w->openYearView();
        };
        fixClock(before);
        TestWindow running(kAlertsOn);
        start(running);
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*running), 20000);
        const QImage year = yearPicture(*running);
        fixClock(after);
        tick(*running);
        TestWindow fresh(kAlertsOn);
        start(fresh);
        const auto views = [](TestWindow &w) {
            w->trayMenu()->refresh();
            return QStringList{dateBoxesText(*w), QString::number(w->engine().evalJulianDay),
                               ui(*w).panorama->toolTip(), w->trayMenu()->nextEventAction()->text(), w.tray->calls.last()};
        };
        QCOMPARE(views(running), views(fresh));
        QCOMPARE(dateBoxesText(*running), after.toString(u"d/M/yyyy"));
        QVERIFY(running->realTime());
        QTRY_VERIFY_WITH_TIMEOUT(yearShown(*running) && yearPicture(*running) != year, 20000);
    }


    // A choice in a menu is written at once and is there at the next start (the
    // course's layers: tests/suncourse; the year window's folder: tests/yearview).
    void choicesKept_data()
    {
        // choice: a menu entry's object name
        addColumns<QString, QString, QString>("choice", "key", "stored");
        QTest::newRow("alerts") << "AlertsAction" << "Alertes/Actives" << "Vrai";
        QTest::newRow("lead 30 min") << "LeadAction30" << "Alertes/Avance" << "30";
        QTest::newRow("lead none") << "LeadAction0" << "Alertes/Avance" << "0";
    }
    void choicesKept()
    {
        const auto [choice, key, stored] = fetchColumns<QString, QString, QString>("choice", "key", "stored");
        TestWindow w({{QStringLiteral("Alertes/Avance"), QStringLiteral("15")}});
        w->findChild<QAction *>(choice)->trigger();
        QCOMPARE(QSettings(w.iniPath(), QSettings::IniFormat).value(key).toString(), stored);
        QVERIFY(w.nextStart().findChild<QAction *>(choice)->isChecked());
    }

    // Settings that cannot be kept at "Quitter": the user is told which file and
    // why (in the system's words, or plain ones for a file-size limit), and the
    // program ends once the message is read. Unreadable lines are no failure.
    void quit_data()
    {
        // path: beside a file "blocker" and a folder "folder.ini"
        // reason: "": saved
        addColumns<QString, int, QString>("path", "sizeLimit", "reason");
        QTest::newRow("a file in place of the folder") << "blocker/Lumora.ini" << 0 << qt_error_string(ENOTDIR);
        QTest::newRow("a folder in place of the file") << "folder.ini" << 0 << qt_error_string(EISDIR);
        QTest::newRow("file-size limit") << "Lumora.ini" << 40 << kTooLarge;
        QTest::newRow("unreadable lines") << "junk.ini" << 0 << "";
    }
    void quit()
    {
        const auto [path, sizeLimit, reason] = fetchColumns<QString, int, QString>("path", "sizeLimit", "reason");
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("junk.ini")), "[DATA]\nnot a setting\n\\=5\nVS1=12\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("blocker")), {}));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder.ini")));
        QSettings store(dir.filePath(path), QSettings::IniFormat);
        MainWindow w(&store, std::make_unique<FakeTray>());
        w.show();
        {
            std::optional<FileSizeLimit> limit;
            if (sizeLimit)
                limit.emplace(sizeLimit);
            QTest::mouseClick(ui(w).quitButton, Qt::LeftButton);
        }
        QVERIFY(!w.isVisible());
        QPointer<QMessageBox> box = w.findChild<QMessageBox *>(QStringLiteral("SettingsMessage"));
        if (reason.isEmpty()) {
            QVERIFY(!box && contents(store.fileName()).contains("VS1=12\nVS2=3335"));
            QCOMPARE(fileErrorReason(ENOSPC), QStringLiteral("le disque est plein"));
            return;
        }
        QVERIFY(box && box->isVisible());
        QVERIFY(box->text().startsWith(u"Les réglages n'ont pas pu être enregistrés"));
        QCOMPARE(box->informativeText(), QStringLiteral("Impossible d'écrire %1 : %2").arg(store.fileName(), reason));
        box->close();
        QTRY_VERIFY(box.isNull());
    }

    // A logout, a closed terminal or Ctrl+C ends the program as "Quitter"
    // does: the changes are saved, once.
    void sessionEndSaves_data()
    {
        addNamedRows<int>("signal", {{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}});
    }
    void sessionEndSaves()
    {
        QFETCH(int, signal);
        TestWindow w;
        SessionEnd sessionEnd;
        connect(&sessionEnd, &SessionEnd::requested, &*w, &MainWindow::endSession);
        ui(*w).latitudeDegreesEdit->setText(QStringLiteral("33"));
        ::raise(signal);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(contents(w.iniPath()).contains("T1=33"));
        ui(*w).latitudeDegreesEdit->setText(QStringLiteral("34"));
        QVERIFY(w->close());
        QVERIFY(contents(w.iniPath()).contains("T1=33"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
