#include "schema/ColumnCatalog.h"
#include "schema/SchemaInstaller.h"
#include "tests/support/TestDatabase.h"

#include <QSqlRecord>
#include <QtTest>

using namespace dedizo;

class TestSchema : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }

private Q_SLOTS:
    void init() { m_db = std::make_unique<test::TestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void loanDefaults()
    {
        c().execute(
            QStringLiteral("INSERT INTO LoanList_tab(CopyID, BookID, ReaderID, LoanDate, LoanTime, "
                           "ShouldReturnDate, LoanOperator) VALUES (1, 1, 1, %1, '09:30:00', %2, 'Admin')")
                .arg(c().dialect().dateLiteral(QDate(2026, 5, 1)),
                     c().dialect().dateLiteral(QDate(2026, 5, 31))));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM LoanList_tab WHERE IsReturn = 0")), 1);
        QCOMPARE(count(QStringLiteral("SELECT ReLoanTimes FROM LoanList_tab")), 0);
        QVERIFY(c().scalar(QStringLiteral("SELECT FactReturnDate FROM LoanList_tab")).isNull());
        c().execute(QStringLiteral("UPDATE LoanList_tab SET ReLoanTimes = ReLoanTimes + 1"));
        QCOMPARE(count(QStringLiteral("SELECT ReLoanTimes FROM LoanList_tab")), 1);
    }

    void remainCountInBooksView()
    {
        c().execute(QStringLiteral(
            "INSERT INTO Books_tab (BookName, Author, BookType) VALUES ('新书', 'a', '图书')"));
        QCOMPARE(count(QStringLiteral("SELECT TotalCount FROM Books_tab")), 0);
        QCOMPARE(count(QStringLiteral("SELECT LoanCount FROM Books_tab")), 0);
        c().execute(QStringLiteral("UPDATE Books_tab SET TotalCount = 3, LoanCount = 1"));
        QCOMPARE(count(QStringLiteral("SELECT RemainCount FROM Books_view")), 2);
        QSqlQuery q = c().select(QStringLiteral("SELECT * FROM Books_view"));
        QSqlRecord r = q.record();
        QCOMPARE(r.indexOf(QStringLiteral("RemainCount")), r.indexOf(QStringLiteral("LoanCount")) + 1);
    }

    void readerCodesAndViewColumns()
    {
        const int cate = count(QStringLiteral("SELECT MIN(ReaderCateID) FROM ReaderCate_tab"));
        for (int i = 0; i < 2; ++i)
            c().execute(
                QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, ReaderCateID, Sex) VALUES "
                               "('读者%1', '', %2, 1)")
                    .arg(i)
                    .arg(cate));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_view WHERE ReaderCode = ''")), 2);
        QCOMPARE(c().scalar(QStringLiteral("SELECT ReaderCateName FROM Readers_view")).toString(),
                 QStringLiteral("普通读者"));
        QSqlRecord r = c().select(QStringLiteral("SELECT * FROM Readers_view")).record();
        QCOMPARE(r.indexOf(QStringLiteral("ReaderCateName")), r.indexOf(QStringLiteral("ReaderCateID")) + 1);
    }

    void loanListViewServesTheRankings()
    {
        const int cate = count(QStringLiteral("SELECT MIN(ReaderCateID) FROM ReaderCate_tab"));
        c().execute(
            QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, CardID, ReaderCateID, Sex, "
                           "DeptName) VALUES ('张三', 'R1', 'C1', %1, 1, '一年级')")
                .arg(cate));
        c().execute(QStringLiteral(
            "INSERT INTO Books_tab (BookName, Author, BookType) VALUES ('红楼梦', 'a', '图书')"));
        const QString day = c().dialect().dateLiteral(QDate(2026, 4, 2));
        for (int i = 0; i < 3; ++i)
            c().execute(QStringLiteral(
                            "INSERT INTO LoanList_tab(CopyID, BookID, ReaderID, LoanDate, LoanTime, "
                            "ShouldReturnDate, LoanOperator) VALUES (1, (SELECT MAX(BookID) FROM Books_tab), "
                            "(SELECT MAX(ReaderID) FROM Readers_tab), %1, '09:00:00', %1, 'Admin')")
                            .arg(day));
        const QString from = c().dialect().dateLiteral(QDate(2026, 4, 1));
        const QString to = c().dialect().dateLiteral(QDate(2026, 4, 30));
        QSqlQuery books =
            c().select(QStringLiteral("SELECT COUNT(*)AS LoanCount,BookName,BookType FROM LoanList_view "
                                      "WHERE LoanDate BETWEEN %1 AND %2 GROUP BY BookID,BookName,BookType "
                                      "ORDER BY COUNT(*) DESC")
                           .arg(from, to));
        QVERIFY(books.next());
        QCOMPARE(books.value(0).toInt(), 3);
        QCOMPARE(books.value(1).toString(), QStringLiteral("红楼梦"));
        QSqlQuery readers = c().select(
            QStringLiteral(
                "SELECT COUNT(*)AS LoanCount,ReaderCode,CardID,ReaderName,Sex,ReaderCateName,DeptName FROM "
                "LoanList_view WHERE LoanDate BETWEEN %1 AND %2 AND CopyID IN(SELECT CopyID FROM Copies_tab "
                "WHERE BookRoom = '一室')GROUP BY ReaderID,ReaderCode,CardID,ReaderName,Sex,ReaderCateName,"
                "DeptName ORDER BY COUNT(*) DESC")
                .arg(from, to));
        QVERIFY(!readers.next()); // no copy in that room
        readers = c().select(
            QStringLiteral(
                "SELECT COUNT(*)AS LoanCount,ReaderCode,CardID,ReaderName,Sex,ReaderCateName,DeptName FROM "
                "LoanList_view WHERE LoanDate BETWEEN %1 AND %2 GROUP BY "
                "ReaderID,ReaderCode,CardID,ReaderName,"
                "Sex,ReaderCateName,DeptName ORDER BY COUNT(*) DESC")
                .arg(from, to));
        QVERIFY(readers.next());
        QCOMPARE(readers.value(3).toString(), QStringLiteral("张三"));
        QCOMPARE(readers.value(5).toString(), QStringLiteral("普通读者"));
        QCOMPARE(readers.value(6).toString(), QStringLiteral("一年级"));
    }

    void shippedData()
    {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserFun_tab")), 15);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserFun_tab WHERE IsUsed <> 0")), 15);
        QCOMPARE(c().scalar(QStringLiteral("SELECT FunName FROM UserFun_tab WHERE FunKey = 31")).toString(),
                 QStringLiteral("借书还书续借"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Par_tab")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM BookCate_tab WHERE BookCateParentID = 0")), 22);
        QCOMPARE(c().scalar(QStringLiteral("SELECT BookCateName FROM BookCate_tab WHERE BookCateCode = 'I'"))
                     .toString(),
                 QStringLiteral("文学"));
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM Publishers_tab")) >= 20);
        QCOMPARE(
            c().scalar(QStringLiteral("SELECT PublisherInputCode FROM Publishers_tab WHERE PublisherName = "
                                      "'科学出版社'"))
                .toString(),
            QStringLiteral("KXCBS"));
        for (int cate = 0; cate <= 10; ++cate)
            QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM Items_tab WHERE ItemCate = %1").arg(cate)) >
                    0);
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM ReaderCate_tab WHERE LimitBooksCount > 0 AND LimitDays > 0")),
                 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 0);
    }

    void installRefusesAnExistingDatabase()
    {
        QString error;
        QVERIFY(!SchemaInstaller::install(c(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserFun_tab")), 15);
    }

    void catalogueLabels()
    {
        QCOMPARE(ColumnCatalog::column(QStringLiteral("Readers_tab"), QStringLiteral("ReaderName"))->label,
                 QStringLiteral("读者姓名"));
        QCOMPARE(
            ColumnCatalog::column(QStringLiteral("Readers_view"), QStringLiteral("ReaderCateName"))->label,
            QStringLiteral("读者类别"));
        QCOMPARE(ColumnCatalog::anyColumn(QStringLiteral("cardid"))->label, QStringLiteral("证卡编码"));
        QVERIFY(ColumnCatalog::anyColumn(QStringLiteral("BookID"))->hidden);
        QCOMPARE(ColumnCatalog::canonicalName(QStringLiteral("shouldreturndate")),
                 QStringLiteral("ShouldReturnDate"));
        QCOMPARE(ColumnCatalog::canonicalName(QStringLiteral("copies_tab.regdate")),
                 QStringLiteral("Copies_tab.RegDate"));
        QCOMPARE(ColumnCatalog::baseTableOf(QStringLiteral("books_view")), QStringLiteral("Books_tab"));
        QCOMPARE(ColumnCatalog::table(QStringLiteral("Books_view"))->keyColumn(), QStringLiteral("BookID"));
        // Every table the database holds is in the catalogue, column for column.
        for (const TableDef& t : ColumnCatalog::tables()) {
            const QSqlRecord r =
                c().select(QStringLiteral("SELECT * FROM %1 WHERE 1=0").arg(t.name)).record();
            QCOMPARE(r.count(), t.columns.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
