#pragma once

#include "sample/pages/catalog.h"
#include "sample/pages/dice.h"

#include <string>

// The writers of the sample pages, one per site.
namespace vandrel::sample {

std::string kRockPage(Dice& dice);
// `changedShape`: the page of a site that has moved its end marker away.
std::string cddbAlbumsPage(Dice& dice, const Genre& genre, bool changedShape);
std::string cddbSongsPage(Dice& dice, const Genre& genre);
std::string billboardPage(Dice& dice, const Chart& chart);
std::string hot97Page(Dice& dice);
std::string versionPage(Dice& dice);
std::string homePage(Dice& dice);

} // namespace vandrel::sample
