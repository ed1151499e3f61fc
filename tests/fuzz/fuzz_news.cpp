// The news reply: a title is never longer than the cut, a summary never longer than its
// bound, a picture address is always https, and a reply that fails leaves all three
// lines empty.
#include "fuzz_check.h"
#include "json_mutator.h"
#include "online/news_feed.h"

FUZZ_JSON_MUTATOR

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    const NewsFill fill = FillNewsFromReply(AsText(data, size));
    for (const auto& entry : fill.entries) {
        if (entry.title) FUZZ_CHECK(entry.title->size() <= kNewsTitleMax + 3);
        if (entry.blurb) FUZZ_CHECK(entry.blurb->size() <= kNewsSummaryMax);
        if (entry.pictureUrl) FUZZ_CHECK(entry.pictureUrl->starts_with(L"https:"));
        if (entry.articleUrl) FUZZ_CHECK(entry.articleUrl->starts_with(kNewsArticleBase));
        if (fill.ok) FUZZ_CHECK(entry.title && entry.articleUrl && entry.blurb && entry.pictureUrl);
    }
    return 0;
}
