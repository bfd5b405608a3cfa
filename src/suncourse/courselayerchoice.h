// Which of the Sun's course layers the panorama shows, and how the choice is
// kept between runs: in the settings group "Panorama", apart from the
// window's own group.
#pragma once

class QSettings;

namespace lumora {

struct CourseLayerChoice {
    bool dayCourse = true;   // the day's path with its hour marks and in-frame stretch
    bool envelope = true;    // the solstices' paths and the equinox's
    bool hourLines = false;  // the figure eights of the whole hours
    friend bool operator==(const CourseLayerChoice &, const CourseLayerChoice &) = default;
};

// Reads the keys "DayCourse", "Envelope" and "HourLines" of the group
// "Panorama". "true" or "1" shows a layer, "false" or "0" hides it (letter
// case and blanks ignored); an absent key or any other text gives the
// default above, so a damaged file never hides everything.
CourseLayerChoice readCourseLayerChoice(QSettings &store);

// Writes the three keys as "true" or "false" and syncs the store. Returns
// false when the store says it could not be written.
bool writeCourseLayerChoice(QSettings &store, const CourseLayerChoice &choice);

} // namespace lumora
