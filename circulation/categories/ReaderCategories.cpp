#include "circulation/categories/ReaderCategories.h"

#include "core/DbUtils.h"
#include "core/SQLBuilder.h"

namespace dedizo {

QString ReaderCateListSql()
{
    return SQLBuilder::SQL(QStringLiteral("SELECT * FROM ReaderCate_tab"));
}

QString BylawListSql()
{
    return SQLBuilder::SQL(QStringLiteral("SELECT * FROM Bylaw_tab"));
}

bool ReaderCategoryInUse(int readerCateId)
{
    return ValueExists(QString::number(readerCateId), QStringLiteral("ReaderCateID"),
                       QStringLiteral("Readers_tab"), QString(), false);
}

} // namespace dedizo
