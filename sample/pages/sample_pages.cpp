#include "sample/pages/sample_pages.h"

#include "sample/pages/catalog.h"
#include "sample/pages/site_pages.h"

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

std::vector<Route> makeRoutes()
{
    std::vector<Route> routes = {{pathOf(KRockSource), kRockPage},
                                 {pathOf(Hot97Source), hot97Page},
                                 {"/vb/vandrel/index.asp", versionPage},
                                 {"/vb/vandrel/", homePage}};
    for (const std::u16string_view choice : CddbAlbumsSource.choices) {
        const Genre& genre = findGenre(key(choice));
        const bool changed = genre.key == ChangedAlbumGenre;
        routes.push_back({pathOf(CddbAlbumsSource, choice), [&genre, changed](Dice& dice) {
                              return cddbAlbumsPage(dice, genre, changed);
                          }});
    }
    for (const std::u16string_view choice : CddbSongsSource.choices) {
        const Genre& genre = findGenre(key(choice));
        routes.push_back({pathOf(CddbSongsSource, choice),
                          [&genre](Dice& dice) { return cddbSongsPage(dice, genre); }});
    }
    for (const std::u16string_view choice : BillboardSource.choices) {
        const Chart& chart = findChart(key(choice));
        if (chart.key != MissingChart)
            routes.push_back({pathOf(BillboardSource, choice),
                              [&chart](Dice& dice) { return billboardPage(dice, chart); },
                              chart.key == SlowChart ? 4s : 0s});
    }
    return routes;
}

const std::vector<Route>& routes()
{
    static const std::vector<Route> routes = makeRoutes();
    return routes;
}

std::string write(const Route& route)
{
    Dice dice = Dice::forPage(route.path);
    return route.write(dice);
}

} // namespace

std::optional<Page> findPage(std::string_view path)
{
    for (const auto& route : routes()) {
        if (route.path == path)
            return Page{"text/html; charset=utf-8", write(route), route.spread};
    }
    return std::nullopt;
}

bool listsNothing(std::u16string_view choice)
{
    const std::string choiceKey = key(choice);
    return choiceKey == ChangedAlbumGenre || choiceKey == MissingChart;
}

std::u16string largestChoice(const ChartSource& source)
{
    std::u16string largest;
    std::size_t largestSize = 0;
    for (const std::u16string_view choice : source.choices) {
        const std::optional<Page> page = findPage(pathOf(source, choice));
        if (page && page->spread == 0ms && !listsNothing(choice) &&
            page->body.size() > largestSize) {
            largest = choice;
            largestSize = page->body.size();
        }
    }
    return largest;
}

} // namespace vandrel::sample
