#include "sources/chart_source.h"
#include "sources/hosts.h"

#include <gtest/gtest.h>

#include <string>

namespace vandrel {
namespace {

struct Choice
{
    const char* name;
    const ChartSource* source;
    std::u16string_view item;
    std::u16string_view host;
    std::u16string_view path;
    std::u16string_view caption;
};

class ChartSourceChoice : public testing::TestWithParam<Choice>
{
};

TEST_P(ChartSourceChoice, AddressAndCaption)
{
    const Choice& choice = GetParam();
    const std::u16string address =
        std::u16string(u"http://").append(choice.host).append(choice.path);
    EXPECT_EQ(choice.source->address(choice.item), address);
    if (choice.caption.empty())
        EXPECT_EQ(choice.source->choiceCaption, nullptr);
    else
        EXPECT_EQ(choice.source->choiceCaption(choice.item), choice.caption);
}

const Choice choices[] = {
    {"KRock", &KRockSource, u"", hosts::KRock, u"/krockmusic/", u""},
    {"Hot97", &Hot97Source, u"", hosts::Hot97, u"/music/playlist.aspx", u""},
    {"AlbumsHipHop", &CddbAlbumsSource, u"HipHop", hosts::Gracenote,
     u"/music/topgen.html/genre=hiphop", u"Digital Top Ten Albums (HipHop):"},
    {"AlbumsRnB", &CddbAlbumsSource, u"RnB", hosts::Gracenote, u"/music/topgen.html/genre=rnb",
     u"Digital Top Ten Albums (RnB):"},
    {"SongsSoundtrack", &CddbSongsSource, u"Soundtrack", hosts::Gracenote,
     u"/music/toptracks.html/genre=soundtrack", u"Digital Top Ten Songs (Soundtrack):"},
    {"SongsUrban", &CddbSongsSource, u"Urban", hosts::Gracenote,
     u"/music/toptracks.html/genre=urban", u"Digital Top Ten Songs (Urban):"},
    {"ChartsAdult", &BillboardSource, u"Adult", hosts::Billboard, u"/bb/charts/airplay/adult.jsp",
     u"Billboard Charts (Adult):"},
    {"ChartsContemporary", &BillboardSource, u"Contemporary", hosts::Billboard,
     u"/bb/charts/airplay/contemporary.jsp", u"Billboard Charts (Contemporary):"},
    {"ChartsCountry", &BillboardSource, u"Country", hosts::Billboard,
     u"/bb/charts/airplay/country.jsp", u"Billboard Charts (Country):"},
    {"ChartsDance", &BillboardSource, u"Dance", hosts::Billboard, u"/bb/charts/airplay/dance.jsp",
     u"Billboard Charts (Dance):"},
    {"ChartsDanceRadio", &BillboardSource, u"Dance_Radio", hosts::Billboard,
     u"/bb/charts/airplay/dance_radio.jsp", u"Billboard Charts (Dance_Radio):"},
    {"ChartsDigital", &BillboardSource, u"Digital", hosts::Billboard,
     u"/bb/charts/airplay/digital.jsp", u"Billboard Charts (Digital):"},
    {"ChartsHot100", &BillboardSource, u"Hot100", hosts::Billboard, u"/bb/charts/hot100.jsp",
     u"Billboard Charts (Hot100):"},
    {"ChartsLatinTracks", &BillboardSource, u"LatinTracks", hosts::Billboard,
     u"/bb/charts/airplay/latintracks.jsp", u"Billboard Charts (LatinTracks):"},
    {"ChartsMainstream", &BillboardSource, u"Mainstream", hosts::Billboard,
     u"/bb/charts/airplay/mainstream.jsp", u"Billboard Charts (Mainstream):"},
    {"ChartsModern", &BillboardSource, u"Modern", hosts::Billboard,
     u"/bb/charts/airplay/modern.jsp", u"Billboard Charts (Modern):"},
    {"ChartsRap", &BillboardSource, u"Rap", hosts::Billboard, u"/bb/charts/airplay/rap.jsp",
     u"Billboard Charts (Rap):"},
    {"ChartsRnB", &BillboardSource, u"RnB", hosts::Billboard, u"/bb/charts/airplay/rnb.jsp",
     u"Billboard Charts (RnB):"},
    {"ChartsHot100AnyCase", &BillboardSource, u"HOT100", hosts::Billboard, u"/bb/charts/hot100.jsp",
     u"Billboard Charts (HOT100):"},
};

INSTANTIATE_TEST_SUITE_P(Items, ChartSourceChoice, testing::ValuesIn(choices),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vandrel
