#include "core/ui/QLDBFilterForm.h"
#include "tests/support/ScriptedPrompts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

using namespace dedizo;

namespace {

const QList<FilterField> kDataSet{
    {QStringLiteral("BookID"), QStringLiteral("编号"), FilterFieldType::Number},
    {QStringLiteral("Title"), QStringLiteral("题名"), FilterFieldType::Text},
    {QStringLiteral("Author"), QStringLiteral("责任者"), FilterFieldType::Text},
    {QStringLiteral("Price"), QStringLiteral("价格"), FilterFieldType::Number},
    {QStringLiteral("RegDate"), QStringLiteral("登记日期"), FilterFieldType::Date},
    {QStringLiteral("IsLoan"), QStringLiteral("是否借出"), FilterFieldType::Boolean},
    {QStringLiteral("Cover"), QStringLiteral("封面"), FilterFieldType::Blob},
};
// The fields the list shows; BookID is not among them.
const QString kFilterFields = QStringLiteral("Title;Author;Price;RegDate;IsLoan;Cover");

QStringList comboTexts(const QComboBox* c)
{
    QStringList t;
    for (int i = 0; i < c->count(); ++i)
        t << c->itemText(i);
    return t;
}

QStringList listTexts(const QListWidget* l)
{
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        t << l->item(i)->text();
    return t;
}

// A press before the double click, as a real one begins with.
void doubleClick(QListWidget* list, QListWidgetItem* item)
{
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void choose(QComboBox* c, const QString& text)
{
    const int i = c->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    c->setCurrentIndex(i);
}

} // namespace

class TestDBFilterForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<QLDBFilterForm> m_form;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    QLDBFilterForm& form() { return *m_form; }
    void add(const QString& field, const QString& op, const QString& value, bool orJoin = false)
    {
        choose(form().CboField, field);
        (orJoin ? form().RbOr : form().RbAnd)->setChecked(true);
        choose(form().CboCondition, op);
        form().EditValue->setText(value);
        QTest::mouseClick(form().BtnAdd, Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<test::ScriptedPrompts>();
        m_form = std::make_unique<QLDBFilterForm>(DBFilterBuilder::offeredFields(kDataSet, kFilterFields),
                                                  QList<FilterCondition>{}, QStringLiteral("查询"));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_form.reset();
        m_prompts.reset();
    }

    void captionsAndOfferedFields()
    {
        QCOMPARE(form().windowTitle(), QStringLiteral("查询"));
        QStringList groups;
        for (const QGroupBox* g : form().findChildren<QGroupBox*>())
            groups << g->title();
        QCOMPARE(groups, QStringList({"定义条件", "条件列表"}));
        QStringList labels;
        for (const QLabel* l : form().findChildren<QLabel*>())
            labels << l->text();
        for (const char* t : {"项目(&I):", "条件(&C):", "值(&V):", "将按以下条件进行筛选："})
            QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
        QCOMPARE(form().RbAnd->text(), QStringLiteral("并且(&N)"));
        QVERIFY(form().RbAnd->isChecked());
        QCOMPARE(form().RbOr->text(), QStringLiteral("或者(&R)"));
        QCOMPARE(form().BtnAdd->text(), QStringLiteral("添加至条件列表(&A)"));
        QCOMPARE(form().BtnDelete->text(), QStringLiteral("删除(&D)"));
        QCOMPARE(form().BtnClear->text(), QStringLiteral("清空(&W)"));
        QCOMPARE(form().BtnOK->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(form().BtnShowAll->text(), QStringLiteral("显示全部(&L)"));
        QCOMPARE(form().BtnCancel->text(), QStringLiteral("取消(&N)"));
        // Only the listed fields, by label, in dataset order.
        QCOMPARE(comboTexts(form().CboField),
                 QStringList({"题名", "责任者", "价格", "登记日期", "是否借出", "封面"}));
    }

    void operatorsAndValueFollowTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("operators");
        QTest::addColumn<QString>("preselected");
        QTest::addColumn<QString>("valueEditor");
        QTest::newRow("text") << "题名" << 12 << "包含"
                              << "EditValue";
        QTest::newRow("number") << "价格" << 6 << "等于"
                                << "EditValue";
        QTest::newRow("date") << "登记日期" << 6 << "等于"
                              << "EditDateValue";
        QTest::newRow("boolean") << "是否借出" << 2 << "等于"
                                 << "CboBoolValue";
        QTest::newRow("picture") << "封面" << 0 << ""
                                 << "";
    }
    void operatorsAndValueFollowTheField()
    {
        QFETCH(QString, field);
        QFETCH(int, operators);
        QFETCH(QString, preselected);
        QFETCH(QString, valueEditor);
        choose(form().CboField, field);
        QCOMPARE(form().CboCondition->count(), operators);
        QCOMPARE(form().CboCondition->currentText(), preselected);
        QCOMPARE(form().CboCondition->isEnabled(), operators > 0);
        QCOMPARE(form().BtnAdd->isEnabled(), operators > 0);
        if (!valueEditor.isEmpty())
            QCOMPARE(form().PanValue->currentWidget()->objectName(), valueEditor);
        if (valueEditor == QLatin1String("EditDateValue"))
            QCOMPARE(form().EditDateValue->date(), QDate::currentDate());
        if (valueEditor == QLatin1String("CboBoolValue"))
            QCOMPARE(comboTexts(form().CboBoolValue), QStringList({"是", "否"}));
    }

    // 包含 on the title, then 或者 始于 on the author.
    void twoConditionsJoinedWithOr()
    {
        add(QStringLiteral("题名"), QStringLiteral("包含"), QStringLiteral("红楼"));
        add(QStringLiteral("责任者"), QStringLiteral("始于"), QStringLiteral("曹"), true);
        QCOMPARE(listTexts(form().LstConditions),
                 QStringList({"题名 包含 红楼 。", "或者 责任者 始于 曹 。"}));
        QCOMPARE(form().LstConditions->currentRow(), 1);
        QTest::mouseClick(form().BtnOK, Qt::LeftButton);
        QCOMPARE(form().result(), int(QDialog::Accepted));
        QVERIFY(m_prompts->shown.isEmpty());

        QLDBFilterDialog d;
        d.setConditions(form().conditions());
        QCOMPARE(d.GetFilter(), QStringLiteral("Title LIKE '%红楼%' OR Author LIKE '曹%'"));
    }

    void numericValueCheck_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("abc") << "abc" << false;
        QTest::newRow("0") << "0" << true;
        QTest::newRow("0.0") << "0.0" << false;
        QTest::newRow("12.5") << "12.5" << true;
    }
    void numericValueCheck()
    {
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        add(QStringLiteral("价格"), QStringLiteral("大于"), value);
        QCOMPARE(form().LstConditions->count(), accepted ? 1 : 0);
        if (accepted) {
            QVERIFY(m_prompts->shown.isEmpty());
            QCOMPARE(form().conditions().first().entryText(), QStringLiteral("0;2;") + value);
        } else {
            QCOMPARE(m_prompts->lastText(), QStringLiteral("请输入正确的价格。"));
            QCOMPARE(QApplication::focusWidget(), form().EditValue);
        }
    }

    void dateAndBooleanValues()
    {
        choose(form().CboField, QStringLiteral("登记日期"));
        choose(form().CboCondition, QStringLiteral("大于或等于"));
        form().EditDateValue->setDate(QDate(2024, 1, 5));
        QTest::mouseClick(form().BtnAdd, Qt::LeftButton);
        choose(form().CboField, QStringLiteral("是否借出"));
        choose(form().CboBoolValue, QStringLiteral("是"));
        QTest::mouseClick(form().BtnAdd, Qt::LeftButton);
        QCOMPARE(listTexts(form().LstConditions),
                 QStringList({"登记日期 大于或等于 2024/01/05 。", "并且 是否借出 等于 是 。"}));
        QLDBFilterDialog d; // no connection: the literals' defaults
        d.setConditions(form().conditions());
        QCOMPARE(d.GetFilter(), QStringLiteral("RegDate >= '2024/01/05' AND IsLoan = 1"));
    }

    void doubleClickLoadsAnEntryBack()
    {
        add(QStringLiteral("题名"), QStringLiteral("止于"), QStringLiteral("集"));
        add(QStringLiteral("价格"), QStringLiteral("小于"), QStringLiteral("30"), true);
        choose(form().CboField, QStringLiteral("责任者"));
        form().EditValue->setText(QStringLiteral("别的"));
        QListWidgetItem* first = form().LstConditions->item(0);
        doubleClick(form().LstConditions, first);
        QCOMPARE(form().CboField->currentText(), QStringLiteral("题名"));
        QCOMPARE(form().CboCondition->currentText(), QStringLiteral("止于"));
        QCOMPARE(form().EditValue->text(), QStringLiteral("集"));
        QVERIFY(form().RbAnd->isChecked());
        QListWidgetItem* second = form().LstConditions->item(1);
        doubleClick(form().LstConditions, second);
        QCOMPARE(form().CboField->currentText(), QStringLiteral("价格"));
        QCOMPARE(form().CboCondition->currentText(), QStringLiteral("小于"));
        QCOMPARE(form().EditValue->text(), QStringLiteral("30"));
        QVERIFY(form().RbOr->isChecked());
    }

    void deleteAndClear()
    {
        add(QStringLiteral("题名"), QStringLiteral("等于"), QStringLiteral("a"));
        add(QStringLiteral("题名"), QStringLiteral("等于"), QStringLiteral("b"), true);
        add(QStringLiteral("题名"), QStringLiteral("等于"), QStringLiteral("c"));
        form().LstConditions->setCurrentRow(0);
        QTest::mouseClick(form().BtnDelete, Qt::LeftButton);
        // The new first entry loses its conjunction in the list, and in the SQL.
        QCOMPARE(listTexts(form().LstConditions), QStringList({"题名 等于 b 。", "并且 题名 等于 c 。"}));
        QLDBFilterDialog d;
        d.setConditions(form().conditions());
        QCOMPARE(d.GetFilter(), QStringLiteral("Title = 'b' AND Title = 'c'"));
        QTest::mouseClick(form().BtnClear, Qt::LeftButton);
        QCOMPARE(form().LstConditions->count(), 0);
        QVERIFY(form().conditions().isEmpty());
    }

    void okWithoutConditionsStays()
    {
        QTest::mouseClick(form().BtnOK, Qt::LeftButton);
        QCOMPARE(m_prompts->lastText(), QStringLiteral("请先定义查询条件。"));
        QVERIFY(form().isVisible());
    }

    void showAllEmptiesAndCloses()
    {
        add(QStringLiteral("题名"), QStringLiteral("包含"), QStringLiteral("x"));
        QTest::mouseClick(form().BtnShowAll, Qt::LeftButton);
        QCOMPARE(form().result(), int(QDialog::Accepted));
        QVERIFY(form().conditions().isEmpty());
        QLDBFilterDialog d;
        d.setConditions(form().conditions());
        QCOMPARE(d.GetFilter(), QStringLiteral(" 1=1 "));
    }

    void enterMovesOnAndModifiedEnterConfirms()
    {
        form().EditValue->setFocus();
        choose(form().CboField, QStringLiteral("题名"));
        form().EditValue->setFocus();
        QTest::keyClick(form().EditValue, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != form().EditValue);
        QVERIFY(form().isVisible());
        form().EditValue->setText(QStringLiteral("x"));
        form().BtnAdd->setFocus();
        QTest::keyClick(form().BtnAdd, Qt::Key_Return); // Enter on a button presses it
        QCOMPARE(form().LstConditions->count(), 1);
        QTest::keyClick(form().LstConditions, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(form().result(), int(QDialog::Accepted));
        QVERIFY(!form().isVisible());
    }

    // The shared dialog: title "查询", only the fields named, conditions handed back on OK only.
    void sharedDialogExecutes()
    {
        QLDBFilterDialog& d = QLDBFilterDialog::shared();
        QCOMPARE(&d, &QLDBFilterDialog::shared());
        QCOMPARE(d.title(), QStringLiteral("查询"));
        d.setDataSetFields(kDataSet);
        d.setFilterFields(QStringLiteral("Author;Title"));
        d.clearConditions();

        QStringList offered;
        QTimer::singleShot(0, this, [&offered] {
            auto* f = qobject_cast<QLDBFilterForm*>(QApplication::activeModalWidget());
            QVERIFY(f);
            offered = comboTexts(f->CboField);
            choose(f->CboField, QStringLiteral("责任者"));
            f->EditValue->setText(QStringLiteral("O'Neil"));
            choose(f->CboCondition, QStringLiteral("等于"));
            f->BtnAdd->click();
            f->BtnOK->click();
        });
        QVERIFY(d.Execute());
        QCOMPARE(offered, QStringList({"题名", "责任者"}));
        QCOMPARE(d.GetFilter(), QStringLiteral("Author = 'O''Neil'"));

        QTimer::singleShot(0, this, [] {
            auto* f = qobject_cast<QLDBFilterForm*>(QApplication::activeModalWidget());
            QVERIFY(f);
            f->BtnClear->click();
            f->BtnCancel->click();
        });
        QVERIFY(!d.Execute());
        QCOMPARE(d.GetFilter(), QStringLiteral("Author = 'O''Neil'"));
        d.clearConditions();
    }
};

QTEST_MAIN(TestDBFilterForm)
#include "tst_dbfilterform.moc"
