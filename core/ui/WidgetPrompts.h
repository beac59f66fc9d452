#pragma once

#include "core/Prompts.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dedizo {

// The input window "输入": one line of text with OK and cancel.
class InputDialogForm : public QDialog
{
    Q_OBJECT
public:
    explicit InputDialogForm(QWidget* parent = nullptr);

    QLabel* LblPrompt = nullptr;
    QLineEdit* EditValue = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// The date window "选择日期".
class InputDateForm : public QDialog
{
    Q_OBJECT
public:
    explicit InputDateForm(QWidget* parent = nullptr);

    QLabel* LblPrompt = nullptr;
    QDateEdit* EditDate = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// The prompts of the running program: message boxes captioned with the
// application title, the input windows above and the desktop's file dialogs.
// The program body installs one instance with setPrompts.
class WidgetPrompts final : public Prompts
{
public:
    void message(Icon icon, const QString& text) override;
    bool confirm(const QString& text) override;
    bool inputText(const QString& caption, const QString& prompt, QString& value) override;
    bool inputDate(const QString& prompt, QDate& value) override;
    QString openFileName(const QString& caption, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& suggested) override;
    QString existingFolder(const QString& caption) override;

    // A filter written as "说明|*.xls;*.xlsx|..." becomes Qt's "说明 (*.xls *.xlsx);;...";
    // a filter already in Qt's form is returned unchanged.
    static QString qtFilter(const QString& filter);
};

} // namespace dedizo
