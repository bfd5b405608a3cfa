// A user's session with the main window written as one line of steps, so that
// a widget test is a table of such lines. Steps, separated by ";":
//   clock 2026-06-21T12:00:00  the fixed clock (UT)      zone Europe/Paris  the time zone
//   stored KEY=VALUE           a settings value before the start (a key of DATA, or Group/Key)
//   tick                       one second of real time   restart  the program started again
//   click NAME                 a click near a control's left end (its mark)
//   key NAME KEY               a key (as QKeySequence names it: Down, End, F1) on a control
//   focus NAME; keys KEY…      the window active, the focus on a control; keys to the focus
//   set NAME VALUE             a box's text or a bar's value, set as a program would
//   type NAME VALUE            the same, then End pressed in the box, as a user types
//   frame L R T B              the frame bars (setFrame)  close  the window's close box
//   search [NAME]              a click on "Rechercher" (or NAME) and the search's end
//   map                        the map button, its question answered "Non"
//   tray activate|menu|message|none   the icon clicked, its menu's "Afficher Lumora", its
//                              message clicked; no notification area from now on
//   front                      a second start of the program   traystart  a start with --tray
//   retour overlay|about       that window's "Retour"
//   pressaway NAME             a press on a control released off it: nothing may change
//   english                    an English desktop (until the scenario ends)
// and expectations, compared as text (NAME=TEXT, NAME!=TEXT, NAME~REGEX; wait EXPECTATION
// retries it for 5 s):
//   NAME                       a control's text (a bar's value, a box's current text)
//   NAME.PROPERTY              a property (toolTip, visible, checked, x…; px: the font's
//                              size in pixels; color: the text's)
//   @dates @realTime @latitude @longitude @dayFraction @state @searching @inWindow @azimuth
//   @options (the step buttons, Nord, Sud, Ouest, Est: x selected) @lines (the frame's lines)
//   @captions (the frame's edges) @tick (graduation tick 1) @ini (the settings file's lines)
//   @tray (what the notification area was asked: in/out with the picture, sun or shade; hide)
//   @window (shown, hidden, minimised) @icon (the icon shown, and "Afficher Lumora" on offer)
#pragma once

#include "about/about.h"
#include "common/language.h"
#include "maptools/azimuthoverlay.h"
#include "support/testwindow.h"
#include "tray/traymenu.h"

namespace lumora::testing {

// Answers the map launcher's question "No" once it is open.
inline void answerMapQuestionNo()
{
    QTimer::singleShot(0, [] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(top); box && box->objectName() == u"MapQuestion")
                return box->done(QMessageBox::No);
        answerMapQuestionNo();
    });
}

// What the window or its settings file show for an expectation's name.
inline QString observed(TestWindow &w, MainWindow &shown, const QString &name)
{
    if (name.startsWith(u'@')) {
        const SunshineEngine &e = shown.engine();
        const FrameLines &f = ui(shown).panorama->frameLines();
        const QMap<QString, std::function<QString()>> facts{
            {"@dates", [&] { return dateBoxesText(shown); }},
            {"@realTime", [&] { return QString::number(shown.realTime()); }},
            {"@latitude", [&] { return QString::number(e.site.latitude); }},
            {"@longitude", [&] { return QString::number(e.site.longitude); }},
            {"@dayFraction", [&] { return QString::number(e.dayFractionUT); }},
            {"@state", [&] { return shown.stateText(); }},
            {"@searching", [&] { return QString::number(shown.searchRunning() || e.searchActive); }},
            {"@inWindow", [&] { return QString::number(e.inWindow); }},
            {"@azimuth", [&] { return QString::number(e.sun.azimuth, 'f', 1); }},
            {"@lines", [&] {
                 return QStringLiteral("%1 %2 %3 %4").arg(f.left.x1).arg(f.right.x1).arg(f.top.y1).arg(f.bottom.y1);
             }},
            {"@tick", [&] {
                 const QLineF t = shown.graduationTick(1);
                 return QStringLiteral("%1 %2 %3 %4").arg(t.x1(), 0, 'f', 1).arg(t.y1()).arg(t.x2(), 0, 'f', 1).arg(t.y2());
             }},
            {"@options", [&] {
                 const WindowControls c = ui(shown);
                 QString text;
                 for (QRadioButton *b : {c.surveyStepButtons[0], c.surveyStepButtons[1], c.surveyStepButtons[2],
                                         c.surveyStepButtons[3], c.northButton, c.southButton, c.westButton, c.eastButton})
                     text += b->isChecked() ? u'x' : u'.';
                 return text.insert(4, u' ');
             }},
            {"@captions", [&] {
                 QStringList captions;
                 for (QLabel *label : ui(shown).frameEdgeLabels)
                     captions << label->text();
                 return captions.join(u' ');
             }},
            {"@tray", [&] {
                 const auto picture = [](const QImage &i) { return i.convertToFormat(QImage::Format_ARGB32); };
                 const QImage sun = picture(shown.windowIcon().pixmap(16, 16).toImage());
                 const QImage shade = picture(ui(shown).sunOutIcon->pixmap().toImage());
                 QStringList calls;
                 for (int i = 0, shownIcon = 0; i < w.tray->calls.size(); ++i) {
                     const QString &call = w.tray->calls[i];
                     const QImage icon = call == u"hide" ? QImage() : picture(w.tray->icons[shownIcon++]);
                     const char *tip = call == kTipIn ? "in" : call == kTipOut ? "out" : "?";
                     calls << (call == u"hide" ? call
                                               : QStringLiteral("%1:%2").arg(tip, icon == sun ? "sun" : icon == shade ? "shade" : "?"));
                 }
                 return calls.join(u' ');
             }},
            {"@window", [&] { return shown.isHidden() ? "hidden" : shown.isMinimized() ? "minimised" : "shown"; }},
            {"@icon", [&] {
                 return QString::number(w.tray->shown() && shown.tray()->iconShown()
                                        && shown.trayMenu()->showAction()->isEnabled());
             }},
            {"@ini", [&] {
                 QFile file(w.iniPath());
                 const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
                 return text.split(u'\n', Qt::SkipEmptyParts).join(u' ');
             }}};
        return facts.contains(name) ? facts[name]() : QStringLiteral("no such fact");
    }
    const QString object = name.section(u'.', 0, 0), property = name.section(u'.', 1);
    QWidget *widget = object == shown.objectName() ? &shown : shown.findChild<QWidget *>(object);
    if (!widget)
        return QStringLiteral("no control ") + object;
    if (property == u"px")
        return QString::number(widget->font().pixelSize());
    if (property == u"color")
        return widget->palette().color(QPalette::WindowText).name();
    if (!property.isEmpty())
        return widget->property(property.toLatin1()).toString();
    if (auto *bar = qobject_cast<QScrollBar *>(widget))
        return QString::number(bar->value());
    if (auto *box = qobject_cast<QComboBox *>(widget))
        return box->currentText();
    return widget->property("text").toString();
}

// Whether an expectation (NAME=TEXT, NAME!=TEXT, NAME~REGEX) holds; empty
// when it does, else what was seen.
inline std::optional<QString> unmet(TestWindow &w, MainWindow &shown, const QString &step)
{
    static const QRegularExpression form(QStringLiteral("^([@\\w().]+)(=|!=|~)(.*)$"));
    const auto m = form.match(step);
    if (!m.hasMatch())
        return std::nullopt;
    const QString seen = observed(w, shown, m.captured(1)), op = m.captured(2), want = m.captured(3);
    const bool holds = op == u"~" ? QRegularExpression(want).match(seen).hasMatch() : (seen == want) == (op == u"=");
    return holds ? QString() : QStringLiteral("%1: seen %2").arg(step, seen);
}

// Runs the steps on a new TestWindow; empty when every expectation held,
// else which step failed and what was seen.
inline QString runScenario(const QString &script)
{
    QList<std::pair<QString, QString>> stored;
    QStringList steps = script.split(u';', Qt::SkipEmptyParts);
    for (QString &step : steps)
        step = step.trimmed();
    const auto setClock = [](const QString &text) { fixClock(QDateTime::fromString(text + u'Z', Qt::ISODate)); };
    // Before the start: the clock, the zone and the stored settings.
    while (!steps.isEmpty() && QRegularExpression(QStringLiteral("^(clock|zone|stored) ")).match(steps[0]).hasMatch()) {
        const QString step = steps.takeFirst(), arg = step.section(u' ', 1);
        if (step.startsWith(u"clock"))
            setClock(arg);
        else if (step.startsWith(u"zone"))
            setZone(qPrintable(arg));
        else
            stored.append({arg.section(u'=', 0, 0), arg.section(u'=', 1)});
    }
    const auto french = qScopeGuard([] { setUiLanguage(UiLanguage::French); });
    if (steps.value(0) == u"english") { // before the window is made
        setUiLanguage(UiLanguage::English);
        steps.removeFirst();
    }
    TestWindow w(stored);
    MainWindow *shown = &*w;
    for (const QString &step : steps) {
        const QString verb = step.section(u' ', 0, 0), name = step.section(u' ', 1, 1), rest = step.section(u' ', 2);
        QWidget *target = shown->findChild<QWidget *>(name);
        const auto keyOf = [](const QString &key) { return Qt::Key(QKeySequence::fromString(key)[0].key()); };
        if (const std::optional<QString> failure = unmet(w, *shown, step)) {
            if (!failure->isEmpty())
                return *failure;
        } else if (verb == u"wait") {
            const QString expectation = step.section(u' ', 1);
            if (!QTest::qWaitFor([&] { return unmet(w, *shown, expectation).value_or(QString()).isEmpty(); }, 5000))
                return *unmet(w, *shown, expectation);
        } else if (verb == u"clock") {
            setClock(name);
        } else if (verb == u"tick") {
            tick(*shown);
        } else if (verb == u"restart") {
            shown = &w.nextStart();
            shown->show();
        } else if (verb == u"close") {
            shown->close();
        } else if (verb == u"click" && target) {
            click(target);
        } else if (verb == u"key" && target) {
            QTest::keyClick(target, keyOf(rest));
        } else if (verb == u"focus" && target) {
            shown->activateWindow();
            if (!QTest::qWaitForWindowActive(shown))
                return step + QStringLiteral(": the window is not active");
            target->setFocus();
        } else if (verb == u"keys") {
            for (const QString &key : step.split(u' ').mid(1))
                QTest::keyClick(QApplication::focusWidget(), keyOf(key));
        } else if ((verb == u"set" || verb == u"type") && target) {
            auto *box = qobject_cast<QComboBox *>(target);
            auto *edit = box ? box->lineEdit() : qobject_cast<QLineEdit *>(target);
            if (auto *bar = qobject_cast<QScrollBar *>(target))
                bar->setValue(rest.toInt());
            else if (edit)
                edit->setText(rest);
            if (verb == u"type" && edit)
                QTest::keyClick(edit, Qt::Key_End);
        } else if (verb == u"frame") {
            const QStringList v = step.split(u' ').mid(1);
            setFrame(*shown, v.value(0).toInt(), v.value(1).toInt(), v.value(2).toInt(), v.value(3).toInt());
        } else if (verb == u"search") {
            QSignalSpy finished(shown, &MainWindow::searchFinished);
            auto *button = shown->findChild<QPushButton *>(name.isEmpty() ? QStringLiteral("Command1") : name);
            QTest::mouseClick(button, Qt::LeftButton);
            if (!finished.count() && !finished.wait(5000))
                return step + QStringLiteral(": no end");
        } else if (verb == u"pressaway" && qobject_cast<QAbstractButton *>(target)) {
            const auto state = [&] {
                QString text = QStringLiteral("%1%2%3%4%5 ").arg(shown->isVisible()).arg(shown->isMinimized())
                                   .arg(shown->realTime()).arg(shown->searchRunning()).arg(bool(shown->aboutBox()));
                for (QAbstractButton *b : shown->findChildren<QAbstractButton *>())
                    text += b->isChecked() ? u'x' : u'.';
                QFile opened(QString::fromLocal8Bit(qgetenv("LUMORA_TEST_OPENED")));
                return text + (opened.exists() ? QStringLiteral(" help opened") : QString());
            };
            const QString before = state();
            QTest::mousePress(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
            QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(target->width() + 40, target->height() + 40));
            QTest::qWait(100);
            if (state() != before)
                return QStringLiteral("%1: %2 became %3").arg(step, before, state());
        } else if (verb == u"map") {
            answerMapQuestionNo();
            QTest::mouseClick(ui(*shown).mapButton, Qt::LeftButton);
        } else if (verb == u"tray" && name == u"none") {
            w.tray->isAvailable = false;
        } else if (verb == u"tray") {
            if (name == u"activate")
                shown->tray()->notifyActivated();
            else if (name == u"menu")
                shown->trayMenu()->showAction()->trigger();
            else
                emit shown->tray()->messageClicked();
        } else if (verb == u"front") {
            shown->bringToFront();
        } else if (verb == u"traystart") {
            shown->hide();
            startInNotificationArea(*shown, *shown->tray());
        } else if (verb == u"retour" && (name == u"overlay" ? bool(shown->overlay()) : bool(shown->aboutBox()))) {
            QWidget *window = name == u"overlay" ? static_cast<QWidget *>(shown->overlay()) : shown->aboutBox();
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        } else {
            return QStringLiteral("cannot do: ") + step;
        }
    }
    return {};
}

} // namespace lumora::testing
