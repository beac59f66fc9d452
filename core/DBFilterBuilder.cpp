#include "core/DBFilterBuilder.h"

#include "core/DataModule.h"
#include "core/SqlDialect.h"

#include <cmath>
#include <memory>

namespace dedizo {

namespace {

QString doubled(const QString& v)
{
    QString s = v;
    return s.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QDate readDate(const QString& text)
{
    const QString t = text.trimmed();
    for (const char* format : {"yyyy/MM/dd", "yyyy-MM-dd", "yyyy/M/d", "yyyy-M-d"}) {
        const QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return {};
}

bool readsAsFiniteNumber(const QString& text, double* value = nullptr)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (value)
        *value = d;
    return ok && std::isfinite(d);
}

} // namespace

QString FilterCondition::entryText() const
{
    return QStringLiteral("%1;%2;%3").arg(int(conjunction)).arg(int(op)).arg(value);
}

FilterLiterals FilterLiterals::forDialect(const SqlDialect& dialect)
{
    FilterLiterals l;
    l.dateDelimiter = dialect.filterDateDelimiter();
    l.trueLiteral = dialect.trueLiteral();
    l.likeOperator = dialect.likeOperator();
    // A dialect of its own, so the literals stay usable after the connection is gone.
    std::shared_ptr<const SqlDialect> own = SqlDialect::create(dialect.kind());
    l.dateLiteral = [own](const QDate& d) { return own->dateLiteral(d); };
    return l;
}

FilterLiterals FilterLiterals::current()
{
    if (!DataModule::hasInstance() || !DataModule::instance().isConnected())
        return {};
    DataModule& dm = DataModule::instance();
    FilterLiterals l = forDialect(dm.connection().dialect());
    l.dateDelimiter = dm.filterDateDelimiter();
    l.trueLiteral = dm.filterTrueLiteral();
    return l;
}

DBFilterBuilder::DBFilterBuilder(FilterLiterals literals) : m_literals(std::move(literals))
{
}

QString DBFilterBuilder::operatorText(FilterOperator op)
{
    static const char* const texts[] = {"等于", "不等于",     "大于", "大于或等于", "小于", "小于或等于",
                                        "始于", "并非起始于", "止于", "并非结束于", "包含", "不包含"};
    const int i = int(op);
    return i >= 0 && i < 12 ? QString::fromUtf8(texts[i]) : QString();
}

QString DBFilterBuilder::conjunctionText(FilterConjunction c)
{
    return c == FilterConjunction::Or ? QStringLiteral("或者") : QStringLiteral("并且");
}

QList<FilterOperator> DBFilterBuilder::operatorsFor(FilterFieldType type)
{
    int count = 0;
    switch (type) {
    case FilterFieldType::Number:
    case FilterFieldType::Date:
    case FilterFieldType::DateTime:
    case FilterFieldType::Time:
        count = 6;
        break;
    case FilterFieldType::Boolean:
        count = 2;
        break;
    case FilterFieldType::Text:
        count = 12;
        break;
    case FilterFieldType::Blob:
        count = 0;
        break;
    }
    QList<FilterOperator> ops;
    for (int i = 0; i < count; ++i)
        ops.append(FilterOperator(i));
    return ops;
}

FilterOperator DBFilterBuilder::defaultOperator(FilterFieldType type)
{
    return type == FilterFieldType::Text ? FilterOperator::Contains : FilterOperator::Equal;
}

bool DBFilterBuilder::isAcceptableNumber(const QString& value)
{
    double d = 0;
    return (readsAsFiniteNumber(value, &d) && d != 0) || value == QLatin1String("0");
}

QList<FilterField> DBFilterBuilder::offeredFields(const QList<FilterField>& datasetFields,
                                                  const QString& filterFields)
{
    QStringList names;
    for (const QString& n : filterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        names.append(n.trimmed());
    QList<FilterField> offered;
    for (const FilterField& f : datasetFields) {
        if (names.contains(f.name, Qt::CaseInsensitive))
            offered.append(f);
    }
    return offered;
}

QString DBFilterBuilder::GetFilter() const
{
    if (m_conditions.isEmpty())
        return QStringLiteral(" 1=1 ");
    QString text;
    for (int i = 0; i < m_conditions.size(); ++i) {
        const FilterCondition& c = m_conditions.at(i);
        if (i > 0)
            text += c.conjunction == FilterConjunction::Or ? QStringLiteral(" OR ") : QStringLiteral(" AND ");
        text += conditionSql(c);
    }
    return text.trimmed();
}

QString DBFilterBuilder::conditionSql(const FilterCondition& c) const
{
    const QString& f = c.field.name;
    const QString v = doubled(c.value);
    const QString like = QLatin1Char(' ') + m_literals.likeOperator + QLatin1Char(' ');
    const QString notLike = QStringLiteral(" NOT ") + m_literals.likeOperator + QLatin1Char(' ');
    switch (c.op) {
    case FilterOperator::Equal:
        return f + QStringLiteral(" = ") + literal(c);
    case FilterOperator::NotEqual:
        return f + QStringLiteral(" <> ") + literal(c);
    case FilterOperator::Greater:
        return f + QStringLiteral(" >") + literal(c);
    case FilterOperator::GreaterOrEqual:
        return f + QStringLiteral(" >= ") + literal(c);
    case FilterOperator::Less:
        return f + QStringLiteral(" < ") + literal(c);
    case FilterOperator::LessOrEqual:
        return f + QStringLiteral(" <= ") + literal(c);
    case FilterOperator::BeginsWith:
        return f + like + QLatin1Char('\'') + v + QStringLiteral("%'");
    case FilterOperator::NotBeginsWith:
        return f + notLike + QLatin1Char('\'') + v + QStringLiteral("%'");
    case FilterOperator::EndsWith:
        return f + like + QStringLiteral("'%") + v + QLatin1Char('\'');
    case FilterOperator::NotEndsWith:
        return f + notLike + QStringLiteral("'%") + v + QLatin1Char('\'');
    case FilterOperator::Contains:
        return f + like + QStringLiteral("'%") + v + QStringLiteral("%'");
    case FilterOperator::NotContains:
        return f + notLike + QStringLiteral("'%") + v + QStringLiteral("%'");
    }
    return {};
}

QString DBFilterBuilder::literal(const FilterCondition& c) const
{
    switch (c.field.type) {
    case FilterFieldType::Number:
        // Written unchanged only when it is a number: anything else must not reach the SQL bare.
        if (readsAsFiniteNumber(c.value))
            return c.value.trimmed();
        return SqlDialect::quote(c.value);
    case FilterFieldType::Boolean:
        return c.value == QStringLiteral("是") ? m_literals.trueLiteral : QStringLiteral("0");
    case FilterFieldType::Date:
    case FilterFieldType::DateTime:
        if (m_literals.dateLiteral) {
            const QDate d = readDate(c.value);
            if (d.isValid())
                return m_literals.dateLiteral(d);
        }
        [[fallthrough]];
    case FilterFieldType::Time:
        return m_literals.dateDelimiter + doubled(c.value) + m_literals.dateDelimiter;
    case FilterFieldType::Text:
    case FilterFieldType::Blob:
        break;
    }
    return SqlDialect::quote(c.value);
}

QString DBFilterBuilder::displayText(const FilterCondition& c, bool first)
{
    QStringList parts;
    if (!first)
        parts << conjunctionText(c.conjunction);
    parts << c.field.label << operatorText(c.op) << c.value;
    return parts.join(QLatin1Char(' ')) + QStringLiteral(" 。");
}

} // namespace dedizo
