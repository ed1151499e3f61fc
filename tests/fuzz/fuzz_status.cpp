// The status reply: whatever arrives, the status line gets one of the texts it knows,
// the parse error text, or a status as it came within the line's bound.
#include "fuzz_check.h"
#include "json_mutator.h"
#include "online/server_status.h"

FUZZ_JSON_MUTATOR

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    const std::wstring status = StatusTextFromReply(AsText(data, size));
    FUZZ_CHECK(status.size() <= kStatusValueMax);
    const StatusLook look = LookOfStatus(status);
    FUZZ_CHECK(look.enableRunButton == (status == L"В норме" || status == L"Частичное отключение"));
    if (AsText(data, size).find("Fallout 76") == std::string_view::npos) FUZZ_CHECK(status == kParseErrorText);
    return 0;
}
