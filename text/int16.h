#pragma once

#include "text/failure.h"

#include <cstdint>
#include <limits>

// Positions, field numbers and loop counters of the toolkit and the extractions are 16-bit and
// fail with Failure::overflow() where a wider value would not fit.
namespace vandrel {

inline bool fits16(long long value)
{
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

inline std::int16_t toInt16(long long value)
{
    if (!fits16(value))
        throw Failure::overflow();
    return static_cast<std::int16_t>(value);
}

inline std::int16_t add16(std::int16_t a, std::int16_t b)
{
    return toInt16(static_cast<long long>(a) + b);
}

// Runs body(i) for i from `first` to `last` with a 16-bit counter: `last` is converted before
// the first pass, and the step past a `last` of 32,767 overflows after its pass.
template <typename Body> void forEach16(std::int16_t first, long long last, Body body)
{
    const std::int16_t limit = toInt16(last);
    for (std::int16_t i = first; i <= limit; i = add16(i, 1))
        body(i);
}

} // namespace vandrel
