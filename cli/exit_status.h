#pragma once

#include <string_view>

namespace vandrel {

// What the exit status of vandrel-fetch tells its caller; --help lists it from here.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsageError = 2, ExitInterrupted = 130 };

struct ExitStatusMeaning
{
    ExitStatus status;
    std::string_view meaning;
};

inline constexpr ExitStatusMeaning ExitStatusMeanings[] = {
    {ExitSuccess, "The list was read and printed; of many pages, every one."},
    {ExitFailure,
     "The download failed, the page was empty or not in the expected shape, the file given "
     "with --page could not be read, the output could not be written, or with --demo the "
     "sample server could not start; of many pages, at least one failed, or the list given "
     "with --pages-from could not be read."},
    {ExitUsageError, "Usage error: an unknown option, source, choice or format, --demo with "
                     "an address given with --page or --pages-from, or standard input named "
                     "twice."},
    {ExitInterrupted, "Interrupted by Ctrl+C while reading many pages; the pages printed are "
                      "whole."},
};

} // namespace vandrel
