#include "core/SQLBuilder.h"

namespace dedizo {

namespace {

const QString kSelect = QStringLiteral("SELECT ");
const QString kWhere = QStringLiteral("WHERE ");
const QString kOrderBy = QStringLiteral("ORDER BY ");
const QString kFrom = QStringLiteral(" FROM ");
const QString kNoCondition = QStringLiteral("1=1");

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// True when the whole text is one parenthesised group: "(A OR B)" but not
// "(A) OR (B)". Parentheses inside quoted literals do not count.
bool isEnclosed(const QString& text)
{
    if (!text.startsWith(QLatin1Char('(')) || !text.endsWith(QLatin1Char(')')))
        return false;
    int depth = 0;
    bool inLiteral = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\'')) {
            inLiteral = !inLiteral;
        } else if (!inLiteral && ch == QLatin1Char('(')) {
            ++depth;
        } else if (!inLiteral && ch == QLatin1Char(')')) {
            if (--depth == 0)
                return i == text.size() - 1;
        }
    }
    return false;
}

// The user condition as written on the WHERE line.
QString userPart(const QString& condition, bool withFixed)
{
    if (isBlank(condition))
        return kNoCondition;
    if (!withFixed || condition == kNoCondition || isEnclosed(condition))
        return condition;
    return QLatin1Char('(') + condition + QLatin1Char(')');
}

qsizetype firstLineStartingWith(const QStringList& lines, const QString& prefix)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).startsWith(prefix))
            return i;
    return -1;
}

} // namespace

const QString& SQLBuilder::separator()
{
    static const QString sep = QStringLiteral("     AND     ");
    return sep;
}

QString SQLBuilder::SQL(const QString& select, const QString& condition, const QString& orderBy,
                        const QString& fixedCondition)
{
    const bool withFixed = !isBlank(fixedCondition);
    QString text = select + QLatin1Char('\n') + kWhere + userPart(condition, withFixed);
    if (withFixed)
        text += separator() + fixedCondition;
    if (!isBlank(orderBy))
        text += QLatin1Char('\n') + kOrderBy + orderBy;
    return text;
}

void SQLBuilder::SelectList(QStringList& lines, const QString& selectList)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (!text.startsWith(kSelect))
        return;
    const qsizetype from = text.indexOf(kFrom);
    if (from < 0)
        return;
    const QString list = isBlank(selectList) ? QStringLiteral("*") : selectList;
    const QString rewritten = kSelect + list + text.mid(from);
    lines = rewritten.split(QLatin1Char('\n'));
}

void SQLBuilder::Where(QStringList& lines, const QString& condition)
{
    const qsizetype i = firstLineStartingWith(lines, kWhere);
    if (i < 0)
        return;
    const QString& line = lines.at(i);
    const qsizetype sep = line.lastIndexOf(separator());
    const QString fixedPart = sep < 0 ? QString() : line.mid(sep);
    lines[i] = kWhere + userPart(condition, sep >= 0) + fixedPart;
}

void SQLBuilder::WhereAlways(QStringList& lines, const QString& fixedCondition)
{
    const qsizetype i = firstLineStartingWith(lines, kWhere);
    if (i < 0)
        return;
    const QString& line = lines.at(i);
    const qsizetype sep = line.lastIndexOf(separator());
    const QString head = sep < 0 ? line : line.left(sep);
    if (isBlank(fixedCondition)) {
        lines[i] = head;
        return;
    }
    lines[i] = kWhere + userPart(head.mid(kWhere.size()), true) + separator() + fixedCondition;
}

void SQLBuilder::OrderBy(QStringList& lines, const QString& orderBy)
{
    const qsizetype i = firstLineStartingWith(lines, kOrderBy);
    if (i >= 0) {
        if (isBlank(orderBy))
            lines.removeAt(i);
        else
            lines[i] = kOrderBy + orderBy;
    } else if (!isBlank(orderBy)) {
        lines.append(kOrderBy + orderBy);
    }
}

} // namespace dedizo
