#pragma once

#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/ui/FunctionWindows.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>
#include <functional>
#include <memory>

namespace dedizo::test {

// Opens function windows without blocking: the window is created and shown
// (not modally), the script acts on it, and its result is returned as a
// closed modal window would return it.
class EditorDriver
{
public:
    std::function<void(RecordEditForm*)> script;
    QStringList opened;
    bool leftOpen = false; // the editor was still visible when the script ended

    EditorDriver()
    {
        setOpenFunctionWindowHandler([this](const FunctionWindow& w, const QString& p, QWidget* parent) {
            opened << w.className;
            std::unique_ptr<QDialog> dialog(w.create(parent, p));
            dialog->show();
            if (script)
                script(qobject_cast<RecordEditForm*>(dialog.get()));
            leftOpen = dialog->isVisible();
            return dialog->result();
        });
    }
    ~EditorDriver() { setOpenFunctionWindowHandler(nullptr); }

    // Key presses carrying any text, Chinese included (keyClicks knows ASCII only).
    static void typeText(QWidget* w, const QString& text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    // Types into a field as a user would (replacing what is there).
    static void type(RecordEditForm* form, const QString& field, const QString& text)
    {
        QWidget* w = form->fieldWidget(field);
        QVERIFY2(w, qPrintable(field));
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
            memo->selectAll();
            QTest::keyClick(memo, Qt::Key_Delete);
        }
        typeText(w, text);
    }
    static QString text(RecordEditForm* form, const QString& field)
    {
        QWidget* w = form->fieldWidget(field);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            return memo->toPlainText();
        return QString();
    }
};

} // namespace dedizo::test
