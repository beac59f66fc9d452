#include "app/SampleData.h"

#include "core/Connection.h"

namespace dedizo::SampleData {

namespace {

QString q(const QString& text)
{
    return SqlDialect::quote(text);
}

int lastKey(Connection& c, const QString& table, const QString& key)
{
    return c.scalar(QStringLiteral("SELECT MAX(%1) FROM %2").arg(key, table)).toInt();
}

} // namespace

int addBook(Connection& c, const QString& name, const QString& author, const QString& publisher,
            const QString& isbn)
{
    c.execute(
        QStringLiteral("INSERT INTO Books_tab (ISBNISSN, BookName, Author, Publisher, BookType, TotalCount, "
                       "LoanCount, RegDate, Operator) VALUES (%1, %2, %3, %4, '图书', 0, 0, %5, 'Admin')")
            .arg(q(isbn), q(name), q(author), q(publisher), c.dialect().dateLiteral(QDate::currentDate())));
    return lastKey(c, QStringLiteral("Books_tab"), QStringLiteral("BookID"));
}

int addCopy(Connection& c, int bookId, const QString& barcode, const QString& room)
{
    c.execute(
        QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookRoom, RegDate, Operator) "
                       "VALUES (%1, %2, '可借', %3, %4, 'Admin')")
            .arg(bookId)
            .arg(q(barcode), q(room), c.dialect().dateLiteral(QDate::currentDate())));
    c.execute(
        QStringLiteral("UPDATE Books_tab SET TotalCount = TotalCount + 1 WHERE BookID = %1").arg(bookId));
    return lastKey(c, QStringLiteral("Copies_tab"), QStringLiteral("CopyID"));
}

int addReader(Connection& c, const QString& name, const QString& code, const QString& room)
{
    const int category = c.scalar(QStringLiteral("SELECT MIN(ReaderCateID) FROM ReaderCate_tab")).toInt();
    c.execute(QStringLiteral(
                  "INSERT INTO Readers_tab (ReaderName, ReaderCode, CardID, ReaderCateID, Sex, HomePhone, "
                  "RegDate, Operator) VALUES (%1, %2, %2, %3, 1, %4, %5, 'Admin')")
                  .arg(q(name), q(code))
                  .arg(category)
                  .arg(q(room), c.dialect().dateLiteral(QDate::currentDate())));
    return lastKey(c, QStringLiteral("Readers_tab"), QStringLiteral("ReaderID"));
}

int addLoan(Connection& c, int copyId, int readerId, const QDate& loanDate, const QDate& dueDate)
{
    const int bookId =
        c.scalar(QStringLiteral("SELECT BookID FROM Copies_tab WHERE CopyID = %1").arg(copyId)).toInt();
    c.execute(QStringLiteral("INSERT INTO LoanList_tab (CopyID, BookID, ReaderID, LoanDate, LoanTime, "
                             "ShouldReturnDate, ReLoanTimes, IsReturn, LoanOperator) "
                             "VALUES (%1, %2, %3, %4, '09:30:00', %5, 0, 0, 'Admin')")
                  .arg(copyId)
                  .arg(bookId)
                  .arg(readerId)
                  .arg(c.dialect().dateLiteral(loanDate), c.dialect().dateLiteral(dueDate)));
    c.execute(QStringLiteral("UPDATE Copies_tab SET BookState = '借出' WHERE CopyID = %1").arg(copyId));
    c.execute(QStringLiteral("UPDATE Books_tab SET LoanCount = LoanCount + 1 WHERE BookID = %1").arg(bookId));
    return lastKey(c, QStringLiteral("LoanList_tab"), QStringLiteral("LoanListID"));
}

bool insertSampleLibrary(Connection& c, const QDate& today)
{
    if (c.scalar(QStringLiteral("SELECT COUNT(*) FROM Books_tab")).toInt() > 0)
        return false;
    inTransaction(c, [&] {
        const QString room = QStringLiteral("第一书室");
        const int b1 = addBook(c, QStringLiteral("红楼梦"), QStringLiteral("曹雪芹"),
                               QStringLiteral("人民文学出版社"), QStringLiteral("9787020002207"));
        const int b2 = addBook(c, QStringLiteral("三国演义"), QStringLiteral("罗贯中"),
                               QStringLiteral("人民文学出版社"), QStringLiteral("9787020008735"));
        const int b3 = addBook(c, QStringLiteral("平凡的世界"), QStringLiteral("路遥"),
                               QStringLiteral("北京十月文艺出版社"), QStringLiteral("9787530216781"));
        const int c1 = addCopy(c, b1, QStringLiteral("A000001"), room);
        addCopy(c, b1, QStringLiteral("A000002"), room);
        const int c3 = addCopy(c, b2, QStringLiteral("A000003"), room);
        addCopy(c, b2, QStringLiteral("A000004"), room);
        addCopy(c, b3, QStringLiteral("A000005"), room);
        addCopy(c, b3, QStringLiteral("A000006"), room);
        const int r1 = addReader(c, QStringLiteral("张明"), QStringLiteral("R0001"), room);
        const int r2 = addReader(c, QStringLiteral("李华"), QStringLiteral("R0002"), room);
        addReader(c, QStringLiteral("王芳"), QStringLiteral("R0003"), room);
        addLoan(c, c1, r1, today.addDays(-40), today.addDays(-10));
        addLoan(c, c3, r2, today.addDays(-3), today.addDays(27));
    });
    return true;
}

} // namespace dedizo::SampleData
