#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dedizo {

// TUserEditForm ("用户信息维护"): edits the current row of DM1().UserQuery,
// which the caller has put into insert or edit state.
class UserEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit UserEditForm(QWidget* parent = nullptr);

    // "保存(&S)": posts through the record rules and closes; a failed rule
    // keeps the window open with the field focused.
    void save();

    QLineEdit* EditUserCode = nullptr;
    QLineEdit* EditUserName = nullptr;
    QComboBox* CboTitle = nullptr;
    QComboBox* CboDept = nullptr;
    QCheckBox* ChkIsLock = nullptr;
    QLineEdit* EditMemo = nullptr;
    QLabel* LblNote = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnCancel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void focusField(const QString& fieldName);
};

} // namespace dedizo
