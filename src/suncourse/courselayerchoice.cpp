// The course layers' choice in the settings store.
#include "suncourse/courselayerchoice.h"

#include <QSettings>
#include <QStringList>

namespace lumora {

namespace {
const char *const kGroup = "Panorama";
const char *const kDayCourseKey = "DayCourse";
const char *const kEnvelopeKey = "Envelope";
const char *const kHourLinesKey = "HourLines";

bool storedFlag(QSettings &store, const char *key, bool fallback)
{
    const QVariant value = store.value(QLatin1String(key));
    // An INI value with a comma comes back as a list: that is no flag.
    if (!value.isValid() || value.typeId() == QMetaType::QStringList)
        return fallback;
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return fallback;
}
} // namespace

CourseLayerChoice readCourseLayerChoice(QSettings &store)
{
    const CourseLayerChoice defaults;
    CourseLayerChoice choice;
    store.beginGroup(QLatin1String(kGroup));
    choice.dayCourse = storedFlag(store, kDayCourseKey, defaults.dayCourse);
    choice.envelope = storedFlag(store, kEnvelopeKey, defaults.envelope);
    choice.hourLines = storedFlag(store, kHourLinesKey, defaults.hourLines);
    store.endGroup();
    return choice;
}

bool writeCourseLayerChoice(QSettings &store, const CourseLayerChoice &choice)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); };
    store.beginGroup(QLatin1String(kGroup));
    store.setValue(QLatin1String(kDayCourseKey), flag(choice.dayCourse));
    store.setValue(QLatin1String(kEnvelopeKey), flag(choice.envelope));
    store.setValue(QLatin1String(kHourLinesKey), flag(choice.hourLines));
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace lumora
