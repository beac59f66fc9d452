#include "schema/ColumnCatalog.h"

#include <QHash>

namespace dedizo {

namespace {

using T = ColumnType;

ColumnDef key(const char* name, const char* label = "", bool hidden = true)
{
    return {QString::fromLatin1(name), T::Key, 0, QString::fromUtf8(label), hidden, {}, false};
}
ColumnDef col(const char* name, T type, const char* label, bool hidden = false)
{
    return {QString::fromLatin1(name), type, 0, QString::fromUtf8(label), hidden, {}, false};
}
ColumnDef text(const char* name, int size, const char* label, bool hidden = false)
{
    return {QString::fromLatin1(name), T::Text, size, QString::fromUtf8(label), hidden, {}, false};
}
ColumnDef withDefault(ColumnDef c, const char* def, bool notNull = true)
{
    c.defaultValue = QString::fromLatin1(def);
    c.notNull = notNull;
    return c;
}

QList<TableDef> buildTables()
{
    QList<TableDef> t;
    t.append({QStringLiteral("Books_tab"),
              {key("BookID", "书刊序号"),
               text("ISBNISSN", 20, "ISBN/ISSN"),
               text("BookName", 100, "书刊名称"),
               text("BookInputCode", 100, "输入码"),
               text("Author", 100, "著者"),
               text("BookType", 40, "馆藏类型"),
               text("CateCode", 20, "分类号"),
               text("CateName", 100, "分类名称"),
               text("Publisher", 100, "出版单位"),
               text("PublishPlace", 50, "出版地"),
               text("PublishDate", 20, "出版日期"),
               col("BookPrice", T::Money, "书刊定价"),
               withDefault(col("TotalCount", T::Int, "总册数"), "0"),
               withDefault(col("LoanCount", T::Int, "借出册数"), "0"),
               text("Keywords", 200, "主题词"),
               text("SeriesName", 100, "丛编名"),
               text("EditionTime", 40, "书刊版次"),
               text("BookLanguage", 40, "书刊语言"),
               text("BookFaceInfo", 40, "载体形态"),
               text("BookAddons", 40, "附件"),
               text("CN", 20, "CN 刊号"),
               text("PublishPeriods", 40, "出版周期"),
               text("UpDept", 100, "主办单位"),
               col("ContentIntro", T::Memo, "内容简介", true),
               text("Memo", 100, "备注"),
               col("RegDate", T::DateTime, "登记日期"),
               text("Operator", 20, "操作员")},
              {"ISBNISSN", "BookName", "BookInputCode", "CateCode", "Publisher"}});
    t.append({QStringLiteral("Copies_tab"),
              {key("CopyID"), col("BookID", T::Int, "", true), text("BookBarCode", 40, "书刊条码 (自编号)"),
               text("BookState", 10, "状态"), text("BookCode", 40, "索书号"),
               text("BookRoom", 40, "所在书室"), text("BookPos", 40, "书刊架位"),
               text("VolumeInfo", 40, "卷册期信息"), col("Price", T::Money, "卷册期价格"),
               col("RegDate", T::DateTime, "登记日期"), text("Operator", 20, "操作员")},
              {"BookBarCode", "BookID", "BookCode", "BookRoom"}});
    t.append({QStringLiteral("Readers_tab"),
              {key("ReaderID", "读者序号"),
               text("ReaderName", 20, "读者姓名"),
               text("ReaderInputCode", 20, "输入码"),
               text("ReaderCode", 20, "读者编码"),
               text("CardID", 20, "证卡编码"),
               col("ReaderCateID", T::Int, "", true),
               col("Sex", T::Bool, "性别"),
               col("BirthDate", T::DateTime, "出生日期"),
               text("CorpName", 40, "工作单位"),
               text("DeptName", 40, "所在部门"),
               text("IDCard", 18, "身份证号"),
               text("WorkCard", 20, "工作证号"),
               text("WorkPhone", 20, "工作电话"),
               text("HomePhone", 20, "书室"),
               text("MobilePhone", 20, "移动电话"),
               text("EMail", 40, "电子邮件"),
               text("Address", 50, "联系地址"),
               text("Memo", 50, "备注"),
               col("RegDate", T::DateTime, "登记日期"),
               text("Operator", 20, "操作员")},
              {"ReaderCode", "CardID", "ReaderCateID", "ReaderName", "ReaderInputCode", "HomePhone"}});
    t.append({QStringLiteral("ReaderCate_tab"),
              {key("ReaderCateID"), text("ReaderCateName", 40, "读者类别名称"),
               col("LimitBooksCount", T::Small, "可借书数"), col("LimitDays", T::Small, "可借天数"),
               col("ReLoanTimes", T::Small, "可续借次数"), col("ReLoanDays", T::Small, "每次可续借天数")},
              {"ReaderCateName"}});
    t.append(
        {QStringLiteral("LoanList_tab"),
         {key("LoanListID"), col("CopyID", T::Int, "", true), col("BookID", T::Int, "", true),
          col("ReaderID", T::Int, "", true), col("LoanDate", T::DateTime, "借出日期"),
          text("LoanTime", 8, "借出时间"), col("ShouldReturnDate", T::DateTime, "应还日期"),
          withDefault(col("ReLoanTimes", T::Small, "已续借次数"), "0"),
          col("ReLoanDate", T::DateTime, "续借日期"), withDefault(col("IsReturn", T::Bool, "是否归还"), "0"),
          col("FactReturnDate", T::DateTime, "归还日期"), text("FactReturnTime", 8, "归还时间"),
          text("LoanOperator", 20, "借出操作员"), text("ReturnOperator", 20, "归还操作员")},
         {"IsReturn,ReaderID", "ReaderID", "CopyID", "BookID", "LoanDate", "ShouldReturnDate",
          "FactReturnDate"}});
    t.append({QStringLiteral("BookCate_tab"),
              {key("BookCateID"), col("BookCateParentID", T::Int, "", true),
               text("BookCateCode", 20, "书刊类别编码"), text("BookCateName", 100, "书刊类别名称")},
              {"BookCateCode", "BookCateParentID"}});
    t.append({QStringLiteral("Publishers_tab"),
              {key("PublisherID", "出版单位编号"), text("PublisherName", 100, "出版单位名称"),
               text("PublisherInputCode", 100, "输入码"), text("PublisherISBN", 20, "出版单位ISBN"),
               text("PublisherPlace", 50, "出版地")},
              {"PublisherName", "PublisherISBN", "PublisherInputCode"}});
    t.append({QStringLiteral("Items_tab"),
              {key("ItemID", "编号"), col("ItemCode", T::Small, "序号"), text("ItemName", 40, "名称"),
               col("ItemCate", T::Small, "类别", true)},
              {"ItemCate"}});
    t.append(
        {QStringLiteral("Bylaw_tab"),
         {key("BylawID", "序号"), col("SortCode", T::Int, "排序代码"), text("BylawTitle", 50, "规章制度标题"),
          col("BylawContent", T::Memo, "规章制度内容", true), text("Memo", 50, "备注"),
          col("RegDate", T::DateTime, "登记日期"), text("Operator", 20, "操作员")},
         {}});
    t.append({QStringLiteral("Pictures_tab"),
              {key("PictureID"), text("PictureCate", 20, ""), col("JoinID", T::Int, ""),
               col("PicContent", T::Blob, "")},
              {"PictureCate,JoinID"}});
    t.append({QStringLiteral("Users_tab"),
              {key("UserID", "编号"), text("UserCode", 20, "登录代号"), text("UserPwd", 20, "用户密码", true),
               text("UserName", 10, "真实姓名"), text("Title", 20, "书室"), text("Dept", 20, "部门"),
               withDefault(col("IsLock", T::Bool, "锁定"), "0"), text("Memo", 50, "备注")},
              {"UserCode"}});
    t.append({QStringLiteral("UserFun_tab"),
              {key("FunID", "", true), col("FunCode", T::Int, "", true), text("FunName", 16, "功能名称"),
               col("FunKey", T::Int, "", true), col("FunMemo", T::Memo, "", true),
               col("FunCate", T::Small, "功能类别"), col("ImgIndex", T::Int, "", true),
               withDefault(col("IsUsed", T::Bool, "", true), "1")},
              {"FunKey"}});
    t.append({QStringLiteral("UserAccredit_tab"),
              {key("AccID"), col("UserID", T::Int, "", true), col("FunID", T::Int, "", true),
               withDefault(col("IsOpen", T::Bool, "打开权限"), "0"),
               withDefault(col("IsOperate", T::Bool, "操作权限"), "0"),
               withDefault(col("IsPrint", T::Bool, "导出权限"), "0")},
              {"UserID", "FunID"}});
    t.append({QStringLiteral("UserLog_tab"),
              {key("UserLogID", "序号", false), col("LogDate", T::DateTime, "操作日期"),
               text("LogTime", 8, "操作时间"), text("WinName", 16, "窗口名称"),
               text("OperateContent", 4, "操作内容"), text("ComputerName", 20, "机器名称"),
               text("UserCode", 20, "登录代号"), text("UserName", 10, "真实姓名"), text("Memo", 30, "备注")},
              {"LogDate"}});
    t.append({QStringLiteral("Par_tab"),
              {key("ParID"), text("SystemName", 50, "系统名称"), text("CorpName", 50, "使用单位"),
               withDefault(col("IsExitConfirm", T::Bool, "退出系统时显示确认对话框"), "0", false),
               withDefault(col("IsShowUserListOnLogin", T::Bool, "在登录界面显示用户列表"), "1", false),
               withDefault(col("IsMaxBookManager", T::Bool, "书刊信息维护窗口打开时最大化"), "1", false)},
              {}});
    return t;
}

QList<TableDef> buildViews(const QList<TableDef>& tables)
{
    QList<TableDef> views;
    TableDef books{QStringLiteral("Books_view"), {}, {}, true};
    for (const ColumnDef& c : tables[0].columns) {
        books.columns.append(c);
        if (c.name == QLatin1String("LoanCount"))
            books.columns.append(col("RemainCount", T::Int, "剩余册数"));
    }
    views.append(books);
    TableDef readers{QStringLiteral("Readers_view"), {}, {}, true};
    for (const ColumnDef& c : tables[2].columns) {
        readers.columns.append(c);
        if (c.name == QLatin1String("ReaderCateID"))
            readers.columns.append(text("ReaderCateName", 40, "读者类别"));
    }
    views.append(readers);
    return views;
}

struct Catalogue
{
    QList<TableDef> tables = buildTables();
    QList<TableDef> views = buildViews(tables);
    QHash<QString, const TableDef*> byName;     // lower-case name
    QHash<QString, const ColumnDef*> anyColumn; // lower-case column name

    Catalogue()
    {
        for (const TableDef& t : std::as_const(tables))
            byName.insert(t.name.toLower(), &t);
        for (const TableDef& t : std::as_const(views))
            byName.insert(t.name.toLower(), &t);
        for (const QList<TableDef>* list : {&tables, &views})
            for (const TableDef& t : *list)
                for (const ColumnDef& c : t.columns)
                    if (!anyColumn.contains(c.name.toLower()))
                        anyColumn.insert(c.name.toLower(), &c);
    }
};

const Catalogue& catalogue()
{
    static const Catalogue c;
    return c;
}

} // namespace

const ColumnDef* TableDef::column(const QString& columnName) const
{
    for (const ColumnDef& c : columns)
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QString TableDef::keyColumn() const
{
    for (const ColumnDef& c : columns)
        if (c.type == ColumnType::Key)
            return c.name;
    return {};
}

const QList<TableDef>& ColumnCatalog::tables()
{
    return catalogue().tables;
}

const QList<TableDef>& ColumnCatalog::views()
{
    return catalogue().views;
}

const TableDef* ColumnCatalog::table(const QString& name)
{
    return catalogue().byName.value(name.toLower(), nullptr);
}

const ColumnDef* ColumnCatalog::column(const QString& table, const QString& column)
{
    const TableDef* t = ColumnCatalog::table(table);
    return t ? t->column(column) : nullptr;
}

const ColumnDef* ColumnCatalog::anyColumn(const QString& column)
{
    const int dot = column.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        if (const ColumnDef* c = ColumnCatalog::column(column.left(dot), column.mid(dot + 1)))
            return c;
        return catalogue().anyColumn.value(column.mid(dot + 1).toLower(), nullptr);
    }
    return catalogue().anyColumn.value(column.toLower(), nullptr);
}

QString ColumnCatalog::canonicalName(const QString& column)
{
    const int dot = column.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        const TableDef* t = table(column.left(dot));
        const ColumnDef* c = anyColumn(column);
        if (t && c)
            return t->name + QLatin1Char('.') + c->name;
        return column;
    }
    const ColumnDef* c = anyColumn(column);
    return c ? c->name : column;
}

QString ColumnCatalog::baseTableOf(const QString& tableOrView)
{
    if (tableOrView.compare(QLatin1String("Books_view"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Books_tab");
    if (tableOrView.compare(QLatin1String("Readers_view"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Readers_tab");
    const TableDef* t = table(tableOrView);
    return t ? t->name : tableOrView;
}

} // namespace dedizo
