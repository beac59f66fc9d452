#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace dedizo {

// TParForm ("系统参数设置", key 54): the single Par_tab row through
// DM1().ParQuery. With the OEM switch on, "系统名称" cannot be changed here
// (Config.ini's OEM title wins).
class ParForm : public QDialog
{
    Q_OBJECT
public:
    explicit ParForm(QWidget* parent = nullptr);
    ~ParForm() override;

    void save(); // "保存(&S)"

    QLineEdit* EditSystemName = nullptr;
    QLineEdit* EditCorpName = nullptr;
    QCheckBox* ChkIsExitConfirm = nullptr;
    QCheckBox* ChkIsShowUserListOnLogin = nullptr;
    QCheckBox* ChkIsMaxBookManager = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnCancel = nullptr;
};

} // namespace dedizo
