// The tables of the DLLs loaded at first use, against Wine's real DLLs: every entry point
// we call must resolve, or the feature behind it would only fail on a user's machine.
#include <gtest/gtest.h>

#include "platform/app_error.h"
#include "platform/late_libraries.h"

namespace ravenlock {
namespace {

// A table holds nothing but function pointers: all of them must be set.
template <typename Api>
int MissingEntries(const Api& api) {
    static_assert(sizeof(Api) % sizeof(void*) == 0);
    const auto* entries = reinterpret_cast<void* const*>(&api);
    int missing = 0;
    for (size_t i = 0; i < sizeof(Api) / sizeof(void*); ++i) missing += entries[i] == nullptr;
    return missing;
}

TEST(LateLibraries, EveryTableLoadsWithAllItsEntries) {
    EXPECT_EQ(MissingEntries(late::Shell32(L"test")), 0);
    EXPECT_EQ(MissingEntries(late::Ole32(L"test")), 0);
    EXPECT_EQ(MissingEntries(late::OleAut32(L"test")), 0);
    EXPECT_EQ(MissingEntries(late::WinHttp(L"test")), 0);
    EXPECT_EQ(MissingEntries(late::WinMm(L"test")), 0);
    ASSERT_NE(late::TryComDlg32(), nullptr);
    EXPECT_EQ(MissingEntries(*late::TryComDlg32()), 0);
    EXPECT_EQ(late::TryShell32(), &late::Shell32(L"test"));
}

TEST(LateLibraries, ComIsThereForTheCallingThreadAfterwards) {
    late::ComForThisThread(L"test");
    // Initialised already: a further initialisation of the same kind only counts up.
    const auto& com = late::Ole32(L"test");
    EXPECT_EQ(com.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE), S_FALSE);
    com.CoUninitialize();
}

TEST(LateLibraries, AMissingLibraryNamesItselfTheErrorAndTheFeature) {
    EXPECT_EQ(late::MissingLibraryMessage(L"winmm.dll", ERROR_MOD_NOT_FOUND, L"звуковые оповещения"),
              L"Не удалось загрузить системную библиотеку winmm.dll (код ошибки 126), поэтому недоступно: "
              L"звуковые оповещения.");
}

}  // namespace
}  // namespace ravenlock
