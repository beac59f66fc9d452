#include "core/DBFilterBuilder.h"
#include "tests/support/TestDatabase.h"

#include <QtTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::FilterFieldType)
Q_DECLARE_METATYPE(dedizo::FilterOperator)

// The conditions the builder writes run on the real databases and find the rows meant.
class TestDBFilterDb : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        Connection& c = m_db->connection();
        c.execute(QStringLiteral("CREATE TABLE FilterProbe_tmp (ID INTEGER, Title VARCHAR(50), "
                                 "Price NUMERIC(10,2), RegDate DATE, IsOut SMALLINT)"));
        const QStringList rows{
            QStringLiteral("1, 'O''Brien 的书', 12.50, '2024-01-04', 1"),
            QStringLiteral("2, '红楼梦', 30.00, '2024-01-05', 0"),
            QStringLiteral("3, 'Abc 入门', 0, '2024-02-01', 1"),
            QStringLiteral("4, '红与黑', 8.00, '2023-12-31', 0"),
        };
        for (const QString& r : rows)
            c.execute(
                QStringLiteral("INSERT INTO FilterProbe_tmp (ID, Title, Price, RegDate, IsOut) VALUES (") +
                r + QLatin1Char(')'));
    }
    void cleanup() { m_db.reset(); }

    void conditionsFindTheirRows_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<FilterFieldType>("type");
        QTest::addColumn<FilterOperator>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("ids");
        using T = FilterFieldType;
        using O = FilterOperator;
        QTest::newRow("quote in a LIKE value") << "Title" << T::Text << O::Contains << "O'Brien"
                                               << "1";
        QTest::newRow("quote in an equal value") << "Title" << T::Text << O::Equal << "O'Brien 的书"
                                                 << "1";
        QTest::newRow("始于 Chinese") << "Title" << T::Text << O::BeginsWith << "红"
                                      << "2,4";
        QTest::newRow("不包含") << "Title" << T::Text << O::NotContains << "红"
                                << "1,3";
        QTest::newRow("始于 ignores letter case") << "Title" << T::Text << O::BeginsWith << "abc"
                                                  << "3";
        QTest::newRow("number >") << "Price" << T::Number << O::Greater << "12"
                                  << "1,2";
        QTest::newRow("number = 0") << "Price" << T::Number << O::Equal << "0"
                                    << "3";
        QTest::newRow("date from the picker, =") << "RegDate" << T::Date << O::Equal << "2024/01/05"
                                                 << "2";
        QTest::newRow("date from the picker, >=") << "RegDate" << T::Date << O::GreaterOrEqual << "2024/01/05"
                                                  << "2,3";
        QTest::newRow("date from the picker, <") << "RegDate" << T::Date << O::Less << "2024/01/01"
                                                 << "4";
        QTest::newRow("boolean 是") << "IsOut" << T::Boolean << O::Equal << "是"
                                    << "1,3";
        QTest::newRow("boolean 否") << "IsOut" << T::Boolean << O::Equal << "否"
                                    << "2,4";
    }
    void conditionsFindTheirRows()
    {
        QFETCH(QString, field);
        QFETCH(FilterFieldType, type);
        QFETCH(FilterOperator, op);
        QFETCH(QString, value);
        QFETCH(QString, ids);
        DBFilterBuilder b; // the literals of the main connection
        b.add(FilterCondition{FilterConjunction::And, op, value, FilterField{field, field, type}});
        QSqlQuery q = m_db->connection().select(QStringLiteral("SELECT ID FROM FilterProbe_tmp WHERE ") +
                                                b.GetFilter() + QStringLiteral(" ORDER BY ID"));
        QStringList found;
        while (q.next())
            found << q.value(0).toString();
        QCOMPARE(found.join(QLatin1Char(',')), ids);
    }

    void joinedConditions()
    {
        DBFilterBuilder b;
        b.add({FilterConjunction::And, FilterOperator::Contains, QStringLiteral("梦"),
               FilterField{QStringLiteral("Title"), QStringLiteral("题名"), FilterFieldType::Text}});
        b.add({FilterConjunction::Or, FilterOperator::BeginsWith, QStringLiteral("O'"),
               FilterField{QStringLiteral("Title"), QStringLiteral("题名"), FilterFieldType::Text}});
        b.add({FilterConjunction::And, FilterOperator::Less, QStringLiteral("20"),
               FilterField{QStringLiteral("Price"), QStringLiteral("价格"), FilterFieldType::Number}});
        QCOMPARE(m_db->connection()
                     .scalar(QStringLiteral("SELECT COUNT(*) FROM FilterProbe_tmp WHERE ") + b.GetFilter())
                     .toInt(),
                 2);
        b.clear();
        QCOMPARE(m_db->connection()
                     .scalar(QStringLiteral("SELECT COUNT(*) FROM FilterProbe_tmp WHERE ") + b.GetFilter())
                     .toInt(),
                 4);
    }
};

QTEST_GUILESS_MAIN(TestDBFilterDb)
#include "tst_dbfilter_db.moc"
