#include "sources/chart_source.h"

#include <array>

namespace vandrel {

std::span<const ChartSource* const> allSources()
{
    static constexpr std::array<const ChartSource*, 5> sources = {
        &KRockSource, &CddbAlbumsSource, &CddbSongsSource, &BillboardSource, &Hot97Source};
    return sources;
}

} // namespace vandrel
