#include "core/QueryTexts.h"
#include "core/SQLBuilder.h"
#include "core/UserInfo.h"
#include "tests/support/TestDatabase.h"

#include <QSqlRecord>
#include <QtTest>

using namespace dedizo;

// The shared query texts run against a database of the kind under test.
//
// Fixture: three titles, four copies in three rooms, three readers, loans.
//   史记  copies S1 (一室), S2 (二室)
//   汉书  copy  H1 (二室)
//   论语  copy  L1 (阅'室)          — a room name with a quote
//   孟子  no copies
//   readers 甲 (一室), 乙 (二室), 丙 (no room)
//   loans  S1 to 甲 due three days ago; H1 to 乙 due in two days;
//          S2 to 丙 due ten days ago, returned four days ago
class TestQueryTextsDb : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    QList<int> m_copyIds;

    Connection& c() { return m_db->connection(); }
    QDate today() { return QDate::currentDate(); }

    int lastId(const QString& table, const QString& key)
    {
        return c().scalar(QStringLiteral("SELECT MAX(%1) FROM %2").arg(key, table)).toInt();
    }
    int addBook(const QString& name)
    {
        c().execute(
            QStringLiteral("INSERT INTO Books_tab (BookName, TotalCount, LoanCount) VALUES (?, 0, 0)"),
            {name});
        return lastId(QStringLiteral("Books_tab"), QStringLiteral("BookID"));
    }
    int addCopy(int bookId, const QString& barcode, const QString& room)
    {
        c().execute(
            QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookRoom, Operator) "
                           "VALUES (?, ?, ?, ?, 'Admin')"),
            {bookId, barcode, QStringLiteral("可借"), room});
        c().execute(
            QStringLiteral("UPDATE Books_tab SET TotalCount = TotalCount + 1 WHERE BookID = %1").arg(bookId));
        const int id = lastId(QStringLiteral("Copies_tab"), QStringLiteral("CopyID"));
        m_copyIds.append(id);
        return id;
    }
    int addReader(const QString& name, const QString& room)
    {
        const int cate = c().scalar(QStringLiteral("SELECT MIN(ReaderCateID) FROM ReaderCate_tab")).toInt();
        c().execute(
            QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, CardID, ReaderCateID, Sex, "
                           "HomePhone) VALUES (?, ?, ?, ?, 1, ?)"),
            {name, name, name, cate, room});
        return lastId(QStringLiteral("Readers_tab"), QStringLiteral("ReaderID"));
    }
    void addLoan(int copyId, int readerId, int dueOffset, std::optional<int> returnedOffset = {})
    {
        const SqlDialect& d = c().dialect();
        const int bookId =
            c().scalar(QStringLiteral("SELECT BookID FROM Copies_tab WHERE CopyID = %1").arg(copyId)).toInt();
        c().execute(
            QStringLiteral("INSERT INTO LoanList_tab (CopyID, BookID, ReaderID, LoanDate, LoanTime, "
                           "ShouldReturnDate, LoanOperator) VALUES (%1, %2, %3, %4, '09:30:00', %5, 'Admin')")
                .arg(copyId)
                .arg(bookId)
                .arg(readerId)
                .arg(d.dateLiteral(today().addDays(-30)), d.dateLiteral(today().addDays(dueOffset))));
        if (returnedOffset)
            c().execute(QStringLiteral("UPDATE LoanList_tab SET IsReturn = 1, FactReturnDate = %1, "
                                       "FactReturnTime = '10:00:00' WHERE CopyID = %2")
                            .arg(d.dateLiteral(today().addDays(*returnedOffset)))
                            .arg(copyId));
    }

    static int fieldIndex(const QSqlRecord& record, const QString& name)
    {
        for (int i = 0; i < record.count(); ++i)
            if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    // One column of every row, in result order.
    QStringList column(const QString& sql, const QString& name)
    {
        QSqlQuery q = c().select(sql);
        const int i = fieldIndex(q.record(), name);
        if (i < 0)
            qFatal("no column %s in %s", qPrintable(name), qPrintable(sql));
        QStringList out;
        while (q.next())
            out << q.value(i).toString();
        return out;
    }

private Q_SLOTS:
    void init()
    {
        currentUser().clear();
        m_db = std::make_unique<test::TestDatabase>();
        m_copyIds.clear();
        const int shiji = addBook(QStringLiteral("史记"));
        const int hanshu = addBook(QStringLiteral("汉书"));
        const int lunyu = addBook(QStringLiteral("论语"));
        addBook(QStringLiteral("孟子"));
        const int s1 = addCopy(shiji, QStringLiteral("S1"), QStringLiteral("一室"));
        const int s2 = addCopy(shiji, QStringLiteral("S2"), QStringLiteral("二室"));
        const int h1 = addCopy(hanshu, QStringLiteral("H1"), QStringLiteral("二室"));
        addCopy(lunyu, QStringLiteral("L1"), QStringLiteral("阅'室"));
        const int jia = addReader(QStringLiteral("甲"), QStringLiteral("一室"));
        const int yi = addReader(QStringLiteral("乙"), QStringLiteral("二室"));
        const int bing = addReader(QStringLiteral("丙"), QString());
        addLoan(s1, jia, -3);
        addLoan(h1, yi, 2);
        addLoan(s2, bing, -10, -4);
    }
    void cleanup()
    {
        m_db.reset();
        currentUser().clear();
    }

    void copiesWithoutRoomListEveryCopyByCopyId()
    {
        QSqlQuery q = c().select(CopiesSelect());
        const QSqlRecord rec = q.record();
        for (const char* name : {"Copies_tab.BookID", "Copies_tab.RegDate", "Copies_tab.Operator",
                                 "Books_tab.RegDate", "Books_tab.Operator", "BookName", "BookBarCode"})
            QVERIFY2(fieldIndex(rec, QString::fromLatin1(name)) >= 0, name);
        const int copyId = fieldIndex(rec, QStringLiteral("CopyID"));
        const int bookId = fieldIndex(rec, QStringLiteral("Copies_tab.BookID"));
        const int op = fieldIndex(rec, QStringLiteral("Copies_tab.Operator"));
        QList<int> ids;
        while (q.next()) {
            ids << q.value(copyId).toInt();
            QVERIFY(q.value(bookId).toInt() > 0);
            QCOMPARE(q.value(op).toString(), QStringLiteral("Admin"));
        }
        QList<int> sorted = m_copyIds;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(ids, sorted);
    }

    void roomRestriction_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QStringList>("expected");
        const QString none;
        const QString one = QStringLiteral("一室");
        const QString two = QStringLiteral("二室");
        const QString quoted = QStringLiteral("阅'室");
        QTest::newRow("titles, no room")
            << none << QStringLiteral("books") << none << QStringList{"史记", "汉书", "论语", "孟子"};
        QTest::newRow("titles in 一室") << one << QStringLiteral("books") << none << QStringList{"史记"};
        QTest::newRow("titles in 二室")
            << two << QStringLiteral("books") << none << QStringList{"史记", "汉书"};
        QTest::newRow("titles in a room with a quote")
            << quoted << QStringLiteral("books") << none << QStringList{"论语"};
        QTest::newRow("an OR filter stays in the room")
            << one << QStringLiteral("books") << QStringLiteral("BookName = '汉书' OR BookName = '史记'")
            << QStringList{"史记"};
        QTest::newRow("copies, no room")
            << none << QStringLiteral("copies") << none << QStringList{"S1", "S2", "H1", "L1"};
        QTest::newRow("copies in 二室") << two << QStringLiteral("copies") << none << QStringList{"S2", "H1"};
        QTest::newRow("copies in 二室 with a filter")
            << two << QStringLiteral("copies") << QStringLiteral("BookName = '史记'") << QStringList{"S2"};
        QTest::newRow("readers, no room")
            << none << QStringLiteral("readers") << none << QStringList{"甲", "乙", "丙"};
        QTest::newRow("readers of 一室") << one << QStringLiteral("readers") << none << QStringList{"甲"};
        QTest::newRow("readers of 二室") << two << QStringLiteral("readers") << none << QStringList{"乙"};
        QTest::newRow("loans, no room")
            << none << QStringLiteral("loans") << none << QStringList{"S1", "H1", "S2"};
        QTest::newRow("loans of 一室 copies") << one << QStringLiteral("loans") << none << QStringList{"S1"};
        QTest::newRow("loans of 二室 copies")
            << two << QStringLiteral("loans") << none << QStringList{"H1", "S2"};
        QTest::newRow("loans of every room")
            << one << QStringLiteral("allLoans") << none << QStringList{"S1", "H1", "S2"};
    }
    void roomRestriction()
    {
        QFETCH(QString, room);
        QFETCH(QString, which);
        QFETCH(QString, condition);
        QFETCH(QStringList, expected);
        currentUser().UserCode = QStringLiteral("lib1");
        currentUser().BookRoom = room;
        QStringList got;
        if (which == QLatin1String("books"))
            got = column(BooksSelectInRoom(condition), QStringLiteral("BookName"));
        else if (which == QLatin1String("copies"))
            got = column(CopiesSelect(condition), QStringLiteral("BookBarCode"));
        else if (which == QLatin1String("readers"))
            got = column(ReadersSelect(condition), QStringLiteral("ReaderName"));
        else {
            QStringList lines =
                LoanListSelect(condition, which == QLatin1String("allLoans")).split(QLatin1Char('\n'));
            SQLBuilder::OrderBy(lines, QStringLiteral("LoanListID"));
            got = column(lines.join(QLatin1Char('\n')), QStringLiteral("BookBarCode"));
        }
        QCOMPARE(got, expected);
    }

    void otherTextsRun()
    {
        currentUser().BookRoom = QStringLiteral("一室");
        QCOMPARE(column(BooksSelect(QStringLiteral("BookName = '孟子'")), QStringLiteral("BookName")),
                 QStringList{QStringLiteral("孟子")});
        QCOMPARE(column(PublishersSelect(QStringLiteral("PublisherISBN = '7-01'")),
                        QStringLiteral("PublisherName")),
                 QStringList{QStringLiteral("人民出版社")});
    }

    void exceedDaysOnEveryKind()
    {
        QSqlQuery q = c().select(LoanListSelect());
        const QSqlRecord rec = q.record();
        const int barcode = fieldIndex(rec, QStringLiteral("BookBarCode"));
        const int days = fieldIndex(rec, QStringLiteral("ExceedDays"));
        const int reader = fieldIndex(rec, QStringLiteral("ReaderName"));
        QVERIFY(days >= 0);
        QMap<QString, int> byBarcode;
        QMap<QString, QString> readerOf;
        while (q.next()) {
            byBarcode.insert(q.value(barcode).toString(), q.value(days).toInt());
            readerOf.insert(q.value(barcode).toString(), q.value(reader).toString());
        }
        QCOMPARE(byBarcode.value(QStringLiteral("S1")), 3);  // due three days ago, on loan
        QCOMPARE(byBarcode.value(QStringLiteral("H1")), -2); // due in two days
        QCOMPARE(byBarcode.value(QStringLiteral("S2")), 6);  // returned six days late
        QCOMPARE(readerOf.value(QStringLiteral("S1")), QStringLiteral("甲"));
    }

    void conditionAndOrderOnExceedDays()
    {
        QStringList lines = LoanListSelect(QStringLiteral("ExceedDays > 0")).split(QLatin1Char('\n'));
        SQLBuilder::OrderBy(lines, QStringLiteral("ExceedDays DESC"));
        QCOMPARE(column(lines.join(QLatin1Char('\n')), QStringLiteral("BookBarCode")),
                 (QStringList{QStringLiteral("S2"), QStringLiteral("S1")}));

        SQLBuilder::Where(lines, QString());
        SQLBuilder::OrderBy(lines, QStringLiteral("ExceedDays"));
        QCOMPARE(column(lines.join(QLatin1Char('\n')), QStringLiteral("BookBarCode")),
                 (QStringList{QStringLiteral("H1"), QStringLiteral("S1"), QStringLiteral("S2")}));

        // Footer total over the outer select, as the grid computes it.
        SQLBuilder::SelectList(lines, QStringLiteral("SUM(ExceedDays)"));
        SQLBuilder::OrderBy(lines, QString());
        QCOMPARE(c().scalar(lines.join(QLatin1Char('\n'))).toInt(), 7);
    }

    void roomConditionSurvivesFilterChangesOnTheLoanList()
    {
        currentUser().BookRoom = QStringLiteral("二室");
        QStringList lines = LoanListSelect().split(QLatin1Char('\n'));
        SQLBuilder::Where(lines, QStringLiteral("ExceedDays < 0 OR ExceedDays > 0"));
        SQLBuilder::OrderBy(lines, QStringLiteral("ExceedDays"));
        QCOMPARE(column(lines.join(QLatin1Char('\n')), QStringLiteral("BookBarCode")),
                 (QStringList{QStringLiteral("H1"), QStringLiteral("S2")}));
        SQLBuilder::Where(lines, QStringLiteral("IsReturn = 0"));
        QCOMPARE(column(lines.join(QLatin1Char('\n')), QStringLiteral("BookBarCode")),
                 QStringList{QStringLiteral("H1")});
    }
};

QTEST_MAIN(TestQueryTextsDb)
#include "tst_querytexts_db.moc"
