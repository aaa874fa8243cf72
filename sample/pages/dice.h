#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vandrel::sample {

// A small deterministic generator (splitmix64). The standard distributions differ between
// libraries, so the pages would not be the same everywhere; this one depends on nothing.
class Dice
{
public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}

    // Every page gets its own stream, so adding a page leaves the others as they were.
    static Dice forPage(std::string_view path)
    {
        std::uint64_t hash = 0xcbf29ce484222325u;
        for (const char c : path)
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
        return Dice(hash ^ 0x5eed2001u);
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }

    // A whole number from `low` to `high`, both included.
    int between(int low, int high)
    {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(next() % span);
    }

    bool chance(int percent) { return between(1, 100) <= percent; }

    std::string_view pick(std::span<const std::string_view> items)
    {
        return items[static_cast<std::size_t>(between(0, static_cast<int>(items.size()) - 1))];
    }

private:
    std::uint64_t state_;
};

} // namespace vandrel::sample
