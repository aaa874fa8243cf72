#include "sources/page_markers.h"

#include "text/case_fold.h"

#include <optional>
#include <vector>

namespace vandrel {

namespace {

constexpr auto NotFound = std::u16string_view::npos;

// A marker found where the extraction looks for it.
struct Found
{
    const PageMarker* marker;
    std::size_t at;
};

std::size_t find(std::u16string_view text, const PageMarker& marker, std::size_t from = 0)
{
    return marker.exact ? text.find(marker.text, from) : findIgnoreCase(text, marker.text, from);
}

// The text between quotes, each control character written \xNN so that a line end shows.
std::u16string quoted(std::u16string_view text)
{
    std::u16string shown = u"\"";
    for (const char16_t c : text)
        shown += c >= 0x20 ? std::u16string(1, c)
                           : std::u16string{u'\\', u'x', u"0123456789abcdef"[c >> 4],
                                            u"0123456789abcdef"[c & 15]};
    return shown + u"\"";
}

std::u16string named(const PageMarker& marker)
{
    static constexpr std::u16string_view roles[] = {u"the list's start", u"the header row's end",
                                                    u"the list's end", u"a row's end",
                                                    u"a line end"};
    return std::u16string(roles[static_cast<std::size_t>(marker.role)])
        .append(u" ")
        .append(quoted(marker.text));
}

// The part of the page the marker was looked for in: after the marker found last that the kept
// text begins behind, and before the one it ends at.
std::u16string where(const std::vector<Found>& starts, const std::optional<Found>& end)
{
    const std::u16string start =
        starts.empty() ? u"the page's start" : named(*starts.back().marker);
    if (!end)
        return starts.empty() ? u"in the page" : u"after " + start;
    return u"between " + start + u" and " + named(*end->marker);
}

// Where else the page holds the missing marker, each place a phrase.
std::vector<std::u16string> elsewhere(const PageMarker& marker, std::u16string_view page,
                                      std::size_t begin, std::size_t stop,
                                      const std::vector<Found>& starts,
                                      const std::optional<Found>& end)
{
    std::vector<std::u16string> places;
    const std::u16string_view kept = page.substr(begin, stop - begin);
    if (marker.cut == MarkerCut::BeforeFromSecond && find(kept, marker) == 0)
        places.push_back((starts.empty() ? u"at the page's start"
                                         : u"right after " + named(*starts.back().marker)) +
                         u", where it is passed over");
    if (marker.exact) {
        if (const std::size_t hit = findIgnoreCase(kept, marker.text); hit != NotFound)
            places.push_back(u"as " + quoted(kept.substr(hit, marker.text.size())));
    }
    // The first occurrence in the page lies before the start of the first marker found after it.
    const std::size_t first = find(page, marker);
    for (const Found& start : starts) {
        if (first < start.at) {
            places.push_back(u"before " + named(*start.marker));
            break;
        }
    }
    if (end && find(page, marker, end->at) != NotFound)
        places.push_back(u"after " + named(*end->marker));
    return places;
}

std::u16string describe(const PageMarker& marker, std::u16string_view page, std::size_t begin,
                        std::size_t stop, const std::vector<Found>& starts,
                        const std::optional<Found>& end)
{
    std::u16string text = named(marker) + u" is not found " + where(starts, end);
    const std::vector<std::u16string> places = elsewhere(marker, page, begin, stop, starts, end);
    for (std::size_t i = 0; i < places.size(); ++i)
        text.append(i == 0 ? u"; the page holds it only " : u" and ").append(places[i]);
    return text;
}

} // namespace

std::u16string missingMarker(std::span<const PageMarker> markers, std::u16string_view page)
{
    // The text the extraction keeps is page[begin, stop).
    std::size_t begin = 0;
    std::size_t stop = page.size();
    std::vector<Found> starts;
    std::optional<Found> end;
    for (const PageMarker& marker : markers) {
        const std::u16string_view kept = page.substr(begin, stop - begin);
        const std::size_t from = marker.cut == MarkerCut::BeforeFromSecond ? 1 : 0;
        const std::size_t hit = find(kept, marker, from);
        if (hit == NotFound)
            return describe(marker, page, begin, stop, starts, end);
        const Found found{&marker, begin + hit};
        switch (marker.cut) {
        case MarkerCut::After:
            starts.push_back(found);
            begin = found.at + marker.text.size();
            break;
        case MarkerCut::From:
            starts.push_back(found);
            begin = found.at;
            break;
        case MarkerCut::BeforeFromSecond:
            end = found;
            stop = found.at;
            break;
        case MarkerCut::Within:
            break;
        }
    }
    return {};
}

} // namespace vandrel
