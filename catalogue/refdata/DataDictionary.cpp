#include "catalogue/refdata/DataDictionary.h"

#include "core/Connection.h"
#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"

namespace dedizo {

const QList<DataDictCate>& dataDictCates()
{
    static const QList<DataDictCate> cates{
        {QStringLiteral("CorpName"), QStringLiteral("工作单位"), QStringLiteral("Readers_tab")},
        {QStringLiteral("DeptName"), QStringLiteral("所在部门"),
         QStringLiteral("Readers_tab;Dept=Users_tab")},
        {QStringLiteral("BookType"), QStringLiteral("馆藏类型"), QStringLiteral("Books_tab")},
        {QStringLiteral("BookRoom"), QStringLiteral("所在书室"),
         QStringLiteral("Copies_tab;HomePhone=Readers_tab;Title=Users_tab")},
        {QStringLiteral("BookPos"), QStringLiteral("书刊架位"), QStringLiteral("Copies_tab")},
        {QStringLiteral("PublishPlace"), QStringLiteral("出版地点"), QStringLiteral("Books_tab")},
        {QStringLiteral("BookFaceInfo"), QStringLiteral("载体形态"), QStringLiteral("Books_tab")},
        {QStringLiteral("BookLanguage"), QStringLiteral("书刊语言"), QStringLiteral("Books_tab")},
        {QStringLiteral("BookAddons"), QStringLiteral("书刊附件"), QStringLiteral("Books_tab")},
        {QStringLiteral("PublishPeriods"), QStringLiteral("出版周期"), QStringLiteral("Books_tab")},
        {QStringLiteral("EditionTime"), QStringLiteral("出版版次"), QStringLiteral("Books_tab")},
    };
    return cates;
}

int DictionaryCategoryIndex(const QString& name)
{
    const QList<DataDictCate>& cates = dataDictCates();
    for (int i = 0; i < cates.size(); ++i)
        if (cates[i].Name == name)
            return i;
    return -1;
}

QString DictionaryCategoryTitle(const QString& name)
{
    const int index = DictionaryCategoryIndex(name);
    return index < 0 ? QString() : dataDictCates()[index].Title;
}

QString DictionaryValuesSql(const QString& name)
{
    if (HasBookRoom()) {
        const QString room = QuoteSQL(currentUser().BookRoom);
        if (name == QLatin1String("CorpName") || name == QLatin1String("DeptName"))
            return QStringLiteral("SELECT DISTINCT %1 AS ItemName FROM Readers_tab WHERE HomePhone = %2")
                .arg(name, room);
        if (name == QLatin1String("BookPos"))
            return QStringLiteral("SELECT DISTINCT %1 AS ItemName FROM Copies_tab WHERE BookRoom = %2")
                .arg(name, room);
    }
    return QStringLiteral("SELECT ItemName FROM Items_tab WHERE ItemCate = %1 ORDER BY ItemCode")
        .arg(DictionaryCategoryIndex(name));
}

void DictionaryValues(const QString& name, QStringList& list)
{
    list.clear();
    QueryList(list, DictionaryValuesSql(name), QStringLiteral("ItemName"));
}

QList<DictionaryTarget> DictionaryTargets(const DataDictCate& cate)
{
    QList<DictionaryTarget> targets;
    for (const QString& part : cate.Updates.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString entry = part.trimmed();
        const int eq = entry.indexOf(QLatin1Char('='));
        if (eq < 0)
            targets.append({entry, cate.Name});
        else
            targets.append({entry.mid(eq + 1).trimmed(), entry.left(eq).trimmed()});
    }
    return targets;
}

QStringList DictionaryRenameStatements(const DataDictCate& cate, const QString& oldName,
                                       const QString& newName)
{
    QStringList statements;
    for (const DictionaryTarget& t : DictionaryTargets(cate))
        statements << QStringLiteral("UPDATE %1 SET %2 = %3 WHERE %2 = %4")
                          .arg(t.table, t.column, QuoteSQL(newName), QuoteSQL(oldName));
    return statements;
}

void SaveDictionaryItem(Dataset& items)
{
    const int cate = items.value(QStringLiteral("ItemCate")).toInt();
    if (cate < 0 || cate >= dataDictCates().size()) {
        items.post(); // an item outside the fixed table has nowhere to rename
        return;
    }
    SaveDictionaryItem(items, dataDictCates()[cate]);
}

void SaveDictionaryItem(Dataset& items, const DataDictCate& cate)
{
    const QString name = QStringLiteral("ItemName");
    const bool renamed = items.state() == Dataset::State::Edit &&
                         items.oldValue(name).toString() != items.value(name).toString();
    if (!renamed) {
        items.post();
        return;
    }
    const QString oldName = items.oldValue(name).toString();
    const QString newName = items.value(name).toString();
    inTransaction(items.connection(), [&] {
        for (const QString& sql : DictionaryRenameStatements(cate, oldName, newName))
            items.connection().execute(sql);
        items.post();
    });
    // The logged-in user's own room and department were renamed with the
    // rest; keep the record of the session in step, or a user tied to a
    // renamed room would see nothing until the next login.
    UserInfo& user = currentUser();
    for (const DictionaryTarget& t : DictionaryTargets(cate)) {
        if (t.table.compare(QLatin1String("Users_tab"), Qt::CaseInsensitive) != 0)
            continue;
        if (t.column.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0 && user.BookRoom == oldName)
            user.BookRoom = newName;
        if (t.column.compare(QLatin1String("Dept"), Qt::CaseInsensitive) == 0 && user.Dept == oldName)
            user.Dept = newName;
    }
}

} // namespace dedizo
