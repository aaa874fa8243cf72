#pragma once

#include "sample/pages/dice.h"

#include <string>

// Invented names for the sample charts. The texts are plain (a bare "&" or "'"); the page
// writers escape them the way each site did.
namespace vandrel::sample {

// The kind of music a chart holds; it flavours the names.
enum class Style { Rock, Pop, Urban, Latin, Country, Roots, Dance, Jazz, Gospel, Score };

std::string personName(Dice& dice);
std::string artistName(Dice& dice, Style style);
std::string songTitle(Dice& dice, Style style);
std::string albumTitle(Dice& dice, Style style);
std::string labelName(Dice& dice);
std::string venueName(Dice& dice);
std::string placeName(Dice& dice);

} // namespace vandrel::sample
