// A user's session with the main window written as one line of steps, so that
// a widget test is a table of such lines. Steps, separated by ";":
//   clock 2026-06-21T12:00:00  the fixed clock (UT)      zone Europe/Paris  the time zone
//   stored KEY=VALUE           a settings value before the start (a key of DATA, or Group/Key)
//   tick                       one second of real time   restart  the program started again
//   click NAME                 a click near a control's left end (its mark)
//   key NAME KEY               a key (as QKeySequence names it: Down, End, F1) on a control
//   set NAME VALUE             a box's text or a bar's value, set as a program would
//   type NAME VALUE            the same, then End pressed in the box, as a user types
//   frame L R T B              the frame bars (setFrame)   search  "Rechercher", to its end
// and expectations, compared as text:
//   NAME=TEXT                  a control's text (a bar's value, a box's current text)
//   NAME.PROPERTY=TEXT         a property (toolTip, visible, checked…; px: font size in pixels,
//                              color: the text colour)
//   @dates=D/M/Y @realTime=1 @latitude=… @longitude=… @dayFraction=… @state=… @ini=LINE LINE…
#pragma once

#include "support/testwindow.h"

namespace lumora::testing {

// What the window or its settings file show for an expectation's name.
inline QString observed(TestWindow &w, MainWindow &shown, const QString &name)
{
    if (name.startsWith(u'@')) {
        const SunshineEngine &e = shown.engine();
        const QMap<QString, std::function<QString()>> facts{
            {"@dates", [&] { return dateBoxesText(shown); }},
            {"@realTime", [&] { return QString::number(shown.realTime()); }},
            {"@latitude", [&] { return QString::number(e.site.latitude); }},
            {"@longitude", [&] { return QString::number(e.site.longitude); }},
            {"@dayFraction", [&] { return QString::number(e.dayFractionUT); }},
            {"@state", [&] { return shown.stateText(); }},
            {"@ini", [&] {
                 QFile file(w.iniPath());
                 return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).join(u' ') : QString();
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

// Runs the steps on a new TestWindow; empty when every expectation held,
// else which step failed and what was seen.
inline QString runScenario(const QString &script)
{
    QList<std::pair<QString, QString>> stored;
    QStringList steps = script.split(u';', Qt::SkipEmptyParts);
    for (QString &step : steps)
        step = step.trimmed();
    // Before the start: the clock, the zone and the stored settings.
    while (!steps.isEmpty() && QRegularExpression(QStringLiteral("^(clock|zone|stored) ")).match(steps[0]).hasMatch()) {
        const QString step = steps.takeFirst(), arg = step.section(u' ', 1);
        if (step.startsWith(u"clock"))
            fixClock(QDateTime::fromString(arg, Qt::ISODate).toUTC());
        else if (step.startsWith(u"zone"))
            setZone(qPrintable(arg));
        else
            stored.append({arg.section(u'=', 0, 0), arg.section(u'=', 1)});
    }
    TestWindow w(stored);
    MainWindow *shown = &*w;
    const auto widget = [&](const QString &name) { return shown->findChild<QWidget *>(name); };
    for (const QString &step : steps) {
        const QString verb = step.section(u' ', 0, 0), name = step.section(u' ', 1, 1), rest = step.section(u' ', 2);
        const auto equals = QRegularExpression(QStringLiteral("^([@\\w().]+)=(.*)$")).match(step);
        if (equals.hasMatch()) {
            const QString seen = observed(w, *shown, equals.captured(1));
            if (seen != equals.captured(2))
                return QStringLiteral("%1: seen %2").arg(step, seen);
        } else if (verb == u"clock") {
            fixClock(QDateTime::fromString(name, Qt::ISODate).toUTC());
        } else if (verb == u"tick") {
            tick(*shown);
        } else if (verb == u"restart") {
            shown = &w.nextStart();
            shown->show();
        } else if (verb == u"click" && widget(name)) {
            click(widget(name));
        } else if (verb == u"key" && widget(name)) {
            QTest::keyClick(widget(name), Qt::Key(QKeySequence::fromString(rest)[0].key()));
        } else if ((verb == u"set" || verb == u"type") && widget(name)) {
            QWidget *target = widget(name);
            if (auto *bar = qobject_cast<QScrollBar *>(target))
                bar->setValue(rest.toInt());
            else if (auto *box = qobject_cast<QComboBox *>(target))
                box->setEditText(rest);
            else
                static_cast<QLineEdit *>(target)->setText(rest);
            if (verb == u"type")
                QTest::keyClick(target, Qt::Key_End);
        } else if (verb == u"frame") {
            const QStringList v = step.split(u' ').mid(1);
            setFrame(*shown, v.value(0).toInt(), v.value(1).toInt(), v.value(2).toInt(), v.value(3).toInt());
        } else if (verb == u"search") {
            QSignalSpy finished(shown, &MainWindow::searchFinished);
            QTest::mouseClick(ui(*shown).searchButton, Qt::LeftButton);
            if (!finished.wait(5000))
                return step + QStringLiteral(": no end");
        } else {
            return QStringLiteral("cannot do: ") + step;
        }
    }
    return {};
}

} // namespace lumora::testing
