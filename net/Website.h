#pragma once

#include "net/QtText.h"
#include "sources/hosts.h"

namespace vandrel {

// An address on the program's own website.
inline QString WebsiteAddress(QStringView path)
{
    return QStringLiteral("http://") + qt(hosts::Website) + path.toString();
}

} // namespace vandrel
