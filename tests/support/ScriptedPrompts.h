#pragma once

#include "core/Prompts.h"

#include <QList>
#include <QQueue>

namespace dedizo::test {

// Prompts for tests: records every message and answers questions from a
// script set up before the action. Installs itself for its lifetime.
class ScriptedPrompts final : public Prompts
{
public:
    struct Shown
    {
        Icon icon;
        QString text;
    };

    ScriptedPrompts() { m_previous = setPrompts(this); }
    ~ScriptedPrompts() override { setPrompts(m_previous); }

    QList<Shown> shown;
    QQueue<bool> confirmAnswers;   // empty queue answers true
    QQueue<QVariant> inputAnswers; // QString / QDate; an invalid QVariant cancels
    QQueue<QString> fileAnswers;   // empty string cancels

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }

    void message(Icon icon, const QString& text) override { shown.append({icon, text}); }
    bool confirm(const QString& text) override
    {
        shown.append({Icon::Question, text});
        return confirmAnswers.isEmpty() ? true : confirmAnswers.dequeue();
    }
    bool inputText(const QString&, const QString& prompt, QString& value) override
    {
        shown.append({Icon::Question, prompt});
        if (inputAnswers.isEmpty())
            return false;
        const QVariant v = inputAnswers.dequeue();
        if (!v.isValid())
            return false;
        value = v.toString();
        return true;
    }
    bool inputDate(const QString& prompt, QDate& value) override
    {
        shown.append({Icon::Question, prompt});
        if (inputAnswers.isEmpty())
            return false;
        const QVariant v = inputAnswers.dequeue();
        if (!v.isValid())
            return false;
        value = v.toDate();
        return true;
    }
    QString openFileName(const QString&, const QString&) override { return nextFile(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return nextFile(); }
    QString existingFolder(const QString&) override { return nextFile(); }

private:
    QString nextFile() { return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue(); }
    Prompts* m_previous = nullptr;
};

} // namespace dedizo::test
