#include "tools/sample-server/sample_pages.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// Writes the seed pages of the extraction fuzz targets, one folder per target: every sample
// page and, when a fixture folder is given, the fixture page of each target.
// Usage: vandrel-fuzz-seeds <output-folder> [fixture-folder]
namespace {

namespace fs = std::filesystem;

struct Target
{
    std::string_view name;
    std::string_view pathStart; // of the sample pages it reads
    std::string_view fixture;
};

constexpr Target targets[] = {
    {"krock_fuzz", "/krockmusic/", "krock.html"},
    {"cddb_albums_fuzz", "/music/topgen.html/", "cddb_albums.html"},
    {"cddb_songs_fuzz", "/music/toptracks.html/", "cddb_songs.html"},
    {"billboard_fuzz", "/bb/charts/", "billboard.html"},
    {"hot97_fuzz", "/music/playlist.aspx", "hot97.html"},
};

bool write(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    return bool(out);
}

std::string fileName(std::string path)
{
    for (char& c : path) {
        if (c == '/' || c == '=' || c == '?')
            c = '_';
    }
    return path;
}

std::string read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool writeSamplePages(const fs::path& out)
{
    bool ok = true;
    for (const auto& [path, body] : vandrel::sample::AllPages()) {
        for (const Target& target : targets) {
            if (path.starts_with(target.pathStart))
                ok = write(out / target.name / fileName(path), body) && ok;
        }
    }
    return ok;
}

bool writeFixtures(const fs::path& out, const fs::path& fixtures)
{
    bool ok = true;
    for (const Target& target : targets) {
        const fs::path page = fixtures / target.fixture;
        if (fs::exists(page))
            ok = write(out / target.name / target.fixture, read(page)) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <output-folder> [fixture-folder]\n", argv[0]);
        return 2;
    }
    const bool samples = writeSamplePages(argv[1]);
    const bool fixtures = argc < 3 || writeFixtures(argv[1], argv[2]);
    return samples && fixtures ? 0 : 1;
}
