#include "sample/pages/names.h"

#include <array>
#include <string_view>

namespace vandrel::sample {
namespace {

using Pool = std::span<const std::string_view>;

constexpr std::array<std::string_view, 40> FirstNames = {
    "Delphine", "Rory",    "Maribel", "Tobias",   "Inès",    "Corwin",   "Anouk",   "Jasper",
    "Zoë",      "Björn",   "Renée",   "Matías",   "Ottilie", "Desmond",  "Lucía",   "Idris",
    "Solveig",  "Nikolai", "Cléo",    "Thaddeus", "Winona",  "Ezequiel", "Marisol", "Augustin",
    "Fenna",    "Hollis",  "Linnea",  "Callum",   "Ondine",  "Radek",    "Tamsin",  "Luka",
    "Noemí",    "Amara",   "Beau",    "Dashiell", "Esmé",    "Greer",    "Shay",    "Ansel"};

constexpr std::array<std::string_view, 30> LastNames = {
    "Halloway",    "Drennan",       "Marchetti", "Ostrander", "Brisbois",    "Lindqvist",
    "Achterberg",  "Peñalosa",      "Müllner",   "Quillon",   "Vantreese",   "Kessling",
    "Thornquist",  "Dubreuil",      "Szabó",     "Holmgren",  "Abernethy",   "Ruelas",
    "Fairweather", "Castellano",    "Ivanek",    "Callender", "Søndergaard", "Okafor",
    "Vukovich",    "Tremblay-Ruiz", "Ashdown",   "Pelletier", "Nakashima",   "Brannigan"};

constexpr std::array<std::string_view, 10> CelticFirstNames = {
    "Niamh",  "Ciarán", "Siobhán", "Eoghan", "Aoife",
    "Declan", "Róisín", "Fionn",   "Máire",  "Cathal"};

constexpr std::array<std::string_view, 8> CelticLastNames = {
    "O'Dwyer",     "Ní Mhaoil", "MacAodha",      "Kinsella",
    "Ó Ceallaigh", "Brennock",  "Tierney-Walsh", "O'Farrelly"};

constexpr std::array<std::string_view, 16> LatinFirstNames = {
    "Alejandro", "Marisol", "Tomás",    "Lucía", "Joaquín", "Ximena", "Rafael", "Itzel",
    "Nicolás",   "Paloma",  "Emiliano", "Dulce", "Andrés",  "Belén",  "Mónica", "Julián"};

constexpr std::array<std::string_view, 12> LatinLastNames = {
    "Peñalva",   "Arriaga", "Quiñones", "Echeverría", "Solís",      "Barragán",
    "Cifuentes", "Ibáñez",  "Zúñiga",   "Olmedo",     "Villaseñor", "Cárdenas-Roa"};

constexpr std::array<std::string_view, 6> LatinGroups = {"Faroles", "Relámpagos", "Centinelas",
                                                         "Cometas", "Jilgueros",  "Girasoles"};

constexpr std::array<std::string_view, 8> LatinPlaces = {
    "Mazatlán", "Sonora", "Oaxaca", "Mérida", "Cádiz", "Tampico", "Valparaíso", "Medellín"};

constexpr std::array<std::string_view, 9> LatinNouns = {
    "Fuego", "Cristal", "Papel", "Luna", "Arena", "Mar", "Oro", "Piedra", "Cielo"};

constexpr std::array<std::string_view, 20> BandAdjectives = {
    "Copper",    "Hollow",   "Crooked", "Cobalt",    "Rusted", "Paper",   "Vacant",
    "Sleepless", "Gravel",   "Tin",     "Saltwater", "Feral",  "Brittle", "Sodium",
    "Ashen",     "Borrowed", "Marble",  "Halfway",   "Nickel", "Overcast"};

constexpr std::array<std::string_view, 18> BandPlurals = {
    "Lanterns", "Satellites", "Engines",   "Sparrows",     "Harbors",   "Freighters",
    "Magnets",  "Anchors",    "Hornets",   "Cinders",      "Orchards",  "Kites",
    "Pylons",   "Tinkers",    "Foxgloves", "Lamplighters", "Signalmen", "Weathervanes"};

constexpr std::array<std::string_view, 18> BandNouns = {
    "Harbor", "Static", "Kite",   "Ember",  "Glacier", "Signal",  "Marrow",  "Cinder", "Fathom",
    "Pylon",  "Vesper", "Quarry", "Tundra", "Bramble", "Lantern", "Furnace", "Orbit",  "Ledger"};

constexpr std::array<std::string_view, 18> Monikers = {
    "Quartz", "Nimbus", "Ransom", "Spectre", "Tempo",   "Cashmere", "Riddle", "Kairo",  "Ozone",
    "Halo",   "Jigsaw", "Velour", "Trilogy", "Marquee", "Solstice", "Rook",   "Dynamo", "Sable"};

constexpr std::array<std::string_view, 7> UrbanPrefixes = {"Lil'", "Young", "DJ",  "MC",
                                                           "Big",  "Kid",   "Lady"};

constexpr std::array<std::string_view, 18> TitleAdjectives = {
    "Quiet",   "Golden", "Lonesome", "Electric", "Silver",   "Faded",
    "Radiant", "Tender", "Broken",   "Borrowed", "Restless", "Crooked",
    "Hollow",  "Sweet",  "Cold",     "Brighter", "Easy",     "Slow"};

constexpr std::array<std::string_view, 22> TitleNouns = {
    "Heart",  "Summer",  "Highway",  "River",      "Window",    "Morning", "Letter", "Engine",
    "Mirror", "Harbor",  "Lantern",  "Satellite",  "Daylight",  "Thunder", "Wire",   "Promise",
    "Shadow", "Horizon", "Sidewalk", "Porchlight", "Telephone", "Skyline"};

constexpr std::array<std::string_view, 10> TitlePlurals = {
    "Lights",  "Rivers", "Stars",    "Sparrows",   "Streets",
    "Windows", "Years",  "Promises", "Headlights", "Echoes"};

constexpr std::array<std::string_view, 14> Verbs = {"Hold",  "Chase", "Carry", "Follow", "Lose",
                                                    "Save",  "Shake", "Burn",  "Forget", "Call",
                                                    "Leave", "Wake",  "Find",  "Break"};

constexpr std::array<std::string_view, 16> Places = {
    "Tucson",  "Savannah", "Galway",   "Lisbon", "Memphis",   "Oslo",    "Winnipeg",  "Marseille",
    "Bristol", "Duluth",   "Montréal", "Zürich", "São Paulo", "Córdoba", "Reykjavík", "Kraków"};

constexpr std::array<std::string_view, 10> Venues = {
    "Starlite Ballroom",      "Crescent Hall",    "Harbor Pavilion", "Elm Street Armory",
    "Pinecrest Amphitheatre", "Blue Kettle Club", "Rialto Lanes",    "Foundry Room",
    "Lakeview Bandshell",     "Gaslight Tavern"};

constexpr std::array<std::string_view, 12> Labels = {
    "Lanternfish Records", "Gravel Road Music", "Copperline",      "Bluefin Recordings",
    "Saltmarsh Records",   "Northstar Sound",   "Kiteflyer",       "Halfmoon Music Group",
    "Disques Brisbois",    "Discos Alameda",    "Tinroof Records", "Pylon Audio"};

constexpr std::array<std::string_view, 4> Ensembles = {"Trio", "Quartet", "Quintet", "Sextet"};

constexpr std::array<std::string_view, 5> DanceMixes = {"Radio Edit", "Club Mix", "Extended Mix",
                                                        "Dub", "Original Mix"};

std::string join(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const auto part : parts)
        text += part;
    return text;
}

std::string pick(Dice& dice, Pool pool)
{
    return std::string(dice.pick(pool));
}

std::string bandName(Dice& dice)
{
    if (dice.chance(50))
        return join({"The ", dice.pick(BandAdjectives), " ", dice.pick(BandPlurals)});
    std::string first = pick(dice, BandNouns);
    std::string second = pick(dice, BandNouns);
    while (second == first)
        second = pick(dice, BandNouns);
    return first + " " + second;
}

std::string urbanName(Dice& dice)
{
    switch (dice.between(0, 5)) {
    case 0:
    case 1:
        return join({dice.pick(UrbanPrefixes), " ", dice.pick(Monikers)});
    case 2:
        return personName(dice);
    case 3:
        return pick(dice, Monikers);
    default:
        return join(
            {dice.pick(UrbanPrefixes), " ", dice.pick(Monikers), " feat. ", dice.pick(FirstNames)});
    }
}

std::string latinName(Dice& dice)
{
    switch (dice.between(0, 5)) {
    case 0:
    case 1:
    case 2:
        return join({dice.pick(LatinFirstNames), " ", dice.pick(LatinLastNames)});
    case 3:
        return join({"Los ", dice.pick(LatinGroups), " de ", dice.pick(LatinPlaces)});
    case 4:
        return join({dice.pick(LatinFirstNames), " y ", dice.pick(LatinFirstNames)});
    default:
        return join({"Banda ", dice.pick(LatinPlaces)});
    }
}

std::string countryName(Dice& dice)
{
    switch (dice.between(0, 5)) {
    case 0:
        return join({"The ", dice.pick(LastNames), " Brothers"});
    case 1:
        return join({personName(dice), " & the ", dice.pick(BandPlurals)});
    default:
        return personName(dice);
    }
}

std::string rootsName(Dice& dice)
{
    switch (dice.between(0, 4)) {
    case 0:
    case 1:
        return join({dice.pick(CelticFirstNames), " ", dice.pick(CelticLastNames)});
    case 2:
        return join({dice.pick(BandAdjectives), " ", dice.pick(BandNouns), " Ensemble"});
    case 3:
        return join({"Ras ", dice.pick(Monikers)});
    default:
        return personName(dice);
    }
}

std::string danceName(Dice& dice)
{
    switch (dice.between(0, 4)) {
    case 0:
        return join({"DJ ", dice.pick(Monikers)});
    case 1:
        return join({dice.pick(Monikers), " vs. ", dice.pick(Monikers)});
    case 2:
        return join({dice.pick(BandAdjectives), " ", dice.pick(BandNouns), " Project"});
    case 3:
        return join({dice.pick(BandNouns), " ", std::to_string(dice.between(2, 99))});
    default:
        return personName(dice);
    }
}

std::string englishTitle(Dice& dice)
{
    switch (dice.between(0, 11)) {
    case 0:
        return join({dice.pick(Verbs), " the ", dice.pick(TitleNouns)});
    case 1:
        return join({dice.pick(TitleAdjectives), " ", dice.pick(TitleNouns)});
    case 2:
        return join({"Don't ", dice.pick(Verbs), " Me Now"});
    case 3:
        return join({"Where the ", dice.pick(TitlePlurals), " Go"});
    case 4:
        return join({dice.pick(TitleNouns), " in ", dice.pick(Places)});
    case 5:
        return join({"Call It ", dice.pick(TitleAdjectives)});
    case 6:
        return join({"Every Little ", dice.pick(TitleNouns)});
    case 7:
        return join({"Last ", dice.pick(TitleNouns), " Home"});
    case 8:
        return join({"I Can't ", dice.pick(Verbs), " You"});
    case 9:
        return join({dice.pick(TitleNouns), " Song"});
    case 10:
        return join({dice.pick(TitleAdjectives), " ", dice.pick(TitlePlurals)});
    default:
        return join({dice.pick(Verbs), " Me Like a ", dice.pick(TitleNouns)});
    }
}

std::string latinTitle(Dice& dice)
{
    switch (dice.between(0, 5)) {
    case 0:
        return join({"Corazón de ", dice.pick(LatinNouns)});
    case 1:
        return join({"La Noche de ", dice.pick(LatinPlaces)});
    case 2:
        return join({"Amor de ", dice.pick(LatinNouns)});
    case 3:
        return join({"Sin Tu ", dice.pick(LatinNouns)});
    case 4:
        return "Dime Que Sí";
    default:
        return "Bésame Otra Vez";
    }
}

std::string movieTitle(Dice& dice)
{
    if (dice.chance(50))
        return join({"The ", dice.pick(TitleNouns), " of ", dice.pick(Places)});
    return join({dice.pick(TitleAdjectives), " ", dice.pick(TitlePlurals)});
}

} // namespace

std::string personName(Dice& dice)
{
    return join({dice.pick(FirstNames), " ", dice.pick(LastNames)});
}

std::string artistName(Dice& dice, Style style)
{
    switch (style) {
    case Style::Rock:
        return dice.chance(75) ? bandName(dice) : personName(dice);
    case Style::Pop:
        return dice.chance(70) ? personName(dice)
                               : (dice.chance(50) ? bandName(dice) : pick(dice, FirstNames));
    case Style::Urban:
        return urbanName(dice);
    case Style::Latin:
        return latinName(dice);
    case Style::Country:
        return countryName(dice);
    case Style::Roots:
        return rootsName(dice);
    case Style::Dance:
        return danceName(dice);
    case Style::Jazz:
        return dice.chance(40) ? join({"The ", dice.pick(FirstNames), " ", dice.pick(LastNames),
                                       " ", dice.pick(Ensembles)})
                               : personName(dice);
    case Style::Gospel:
        return dice.chance(30) ? join({"The ", dice.pick(Places), " Mass Choir"})
                               : personName(dice);
    case Style::Score:
        return dice.chance(40) ? std::string("Various Artists") : personName(dice);
    }
    return personName(dice);
}

std::string songTitle(Dice& dice, Style style)
{
    switch (style) {
    case Style::Latin:
        return latinTitle(dice);
    case Style::Dance:
        return join({englishTitle(dice), " (", dice.pick(DanceMixes), ")"});
    case Style::Urban:
        return dice.chance(20) ? englishTitle(dice) + " (Remix)" : englishTitle(dice);
    default:
        return englishTitle(dice);
    }
}

std::string albumTitle(Dice& dice, Style style)
{
    if (style == Style::Score)
        return movieTitle(dice) + ": Music from the Motion Picture";
    if (style == Style::Latin && dice.chance(60)) {
        const std::string first = pick(dice, LatinNouns);
        std::string second = pick(dice, LatinNouns);
        while (second == first)
            second = pick(dice, LatinNouns);
        return first + " y " + second;
    }
    switch (dice.between(0, 6)) {
    case 0:
        return join({dice.pick(TitleAdjectives), " ", dice.pick(TitlePlurals)});
    case 1:
        return join({dice.pick(TitleNouns), " & ", dice.pick(TitleNouns)});
    case 2:
        return join({"The ", dice.pick(TitleNouns), " Sessions"});
    case 3:
        return join({"Songs from the ", dice.pick(TitleNouns)});
    case 4:
        return join({"Live at the ", dice.pick(Venues)});
    case 5:
        return join({dice.pick(TitleNouns), " Vol. ", std::to_string(dice.between(2, 4))});
    default:
        return englishTitle(dice);
    }
}

std::string labelName(Dice& dice)
{
    return pick(dice, Labels);
}

std::string venueName(Dice& dice)
{
    return pick(dice, Venues);
}

std::string placeName(Dice& dice)
{
    return pick(dice, Places);
}

} // namespace vandrel::sample
