#pragma once

#include <QString>

namespace dedizo {

// Disguise for a few Config.ini values (passwords, connection strings) against
// casual reading; not protection. scramble(unscramble(x)) round-trips any text.
QString scramble(const QString& plain);

// A stored value that does not decode (not Base64, not UTF-8, too short or
// without our markers) reads as empty.
QString unscramble(const QString& stored);

} // namespace dedizo
