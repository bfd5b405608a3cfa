// A calendar date as the program reads and writes it: the day, month and year
// numbers themselves, in whichever calendar was in force on that day (Julian
// before 15 October 1582, Gregorian from then on). Years count astronomically:
// year 0 is 1 BC, year -1 is 2 BC. Unlike QDate it holds year 0 and any year
// the program can compute.
#pragma once

namespace lumora {

struct CivilDate {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
    friend constexpr bool operator==(const CivilDate &, const CivilDate &) = default;
    // Ordered as the days follow each other.
    friend constexpr bool operator<(const CivilDate &a, const CivilDate &b)
    {
        return a.year != b.year ? a.year < b.year : a.month != b.month ? a.month < b.month : a.day < b.day;
    }
};

} // namespace lumora
