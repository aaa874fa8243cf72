#pragma once

#include <QString>

namespace vandrel {

// The page text as the sources read it: every "&amp;" turned into "&", exactly (case matters),
// left to right in one pass, so "&amp;amp;" becomes "&amp;".
QString withPlainAmpersands(QString text);

} // namespace vandrel
