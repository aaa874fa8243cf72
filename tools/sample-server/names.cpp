#include "tools/sample-server/names.h"

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

std::string Join(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const auto part : parts)
        text += part;
    return text;
}

std::string Pick(Dice& dice, Pool pool)
{
    return std::string(dice.Pick(pool));
}

std::string BandName(Dice& dice)
{
    if (dice.Chance(50))
        return Join({"The ", dice.Pick(BandAdjectives), " ", dice.Pick(BandPlurals)});
    std::string first = Pick(dice, BandNouns);
    std::string second = Pick(dice, BandNouns);
    while (second == first)
        second = Pick(dice, BandNouns);
    return first + " " + second;
}

std::string UrbanName(Dice& dice)
{
    switch (dice.Between(0, 5)) {
    case 0:
    case 1:
        return Join({dice.Pick(UrbanPrefixes), " ", dice.Pick(Monikers)});
    case 2:
        return PersonName(dice);
    case 3:
        return Pick(dice, Monikers);
    default:
        return Join(
            {dice.Pick(UrbanPrefixes), " ", dice.Pick(Monikers), " feat. ", dice.Pick(FirstNames)});
    }
}

std::string LatinName(Dice& dice)
{
    switch (dice.Between(0, 5)) {
    case 0:
    case 1:
    case 2:
        return Join({dice.Pick(LatinFirstNames), " ", dice.Pick(LatinLastNames)});
    case 3:
        return Join({"Los ", dice.Pick(LatinGroups), " de ", dice.Pick(LatinPlaces)});
    case 4:
        return Join({dice.Pick(LatinFirstNames), " y ", dice.Pick(LatinFirstNames)});
    default:
        return Join({"Banda ", dice.Pick(LatinPlaces)});
    }
}

std::string CountryName(Dice& dice)
{
    switch (dice.Between(0, 5)) {
    case 0:
        return Join({"The ", dice.Pick(LastNames), " Brothers"});
    case 1:
        return Join({PersonName(dice), " & the ", dice.Pick(BandPlurals)});
    default:
        return PersonName(dice);
    }
}

std::string RootsName(Dice& dice)
{
    switch (dice.Between(0, 4)) {
    case 0:
    case 1:
        return Join({dice.Pick(CelticFirstNames), " ", dice.Pick(CelticLastNames)});
    case 2:
        return Join({dice.Pick(BandAdjectives), " ", dice.Pick(BandNouns), " Ensemble"});
    case 3:
        return Join({"Ras ", dice.Pick(Monikers)});
    default:
        return PersonName(dice);
    }
}

std::string DanceName(Dice& dice)
{
    switch (dice.Between(0, 4)) {
    case 0:
        return Join({"DJ ", dice.Pick(Monikers)});
    case 1:
        return Join({dice.Pick(Monikers), " vs. ", dice.Pick(Monikers)});
    case 2:
        return Join({dice.Pick(BandAdjectives), " ", dice.Pick(BandNouns), " Project"});
    case 3:
        return Join({dice.Pick(BandNouns), " ", std::to_string(dice.Between(2, 99))});
    default:
        return PersonName(dice);
    }
}

std::string EnglishTitle(Dice& dice)
{
    switch (dice.Between(0, 11)) {
    case 0:
        return Join({dice.Pick(Verbs), " the ", dice.Pick(TitleNouns)});
    case 1:
        return Join({dice.Pick(TitleAdjectives), " ", dice.Pick(TitleNouns)});
    case 2:
        return Join({"Don't ", dice.Pick(Verbs), " Me Now"});
    case 3:
        return Join({"Where the ", dice.Pick(TitlePlurals), " Go"});
    case 4:
        return Join({dice.Pick(TitleNouns), " in ", dice.Pick(Places)});
    case 5:
        return Join({"Call It ", dice.Pick(TitleAdjectives)});
    case 6:
        return Join({"Every Little ", dice.Pick(TitleNouns)});
    case 7:
        return Join({"Last ", dice.Pick(TitleNouns), " Home"});
    case 8:
        return Join({"I Can't ", dice.Pick(Verbs), " You"});
    case 9:
        return Join({dice.Pick(TitleNouns), " Song"});
    case 10:
        return Join({dice.Pick(TitleAdjectives), " ", dice.Pick(TitlePlurals)});
    default:
        return Join({dice.Pick(Verbs), " Me Like a ", dice.Pick(TitleNouns)});
    }
}

std::string LatinTitle(Dice& dice)
{
    switch (dice.Between(0, 5)) {
    case 0:
        return Join({"Corazón de ", dice.Pick(LatinNouns)});
    case 1:
        return Join({"La Noche de ", dice.Pick(LatinPlaces)});
    case 2:
        return Join({"Amor de ", dice.Pick(LatinNouns)});
    case 3:
        return Join({"Sin Tu ", dice.Pick(LatinNouns)});
    case 4:
        return "Dime Que Sí";
    default:
        return "Bésame Otra Vez";
    }
}

std::string MovieTitle(Dice& dice)
{
    if (dice.Chance(50))
        return Join({"The ", dice.Pick(TitleNouns), " of ", dice.Pick(Places)});
    return Join({dice.Pick(TitleAdjectives), " ", dice.Pick(TitlePlurals)});
}

} // namespace

std::string PersonName(Dice& dice)
{
    return Join({dice.Pick(FirstNames), " ", dice.Pick(LastNames)});
}

std::string ArtistName(Dice& dice, Style style)
{
    switch (style) {
    case Style::Rock:
        return dice.Chance(75) ? BandName(dice) : PersonName(dice);
    case Style::Pop:
        return dice.Chance(70) ? PersonName(dice)
                               : (dice.Chance(50) ? BandName(dice) : Pick(dice, FirstNames));
    case Style::Urban:
        return UrbanName(dice);
    case Style::Latin:
        return LatinName(dice);
    case Style::Country:
        return CountryName(dice);
    case Style::Roots:
        return RootsName(dice);
    case Style::Dance:
        return DanceName(dice);
    case Style::Jazz:
        return dice.Chance(40) ? Join({"The ", dice.Pick(FirstNames), " ", dice.Pick(LastNames),
                                       " ", dice.Pick(Ensembles)})
                               : PersonName(dice);
    case Style::Gospel:
        return dice.Chance(30) ? Join({"The ", dice.Pick(Places), " Mass Choir"})
                               : PersonName(dice);
    case Style::Score:
        return dice.Chance(40) ? std::string("Various Artists") : PersonName(dice);
    }
    return PersonName(dice);
}

std::string SongTitle(Dice& dice, Style style)
{
    switch (style) {
    case Style::Latin:
        return LatinTitle(dice);
    case Style::Dance:
        return Join({EnglishTitle(dice), " (", dice.Pick(DanceMixes), ")"});
    case Style::Urban:
        return dice.Chance(20) ? EnglishTitle(dice) + " (Remix)" : EnglishTitle(dice);
    default:
        return EnglishTitle(dice);
    }
}

std::string AlbumTitle(Dice& dice, Style style)
{
    if (style == Style::Score)
        return MovieTitle(dice) + ": Music from the Motion Picture";
    if (style == Style::Latin && dice.Chance(60)) {
        const std::string first = Pick(dice, LatinNouns);
        std::string second = Pick(dice, LatinNouns);
        while (second == first)
            second = Pick(dice, LatinNouns);
        return first + " y " + second;
    }
    switch (dice.Between(0, 6)) {
    case 0:
        return Join({dice.Pick(TitleAdjectives), " ", dice.Pick(TitlePlurals)});
    case 1:
        return Join({dice.Pick(TitleNouns), " & ", dice.Pick(TitleNouns)});
    case 2:
        return Join({"The ", dice.Pick(TitleNouns), " Sessions"});
    case 3:
        return Join({"Songs from the ", dice.Pick(TitleNouns)});
    case 4:
        return Join({"Live at the ", dice.Pick(Venues)});
    case 5:
        return Join({dice.Pick(TitleNouns), " Vol. ", std::to_string(dice.Between(2, 4))});
    default:
        return EnglishTitle(dice);
    }
}

std::string LabelName(Dice& dice)
{
    return Pick(dice, Labels);
}

std::string VenueName(Dice& dice)
{
    return Pick(dice, Venues);
}

std::string PlaceName(Dice& dice)
{
    return Pick(dice, Places);
}

} // namespace vandrel::sample
