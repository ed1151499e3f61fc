// The Discord widget reply: an invite either passes the https rule or is empty, the rows
// stay within what a widget sends, and every cell within what the list shows.
#include "fuzz_check.h"
#include "json_mutator.h"
#include "online/discord_widget.h"
#include "online/server_status.h"
#include "online/web_address.h"

FUZZ_JSON_MUTATOR

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    const DiscordFill fill = FillDiscordFromReply(AsText(data, size));
    if (fill.inviteUrl) FUZZ_CHECK(fill.inviteUrl->empty() || IsSafeHttpsAddress(*fill.inviteUrl));
    FUZZ_CHECK(fill.rows.size() <= kDiscordRowsMax);
    for (const auto& row : fill.rows) {
        FUZZ_CHECK(row.size() <= 4);
        for (const auto& cell : row) FUZZ_CHECK(cell.size() <= kDiscordCellMax);
    }
    FUZZ_CHECK(fill.label.size() <= kDiscordNameMax + kDiscordCountMax + 40);
    if (!fill.ok) FUZZ_CHECK(fill.label == kParseErrorText);
    return 0;
}
