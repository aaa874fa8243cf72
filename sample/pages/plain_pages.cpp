#include "sample/pages/plain_pages.h"

#include "sample/pages/site_pages.h"

#include <stdexcept>

namespace vandrel::sample {

std::u16string decimal(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string plainPage(const ChartSource& source, int rows)
{
    const SampleSite* site = findSite(source.name);
    if (!site)
        throw std::out_of_range("no plain page for " + std::string(source.name));
    std::u16string page(site->plain.head);
    for (int k = 1; k <= rows; ++k)
        page += site->plain.row(k);
    return page.append(site->plain.tail);
}

} // namespace vandrel::sample
