#pragma once

#include <QString>
#include <QStringList>

namespace dedizo {

// Edits the SQL text of a list query so that sorting, filtering and totals
// are done by the database. The text is a list of lines:
//
//   SELECT ... FROM ...            (may span several lines, may be nested)
//   WHERE <user condition>     AND     <fixed condition>
//   ORDER BY <columns>             (optional)
//
// The user condition is what the filters produce and is replaced freely; the
// fixed condition (the book-room restriction, for example) is set by the
// window and survives every filter change. The separator "     AND     "
// (five blanks on each side) tells the two apart. Line prefixes are matched
// case-sensitively.
//
// Whenever a fixed condition is present the user condition is written in
// parentheses, so that a filter such as "A OR B" cannot escape the fixed
// condition (AND binds tighter than OR). The fixed condition is taken as the
// text after the last separator on the line, so a separator typed into a
// filter value cannot cut the fixed condition off; a fixed condition must
// therefore never contain the separator itself.
class SQLBuilder
{
public:
    SQLBuilder() = delete;

    static const QString& separator();

    // select + line break + "WHERE " + (condition or "1=1") [+ separator +
    // fixed] [+ line break + "ORDER BY " + orderBy]. Blank parts count as absent.
    static QString SQL(const QString& select, const QString& condition = {}, const QString& orderBy = {},
                       const QString& fixedCondition = {});

    // When the text starts with "SELECT ", everything before the first
    // " FROM " becomes "SELECT " + list ("*" for an empty list).
    static void SelectList(QStringList& lines, const QString& selectList);
    // Replaces the user condition of the first "WHERE " line, keeping the fixed part.
    static void Where(QStringList& lines, const QString& condition);
    // Replaces (or with an empty condition removes) the fixed condition of
    // the first "WHERE " line.
    static void WhereAlways(QStringList& lines, const QString& fixedCondition);
    // Replaces, removes (empty list) or appends the "ORDER BY " line.
    static void OrderBy(QStringList& lines, const QString& orderBy);
};

} // namespace dedizo
