#include "reference_toolkit.h"

#include <gtest/gtest.h>

#include <random>

namespace vandrel {
namespace {

using reference::Text;

Text kill(Text data)
{
    return KillTags(data);
}

// Edge cases of the routines, the 16-bit limits on both sides among them; they pin the literal
// versions as well.
TEST(Toolkit, EdgeCases)
{
    const std::pair<Text (*)(), Text> cases[] = {
        {[] { return FindBefore(u"abcABCx", u"abc"); }, u"abc"},
        {[] { return kill(u"a<b>c<d"); }, u"ac<d"},
        {[] { return kill(u"<<b>>"); }, u">"},
        {[] { return kill(u"A&NBSP;B&nBsP;&nbsp"); }, u"A B &nbsp"},
        {[] { return kill(u"&nb<i>sp;"); }, u"&nbsp;"},
        {[] { return kill(Text(32764, u'x') + u"<>"); }, Text(32764, u'x')},
        {[] { return kill(Text(32765, u'x') + u"<>"); }, u"!Overflow"},
        {[] { return kill(Text(32766, u'x') + u"<"); }, Text(32766, u'x') + u"<"},
        {[] { return kill(Text(32767, u'x') + u"<"); }, u"!Overflow"},
        {[] { return Parse(u"a:::b", u"::", 2); }, u":b"},
        {[] { return Parse(Text(32766, u'x'), u",", 1); }, Text(32766, u'x')},
        {[] { return Parse(Text(32767, u'x'), u",", 1); }, u"!Overflow"},
        {[] { return Parse(Text(32765, u'x') + u",,b", u",", 2); }, u""},
        {[] { return Parse(Text(32765, u'x') + u",,b", u",", 3); }, u"!Overflow"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(reference::outcome(cases[i].first), cases[i].second) << "case " << i;
}

// Texts of one letter in both cases, the characters next to the capitals and to the small
// letters, which must not fold, and the pieces the toolkit reacts to.
Text randomText(std::mt19937& rng, char16_t letter, std::size_t length)
{
    static const Text markup[] = {u"<",  u">",     u"&nbsp;", u"&NbSp;",   u"&nb", u"sp;",
                                  u"&",  u"\r",    u"\n",     u"\r\n",     u" ",   u"\t",
                                  u"\f", u",",     u"::",     u"@",        u"[",   u"`",
                                  u"{",  u"</td>", u"</TR>",  u"</A> : <a"};
    Text text;
    while (text.size() < length) {
        const auto pick = rng() % 4;
        text += pick < 2 ? Text(1, static_cast<char16_t>(letter - 32 * pick))
                         : markup[rng() % std::size(markup)];
    }
    return text;
}

// Every routine on short texts over every letter, on texts long enough to be searched in blocks,
// and on texts whose fields and tags lie around position 32,767.
TEST(Toolkit, EveryRoutineMatchesItsLiteralVersion)
{
    std::mt19937 rng(1999);
    for (int i = 0; i < 26 * 800; ++i) {
        const auto letter = static_cast<char16_t>(u'a' + i % 26);
        Text text = randomText(rng, letter, rng() % (i % 8 == 0 ? 200 : 24));
        if (i % 100 == 0)
            text += Text(32767 - 40 - text.size() + rng() % 60, u'x') + randomText(rng, letter, 40);
        const Text marker = randomText(rng, letter, rng() % 4);
        const auto num = static_cast<std::int16_t>(static_cast<int>(rng() % 10) - 1);
        ASSERT_EQ(reference::firstDifference(text, marker, num), "") << "text " << i;
    }
}

} // namespace
} // namespace vandrel
