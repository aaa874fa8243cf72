#pragma once

#include "sample/pages/dice.h"
#include "sample/pages/names.h"

#include <span>
#include <string>
#include <string_view>

// The parts every sample page shares, in the manner of the sites of their day.
namespace vandrel::sample {

// Some sites wrote an apostrophe as "&#39;", others as it is.
enum class Apostrophe { Plain, Entity };

// The text with "&" written "&amp;" (and "'" as the site wrote it).
std::string escape(std::string_view text, Apostrophe apostrophe = Apostrophe::Plain);
// A lower-case file name made of the text's ASCII letters and digits.
std::string slug(std::string_view text);
std::string hexId(Dice& dice, int digits);
// The text with every line feed written as CR LF.
std::string withCrLf(std::string_view text);

struct Site
{
    std::string_view name;  // as the title bar shows it
    std::string_view owner; // in the copyright line
    std::string_view stylesheet;
    std::string_view newsPath;
    Style style;
};

struct Link
{
    std::string_view label;
    std::string_view href;
};

// <html> up to and including <body ...>.
std::string pageStart(const Site& site, std::string_view title, std::string_view description);
// A row of image buttons with roll-over effects.
std::string navigationBar(std::span<const Link> links);
std::string bannerAd(Dice& dice);
// News items of the site's kind of music, at least `bytes` long together.
std::string newsItems(Dice& dice, const Site& site, std::size_t bytes);
// News items that bring a page of `size` bytes to somewhere between 24 and 40 KB.
std::string newsToFill(Dice& dice, const Site& site, std::size_t size);
// From the bottom links to </html>.
std::string pageEnd(const Site& site);

} // namespace vandrel::sample
