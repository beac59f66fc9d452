#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace dedizo {

class SqlDialect;

// What the query condition builder needs to know of one dataset field.
enum class FilterFieldType
{
    Text,     // text, memo, wide text and fields of no specific type
    Number,   // integer, small, word, float, money, decimal, auto-increment, large integer
    Date,     // date (and date-time fields compared by day)
    DateTime, // date-time
    Time,     // time of day
    Boolean,
    Blob, // pictures and other large objects: cannot be filtered
};

struct FilterField
{
    QString name;  // the column name written into the condition
    QString label; // the display label shown to the user
    FilterFieldType type = FilterFieldType::Text;
};

// The twelve operators, by their codes.
enum class FilterOperator
{
    Equal = 0,
    NotEqual = 1,
    Greater = 2,
    GreaterOrEqual = 3,
    Less = 4,
    LessOrEqual = 5,
    BeginsWith = 6,
    NotBeginsWith = 7,
    EndsWith = 8,
    NotEndsWith = 9,
    Contains = 10,
    NotContains = 11,
};

enum class FilterConjunction
{
    And = 0,
    Or = 1,
};

// One entry of the condition list.
struct FilterCondition
{
    FilterConjunction conjunction = FilterConjunction::And;
    FilterOperator op = FilterOperator::Equal;
    QString value; // as typed; dates as "yyyy/MM/dd", booleans as "是"/"否"
    FilterField field;

    // "conjunction;operator;value", the codes as numbers.
    QString entryText() const;
};

// How the connected database writes the literals of a condition.
struct FilterLiterals
{
    QString dateDelimiter = QStringLiteral("'");
    QString trueLiteral = QStringLiteral("1");
    QString likeOperator = QStringLiteral("LIKE");
    // A date value as a complete literal; empty function: the date text between the delimiters.
    std::function<QString(const QDate&)> dateLiteral;

    static FilterLiterals forDialect(const SqlDialect& dialect);
    // Those of the main connection when one is open, else the defaults.
    static FilterLiterals current();
};

// Builds the condition text of the query condition builder.
class DBFilterBuilder
{
public:
    explicit DBFilterBuilder(FilterLiterals literals = FilterLiterals::current());

    static QString operatorText(FilterOperator op);
    static QString conjunctionText(FilterConjunction c);
    // The operators offered for a field type, in code order.
    static QList<FilterOperator> operatorsFor(FilterFieldType type);
    // The operator preselected when a field is chosen: 包含 for text, else the first allowed one.
    static FilterOperator defaultOperator(FilterFieldType type);
    static bool isNumeric(FilterFieldType type) { return type == FilterFieldType::Number; }
    // A numeric value is accepted when it reads as a number other than zero, or is exactly "0".
    static bool isAcceptableNumber(const QString& value);

    // The offered fields: those of `datasetFields` named in `filterFields`
    // (names separated by ";", compared without regard to case), in dataset order.
    static QList<FilterField> offeredFields(const QList<FilterField>& datasetFields,
                                            const QString& filterFields);

    void clear() { m_conditions.clear(); }
    void add(const FilterCondition& c) { m_conditions.append(c); }
    void removeAt(int i) { m_conditions.removeAt(i); }
    void replace(int i, const FilterCondition& c) { m_conditions[i] = c; }
    const QList<FilterCondition>& conditions() const { return m_conditions; }

    // " 1=1 " without conditions; else the conditions joined by their conjunctions, trimmed.
    QString GetFilter() const;
    // The SQL of one condition (its conjunction left out).
    QString conditionSql(const FilterCondition& c) const;
    // The list line: conjunction (not for the first), label, operator, value, ended by " 。".
    static QString displayText(const FilterCondition& c, bool first);

private:
    QString literal(const FilterCondition& c) const;

    FilterLiterals m_literals;
    QList<FilterCondition> m_conditions;
};

} // namespace dedizo
