#pragma once

#include <QList>
#include <QString>

namespace dedizo {

// The functions of the main window: navigation bar items grouped as the
// function categories, each item's tag being its function key.
struct NavItem
{
    int key;
    QString caption;
    QString hint;
};

struct NavGroup
{
    QString caption;
    QList<NavItem> items;
};

const QList<NavGroup>& navigationGroups();

// What a ribbon button does beyond opening its key.
enum class RibbonCommand
{
    OpenKey,        // open `key` with `parameter`
    OpenCopyList,   // the copies list window under the rights of key 11
    CloseMain,      // "退出系统"
    Relogin,        // "重新登录"
    ChangePassword, // "修改密码"
    ClientConfig,   // "客户端配置"
    Backup,         // "备份与恢复"
    LockScreen,     // "锁屏"
    Calculator,     // "计算器"
    TextEditor,     // "记事本"
    ToggleNavBar,   // "功能导航栏"
    QuickStart,     // "快速指南"
    UserManual,     // "用户手册"
    OfficialWeb,    // "官方网站"
    About,          // "关于"
};

struct RibbonButton
{
    QString caption;
    int tag; // function key whose rights decide; 0 = always enabled
    RibbonCommand command;
    QString parameter;
    QString objectName; // the control's name where the window refers to it
    QString hint;
    bool large = true; // large (text under icon) or small button
};

struct RibbonGroup
{
    QString caption;
    QList<RibbonButton> buttons;
};

struct RibbonTab
{
    QString caption;
    QList<RibbonGroup> groups;
};

const QList<RibbonTab>& ribbonTabs();

// The window class that opens the copies list.
inline QString copyListClassName()
{
    return QStringLiteral("TBookCopyListForm");
}

} // namespace dedizo
