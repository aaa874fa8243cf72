#pragma once

#include "net/qt_text.h"
#include "sources/hosts.h"

namespace vandrel {

// An address on the program's own website.
inline QString websiteAddress(std::u16string_view path)
{
    return qt(hosts::httpAddress(hosts::Website, path));
}

} // namespace vandrel
