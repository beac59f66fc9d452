#include "core/DatasetModel.h"
#include "core/DbUtils.h"
#include "core/ProgressService.h"
#include "core/QueryTexts.h"
#include "core/SQLBuilder.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "core/ui/DataGrid.h"
#include "core/ui/FatherForm.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestSession.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

using namespace dedizo;

namespace {

// A progress display whose user presses stop after a given number of records.
class StoppingProgress final : public ProgressService
{
public:
    int stopAfter = -1;

protected:
    void letEventsRun() override
    {
        if (stopAfter >= 0 && Position() >= stopAfter && isShown())
            stop();
    }
};

// A list window whose rows with the given keys may not be deleted.
class VetoForm final : public FatherForm
{
public:
    using FatherForm::FatherForm;
    QSet<int> refusedKeys;

protected:
    bool CanDeleteRecord(int key) override { return !refusedKeys.contains(key); }
};

} // namespace

class TestFatherForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }

    void addReaders(int n)
    {
        const int cate = count(QStringLiteral("SELECT MIN(ReaderCateID) FROM ReaderCate_tab"));
        inTransaction(c(), [&] {
            for (int i = 0; i < n; ++i)
                c().execute(
                    QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, ReaderCateID, Sex, "
                                   "DeptName, HomePhone) VALUES (?, ?, ?, ?, ?, ?)"),
                    {QStringLiteral("读者%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("R%1").arg(i),
                     cate, i % 3 == 0 ? 0 : 1, i % 2 ? QStringLiteral("一年级") : QStringLiteral("二年级"),
                     i < n / 2 ? QStringLiteral("一室") : QStringLiteral("二室")});
        });
    }

    void selectRows(DataGrid* grid, const QList<int>& rows)
    {
        QItemSelectionModel* sel = grid->view()->selectionModel();
        sel->clearSelection();
        for (int r : rows)
            sel->select(grid->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    std::unique_ptr<VetoForm> readersForm()
    {
        Dataset& ds = DM1().ReadersQuery;
        ds.setSql(ReadersSelect(QString()));
        auto form = std::make_unique<VetoForm>(&ds);
        form->ApplyWhere(QString());
        return form;
    }

private Q_SLOTS:
    void init() { test::startAdminSession(m_db, m_prompts); }
    void cleanup() { test::endSession(m_db, m_prompts); }

    void emptyListIsHarmless()
    {
        auto form = readersForm();
        form->show();
        QCOMPARE(form->recordCountText(), QStringLiteral("共有记录：0 条"));
        QCOMPARE(form->SBarMain->findChild<QLabel*>()->text(), QStringLiteral("共有记录：0 条"));
        QVERIFY(!form->ActionPrint->isVisible());
        QTest::keyClick(form->grid()->view(), Qt::Key_Return);
        form->DeleteSelectedRecords();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("未选中任何记录。"));
    }

    void sortingByTwoColumnsRunsInTheDatabase()
    {
        addReaders(30);
        auto form = readersForm();
        DataGrid* grid = form->grid();
        grid->setSortColumns({{QStringLiteral("DeptName"), Qt::AscendingOrder},
                              {QStringLiteral("ReaderName"), Qt::DescendingOrder}});
        QVERIFY(GetSqlLastLine(form.get()).startsWith(QStringLiteral("ORDER BY DeptName, ReaderName DESC")));
        Dataset* ds = form->GetDataSet();
        QCOMPARE(ds->text(QStringLiteral("DeptName")), QStringLiteral("一年级"));
        QCOMPARE(ds->text(QStringLiteral("ReaderName")), QStringLiteral("读者029"));
        grid->setSortColumns({});
        QVERIFY(!form->GetDataSet()->sqlText().contains(QStringLiteral("ORDER BY")));
    }

    static QString GetSqlLastLine(FatherForm* form) { return form->GetDataSet()->sql().last(); }

    void columnFilterWithItsValueList()
    {
        addReaders(12);
        currentUser().BookRoom = QStringLiteral("一室"); // a fixed condition to keep
        auto form = readersForm();
        DataGrid* grid = form->grid();
        QCOMPARE(form->GetDataSet()->recordCount(), 6);

        const auto sexes = grid->distinctValues(QStringLiteral("Sex"));
        QCOMPARE(sexes.size(), 2);
        QCOMPARE(sexes[0].text, QStringLiteral("女"));
        QCOMPARE(sexes[1].text, QStringLiteral("男"));
        const auto depts = grid->distinctValues(QStringLiteral("DeptName"));
        QCOMPARE(depts.size(), 2);

        grid->setColumnFilter(QStringLiteral("Sex"), {false});
        QCOMPARE(form->GetDataSet()->recordCount(), 2); // readers 0 and 3 of room 一室
        QVERIFY(form->GetDataSet()->sqlText().contains(QStringLiteral("HomePhone = '一室'")));
        grid->setColumnFilter(QStringLiteral("DeptName"), {QStringLiteral("二年级")});
        QCOMPARE(form->GetDataSet()->recordCount(), 1);
        grid->setColumnFilter(QStringLiteral("Sex"), {});
        grid->setColumnFilter(QStringLiteral("DeptName"), {});
        QCOMPARE(form->GetDataSet()->recordCount(), 6);
        form->ApplyWhere(QStringLiteral("ReaderName = '读者001'"));
        QCOMPARE(form->GetDataSet()->recordCount(), 1);
        form->ActionShowAll->trigger();
        QCOMPARE(form->GetDataSet()->recordCount(), 6);
    }

    void booleanColumnValueList()
    {
        c().execute(
            QStringLiteral("INSERT INTO Users_tab (UserCode, UserName, IsLock) VALUES ('a', 'A', 1)"));
        c().execute(
            QStringLiteral("INSERT INTO Users_tab (UserCode, UserName, IsLock) VALUES ('b', 'B', 0)"));
        Dataset ds;
        ds.setSql(QStringLiteral("SELECT * FROM Users_tab\nWHERE 1=1"));
        ds.open();
        DataGrid grid(&ds);
        const auto values = grid.distinctValues(QStringLiteral("IsLock"));
        QCOMPARE(values.size(), 2);
        QCOMPARE(values[0].text, QStringLiteral("否"));
        QCOMPARE(values[1].text, QStringLiteral("是"));
        grid.setColumnFilter(QStringLiteral("IsLock"), {true});
        QCOMPARE(ds.recordCount(), 1);
        QCOMPARE(ds.text(QStringLiteral("UserCode")), QStringLiteral("a"));
    }

    void footerTotalsCoverRowsNotFetched()
    {
        inTransaction(c(), [&] {
            for (int i = 1; i <= 450; ++i)
                c().execute(QStringLiteral(
                                "INSERT INTO Books_tab (BookName, Author, BookType, TotalCount, BookPrice) "
                                "VALUES ('b', 'a', '图书', ?, 1.5)"),
                            {i});
        });
        Dataset& ds = DM1().BooksQuery;
        ds.setSql(BooksSelectInRoom(QString()));
        ds.setPageSize(100);
        FatherForm form(&ds);
        form.grid()->addFooter({QStringLiteral("TotalCount"), QStringLiteral("BookPrice")});
        form.ApplyWhere(QString());
        QCOMPARE(ds.fetchedCount(), 100);
        QCOMPARE(form.grid()->footerValue(QStringLiteral("TotalCount")).toInt(), 450 * 451 / 2);
        QCOMPARE(form.grid()->footerValue(QStringLiteral("BookPrice")).toDouble(), 675.0);
        form.ApplyWhere(QStringLiteral("TotalCount <= 10"));
        QCOMPARE(form.grid()->footerValue(QStringLiteral("TotalCount")).toInt(), 55);
        ds.setPageSize(200);
    }

    void multiDeleteWithRefusedRows()
    {
        addReaders(5);
        auto form = readersForm();
        Dataset* ds = form->GetDataSet();
        QList<int> keys;
        for (int r = 0; r < 5; ++r)
            keys << ds->value(r, 0).toInt();
        form->refusedKeys = {keys[1], keys[3]};
        selectRows(form->grid(), {0, 1, 2, 3, 4});
        m_prompts->confirmAnswers.enqueue(true);
        form->DeleteSelectedRecords();
        QCOMPARE(m_prompts->shown[0].text, QStringLiteral("即将删除 5 条记录，确定吗？"));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("2 条记录因存在未归还借阅记录而无法删除。"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_tab")), 2);
        QCOMPARE(ds->recordCount(), 2);
        QCOMPARE(form->recordCountText(), QStringLiteral("共有记录：2 条"));

        // Cancel at the confirmation deletes nothing.
        selectRows(form->grid(), {0});
        m_prompts->confirmAnswers.enqueue(false);
        form->DeleteSelectedRecords();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_tab")), 2);
    }

    void stopAfterTwoOfFiveKeepsTheTwo()
    {
        addReaders(5);
        StoppingProgress progress;
        progress.stopAfter = 2;
        ProgressService* previous = setProgressService(&progress);
        auto form = readersForm();
        selectRows(form->grid(), {0, 1, 2, 3, 4});
        form->DeleteSelectedRecords();
        setProgressService(previous);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_tab")), 3);
        // The last rows go first.
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM Readers_tab WHERE ReaderName IN ('读者003', '读者004')")),
                 0);
    }

    void failedDeleteRollsBackEverything()
    {
        addReaders(3);
        auto form = readersForm();
        selectRows(form->grid(), {0, 1, 2});
        c().execute(QStringLiteral("CREATE TABLE Guard_tab (ReaderID INTEGER)"));
        c().execute(QStringLiteral("INSERT INTO Guard_tab (ReaderID) SELECT MIN(ReaderID) FROM Readers_tab"));
        // The first row (deleted last) fails: a missing table in the delete.
        class FailingForm final : public FatherForm
        {
        public:
            using FatherForm::FatherForm;
            int firstKey = 0;

        protected:
            void DoDeleteRecord(int key) override
            {
                if (key == firstKey)
                    GetDataSet()->connection().execute(QStringLiteral("DELETE FROM NoSuch_tab"));
                FatherForm::DoDeleteRecord(key);
            }
        };
        Dataset* ds = form->GetDataSet();
        FailingForm failing(ds);
        failing.ApplyWhere(QString());
        failing.firstKey = ds->value(0, 0).toInt();
        selectRows(failing.grid(), {0, 1, 2});
        bool thrown = false;
        try {
            failing.DeleteSelectedRecords();
        } catch (const std::exception&) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Readers_tab")), 3);
        QCOMPARE(ds->recordCount(), 3);
    }

    void checkBoxRowsToggleTheSelection()
    {
        addReaders(4);
        auto form = readersForm();
        form->grid()->setMultiSelect(true, true);
        form->show();
        QHeaderView* rows = form->grid()->view()->verticalHeader();
        auto clickRow = [&](int row) {
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              QPoint(rows->width() / 2, rows->sectionViewportPosition(row) + 3));
        };
        clickRow(1);
        clickRow(3);
        QCOMPARE(form->grid()->selectedRows(), (QList<int>{1, 3}));
        clickRow(1);
        QCOMPARE(form->grid()->selectedRows(), (QList<int>{3}));
    }

    void enterRunsTheEditAction()
    {
        addReaders(2);
        auto form = readersForm();
        QAction edit(QStringLiteral("修改(&M)"));
        int runs = 0;
        connect(&edit, &QAction::triggered, this, [&] { ++runs; });
        form->setEditAction(&edit);
        form->show();
        form->grid()->view()->setCurrentIndex(form->grid()->model()->index(1, 1));
        QTest::keyClick(form->grid()->view(), Qt::Key_Return);
        QCOMPARE(runs, 1);
        QCOMPARE(form->GetDataSet()->currentRow(), 1);
    }

    void largeListOpensWithItsCount()
    {
        inTransaction(c(), [&] {
            QSqlQuery q(c().database());
            q.prepare(QStringLiteral("INSERT INTO Publishers_tab (PublisherName) VALUES (?)"));
            for (int i = 0; i < 20000; ++i) {
                q.addBindValue(QStringLiteral("出版社%1").arg(i));
                q.exec();
            }
        });
        Dataset& ds = DM1().PublishersQuery;
        ds.setSql(PublishersSelect(QString()));
        FatherForm form(&ds);
        form.ApplyWhere(QString());
        QVERIFY(ds.recordCount() >= 20000);
        QVERIFY(ds.fetchedCount() <= 200);
        QCOMPARE(form.recordCountText(), QStringLiteral("共有记录：%1 条").arg(ds.recordCount()));
    }
};

QTEST_MAIN(TestFatherForm)
#include "tst_fatherform.moc"
