#include "admin/ui/ParForm.h"

#include "admin/ui/RightsTags.h"
#include "core/ConfigManager.h"
#include "core/SharedDatasets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

namespace {
QCheckBox* check(const QString& text, const QVariant& value, QWidget* parent)
{
    auto* c = new QCheckBox(text, parent);
    c->setChecked(value.toBool());
    return c;
}
} // namespace

ParForm::ParForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("系统参数设置"));
    Dataset& par = DM1().ParQuery;
    par.close();
    par.setSql(QStringLiteral("SELECT * FROM Par_tab"));
    par.open();
    if (!par.isEmpty()) {
        par.first();
        par.edit();
        if (par.value(QStringLiteral("SystemName")).isNull())
            par.setValue(QStringLiteral("SystemName"), QString());
    }

    EditSystemName = new QLineEdit(par.text(QStringLiteral("SystemName")), this);
    EditSystemName->setEnabled(!ConfigManager::instance().isOEM());
    EditCorpName = new QLineEdit(par.text(QStringLiteral("CorpName")), this);
    ChkIsExitConfirm =
        check(QStringLiteral("退出系统时显示确认对话框"), par.value(QStringLiteral("IsExitConfirm")), this);
    ChkIsShowUserListOnLogin = check(QStringLiteral("在登录界面显示用户列表"),
                                     par.value(QStringLiteral("IsShowUserListOnLogin")), this);
    ChkIsMaxBookManager = check(QStringLiteral("书刊信息维护窗口打开时最大化"),
                                par.value(QStringLiteral("IsMaxBookManager")), this);
    BtnSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    BtnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    BtnSave->setAutoDefault(false);
    BtnCancel->setAutoDefault(false);
    setActionTag(BtnSave, TagOperate);
    BtnSave->setEnabled(par.isEditing());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("系统名称"), EditSystemName);
    form->addRow(QStringLiteral("使用单位"), EditCorpName);
    form->addRow(QString(), ChkIsExitConfirm);
    form->addRow(QString(), ChkIsShowUserListOnLogin);
    form->addRow(QString(), ChkIsMaxBookManager);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSave);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(BtnSave, &QPushButton::clicked, this, &ParForm::save);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ParForm::~ParForm()
{
    DM1().ParQuery.close(); // discards what was not saved
}

void ParForm::save()
{
    Dataset& par = DM1().ParQuery;
    if (!par.isEditing())
        return;
    if (EditSystemName->isEnabled())
        par.setValue(QStringLiteral("SystemName"), EditSystemName->text());
    par.setValue(QStringLiteral("CorpName"), EditCorpName->text());
    par.setValue(QStringLiteral("IsExitConfirm"), ChkIsExitConfirm->isChecked());
    par.setValue(QStringLiteral("IsShowUserListOnLogin"), ChkIsShowUserListOnLogin->isChecked());
    par.setValue(QStringLiteral("IsMaxBookManager"), ChkIsMaxBookManager->isChecked());
    par.post();
    accept();
}

} // namespace dedizo
