#include "net/page_origin.h"

namespace vandrel {

PageOrigin PageOrigin::fromArgument(const QString& argument)
{
    const Kind kind = kindOf(QStringView(argument));
    return {kind, kind == Kind::StandardInput ? QString() : argument};
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
