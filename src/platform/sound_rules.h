#pragma once
#include <string>

namespace ravenlock {

// The launch sound of a day, by ISO weekday (Monday 1 ... Sunday 7): "snd4" Monday to
// Thursday, "snd5" Friday to Sunday.
std::wstring WeekdaySoundName(int isoWeekday);

// ISO weekday from the system's day-of-week number (Sunday 0 ... Saturday 6).
int IsoWeekday(int systemDayOfWeek);

}  // namespace ravenlock
