#include "catalogue/generators/BatchGenerator.h"
#include "catalogue/refdata/ui/BookCateForm.h"
#include "catalogue/refdata/ui/DataDictForm.h"
#include "catalogue/refdata/ui/DictionaryCombos.h"
#include "catalogue/refdata/ui/NavigationTreeWidget.h"
#include "catalogue/refdata/ui/PublishersForm.h"
#include "catalogue/refdata/ui/RefdataWindows.h"
#include "core/Dataset.h"
#include "core/DbUtils.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "core/ui/ActionTags.h"
#include "core/ui/DataGrid.h"
#include "tests/catalogue/refdata/ui/EditorDriver.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace dedizo;
using test::EditorDriver;

class TestRefdataUi : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }
    int classId(const QString& code)
    {
        return count(
            QStringLiteral("SELECT BookCateID FROM BookCate_tab WHERE BookCateCode = '%1'").arg(code));
    }
    int addClass(const QString& parentCode, const QString& code, const QString& name)
    {
        c().execute(QStringLiteral("INSERT INTO BookCate_tab (BookCateParentID, BookCateCode, BookCateName) "
                                   "VALUES (?, ?, ?)"),
                    {classId(parentCode), code, name});
        return classId(code);
    }
    static QTreeWidgetItem* childItem(QTreeWidgetItem* item, const QString& code)
    {
        for (int i = 0; i < item->childCount(); ++i)
            if (NavigationTreeWidget::nodeOf(item->child(i))->payload == code)
                return item->child(i);
        return nullptr;
    }
    static QStringList visibleHeaders(QTableView* view)
    {
        QStringList list;
        for (int i = 0; i < view->model()->columnCount(); ++i)
            if (!view->isColumnHidden(i))
                list << view->model()->headerData(i, Qt::Horizontal).toString();
        return list;
    }
    static void selectRow(FatherForm& form, const QString& field, const QString& value)
    {
        QVERIFY(form.GetDataSet()->locate(field, value));
        form.grid()->view()->selectRow(form.GetDataSet()->currentRow());
    }

private Q_SLOTS:
    void init() { test::startAdminSession(m_db, m_prompts); }
    void cleanup() { test::endSession(m_db, m_prompts); }

    // --- data dictionary ---

    void dictionaryShowsTheSelectedCategory()
    {
        DataDictForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("数据字典维护"));
        QCOMPARE(form.LstCategories->count(), 11);
        QCOMPARE(form.LstCategories->item(3)->text(), QStringLiteral("所在书室"));
        QCOMPARE(form.currentCategory(), 0);
        QCOMPARE(form.GetDataSet()->recordCount(), 1);
        form.selectCategory(9);
        Dataset* items = form.GetDataSet();
        QCOMPARE(items->recordCount(), 9);
        QCOMPARE(items->text(QStringLiteral("ItemName")), QStringLiteral("日刊"));
        QVERIFY(items->sqlText().contains(QStringLiteral("ItemCate = 9")));
        QCOMPARE(items->sql().last(), QStringLiteral("ORDER BY ItemCode"));
        QCOMPARE(visibleHeaders(form.grid()->view()), (QStringList{"序号", "名称"}));
        // The list's own filters stay inside the category.
        form.ApplyWhere(QStringLiteral("ItemCode > 7"));
        QCOMPARE(items->recordCount(), 2);
        QCOMPARE(form.recordCountText(), QStringLiteral("共有记录：2 条"));
        for (QAction* a : {form.ItemsAdd, form.ItemsMod, form.ItemsDel})
            QCOMPARE(actionTag(a), int(TagOperate));
    }

    void addingNeedsACategory()
    {
        EditorDriver driver;
        DataDictForm form;
        form.LstCategories->setCurrentRow(-1);
        form.ItemsAdd->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("请先选择字典类别，再执行该功能。"));
        QVERIFY(driver.opened.isEmpty());
    }

    void renamingARoomInTheEditor()
    {
        c().execute(QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookRoom) "
                                   "VALUES (0, 'T001', '可借', '一室')"));
        c().execute(
            QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, ReaderCateID, Sex, HomePhone) "
                           "VALUES ('张伟', 'R1', 1, 1, '一室')"));
        c().execute(QStringLiteral("INSERT INTO Users_tab (UserCode, UserName, Title, IsLock) "
                                   "VALUES ('lib1', '馆员', '一室', 0)"));
        EditorDriver driver;
        DataDictForm form;
        form.selectCategory(3);
        selectRow(form, QStringLiteral("ItemName"), QStringLiteral("一室"));
        driver.script = [](RecordEditForm* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("项目修改"));
            QCOMPARE(EditorDriver::text(editor, QStringLiteral("ItemName")), QStringLiteral("一室"));
            EditorDriver::type(editor, QStringLiteral("ItemName"), QStringLiteral("一层"));
            editor->BtnSave->click();
        };
        form.ItemsMod->trigger();
        QCOMPARE(driver.opened, QStringList{"TItemEditForm"});
        QVERIFY(!driver.leftOpen);
        QCOMPARE(QueryValue("SELECT BookRoom FROM Copies_tab"), QStringLiteral("一层"));
        QCOMPARE(QueryValue("SELECT HomePhone FROM Readers_tab"), QStringLiteral("一层"));
        QCOMPARE(QueryValue("SELECT Title FROM Users_tab"), QStringLiteral("一层"));
        QCOMPARE(form.GetDataSet()->text(QStringLiteral("ItemName")), QStringLiteral("一层"));

        // Refused: the editor stays with the focus on the name; closing it keeps the old name.
        driver.script = [this](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("ItemName"), QString());
            editor->BtnSave->click();
            QVERIFY(editor->isVisible());
            QCOMPARE(m_prompts->lastText(), QStringLiteral("名称不能为空。"));
            QCOMPARE(editor->focusWidget(), editor->fieldWidget(QStringLiteral("ItemName")));
        };
        form.ItemsMod->trigger();
        QVERIFY(driver.leftOpen);
        QVERIFY(!form.GetDataSet()->isEditing());
        QCOMPARE(form.GetDataSet()->text(QStringLiteral("ItemName")), QStringLiteral("一层"));
        QCOMPARE(QueryValue("SELECT BookRoom FROM Copies_tab"), QStringLiteral("一层"));
    }

    // Enter walks through the fields, Ctrl+Enter saves; a new item lands in the category.
    void addingAnItemWithTheKeyboard()
    {
        EditorDriver driver;
        DataDictForm form;
        form.selectCategory(3);
        driver.script = [](RecordEditForm* editor) {
            QWidget* code = editor->fieldWidget(QStringLiteral("ItemCode"));
            QWidget* name = editor->fieldWidget(QStringLiteral("ItemName"));
            QCOMPARE(editor->focusWidget(), code);
            QTest::keyClicks(code, QStringLiteral("4"));
            QTest::keyClick(code, Qt::Key_Return);
            QCOMPARE(editor->focusWidget(), name);
            EditorDriver::typeText(name, QStringLiteral("四室"));
            QTest::keyClick(name, Qt::Key_Return, Qt::ControlModifier);
        };
        form.ItemsAdd->trigger();
        QVERIFY(!driver.leftOpen);
        QCOMPARE(count("SELECT ItemCate FROM Items_tab WHERE ItemName = '四室'"), 3);
        QCOMPARE(count("SELECT ItemCode FROM Items_tab WHERE ItemName = '四室'"), 4);
        QCOMPARE(form.GetDataSet()->recordCount(), 4);
    }

    void deletingAnItem_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void deletingAnItem()
    {
        QFETCH(bool, answer);
        c().execute(QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookRoom) "
                                   "VALUES (0, 'T001', '可借', '阅览室')"));
        DataDictForm form;
        form.selectCategory(3);
        selectRow(form, QStringLiteral("ItemName"), QStringLiteral("阅览室"));
        m_prompts->confirmAnswers.enqueue(answer);
        form.ItemsDel->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("确定要删除此条记录吗?"));
        QCOMPARE(count("SELECT COUNT(*) FROM Items_tab WHERE ItemName = '阅览室'"), answer ? 0 : 1);
        QCOMPARE(QueryValue("SELECT BookRoom FROM Copies_tab"),
                 QStringLiteral("阅览室")); // values in use stay
    }

    // --- classification ---

    void classWindowFollowsTheTree()
    {
        addClass(QStringLiteral("T"), QStringLiteral("TP"), QStringLiteral("自动化技术、计算机技术"));
        addClass(QStringLiteral("TP"), QStringLiteral("TP3"), QStringLiteral("计算技术、计算机技术"));
        BookCateForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("书刊类别设置"));
        QCOMPARE(form.TreeCate->topLevelItemCount(), 1);
        QTreeWidgetItem* root = form.TreeCate->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("全部类别"));
        QVERIFY(root->isExpanded());
        QCOMPARE(root->childCount(), 22);
        QTreeWidgetItem* t = childItem(root, QStringLiteral("T"));
        QCOMPARE(t->childCount(), 1); // one level ahead: T shows it can be expanded
        QTreeWidgetItem* tp = childItem(t, QStringLiteral("TP"));
        QCOMPARE(tp->childCount(), 0);
        t->setExpanded(true);
        QCOMPARE(tp->childCount(), 1);
        QCOMPARE(tp->child(0)->text(0), QStringLiteral("TP3 计算技术、计算机技术"));

        form.TreeCate->setCurrentItem(tp);
        QCOMPARE(form.GetDataSet()->recordCount(), 1);
        QCOMPARE(form.GetDataSet()->text(QStringLiteral("BookCateCode")), QStringLiteral("TP"));
        form.TreeCate->setCurrentItem(root);
        QCOMPARE(form.GetDataSet()->recordCount(), 0);
        QCOMPARE(visibleHeaders(form.grid()->view()), (QStringList{"书刊类别编码", "书刊类别名称"}));
    }

    void addingSubclasses()
    {
        EditorDriver driver;
        BookCateForm form;
        QTreeWidgetItem* t = childItem(form.TreeCate->topLevelItem(0), QStringLiteral("T"));
        form.TreeCate->setCurrentItem(t);
        driver.script = [](RecordEditForm* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("书刊类别修改"));
            EditorDriver::type(editor, QStringLiteral("BookCateCode"), QStringLiteral("tp"));
            QCOMPARE(EditorDriver::text(editor, QStringLiteral("BookCateCode")), QStringLiteral("TP"));
            EditorDriver::type(editor, QStringLiteral("BookCateName"),
                               QStringLiteral("自动化技术、计算机技术"));
            editor->BtnSave->click();
        };
        form.BookCateAdd->trigger();
        QVERIFY(!driver.leftOpen);
        QCOMPARE(count("SELECT BookCateParentID FROM BookCate_tab WHERE BookCateCode = 'TP'"), classId("T"));
        QCOMPARE(t->childCount(), 1);
        QCOMPARE(t->child(0)->text(0), QStringLiteral("TP 自动化技术、计算机技术"));
        QCOMPARE(*NavigationTreeWidget::nodeOf(t->child(0))->classId, classId("TP"));

        // The same code again, typed in lower case: refused, the editor stays on the code.
        form.TreeCate->setCurrentItem(t);
        driver.script = [this](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("BookCateCode"), QStringLiteral("tp"));
            EditorDriver::type(editor, QStringLiteral("BookCateName"), QStringLiteral("重复"));
            editor->BtnSave->click();
            QVERIFY(editor->isVisible());
            QCOMPARE(m_prompts->lastText(), QStringLiteral("您输入的书刊类别编码已存在。"));
            QCOMPARE(editor->focusWidget(), editor->fieldWidget(QStringLiteral("BookCateCode")));
        };
        form.BookCateAdd->trigger();
        QVERIFY(driver.leftOpen);
        QCOMPARE(count("SELECT COUNT(*) FROM BookCate_tab WHERE BookCateCode = 'TP'"), 1);
        QCOMPARE(t->childCount(), 1);
        QVERIFY(!form.GetDataSet()->isEditing());

        // An empty code is refused as well.
        driver.script = [this](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("BookCateName"), QStringLiteral("无编码"));
            editor->BtnSave->click();
            QCOMPARE(m_prompts->lastText(), QStringLiteral("书刊类别编码不能为空。"));
        };
        form.BookCateAdd->trigger();
        QVERIFY(driver.leftOpen);
    }

    void addingNeedsAParentNode()
    {
        EditorDriver driver;
        BookCateForm form;
        form.TreeCate->setCurrentItem(nullptr);
        form.BookCateAdd->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("在添加之前请先选择父类别。"));
        QVERIFY(driver.opened.isEmpty());
    }

    void addingATopLevelClassUnderTheRoot()
    {
        EditorDriver driver;
        BookCateForm form;
        QTreeWidgetItem* root = form.TreeCate->topLevelItem(0);
        form.TreeCate->setCurrentItem(root);
        driver.script = [](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("BookCateCode"), QStringLiteral("Y"));
            EditorDriver::type(editor, QStringLiteral("BookCateName"), QStringLiteral("其他"));
            editor->BtnSave->click();
        };
        form.BookCateAdd->trigger();
        QCOMPARE(count("SELECT BookCateParentID FROM BookCate_tab WHERE BookCateCode = 'Y'"), 0);
        QCOMPARE(root->childCount(), 23);
    }

    void deletingClasses()
    {
        addClass(QStringLiteral("T"), QStringLiteral("TP"), QStringLiteral("自动化技术、计算机技术"));
        BookCateForm form;
        QTreeWidgetItem* t = childItem(form.TreeCate->topLevelItem(0), QStringLiteral("T"));
        form.TreeCate->setCurrentItem(t);
        form.BookCateDel->trigger();
        QCOMPARE(m_prompts->lastText(),
                 QStringLiteral("该类别已有子类不能删除，如要删除此类别请先删除其所有子类别。"));
        QCOMPARE(m_prompts->shown.size(), 1); // no question asked
        QVERIFY(classId("T") > 0);

        form.TreeCate->setCurrentItem(t->child(0));
        m_prompts->confirmAnswers.enqueue(false);
        form.BookCateDel->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("确定要删除选中的记录吗？ "));
        QCOMPARE(t->childCount(), 1);
        form.TreeCate->setCurrentItem(t->child(0));
        form.BookCateDel->trigger();
        QCOMPARE(classId("TP"), 0);
        QCOMPARE(t->childCount(), 0);
    }

    void modifyingAClassRenamesItsNode()
    {
        addClass(QStringLiteral("T"), QStringLiteral("TP"), QStringLiteral("自动化技术"));
        EditorDriver driver;
        BookCateForm form;
        QTreeWidgetItem* tp =
            childItem(childItem(form.TreeCate->topLevelItem(0), QStringLiteral("T")), QStringLiteral("TP"));
        form.TreeCate->setCurrentItem(tp);
        driver.script = [](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("BookCateName"),
                               QStringLiteral("自动化技术、计算机技术"));
            QTest::keyClick(editor->fieldWidget(QStringLiteral("BookCateName")), Qt::Key_Return,
                            Qt::AltModifier);
        };
        form.BookCateMod->trigger();
        QCOMPARE(tp->text(0), QStringLiteral("TP 自动化技术、计算机技术"));
        QCOMPARE(QueryValue("SELECT BookCateName FROM BookCate_tab WHERE BookCateCode = 'TP'"),
                 QStringLiteral("自动化技术、计算机技术"));
    }

    void navigationTreeForTheLists()
    {
        addClass(QStringLiteral("T"), QStringLiteral("TP"), QStringLiteral("自动化技术、计算机技术"));
        addClass(QStringLiteral("TP"), QStringLiteral("TP3"), QStringLiteral("计算技术、计算机技术"));
        addClass(QStringLiteral("TP3"), QStringLiteral("TP31"), QStringLiteral("计算机软件"));
        addClass(QStringLiteral("TP31"), QStringLiteral("TP311"), QStringLiteral("程序设计、软件工程"));
        NavigationTreeWidget tree;
        tree.build();
        QCOMPARE(tree.topLevelItemCount(), 2);
        QTreeWidgetItem* types = tree.topLevelItem(1);
        QCOMPARE(types->text(0), QStringLiteral("馆藏类型"));
        QVERIFY(types->isExpanded());
        tree.setCurrentItem(types->child(0));
        QCOMPARE(tree.currentCondition(), QStringLiteral("BookType = '图书'"));
        tree.setCurrentItem(tree.topLevelItem(0));
        QCOMPARE(tree.currentCondition(), QString());

        QTreeWidgetItem* item = childItem(tree.topLevelItem(0), QStringLiteral("T"));
        for (const char* code : {"TP", "TP3", "TP31", "TP311"}) {
            item->setExpanded(true);
            item = childItem(item, QLatin1String(code));
            QVERIFY2(item, code);
        }
        tree.setCurrentItem(item);
        QCOMPARE(tree.currentCondition(), QStringLiteral("CateCode LIKE 'TP311%'"));
        QCOMPARE(tree.findClassItem(classId("TP3"))->text(0), QStringLiteral("TP3 计算技术、计算机技术"));
    }

    // --- publishers ---

    void publishersList()
    {
        PublishersForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("出版单位设置"));
        QCOMPARE(form.recordCountText(), QStringLiteral("共有记录：32 条"));
        QCOMPARE(form.GetDataSet()->sqlText(), QStringLiteral("SELECT * FROM Publishers_tab\nWHERE 1=1"));
        QStringList entries;
        for (QAction* a : form.MnuManageTools->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(entries, (QStringList{"从 Excel 导入出版单位...", "从 Access 导入出版单位...",
                                       "从其它数据源导入出版单位...", "-", "生成出版单位名称输入码..."}));
        // The imports wait for the import module; the generator is there.
        for (QAction* a : {form.ImportFromExcel, form.ImportFromAccess, form.ImportFromOther})
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(form.GenInputCode->isEnabled());
        QCOMPARE(actionTag(form.ImportFromExcel), int(TagOperate));
        QCOMPARE(actionTag(form.GenInputCode), int(TagNone));
        QCOMPARE(actionTag(form.ActionExport), int(TagPrint));
    }

    void toolsComeWithTheirModules()
    {
        int runs = 0;
        PublishersForm::setToolHandler(PublishersForm::Tool::ImportExcel, [&runs](QWidget*) {
            ++runs;
            mainConnection().execute(
                QStringLiteral("INSERT INTO Publishers_tab (PublisherName) VALUES ('导入出版社')"));
        });
        PublishersForm form;
        QVERIFY(form.ImportFromExcel->isEnabled());
        QVERIFY(!form.ImportFromAccess->isEnabled());
        form.ImportFromExcel->trigger();
        QCOMPARE(runs, 1);
        QCOMPARE(form.GetDataSet()->recordCount(), 33); // the list shows what came in
        PublishersForm::setToolHandler(PublishersForm::Tool::ImportExcel, nullptr);
    }

    // The input code generator fills the codes of the whole table after confirmation.
    void generatingInputCodes_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("declined") << false;
    }
    void generatingInputCodes()
    {
        QFETCH(bool, confirmed);
        struct Host final : GeneratorHost
        {
            bool answer = true;
            QString caption;
            bool confirm(const QString& c, const QString&, bool&) override
            {
                caption = c;
                return answer;
            }
        } host;
        host.answer = confirmed;
        // Shipped publishers come with their codes; start from empty ones.
        mainConnection().execute(QStringLiteral("UPDATE Publishers_tab SET PublisherInputCode = ''"));
        GeneratorHost* previous = setGeneratorHost(&host);
        PublishersForm form;
        QVERIFY(form.GenInputCode->isEnabled());
        form.GenInputCode->trigger();
        setGeneratorHost(previous);
        QVERIFY(!host.caption.isEmpty());
        QCOMPARE(
            QueryValue("SELECT PublisherInputCode FROM Publishers_tab WHERE PublisherName = '人民出版社'"),
            confirmed ? QStringLiteral("RMCBS") : QString());
        QCOMPARE(form.GetDataSet()->locate(QStringLiteral("PublisherInputCode"), QStringLiteral("SWYSG")),
                 confirmed);
    }

    void publisherEditor()
    {
        EditorDriver driver;
        PublishersForm form;
        driver.script = [this](RecordEditForm* editor) {
            auto* pe = qobject_cast<PublisherEditForm*>(editor);
            QVERIFY(pe);
            QCOMPARE(editor->windowTitle(), QStringLiteral("出版单位修改"));
            EditorDriver::type(editor, QStringLiteral("PublisherName"), QStringLiteral("清华大学出版社"));
            QCOMPARE(pe->EditInputCode->text(), QStringLiteral("QHDXCBS"));
            editor->BtnSave->click();
            QCOMPARE(m_prompts->lastText(), QStringLiteral("您输入的出版单位名称已存在。"));
            QVERIFY(editor->isVisible());
            QCOMPARE(editor->focusWidget(), pe->EditName);

            EditorDriver::type(editor, QStringLiteral("PublisherName"), QStringLiteral("湖南少年儿童出版社"));
            QCOMPARE(pe->EditInputCode->text(), QStringLiteral("HNSNETCBS"));
            EditorDriver::type(editor, QStringLiteral("PublisherISBN"), QStringLiteral("7-5358"));
            editor->ChkAddNew->setChecked(true);
            editor->BtnSave->click();
            // Saved, and a fresh row is waiting with the focus on the name.
            QVERIFY(editor->isVisible());
            QCOMPARE(editor->dataset()->state(), Dataset::State::Insert);
            QCOMPARE(pe->EditName->text(), QString());
            QCOMPARE(editor->focusWidget(), pe->EditName);
            EditorDriver::type(editor, QStringLiteral("PublisherName"), QStringLiteral("未保存出版社"));
        };
        form.PublishersAdd->trigger();
        QCOMPARE(count("SELECT COUNT(*) FROM Publishers_tab"), 33);
        QCOMPARE(QueryValue("SELECT PublisherInputCode FROM Publishers_tab WHERE PublisherISBN = '7-5358'"),
                 QStringLiteral("HNSNETCBS"));
        QVERIFY(!form.GetDataSet()->isEditing());
        QCOMPARE(form.GetDataSet()->recordCount(), 33);
    }

    // Opening an existing publisher leaves a hand-made input code alone.
    void openingKeepsTheStoredInputCode()
    {
        c().execute(QStringLiteral("UPDATE Publishers_tab SET PublisherInputCode = 'SWYSG' "
                                   "WHERE PublisherName = '商务印书馆'"));
        EditorDriver driver;
        PublishersForm form;
        selectRow(form, QStringLiteral("PublisherName"), QStringLiteral("商务印书馆"));
        driver.script = [](RecordEditForm* editor) {
            auto* pe = qobject_cast<PublisherEditForm*>(editor);
            QCOMPARE(pe->EditInputCode->text(), QStringLiteral("SWYSG"));
            editor->BtnSave->click();
        };
        form.PublishersMod->trigger();
        QCOMPARE(
            QueryValue("SELECT PublisherInputCode FROM Publishers_tab WHERE PublisherName = '商务印书馆'"),
            QStringLiteral("SWYSG"));
    }

    void deletingAPublisher()
    {
        PublishersForm form;
        selectRow(form, QStringLiteral("PublisherName"), QStringLiteral("中华书局"));
        form.PublishersDel->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("确定要删除该出版单位信息吗？"));
        QCOMPARE(count("SELECT COUNT(*) FROM Publishers_tab WHERE PublisherName = '中华书局'"), 0);
    }

    // --- combos and registration ---

    void bookRoomCombo_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("every room") << "" << QStringList{"<全部>", "一室", "二室", "阅览室"};
        QTest::newRow("user's room") << "二室" << QStringList{"二室"};
    }
    void bookRoomCombo()
    {
        QFETCH(QString, room);
        QFETCH(QStringList, items);
        currentUser().BookRoom = room;
        QComboBox combo;
        combo.addItem(QStringLiteral("old"));
        FillBookRoomCombo(&combo);
        QStringList got;
        for (int i = 0; i < combo.count(); ++i)
            got << combo.itemText(i);
        QCOMPARE(got, items);
        QCOMPARE(combo.currentIndex(), 0);
    }

    void dictionaryCombosOnAPage()
    {
        QWidget page;
        auto* type = new QComboBox(&page);
        setBoundField(type, QStringLiteral("BookType"));
        type->setEditable(true);
        type->setEditText(QStringLiteral("期刊"));
        auto* name = new QComboBox(&page);
        setBoundField(name, QStringLiteral("BookName"));
        QWidget* panel = new QWidget(&page);
        auto* nested = new QComboBox(panel);
        setBoundField(nested, QStringLiteral("BookLanguage"));
        FillDictionaryCombos(&page);
        QCOMPARE(type->count(), 5);
        QCOMPARE(type->currentText(), QStringLiteral("期刊"));
        QCOMPARE(name->count(), 0);
        QCOMPARE(nested->count(), 0); // not placed directly on the page
        FillDictionaryCombo(nested);
        QCOMPARE(nested->itemText(0), QStringLiteral("中文"));
    }

    void windowsAreRegistered_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("caption");
        QTest::newRow("publishers") << 12 << "TPublishersForm"
                                    << "出版单位设置";
        QTest::newRow("classification") << 13 << "TBookCateForm"
                                        << "书刊类别设置";
        QTest::newRow("dictionary") << 51 << "TDataDictForm"
                                    << "数据字典维护";
    }
    void windowsAreRegistered()
    {
        QFETCH(int, key);
        QFETCH(QString, className);
        QFETCH(QString, caption);
        registerRefdataWindows();
        const FunctionWindow* w = FunctionWindows::byKey(key);
        QVERIFY(w);
        QCOMPARE(w->className, className);
        std::unique_ptr<QDialog> dialog(w->create(nullptr, QString()));
        QCOMPARE(dialog->windowTitle(), caption);
    }
};

QTEST_MAIN(TestRefdataUi)
#include "tst_refdata_ui.moc"
