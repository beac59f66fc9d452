#include "catalogue/refdata/DataDictionary.h"
#include "core/DatabaseError.h"
#include "core/Dataset.h"
#include "core/DbUtils.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QtTest>

using namespace dedizo;

class TestDataDictionary : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    QStringList m_statements;

    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }

    // Two rooms with readers and copies; a user and words equal to a room
    // name in columns that are not rooms, which a rename must leave alone.
    void addRoomData()
    {
        c().execute(
            QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, TotalCount, LoanCount) "
                           "VALUES ('红楼梦', '曹雪芹', '图书', 3, 0)"));
        const int book = count(QStringLiteral("SELECT MAX(BookID) FROM Books_tab"));
        const QList<QStringList> copies{
            {QStringLiteral("T001"), QStringLiteral("一室"), QStringLiteral("A架")},
            {QStringLiteral("T002"), QStringLiteral("一室"), QStringLiteral("B架")},
            {QStringLiteral("T003"), QStringLiteral("二室"), QStringLiteral("C架")},
            {QStringLiteral("T004"), QStringLiteral("二室"), QStringLiteral("C架")},
            {QStringLiteral("T005"), QStringLiteral("二室"), QStringLiteral("D架")},
            {QStringLiteral("T006"), QStringLiteral("二室"), QStringLiteral("一室")}};
        for (const QStringList& copy : copies)
            c().execute(QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookRoom, "
                                       "BookPos) VALUES (?, ?, '可借', ?, ?)"),
                        {book, copy[0], copy[1], copy[2]});
        const QList<QStringList> readers{
            {QStringLiteral("R1"), QStringLiteral("一室"), QStringLiteral("本校"), QStringLiteral("一年级")},
            {QStringLiteral("R2"), QStringLiteral("二室"), QStringLiteral("实验中学"),
             QStringLiteral("二年级")},
            {QStringLiteral("R3"), QStringLiteral("二室"), QStringLiteral("实验中学"),
             QStringLiteral("三年级")},
            {QStringLiteral("R4"), QStringLiteral("二室"), QStringLiteral("一室"), QStringLiteral("二年级")},
            {QStringLiteral("R5"), QStringLiteral("一室"), QStringLiteral("本校"), QStringLiteral("五年级")}};
        for (const QStringList& r : readers)
            c().execute(QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, ReaderCateID, Sex, "
                                       "HomePhone, CorpName, DeptName) VALUES (?, ?, 1, 1, ?, ?, ?)"),
                        {QString(QStringLiteral("读者") + r[0]), r[0], r[1], r[2], r[3]});
        c().execute(QStringLiteral("INSERT INTO Users_tab (UserCode, UserName, Title, Dept, IsLock) VALUES "
                                   "('lib1', '馆员一', '一室', '一室', 0)"));
        c().execute(QStringLiteral("INSERT INTO Users_tab (UserCode, UserName, Title, Dept, IsLock) VALUES "
                                   "('lib2', '馆员二', '二室', '图书馆', 0)"));
    }

    // Opens the items of a category and moves to the named one.
    Dataset& itemsAt(int cate, const QString& name)
    {
        Dataset& items = DM1().ItemsQuery;
        OpenQuery(items,
                  QStringLiteral("SELECT * FROM Items_tab WHERE ItemCate = %1 ORDER BY ItemCode").arg(cate));
        if (!name.isEmpty())
            items.locate(QStringLiteral("ItemName"), name);
        return items;
    }

    QStringList updates() const
    {
        QStringList list;
        for (const QString& s : m_statements)
            if (s.startsWith(QLatin1String("UPDATE")) && !s.contains(QLatin1String("Items_tab")))
                list << s;
        return list;
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        m_prompts = std::make_unique<test::ScriptedPrompts>();
        currentUser().clear();
        currentUser().UserCode = QStringLiteral("Admin");
        m_statements.clear();
        c().setStatementObserver([this](const QString& sql) { m_statements << sql; });
    }
    void cleanup()
    {
        DM1().ItemsQuery.close();
        c().setStatementObserver(nullptr);
        m_prompts.reset();
        m_db.reset();
        currentUser().clear();
    }

    void targetsOfACategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("targets");
        QTest::newRow("plain table") << "CorpName" << QStringList{"Readers_tab.CorpName"};
        QTest::newRow("explicit column")
            << "DeptName" << QStringList{"Readers_tab.DeptName", "Users_tab.Dept"};
        QTest::newRow("rooms") << "BookRoom"
                               << QStringList{"Copies_tab.BookRoom", "Readers_tab.HomePhone",
                                              "Users_tab.Title"};
        QTest::newRow("titles") << "EditionTime" << QStringList{"Books_tab.EditionTime"};
    }
    void targetsOfACategory()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, targets);
        const int index = DictionaryCategoryIndex(name);
        QVERIFY(index >= 0);
        QStringList got;
        for (const DictionaryTarget& t : DictionaryTargets(dataDictCates()[index]))
            got << t.table + QLatin1Char('.') + t.column;
        QCOMPARE(got, targets);
    }

    void categoryLookupIsExact_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::newRow("first") << "CorpName" << 0 << "工作单位";
        QTest::newRow("rooms") << "BookRoom" << 3 << "所在书室";
        QTest::newRow("last") << "EditionTime" << 10 << "出版版次";
        QTest::newRow("other letter case") << "bookroom" << -1 << "";
        QTest::newRow("a column that is no category") << "HomePhone" << -1 << "";
        QTest::newRow("empty") << "" << -1 << "";
    }
    void categoryLookupIsExact()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, title);
        QCOMPARE(DictionaryCategoryIndex(name), index);
        QCOMPARE(DictionaryCategoryTitle(name), title);
    }

    // What a user is offered depends on the book room the user is tied to.
    void valuesForAUser_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("sorted"); // DISTINCT lists come in no fixed order
        QTest::newRow("no room, departments")
            << ""
            << "DeptName" << QStringList{"教务处", "图书馆", "一年级", "二年级", "三年级"} << false;
        QTest::newRow("room, departments of the room's readers")
            << "二室"
            << "DeptName" << QStringList{"二年级", "三年级"} << true;
        QTest::newRow("room, units of the room's readers")
            << "二室"
            << "CorpName" << QStringList{"一室", "实验中学"} << true;
        QTest::newRow("room, shelves of the room's copies")
            << "二室"
            << "BookPos" << QStringList{"C架", "D架", "一室"} << true;
        QTest::newRow("other room, shelves") << "一室"
                                             << "BookPos" << QStringList{"A架", "B架"} << true;
        QTest::newRow("room, holding types from the dictionary")
            << "二室"
            << "BookType" << QStringList{"图书", "期刊", "报纸", "音像资料", "电子出版物"} << false;
        QTest::newRow("room, rooms from the dictionary")
            << "二室"
            << "BookRoom" << QStringList{"一室", "二室", "阅览室"} << false;
        QTest::newRow("blank room counts as none") << "  "
                                                   << "BookPos" << QStringList{"A架", "B架", "C架"} << false;
        QTest::newRow("unknown name") << ""
                                      << "NoSuchColumn" << QStringList{} << false;
    }
    void valuesForAUser()
    {
        QFETCH(QString, room);
        QFETCH(QString, name);
        QFETCH(QStringList, values);
        QFETCH(bool, sorted);
        addRoomData();
        currentUser().BookRoom = room;
        QStringList list{QStringLiteral("left over")};
        DictionaryValues(name, list);
        if (sorted) {
            list.sort();
            values.sort();
        }
        QCOMPARE(list, values);
    }

    void unknownCategoryAsksForMinusOne()
    {
        m_statements.clear();
        QStringList list;
        DictionaryValues(QStringLiteral("Nonsense"), list);
        QVERIFY(list.isEmpty());
        QCOMPARE(m_statements,
                 QStringList{"SELECT ItemName FROM Items_tab WHERE ItemCate = -1 ORDER BY ItemCode"});
    }

    void roomUserStatementsQuoteTheRoom()
    {
        currentUser().BookRoom = QStringLiteral("O'Hara 室");
        QCOMPARE(DictionaryValuesSql(QStringLiteral("DeptName")),
                 QStringLiteral(
                     "SELECT DISTINCT DeptName AS ItemName FROM Readers_tab WHERE HomePhone = 'O''Hara 室'"));
        QCOMPARE(DictionaryValuesSql(QStringLiteral("BookPos")),
                 QStringLiteral(
                     "SELECT DISTINCT BookPos AS ItemName FROM Copies_tab WHERE BookRoom = 'O''Hara 室'"));
    }

    void renamingARoomRewritesExactlyItsTargets()
    {
        addRoomData();
        Dataset& items = itemsAt(3, QStringLiteral("一室"));
        items.edit();
        items.setValue(QStringLiteral("ItemName"), QStringLiteral("一层"));
        m_statements.clear();
        SaveDictionaryItem(items);
        QCOMPARE(updates(), (QStringList{"UPDATE Copies_tab SET BookRoom = '一层' WHERE BookRoom = '一室'",
                                         "UPDATE Readers_tab SET HomePhone = '一层' WHERE HomePhone = '一室'",
                                         "UPDATE Users_tab SET Title = '一层' WHERE Title = '一室'"}));
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookRoom = '一层'"), 2);
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookRoom = '一室'"), 0);
        QCOMPARE(count("SELECT COUNT(*) FROM Readers_tab WHERE HomePhone = '一层'"), 2);
        QCOMPARE(QueryValue("SELECT Title FROM Users_tab WHERE UserCode = 'lib1'"), QStringLiteral("一层"));
        QCOMPARE(count("SELECT COUNT(*) FROM Items_tab WHERE ItemCate = 3 AND ItemName = '一层'"), 1);
        // Equal words in other columns are not rooms and stay.
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookPos = '一室'"), 1);
        QCOMPARE(count("SELECT COUNT(*) FROM Readers_tab WHERE CorpName = '一室'"), 1);
        QCOMPARE(QueryValue("SELECT Dept FROM Users_tab WHERE UserCode = 'lib1'"), QStringLiteral("一室"));
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookRoom = '二室'"), 4);
    }

    void renamingADepartmentReachesUsers()
    {
        addRoomData();
        Dataset& items = itemsAt(1, QStringLiteral("图书馆"));
        items.setValue(QStringLiteral("ItemName"), QStringLiteral("图书信息中心"));
        SaveDictionaryItem(items);
        QCOMPARE(QueryValue("SELECT Dept FROM Users_tab WHERE UserCode = 'lib2'"),
                 QStringLiteral("图书信息中心"));
    }

    // New items and unchanged names touch nothing but Items_tab.
    void noRenameWithoutAChangedName_data()
    {
        QTest::addColumn<bool>("newItem");
        QTest::addColumn<QString>("name");
        QTest::newRow("unchanged name") << false << "一室";
        QTest::newRow("number changed only") << false << "";
        QTest::newRow("new item") << true << "四室";
    }
    void noRenameWithoutAChangedName()
    {
        QFETCH(bool, newItem);
        QFETCH(QString, name);
        addRoomData();
        Dataset& items = itemsAt(3, QStringLiteral("一室"));
        if (newItem) {
            items.append();
            items.setValue(QStringLiteral("ItemCate"), 3);
            items.setValue(QStringLiteral("ItemCode"), 4);
        } else {
            items.edit();
            items.setValue(QStringLiteral("ItemCode"), 9);
        }
        if (!name.isEmpty())
            items.setValue(QStringLiteral("ItemName"), name);
        m_statements.clear();
        SaveDictionaryItem(items);
        QVERIFY2(updates().isEmpty(), qPrintable(updates().join(QLatin1Char('\n'))));
        QCOMPARE(items.state(), Dataset::State::Browse);
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookRoom = '一室'"), 2);
    }

    // A refused item (empty name) rolls the target updates back.
    void refusedItemLeavesTheOldNameEverywhere()
    {
        addRoomData();
        Dataset& items = itemsAt(3, QStringLiteral("一室"));
        items.setValue(QStringLiteral("ItemName"), QString());
        QVERIFY_THROWS_EXCEPTION(AbortSilently, SaveDictionaryItem(items));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("名称不能为空。"));
        QCOMPARE(items.state(), Dataset::State::Edit);
        QCOMPARE(items.focusField(), QStringLiteral("ItemName"));
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookRoom = '一室'"), 2);
        QCOMPARE(count("SELECT COUNT(*) FROM Readers_tab WHERE HomePhone = '一室'"), 2);
        QCOMPARE(QueryValue("SELECT Title FROM Users_tab WHERE UserCode = 'lib1'"), QStringLiteral("一室"));
        QCOMPARE(count("SELECT COUNT(*) FROM Items_tab WHERE ItemName = '一室'"), 1);
        QVERIFY(!c().inTransaction());
    }

    // A statement failing half-way undoes the targets already rewritten.
    void failingTargetRollsEverythingBack()
    {
        addRoomData();
        Dataset& items = itemsAt(3, QStringLiteral("一室"));
        items.setValue(QStringLiteral("ItemName"), QStringLiteral("一层"));
        const DataDictCate broken{QStringLiteral("BookRoom"), QStringLiteral("所在书室"),
                                  QStringLiteral("Copies_tab;HomePhone=Readers_tab;NoSuchColumn=Users_tab")};
        QVERIFY_THROWS_EXCEPTION(DatabaseError, SaveDictionaryItem(items, broken));
        QVERIFY(!c().inTransaction());
        QCOMPARE(items.state(), Dataset::State::Edit);
        QCOMPARE(count("SELECT COUNT(*) FROM Copies_tab WHERE BookRoom = '一室'"), 2);
        QCOMPARE(count("SELECT COUNT(*) FROM Readers_tab WHERE HomePhone = '一室'"), 2);
        QCOMPARE(count("SELECT COUNT(*) FROM Items_tab WHERE ItemName = '一层'"), 0);
    }

    // The logged-in user tied to the renamed room keeps seeing the room.
    void sessionFollowsTheRenamedRoom()
    {
        addRoomData();
        currentUser().BookRoom = QStringLiteral("一室");
        currentUser().Dept = QStringLiteral("一室");
        Dataset& items = itemsAt(3, QStringLiteral("一室"));
        items.setValue(QStringLiteral("ItemName"), QStringLiteral("一层"));
        SaveDictionaryItem(items);
        QCOMPARE(currentUser().BookRoom, QStringLiteral("一层"));
        QCOMPARE(currentUser().Dept, QStringLiteral("一室")); // a room rename is no department rename
        QStringList shelves;
        DictionaryValues(QStringLiteral("BookPos"), shelves);
        shelves.sort();
        QCOMPARE(shelves, (QStringList{"A架", "B架"}));
    }
};

QTEST_GUILESS_MAIN(TestDataDictionary)
#include "tst_datadictionary.moc"
