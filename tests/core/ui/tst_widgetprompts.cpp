#include "core/AppInfo.h"
#include "core/ui/WidgetPrompts.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace dedizo;

// The message boxes and input windows of the running program, driven from
// inside their own event loops.
class TestWidgetPrompts : public QObject
{
    Q_OBJECT

    WidgetPrompts m_prompts;
    Prompts* m_previous = nullptr;

    template <typename T> static void whenShown(std::function<void(T*)> act)
    {
        QTimer::singleShot(0, [act] {
            T* w = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!w) {
                QApplication::activeModalWidget()->close();
                QFAIL("another window is shown");
            }
            act(w);
        });
    }

private Q_SLOTS:
    void init() { m_previous = setPrompts(&m_prompts); }
    void cleanup() { setPrompts(m_previous); }

    void messageBoxes_data()
    {
        QTest::addColumn<int>("kind"); // 0 info, 1 warning, 2 error
        QTest::addColumn<int>("icon");
        QTest::newRow("info") << 0 << int(QMessageBox::Information);
        QTest::newRow("warning") << 1 << int(QMessageBox::Warning);
        QTest::newRow("error") << 2 << int(QMessageBox::Critical);
    }
    void messageBoxes()
    {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QString title;
        QString text;
        int shownIcon = -1;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        const QString message = QStringLiteral("读者编码不能为空。");
        if (kind == 0)
            ShowInfo(message);
        else if (kind == 1)
            ShowWarning(message);
        else
            QVERIFY_THROWS_EXCEPTION(AbortSilently, ShowError(message, true));
        QCOMPARE(title, AppInfo::title());
        QCOMPARE(text, message);
        QCOMPARE(shownIcon, icon);
    }

    void confirm_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void confirm()
    {
        QFETCH(bool, ok);
        whenShown<QMessageBox>([ok](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), AppInfo::title());
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
            box->button(ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
        QCOMPARE(Confirm(QStringLiteral("确定要删除吗？")), ok);
    }

    void inputText_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expectedCaption");
        QTest::addColumn<QString>("expectedPrompt");
        QTest::addColumn<QString>("result");

        QTest::newRow("defaults, OK") << QString() << QString() << true << QStringLiteral("输入")
                                      << QStringLiteral("请输入内容：") << QStringLiteral("新值");
        QTest::newRow("own texts, OK")
            << QStringLiteral("条码") << QStringLiteral("请扫描条码：") << true << QStringLiteral("条码")
            << QStringLiteral("请扫描条码：") << QStringLiteral("新值");
        QTest::newRow("cancel keeps value") << QString() << QString() << false << QStringLiteral("输入")
                                            << QStringLiteral("请输入内容：") << QStringLiteral("旧值");
    }
    void inputText()
    {
        QFETCH(QString, caption);
        QFETCH(QString, prompt);
        QFETCH(bool, ok);
        QFETCH(QString, expectedCaption);
        QFETCH(QString, expectedPrompt);
        QFETCH(QString, result);
        QString seenCaption, seenPrompt, seenValue;
        whenShown<InputDialogForm>([&](InputDialogForm* f) {
            QCOMPARE(f->objectName(), QStringLiteral("TInputDialogForm"));
            seenCaption = f->windowTitle();
            seenPrompt = f->LblPrompt->text();
            seenValue = f->EditValue->text();
            f->EditValue->setText(QStringLiteral("新值"));
            (ok ? f->BtnOK : f->BtnCancel)->click();
        });
        QString value = QStringLiteral("旧值");
        QCOMPARE(InputText(caption, prompt, value), ok);
        QCOMPARE(seenCaption, expectedCaption);
        QCOMPARE(seenPrompt, expectedPrompt);
        QCOMPARE(seenValue, QStringLiteral("旧值"));
        QCOMPARE(value, result);
    }

    void inputDate()
    {
        whenShown<InputDateForm>([](InputDateForm* f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("选择日期"));
            QCOMPARE(f->LblPrompt->text(), QStringLiteral("请选择日期："));
            QCOMPARE(f->EditDate->date(), QDate(2021, 5, 13));
            f->EditDate->setDate(QDate(2021, 6, 1));
            f->BtnOK->click();
        });
        QDate d(2021, 5, 13);
        QVERIFY(InputDate(QStringLiteral("请选择日期："), d));
        QCOMPARE(d, QDate(2021, 6, 1));

        whenShown<InputDateForm>([](InputDateForm* f) { f->BtnCancel->click(); });
        QVERIFY(!InputDate(QStringLiteral("请选择日期："), d));
        QCOMPARE(d, QDate(2021, 6, 1));
    }

    void fileFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("qt form unchanged") << "Excel 文件 (*.xls *.xlsx)"
                                           << "Excel 文件 (*.xls *.xlsx)";
        QTest::newRow("pairs") << "Excel 文件|*.xls;*.xlsx|所有文件|*.*"
                               << "Excel 文件 (*.xls *.xlsx);;所有文件 (*.*)";
        QTest::newRow("description naming its patterns") << "文本文件 (*.txt)|*.txt"
                                                         << "文本文件 (*.txt)";
        QTest::newRow("odd trailing part ignored") << "图片|*.bmp|孤立"
                                                   << "图片 (*.bmp)";
    }
    void fileFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(WidgetPrompts::qtFilter(filter), qt);
    }
};

QTEST_MAIN(TestWidgetPrompts)
#include "tst_widgetprompts.moc"
