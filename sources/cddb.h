#pragma once

#include "sources/row_sink.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vandrel {

// What tells the CDDB top albums and top songs pages apart.
struct CddbLayout
{
    std::u16string_view captionStart; // followed by the genre and "):"
    std::u16string_view path;         // followed by the genre in lower case
    // The texts between the parts of a row's second cell; each ends just before an "<a" tag.
    std::span<const std::u16string_view> partSeparators;
    // The part of the second cell that each sub-item shows, from sub-item 1 on.
    std::span<const std::int16_t> subItemParts;
};

extern const CddbLayout CddbAlbums; // This Week, Artist, Album
extern const CddbLayout CddbSongs;  // This Week, Artist, Song, Album

// The CDDB top ten of one genre, as `layout` lays out its rows.
void ExtractCddb(std::u16string text, const CddbLayout& layout, RowSink& rows);

} // namespace vandrel
