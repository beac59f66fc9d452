#include "core/Connection.h"
#include "tests/support/TestDatabase.h"

#include <QSqlRecord>
#include <QtTest>

using namespace dedizo;

// Dialect texts run against a real database of the kind under test.
class TestDialectDb : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    Connection& c() { return m_db->connection(); }
    const SqlDialect& d() { return c().dialect(); }
    QDate today() { return QDate::currentDate(); }

    int insertCopy(int bookId, const QString& barcode, const QString& callNumber)
    {
        c().execute(QStringLiteral(
                        "INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookCode) VALUES (?,?,?,?)"),
                    {bookId, barcode, QStringLiteral("可借"), callNumber});
        return c().scalar(QStringLiteral("SELECT MAX(CopyID) FROM Copies_tab")).toInt();
    }
    void insertLoan(int copyId, const QDate& loanDate, const QDate& due)
    {
        c().execute(
            QStringLiteral("INSERT INTO LoanList_tab (CopyID, BookID, ReaderID, LoanDate, LoanTime, "
                           "ShouldReturnDate, LoanOperator) VALUES (%1, 1, 1, %2, '10:00:00', %3, 'Admin')")
                .arg(copyId)
                .arg(d().dateLiteral(loanDate), d().dateLiteral(due)));
    }

private Q_SLOTS:
    void init() { m_db = std::make_unique<test::TestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void overdueDaysAgreeOnEveryKind_data()
    {
        QTest::addColumn<int>("dueOffset");
        QTest::addColumn<int>("expected");
        QTest::newRow("due yesterday") << -1 << 1;
        QTest::newRow("due three days ago") << -3 << 3;
        QTest::newRow("due today") << 0 << 0;
        QTest::newRow("due in two days") << 2 << -2;
    }
    void overdueDaysAgreeOnEveryKind()
    {
        QFETCH(int, dueOffset);
        QFETCH(int, expected);
        insertLoan(insertCopy(1, QStringLiteral("B1"), QString()), today().addDays(-20),
                   today().addDays(dueOffset));
        const QVariant days =
            c().scalar(QStringLiteral("SELECT %1 FROM LoanList_tab").arg(d().overdueDaysExpression()));
        QCOMPARE(days.toInt(), expected);
    }

    void returnedLoanCountsToItsReturnDate()
    {
        insertLoan(insertCopy(1, QStringLiteral("B1"), QString()), today().addDays(-30),
                   today().addDays(-10));
        c().execute(QStringLiteral("UPDATE LoanList_tab SET IsReturn = 1, FactReturnDate = %1")
                        .arg(d().dateLiteral(today().addDays(-4))));
        QCOMPARE(c().scalar(QStringLiteral("SELECT %1 FROM LoanList_tab").arg(d().overdueDaysExpression()))
                     .toInt(),
                 6);
    }

    void betweenAndComparisonsWithLiterals()
    {
        const QDate base(2026, 3, 10);
        for (int i = 0; i < 5; ++i)
            insertLoan(insertCopy(1, QStringLiteral("B%1").arg(i), QString()), base.addDays(i),
                       base.addDays(i + 30));
        auto count = [&](const QString& where) {
            return c().scalar(QStringLiteral("SELECT COUNT(*) FROM LoanList_tab WHERE ") + where).toInt();
        };
        QCOMPARE(count(QStringLiteral("LoanDate BETWEEN %1 AND %2")
                           .arg(d().dateLiteral(base.addDays(1)), d().dateLiteral(base.addDays(3)))),
                 3);
        QCOMPARE(count(QStringLiteral("ShouldReturnDate <= %1").arg(d().dateLiteral(base.addDays(31)))), 2);
        QCOMPARE(
            count(QStringLiteral("LoanDate = %1").arg(d().dateTimeLiteral(QDateTime(base, QTime(0, 0))))), 1);
    }

    void dateArithmetic()
    {
        insertLoan(insertCopy(1, QStringLiteral("B1"), QString()), QDate(2026, 2, 25), QDate(2026, 2, 27));
        c().execute(QStringLiteral("UPDATE LoanList_tab SET ShouldReturnDate = %1")
                        .arg(d().addDays(QStringLiteral("ShouldReturnDate"), QStringLiteral("5"))));
        const QVariant due = c().scalar(QStringLiteral("SELECT ShouldReturnDate FROM LoanList_tab"));
        QCOMPARE(QDate::fromString(due.toString().left(10), Qt::ISODate), QDate(2026, 3, 4));
        QCOMPARE(c().scalar(QStringLiteral("SELECT %1 FROM LoanList_tab")
                                .arg(d().dayDifference(QStringLiteral("LoanDate"),
                                                       QStringLiteral("ShouldReturnDate"))))
                     .toInt(),
                 7);
        QCOMPARE(c().scalar(QStringLiteral("SELECT %1 FROM LoanList_tab")
                                .arg(d().addDays(QStringLiteral("LoanDate"), QStringLiteral("-26"))))
                     .toString()
                     .left(10),
                 QStringLiteral("2026-01-30"));
    }

    void callNumberMaximum_data()
    {
        QTest::addColumn<QStringList>("callNumbers");
        QTest::addColumn<int>("expected");
        QTest::newRow("none") << QStringList{} << 0;
        QTest::newRow("plain numbers")
            << QStringList{QStringLiteral("TP311/1"), QStringLiteral("TP311/12"), QStringLiteral("TP311/3")}
            << 12;
        QTest::newRow("digits up to the first non-digit")
            << QStringList{QStringLiteral("TP311/7:2"), QStringLiteral("TP311/5-1")} << 7;
        QTest::newRow("other classes ignored")
            << QStringList{QStringLiteral("TP3/99"), QStringLiteral("TP3111/50"), QStringLiteral("TP311/2")}
            << 2;
    }
    void callNumberMaximum()
    {
        QFETCH(QStringList, callNumbers);
        QFETCH(int, expected);
        int n = 0;
        for (const QString& cn : callNumbers)
            insertCopy(1, QStringLiteral("X%1").arg(++n), cn);
        QCOMPARE(c().scalar(d().callNumberMaxQuery(QStringLiteral("TP311"))).toInt(), expected);
    }

    void statementsRun()
    {
        insertCopy(1, QStringLiteral("B1"), QString());
        insertCopy(2, QStringLiteral("B2"), QString());
        QCOMPARE(c().scalar(d().selectTop(1, QStringLiteral("CopyID FROM Copies_tab ORDER BY ") +
                                                 d().randomOrder()))
                     .isValid(),
                 true);
        c().execute(QStringLiteral("INSERT INTO Bylaw_tab (BylawTitle, BylawContent) VALUES ('t', 'c')"));
        QCOMPARE(
            c().scalar(
                   QStringLiteral("SELECT %1 FROM Bylaw_tab").arg(d().nullToEmpty(QStringLiteral("Memo"))))
                .toString(),
            QString());
        c().execute(QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, CateCode) VALUES "
                                   "('b', 'a', '图书', 'TP311')"));
        c().execute(
            QStringLiteral("INSERT INTO BookCate_tab (BookCateParentID, BookCateCode, BookCateName) VALUES "
                           "(0, 'TP311', '程序设计')"));
        c().execute(QStringLiteral("UPDATE Books_tab ") +
                    d().updateSecondTable(QStringLiteral("BookCate_tab")) +
                    QStringLiteral(" SET CateName = BookCateName ") +
                    d().updateFromPart(QStringLiteral("BookCate_tab")) +
                    QStringLiteral(" WHERE CateCode = BookCateCode "));
        QCOMPARE(c().scalar(QStringLiteral("SELECT CateName FROM Books_tab")).toString(),
                 QStringLiteral("程序设计"));
        c().execute(d().emptyTable(QStringLiteral("Copies_tab")));
        QCOMPARE(c().scalar(QStringLiteral("SELECT COUNT(*) FROM Copies_tab")).toInt(), 0);
    }

    void explicitKeysThenIdentityContinues()
    {
        for (const QString& s : d().identityInsertBegin(QStringLiteral("ReaderCate_tab")))
            c().execute(s);
        c().execute(
            QStringLiteral("INSERT INTO ReaderCate_tab (ReaderCateID, ReaderCateName) VALUES (40, '教师')"));
        for (const QString& s :
             d().identityInsertEnd(QStringLiteral("ReaderCate_tab"), QStringLiteral("ReaderCateID")))
            c().execute(s);
        c().execute(QStringLiteral("INSERT INTO ReaderCate_tab (ReaderCateName) VALUES ('学生')"));
        QVERIFY(c().scalar(QStringLiteral(
                               "SELECT ReaderCateID FROM ReaderCate_tab WHERE ReaderCateName = '学生'"))
                    .toInt() > 40);
    }

    void copiesJoinOffersTheDuplicateColumns()
    {
        c().execute(QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, Operator) VALUES "
                                   "('b', 'a', '图书', 'bookop')"));
        const int bookId = c().scalar(QStringLiteral("SELECT MAX(BookID) FROM Books_tab")).toInt();
        c().execute(QStringLiteral(
                        "INSERT INTO Copies_tab (BookID, BookBarCode, Operator) VALUES (%1, 'B1', 'copyop')")
                        .arg(bookId));
        QSqlQuery q = c().select(d().copiesJoinSelect());
        QVERIFY(q.next());
        const QSqlRecord r = q.record();
        QCOMPARE(q.value(r.indexOf(QStringLiteral("Copies_tab.BookID"))).toInt(), bookId);
        QCOMPARE(q.value(r.indexOf(QStringLiteral("Copies_tab.Operator"))).toString(),
                 QStringLiteral("copyop"));
        QCOMPARE(q.value(r.indexOf(QStringLiteral("Books_tab.Operator"))).toString(),
                 QStringLiteral("bookop"));
    }

    void likeIgnoresCaseForSearches()
    {
        c().execute(QStringLiteral("INSERT INTO Books_tab (BookName, BookInputCode, Author, BookType) VALUES "
                                   "('物权法', 'WQF', 'a', '图书')"));
        QCOMPARE(c().scalar(QStringLiteral("SELECT COUNT(*) FROM Books_tab WHERE BookInputCode %1 'wq%'")
                                .arg(d().likeOperator()))
                     .toInt(),
                 1);
    }
};

QTEST_GUILESS_MAIN(TestDialectDb)
#include "tst_dialect_db.moc"
