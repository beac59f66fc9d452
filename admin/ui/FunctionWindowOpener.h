#pragma once

#include "core/ui/FunctionWindows.h"

namespace dedizo {

// The rights-applying window opener (the handler behind OpenFunctionWindow):
//  1. creates the window;
//  2. for a function key (>= 0): a user who may not open it (no rights row,
//     or IsOpen false) gets nothing, without a message; otherwise the
//     window's actions tagged 1 are hidden and disabled without IsOperate,
//     those tagged 2 without IsPrint (see RightsTags.h). Key -1: no rights
//     row applies and the window keeps all its actions;
//  3. applies the parameter (below);
//  4. logs "打开" with the window's caption and repaints the parent;
//  5. shows the window modally;
//  6. logs "关闭" with the caption read after closing, and frees the window.
// A failing "打开" log entry frees the window unshown and reaches the caller.
//
// Parameters: "Add" triggers the window's action named "BooksAdd";
// "Loan", "Return" and "Reloan" run the window's invokable members
// SetBusinessTypeLoan, SetBusinessTypeReturn and SetBusinessTypeReloan
// (or trigger actions of those names). An action hidden by the rights is not
// triggered. Any other parameter is left to the window's create function,
// which receives it too.
int OpenFunctionWindowWithRights(const FunctionWindow& window, const QString& parameter, QWidget* parent);

// Installs the opener above as the OpenFunctionWindow handler and registers
// the operators' function windows: 52 "用户授权设置" (TUserForm),
// 53 "操作日志管理" (TUserLogForm) and 54 "系统参数设置" (TParForm).
//
// The main window uses, besides: Login() (LoginForm.h), then
// WriteOperationLog("进入系统", "打开") and OpenAccTable(); MayOpenFunction /
// MayOperateFunction (admin/Rights.h) to enable its items; ShowLockScreen()
// and ShowModPwdForm() (PasswordForms.h) for F9, "锁屏" and "修改密码".
void installOperatorHooks();

} // namespace dedizo
