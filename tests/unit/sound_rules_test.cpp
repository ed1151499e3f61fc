#include <gtest/gtest.h>

#include "platform/sound_rules.h"

namespace ravenlock {
namespace {

TEST(SoundRules, LaunchSoundChangesOnFriday) {
    const struct {
        int systemDay;  // Sunday 0 ... Saturday 6, as the system reports it
        int iso;
        const wchar_t* sound;
    } cases[] = {
        {1, 1, L"snd4"}, {2, 2, L"snd4"}, {3, 3, L"snd4"}, {4, 4, L"snd4"},  // Monday to Thursday
        {5, 5, L"snd5"}, {6, 6, L"snd5"}, {0, 7, L"snd5"},                   // Friday to Sunday
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsoWeekday(c.systemDay), c.iso) << c.systemDay;
        EXPECT_EQ(WeekdaySoundName(IsoWeekday(c.systemDay)), c.sound) << c.systemDay;
    }
}

}  // namespace
}  // namespace ravenlock
