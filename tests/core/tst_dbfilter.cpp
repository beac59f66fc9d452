#include "core/DBFilterBuilder.h"
#include "core/SqlDialect.h"

#include <QtTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::FilterFieldType)
Q_DECLARE_METATYPE(dedizo::FilterOperator)
Q_DECLARE_METATYPE(dedizo::FilterCondition)

namespace {

FilterLiterals literalsNamed(const QString& name)
{
    if (name == QLatin1String("sqlserver"))
        return FilterLiterals::forDialect(*SqlDialect::create(DbKind::SqlServer));
    if (name == QLatin1String("file"))
        return FilterLiterals::forDialect(*SqlDialect::create(DbKind::File));
    if (name == QLatin1String("postgres"))
        return FilterLiterals::forDialect(*SqlDialect::create(DbKind::PostgreSql));
    FilterLiterals l; // no connection: the delimiters around the text as typed
    if (name == QLatin1String("hash-1")) {
        l.dateDelimiter = QStringLiteral("#");
        l.trueLiteral = QStringLiteral("-1");
    }
    return l;
}

FilterCondition cond(FilterConjunction c, FilterOperator op, const QString& value, const QString& name,
                     const QString& label, FilterFieldType type = FilterFieldType::Text)
{
    return FilterCondition{c, op, value, FilterField{name, label, type}};
}

} // namespace

class TestDBFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conditionSql_data()
    {
        QTest::addColumn<QString>("literals");
        QTest::addColumn<FilterFieldType>("type");
        QTest::addColumn<FilterOperator>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("sql");
        using T = FilterFieldType;
        using O = FilterOperator;
        // Text: all twelve operators, quotes doubled everywhere.
        QTest::newRow("text =") << "" << T::Text << O::Equal << "O'Brien"
                                << "F = 'O''Brien'";
        QTest::newRow("text <>") << "" << T::Text << O::NotEqual << "a"
                                 << "F <> 'a'";
        QTest::newRow("text > has no blank after the sign") << "" << T::Text << O::Greater << "a"
                                                            << "F >'a'";
        QTest::newRow("text >=") << "" << T::Text << O::GreaterOrEqual << "a"
                                 << "F >= 'a'";
        QTest::newRow("text <") << "" << T::Text << O::Less << "a"
                                << "F < 'a'";
        QTest::newRow("text <=") << "" << T::Text << O::LessOrEqual << "a"
                                 << "F <= 'a'";
        QTest::newRow("始于") << "" << T::Text << O::BeginsWith << "中'国"
                              << "F LIKE '中''国%'";
        QTest::newRow("并非起始于") << "" << T::Text << O::NotBeginsWith << "中"
                                    << "F NOT LIKE '中%'";
        QTest::newRow("止于") << "" << T::Text << O::EndsWith << "史"
                              << "F LIKE '%史'";
        QTest::newRow("并非结束于") << "" << T::Text << O::NotEndsWith << "史"
                                    << "F NOT LIKE '%史'";
        QTest::newRow("包含") << "" << T::Text << O::Contains << "it's"
                              << "F LIKE '%it''s%'";
        QTest::newRow("不包含") << "" << T::Text << O::NotContains << "x"
                                << "F NOT LIKE '%x%'";
        QTest::newRow("quote-only value") << "" << T::Text << O::Equal << "'"
                                          << "F = ''''";
        QTest::newRow("PostgreSQL compares text without regard to case")
            << "postgres" << T::Text << O::Contains << "abc"
            << "F ILIKE '%abc%'";
        QTest::newRow("PostgreSQL NOT LIKE") << "postgres" << T::Text << O::NotBeginsWith << "a"
                                             << "F NOT ILIKE 'a%'";
        // Numbers are written as typed.
        QTest::newRow("number =") << "" << T::Number << O::Equal << "0"
                                  << "F = 0";
        QTest::newRow("number >") << "" << T::Number << O::Greater << "12.5"
                                  << "F >12.5";
        QTest::newRow("number <= negative") << "" << T::Number << O::LessOrEqual << "-3"
                                            << "F <= -3";
        QTest::newRow("number trimmed") << "" << T::Number << O::Equal << " 7 "
                                        << "F = 7";
        // ... but never anything else bare.
        QTest::newRow("non-number never reaches the SQL bare") << "" << T::Number << O::Equal << "1 OR 1=1"
                                                               << "F = '1 OR 1=1'";
        QTest::newRow("inf is no number") << "" << T::Number << O::Equal << "inf"
                                          << "F = 'inf'";
        // Booleans: the connected database's true literal for 是.
        QTest::newRow("是 with true 1") << "sqlserver" << T::Boolean << O::Equal << "是"
                                        << "F = 1";
        QTest::newRow("是 with true -1") << "hash-1" << T::Boolean << O::Equal << "是"
                                         << "F = -1";
        QTest::newRow("否") << "hash-1" << T::Boolean << O::NotEqual << "否"
                            << "F <> 0";
        // Dates: the picker's text between the delimiters without a connection ...
        QTest::newRow("date, no connection") << "" << T::Date << O::Equal << "2024/01/05"
                                             << "F = '2024/01/05'";
        QTest::newRow("date between #") << "hash-1" << T::Date << O::GreaterOrEqual << "2024/01/05"
                                        << "F >= #2024/01/05#";
        // ... and as the connected database writes its dates when one is known.
        QTest::newRow("date on SQL Server") << "sqlserver" << T::Date << O::Equal << "2024/01/05"
                                            << "F = '2024/01/05'";
        QTest::newRow("date on the file database keeps its ISO text")
            << "file" << T::Date << O::Less << "2024/01/05"
            << "F < '2024-01-05'";
        QTest::newRow("date on PostgreSQL") << "postgres" << T::DateTime << O::Greater << "2024/1/5"
                                            << "F >'2024-01-05'";
        QTest::newRow("unreadable date stays quoted") << "file" << T::Date << O::Equal << "x'y"
                                                      << "F = 'x''y'";
        QTest::newRow("time") << "" << T::Time << O::Less << "08:30:00"
                              << "F < '08:30:00'";
    }
    void conditionSql()
    {
        QFETCH(QString, literals);
        QFETCH(FilterFieldType, type);
        QFETCH(FilterOperator, op);
        QFETCH(QString, value);
        QFETCH(QString, sql);
        DBFilterBuilder b(literalsNamed(literals));
        b.add(cond(FilterConjunction::And, op, value, QStringLiteral("F"), QStringLiteral("字段"), type));
        QCOMPARE(b.conditionSql(b.conditions().first()), sql);
        QCOMPARE(b.GetFilter(), sql);
    }

    void getFilterJoinsEntries_data()
    {
        QTest::addColumn<QList<FilterCondition>>("conditions");
        QTest::addColumn<QString>("filter");
        using C = FilterConjunction;
        using O = FilterOperator;
        const QString x = QStringLiteral("红楼");
        const QString y = QStringLiteral("曹");
        QTest::newRow("none") << QList<FilterCondition>{} << " 1=1 ";
        QTest::newRow("包含 title 或者 始于 author")
            << QList<FilterCondition>{cond(C::And, O::Contains, x, "Title", "题名"),
                                      cond(C::Or, O::BeginsWith, y, "Author", "责任者")}
            << "Title LIKE '%红楼%' OR Author LIKE '曹%'";
        QTest::newRow("first conjunction ignored")
            << QList<FilterCondition>{cond(C::Or, O::Equal, "a", "A", "甲")} << "A = 'a'";
        QTest::newRow("three in order")
            << QList<FilterCondition>{cond(C::Or, O::Equal, "a", "A", "甲"),
                                      cond(C::And, O::Greater, "5", "N", "数", FilterFieldType::Number),
                                      cond(C::Or, O::NotContains, "c", "C", "丙")}
            << "A = 'a' AND N >5 OR C NOT LIKE '%c%'";
        QTest::newRow("value with ; stays whole")
            << QList<FilterCondition>{cond(C::And, O::Equal, "a;b;c", "A", "甲")} << "A = 'a;b;c'";
    }
    void getFilterJoinsEntries()
    {
        QFETCH(QList<FilterCondition>, conditions);
        QFETCH(QString, filter);
        DBFilterBuilder b{FilterLiterals{}};
        for (const FilterCondition& c : conditions)
            b.add(c);
        QCOMPARE(b.GetFilter(), filter);
        b.clear();
        QCOMPARE(b.GetFilter(), QStringLiteral(" 1=1 "));
    }

    void operatorsPerType_data()
    {
        QTest::addColumn<FilterFieldType>("type");
        QTest::addColumn<int>("count");
        QTest::addColumn<FilterOperator>("preselected");
        using T = FilterFieldType;
        QTest::newRow("text") << T::Text << 12 << FilterOperator::Contains;
        QTest::newRow("number") << T::Number << 6 << FilterOperator::Equal;
        QTest::newRow("date") << T::Date << 6 << FilterOperator::Equal;
        QTest::newRow("date-time") << T::DateTime << 6 << FilterOperator::Equal;
        QTest::newRow("time") << T::Time << 6 << FilterOperator::Equal;
        QTest::newRow("boolean") << T::Boolean << 2 << FilterOperator::Equal;
        QTest::newRow("picture") << T::Blob << 0 << FilterOperator::Equal;
    }
    void operatorsPerType()
    {
        QFETCH(FilterFieldType, type);
        QFETCH(int, count);
        QFETCH(FilterOperator, preselected);
        const QList<FilterOperator> ops = DBFilterBuilder::operatorsFor(type);
        QCOMPARE(ops.size(), count);
        for (int i = 0; i < ops.size(); ++i)
            QCOMPARE(int(ops.at(i)), i);
        QCOMPARE(DBFilterBuilder::defaultOperator(type), preselected);
    }

    void operatorAndConjunctionTexts()
    {
        const QStringList texts{"等于", "不等于",     "大于", "大于或等于", "小于", "小于或等于",
                                "始于", "并非起始于", "止于", "并非结束于", "包含", "不包含"};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(DBFilterBuilder::operatorText(FilterOperator(i)), texts.at(i));
        QCOMPARE(DBFilterBuilder::conjunctionText(FilterConjunction::And), QStringLiteral("并且"));
        QCOMPARE(DBFilterBuilder::conjunctionText(FilterConjunction::Or), QStringLiteral("或者"));
    }

    void numericValueCheck_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("abc") << "abc" << false;
        QTest::newRow("exactly 0") << "0" << true;
        QTest::newRow("0.0 reads as zero") << "0.0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("12") << "12" << true;
        QTest::newRow("-3.5") << "-3.5" << true;
        QTest::newRow("1e3") << "1e3" << true;
        QTest::newRow("inf") << "inf" << false;
        QTest::newRow("nan") << "nan" << false;
        QTest::newRow("12abc") << "12abc" << false;
    }
    void numericValueCheck()
    {
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        QCOMPARE(DBFilterBuilder::isAcceptableNumber(value), accepted);
    }

    void offeredFieldsFollowTheDatasetOrder()
    {
        const QList<FilterField> dataset{{"BookID", "编号", FilterFieldType::Number},
                                         {"Title", "题名", FilterFieldType::Text},
                                         {"Author", "责任者", FilterFieldType::Text},
                                         {"Cover", "封面", FilterFieldType::Blob}};
        const QList<FilterField> offered =
            DBFilterBuilder::offeredFields(dataset, QStringLiteral("author;TITLE;Missing"));
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered.at(0).name, QStringLiteral("Title"));
        QCOMPARE(offered.at(1).name, QStringLiteral("Author"));
        QVERIFY(DBFilterBuilder::offeredFields(dataset, QString()).isEmpty());
    }

    void listLines()
    {
        const FilterCondition a =
            cond(FilterConjunction::And, FilterOperator::Contains, "红楼", "Title", "题名");
        const FilterCondition b =
            cond(FilterConjunction::Or, FilterOperator::BeginsWith, "曹", "Author", "责任者");
        QCOMPARE(DBFilterBuilder::displayText(a, true), QStringLiteral("题名 包含 红楼 。"));
        QCOMPARE(DBFilterBuilder::displayText(b, false), QStringLiteral("或者 责任者 始于 曹 。"));
        QCOMPARE(b.entryText(), QStringLiteral("1;6;曹"));
    }
};

QTEST_GUILESS_MAIN(TestDBFilter)
#include "tst_dbfilter.moc"
