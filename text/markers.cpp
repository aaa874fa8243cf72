#include "text/markers.h"

#include "text/case_fold.h"
#include "text/cuts.h"
#include "text/failure.h"
#include "text/field_cursor.h"
#include "text/int16.h"
#include "text/search.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr auto NotFound = std::u16string_view::npos;
constexpr std::u16string_view Nbsp = u"&nbsp;";

bool nbspAt(std::u16string_view text, std::size_t at)
{
    return std::ranges::equal(text.substr(at, Nbsp.size()), Nbsp, SameIgnoringCase);
}

// The length of text once every "&nbsp;" in it is a blank.
std::size_t blankedLength(std::u16string_view text)
{
    std::size_t length = text.size();
    for (auto at = text.find(u'&'); at != NotFound; at = text.find(u'&', at + 1))
        length -= nbspAt(text, at) ? Nbsp.size() - 1 : 0;
    return length;
}

// open is the 1-based position of a tag's "<" in the text as stripped so far, tag the text
// from that "<" up to its ">" or, for a tag that is not closed, to the end. The position after
// the closing mark has to fit as well. Entities inside the tag count blanked, which only
// matters near the limit: blanking never lengthens a text.
bool tagOverflows(std::size_t open, std::u16string_view tag, bool closed)
{
    if (!fits16(open))
        return true;
    return closed && !fits16(open + tag.size() + 1) && !fits16(open + blankedLength(tag) + 1);
}

// Rewrites a text front to back in its own storage: what is written never outruns what is
// read, as blanking and stripping only shorten it.
class Compaction
{
public:
    explicit Compaction(std::u16string& text) : text_(text) {}

    std::size_t read() const { return read_; }
    std::size_t written() const { return write_; }

    // Keeps the characters up to the next "<", blanking every "&nbsp;" among them; false when
    // the end came first.
    bool keepToTag()
    {
        for (;;) {
            keepToMark();
            if (read_ == text_.size())
                return false;
            if (text_[read_] == u'<')
                return true;
            if (nbspAt(text_, read_)) {
                text_[write_++] = u' ';
                read_ += Nbsp.size();
            } else {
                keepOne();
            }
        }
    }

    void keepOne() { text_[write_++] = text_[read_++]; }

    void skipTo(std::size_t end) { read_ = end; }

    // Keeps all the rest, tags included.
    void finish()
    {
        while (keepToTag())
            keepOne();
        text_.resize(write_);
    }

private:
    static bool isMark(char16_t c) { return (c == u'<') | (c == u'&'); }

    // Keeps the characters up to the next "<" or "&". Most runs between the tags of a page are
    // short, and are copied while they are searched, one character at a time; a longer run is
    // searched in blocks and then moved at once.
    void keepToMark()
    {
        const std::size_t near = std::min(text_.size(), read_ + search::Near);
        while (read_ < near && !isMark(text_[read_]))
            keepOne();
        if (read_ < near)
            return;
        const char16_t* chars = text_.data();
        const std::size_t end =
            firstAccepted(read_, text_.size(), [chars](std::size_t i) { return isMark(chars[i]); });
        if (write_ != read_)
            std::u16string::traits_type::move(&text_[write_], &text_[read_], end - read_);
        write_ += end - read_;
        read_ = end;
    }

    std::u16string& text_;
    std::size_t read_ = 0;
    std::size_t write_ = 0;
};

} // namespace

std::u16string FindAfter(std::u16string_view Text, std::u16string_view Search)
{
    return std::u16string(afterFirst(Text, Search));
}

std::u16string FindBefore(std::u16string_view Text, std::u16string_view Search)
{
    const auto found =
        std::find_end(Text.begin(), Text.end(), Search.begin(), Search.end(), SameIgnoringCase);
    if (found == Text.end() && !Search.empty())
        return {};
    return std::u16string(Text.begin(), found);
}

// One pass instead of blanking entities first and then rescanning for every tag: an "&nbsp;"
// holds neither mark, so blanking never moves a tag's bounds, and what lies before the first
// "<" holds no "<", so the search for the next tag resumes behind the one cut out.
// Positions count in the text as stripped so far, which is what is written so far.
const std::u16string& KillTags(std::u16string& Data)
{
    Compaction text(Data);
    bool overflow = false;
    while (text.keepToTag()) {
        const auto open = text.read();
        const auto close = findChar(Data, u'>', open);
        const std::u16string_view tag = std::u16string_view(Data).substr(open, close - open);
        overflow = tagOverflows(text.written() + 1, tag, close != NotFound);
        if (overflow || close == NotFound)
            break;
        text.skipTo(close + 1);
    }
    text.finish();
    if (overflow)
        throw Failure::overflow();
    return Data;
}

std::u16string Parse(std::u16string_view Text, std::u16string_view Delimiter, std::int16_t Num)
{
    return std::u16string(FieldCursor(Text, Delimiter).field(Num));
}

} // namespace vandrel
