#include "gameconfig/option_rules.h"

#include <algorithm>

namespace ravenlock {

const std::vector<OptionSpec>& QuickOptions() {
    using F = OptionFile;
    static const std::vector<OptionSpec> options = {
        {1, L"Эффект тумана", F::Main, {{L"Weather", L"bFogEnabled", L"1", L"0"}}, L"1", false},
        {2, L"Эффект радиального размытия", F::Main,
         {{L"ImageSpace", L"bDoRadialBlur", L"1", L"0"}, {L"ImageSpace", L"bMBEnable", L"1", L"0"}}, L"1", false},
        {3, L"Эффект глубины поля", F::Prefs, {{L"ImageSpace", L"bDoDepthOfField", L"1", L"0"}}, L"1", false},
        {4, L"Эффект кровяных брызг", F::Main, {{L"ScreenSplatter", L"bBloodSplatterEnabled", L"1", L"0"}}, L"1", false},
        {5, L"Эффект дождевой окклюзии", F::Main, {{L"Weather", L"bRainOcclusion", L"1", L"0"}}, L"1", false},
        {6, L"Эффект намокания текстур", F::Main, {{L"Weather", L"bWetnessOcclusion", L"1", L"0"}}, L"1", false},
        {7, L"Эффект бликов линзы", F::Prefs, {{L"ImageSpace", L"bLensFlare", L"1", L"0"}}, L"1", false},
        {8, L"Эффект Боке", F::Prefs, {{L"ImageSpace", L"bScreenSpaceBokeh", L"1", L"0"}}, L"1", false},
        {9, L"Объемное освещение", F::Prefs, {{L"Display", L"bVolumetricLightingEnable", L"1", L"0"}}, L"1", false},
        {10, L"Улучшенные текстуры воды", F::Prefs, {{L"Water", L"bUseWaterHiRes", L"1", L"0"}}, L"1", false},
        {11, L"Световая окклюзия (SSAO)", F::Prefs, {{L"Display", L"bSAOEnable", L"1", L"0"}}, L"1", false},
        {12, L"Отражения в пространстве экрана", F::Prefs,
         {{L"LightingShader", L"bScreenSpaceReflections", L"1", L"0"}}, L"1", false},
        {13, L"Вертикальная синхронизация", F::Prefs, {{L"Display", L"iPresentInterval", L"1", L"0"}}, L"1", false},
        {14, L"Сглаживание TAA (антиалиасинг)", F::Prefs, {{L"Display", L"sAntiAliasing", L"TAA", L"0"}}, L"TAA", false},
        {15, L"Отключить интро", F::Main,
         {{L"General", L"sIntroSequence", L"0", L"BGSLogo4k.bk2"},
          {L"General", L"uMainMenuDelayBeforeAllowSkip", L"0", L"1500"}},
         L"0", false},
        {18, L"Отключить экраны с объявлениями", F::Custom,
         {{L"General", L"bSkipSplash", L"1", L"0"}, {L"Login", L"bAutoSignIn", L"1", L"0"}}, L"1", false},
        {16, L"Отключить уведомления о командах", F::Prefs,
         {{L"GamePlay", L"bShowPublicTeamNotifications", L"0", L"1"}}, L"1", true},
        {17, L"Отключить обучающие экраны", F::Prefs, {{L"Interface", L"bShowTutorials", L"0", L"1"}}, L"1", true},
        {19, L"Показывать значения урона", F::Prefs, {{L"Adventure", L"bShowDamageNumbers", L"1", L"0"}}, L"1", false},
        {20, L"Полноэкранный режим", F::Main,
         {{L"Display", L"bFull Screen", L"1", L"0"}, {L"Display", L"bBorderless", L"1", L"0"}}, L"1", false},
        {60, L"Повышенный приоритет игры", F::Settings, {{L"", L"GameProcessHighPriority", L"", L""}}, L"", false},
        {61, L"Очищать RAM-кэш перед запуском", F::Settings, {{L"", L"FreeRAMCacheBeforeStartingGame", L"", L""}}, L"",
         false},
    };
    return options;
}

const OptionSpec* FindOption(int tag) {
    for (const auto& o : QuickOptions())
        if (o.tag == tag) return &o;
    return nullptr;
}

bool FillsChecked(const OptionSpec& option, const std::wstring& value) {
    return option.inverted ? value != option.checkedValue : value == option.checkedValue;
}

std::optional<int> PipboyPosition(const std::wstring& value) {
    std::wstring digits;
    for (wchar_t c : value)
        if (c != L'.') digits.push_back(c);
    if (digits.size() < 2 || digits[0] < L'0' || digits[0] > L'9' || digits[1] < L'0' || digits[1] > L'9') return std::nullopt;
    const int n = (digits[0] - L'0') * 10 + (digits[1] - L'0');
    return std::clamp(n, 1, 15);
}

std::wstring PipboyValueText(int position) {
    position = std::clamp(position, 1, 15);
    if (position < 10) return L"0." + std::to_wstring(position) + L"000";
    return L"1." + std::to_wstring(position - 10) + L"000";
}

}  // namespace ravenlock
