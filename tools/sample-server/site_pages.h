#pragma once

#include "tools/sample-server/catalog.h"
#include "tools/sample-server/dice.h"

#include <string>

// The writers of the sample pages, one per site.
namespace vandrel::sample {

std::string KRockPage(Dice& dice);
// `changedShape`: the page of a site that has moved its end marker away.
std::string CddbAlbumsPage(Dice& dice, const Genre& genre, bool changedShape);
std::string CddbSongsPage(Dice& dice, const Genre& genre);
std::string BillboardPage(Dice& dice, const Chart& chart);
std::string Hot97Page(Dice& dice);
std::string VersionPage(Dice& dice);
std::string HomePage(Dice& dice);

} // namespace vandrel::sample
