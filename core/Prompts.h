#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace dedizo {

// Thrown to abandon the current operation silently after a message was shown
// (a failed record rule, ShowInfo/ShowWarning/ShowError with the abandon flag).
// The user interface catches it and shows nothing more.
class AbortSilently : public std::exception
{
public:
    const char* what() const noexcept override { return "operation abandoned"; }
};

// Every message box, confirmation, input and file dialog of the program goes
// through this interface, so tests can script the answers and every window
// runs headless.
class Prompts
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Error,
        Question
    };

    virtual ~Prompts() = default;

    virtual void message(Icon icon, const QString& text) = 0;
    virtual bool confirm(const QString& text) = 0;
    // Returns false when cancelled; `value` is changed only on OK.
    virtual bool inputText(const QString& caption, const QString& prompt, QString& value) = 0;
    virtual bool inputDate(const QString& prompt, QDate& value) = 0;
    // Empty result when cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter, const QString& suggested) = 0;
    virtual QString existingFolder(const QString& caption) = 0;
};

// The process-wide prompts; a plain stderr writer until the program or a test installs its own.
Prompts& prompts();
// Installs `p` (not owned) and returns the previous one; nullptr restores the default.
Prompts* setPrompts(Prompts* p);

// The shared message functions. With `abandon` set they throw AbortSilently after the box.
void ShowInfo(const QString& text, bool abandon = false);
void ShowWarning(const QString& text, bool abandon = false);
void ShowError(const QString& text, bool abandon = false);
bool Confirm(const QString& text);
bool InputText(const QString& caption, const QString& prompt, QString& value);
bool InputDate(const QString& prompt, QDate& value);

} // namespace dedizo
