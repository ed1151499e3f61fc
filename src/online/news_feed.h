#pragma once
// The game's news feed: the request, and what its reply puts into the three news lines
// of the Game tab and their slots.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ravenlock {

inline constexpr wchar_t kNewsUrl[] =
    L"https://fallout.bethesda.net/api/v1/components/news?games=&exclude=&offset=0-0&lang=ru";
// Articles open on the Russian section of the game's site; an entry's "url" follows "/ru" as it is.
inline constexpr wchar_t kNewsArticleBase[] = L"https://fallout.bethesda.net/ru";
inline constexpr size_t kNewsTitleMax = 94;
// A summary is a tooltip and the text beside the news picture: a real one is a few
// sentences, and what is kept is measured and wrapped on every paint.
inline constexpr size_t kNewsSummaryMax = 1000;

// What a news line leads to. The title lives in the line; the summary is its tooltip,
// kept here too so that the news window need not read it back out of the tooltip.
struct NewsSlot {
    std::wstring ArticleUrl;
    std::wstring PictureUrl;
    std::wstring Summary;
};

// What the reply gave for one entry, as far as it was read before a failure.
struct NewsEntryFill {
    std::optional<std::wstring> title;       // already shortened
    std::optional<std::wstring> articleUrl;
    std::optional<std::wstring> blurb;       // at most kNewsSummaryMax
    std::optional<std::wstring> pictureUrl;
};

struct NewsFill {
    std::array<NewsEntryFill, 3> entries;
    // False when the reply failed part-way: all three lines are then emptied, while the
    // addresses and tooltips read before the failure stay.
    bool ok = false;
};

// Reads the first three entries of a reply body (UTF-8 JSON); never throws.
NewsFill FillNewsFromReply(std::string_view body);

// A title of at most kNewsTitleMax characters as it is, a longer one cut there with "...".
std::wstring ShortenNewsTitle(const std::wstring& title);

// The picture address of entry index (0, 1, 2) from its "image" value (which comes
// without a scheme, "//host/path"): the first entry keeps the whole value, the others
// end after their first ".jpg" (a value without ".jpg" is kept whole). Always https:
// the picture is fed to our decoders, so it must not travel in the clear.
std::wstring NewsPictureUrl(const std::wstring& image, size_t index);

}  // namespace ravenlock
