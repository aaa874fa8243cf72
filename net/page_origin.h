#pragma once

#include <QString>

namespace vandrel {

// Where the text of one page comes from: the source's own address, an address the user gives,
// a saved copy in a file, or standard input.
struct PageOrigin
{
    enum class Kind { BuiltIn, Address, File, StandardInput };

    Kind kind = Kind::BuiltIn;
    QString text = {}; // the address or the file's path; empty for the other kinds

    // "-" is standard input, an http:// or https:// address (in any letter case) an address,
    // anything else the path of a file.
    static PageOrigin fromArgument(const QString& argument);
    // The kind alone, of a QString's view or of a name's bytes read as Latin-1: what decides it
    // is ASCII, so that a long list of names need not be decoded to be sorted.
    template <typename Text> static Kind kindOf(Text argument)
    {
        if (argument == QLatin1String("-"))
            return Kind::StandardInput;
        for (const QLatin1String scheme : {QLatin1String("http://"), QLatin1String("https://")})
            if (argument.startsWith(scheme, Qt::CaseInsensitive))
                return Kind::Address;
        return Kind::File;
    }

    bool downloads() const { return kind == Kind::BuiltIn || kind == Kind::Address; }
    // What the page is called where it is shown: the address requested (`builtInAddress` for the
    // source's own), the file's path, or "-" for standard input.
    QString name(const QString& builtInAddress) const;
};

} // namespace vandrel
