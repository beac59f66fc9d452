#pragma once

#include <QString>

namespace dedizo {

// The statement of the reader categories list (every row, table order).
QString ReaderCateListSql();
// The statement of the regulations list (every row, table order).
QString BylawListSql();
// True while a reader belongs to the category; such a category may not be deleted.
bool ReaderCategoryInUse(int readerCateId);

} // namespace dedizo
