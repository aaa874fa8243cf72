#pragma once

#include "net/qt_text.h"
#include "sources/hosts.h"

namespace vandrel {

// An address on the program's own website.
inline QString websiteAddress(QStringView path)
{
    return QStringLiteral("http://") + qt(hosts::Website) + path.toString();
}

} // namespace vandrel
