#include "core/ui/QLDBFilterForm.h"

#include "core/Prompts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace dedizo {

namespace {

const QString kDateFormat = QStringLiteral("yyyy/MM/dd");

enum ValuePage
{
    TextPage = 0,
    BoolPage = 1,
    DatePage = 2,
};

ValuePage pageFor(FilterFieldType type)
{
    switch (type) {
    case FilterFieldType::Boolean:
        return BoolPage;
    case FilterFieldType::Date:
    case FilterFieldType::DateTime:
        return DatePage;
    default:
        return TextPage;
    }
}

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Enter is handled by the window (next control), never by a default button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

QLDBFilterForm::QLDBFilterForm(const QList<FilterField>& fields, const QList<FilterCondition>& conditions,
                               const QString& title, QWidget* parent)
    : QDialog(parent), m_fields(fields), m_conditions(conditions)
{
    setObjectName(QStringLiteral("QLDBFilterForm"));
    setWindowTitle(title);

    // --- 定义条件 ---
    auto* define = new QGroupBox(QStringLiteral("定义条件"), this);
    CboField = new QComboBox(define);
    CboField->setObjectName(QStringLiteral("CboField"));
    for (const FilterField& f : m_fields)
        CboField->addItem(f.label, f.name);
    auto* lblField = new QLabel(QStringLiteral("项目(&I):"), define);
    lblField->setBuddy(CboField);

    RbAnd = new QRadioButton(QStringLiteral("并且(&N)"), define);
    RbAnd->setObjectName(QStringLiteral("RbAnd"));
    RbAnd->setChecked(true);
    RbOr = new QRadioButton(QStringLiteral("或者(&R)"), define);
    RbOr->setObjectName(QStringLiteral("RbOr"));

    CboCondition = new QComboBox(define);
    CboCondition->setObjectName(QStringLiteral("CboCondition"));
    auto* lblCondition = new QLabel(QStringLiteral("条件(&C):"), define);
    lblCondition->setBuddy(CboCondition);

    PanValue = new QStackedWidget(define);
    PanValue->setObjectName(QStringLiteral("PanValue"));
    EditValue = new QLineEdit;
    EditValue->setObjectName(QStringLiteral("EditValue"));
    CboBoolValue = new QComboBox;
    CboBoolValue->setObjectName(QStringLiteral("CboBoolValue"));
    CboBoolValue->addItems({QStringLiteral("是"), QStringLiteral("否")});
    EditDateValue = new QDateEdit(QDate::currentDate());
    EditDateValue->setObjectName(QStringLiteral("EditDateValue"));
    EditDateValue->setDisplayFormat(kDateFormat);
    EditDateValue->setCalendarPopup(true);
    PanValue->insertWidget(TextPage, EditValue);
    PanValue->insertWidget(BoolPage, CboBoolValue);
    PanValue->insertWidget(DatePage, EditDateValue);
    PanValue->setFixedHeight(EditValue->sizeHint().height() + 4);
    auto* lblValue = new QLabel(QStringLiteral("值(&V):"), define);
    lblValue->setBuddy(EditValue);

    BtnAdd = button(QStringLiteral("添加至条件列表(&A)"), "BtnAdd", define);

    auto* conj = new QHBoxLayout;
    conj->addWidget(RbAnd);
    conj->addWidget(RbOr);
    conj->addStretch();
    auto* grid = new QGridLayout(define);
    grid->addWidget(lblField, 0, 0);
    grid->addWidget(CboField, 0, 1);
    grid->addLayout(conj, 1, 1);
    grid->addWidget(lblCondition, 2, 0);
    grid->addWidget(CboCondition, 2, 1);
    grid->addWidget(lblValue, 3, 0);
    grid->addWidget(PanValue, 3, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addStretch();
    addRow->addWidget(BtnAdd);
    grid->addLayout(addRow, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // --- 条件列表 ---
    auto* listGroup = new QGroupBox(QStringLiteral("条件列表"), this);
    auto* lblList = new QLabel(QStringLiteral("将按以下条件进行筛选："), listGroup);
    LstConditions = new QListWidget(listGroup);
    LstConditions->setObjectName(QStringLiteral("LstConditions"));
    BtnDelete = button(QStringLiteral("删除(&D)"), "BtnDelete", listGroup);
    BtnClear = button(QStringLiteral("清空(&W)"), "BtnClear", listGroup);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(BtnDelete);
    listButtons->addWidget(BtnClear);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(lblList);
    listLayout->addWidget(LstConditions);
    listLayout->addLayout(listButtons);

    BtnOK = button(QStringLiteral("确定(&O)"), "BtnOK", this);
    BtnShowAll = button(QStringLiteral("显示全部(&L)"), "BtnShowAll", this);
    BtnCancel = button(QStringLiteral("取消(&N)"), "BtnCancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnShowAll);
    buttons->addWidget(BtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(define);
    layout->addWidget(listGroup, 1);
    layout->addLayout(buttons);
    resize(460, 480);

    connect(CboField, &QComboBox::currentIndexChanged, this, &QLDBFilterForm::fieldChanged);
    connect(BtnAdd, &QPushButton::clicked, this, &QLDBFilterForm::addCondition);
    connect(LstConditions, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { loadCondition(LstConditions->row(item)); });
    connect(BtnDelete, &QPushButton::clicked, this, &QLDBFilterForm::deleteCondition);
    connect(BtnClear, &QPushButton::clicked, this, &QLDBFilterForm::clearConditions);
    connect(BtnOK, &QPushButton::clicked, this, &QLDBFilterForm::confirm);
    connect(BtnShowAll, &QPushButton::clicked, this, &QLDBFilterForm::showAll);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    fieldChanged();
    refreshList(m_conditions.size() - 1);
}

const FilterField* QLDBFilterForm::currentField() const
{
    const int i = CboField->currentIndex();
    return i >= 0 && i < m_fields.size() ? &m_fields.at(i) : nullptr;
}

void QLDBFilterForm::fieldChanged()
{
    CboCondition->clear();
    const FilterField* f = currentField();
    const QList<FilterOperator> ops = f ? DBFilterBuilder::operatorsFor(f->type) : QList<FilterOperator>{};
    for (FilterOperator op : ops)
        CboCondition->addItem(DBFilterBuilder::operatorText(op), int(op));
    CboCondition->setEnabled(!ops.isEmpty());
    BtnAdd->setEnabled(!ops.isEmpty());
    if (!f)
        return;
    const int preselected = CboCondition->findData(int(DBFilterBuilder::defaultOperator(f->type)));
    CboCondition->setCurrentIndex(preselected >= 0 ? preselected : 0);
    PanValue->setCurrentIndex(pageFor(f->type));
    if (pageFor(f->type) == DatePage)
        EditDateValue->setDate(QDate::currentDate());
}

QString QLDBFilterForm::currentValue(const FilterField& field) const
{
    switch (pageFor(field.type)) {
    case BoolPage:
        return CboBoolValue->currentText();
    case DatePage:
        return EditDateValue->date().toString(kDateFormat);
    case TextPage:
        break;
    }
    return EditValue->text();
}

void QLDBFilterForm::addCondition()
{
    const FilterField* f = currentField();
    if (!f || CboCondition->currentIndex() < 0)
        return;
    const QString value = currentValue(*f);
    if (DBFilterBuilder::isNumeric(f->type) && !DBFilterBuilder::isAcceptableNumber(value)) {
        ShowWarning(QStringLiteral("请输入正确的") + f->label + QStringLiteral("。"));
        EditValue->setFocus();
        return;
    }
    FilterCondition c;
    c.conjunction = RbOr->isChecked() ? FilterConjunction::Or : FilterConjunction::And;
    c.op = FilterOperator(CboCondition->currentData().toInt());
    c.value = value;
    c.field = *f;
    m_conditions.append(c);
    refreshList(m_conditions.size() - 1);
    LstConditions->setFocus();
}

void QLDBFilterForm::loadCondition(int row)
{
    if (row < 0 || row >= m_conditions.size())
        return;
    const FilterCondition& c = m_conditions.at(row);
    const int fieldIndex = CboField->findData(c.field.name);
    if (fieldIndex < 0)
        return;
    CboField->setCurrentIndex(fieldIndex); // refills the operators
    (c.conjunction == FilterConjunction::Or ? RbOr : RbAnd)->setChecked(true);
    const int opIndex = CboCondition->findData(int(c.op));
    if (opIndex >= 0)
        CboCondition->setCurrentIndex(opIndex);
    switch (pageFor(c.field.type)) {
    case BoolPage:
        CboBoolValue->setCurrentIndex(c.value == QStringLiteral("是") ? 0 : 1);
        break;
    case DatePage: {
        const QDate d = QDate::fromString(c.value, kDateFormat);
        if (d.isValid())
            EditDateValue->setDate(d);
        break;
    }
    case TextPage:
        EditValue->setText(c.value);
        break;
    }
}

void QLDBFilterForm::deleteCondition()
{
    const int row = LstConditions->currentRow();
    if (row < 0 || row >= m_conditions.size())
        return;
    m_conditions.removeAt(row);
    refreshList(qMin(row, int(m_conditions.size()) - 1));
}

void QLDBFilterForm::clearConditions()
{
    m_conditions.clear();
    refreshList(-1);
}

void QLDBFilterForm::confirm()
{
    if (m_conditions.isEmpty()) {
        ShowInfo(QStringLiteral("请先定义查询条件。"));
        return;
    }
    accept();
}

void QLDBFilterForm::showAll()
{
    m_conditions.clear();
    refreshList(-1);
    accept();
}

void QLDBFilterForm::refreshList(int select)
{
    LstConditions->clear();
    for (int i = 0; i < m_conditions.size(); ++i)
        LstConditions->addItem(DBFilterBuilder::displayText(m_conditions.at(i), i == 0));
    if (select >= 0 && select < LstConditions->count())
        LstConditions->setCurrentRow(select);
}

void QLDBFilterForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        BtnOK->click();
        return;
    }
    // Enter on a button presses it; anywhere else it moves on to the next control.
    if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
        b->click();
        return;
    }
    focusNextChild();
}

// --- QLDBFilterDialog ---

QLDBFilterDialog::QLDBFilterDialog() : m_title(QStringLiteral("查询"))
{
}

QLDBFilterDialog& QLDBFilterDialog::shared()
{
    static QLDBFilterDialog instance;
    return instance;
}

bool QLDBFilterDialog::Execute(QWidget* parent)
{
    QLDBFilterForm form(DBFilterBuilder::offeredFields(m_dataSetFields, m_filterFields), m_conditions,
                        m_title, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    m_conditions = form.conditions();
    return true;
}

QString QLDBFilterDialog::GetFilter() const
{
    DBFilterBuilder b(FilterLiterals::current());
    for (const FilterCondition& c : m_conditions)
        b.add(c);
    return b.GetFilter();
}

} // namespace dedizo
