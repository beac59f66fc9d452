#include "core/QueryTexts.h"
#include "core/SqlDialects.h"
#include "core/UserInfo.h"

#include <QtTest>

using namespace dedizo;

namespace {

enum class Text
{
    Books,
    BooksInRoom,
    Copies,
    Readers,
    Loans,
    LoansAllRooms,
    Publishers
};

QString textOf(Text which, const QString& condition, const SqlDialect& dialect)
{
    switch (which) {
    case Text::Books:
        return BooksSelect(condition);
    case Text::BooksInRoom:
        return BooksSelectInRoom(condition);
    case Text::Copies:
        return CopiesSelect(condition, dialect);
    case Text::Readers:
        return ReadersSelect(condition);
    case Text::Loans:
        return LoanListSelect(condition, false, dialect);
    case Text::LoansAllRooms:
        return LoanListSelect(condition, true, dialect);
    case Text::Publishers:
        return PublishersSelect(condition);
    }
    return {};
}

const QString kLoansOnSqlServer = QStringLiteral(
    "SELECT * FROM ( SELECT LoanListID, LoanList_tab.CopyID, LoanList_tab.BookID, LoanList_tab.ReaderID, "
    "LoanDate, LoanTime, ShouldReturnDate, ReLoanTimes, ReLoanDate, IsReturn, FactReturnDate, "
    "FactReturnTime, "
    "LoanOperator, ReturnOperator, DATEDIFF(DAY, ShouldReturnDate, ISNULL(FactReturnDate, GETDATE())) AS "
    "ExceedDays, ISBNISSN, BookName, BookInputCode, BookType, CateCode, CateName, BookBarCode, BookCode, "
    "BookPrice, Price, ReaderName, ReaderInputCode, ReaderCode, CardID, WorkPhone, MobilePhone, Email, "
    "ReaderCateName, Sex, DeptName FROM ((LoanList_tab LEFT JOIN Books_tab ON LoanList_tab.BookID = "
    "Books_tab.BookID) LEFT JOIN Copies_tab ON LoanList_tab.CopyID = Copies_tab.CopyID) LEFT JOIN "
    "Readers_view ON LoanList_tab.ReaderID = Readers_view.ReaderID ) AS X");

const QString kCopiesOnSqlServer = QStringLiteral(
    "SELECT Copies_tab.*, Books_tab.*, Copies_tab.BookID AS 'Copies_tab.BookID', Copies_tab.RegDate AS "
    "'Copies_tab.RegDate', Copies_tab.Operator AS 'Copies_tab.Operator', Books_tab.RegDate AS "
    "'Books_tab.RegDate', Books_tab.Operator AS 'Books_tab.Operator' FROM Copies_tab LEFT JOIN Books_tab ON "
    "Copies_tab.BookID = Books_tab.BookID");

const QString kSep = QStringLiteral("     AND     ");

QString lines(const QStringList& l)
{
    return l.join(QLatin1Char('\n'));
}

} // namespace

// The shared query texts as text, on SQL Server where the dialect matters.
class TestQueryTexts : public QObject
{
    Q_OBJECT

    SqlServerDialect m_sqlServer;

    void loginWithRoom(const QString& room)
    {
        currentUser().UserCode = QStringLiteral("lib1");
        currentUser().BookRoom = room;
    }

private Q_SLOTS:
    void init() { currentUser().clear(); }
    void cleanupTestCase() { currentUser().clear(); }

    void userRecord_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<bool>("hasRoom");
        QTest::newRow("no room") << QString() << false;
        QTest::newRow("blanks only") << QStringLiteral("  \t ") << false;
        QTest::newRow("a room") << QStringLiteral("一室") << true;
        QTest::newRow("a room with blanks around") << QStringLiteral(" 一室 ") << true;
    }
    void userRecord()
    {
        QFETCH(QString, room);
        QFETCH(bool, hasRoom);
        QVERIFY(!currentUser().isLoggedIn());
        loginWithRoom(room);
        QVERIFY(currentUser().isLoggedIn());
        QCOMPARE(HasBookRoom(), hasRoom);
        QCOMPARE(BookRoomCondition().isEmpty(), !hasRoom);
        currentUser().clear();
        QVERIFY(!HasBookRoom());
        QVERIFY(currentUser().UserCode.isEmpty());
    }

    void administrator_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("isAdmin");
        QTest::newRow("Admin") << QStringLiteral("Admin") << true;
        QTest::newRow("lower case") << QStringLiteral("admin") << true;
        QTest::newRow("upper case") << QStringLiteral("ADMIN") << true;
        QTest::newRow("longer code") << QStringLiteral("Administrator") << false;
        QTest::newRow("other user") << QStringLiteral("lib1") << false;
        QTest::newRow("nobody") << QString() << false;
    }
    void administrator()
    {
        QFETCH(QString, code);
        QFETCH(bool, isAdmin);
        QCOMPARE(isAdministrator(code), isAdmin);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("expected");
        const QString none;
        const QString room = QStringLiteral("一室");

        QTest::newRow("books, no room") << none << int(Text::Books) << QStringLiteral("ISBNISSN = '7-1'")
                                        << lines({"SELECT * FROM Books_view", "WHERE ISBNISSN = '7-1'"});
        QTest::newRow("books ignore the room")
            << room << int(Text::Books) << none << lines({"SELECT * FROM Books_view", "WHERE 1=1"});
        QTest::newRow("books in room, no room")
            << none << int(Text::BooksInRoom) << none
            << lines({"SELECT * FROM Books_view", "WHERE 1=1", "ORDER BY BookID"});
        QTest::newRow("books in room 一室")
            << room << int(Text::BooksInRoom) << QStringLiteral("BookName LIKE '%史%'")
            << lines({"SELECT * FROM Books_view",
                      "WHERE (BookName LIKE '%史%')" + kSep +
                          "BookID IN(SELECT BookID FROM Copies_tab WHERE BookRoom = '一室')",
                      "ORDER BY BookID"});
        QTest::newRow("copies, no room: every copy by CopyID")
            << none << int(Text::Copies) << none
            << lines({kCopiesOnSqlServer, "WHERE 1=1", "ORDER BY CopyID"});
        QTest::newRow("copies in room 一室")
            << room << int(Text::Copies) << none
            << lines({kCopiesOnSqlServer, "WHERE 1=1" + kSep + "BookRoom = '一室'", "ORDER BY CopyID"});
        QTest::newRow("readers, no room")
            << none << int(Text::Readers) << none
            << lines({"SELECT * FROM Readers_view", "WHERE 1=1", "ORDER BY ReaderID"});
        QTest::newRow("readers in room 一室: on HomePhone")
            << room << int(Text::Readers) << QStringLiteral("CardID = '001'")
            << lines({"SELECT * FROM Readers_view", "WHERE (CardID = '001')" + kSep + "HomePhone = '一室'",
                      "ORDER BY ReaderID"});
        QTest::newRow("loans, no room")
            << none << int(Text::Loans) << none << lines({kLoansOnSqlServer, "WHERE 1=1"});
        QTest::newRow("loans in room 一室")
            << room << int(Text::Loans) << QStringLiteral("IsReturn = 0")
            << lines({kLoansOnSqlServer,
                      "WHERE (IsReturn = 0)" + kSep +
                          "CopyID IN(SELECT CopyID FROM Copies_tab WHERE BookRoom = '一室')"});
        QTest::newRow("loans of all rooms")
            << room << int(Text::LoansAllRooms) << QStringLiteral("ReaderID = 7")
            << lines({kLoansOnSqlServer, "WHERE ReaderID = 7"});
        QTest::newRow("publishers") << room << int(Text::Publishers) << none
                                    << lines({"SELECT * FROM Publishers_tab", "WHERE 1=1"});
        QTest::newRow("a quote in the room name is doubled")
            << QStringLiteral("O'Neil's") << int(Text::Copies) << none
            << lines({kCopiesOnSqlServer, "WHERE 1=1" + kSep + "BookRoom = 'O''Neil''s'", "ORDER BY CopyID"});
        QTest::newRow("an attempt to leave the quoted room stays inside it")
            << QStringLiteral("x' OR '1'='1") << int(Text::Readers) << none
            << lines({"SELECT * FROM Readers_view", "WHERE 1=1" + kSep + "HomePhone = 'x'' OR ''1''=''1'",
                      "ORDER BY ReaderID"});
    }
    void texts()
    {
        QFETCH(QString, room);
        QFETCH(int, which);
        QFETCH(QString, condition);
        QFETCH(QString, expected);
        loginWithRoom(room);
        QCOMPARE(textOf(Text(which), condition, m_sqlServer), expected);
    }

    void roomIsReadAnewOnEveryCall()
    {
        loginWithRoom(QStringLiteral("一室"));
        QVERIFY(ReadersSelect().contains(QStringLiteral("HomePhone = '一室'")));
        loginWithRoom(QStringLiteral("二室"));
        QVERIFY(ReadersSelect().contains(QStringLiteral("HomePhone = '二室'")));
        currentUser().clear();
        QVERIFY(!ReadersSelect().contains(QStringLiteral("HomePhone")));
    }

    void bookRoomCondition_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("forReaders");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no room, prefix and suffix dropped")
            << QString() << QStringLiteral(" WHERE ") << QStringLiteral(")") << false << QString();
        QTest::newRow("copies") << QStringLiteral("一室") << QStringLiteral(" WHERE ") << QString() << false
                                << QStringLiteral(" WHERE BookRoom = '一室'");
        QTest::newRow("readers") << QStringLiteral("一室") << QStringLiteral(" AND ") << QString() << true
                                 << QStringLiteral(" AND HomePhone = '一室'");
        QTest::newRow("prefix and suffix")
            << QStringLiteral("一室") << QStringLiteral("BookID IN(SELECT BookID FROM Copies_tab WHERE ")
            << QStringLiteral(")") << false
            << QStringLiteral("BookID IN(SELECT BookID FROM Copies_tab WHERE BookRoom = '一室')");
    }
    void bookRoomCondition()
    {
        QFETCH(QString, room);
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        QFETCH(bool, forReaders);
        QFETCH(QString, expected);
        loginWithRoom(room);
        QCOMPARE(BookRoomCondition(prefix, suffix, forReaders), expected);
    }

    void bookRoomComboCondition_data()
    {
        QTest::addColumn<QString>("userRoom");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("forReaders");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no user room, <全部>")
            << QString() << 0 << QStringLiteral("<全部>") << false << QString();
        QTest::newRow("no user room, nothing chosen") << QString() << -1 << QString() << false << QString();
        QTest::newRow("no user room, a room chosen")
            << QString() << 2 << QStringLiteral("二室") << false << QStringLiteral(" AND BookRoom = '二室'");
        QTest::newRow("no user room, a room chosen for readers")
            << QString() << 1 << QStringLiteral("一室") << true << QStringLiteral(" AND HomePhone = '一室'");
        QTest::newRow("chosen room with a quote") << QString() << 3 << QStringLiteral("阅览'室") << false
                                                  << QStringLiteral(" AND BookRoom = '阅览''室'");
        QTest::newRow("user room: the only entry") << QStringLiteral("一室") << 0 << QStringLiteral("一室")
                                                   << false << QStringLiteral(" AND BookRoom = '一室'");
        QTest::newRow("user room holds even when the list says otherwise")
            << QStringLiteral("一室") << 0 << QStringLiteral("<全部>") << false
            << QStringLiteral(" AND BookRoom = '一室'");
        QTest::newRow("user room holds with an empty list")
            << QStringLiteral("一室") << -1 << QString() << true << QStringLiteral(" AND HomePhone = '一室'");
    }
    void bookRoomComboCondition()
    {
        QFETCH(QString, userRoom);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(bool, forReaders);
        QFETCH(QString, expected);
        loginWithRoom(userRoom);
        QCOMPARE(BookRoomComboCondition({index, text}, QStringLiteral(" AND "), QString(), forReaders),
                 expected);
    }
};

QTEST_APPLESS_MAIN(TestQueryTexts)
#include "tst_querytexts.moc"
