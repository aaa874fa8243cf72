#include "net/ampersands.h"

#include "net/qt_text.h"
#include "text/search.h"

#include <algorithm>

namespace vandrel {

namespace {

constexpr std::u16string_view Entity = u"&amp;";
constexpr auto NotFound = std::u16string_view::npos;

} // namespace

// "&amp;" cannot overlap itself, so the entities found one after the other from the left are
// those that a replace finds. The search tests a block of positions for the entity's first and
// last characters at once, so a page without one, as most are, is passed over quickly and handed
// on untouched.
QString withPlainAmpersands(QString text)
{
    std::size_t read = findExact(core(text), Entity);
    if (read == NotFound)
        return text;
    // From the first entity on, the text is rewritten in its own storage: each "&amp;" becomes
    // "&", so what is written never outruns what is read.
    auto* chars = reinterpret_cast<char16_t*>(text.data());
    const std::u16string_view page = core(text);
    std::size_t write = read;
    while (read != NotFound) {
        chars[write++] = u'&';
        read += Entity.size();
        const std::size_t next = findExact(page, Entity, read);
        const std::size_t end = next == NotFound ? page.size() : next;
        std::copy(chars + read, chars + end, chars + write);
        write += end - read;
        read = next;
    }
    text.truncate(qsizetype(write));
    return text;
}

} // namespace vandrel
