#include "admin/ui/UserEditForm.h"

#include "catalogue/refdata/DataDictionary.h"
#include "core/DbUtils.h"
#include "core/Prompts.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

namespace {

// The pick list the data dictionary offers for a column ("BookRoom", "DeptName").
QStringList dictionaryItems(const QString& column)
{
    QStringList items;
    DictionaryValues(column, items);
    return items;
}

QComboBox* pickList(const QStringList& items, const QString& value, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setEditText(value);
    return c;
}

} // namespace

UserEditForm::UserEditForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("用户信息维护"));
    Dataset& users = DM1().UserQuery;
    const bool inserting = users.state() == Dataset::State::Insert;

    EditUserCode = new QLineEdit(users.text(QStringLiteral("UserCode")).trimmed(), this);
    EditUserCode->setEnabled(inserting); // codes are fixed once created
    EditUserName = new QLineEdit(users.text(QStringLiteral("UserName")).trimmed(), this);
    CboTitle = pickList(dictionaryItems(QStringLiteral("BookRoom")),
                        users.text(QStringLiteral("Title")).trimmed(), this);
    CboDept = pickList(dictionaryItems(QStringLiteral("DeptName")),
                       users.text(QStringLiteral("Dept")).trimmed(), this);
    ChkIsLock = new QCheckBox(QStringLiteral("锁定 (锁定后的用户将无法登录)"), this);
    ChkIsLock->setChecked(users.value(QStringLiteral("IsLock")).toBool());
    ChkIsLock->setEnabled(!isAdministrator(EditUserCode->text()));
    EditMemo = new QLineEdit(users.text(QStringLiteral("Memo")), this);
    LblNote = new QLabel(
        QStringLiteral("对用户设定书室后，该用户将只能查看和管理该书室的书刊和读者；如留空，将不进行书室权限"
                       "控制，用户可查看全部信息。"),
        this);
    LblNote->setWordWrap(true);
    BtnSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    BtnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    BtnSave->setAutoDefault(false);
    BtnCancel->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("登录代号"), EditUserCode);
    form->addRow(QStringLiteral("真实姓名"), EditUserName);
    form->addRow(QStringLiteral("书室"), CboTitle);
    form->addRow(QStringLiteral("部门"), CboDept);
    form->addRow(QString(), ChkIsLock);
    form->addRow(QStringLiteral("备注"), EditMemo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSave);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(LblNote);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(BtnSave, &QPushButton::clicked, this, &UserEditForm::save);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void UserEditForm::save()
{
    Dataset& users = DM1().UserQuery;
    if (!users.isEditing())
        return;
    if (users.state() == Dataset::State::Insert)
        users.setValue(QStringLiteral("UserCode"), EditUserCode->text().trimmed());
    users.setValue(QStringLiteral("UserName"), EditUserName->text().trimmed());
    users.setValue(QStringLiteral("Title"), CboTitle->currentText().trimmed());
    users.setValue(QStringLiteral("Dept"), CboDept->currentText().trimmed());
    users.setValue(QStringLiteral("IsLock"), ChkIsLock->isEnabled() ? ChkIsLock->isChecked() : false);
    users.setValue(QStringLiteral("Memo"), EditMemo->text());
    try {
        users.post();
    } catch (const AbortSilently&) {
        focusField(users.focusField());
        return;
    }
    accept();
}

void UserEditForm::focusField(const QString& fieldName)
{
    if (fieldName.compare(QLatin1String("UserCode"), Qt::CaseInsensitive) == 0)
        EditUserCode->setFocus();
    else if (fieldName.compare(QLatin1String("UserName"), Qt::CaseInsensitive) == 0)
        EditUserName->setFocus();
}

void UserEditForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
            save();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace dedizo
