#include "catalogue/generators/InputCodeGenerators.h"
#include "catalogue/generators/ui/BatchGenerateForm.h"
#include "core/DatabaseError.h"
#include "core/DbUtils.h"
#include "core/ProgressService.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace dedizo;

namespace {

// A generator whose work the test supplies.
class StubGenerator final : public BatchGenerator
{
public:
    std::function<void(StubGenerator&)> work;
    int runs = 0;
    void Generate() override
    {
        ++runs;
        if (work)
            work(*this);
    }
    void setCount(int n) { m_genCount = n; }

protected:
    QString GetCaption() const override { return QStringLiteral("试验生成"); }
    QString GetDescription() const override { return QStringLiteral("第一行。\r\n\r\n第三行。"); }
};

} // namespace

class TestGenerateForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_main;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    GeneratorWindowHost m_host;

    // Answers the confirmation window once it runs modally.
    void answerWith(bool onlyEmpty, bool ok)
    {
        m_host.setFormShownHook([onlyEmpty, ok](BatchGenerateForm& form) {
            QTimer::singleShot(0, &form, [&form, onlyEmpty, ok] {
                QVERIFY(form.isVisible());
                QVERIFY(form.isModal());
                if (onlyEmpty)
                    QTest::mouseClick(form.RbOnlyEmpty, Qt::LeftButton);
                QTest::mouseClick(ok ? form.BtnOK : form.BtnCancel, Qt::LeftButton);
            });
        });
    }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<test::ScriptedPrompts>();
        m_main = std::make_unique<QWidget>();
        m_main->setWindowTitle(QStringLiteral("书刊信息"));
        m_main->resize(400, 300);
        m_main->show();
        QApplication::setActiveWindow(m_main.get());
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    }
    void cleanup()
    {
        m_host.setFormShownHook({});
        m_main.reset();
        m_prompts.reset();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void formTexts()
    {
        StubGenerator g;
        BatchGenerateForm form(g.Caption(), g.Description());
        QCOMPARE(form.windowTitle(), QStringLiteral("批量生成"));
        QCOMPARE(form.LblCaption->text(), QStringLiteral("试验生成"));
        QVERIFY(form.MemDescription->isReadOnly());
        QCOMPARE(form.MemDescription->toPlainText(), QStringLiteral("使用说明：\n\n第一行。\n\n第三行。"));
        QCOMPARE(form.RbReGenAll->text(), QStringLiteral("所有记录都重新生成"));
        QCOMPARE(form.RbOnlyEmpty->text(), QStringLiteral("只对空值记录生成，不要覆盖已有值"));
        QVERIFY(form.RbReGenAll->isChecked());
        QVERIFY(!form.RbOnlyEmpty->isChecked());
        QVERIFY(form.reGenAll());
        QCOMPARE(form.BtnOK->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(form.BtnCancel->text(), QStringLiteral("取消(&C)"));
        // The two options exclude each other.
        form.show();
        QTest::mouseClick(form.RbOnlyEmpty, Qt::LeftButton);
        QVERIFY(!form.RbReGenAll->isChecked());
        QVERIFY(!form.reGenAll());
    }

    void execute_data()
    {
        QTest::addColumn<bool>("onlyEmpty");
        QTest::addColumn<bool>("ok");
        QTest::newRow("all, OK") << false << true;
        QTest::newRow("only empty, OK") << true << true;
        QTest::newRow("cancel") << false << false;
        QTest::newRow("only empty, cancel") << true << false;
    }
    void execute()
    {
        QFETCH(bool, onlyEmpty);
        QFETCH(bool, ok);
        answerWith(onlyEmpty, ok);
        StubGenerator g;
        bool disabledDuringWork = false;
        bool waitCursorDuringWork = false;
        g.work = [&](StubGenerator& self) {
            disabledDuringWork = !m_main->isEnabled();
            waitCursorDuringWork =
                QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            self.setCount(7);
        };
        QCOMPARE(g.Execute(m_host), ok);
        QCOMPARE(g.runs, ok ? 1 : 0);
        QVERIFY(m_main->isEnabled());
        if (!ok) {
            QVERIFY(m_prompts->shown.isEmpty());
            return;
        }
        QCOMPARE(g.reGenAll(), !onlyEmpty);
        QVERIFY(disabledDuringWork);
        QVERIFY(waitCursorDuringWork);
        QCOMPARE(m_prompts->lastText(), QStringLiteral("试验生成：7 条记录进行了此操作。"));
    }

    // A failing generator leaves the calling window usable and the cursor as it was.
    void failureRestoresTheWindow()
    {
        answerWith(false, true);
        StubGenerator g;
        g.work = [](StubGenerator&) {
            progressService().setMax(10);
            progressService().Start();
            throw DatabaseError(QStringLiteral("disk full"));
        };
        QVERIFY_THROWS_EXCEPTION(DatabaseError, g.Execute(m_host));
        QVERIFY(m_main->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(!progressService().isShown());
        QVERIFY(m_prompts->shown.isEmpty());
    }

    // The whole road: a real generator, the option picked in the window.
    void publisherCodesThroughTheWindow()
    {
        test::TestDatabase db;
        db.connection().execute(QStringLiteral("DELETE FROM Publishers_tab"));
        db.connection().execute(
            QStringLiteral("INSERT INTO Publishers_tab (PublisherName, PublisherInputCode) "
                           "VALUES ('科学出版社', NULL), ('人民文学出版社', 'RW')"));
        answerWith(true, true);
        QVERIFY(BatchGenerator::Show<PublisherInputCodeGenerator>(m_host));
        QStringList codes;
        QueryList(codes,
                  QStringLiteral("SELECT PublisherInputCode FROM Publishers_tab ORDER BY PublisherID"));
        QCOMPARE(codes, (QStringList{QStringLiteral("KXCBS"), QStringLiteral("RW")}));
        QCOMPARE(m_prompts->lastText(), QStringLiteral("生成出版单位名称输入码：1 条记录进行了此操作。"));
    }
};

QTEST_MAIN(TestGenerateForm)
#include "tst_generateform.moc"
