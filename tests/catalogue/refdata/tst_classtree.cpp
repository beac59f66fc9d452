#include "catalogue/refdata/ClassTree.h"
#include "core/Connection.h"
#include "core/UserInfo.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QtTest>

using namespace dedizo;

class TestClassTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    int m_selects = 0;

    Connection& c() { return m_db->connection(); }
    int addClass(const QString& parentCode, const QString& code, const QString& name)
    {
        const int parent =
            c().scalar(QStringLiteral("SELECT BookCateID FROM BookCate_tab WHERE BookCateCode = '%1'")
                           .arg(parentCode))
                .toInt();
        c().execute(QStringLiteral("INSERT INTO BookCate_tab (BookCateParentID, BookCateCode, BookCateName) "
                                   "VALUES (?, ?, ?)"),
                    {parent, code, name});
        return c().scalar(QStringLiteral("SELECT MAX(BookCateID) FROM BookCate_tab")).toInt();
    }
    static NavigationNode* child(NavigationNode* node, const QString& code)
    {
        for (const auto& ch : node->children)
            if (ch->payload == code)
                return ch.get();
        return nullptr;
    }
    static QStringList captions(const NavigationNode* node)
    {
        QStringList list;
        for (const auto& ch : node->children)
            list << ch->caption;
        return list;
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        currentUser().clear();
        addClass(QStringLiteral("T"), QStringLiteral("TP"), QStringLiteral("自动化技术、计算机技术"));
        addClass(QStringLiteral("T"), QStringLiteral("TN"), QStringLiteral("无线电电子学、电信技术"));
        addClass(QStringLiteral("TP"), QStringLiteral("TP3"), QStringLiteral("计算技术、计算机技术"));
        addClass(QStringLiteral("TP3"), QStringLiteral("TP31"), QStringLiteral("计算机软件"));
        addClass(QStringLiteral("TP31"), QStringLiteral("TP311"), QStringLiteral("程序设计、软件工程"));
        m_selects = 0;
        c().setStatementObserver([this](const QString& sql) {
            if (sql.contains(QLatin1String("FROM BookCate_tab")))
                ++m_selects;
        });
    }
    void cleanup()
    {
        c().setStatementObserver(nullptr);
        m_db.reset();
    }

    // The root reads the top level and, being expanded, one level below it.
    void rootLoadsOneLevelAhead()
    {
        NavigationTree tree;
        NavigationNode* root = AddClassRoot(tree);
        QCOMPARE(root->caption, QStringLiteral("全部类别"));
        QCOMPARE(root->classId, std::optional<int>(0));
        QVERIFY(root->expanded);
        QCOMPARE(root->children.size(), size_t(22));
        QCOMPARE(root->children.front()->caption,
                 QStringLiteral("A 马克思主义、列宁主义、毛泽东思想、邓小平理论"));
        QCOMPARE(m_selects, 1 + 22);
        NavigationNode* t = child(root, QStringLiteral("T"));
        QVERIFY(t->childrenLoaded);
        QCOMPARE(captions(t), (QStringList{"TP 自动化技术、计算机技术", "TN 无线电电子学、电信技术"}));
        NavigationNode* tp = child(t, QStringLiteral("TP"));
        QVERIFY(!tp->childrenLoaded);
        QVERIFY(tp->children.empty());

        m_selects = 0;
        ExpandClassNode(*t); // TP and TN learn whether they have children
        QCOMPARE(m_selects, 2);
        QCOMPARE(captions(tp), QStringList{"TP3 计算技术、计算机技术"});
        QVERIFY(child(tp, QStringLiteral("TP3"))->children.empty());
        m_selects = 0;
        ExpandClassNode(*t); // never read twice
        QCOMPARE(m_selects, 0);
    }

    void conditionsOfNodes()
    {
        NavigationTree tree;
        BuildNavigationTree(tree);
        QCOMPARE(tree.roots.size(), size_t(2));
        NavigationNode* root = tree.roots[0].get();
        QCOMPARE(NodeCondition(*root), QString());
        NavigationNode* t = child(root, QStringLiteral("T"));
        ExpandClassNode(*t);
        ExpandClassNode(*child(t, QStringLiteral("TP")));
        NavigationNode* tp3 = child(child(t, QStringLiteral("TP")), QStringLiteral("TP3"));
        ExpandClassNode(*tp3);
        NavigationNode* tp311 = child(child(tp3, QStringLiteral("TP31")), QStringLiteral("TP311"));
        QVERIFY(tp311);
        QCOMPARE(NodeCondition(*tp311), QStringLiteral("CateCode LIKE 'TP311%'"));
        QCOMPARE(NodeCondition(*t), QStringLiteral("CateCode LIKE 'T%'"));
        QCOMPARE(tree.findClass(*tp311->classId), tp311);

        NavigationNode* types = tree.roots[1].get();
        QCOMPARE(types->caption, QStringLiteral("馆藏类型"));
        QVERIFY(types->expanded);
        QVERIFY(!types->classId);
        QCOMPARE(NodeCondition(*types), QString());
        QCOMPARE(captions(types), (QStringList{"图书", "期刊", "报纸", "音像资料", "电子出版物"}));
        QCOMPARE(NodeCondition(*types->children[1]), QStringLiteral("BookType = '期刊'"));
        ExpandClassNode(*types); // no class id: nothing to load
        QCOMPARE(types->children.size(), size_t(5));
    }

    void conditionsFilterTheCopies_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("titles");
        QTest::newRow("class and subclasses") << "TP3" << 2;
        QTest::newRow("leaf") << "TP311" << 1;
        QTest::newRow("top level") << "T" << 3;
    }
    void conditionsFilterTheCopies()
    {
        QFETCH(QString, code);
        QFETCH(int, titles);
        for (const char* cate : {"TP311.5", "TP31", "TN91", "I247"})
            c().execute(QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, CateCode) "
                                       "VALUES ('书', '著者', '图书', ?)"),
                        {QString::fromLatin1(cate)});
        NavigationNode node;
        node.classId = 99;
        node.payload = code;
        QCOMPARE(
            c().scalar(QStringLiteral("SELECT COUNT(*) FROM Books_tab WHERE ") + NodeCondition(node)).toInt(),
            titles);
    }

    // A class saved under a node whose children were never read appears once.
    void addingUnderAnUnreadNodeGivesNoTwin()
    {
        NavigationTree tree;
        NavigationNode* root = AddClassRoot(tree);
        NavigationNode* tp = child(child(root, QStringLiteral("T")), QStringLiteral("TP"));
        QVERIFY(!tp->childrenLoaded);
        const int id =
            addClass(QStringLiteral("TP"), QStringLiteral("TP2"), QStringLiteral("自动化基础理论"));
        NavigationNode* added =
            AddClassChild(*tp, id, QStringLiteral("TP2"), QStringLiteral("自动化基础理论"));
        QVERIFY(added);
        QCOMPARE(captions(tp), (QStringList{"TP3 计算技术、计算机技术", "TP2 自动化基础理论"}));
        ExpandClassNode(*tp);
        QCOMPARE(tp->children.size(), size_t(2));

        const int id2 =
            addClass(QStringLiteral("TP"), QStringLiteral("TP1"), QStringLiteral("自动化基础理论"));
        AddClassChild(*tp, id2, QStringLiteral("TP1"), QStringLiteral("自动化基础理论"));
        QCOMPARE(tp->children.size(), size_t(3));
        QVERIFY(tree.remove(tp->children.back().get()));
        QCOMPARE(tp->children.size(), size_t(2));
    }

    void subclassesOfAClass()
    {
        const int tp =
            c().scalar(QStringLiteral("SELECT BookCateID FROM BookCate_tab WHERE BookCateCode = 'TP'"))
                .toInt();
        const int tp311 =
            c().scalar(QStringLiteral("SELECT BookCateID FROM BookCate_tab WHERE BookCateCode = 'TP311'"))
                .toInt();
        QVERIFY(ClassHasSubclasses(tp));
        QVERIFY(!ClassHasSubclasses(tp311));
        QVERIFY(ClassHasSubclasses(0)); // the top level hangs under 0
    }
};

QTEST_GUILESS_MAIN(TestClassTree)
#include "tst_classtree.moc"
