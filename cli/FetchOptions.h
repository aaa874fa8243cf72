#pragma once

#include <QString>
#include <QStringList>
#include <variant>

namespace vandrel {

struct ChartSource;

enum class RowFormat { Tsv, Csv, Json };

// What the command line asks for, once it has been read and checked.
struct FetchList
{
    const ChartSource* source = nullptr;
    QString choice; // as the drop-down list spells it; empty for sources without one
    RowFormat format = RowFormat::Tsv;
};
struct ListSources
{
};
struct CheckVersion
{
};
// A command line that cannot be carried out: the message says what is wrong and what is valid.
struct UsageError
{
    QString message;
};

struct FetchOptions
{
    std::variant<FetchList, ListSources, CheckVersion, UsageError> command;
    bool verbose = false;
};

// Reads the arguments (the program name first). --help and --version print and exit here.
FetchOptions ReadFetchOptions(const QStringList& arguments);

// One line per source: its name, then its choices, separated by blanks.
QString SourcesListing();

} // namespace vandrel
