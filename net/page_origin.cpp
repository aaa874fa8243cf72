#include "net/page_origin.h"

namespace vandrel {

PageOrigin PageOrigin::fromArgument(const QString& argument)
{
    if (argument == QLatin1String("-"))
        return {Kind::StandardInput};
    for (const QLatin1String scheme : {QLatin1String("http://"), QLatin1String("https://")})
        if (argument.startsWith(scheme, Qt::CaseInsensitive))
            return {Kind::Address, argument};
    return {Kind::File, argument};
}

QString PageOrigin::name(const QString& builtInAddress) const
{
    switch (kind) {
    case Kind::BuiltIn:
        return builtInAddress;
    case Kind::StandardInput:
        return QStringLiteral("-");
    case Kind::Address:
    case Kind::File:
        break;
    }
    return text;
}

} // namespace vandrel
