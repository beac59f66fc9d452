#include "core/QueryTexts.h"

#include "core/DataModule.h"
#include "core/SQLBuilder.h"
#include "core/SqlDialect.h"
#include "core/UserInfo.h"

namespace dedizo {

namespace {

const QString kLoanListSelect = QStringLiteral(
    "SELECT * FROM ( SELECT LoanListID, LoanList_tab.CopyID, LoanList_tab.BookID, LoanList_tab.ReaderID, "
    "LoanDate, LoanTime, ShouldReturnDate, ReLoanTimes, ReLoanDate, IsReturn, FactReturnDate, "
    "FactReturnTime, LoanOperator, ReturnOperator, %1 AS ExceedDays, ISBNISSN, BookName, BookInputCode, "
    "BookType, CateCode, CateName, BookBarCode, BookCode, BookPrice, Price, ReaderName, ReaderInputCode, "
    "ReaderCode, CardID, WorkPhone, MobilePhone, Email, ReaderCateName, Sex, DeptName FROM ((LoanList_tab "
    "LEFT JOIN Books_tab ON LoanList_tab.BookID = Books_tab.BookID) LEFT JOIN Copies_tab ON "
    "LoanList_tab.CopyID = Copies_tab.CopyID) LEFT JOIN Readers_view ON LoanList_tab.ReaderID = "
    "Readers_view.ReaderID ) AS X");

QString roomCondition(const QString& room, const QString& prefix, const QString& suffix, bool forReaders)
{
    const QString column = forReaders ? QStringLiteral("HomePhone") : QStringLiteral("BookRoom");
    return prefix + column + QStringLiteral(" = ") + SqlDialect::quote(room) + suffix;
}

} // namespace

QString BookRoomCondition(const QString& prefix, const QString& suffix, bool forReaders)
{
    if (!HasBookRoom())
        return {};
    return roomCondition(currentUser().BookRoom, prefix, suffix, forReaders);
}

QString BookRoomComboCondition(const RoomChoice& choice, const QString& prefix, const QString& suffix,
                               bool forReaders)
{
    // The list of a user with a book room offers only that room; taking the
    // room from the user record keeps the restriction even when the list
    // was left empty or holds something else.
    if (HasBookRoom())
        return BookRoomCondition(prefix, suffix, forReaders);
    if (choice.selectedIndex <= 0)
        return {};
    return roomCondition(choice.text, prefix, suffix, forReaders);
}

QString BooksSelect(const QString& condition)
{
    return SQLBuilder::SQL(QStringLiteral("SELECT * FROM Books_view"), condition);
}

QString BooksSelectInRoom(const QString& condition)
{
    return SQLBuilder::SQL(QStringLiteral("SELECT * FROM Books_view"), condition, QStringLiteral("BookID"),
                           BookRoomCondition(QStringLiteral("BookID IN(SELECT BookID FROM Copies_tab WHERE "),
                                             QStringLiteral(")")));
}

QString CopiesSelect(const QString& condition)
{
    return CopiesSelect(condition, mainConnection().dialect());
}

QString CopiesSelect(const QString& condition, const SqlDialect& dialect)
{
    return SQLBuilder::SQL(dialect.copiesJoinSelect(), condition, QStringLiteral("CopyID"),
                           BookRoomCondition());
}

QString ReadersSelect(const QString& condition)
{
    return SQLBuilder::SQL(QStringLiteral("SELECT * FROM Readers_view"), condition,
                           QStringLiteral("ReaderID"), BookRoomCondition({}, {}, true));
}

QString LoanListSelect(const QString& condition, bool allRooms)
{
    return LoanListSelect(condition, allRooms, mainConnection().dialect());
}

QString LoanListSelect(const QString& condition, bool allRooms, const SqlDialect& dialect)
{
    const QString always =
        allRooms ? QString()
                 : BookRoomCondition(QStringLiteral("CopyID IN(SELECT CopyID FROM Copies_tab WHERE "),
                                     QStringLiteral(")"));
    return SQLBuilder::SQL(kLoanListSelect.arg(dialect.overdueDaysExpression()), condition, {}, always);
}

QString PublishersSelect(const QString& condition)
{
    return SQLBuilder::SQL(QStringLiteral("SELECT * FROM Publishers_tab"), condition);
}

} // namespace dedizo
