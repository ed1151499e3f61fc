// The line list (load, save, search, set value) with code page 1251 standing in for the
// system's. What a save writes loads back as the same lines; a save that cannot promise
// that refuses with the user's message instead.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "gameconfig/line_list.h"
#include "platform/app_error.h"
#include "support/cp1251.h"

namespace {

using ravenlock::LineList;
using ravenlock::testing::kCp1251;

// Save, or nothing when the list refuses to.
std::optional<std::string> TrySave(const LineList& list) {
    try {
        return list.Save(kCp1251);
    } catch (const ravenlock::AppError& e) {
        FUZZ_CHECK(!e.Message().empty());
        return std::nullopt;
    }
}

void CheckRoundTrip(const LineList& list) {
    const auto saved = TrySave(list);
    if (!saved) return;
    LineList again;
    again.Load(*saved, kCp1251);
    FUZZ_CHECK(again.Lines() == list.Lines());
    FUZZ_CHECK(again.Encoding() == list.Encoding());
}

bool Plain(const std::wstring& text) { return text.find_first_of(L"\r\n") == std::wstring::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::wstring name = ravenlock::testing::DecodeCp1251(in.ConsumeRandomLengthString(40));
    const std::wstring value = ravenlock::testing::DecodeCp1251(in.ConsumeRandomLengthString(40));
    const std::string file = in.ConsumeRemainingBytesAsString();

    LineList list;
    list.Load(file, kCp1251);
    CheckRoundTrip(list);

    // Search: the line found is the first entry of that name.
    if (const auto at = list.Find(name)) {
        FUZZ_CHECK(ravenlock::SameName(LineList::NameOf(list.Lines()[*at]), name));
        for (size_t i = 0; i < *at; ++i)
            FUZZ_CHECK(!LineList::IsEntry(list.Lines()[i]) || !ravenlock::SameName(LineList::NameOf(list.Lines()[i]), name));
        FUZZ_CHECK(list.ValueOfName(name) == LineList::ValueOf(list.Lines()[*at]));
    }

    // Set value: a name without "=" or a break reads back what was set, before and after a save.
    if (!name.empty() && name.find(L'=') == std::wstring::npos && Plain(name) && Plain(value)) {
        list.SetValueOfName(name, value);
        FUZZ_CHECK(list.ValueOfName(name) == value);
        CheckRoundTrip(list);
    }
    return 0;
}
