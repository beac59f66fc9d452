#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dedizo {

class Dataset;

// One category of the data dictionary. Its position in the table is the
// ItemCate number stored in Items_tab.
struct DataDictCate
{
    QString Name;    // the column whose pick list the category fills
    QString Title;   // caption in the dictionary window
    QString Updates; // where a renamed value is rewritten: "Table" or "Column=Table", ";"-separated
};

// The eleven fixed categories, in ItemCate order.
const QList<DataDictCate>& dataDictCates();

// The ItemCate whose Name equals `name` exactly, or -1.
int DictionaryCategoryIndex(const QString& name);
// The Title of that category, or empty.
QString DictionaryCategoryTitle(const QString& name);

// The statement that lists the values offered for the column `name` to the
// logged-in user: the room's own values for a user tied to a book room
// (CorpName, DeptName from the room's readers, BookPos from the room's
// copies), the dictionary items of the category otherwise.
QString DictionaryValuesSql(const QString& name);
// Clears `list` and fills it with those values in the order returned.
void DictionaryValues(const QString& name, QStringList& list);

// A column rewritten when a value of a category is renamed.
struct DictionaryTarget
{
    QString table;
    QString column;
};
// The targets of a category in the order written; a bare table name means
// the column named like the category.
QList<DictionaryTarget> DictionaryTargets(const DataDictCate& cate);
// The UPDATE statements that rename `oldName` to `newName` in every target.
QStringList DictionaryRenameStatements(const DataDictCate& cate, const QString& oldName,
                                       const QString& newName);

// Saves the dictionary item in the current row of `items` (a dataset over
// Items_tab in insert or edit state). An edited item whose name changed is
// renamed in every target column and posted in one transaction; on any
// failure everything is rolled back and the old name stays everywhere. New
// items and unchanged names are simply posted. Throws AbortSilently when a
// record rule refuses the item, DatabaseError when a statement fails.
void SaveDictionaryItem(Dataset& items);
// The same for an explicit category (the renaming core of the above).
void SaveDictionaryItem(Dataset& items, const DataDictCate& cate);

} // namespace dedizo
