#include "circulation/categories/ReaderCategories.h"
#include "circulation/categories/ui/BylawForm.h"
#include "circulation/categories/ui/CategoryWindows.h"
#include "circulation/categories/ui/ReaderCateForm.h"
#include "core/Dataset.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"
#include "core/ui/ActionTags.h"
#include "core/ui/DataGrid.h"
#include "tests/catalogue/refdata/ui/EditorDriver.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace dedizo;
using test::EditorDriver;

class TestReaderCategories : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }

    int addCategory(const QString& name)
    {
        c().execute(QStringLiteral("INSERT INTO ReaderCate_tab (ReaderCateName, LimitBooksCount, LimitDays, "
                                   "ReLoanTimes, ReLoanDays) VALUES (?, 3, 14, 0, 0)"),
                    {name});
        return count(
            QStringLiteral("SELECT ReaderCateID FROM ReaderCate_tab WHERE ReaderCateName = '%1'").arg(name));
    }
    static void selectRow(FatherForm& form, const QString& field, const QVariant& value)
    {
        QVERIFY(form.GetDataSet()->locate(field, value));
        form.grid()->view()->selectRow(form.GetDataSet()->currentRow());
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        m_prompts = std::make_unique<test::ScriptedPrompts>();
        currentUser().clear();
        currentUser().UserCode = QStringLiteral("lib1");
        setClockOverride(QDateTime(QDate(2026, 9, 1), QTime(9, 30)));
    }
    void cleanup()
    {
        setClockOverride(QDateTime());
        m_prompts.reset();
        m_db.reset();
        currentUser().clear();
    }

    void listsShowEveryRow()
    {
        ReaderCateForm categories;
        QCOMPARE(categories.windowTitle(), QStringLiteral("读者类别设置"));
        QCOMPARE(categories.GetDataSet()->sqlText(),
                 QStringLiteral("SELECT * FROM ReaderCate_tab\nWHERE 1=1"));
        QCOMPARE(categories.recordCountText(), QStringLiteral("共有记录：1 条"));
        BylawForm bylaws;
        QCOMPARE(bylaws.windowTitle(), QStringLiteral("借阅规章制度"));
        QCOMPARE(bylaws.GetDataSet()->sqlText(), QStringLiteral("SELECT * FROM Bylaw_tab\nWHERE 1=1"));
        QTableView* view = bylaws.grid()->view();
        const int content = bylaws.GetDataSet()->fieldIndex(QStringLiteral("BylawContent"));
        QVERIFY(view->isColumnHidden(content));
        for (QAction* a : {categories.ReaderCateAdd, categories.ReaderCateMod, categories.ReaderCateDel,
                           bylaws.BylawAdd, bylaws.BylawMod, bylaws.BylawDel})
            QCOMPARE(actionTag(a), int(TagOperate));
    }

    // A category still used by one reader cannot be deleted; an unused one asks first.
    void deletingACategory_data()
    {
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("in use") << true << true << "该读者类别正在使用中，不能删除。" << false;
        QTest::newRow("unused, OK") << false << true << "确定要删除该读者类别吗？" << true;
        QTest::newRow("unused, Cancel") << false << false << "确定要删除该读者类别吗？" << false;
    }
    void deletingACategory()
    {
        QFETCH(bool, inUse);
        QFETCH(bool, answer);
        QFETCH(QString, message);
        QFETCH(bool, deleted);
        const int id = addCategory(QStringLiteral("教师"));
        if (inUse)
            c().execute(QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, ReaderCateID, Sex) "
                                       "VALUES ('李老师', 'T01', ?, 1)"),
                        {id});
        QCOMPARE(ReaderCategoryInUse(id), inUse);
        ReaderCateForm form;
        selectRow(form, QStringLiteral("ReaderCateName"), QStringLiteral("教师"));
        m_prompts->confirmAnswers.enqueue(answer);
        form.ReaderCateDel->trigger();
        QCOMPARE(m_prompts->shown.size(), 1);
        QCOMPARE(m_prompts->lastText(), message);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ReaderCate_tab WHERE ReaderCateID = %1").arg(id)),
                 deleted ? 0 : 1);
        QCOMPARE(form.GetDataSet()->recordCount(), deleted ? 1 : 2);
    }

    void categoryEditorChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("name taken") << "普通读者"
                                    << "您输入的读者类别名称已存在。";
        QTest::newRow("name empty") << ""
                                    << "读者类别名称不能为空。";
    }
    void categoryEditorChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        EditorDriver driver;
        ReaderCateForm form;
        driver.script = [&](RecordEditForm* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("读者类别修改"));
            EditorDriver::type(editor, QStringLiteral("LimitDays"), QStringLiteral("30"));
            EditorDriver::type(editor, QStringLiteral("ReaderCateName"), name);
            editor->BtnSave->click();
            QVERIFY(editor->isVisible());
            QCOMPARE(m_prompts->lastText(), message);
            QCOMPARE(editor->focusWidget(), editor->fieldWidget(QStringLiteral("ReaderCateName")));
        };
        form.ReaderCateAdd->trigger();
        QCOMPARE(driver.opened, QStringList{"TReaderCateEditForm"});
        QVERIFY(driver.leftOpen);
        QVERIFY(!form.GetDataSet()->isEditing());
        QCOMPARE(count("SELECT COUNT(*) FROM ReaderCate_tab"), 1);
    }

    // Rules left empty are stored as no value (the desk reads them as 0).
    void savingACategoryWithEmptyRules()
    {
        EditorDriver driver;
        ReaderCateForm form;
        driver.script = [](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("ReaderCateName"), QStringLiteral("临时读者"));
            QWidget* name = editor->fieldWidget(QStringLiteral("ReaderCateName"));
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(editor->focusWidget(), editor->fieldWidget(QStringLiteral("LimitBooksCount")));
            EditorDriver::type(editor, QStringLiteral("LimitDays"), QStringLiteral("-5x7"));
            QCOMPARE(EditorDriver::text(editor, QStringLiteral("LimitDays")), QStringLiteral("57"));
            QTest::keyClick(name, Qt::Key_Return, Qt::ShiftModifier);
        };
        form.ReaderCateAdd->trigger();
        QVERIFY(!driver.leftOpen);
        QCOMPARE(QueryValue("SELECT LimitDays FROM ReaderCate_tab WHERE ReaderCateName = '临时读者'"),
                 QStringLiteral("57"));
        QCOMPARE(count("SELECT COUNT(*) FROM ReaderCate_tab WHERE ReaderCateName = '临时读者' "
                       "AND LimitBooksCount IS NULL"),
                 1);
    }

    void changingACategory()
    {
        EditorDriver driver;
        ReaderCateForm form;
        driver.script = [](RecordEditForm* editor) {
            QCOMPARE(EditorDriver::text(editor, QStringLiteral("LimitDays")), QStringLiteral("30"));
            EditorDriver::type(editor, QStringLiteral("LimitDays"), QStringLiteral("45"));
            editor->BtnSave->click();
        };
        form.ReaderCateMod->trigger();
        QCOMPARE(count("SELECT LimitDays FROM ReaderCate_tab WHERE ReaderCateName = '普通读者'"), 45);
        QCOMPARE(count("SELECT LimitBooksCount FROM ReaderCate_tab WHERE ReaderCateName = '普通读者'"), 5);

        // Cancel leaves the row as it was.
        driver.script = [](RecordEditForm* editor) {
            EditorDriver::type(editor, QStringLiteral("LimitDays"), QStringLiteral("7"));
            editor->BtnCancel->click();
        };
        form.ReaderCateMod->trigger();
        QCOMPARE(count("SELECT LimitDays FROM ReaderCate_tab WHERE ReaderCateName = '普通读者'"), 45);
        QCOMPARE(form.GetDataSet()->value(QStringLiteral("LimitDays")).toInt(), 45);
    }

    void regulationsWithAddAfterSave()
    {
        EditorDriver driver;
        BylawForm form;
        driver.script = [this](RecordEditForm* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("规章制度修改"));
            QWidget* content = editor->fieldWidget(QStringLiteral("BylawContent"));
            EditorDriver::type(editor, QStringLiteral("SortCode"), QStringLiteral("1"));
            EditorDriver::type(editor, QStringLiteral("BylawTitle"), QStringLiteral("借阅须知"));
            editor->BtnSave->click();
            QCOMPARE(m_prompts->lastText(), QStringLiteral("规章制度内容不能为空。"));
            QCOMPARE(editor->focusWidget(), content);
            // Enter in the text starts a new line; with Ctrl it saves.
            EditorDriver::typeText(content, QStringLiteral("一、凭证借书。"));
            QTest::keyClick(content, Qt::Key_Return);
            EditorDriver::typeText(content, QStringLiteral("二、按期归还。"));
            QVERIFY(editor->isVisible());
            editor->ChkAddNew->setChecked(true);
            QTest::keyClick(content, Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(editor->dataset()->state(), Dataset::State::Insert);
            QCOMPARE(editor->focusWidget(), editor->fieldWidget(QStringLiteral("SortCode")));
            EditorDriver::type(editor, QStringLiteral("BylawTitle"), QStringLiteral("借阅须知"));
            EditorDriver::type(editor, QStringLiteral("BylawContent"), QStringLiteral("重复的标题"));
            editor->BtnSave->click();
            QCOMPARE(m_prompts->lastText(), QStringLiteral("您输入的规章制度标题已存在。"));
        };
        form.BylawAdd->trigger();
        QCOMPARE(count("SELECT COUNT(*) FROM Bylaw_tab"), 1);
        QCOMPARE(QueryValue("SELECT BylawContent FROM Bylaw_tab"),
                 QStringLiteral("一、凭证借书。\n二、按期归还。"));
        QCOMPARE(QueryValue("SELECT Operator FROM Bylaw_tab"), QStringLiteral("lib1"));
        QVERIFY(QueryValue("SELECT RegDate FROM Bylaw_tab").startsWith(QStringLiteral("2026")));
        QVERIFY(!form.GetDataSet()->isEditing());
    }

    void deletingARegulation_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void deletingARegulation()
    {
        QFETCH(bool, answer);
        c().execute(QStringLiteral("INSERT INTO Bylaw_tab (SortCode, BylawTitle, BylawContent) "
                                   "VALUES (1, '借阅须知', '凭证借书')"));
        BylawForm form;
        m_prompts->confirmAnswers.enqueue(answer);
        form.BylawDel->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("确定要删除该借阅规章制度吗？"));
        QCOMPARE(count("SELECT COUNT(*) FROM Bylaw_tab"), answer ? 0 : 1);
    }

    void windowsAreRegistered()
    {
        registerCategoryWindows();
        QCOMPARE(FunctionWindows::byKey(22)->className, QStringLiteral("TReaderCateForm"));
        QCOMPARE(FunctionWindows::byKey(23)->className, QStringLiteral("TBylawForm"));
        std::unique_ptr<QDialog> w(FunctionWindows::byKey(23)->create(nullptr, QString()));
        QCOMPARE(w->windowTitle(), QStringLiteral("借阅规章制度"));
    }
};

QTEST_MAIN(TestReaderCategories)
#include "tst_readercategories.moc"
