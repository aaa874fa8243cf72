#pragma once

#include "cli/page_list.h"

#include <QString>
#include <QStringList>

namespace vandrel {

struct ChartSource;

enum class RowFormat { Tsv, Csv, Json, JsonLines };

// The formats by the names --format takes, the default first.
struct RowFormatName
{
    RowFormat format;
    const char* name;
};
inline constexpr RowFormatName RowFormatNames[] = {{RowFormat::Tsv, "tsv"},
                                                   {RowFormat::Csv, "csv"},
                                                   {RowFormat::Json, "json"},
                                                   {RowFormat::JsonLines, "jsonl"}};

// A list to print, once the command line has been read and checked.
struct FetchList
{
    const ChartSource* source = nullptr;
    QString choice; // as the drop-down list spells it; empty for sources without one
    RowFormat format = RowFormat::Tsv;
    // Where the pages come from: each --page in the order given, then the lines of --pages-from
    // once main has read them; with neither, none stands for the source's own address.
    PageList pages;
    QString pagesFrom; // --pages-from: the list's file, or "-"; empty without it
    // More than one --page, or --pages-from: every row says which page it came from.
    bool manyPages = false;
};

// What the command line asks for.
struct FetchOptions
{
    enum class Command { Fetch, ListSources, ListFormats, CheckVersion, UsageError };

    Command command = Command::UsageError;
    FetchList list;     // what Fetch prints
    QString usageError; // what is wrong, and what is valid
    bool verbose = false;
    bool demo = false; // the sample server inside the program answers every request
};

// Reads the arguments (the program name first). --help and --version print and exit here.
FetchOptions readFetchOptions(const QStringList& arguments);

// Why --demo cannot go with `pages`; empty when it can.
QString demoRefusal(const PageList& pages);

// One line per source: its name, then its choices, separated by blanks.
QString sourcesListing();

// The format names on one line, separated by blanks.
QString formatsListing();

} // namespace vandrel
