#pragma once

#include <QString>

namespace dedizo {

// The supplier of the program, shown where OEM mode shows the OEM values.
struct Supplier
{
    static QString name() { return QStringLiteral("澄岭软件"); }
    static QString webAddress() { return QStringLiteral("www.dedizo.com"); }
};

} // namespace dedizo
