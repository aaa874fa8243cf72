#pragma once

#include <string_view>

namespace vandrel {

// What the exit status of vandrel-fetch tells its caller; --help lists it from here.
enum ExitStatus { Success = 0, Failure = 1, UsageFailure = 2 };

struct ExitStatusMeaning
{
    ExitStatus status;
    std::string_view meaning;
};

inline constexpr ExitStatusMeaning ExitStatusMeanings[] = {
    {Success, "The list was read and printed."},
    {Failure, "The download failed, or the page was empty or not in the expected shape."},
    {UsageFailure, "Usage error: an unknown option, source, choice or format."},
};

} // namespace vandrel
