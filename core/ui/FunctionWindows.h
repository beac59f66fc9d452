#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

namespace dedizo {

// The function windows of the program by function key (11 books, 31 desk,
// 54 parameters, ...). Each folder registers the windows it builds; the
// main window opens them by key, through OpenFunctionWindow which applies
// the user's rights and writes the operation log.
struct FunctionWindow
{
    int key = -1;      // -1: no rights row applies
    QString className; // "TLoanAndReturnForm", ... (also the log's window name source)
    QString caption;   // the main window's item text
    std::function<QDialog*(QWidget* parent, const QString& parameter)> create;
};

class FunctionWindows
{
public:
    static void add(const FunctionWindow& window);
    static const FunctionWindow* byKey(int key);
    static const FunctionWindow* byClassName(const QString& className);
    static QList<FunctionWindow> all();
};

// Creates the window and shows it modally, applying the rights of the
// logged-in user; returns the dialog's result (QDialog::Rejected when the
// user may not open it).
using OpenFunctionWindowFn =
    std::function<int(const FunctionWindow&, const QString& parameter, QWidget* parent)>;
void setOpenFunctionWindowHandler(OpenFunctionWindowFn handler);
int OpenFunctionWindow(const FunctionWindow& window, const QString& parameter = QString(),
                       QWidget* parent = nullptr);
// By key; false when no window is registered for it.
bool OpenFunctionByKey(int key, const QString& parameter = QString(), QWidget* parent = nullptr);

} // namespace dedizo
