#include "net/ampersands.h"

#include <QStringView>
#include <algorithm>

namespace vandrel {

namespace {

constexpr QStringView Entity = u"&amp;";

// The position of the next "&" at `from` or later, or the end. Qt searches for one character
// with vector instructions, which passes over a page in a fraction of a replace's time.
qsizetype nextAmpersand(QStringView text, qsizetype from)
{
    const qsizetype at = text.indexOf(u'&', from);
    return at < 0 ? text.size() : at;
}

bool entityAt(QStringView text, qsizetype at)
{
    return text.sliced(at).startsWith(Entity);
}

} // namespace

// "&amp;" cannot overlap itself, so the entities found one after the other from the left are
// those that a replace finds; a page without one, as most are, is handed on untouched.
QString withPlainAmpersands(QString text)
{
    qsizetype read = nextAmpersand(text, 0);
    while (read < text.size() && !entityAt(text, read))
        read = nextAmpersand(text, read + 1);
    if (read == text.size())
        return text;
    // From the first entity on, the text is rewritten in its own storage: each "&amp;" becomes
    // "&", so what is written never outruns what is read.
    QChar* chars = text.data();
    qsizetype write = read;
    while (read < text.size()) {
        if (entityAt(text, read)) {
            chars[write++] = u'&';
            read += Entity.size();
            continue;
        }
        const qsizetype next = nextAmpersand(text, read + 1);
        std::copy(chars + read, chars + next, chars + write);
        write += next - read;
        read = next;
    }
    text.truncate(write);
    return text;
}

} // namespace vandrel
