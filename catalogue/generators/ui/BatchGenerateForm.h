#pragma once

#include "catalogue/generators/BatchGenerator.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace dedizo {

// The confirmation window "批量生成": what the generator does and whether
// every record or only the empty values are to be generated.
class BatchGenerateForm : public QDialog
{
    Q_OBJECT
public:
    BatchGenerateForm(const QString& caption, const QString& description, QWidget* parent = nullptr);

    // True when "所有记录都重新生成" is chosen.
    bool reGenAll() const;
    void setReGenAll(bool on);

    // The memo's text: "使用说明：" and a blank line before the description.
    static QString instructions(const QString& description);

    QLabel* LblCaption = nullptr;
    QPlainTextEdit* MemDescription = nullptr;
    QRadioButton* RbReGenAll = nullptr;
    QRadioButton* RbOnlyEmpty = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// The window side of a generator's run: the modal confirmation window over
// the active window, then, while the work runs, the wait cursor and the
// active window disabled; afterwards the window enabled again and brought to
// the front. The program installs one with setGeneratorHost.
class GeneratorWindowHost final : public GeneratorHost
{
public:
    bool confirm(const QString& caption, const QString& description, bool& reGenAll) override;
    void beginBusy() override;
    void endBusy() override;

    // Tests see the window just before it runs modally (to answer it).
    void setFormShownHook(std::function<void(BatchGenerateForm&)> hook) { m_hook = std::move(hook); }

private:
    QPointer<QWidget> m_window;
    bool m_cursorSet = false;
    std::function<void(BatchGenerateForm&)> m_hook;
};

// The window host of the program, for list windows:
// BatchGenerator::Show<BookCodeGenerator>(generatorWindowHost()).
GeneratorWindowHost& generatorWindowHost();

} // namespace dedizo
