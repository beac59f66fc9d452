#include "core/SQLBuilder.h"

#include <QtTest>

using namespace dedizo;

namespace {
const QString kSel = QStringLiteral("SELECT * FROM Books_view");
const QString kRoom = QStringLiteral("BookRoom = '一室'");
QString whereLine(const QString& rest)
{
    return QStringLiteral("WHERE ") + rest;
}
QString fixed(const QString& user, const QString& fixedCondition)
{
    return QStringLiteral("WHERE ") + user + SQLBuilder::separator() + fixedCondition;
}
} // namespace

// The list query layout: select, WHERE with user and fixed condition, ORDER BY.
class TestSqlBuilder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void separatorIsFiveBlanksAndFiveBlanks()
    {
        QCOMPARE(SQLBuilder::separator(), QStringLiteral("     AND     "));
    }

    void sql_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("orderBy");
        QTest::addColumn<QString>("fixedCondition");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fixed condition only: two lines")
            << kSel << QString() << QString() << kRoom << QStringList{kSel, fixed("1=1", kRoom)};
        QTest::newRow("nothing") << kSel << QString() << QString() << QString()
                                 << QStringList{kSel, whereLine("1=1")};
        QTest::newRow("blank parts count as absent")
            << kSel << QStringLiteral("  ") << QStringLiteral(" ") << QStringLiteral("   ")
            << QStringList{kSel, whereLine("1=1")};
        QTest::newRow("condition and order")
            << kSel << QStringLiteral("BookName = 'x'") << QStringLiteral("BookID") << QString()
            << QStringList{kSel, whereLine("BookName = 'x'"), QStringLiteral("ORDER BY BookID")};
        QTest::newRow("condition, order and fixed")
            << kSel << QStringLiteral("BookName = 'x'") << QStringLiteral("BookID") << kRoom
            << QStringList{kSel, fixed("(BookName = 'x')", kRoom), QStringLiteral("ORDER BY BookID")};
        QTest::newRow("an OR filter stays inside the fixed condition")
            << kSel << QStringLiteral("A = 1 OR B = 2") << QString() << kRoom
            << QStringList{kSel, fixed("(A = 1 OR B = 2)", kRoom)};
        QTest::newRow("an enclosed condition is not wrapped twice")
            << kSel << QStringLiteral("(A = 1 OR B = 2)") << QString() << kRoom
            << QStringList{kSel, fixed("(A = 1 OR B = 2)", kRoom)};
        QTest::newRow("select over several lines")
            << QStringLiteral("SELECT a,\n b FROM t") << QString() << QStringLiteral("a DESC") << QString()
            << QStringList{QStringLiteral("SELECT a,"), QStringLiteral(" b FROM t"), whereLine("1=1"),
                           QStringLiteral("ORDER BY a DESC")};
    }
    void sql()
    {
        QFETCH(QString, select);
        QFETCH(QString, condition);
        QFETCH(QString, orderBy);
        QFETCH(QString, fixedCondition);
        QFETCH(QStringList, expected);
        QCOMPARE(SQLBuilder::SQL(select, condition, orderBy, fixedCondition),
                 expected.join(QLatin1Char('\n')));
    }

    void selectList_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("expected");
        const QStringList books{kSel, QStringLiteral("WHERE 1=1"), QStringLiteral("ORDER BY BookID")};
        QTest::newRow("distinct list")
            << books << QStringLiteral("DISTINCT BookName")
            << QStringList{QStringLiteral("SELECT DISTINCT BookName FROM Books_view"), books[1], books[2]};
        QTest::newRow("empty list gives *")
            << QStringList{QStringLiteral("SELECT BookName, Author FROM Books_view")} << QString()
            << QStringList{kSel};
        QTest::newRow("nested select: only the outer list changes")
            << QStringList{QStringLiteral("SELECT * FROM ( SELECT a, DATEDIFF(DAY, b, c) AS d FROM t ) AS X"),
                           QStringLiteral("WHERE d > 0")}
            << QStringLiteral("SUM(d)")
            << QStringList{
                   QStringLiteral("SELECT SUM(d) FROM ( SELECT a, DATEDIFF(DAY, b, c) AS d FROM t ) AS X"),
                   QStringLiteral("WHERE d > 0")};
        QTest::newRow("list spanning lines is replaced across them")
            << QStringList{QStringLiteral("SELECT a,"), QStringLiteral("  b FROM t"),
                           QStringLiteral("WHERE 1=1")}
            << QStringLiteral("COUNT(*)")
            << QStringList{QStringLiteral("SELECT COUNT(*) FROM t"), QStringLiteral("WHERE 1=1")};
        QTest::newRow("FROM inside the WHERE line is not the first")
            << QStringList{kSel, QStringLiteral("WHERE BookID IN(SELECT BookID FROM Copies_tab)")}
            << QStringLiteral("BookID")
            << QStringList{QStringLiteral("SELECT BookID FROM Books_view"),
                           QStringLiteral("WHERE BookID IN(SELECT BookID FROM Copies_tab)")};
        QTest::newRow("lower-case select is left alone")
            << QStringList{QStringLiteral("select * FROM t")} << QStringLiteral("a")
            << QStringList{QStringLiteral("select * FROM t")};
        QTest::newRow("lower-case from is not recognised")
            << QStringList{QStringLiteral("SELECT * from t")} << QStringLiteral("a")
            << QStringList{QStringLiteral("SELECT * from t")};
        QTest::newRow("not a select") << QStringList{QStringLiteral("EXEC ListBooks")} << QStringLiteral("a")
                                      << QStringList{QStringLiteral("EXEC ListBooks")};
    }
    void selectList()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, list);
        QFETCH(QStringList, expected);
        SQLBuilder::SelectList(lines, list);
        QCOMPARE(lines, expected);
    }

    void where_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("new condition keeps the fixed part")
            << QStringList{kSel, fixed("1=1", kRoom)} << QStringLiteral("BookName LIKE '%a%'")
            << QStringList{kSel, fixed("(BookName LIKE '%a%')", kRoom)};
        QTest::newRow("no condition restores 1=1 before the fixed part")
            << QStringList{kSel, fixed("(BookName LIKE '%a%')", kRoom)} << QString()
            << QStringList{kSel, fixed("1=1", kRoom)};
        QTest::newRow("without a fixed part the condition is written as is")
            << QStringList{kSel, whereLine("1=1"), QStringLiteral("ORDER BY BookID")}
            << QStringLiteral("A = 1 OR B = 2")
            << QStringList{kSel, whereLine("A = 1 OR B = 2"), QStringLiteral("ORDER BY BookID")};
        QTest::newRow("an OR filter cannot escape the fixed part")
            << QStringList{kSel, fixed("1=1", kRoom)} << QStringLiteral("A = 1 OR B = 2")
            << QStringList{kSel, fixed("(A = 1 OR B = 2)", kRoom)};
        QTest::newRow("a separator typed into a filter value keeps the fixed part")
            << QStringList{kSel, fixed("(Name = 'x     AND     y')", kRoom)} << QStringLiteral("A = 1")
            << QStringList{kSel, fixed("(A = 1)", kRoom)};
        QTest::newRow("no WHERE line: nothing")
            << QStringList{kSel} << QStringLiteral("A = 1") << QStringList{kSel};
        QTest::newRow("lower-case where is not recognised")
            << QStringList{kSel, QStringLiteral("where 1=1")} << QStringLiteral("A = 1")
            << QStringList{kSel, QStringLiteral("where 1=1")};
        QTest::newRow("only the first WHERE line")
            << QStringList{kSel, whereLine("1=1"), whereLine("2=2")} << QStringLiteral("A = 1")
            << QStringList{kSel, whereLine("A = 1"), whereLine("2=2")};
    }
    void where()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, condition);
        QFETCH(QStringList, expected);
        SQLBuilder::Where(lines, condition);
        QCOMPARE(lines, expected);
    }

    void whereAlways_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("fixedCondition");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing on a line without the separator leaves it unchanged")
            << QStringList{kSel, whereLine("A = 1 OR B = 2")} << QString()
            << QStringList{kSel, whereLine("A = 1 OR B = 2")};
        QTest::newRow("added to 1=1")
            << QStringList{kSel, whereLine("1=1")} << kRoom << QStringList{kSel, fixed("1=1", kRoom)};
        QTest::newRow("added to an OR condition, which gets parentheses")
            << QStringList{kSel, whereLine("A = 1 OR B = 2")} << kRoom
            << QStringList{kSel, fixed("(A = 1 OR B = 2)", kRoom)};
        QTest::newRow("two groups joined by OR are not one group")
            << QStringList{kSel, whereLine("(A = 1) OR (B = 2)")} << kRoom
            << QStringList{kSel, fixed("((A = 1) OR (B = 2))", kRoom)};
        QTest::newRow("a parenthesis inside a literal does not close the group")
            << QStringList{kSel, whereLine("(Name = ')' OR B = 2)")} << kRoom
            << QStringList{kSel, fixed("(Name = ')' OR B = 2)", kRoom)};
        QTest::newRow("replaced") << QStringList{kSel, fixed("(A = 1)", kRoom)}
                                  << QStringLiteral("BookRoom = '二室'")
                                  << QStringList{kSel, fixed("(A = 1)", "BookRoom = '二室'")};
        QTest::newRow("removed") << QStringList{kSel, fixed("(A = 1)", kRoom),
                                                QStringLiteral("ORDER BY BookID")}
                                 << QString()
                                 << QStringList{kSel, whereLine("(A = 1)"),
                                                QStringLiteral("ORDER BY BookID")};
        QTest::newRow("removed, then added again without doubling the parentheses")
            << QStringList{kSel, whereLine("(A = 1 OR B = 2)")} << kRoom
            << QStringList{kSel, fixed("(A = 1 OR B = 2)", kRoom)};
        QTest::newRow("no WHERE line: nothing") << QStringList{kSel} << kRoom << QStringList{kSel};
    }
    void whereAlways()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, fixedCondition);
        QFETCH(QStringList, expected);
        SQLBuilder::WhereAlways(lines, fixedCondition);
        QCOMPARE(lines, expected);
    }

    void orderBy_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("orderBy");
        QTest::addColumn<QStringList>("expected");
        const QStringList plain{kSel, whereLine("1=1")};
        QTest::newRow("empty list without ORDER BY line changes nothing") << plain << QString() << plain;
        QTest::newRow("appended") << plain << QStringLiteral("BookName, RegDate DESC")
                                  << (plain + QStringList{QStringLiteral("ORDER BY BookName, RegDate DESC")});
        QTest::newRow("replaced") << (plain + QStringList{QStringLiteral("ORDER BY BookID")})
                                  << QStringLiteral("BookName DESC")
                                  << (plain + QStringList{QStringLiteral("ORDER BY BookName DESC")});
        QTest::newRow("removed by an empty list")
            << (plain + QStringList{QStringLiteral("ORDER BY BookID")}) << QString() << plain;
        QTest::newRow("lower-case order by is not recognised")
            << (plain + QStringList{QStringLiteral("order by BookID")}) << QStringLiteral("BookName")
            << (plain + QStringList{QStringLiteral("order by BookID"), QStringLiteral("ORDER BY BookName")});
    }
    void orderBy()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, orderBy);
        QFETCH(QStringList, expected);
        SQLBuilder::OrderBy(lines, orderBy);
        QCOMPARE(lines, expected);
    }

    // A grid's distinct value list: copy of the list query, own select list,
    // its own condition in place of the user's filters, the fixed condition kept.
    void distinctValueListKeepsTheFixedCondition()
    {
        QStringList lines =
            SQLBuilder::SQL(kSel, QStringLiteral("Author = 'x'"), QStringLiteral("BookID"), kRoom)
                .split(QLatin1Char('\n'));
        SQLBuilder::SelectList(lines, QStringLiteral("DISTINCT BookName"));
        SQLBuilder::Where(lines, QStringLiteral("BookName IS NOT NULL"));
        SQLBuilder::OrderBy(lines, QStringLiteral("BookName"));
        QCOMPARE(lines,
                 (QStringList{QStringLiteral("SELECT DISTINCT BookName FROM Books_view"),
                              fixed("(BookName IS NOT NULL)", kRoom), QStringLiteral("ORDER BY BookName")}));
    }
};

QTEST_APPLESS_MAIN(TestSqlBuilder)
#include "tst_sqlbuilder.moc"
