#include "core/ui/WidgetPrompts.h"

#include "core/AppInfo.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

namespace {

QWidget* dialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

// OK and cancel with the program's own texts.
QDialogButtonBox* okCancel(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel)
{
    auto* box = new QDialogButtonBox(dialog);
    ok = box->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    cancel = box->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

} // namespace

InputDialogForm::InputDialogForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TInputDialogForm"));
    setWindowTitle(QStringLiteral("输入"));
    LblPrompt = new QLabel(QStringLiteral("请输入内容："), this);
    LblPrompt->setObjectName(QStringLiteral("LblPrompt"));
    LblPrompt->setWordWrap(true);
    EditValue = new QLineEdit(this);
    EditValue->setObjectName(QStringLiteral("EditValue"));
    LblPrompt->setBuddy(EditValue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblPrompt);
    layout->addWidget(EditValue);
    layout->addWidget(okCancel(this, BtnOK, BtnCancel));
    setMinimumWidth(360);
}

InputDateForm::InputDateForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TInputDateForm"));
    setWindowTitle(QStringLiteral("选择日期"));
    LblPrompt = new QLabel(this);
    LblPrompt->setObjectName(QStringLiteral("LblPrompt"));
    LblPrompt->setWordWrap(true);
    EditDate = new QDateEdit(this);
    EditDate->setObjectName(QStringLiteral("EditDate"));
    EditDate->setCalendarPopup(true);
    EditDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    LblPrompt->setBuddy(EditDate);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblPrompt);
    layout->addWidget(EditDate);
    layout->addWidget(okCancel(this, BtnOK, BtnCancel));
    setMinimumWidth(300);
}

void WidgetPrompts::message(Icon icon, const QString& text)
{
    const auto i = icon == Icon::Error      ? QMessageBox::Critical
                   : icon == Icon::Warning  ? QMessageBox::Warning
                   : icon == Icon::Question ? QMessageBox::Question
                                            : QMessageBox::Information;
    QMessageBox box(i, AppInfo::title(), text, QMessageBox::Ok, dialogParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定(&O)"));
    box.exec();
}

bool WidgetPrompts::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, AppInfo::title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                    dialogParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定(&O)"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消(&C)"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

bool WidgetPrompts::inputText(const QString& caption, const QString& prompt, QString& value)
{
    InputDialogForm form(dialogParent());
    if (!caption.isEmpty())
        form.setWindowTitle(caption);
    if (!prompt.isEmpty())
        form.LblPrompt->setText(prompt);
    form.EditValue->setText(value);
    form.EditValue->selectAll();
    if (form.exec() != QDialog::Accepted)
        return false;
    value = form.EditValue->text();
    return true;
}

bool WidgetPrompts::inputDate(const QString& prompt, QDate& value)
{
    InputDateForm form(dialogParent());
    form.LblPrompt->setText(prompt);
    form.LblPrompt->setVisible(!prompt.isEmpty());
    form.EditDate->setDate(value.isValid() ? value : QDate::currentDate());
    if (form.exec() != QDialog::Accepted)
        return false;
    value = form.EditDate->date();
    return true;
}

QString WidgetPrompts::openFileName(const QString& caption, const QString& filter)
{
    return QFileDialog::getOpenFileName(dialogParent(), caption, QString(), qtFilter(filter));
}

QString WidgetPrompts::saveFileName(const QString& caption, const QString& filter, const QString& suggested)
{
    return QFileDialog::getSaveFileName(dialogParent(), caption, suggested, qtFilter(filter));
}

QString WidgetPrompts::existingFolder(const QString& caption)
{
    return QFileDialog::getExistingDirectory(dialogParent(), caption);
}

QString WidgetPrompts::qtFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts[i].trimmed();
        // "Excel 文件 (*.xls)|*.xls": the description names its patterns already.
        const int paren = description.indexOf(QLatin1Char('('));
        if (paren > 0)
            description = description.left(paren).trimmed();
        out << QStringLiteral("%1 (%2)").arg(description, patterns.simplified());
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace dedizo
