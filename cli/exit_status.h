#pragma once

#include <string_view>

namespace vandrel {

// What the exit status of vandrel-fetch tells its caller; --help lists it from here.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsageError = 2 };

struct ExitStatusMeaning
{
    ExitStatus status;
    std::string_view meaning;
};

inline constexpr ExitStatusMeaning ExitStatusMeanings[] = {
    {ExitSuccess, "The list was read and printed."},
    {ExitFailure,
     "The download failed, the page was empty or not in the expected shape, the file given "
     "with --page could not be read, the output could not be written, or with --demo the "
     "sample server could not start."},
    {ExitUsageError, "Usage error: an unknown option, source, choice or format, or --demo with "
                     "an address given with --page."},
};

} // namespace vandrel
