#include "platform/sound_rules.h"

namespace ravenlock {

std::wstring WeekdaySoundName(int isoWeekday) { return isoWeekday >= 5 ? L"snd5" : L"snd4"; }

int IsoWeekday(int systemDayOfWeek) { return systemDayOfWeek == 0 ? 7 : systemDayOfWeek; }

}  // namespace ravenlock
