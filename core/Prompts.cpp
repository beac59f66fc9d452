#include "core/Prompts.h"

#include <cstdio>

namespace dedizo {

namespace {

// Used where no window system is present (command-line tools): messages go to
// stderr, questions are answered "no".
class StderrPrompts final : public Prompts
{
public:
    void message(Icon, const QString& text) override
    {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    bool confirm(const QString& text) override
    {
        message(Icon::Question, text);
        return false;
    }
    bool inputText(const QString&, const QString&, QString&) override { return false; }
    bool inputDate(const QString&, QDate&) override { return false; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString existingFolder(const QString&) override { return {}; }
};

StderrPrompts g_default;
Prompts* g_current = &g_default;

void show(Prompts::Icon icon, const QString& text, bool abandon)
{
    prompts().message(icon, text);
    if (abandon)
        throw AbortSilently();
}

} // namespace

Prompts& prompts()
{
    return *g_current;
}

Prompts* setPrompts(Prompts* p)
{
    Prompts* previous = g_current;
    g_current = p ? p : &g_default;
    return previous;
}

void ShowInfo(const QString& text, bool abandon)
{
    show(Prompts::Icon::Information, text, abandon);
}

void ShowWarning(const QString& text, bool abandon)
{
    show(Prompts::Icon::Warning, text, abandon);
}

void ShowError(const QString& text, bool abandon)
{
    show(Prompts::Icon::Error, text, abandon);
}

bool Confirm(const QString& text)
{
    return prompts().confirm(text);
}

bool InputText(const QString& caption, const QString& prompt, QString& value)
{
    return prompts().inputText(caption, prompt, value);
}

bool InputDate(const QString& prompt, QDate& value)
{
    return prompts().inputDate(prompt, value);
}

} // namespace dedizo
