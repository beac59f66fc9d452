#include "catalogue/refdata/ui/RecordEditForm.h"

#include "core/DatabaseError.h"
#include "core/Dataset.h"
#include "core/Prompts.h"
#include "core/ui/ActionTags.h"
#include "core/ui/FunctionWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

void setBoundField(QWidget* widget, const QString& field)
{
    widget->setProperty("dataField", field);
}

QString boundField(const QWidget* widget)
{
    return widget->property("dataField").toString();
}

RecordEditForm::RecordEditForm(Dataset* dataset, const QString& caption, QWidget* parent)
    : QDialog(parent), m_dataset(dataset), m_form(new QFormLayout)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    m_form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->addLayout(m_form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BtnSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    BtnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    setActionTag(BtnSave, TagOperate);
    for (QPushButton* b : {BtnSave, BtnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        buttons->addWidget(b);
    }
    layout->addStretch(1);
    layout->addLayout(buttons);
    connect(BtnSave, &QPushButton::clicked, this, &RecordEditForm::save);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(380);
}

QWidget* RecordEditForm::addField(const QString& field, QWidget* widget)
{
    setBoundField(widget, field);
    m_form->addRow(m_dataset->displayLabel(field) + QLatin1Char(':'), widget);
    m_order.append(widget);
    m_widgets.insert(field.toLower(), widget);
    widget->installEventFilter(this);
    return widget;
}

QLineEdit* RecordEditForm::addTextEdit(const QString& field, int maxLength)
{
    auto* edit = new QLineEdit(this);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    addField(field, edit);
    return edit;
}

QLineEdit* RecordEditForm::addNumberEdit(const QString& field, int minimum, int maximum)
{
    auto* edit = new QLineEdit(this);
    edit->setValidator(new QIntValidator(minimum, maximum, edit));
    edit->setProperty("numeric", true);
    addField(field, edit);
    return edit;
}

QComboBox* RecordEditForm::addComboBox(const QString& field, int maxLength)
{
    auto* combo = new QComboBox(this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (maxLength > 0)
        combo->lineEdit()->setMaxLength(maxLength);
    combo->lineEdit()->installEventFilter(this);
    addField(field, combo);
    return combo;
}

QPlainTextEdit* RecordEditForm::addMemoEdit(const QString& field)
{
    auto* memo = new QPlainTextEdit(this);
    memo->setTabChangesFocus(true);
    memo->setMinimumHeight(140);
    addField(field, memo);
    return memo;
}

QCheckBox* RecordEditForm::addAddNewCheck()
{
    ChkAddNew = new QCheckBox(QStringLiteral("保存后新增(&A)"), this);
    auto* buttons = qobject_cast<QHBoxLayout*>(layout()->itemAt(layout()->count() - 1)->layout());
    buttons->insertWidget(0, ChkAddNew);
    return ChkAddNew;
}

void RecordEditForm::loadFields()
{
    if (!m_dataset->isOpen())
        return;
    m_loading = true;
    for (QWidget* w : std::as_const(m_order)) {
        const QVariant v = m_dataset->value(boundField(w));
        const QString text = v.isNull() ? QString() : v.toString();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setEditText(text);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            memo->setPlainText(text);
    }
    m_loading = false;
}

void RecordEditForm::writeFields()
{
    for (QWidget* w : std::as_const(m_order)) {
        QString text;
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            text = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            text = combo->currentText();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            text = memo->toPlainText();
        QVariant value;
        if (!text.isEmpty())
            value = w->property("numeric").toBool() ? QVariant(text.toInt()) : QVariant(text);
        const QString field = boundField(w);
        const QVariant old = m_dataset->value(field);
        // An untouched empty field keeps its null; so does an unchanged value its type.
        if (value.isNull() && (old.isNull() || old.toString().isEmpty()))
            continue;
        if (!value.isNull() && !old.isNull() && old.toString() == text)
            continue;
        m_dataset->setValue(field, value);
    }
}

void RecordEditForm::postRecord()
{
    m_dataset->post();
}

void RecordEditForm::focusField(const QString& field)
{
    if (QWidget* w = fieldWidget(field))
        w->setFocus();
}

void RecordEditForm::save()
{
    BtnSave->setFocus();
    if (!m_dataset->isEditing())
        m_dataset->edit();
    writeFields();
    try {
        postRecord();
    } catch (const AbortSilently&) {
        focusField(m_dataset->focusField());
        return;
    } catch (const DatabaseError& e) {
        ShowError(e.message());
        return;
    }
    if (ChkAddNew && ChkAddNew->isChecked()) {
        m_dataset->append();
        loadFields();
        if (!m_order.isEmpty())
            m_order.first()->setFocus();
        return;
    }
    accept();
}

bool RecordEditForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
                save();
                return true;
            }
            if (qobject_cast<QPlainTextEdit*>(watched))
                return false; // a new line in the text
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RecordEditForm::showEvent(QShowEvent* event)
{
    loadFields();
    if (!m_order.isEmpty())
        m_order.first()->setFocus();
    QDialog::showEvent(event);
}

int RecordEditForm::open(const QString& className, const QString& caption,
                         const std::function<QDialog*(QWidget*)>& create, QWidget* parent)
{
    FunctionWindow window;
    window.key = -1;
    window.className = className;
    window.caption = caption;
    window.create = [create](QWidget* p, const QString&) { return create(p); };
    return OpenFunctionWindow(window, QString(), parent);
}

} // namespace dedizo
