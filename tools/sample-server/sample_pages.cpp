#include "tools/sample-server/sample_pages.h"

#include "tools/sample-server/catalog.h"
#include "tools/sample-server/site_pages.h"

#include <functional>

namespace vandrel::sample {
namespace {

using namespace std::chrono_literals;

struct Route
{
    std::string path;
    std::function<std::string(Dice&)> write;
    std::chrono::milliseconds spread{0};
};

std::vector<Route> MakeRoutes()
{
    std::vector<Route> routes = {{PathOf(KRockSource), KRockPage},
                                 {PathOf(Hot97Source), Hot97Page},
                                 {"/vb/vandrel/index.asp", VersionPage},
                                 {"/vb/vandrel/", HomePage}};
    for (const std::u16string_view choice : CddbAlbumsSource.choices) {
        const Genre& genre = FindGenre(Key(choice));
        const bool changed = genre.key == ChangedAlbumGenre;
        routes.push_back({PathOf(CddbAlbumsSource, choice), [&genre, changed](Dice& dice) {
                              return CddbAlbumsPage(dice, genre, changed);
                          }});
    }
    for (const std::u16string_view choice : CddbSongsSource.choices) {
        const Genre& genre = FindGenre(Key(choice));
        routes.push_back({PathOf(CddbSongsSource, choice),
                          [&genre](Dice& dice) { return CddbSongsPage(dice, genre); }});
    }
    for (const std::u16string_view choice : BillboardSource.choices) {
        const Chart& chart = FindChart(Key(choice));
        if (chart.key != MissingChart)
            routes.push_back({PathOf(BillboardSource, choice),
                              [&chart](Dice& dice) { return BillboardPage(dice, chart); },
                              chart.key == SlowChart ? 4s : 0s});
    }
    return routes;
}

const std::vector<Route>& Routes()
{
    static const std::vector<Route> routes = MakeRoutes();
    return routes;
}

std::string Write(const Route& route)
{
    Dice dice = Dice::ForPage(route.path);
    return route.write(dice);
}

} // namespace

std::optional<Page> FindPage(std::string_view path)
{
    for (const auto& route : Routes()) {
        if (route.path == path)
            return Page{"text/html; charset=utf-8", Write(route), route.spread};
    }
    return std::nullopt;
}

bool ListsNothing(std::u16string_view choice)
{
    const std::string key = Key(choice);
    return key == ChangedAlbumGenre || key == MissingChart;
}

std::u16string LargestChoice(const ChartSource& source)
{
    std::u16string largest;
    std::size_t largestSize = 0;
    for (const std::u16string_view choice : source.choices) {
        const std::optional<Page> page = FindPage(PathOf(source, choice));
        if (page && page->spread == 0ms && !ListsNothing(choice) &&
            page->body.size() > largestSize) {
            largest = choice;
            largestSize = page->body.size();
        }
    }
    return largest;
}

} // namespace vandrel::sample
