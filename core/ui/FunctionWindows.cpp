#include "core/ui/FunctionWindows.h"

#include <memory>

namespace dedizo {

namespace {

QList<FunctionWindow>& registry()
{
    static QList<FunctionWindow> windows;
    return windows;
}

// Until rights are in force: create, show modally, free.
int plainOpen(const FunctionWindow& window, const QString& parameter, QWidget* parent)
{
    std::unique_ptr<QDialog> dialog(window.create(parent, parameter));
    return dialog ? dialog->exec() : QDialog::Rejected;
}

OpenFunctionWindowFn& handler()
{
    static OpenFunctionWindowFn h = plainOpen;
    return h;
}

} // namespace

void FunctionWindows::add(const FunctionWindow& window)
{
    QList<FunctionWindow>& list = registry();
    for (FunctionWindow& w : list) {
        if (w.className == window.className) {
            w = window;
            return;
        }
    }
    list.append(window);
}

const FunctionWindow* FunctionWindows::byKey(int key)
{
    for (const FunctionWindow& w : registry())
        if (w.key == key && key >= 0)
            return &w;
    return nullptr;
}

const FunctionWindow* FunctionWindows::byClassName(const QString& className)
{
    for (const FunctionWindow& w : registry())
        if (w.className == className)
            return &w;
    return nullptr;
}

QList<FunctionWindow> FunctionWindows::all()
{
    return registry();
}

void setOpenFunctionWindowHandler(OpenFunctionWindowFn h)
{
    handler() = h ? std::move(h) : OpenFunctionWindowFn(plainOpen);
}

int OpenFunctionWindow(const FunctionWindow& window, const QString& parameter, QWidget* parent)
{
    return handler()(window, parameter, parent);
}

bool OpenFunctionByKey(int key, const QString& parameter, QWidget* parent)
{
    const FunctionWindow* w = FunctionWindows::byKey(key);
    if (!w)
        return false;
    OpenFunctionWindow(*w, parameter, parent);
    return true;
}

} // namespace dedizo
