#include "catalogue/generators/BookCodeGenerator.h"
#include "catalogue/generators/CopyGenerator.h"
#include "catalogue/generators/InputCodeGenerators.h"
#include "catalogue/generators/SQLGenerators.h"
#include "core/DatabaseError.h"
#include "core/DbUtils.h"
#include "core/ProgressService.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

using namespace dedizo;

namespace {

// Answers the confirmation window with a chosen option and notes what it was shown.
class ScriptedHost final : public GeneratorHost
{
public:
    bool answer = true;
    bool reGenAll = true;
    QString caption;
    QString description;
    int busy = 0; // beginBusy minus endBusy

    bool confirm(const QString& c, const QString& d, bool& r) override
    {
        caption = c;
        description = d;
        if (!answer)
            return false;
        r = reGenAll;
        return true;
    }
    void beginBusy() override { ++busy; }
    void endBusy() override { --busy; }
};

// A headless progress service that presses "停止" once `stopAt` records are done
// and remembers the title it was given.
class StoppingProgress final : public ProgressService
{
public:
    int stopAt = -1;
    QStringList titles;

protected:
    void present() override { titles << Title(); }
    void letEventsRun() override
    {
        if (stopAt >= 0 && Position() >= stopAt)
            stop();
    }
};

enum class Gen
{
    BookCodes,
    ReaderCodes,
    PublisherCodes,
    CateNames,
    PublishPlaces,
    Copies,
    CallNumbers
};

std::unique_ptr<BatchGenerator> make(Gen g)
{
    switch (g) {
    case Gen::BookCodes:
        return std::make_unique<BookInputCodeGenerator>();
    case Gen::ReaderCodes:
        return std::make_unique<ReaderInputCodeGenerator>();
    case Gen::PublisherCodes:
        return std::make_unique<PublisherInputCodeGenerator>();
    case Gen::CateNames:
        return std::make_unique<BookCateNameGenerator>();
    case Gen::PublishPlaces:
        return std::make_unique<BookPublishPlaceGenerator>();
    case Gen::Copies:
        return std::make_unique<CopyGenerator>();
    case Gen::CallNumbers:
        return std::make_unique<BookCodeGenerator>();
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Gen)

class TestGenerators : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    StoppingProgress m_progress;
    ProgressService* m_previousProgress = nullptr;
    ScriptedHost m_host;

    Connection& c() { return m_db->connection(); }
    QVariant value(const QString& sql) { return c().scalar(sql); }
    QString text(const QString& sql) { return c().scalar(sql).toString(); }

    void addBook(int id, const QString& name, const QVariant& inputCode = {}, const QString& cateCode = {},
                 int totalCount = 0)
    {
        c().execute(
            QStringLiteral("INSERT INTO Books_tab (BookID, BookName, BookInputCode, Author, BookType, "
                           "CateCode, TotalCount) VALUES (?, ?, ?, '作者', '图书', ?, ?)"),
            {id, name, inputCode, cateCode.isNull() ? QVariant() : QVariant(cateCode), totalCount});
        for (const QString& s :
             c().dialect().identityInsertEnd(QStringLiteral("Books_tab"), QStringLiteral("BookID")))
            c().execute(s);
    }
    void addCopy(int bookId, const QString& barcode, const QString& bookCode = QString())
    {
        c().execute(QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookCode) "
                                   "VALUES (?, ?, '可借', ?)"),
                    {bookId, barcode, bookCode});
    }
    QStringList barcodesOf(int bookId)
    {
        QStringList list;
        QueryList(list, QStringLiteral("SELECT BookBarCode FROM Copies_tab WHERE BookID = %1 ORDER BY CopyID")
                            .arg(bookId));
        return list;
    }
    QStringList bookCodesOf(int bookId)
    {
        QStringList list;
        QueryList(
            list,
            QStringLiteral("SELECT BookCode FROM Copies_tab WHERE BookID = %1 ORDER BY CopyID").arg(bookId));
        return list;
    }

    // Runs a generator through Execute with the scripted host; returns it for its count.
    std::unique_ptr<BatchGenerator> run(Gen g, bool reGenAll, int batchSize = 500)
    {
        auto gen = make(g);
        gen->setBatchSize(batchSize);
        m_host.reGenAll = reGenAll;
        const bool confirmed = gen->Execute(m_host);
        if (!confirmed)
            qFatal("the scripted host confirms");
        return gen;
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        m_prompts = std::make_unique<test::ScriptedPrompts>();
        c().execute(QStringLiteral("DELETE FROM Publishers_tab")); // shipped ones
        m_progress.stopAt = -1;
        m_progress.titles.clear();
        m_previousProgress = setProgressService(&m_progress);
        m_host = ScriptedHost();
        currentUser().clear();
        currentUser().UserCode = QStringLiteral("lib1");
    }
    void cleanup()
    {
        setClockOverride({});
        currentUser().clear();
        setProgressService(m_previousProgress);
        m_prompts.reset();
        m_db.reset();
    }

    // Texts of each generator as the confirmation window, the progress display
    // and the closing message show them.
    void texts_data()
    {
        QTest::addColumn<Gen>("gen");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("descriptionStart");
        QTest::newRow("book codes") << Gen::BookCodes << QStringLiteral("生成书刊名称输入码")
                                    << QStringLiteral("书刊名称输入码用于快速查询书刊信息");
        QTest::newRow("reader codes") << Gen::ReaderCodes << QStringLiteral("生成读者姓名输入码")
                                      << QStringLiteral("读者姓名输入码用于快速查询读者信息");
        QTest::newRow("publisher codes") << Gen::PublisherCodes << QStringLiteral("生成出版单位名称输入码")
                                         << QStringLiteral("出版单位名称输入码用于快速查询出版单位");
        QTest::newRow("class names") << Gen::CateNames << QStringLiteral("根据分类号生成分类名称")
                                     << QStringLiteral("如果您只输入了分类号，而没有输入分类名称");
        QTest::newRow("places") << Gen::PublishPlaces << QStringLiteral("根据出版单位生成出版地")
                                << QStringLiteral("如果您只输入了出版单位，而没有输入出版地");
        QTest::newRow("copies") << Gen::Copies << QStringLiteral("复本批量生成")
                                << QStringLiteral("请将数量输入或导入到输入码字段里；\r\n不会删除已有复本");
        QTest::newRow("call numbers") << Gen::CallNumbers << QStringLiteral("批量生成索书号")
                                      << QStringLiteral("批量生成“分类号/种次号”形式的索书号。");
    }
    void texts()
    {
        QFETCH(Gen, gen);
        QFETCH(QString, caption);
        QFETCH(QString, descriptionStart);
        auto g = run(gen, true);
        QCOMPARE(m_host.caption, caption);
        QVERIFY2(m_host.description.startsWith(descriptionStart), qPrintable(m_host.description));
        QCOMPARE(m_progress.titles, QStringList{QStringLiteral("正在%1...").arg(caption)});
        QCOMPARE(m_prompts->shown.size(), 1);
        QCOMPARE(m_prompts->shown[0].icon, Prompts::Icon::Information);
        QCOMPARE(m_prompts->lastText(), caption + QStringLiteral("：0 条记录进行了此操作。"));
        QVERIFY(!m_progress.isShown()); // the last step closed the display
        QCOMPARE(m_host.busy, 0);
    }

    void declinedRunsNothing()
    {
        addBook(1, QStringLiteral("物权法"), QStringLiteral("3"));
        m_host.answer = false;
        CopyGenerator g;
        QVERIFY(!g.Execute(m_host));
        QVERIFY(barcodesOf(1).isEmpty());
        QVERIFY(m_prompts->shown.isEmpty());
        QVERIFY(m_progress.titles.isEmpty());
    }

    void inputCodes_data()
    {
        QTest::addColumn<Gen>("gen");
        QTest::addColumn<bool>("reGenAll");
        QTest::addColumn<int>("batchSize");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("count");
        // Names: 物权法 (no code), 科学出版社 (code "OLD"), 李明 (code of blanks), O'Reilly 出版 (code "").
        const QStringList all{QStringLiteral("WQF"), QStringLiteral("KXCBS"), QStringLiteral("LM"),
                              QStringLiteral("OREILLYCB")};
        const QStringList onlyEmpty{QStringLiteral("WQF"), QStringLiteral("OLD"), QStringLiteral("LM"),
                                    QStringLiteral("OREILLYCB")};
        for (Gen g : {Gen::BookCodes, Gen::ReaderCodes, Gen::PublisherCodes}) {
            const char* name = g == Gen::BookCodes     ? "books"
                               : g == Gen::ReaderCodes ? "readers"
                                                       : "publishers";
            QTest::addRow("%s, all", name) << g << true << 500 << all << 4;
            QTest::addRow("%s, only empty", name) << g << false << 500 << onlyEmpty << 3;
            QTest::addRow("%s, all, pages of 3", name) << g << true << 3 << all << 4;
            QTest::addRow("%s, only empty, pages of 1", name) << g << false << 1 << onlyEmpty << 3;
        }
    }
    void inputCodes()
    {
        QFETCH(Gen, gen);
        QFETCH(bool, reGenAll);
        QFETCH(int, batchSize);
        QFETCH(QStringList, expected);
        QFETCH(int, count);

        const QStringList names{QStringLiteral("物权法"), QStringLiteral("科学出版社"),
                                QStringLiteral("李明"), QStringLiteral("O'Reilly 出版")};
        const QVariantList codes{QVariant(), QStringLiteral("OLD"), QStringLiteral("   "),
                                 QStringLiteral("")};
        auto g = make(gen);
        const InputCodeFields f = static_cast<InputCodeGenerator&>(*g).fields();
        for (int i = 0; i < names.size(); ++i) {
            if (gen == Gen::BookCodes)
                addBook(i + 1, names[i], codes[i]);
            else
                c().execute(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                                .arg(f.tableName, f.valueField, f.codeField),
                            {names[i], codes[i]});
        }
        Dataset& shown = gen == Gen::BookCodes     ? DM1().BooksQuery
                         : gen == Gen::ReaderCodes ? DM1().ReadersQuery
                                                   : DM1().PublishersQuery;
        shown.open();
        QVERIFY(shown.locate(f.valueField, names[0]));

        auto done = run(gen, reGenAll, batchSize);
        QCOMPARE(done->genCount(), count);
        QStringList got;
        QueryList(got,
                  QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(f.codeField, f.tableName, f.idField));
        QCOMPARE(got, expected);
        QCOMPARE(m_prompts->lastText(),
                 QStringLiteral("%1：%2 条记录进行了此操作。").arg(done->Caption()).arg(count));
        // The list's dataset shows the new codes, still on the same record.
        QVERIFY(shown.isOpen());
        QCOMPARE(shown.text(f.valueField), names[0]);
        QCOMPARE(shown.text(f.codeField), QStringLiteral("WQF"));
        shown.close();
    }

    void classNamesAndPlaces_data()
    {
        QTest::addColumn<Gen>("gen");
        QTest::addColumn<bool>("reGenAll");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("count");
        // Books 1-4: a known key with no value, a known key with a value, a known
        // key with blanks, an unknown key.
        QTest::newRow("class names, all")
            << Gen::CateNames << true
            << QStringList{QStringLiteral("程序设计"), QStringLiteral("程序设计"), QStringLiteral("小说"),
                           QString()}
            << 3;
        QTest::newRow("class names, only empty")
            << Gen::CateNames << false
            << QStringList{QStringLiteral("程序设计"), QStringLiteral("旧值"), QStringLiteral("小说"),
                           QString()}
            << 2;
        QTest::newRow("places, all") << Gen::PublishPlaces << true
                                     << QStringList{QStringLiteral("北京"), QStringLiteral("北京"),
                                                    QStringLiteral("上海"), QString()}
                                     << 3;
        QTest::newRow("places, only empty")
            << Gen::PublishPlaces << false
            << QStringList{QStringLiteral("北京"), QStringLiteral("旧值"), QStringLiteral("上海"), QString()}
            << 2;
    }
    void classNamesAndPlaces()
    {
        QFETCH(Gen, gen);
        QFETCH(bool, reGenAll);
        QFETCH(QStringList, expected);
        QFETCH(int, count);

        c().execute(QStringLiteral("INSERT INTO BookCate_tab (BookCateParentID, BookCateCode, BookCateName) "
                                   "VALUES (0, 'TP311', '程序设计'), (0, 'I247', '小说')"));
        c().execute(QStringLiteral("INSERT INTO Publishers_tab (PublisherName, PublisherPlace) VALUES "
                                   "('科学出版社', '北京'), ('上海译文出版社', '上海')"));
        const bool places = gen == Gen::PublishPlaces;
        const QString keyColumn = places ? QStringLiteral("Publisher") : QStringLiteral("CateCode");
        const QString valueColumn = places ? QStringLiteral("PublishPlace") : QStringLiteral("CateName");
        const QStringList keys =
            places ? QStringList{QStringLiteral("科学出版社"), QStringLiteral("科学出版社"),
                                 QStringLiteral("上海译文出版社"), QStringLiteral("无此出版社")}
                   : QStringList{QStringLiteral("TP311"), QStringLiteral("TP311"), QStringLiteral("I247"),
                                 QStringLiteral("X999")};
        const QVariantList values{QVariant(), QStringLiteral("旧值"), QStringLiteral("  "), QVariant()};
        for (int i = 0; i < keys.size(); ++i) {
            addBook(i + 1, QStringLiteral("书%1").arg(i + 1));
            c().execute(QStringLiteral("UPDATE Books_tab SET %1 = ?, %2 = ? WHERE BookID = ?")
                            .arg(keyColumn, valueColumn),
                        {keys[i], values[i], i + 1});
        }

        QStringList statements;
        c().setStatementObserver([&](const QString& sql) { statements << sql; });
        auto done = run(gen, reGenAll);
        c().setStatementObserver({});

        // One UPDATE does the work.
        const QStringList updates = statements.filter(QRegularExpression(QStringLiteral("^\\s*UPDATE")));
        QCOMPARE(updates.size(), 1);
        QCOMPARE(updates[0], static_cast<SQLGenerator&>(*done).GetSQL());
        QCOMPARE(done->genCount(), count);
        QStringList got;
        QueryList(got, QStringLiteral("SELECT %1 FROM Books_tab ORDER BY BookID").arg(valueColumn));
        for (QString& s : got)
            s = s.trimmed();
        QCOMPARE(got, expected);
    }

    void copies_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("existing"); // copies 12-1 ... 12-existing, TotalCount = existing
        QTest::addColumn<bool>("reGenAll");
        QTest::addColumn<QStringList>("added");

        const QString name = QStringLiteral("物权法");
        const QStringList three{QStringLiteral("12-1"), QStringLiteral("12-2"), QStringLiteral("12-3")};
        QTest::newRow("three, no copies") << name << QStringLiteral("3") << 0 << true << three;
        QTest::newRow("three, no copies, only empty") << name << QStringLiteral("3") << 0 << false << three;
        QTest::newRow("blanks around the count")
            << name << QStringLiteral(" 2 ") << 0 << true
            << QStringList{QStringLiteral("12-1"), QStringLiteral("12-2")};
        QTest::newRow("leading zeros") << name << QStringLiteral("003") << 0 << true << three;
        // Copies added again continue after the barcodes already taken.
        QTest::newRow("three more, all")
            << name << QStringLiteral("3") << 2 << true
            << QStringList{QStringLiteral("12-3"), QStringLiteral("12-4"), QStringLiteral("12-5")};
        QTest::newRow("has copies, only empty") << name << QStringLiteral("3") << 2 << false << QStringList();
        QTest::newRow("empty") << name << QString() << 0 << true << QStringList();
        QTest::newRow("zero") << name << QStringLiteral("0") << 0 << true << QStringList();
        QTest::newRow("negative") << name << QStringLiteral("-2") << 0 << true << QStringList();
        QTest::newRow("plus sign") << name << QStringLiteral("+2") << 0 << true << QStringList();
        QTest::newRow("letters") << name << QStringLiteral("WQF") << 0 << true << QStringList();
        QTest::newRow("hex-looking") << name << QStringLiteral("0x3") << 0 << true << QStringList();
        QTest::newRow("decimal point") << name << QStringLiteral("2.5") << 0 << true << QStringList();
        QTest::newRow("too large") << name << QStringLiteral("99999999999") << 0 << true << QStringList();
        // The title's own input code is no count.
        QTest::newRow("title 1984") << QStringLiteral("1984") << QStringLiteral("1984") << 0 << true
                                    << QStringList();
    }
    void copies()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(int, existing);
        QFETCH(bool, reGenAll);
        QFETCH(QStringList, added);

        addBook(12, name, code, QString(), existing);
        QStringList before;
        for (int i = 1; i <= existing; ++i) {
            addCopy(12, QStringLiteral("12-%1").arg(i));
            before << QStringLiteral("12-%1").arg(i);
        }
        // A book without a count beside it stays as it is.
        addBook(13, QStringLiteral("三国演义"), QStringLiteral("SGYY"));

        auto g = run(Gen::Copies, reGenAll, 1);
        QCOMPARE(barcodesOf(12), before + added);
        QCOMPARE(value(QStringLiteral("SELECT TotalCount FROM Books_tab WHERE BookID = 12")).toInt(),
                 existing + int(added.size()));
        QCOMPARE(g->genCount(), int(added.size()));
        QVERIFY(barcodesOf(13).isEmpty());
        QCOMPARE(value(QStringLiteral("SELECT TotalCount FROM Books_tab WHERE BookID = 13")).toInt(), 0);
        QVERIFY(!DM1().CopiesQuery.isOpen());
    }

    // The new copies get what the copy rules give a copy added by hand.
    void copyDefaults_data()
    {
        QTest::addColumn<QString>("room");
        QTest::newRow("no book room") << QString();
        QTest::newRow("book room") << QStringLiteral("一室");
    }
    void copyDefaults()
    {
        QFETCH(QString, room);
        currentUser().BookRoom = room;
        setClockOverride(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
        addBook(7, QStringLiteral("物权法"), QStringLiteral("2"));
        DM1().BooksQuery.open();

        run(Gen::Copies, true);
        QSqlQuery q = c().select(
            QStringLiteral("SELECT BookState, RegDate, Operator, BookRoom FROM Copies_tab WHERE BookID = 7"));
        int rows = 0;
        while (q.next()) {
            ++rows;
            QCOMPARE(q.value(0).toString(), QStringLiteral("可借"));
            QCOMPARE(q.value(1).toDate(), QDate(2024, 3, 5));
            QCOMPARE(q.value(2).toString(), QStringLiteral("lib1"));
            QCOMPARE(q.value(3).toString(), room);
        }
        QCOMPARE(rows, 2);
        // The books list shows the new total.
        QVERIFY(DM1().BooksQuery.locate(QStringLiteral("BookID"), 7));
        QCOMPARE(DM1().BooksQuery.value(QStringLiteral("TotalCount")).toInt(), 2);
        DM1().BooksQuery.close();
    }

    void callNumbers_data()
    {
        QTest::addColumn<QStringList>("books"); // "id|class|copies"
        QTest::addColumn<bool>("reGenAll");
        QTest::addColumn<QStringList>("expected"); // "id|call number of every copy" ("" = untouched)
        QTest::addColumn<int>("count");

        QTest::newRow("one class") << QStringList{"5|TP311|1", "9|TP311|2", "12|TP311|3"} << true
                                   << QStringList{"5|TP311/1", "9|TP311/2", "12|TP311/3"} << 3;
        QTest::newRow("one class, only empty has no effect")
            << QStringList{"5|TP311|1", "9|TP311|2", "12|TP311|3"} << false
            << QStringList{"5|TP311/1", "9|TP311/2", "12|TP311/3"} << 3;
        QTest::newRow("classes interleaved")
            << QStringList{"5|TP311|1", "6|I247|1", "9|TP311|1", "11|I247|1"} << true
            << QStringList{"5|TP311/1", "6|I247/1", "9|TP311/2", "11|I247/2"} << 4;
        // Blanks around a code do not split the class: numbers follow BookID.
        QTest::newRow("blanks around the code")
            << QStringList{"5|TP311|1", "9| TP311|1", "12|TP311 |1"} << true
            << QStringList{"5|TP311/1", "9|TP311/2", "12|TP311/3"} << 3;
        QTest::newRow("letter case makes another class")
            << QStringList{"5|TP311|1", "9|tp311|1", "12|TP311|1"} << true
            << QStringList{"5|TP311/1", "9|tp311/1", "12|TP311/2"} << 3;
        // A title without copies is not numbered; one without a class is read but skipped.
        QTest::newRow("no copies, no class") << QStringList{"5|TP311|0", "9||1", "12|TP311|1"} << true
                                             << QStringList{"5|", "9|", "12|TP311/1"} << 2;
    }
    void callNumbers()
    {
        QFETCH(QStringList, books);
        QFETCH(bool, reGenAll);
        QFETCH(QStringList, expected);
        QFETCH(int, count);

        for (const QString& b : books) {
            const QStringList p = b.split(QLatin1Char('|'));
            const int id = p[0].toInt();
            const int copies = p[2].toInt();
            addBook(id, QStringLiteral("书%1").arg(id), QVariant(), p[1], copies);
            for (int k = 1; k <= copies; ++k)
                addCopy(id, QStringLiteral("%1-%2").arg(id).arg(k), QString());
            if (copies == 0) // a copy the TotalCount does not know of keeps its number
                addCopy(id, QStringLiteral("%1-x").arg(id), QString());
        }
        auto g = run(Gen::CallNumbers, reGenAll, 2);
        for (const QString& e : expected) {
            const int id = e.section(QLatin1Char('|'), 0, 0).toInt();
            const QString code = e.section(QLatin1Char('|'), 1);
            const QStringList got = bookCodesOf(id);
            QVERIFY(!got.isEmpty());
            for (const QString& s : got)
                QCOMPARE(s, code);
        }
        QCOMPARE(g->genCount(), count);
    }

    // A stop in the progress ends the run after the current record; what was
    // done is committed and counted.
    void stopKeepsWhatWasDone_data()
    {
        QTest::addColumn<Gen>("gen");
        QTest::newRow("input codes") << Gen::BookCodes;
        QTest::newRow("copies") << Gen::Copies;
        QTest::newRow("call numbers") << Gen::CallNumbers;
    }
    void stopKeepsWhatWasDone()
    {
        QFETCH(Gen, gen);
        const QStringList names{QStringLiteral("物权法"), QStringLiteral("红楼梦"), QStringLiteral("西游记"),
                                QStringLiteral("三国演义"), QStringLiteral("聊斋志异")};
        for (int id = 1; id <= 5; ++id) {
            addBook(id, names[id - 1], gen == Gen::Copies ? QVariant(QStringLiteral("2")) : QVariant(),
                    QStringLiteral("TP311"), gen == Gen::CallNumbers ? 1 : 0);
            if (gen == Gen::CallNumbers)
                addCopy(id, QString::number(id));
        }
        m_progress.stopAt = 3;
        auto g = run(gen, true, 2); // pages of two: the stop falls inside the second page
        QVERIFY(!c().inTransaction());
        QVERIFY(!m_progress.isShown());

        // Read through a second connection: only committed work is seen there.
        ConnectParams p = m_db->params();
        Connection other(p, QStringLiteral("other-reader"));
        QString error;
        QVERIFY2(other.open(&error), qPrintable(error));
        QStringList done;
        QSqlQuery q(other.database());
        const QString sql =
            gen == Gen::BookCodes ? QStringLiteral("SELECT BookInputCode FROM Books_tab ORDER BY BookID")
            : gen == Gen::Copies
                ? QStringLiteral(
                      "SELECT COUNT(CopyID) FROM Books_tab LEFT JOIN Copies_tab ON Copies_tab.BookID = "
                      "Books_tab.BookID GROUP BY Books_tab.BookID ORDER BY Books_tab.BookID")
                : QStringLiteral("SELECT BookCode FROM Copies_tab ORDER BY BookID");
        QVERIFY(q.exec(sql));
        while (q.next())
            done << q.value(0).toString();
        q.finish();
        other.close();

        const QStringList expected = gen == Gen::BookCodes ? QStringList{"WQF", "HLM", "XYJ", "", ""}
                                     : gen == Gen::Copies
                                         ? QStringList{"2", "2", "2", "0", "0"}
                                         : QStringList{"TP311/1", "TP311/2", "TP311/3", "", ""};
        QCOMPARE(done, expected);
        const int count = gen == Gen::Copies ? 6 : 3;
        QCOMPARE(g->genCount(), count);
        QCOMPARE(m_prompts->lastText(),
                 QStringLiteral("%1：%2 条记录进行了此操作。").arg(g->Caption()).arg(count));
    }

    // A database error rolls back the page it happened in; the pages before it
    // stay, the window state is restored, the display closed and no result shown.
    void errorKeepsEarlierPages()
    {
        if (m_db->kind() == DbKind::File) {
            c().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF BookInputCode ON Books_tab "
                                       "WHEN NEW.BookName = '坏' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        } else {
            c().execute(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN "
                                       "IF NEW.BookName = '坏' THEN RAISE EXCEPTION 'refused'; END IF; "
                                       "RETURN NEW; END $$ LANGUAGE plpgsql"));
            c().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Books_tab "
                                       "FOR EACH ROW EXECUTE FUNCTION refuse()"));
        }
        const QStringList names{QStringLiteral("物权法"), QStringLiteral("红楼梦"), QStringLiteral("水浒传"),
                                QStringLiteral("坏"), QStringLiteral("西游记")};
        for (int id = 1; id <= 5; ++id)
            addBook(id, names[id - 1]);

        BookInputCodeGenerator g;
        g.setBatchSize(2);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, g.Execute(m_host));
        QCOMPARE(m_host.busy, 0);
        QVERIFY(!m_progress.isShown());
        QVERIFY(!c().inTransaction());
        QVERIFY(m_prompts->shown.isEmpty());
        QStringList got;
        QueryList(got, QStringLiteral("SELECT BookInputCode FROM Books_tab ORDER BY BookID"));
        QCOMPARE(got, (QStringList{"WQF", "HLM", "", "", ""}));
    }

    void copyCount_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::newRow("plain") << "3"
                               << "物权法" << 3;
        QTest::newRow("blanks") << "  12\t"
                                << "物权法" << 12;
        QTest::newRow("full-width digits") << "３"
                                           << "物权法" << 0;
        QTest::newRow("largest int") << "2147483647"
                                     << "物权法" << 2147483647;
        QTest::newRow("int overflow") << "2147483648"
                                      << "物权法" << 0;
        QTest::newRow("name's own code") << "2012"
                                         << "2012" << 0;
        QTest::newRow("name with the digits in letters") << "2012"
                                                         << "二〇一二" << 2012;
    }
    void copyCount()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(int, count);
        QCOMPARE(CopyGenerator::copyCount(code, name), count);
    }
};

QTEST_GUILESS_MAIN(TestGenerators)
#include "tst_generators.moc"
