#pragma once

#include "core/DbKind.h"

#include <QStringList>

namespace dedizo {

// CREATE statements of the library database for one kind: every table with
// its key, types and defaults, the lookup indexes and the three views.
QStringList schemaCreateStatements(DbKind kind);

// The statement that creates the optional card store table.
QString cardStoreCreateStatement();

} // namespace dedizo
