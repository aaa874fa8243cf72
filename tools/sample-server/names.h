#pragma once

#include "tools/sample-server/dice.h"

#include <string>

// Invented names for the sample charts. The texts are plain (a bare "&" or "'"); the page
// writers escape them the way each site did.
namespace vandrel::sample {

// The kind of music a chart holds; it flavours the names.
enum class Style { Rock, Pop, Urban, Latin, Country, Roots, Dance, Jazz, Gospel, Score };

std::string PersonName(Dice& dice);
std::string ArtistName(Dice& dice, Style style);
std::string SongTitle(Dice& dice, Style style);
std::string AlbumTitle(Dice& dice, Style style);
std::string LabelName(Dice& dice);
std::string VenueName(Dice& dice);
std::string PlaceName(Dice& dice);

} // namespace vandrel::sample
