#include "online/news_feed.h"

#include "online/json_text.h"
#include "platform/text.h"

namespace ravenlock {

std::wstring ShortenNewsTitle(const std::wstring& title) {
    if (title.size() <= kNewsTitleMax) return title;
    return CutText(title, kNewsTitleMax) + L"...";
}

std::wstring NewsPictureUrl(const std::wstring& image, size_t index) {
    std::wstring part = image;
    if (index > 0) {
        const auto jpg = image.find(L".jpg");
        if (jpg != std::wstring::npos) part = image.substr(0, jpg + 4);
    }
    return L"https:" + part;
}

NewsFill FillNewsFromReply(std::string_view body) {
    NewsFill fill;
    try {
        const auto doc = ParseJsonReply(body);
        const auto& entries = JsonMember(doc, "entries");
        for (size_t k = 0; k < fill.entries.size(); ++k) {
            const auto& entry = JsonElement(entries, k);
            NewsEntryFill& out = fill.entries[k];
            out.title = ShortenNewsTitle(JsonMemberText(entry, "title"));
            out.articleUrl = kNewsArticleBase + JsonMemberText(entry, "url");
            out.blurb = CutText(JsonMemberText(entry, "blurb"), kNewsSummaryMax);
            out.pictureUrl = NewsPictureUrl(JsonMemberText(entry, "image"), k);
        }
        fill.ok = true;
    } catch (const std::exception&) {
        fill.ok = false;
    }
    return fill;
}

}  // namespace ravenlock
