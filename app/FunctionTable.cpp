#include "app/FunctionTable.h"

// Buttons without a hint or size leave those members at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace dedizo {

const QList<NavGroup>& navigationGroups()
{
    static const QList<NavGroup> groups{
        {QStringLiteral("书刊管理"),
         {{11, QStringLiteral("书刊信息维护"), QStringLiteral("添加及管理所有的图书、期刊、杂志等信息 ")},
          {12, QStringLiteral("出版单位设置"), QStringLiteral("维护出版社等出版单位信息，方便录入及管理 ")},
          {13, QStringLiteral("书刊类别设置"), QStringLiteral("设置书刊类别，系统默认采用《中图法》 ")}}},
        {QStringLiteral("读者管理"),
         {{21, QStringLiteral("读者信息维护"), QStringLiteral("管理所有的读者信息，包括录入、修改、发卡等 ")},
          {22, QStringLiteral("读者类别设置"), QStringLiteral("设置读者类别，方便对读者信息的管理 ")},
          {23, QStringLiteral("借阅规章制度"),
           QStringLiteral("维护借阅规章制度，此信息可在网站上自动显示 ")}}},
        {QStringLiteral("借阅管理"),
         {{31, QStringLiteral("借书还书续借"), QStringLiteral("进行借书、还书、续借等操作 ")},
          {32, QStringLiteral("借阅记录查询"), QStringLiteral("查询读者的书刊借阅记录 ")}}},
        {QStringLiteral("查询统计"),
         {{41, QStringLiteral("逾期记录查询"), QStringLiteral("查询逾期未还的读者及书刊信息 ")},
          {42, QStringLiteral("借阅记录统计"), QStringLiteral("用图表方式显示书刊和读者的借阅排行等信息 ")}}},
        {QStringLiteral("系统维护"),
         {{51, QStringLiteral("数据字典维护"), QStringLiteral("维护书室、架位、语言、版次等基本字典信息 ")},
          {52, QStringLiteral("用户授权设置"), QStringLiteral("管理系统的所有操作员信息并对其进行授权 ")},
          {53, QStringLiteral("操作日志管理"), QStringLiteral("查询软件的操作日志")},
          {54, QStringLiteral("系统参数设置"), QStringLiteral("设置使用单位、可续借天数等基本参数信息 ")},
          {55, QStringLiteral("高级管理工具"), QStringLiteral("供管理员使用的一些高级管理功能 ")}}},
    };
    return groups;
}

const QList<RibbonTab>& ribbonTabs()
{
    using C = RibbonCommand;
    static const QList<RibbonTab> tabs{
        {QStringLiteral("首页"),
         {{QStringLiteral("书刊"),
           {{QStringLiteral("录入"), 11, C::OpenKey, QStringLiteral("Add"), QStringLiteral("BtnBooksAdd"),
             QStringLiteral("快速录入书刊信息")},
            {QStringLiteral("书刊目录"),
             11,
             C::OpenKey,
             {},
             QStringLiteral("BtnBooks"),
             QStringLiteral("浏览及管理录入的书刊信息目录")},
            {QStringLiteral("复本列表"),
             11,
             C::OpenCopyList,
             {},
             QStringLiteral("BtnCopyList"),
             QStringLiteral("按复本列表的形式浏览所有书刊信息")}}},
          {QStringLiteral("流通"),
           {{QStringLiteral("读者管理"), 21, C::OpenKey, {}, QStringLiteral("BtnReaders")},
            {QStringLiteral("借出"), 31, C::OpenKey, QStringLiteral("Loan"), QStringLiteral("BtnLoan")},
            {QStringLiteral("归还"), 31, C::OpenKey, QStringLiteral("Return"), QStringLiteral("BtnReturn")},
            {QStringLiteral("续借"), 31, C::OpenKey, QStringLiteral("Reloan"), QStringLiteral("BtnReloan")},
            {QStringLiteral("借阅记录"), 32, C::OpenKey, {}, QStringLiteral("BtnLoanList")},
            {QStringLiteral("逾期记录"), 41, C::OpenKey, {}, QStringLiteral("BtnExceed")},
            {QStringLiteral("借阅统计"), 42, C::OpenKey, {}, QStringLiteral("BtnLoanStat")}}},
          {QStringLiteral("设置"),
           {{QStringLiteral("书刊类别"), 13, C::OpenKey, {}, QStringLiteral("BtnBookCate"), {}, false},
            {QStringLiteral("读者类别"), 22, C::OpenKey, {}, QStringLiteral("BtnReaderCate"), {}, false},
            {QStringLiteral("数据字典"), 51, C::OpenKey, {}, QStringLiteral("BtnDataDict"), {}, false},
            {QStringLiteral("用户授权"), 52, C::OpenKey, {}, QStringLiteral("BtnUser"), {}, false},
            {QStringLiteral("系统参数"), 54, C::OpenKey, {}, QStringLiteral("BtnPar"), {}, false},
            {QStringLiteral("出版单位"), 12, C::OpenKey, {}, QStringLiteral("BtnPublishers"), {}, false},
            {QStringLiteral("规章制度"), 23, C::OpenKey, {}, QStringLiteral("BtnBylaw"), {}, false}}},
          {QStringLiteral("工具"),
           {{QStringLiteral("数据维护"), 55, C::OpenKey, {}, QStringLiteral("BtnAdvMan")},
            {QStringLiteral("操作日志"), 53, C::OpenKey, {}, QStringLiteral("BtnUserLog")},
            {QStringLiteral("退出系统"), 0, C::CloseMain, {}, QStringLiteral("BtnExit")}}}}},
        {QStringLiteral("系统"),
         {{QStringLiteral("用户"),
           {{QStringLiteral("重新登录"), 0, C::Relogin, {}, QStringLiteral("BtnRelogin")},
            {QStringLiteral("修改密码"), 0, C::ChangePassword, {}, QStringLiteral("BtnChangePassword")}}},
          {QStringLiteral("数据库"),
           {{QStringLiteral("客户端配置"), 0, C::ClientConfig, {}, QStringLiteral("BtnClientConfig")},
            {QStringLiteral("备份与恢复"), 0, C::Backup, {}, QStringLiteral("BtnBackup")}}},
          {QStringLiteral("工具"),
           {{QStringLiteral("锁屏"), 0, C::LockScreen, {}, QStringLiteral("BtnLockScreen")},
            {QStringLiteral("计算器"), 0, C::Calculator, {}, QStringLiteral("BtnCalc")},
            {QStringLiteral("记事本"), 0, C::TextEditor, {}, QStringLiteral("BtnNotepad")}}},
          {QStringLiteral("界面"),
           {{QStringLiteral("功能导航栏"), 0, C::ToggleNavBar, {}, QStringLiteral("BtnMainNavBar")}}}}},
        {QStringLiteral("帮助"),
         {{QStringLiteral("帮助"),
           {{QStringLiteral("快速指南"), 0, C::QuickStart, {}, QStringLiteral("BtnGuide")},
            {QStringLiteral("用户手册"), 0, C::UserManual, {}, QStringLiteral("BtnHelp")},
            {QStringLiteral("官方网站"), 0, C::OfficialWeb, {}, QStringLiteral("BtnOfficialWeb")},
            {QStringLiteral("关于"), 0, C::About, {}, QStringLiteral("BtnAbout")}}}}},
    };
    return tabs;
}

} // namespace dedizo
