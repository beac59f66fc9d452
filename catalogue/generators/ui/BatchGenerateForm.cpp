#include "catalogue/generators/ui/BatchGenerateForm.h"
#include "core/ui/DialogButtons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dedizo {

BatchGenerateForm::BatchGenerateForm(const QString& caption, const QString& description, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BatchGenerateForm"));
    setWindowTitle(QStringLiteral("批量生成"));
    setModal(true);

    LblCaption = new QLabel(caption, this);
    LblCaption->setObjectName(QStringLiteral("LblCaption"));
    QFont bold = LblCaption->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    LblCaption->setFont(bold);

    MemDescription = new QPlainTextEdit(this);
    MemDescription->setObjectName(QStringLiteral("MemDescription"));
    MemDescription->setReadOnly(true);
    MemDescription->setPlainText(instructions(description));
    MemDescription->setMinimumSize(420, 150);

    RbReGenAll = new QRadioButton(QStringLiteral("所有记录都重新生成"), this);
    RbReGenAll->setObjectName(QStringLiteral("RbReGenAll"));
    RbOnlyEmpty = new QRadioButton(QStringLiteral("只对空值记录生成，不要覆盖已有值"), this);
    RbOnlyEmpty->setObjectName(QStringLiteral("RbOnlyEmpty"));
    auto* group = new QButtonGroup(this);
    group->addButton(RbReGenAll);
    group->addButton(RbOnlyEmpty);
    RbReGenAll->setChecked(true);

    auto* buttons = okCancelRow(this, BtnOK, BtnCancel);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* options = new QVBoxLayout;
    options->addWidget(RbReGenAll);
    options->addWidget(RbOnlyEmpty);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblCaption);
    layout->addWidget(MemDescription, 1);
    layout->addLayout(options);
    layout->addLayout(buttons);
}

QString BatchGenerateForm::instructions(const QString& description)
{
    QString text = QStringLiteral("使用说明：\r\n\r\n") + description;
    // The generators' texts use Windows line breaks; the memo's line break is "\n".
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

bool BatchGenerateForm::reGenAll() const
{
    return RbReGenAll->isChecked();
}

void BatchGenerateForm::setReGenAll(bool on)
{
    (on ? RbReGenAll : RbOnlyEmpty)->setChecked(true);
}

// ---------------------------------------------------------------- host

bool GeneratorWindowHost::confirm(const QString& caption, const QString& description, bool& reGenAll)
{
    m_window = QApplication::activeWindow();
    BatchGenerateForm form(caption, description, m_window);
    form.setReGenAll(reGenAll);
    if (m_hook)
        m_hook(form);
    if (form.exec() != QDialog::Accepted)
        return false;
    reGenAll = form.reGenAll();
    return true;
}

void GeneratorWindowHost::beginBusy()
{
    if (!m_window)
        m_window = QApplication::activeWindow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursorSet = true;
    if (m_window) {
        m_window->repaint();
        m_window->setEnabled(false);
    }
}

void GeneratorWindowHost::endBusy()
{
    if (m_window) {
        m_window->setEnabled(true);
        m_window->raise();
        m_window->activateWindow();
    }
    if (m_cursorSet) {
        QApplication::restoreOverrideCursor();
        m_cursorSet = false;
    }
    m_window = nullptr;
}

GeneratorWindowHost& generatorWindowHost()
{
    static GeneratorWindowHost host;
    return host;
}

} // namespace dedizo
