#include "sources/chart_source.h"
#include "sources/hosts.h"

#include <algorithm>
#include <array>

namespace vandrel {

// Each record is defined in its source's own unit.
extern const ChartSource KRockSource, CddbAlbumsSource, CddbSongsSource, BillboardSource,
    Hot97Source;

std::span<const ChartSource* const> allSources()
{
    static constexpr std::array sources = {&KRockSource, &CddbAlbumsSource, &CddbSongsSource,
                                           &BillboardSource, &Hot97Source};
    return sources;
}

std::u16string ChartSource::address(std::u16string_view choice) const
{
    return hosts::httpAddress(host, path(choice));
}

std::span<const std::u16string_view> ChartSource::choicesOrNone() const
{
    static constexpr std::u16string_view none[] = {u""};
    return choices.empty() ? none : choices;
}

const ChartSource* findSource(std::string_view name)
{
    const auto sources = allSources();
    const auto found = std::ranges::find(sources, name, &ChartSource::name);
    return found == sources.end() ? nullptr : *found;
}

std::vector<std::u16string_view> sourceHosts()
{
    std::vector<std::u16string_view> hosts;
    for (const ChartSource* source : allSources()) {
        if (std::ranges::find(hosts, source->host) == hosts.end())
            hosts.push_back(source->host);
    }
    return hosts;
}

} // namespace vandrel
