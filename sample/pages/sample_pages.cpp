#include "sample/pages/sample_pages.h"

#include "sample/pages/catalog.h"
#include "sample/pages/site_pages.h"
#include "sources/hosts.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <stdexcept>

namespace vandrel::sample {

// Each site is defined beside its page writer.
extern const SampleSite KRockSite, CddbAlbumsSite, CddbSongsSite, BillboardSite, Hot97Site;

const SampleSite* findSite(std::string_view source)
{
    static constexpr std::array sites = {&KRockSite, &CddbAlbumsSite, &CddbSongsSite,
                                         &BillboardSite, &Hot97Site};
    const auto found = std::ranges::find(sites, source, &SampleSite::source);
    return found == sites.end() ? nullptr : *found;
}

namespace {

using namespace std::chrono_literals;

struct Route
{
    std::string owner; // whose page it is, for the message of a clash
    std::function<std::optional<Page>(Dice&)> write;
};

using Routes = std::map<std::string, Route, std::less<>>;

void claim(Routes& routes, const std::string& path, Route route)
{
    if (const auto claimed = routes.find(path); claimed != routes.end())
        throw std::invalid_argument("the path " + path + " is claimed by " + claimed->second.owner +
                                    " and " + route.owner);
    routes.emplace(path, std::move(route));
}

// Every page of the program's website and of the sites of `sources`, by path. Throws
// std::invalid_argument for a source without a site or a path claimed twice.
Routes routesOf(std::span<const ChartSource* const> sources)
{
    const auto website = [](std::string (*write)(Dice&)) {
        return Route{"the program's website",
                     [write](Dice& dice) { return std::optional<Page>({.body = write(dice)}); }};
    };
    Routes routes;
    claim(routes, narrow(hosts::VersionPage), website(versionPage));
    claim(routes, narrow(hosts::HomePage), website(homePage));
    for (const ChartSource* source : sources) {
        const SampleSite* site = findSite(source->name);
        if (!site)
            throw std::invalid_argument("no sample site for " + std::string(source->name));
        for (const std::u16string_view choice : source->choicesOrNone())
            claim(routes, choicePath(*source, choice),
                  {std::string(source->name), [source, site, choice](Dice& dice) {
                       return site->page(*source, choice, dice);
                   }});
    }
    return routes;
}

} // namespace

std::string routingError(std::span<const ChartSource* const> sources)
{
    try {
        routesOf(sources);
        return {};
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
}

std::optional<Page> findPage(std::string_view path)
{
    static const Routes routes = routesOf(allSources());
    const auto route = routes.find(path);
    if (route == routes.end())
        return std::nullopt;
    Dice dice = Dice::forPage(path);
    return route->second.write(dice);
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
        const std::optional<Page> page = findPage(choicePath(source, choice));
        if (page && page->spread == 0ms && !listsNothing(choice) &&
            page->body.size() > largestSize) {
            largest = choice;
            largestSize = page->body.size();
        }
    }
    return largest;
}

} // namespace vandrel::sample
