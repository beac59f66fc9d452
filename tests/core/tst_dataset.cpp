#include "core/Dataset.h"
#include "core/DatasetModel.h"
#include "core/DbUtils.h"
#include "core/QueryTexts.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestSession.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using namespace dedizo;

class TestDataset : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }
    int firstCategory() { return count(QStringLiteral("SELECT MIN(ReaderCateID) FROM ReaderCate_tab")); }

    void addBooks(int n)
    {
        inTransaction(c(), [&] {
            for (int i = 0; i < n; ++i)
                c().execute(
                    QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, TotalCount) VALUES "
                                   "(?, '作者', '图书', 0)"),
                    {QStringLiteral("书%1").arg(i, 4, 10, QLatin1Char('0'))});
        });
    }

    // Appends a reader through the shared dataset and fills the given fields.
    void appendReader(const QString& name, const QString& code, const QString& card)
    {
        Dataset& r = DM1().ReadersQuery;
        if (!r.isOpen())
            r.open();
        r.append();
        r.setValue(QStringLiteral("ReaderName"), name);
        r.setValue(QStringLiteral("ReaderCode"), code);
        r.setValue(QStringLiteral("CardID"), card);
        r.setValue(QStringLiteral("ReaderCateID"), firstCategory());
    }

    // Posts and reports whether the save was abandoned by a rule.
    bool postAbandoned(Dataset& ds)
    {
        try {
            ds.post();
        } catch (const AbortSilently&) {
            return true;
        }
        return false;
    }

private Q_SLOTS:
    void init() { test::startAdminSession(m_db, m_prompts); }
    void cleanup() { test::endSession(m_db, m_prompts); }

    void fieldsCarryLabelsAndRowsArriveInPages()
    {
        addBooks(120);
        Dataset ds;
        ds.setPageSize(50);
        ds.setSql(QStringLiteral("SELECT * FROM Books_view\nWHERE 1=1\nORDER BY BookName DESC"));
        ds.open();
        QCOMPARE(ds.updateTable(), QStringLiteral("Books_tab"));
        QCOMPARE(ds.keyColumn(), QStringLiteral("BookID"));
        QCOMPARE(ds.recordCount(), 120);
        QCOMPARE(ds.fetchedCount(), 50);
        QCOMPARE(ds.displayLabel(QStringLiteral("bookname")), QStringLiteral("书刊名称"));
        QCOMPARE(ds.displayLabel(QStringLiteral("RemainCount")), QStringLiteral("剩余册数"));
        QVERIFY(ds.field(ds.fieldIndex(QStringLiteral("BookID"))).hidden);
        QVERIFY(!ds.field(ds.fieldIndex(QStringLiteral("RemainCount"))).writable);
        QCOMPARE(ds.text(QStringLiteral("BookName")), QStringLiteral("书0119"));
        QVERIFY(ds.setCurrentRow(110));
        QCOMPARE(ds.fetchedCount(), 111); // read up to the row asked for, in one statement
        QCOMPARE(ds.text(QStringLiteral("BookName")), QStringLiteral("书0009"));
        QVERIFY(!ds.setCurrentRow(120));
        QVERIFY(ds.locate(QStringLiteral("BOOKNAME"), QStringLiteral("书0050")));
        QCOMPARE(ds.currentRow(), 69);
    }

    void writesGoThroughViewsToTheBaseTable()
    {
        Dataset& books = DM1().BooksQuery;
        books.open();
        books.append();
        QCOMPARE(books.state(), Dataset::State::Insert);
        QCOMPARE(books.value(QStringLiteral("LoanCount")).toInt(), 0);
        QCOMPARE(books.text(QStringLiteral("Operator")), QStringLiteral("Admin"));
        QVERIFY(books.value(QStringLiteral("RegDate")).toDate().isValid());
        books.setValue(QStringLiteral("BookName"), QStringLiteral("O'Reilly 的书"));
        books.setValue(QStringLiteral("Author"), QStringLiteral("作者"));
        books.setValue(QStringLiteral("BookType"), QStringLiteral("图书"));
        books.setValue(QStringLiteral("Memo"), QStringLiteral("备注"));
        books.post();
        QCOMPARE(books.state(), Dataset::State::Browse);
        const int id = books.value(QStringLiteral("BookID")).toInt();
        QVERIFY(id > 0);
        QCOMPARE(books.value(QStringLiteral("RemainCount")).toInt(), 0);
        QCOMPARE(books.value(QStringLiteral("TotalCount")).toInt(), 0);

        books.edit();
        books.setValue(QStringLiteral("TotalCount"), 3);
        books.setValue(QStringLiteral("LoanCount"), 1);
        books.post();
        QCOMPARE(books.value(QStringLiteral("RemainCount")).toInt(), 2); // read back from the view
        QCOMPARE(
            c().scalar(QStringLiteral("SELECT BookName FROM Books_tab WHERE BookID = %1").arg(id)).toString(),
            QStringLiteral("O'Reilly 的书"));
        QCOMPARE(c().scalar(QStringLiteral("SELECT %1 FROM Books_tab")
                                .arg(c().dialect().quoteName(QStringLiteral("Memo"))))
                     .toString(),
                 QStringLiteral("备注"));
        QCOMPARE(books.recordCount(), 1);
        books.remove();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Books_tab")), 0);
        QCOMPARE(books.recordCount(), 0);
    }

    void cancelRestoresTheRow()
    {
        addBooks(2);
        Dataset& books = DM1().BooksQuery;
        books.open();
        const QString before = books.text(QStringLiteral("BookName"));
        books.edit();
        books.setValue(QStringLiteral("BookName"), QStringLiteral("改"));
        books.cancel();
        QCOMPARE(books.text(QStringLiteral("BookName")), before);
        books.append();
        QCOMPARE(books.recordCount(), 3);
        books.cancel();
        QCOMPARE(books.recordCount(), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Books_tab")), 2);
    }

    void readerRules()
    {
        appendReader(QString(), QStringLiteral("R1"), QString());
        Dataset& r = DM1().ReadersQuery;
        QVERIFY(postAbandoned(r));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("读者姓名不能为空。"));
        QCOMPARE(r.state(), Dataset::State::Insert);
        QCOMPARE(r.focusField(), QStringLiteral("ReaderName"));
        QVERIFY(r.value(QStringLiteral("Sex")).toBool());

        r.setValue(QStringLiteral("ReaderName"), QStringLiteral("张三"));
        r.setValue(QStringLiteral("CardID"), QStringLiteral("C001"));
        r.post();
        QCOMPARE(r.text(QStringLiteral("ReaderCateName")), QStringLiteral("普通读者"));

        appendReader(QStringLiteral("李四"), QStringLiteral("R2"), QStringLiteral("C001"));
        QVERIFY(postAbandoned(r));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("您输入的证卡编码已存在。"));
        QCOMPARE(r.focusField(), QStringLiteral("CardID"));
        r.setValue(QStringLiteral("CardID"), QStringLiteral("C002"));
        r.setValue(QStringLiteral("ReaderCode"), QStringLiteral("r1")); // letter case ignored
        QVERIFY(postAbandoned(r));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("您输入的读者编码已存在。"));
        r.cancel();

        // Blank codes are never tested.
        appendReader(QStringLiteral("王五"), QString(), QString());
        r.post();
        appendReader(QStringLiteral("赵六"), QStringLiteral("  "), QString());
        r.post();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_tab")), 3);
    }

    void unchangedCodeRunsNoUniquenessQuery_data()
    {
        QTest::addColumn<QString>("newCode");
        QTest::addColumn<bool>("queried");
        QTest::newRow("unchanged") << QStringLiteral("R1") << false;
        QTest::newRow("letter case only") << QStringLiteral("r1") << false;
        QTest::newRow("blanks around") << QStringLiteral(" R1 ") << false;
        QTest::newRow("changed") << QStringLiteral("R9") << true;
    }
    void unchangedCodeRunsNoUniquenessQuery()
    {
        QFETCH(QString, newCode);
        QFETCH(bool, queried);
        appendReader(QStringLiteral("张三"), QStringLiteral("R1"), QString());
        Dataset& r = DM1().ReadersQuery;
        r.post();
        QStringList statements;
        c().setStatementObserver([&](const QString& sql) { statements << sql; });
        r.edit();
        r.setValue(QStringLiteral("ReaderCode"), newCode);
        r.setValue(QStringLiteral("Memo"), QStringLiteral("改过"));
        r.post();
        c().setStatementObserver({});
        const bool ran = std::any_of(statements.begin(), statements.end(), [](const QString& s) {
            return s.contains(QStringLiteral("COUNT(ReaderCode)"));
        });
        QCOMPARE(ran, queried);
    }

    void cardStoreRuleFollowsTheFlag()
    {
        c().execute(QStringLiteral("CREATE TABLE CardStore(CardID varchar(20) PRIMARY KEY)"));
        c().execute(QStringLiteral("INSERT INTO CardStore (CardID) VALUES ('K1')"));
        m_db->dataModule().setCardStoreEnabled(true);
        appendReader(QStringLiteral("张三"), QString(), QString());
        Dataset& r = DM1().ReadersQuery;
        QVERIFY(postAbandoned(r));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("证卡编码不能为空。"));
        r.setValue(QStringLiteral("CardID"), QStringLiteral("K2"));
        QVERIFY(postAbandoned(r));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("无效的证卡编码。"));
        m_db->dataModule().setCardStoreEnabled(false);
        r.post();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_tab WHERE CardID = 'K2'")), 1);
    }

    void bookRoomUserPresetsRooms()
    {
        currentUser().BookRoom = QStringLiteral("一室");
        appendReader(QStringLiteral("张三"), QString(), QString());
        QCOMPARE(DM1().ReadersQuery.text(QStringLiteral("HomePhone")), QStringLiteral("一室"));
        DM1().ReadersQuery.cancel();
        Dataset& copies = DM1().CopiesQuery;
        copies.open();
        copies.append();
        QCOMPARE(copies.text(QStringLiteral("BookRoom")), QStringLiteral("一室"));
        copies.cancel();
    }

    void copiesOfANewTitleGetKeyZeroAndBatchUntilApplied()
    {
        Dataset& books = DM1().BooksQuery;
        books.open();
        books.append();
        Dataset& copies = DM1().CopiesQuery;
        copies.setSql(QStringLiteral("SELECT * FROM Copies_tab WHERE BookID = 0"));
        copies.open();
        for (int i = 1; i <= 3; ++i) {
            copies.append();
            QCOMPARE(copies.value(QStringLiteral("BookID")).toInt(), 0);
            QCOMPARE(copies.text(QStringLiteral("BookState")), QStringLiteral("可借"));
            copies.setValue(QStringLiteral("BookBarCode"), QStringLiteral("B%1").arg(i));
            copies.post();
        }
        copies.remove(); // an unsaved new row just goes away
        QVERIFY(copies.hasPendingUpdates());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Copies_tab")), 0);

        books.setValue(QStringLiteral("BookName"), QStringLiteral("新书"));
        books.setValue(QStringLiteral("Author"), QStringLiteral("作者"));
        books.setValue(QStringLiteral("BookType"), QStringLiteral("图书"));
        inTransaction(c(), [&] {
            books.post();
            const int id = books.value(QStringLiteral("BookID")).toInt();
            for (int row = 0; row < copies.fetchedCount(); ++row) {
                copies.setCurrentRow(row);
                copies.setValue(QStringLiteral("BookID"), id);
                copies.post();
            }
            copies.applyUpdates();
        });
        QVERIFY(!copies.hasPendingUpdates());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Copies_tab WHERE BookID = %1")
                           .arg(books.value(QStringLiteral("BookID")).toInt())),
                 2);

        // Changes and deletions held, then dropped.
        copies.setSql(QStringLiteral("SELECT * FROM Copies_tab ORDER BY CopyID"));
        copies.open();
        copies.edit();
        copies.setValue(QStringLiteral("BookBarCode"), QStringLiteral("X"));
        copies.post();
        copies.setCurrentRow(1);
        copies.remove();
        QCOMPARE(copies.recordCount(), 1);
        copies.cancelUpdates();
        QCOMPARE(copies.recordCount(), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Copies_tab WHERE BookBarCode = 'X'")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Copies_tab")), 2);
    }

    void transactionRollsBackOnAnyException()
    {
        try {
            inTransaction(c(), [&] {
                c().execute(
                    QStringLiteral("INSERT INTO Bylaw_tab (BylawTitle, BylawContent) VALUES ('t', 'c')"));
                throw std::runtime_error("stop");
            });
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Bylaw_tab")), 0);
    }

    void utilities()
    {
        QCOMPARE(QueryValue(QStringLiteral("SELECT IsReturn FROM LoanList_tab")), QString());
        c().execute(QStringLiteral(
            "INSERT INTO LoanList_tab (CopyID, BookID, ReaderID, IsReturn) VALUES (1, 1, 1, 1)"));
        QCOMPARE(QueryValue(QStringLiteral("SELECT IsReturn FROM LoanList_tab")), QStringLiteral("1"));
        QCOMPARE(QueryValue(QStringLiteral("SELECT FactReturnDate FROM LoanList_tab")), QString());
        QStringList names;
        QueryList(names,
                  QStringLiteral("SELECT FunKey, FunName FROM UserFun_tab WHERE FunCate = 5 ORDER BY FunKey"),
                  QStringLiteral("funname"));
        QCOMPARE(names.first(), QStringLiteral("数据字典维护"));
        QVERIFY(
            ValueExists(QStringLiteral("I"), QStringLiteral("BookCateCode"), QStringLiteral("BookCate_tab")));
        QVERIFY(!ValueExists(QStringLiteral("I' OR '1'='1"), QStringLiteral("BookCateCode"),
                             QStringLiteral("BookCate_tab")));
        QVERIFY(TableExists(QStringLiteral("books_tab")));
        QVERIFY(!TableExists(QStringLiteral("CardStore")));
        QVERIFY(SameValueText(QStringLiteral(" abc "), QStringLiteral("ABC")));
        QVERIFY(ServerNow().isValid());
        setClockOverride(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(ServerDateText(), QStringLiteral("2026/01/02"));
        QCOMPARE(ServerDateText(true), QStringLiteral("2026/01/02 03:04:05"));
        QCOMPARE(SQLTodayLiteral(), c().dialect().dateLiteral(QDate(2026, 1, 2)));
        setClockOverride({});
        QVERIFY(IsDebugMode({QStringLiteral("dedizo"), QStringLiteral("-debug")}));
        QVERIFY(!IsDebugMode({QStringLiteral("dedizo"), QStringLiteral("x"), QStringLiteral("-debug")}));
        QVERIFY(!IsDebugMode({QStringLiteral("dedizo"), QStringLiteral("-DEBUG")}));
    }

    void modelShowsLabelsAndDisplayTexts()
    {
        appendReader(QStringLiteral("张三"), QStringLiteral("R1"), QString());
        DM1().ReadersQuery.post();
        appendReader(QStringLiteral("李四"), QStringLiteral("R2"), QString());
        DM1().ReadersQuery.setValue(QStringLiteral("Sex"), false);
        DM1().ReadersQuery.post();
        Dataset ds;
        ds.setPageSize(1);
        ds.setSql(QStringLiteral("SELECT * FROM Readers_view ORDER BY ReaderID"));
        ds.open();
        DatasetModel model(&ds);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int sex = ds.fieldIndex(QStringLiteral("Sex"));
        QCOMPARE(model.headerData(sex, Qt::Horizontal).toString(), QStringLiteral("性别"));
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, sex).data().toString(), QStringLiteral("男"));
        QCOMPARE(model.index(1, sex).data().toString(), QStringLiteral("女"));

        Dataset loans;
        c().execute(
            QStringLiteral("INSERT INTO LoanList_tab (CopyID, BookID, ReaderID, IsReturn, LoanDate) VALUES "
                           "(1, 1, 1, 1, %1)")
                .arg(c().dialect().dateLiteral(QDate(2026, 3, 4))));
        loans.setSql(QStringLiteral("SELECT * FROM LoanList_tab"));
        loans.open();
        DatasetModel loanModel(&loans);
        QCOMPARE(loanModel.index(0, loans.fieldIndex(QStringLiteral("IsReturn"))).data().toString(),
                 QStringLiteral("是"));
        QCOMPARE(loanModel.index(0, loans.fieldIndex(QStringLiteral("LoanDate"))).data().toString(),
                 QStringLiteral("2026/03/04"));
    }

    void copiesJoinEditsTheCopy()
    {
        c().execute(QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, Operator) VALUES "
                                   "('红楼梦', '曹雪芹', '图书', 'bookop')"));
        const int bookId = count(QStringLiteral("SELECT MAX(BookID) FROM Books_tab"));
        for (int i = 1; i <= 3; ++i)
            c().execute(QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, Operator) VALUES "
                                       "(%1, 'B%2', '可借', 'copyop')")
                            .arg(bookId)
                            .arg(i));
        Dataset ds;
        ds.setSql(CopiesSelect(QStringLiteral("BookBarCode <> 'B3'")));
        ds.open();
        QCOMPARE(ds.updateTable(), QStringLiteral("Copies_tab"));
        QCOMPARE(ds.recordCount(), 2);
        QCOMPARE(ds.text(QStringLiteral("BookName")), QStringLiteral("红楼梦"));
        QCOMPARE(ds.text(QStringLiteral("Copies_tab.Operator")), QStringLiteral("copyop"));
        QCOMPARE(ds.text(QStringLiteral("Books_tab.Operator")), QStringLiteral("bookop"));
        QVERIFY(!ds.field(ds.fieldIndex(QStringLiteral("BookName"))).writable);
        ds.edit();
        ds.setValue(QStringLiteral("BookState"), QStringLiteral("破损"));
        ds.post();
        QCOMPARE(ds.text(QStringLiteral("BookState")), QStringLiteral("破损"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Copies_tab WHERE BookState = '破损'")), 1);
        QCOMPARE(c().scalar(QStringLiteral("SELECT Operator FROM Books_tab")).toString(), QStringLiteral("bookop"));
    }

    void keyFilterShowsOnlyChosenRows()
    {
        addBooks(5);
        Dataset ds;
        ds.setSql(QStringLiteral("SELECT * FROM Books_view ORDER BY BookID"));
        ds.open();
        QList<QVariant> keys;
        ds.setCurrentRow(1);
        keys << ds.currentKey();
        ds.setCurrentRow(3);
        keys << ds.currentKey();
        ds.setKeyFilter(keys);
        QCOMPARE(ds.recordCount(), 2);
        QCOMPARE(ds.currentKey(), keys.first());
        ds.next();
        QCOMPARE(ds.currentKey(), keys.last());
        ds.clearKeyFilter();
        QCOMPARE(ds.recordCount(), 5);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
