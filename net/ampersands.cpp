#include "net/ampersands.h"

namespace vandrel {

QString withPlainAmpersands(QString text)
{
    return text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

} // namespace vandrel
