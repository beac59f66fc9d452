#include "catalogue/generators/SQLGenerators.h"

#include "core/DataModule.h"
#include "core/ProgressService.h"
#include "core/SharedDatasets.h"

namespace dedizo {

namespace {

// UPDATE Books_tab SET <assignment> from a second table, as the dialect writes it.
QString updateBooksFrom(const QString& table, const QString& assignment, const QString& join,
                        const QString& emptyColumn, bool reGenAll)
{
    const SqlDialect& d = mainConnection().dialect();
    QString sql = QStringLiteral("UPDATE Books_tab") + d.updateSecondTable(table) + QStringLiteral(" SET ") +
                  assignment + d.updateFromPart(table);
    if (!sql.endsWith(QLatin1Char(' ')))
        sql += QLatin1Char(' ');
    sql += QStringLiteral("WHERE ") + join;
    if (!reGenAll)
        sql += QStringLiteral(" AND (%1 IS NULL OR RTRIM(%1) = '')").arg(emptyColumn);
    return sql;
}

} // namespace

void SQLGenerator::Generate()
{
    ProgressService& progress = progressService();
    progress.setTitle(progressTitle());
    progress.setMax(2);
    progress.Start();
    m_genCount = mainConnection().execute(GetSQL(), {});
    progress.StepIt();
}

Dataset* SQLGenerator::GetDataSet() const
{
    return &DM1().BooksQuery;
}

// ---------------------------------------------------------------- class names

QString BookCateNameGenerator::GetCaption() const
{
    return QStringLiteral("根据分类号生成分类名称");
}

QString BookCateNameGenerator::GetDescription() const
{
    return QStringLiteral("如果您只输入了分类号，而没有输入分类名称，该功能可根据“书刊类别设置”中的分类对应关"
                          "系自动生成其分类名称。\r\n\r\n"
                          "如果您的书刊数据是从 Excel 等导入有分类号而没有分类名称，可用此功能生成。");
}

QString BookCateNameGenerator::GetSQL() const
{
    return updateBooksFrom(QStringLiteral("BookCate_tab"), QStringLiteral("CateName = BookCateName"),
                           QStringLiteral("CateCode = BookCateCode"), QStringLiteral("CateName"), m_reGenAll);
}

// ---------------------------------------------------------------- places of publication

QString BookPublishPlaceGenerator::GetCaption() const
{
    return QStringLiteral("根据出版单位生成出版地");
}

QString BookPublishPlaceGenerator::GetDescription() const
{
    return QStringLiteral("如果您只输入了出版单位，而没有输入出版地，该功能可根据“出版单位设置”中的对应关系自"
                          "动生成出版地。\r\n\r\n"
                          "如果您的书刊数据是从 Excel 等导入有出版单位而没有出版地，可用此功能生成。");
}

QString BookPublishPlaceGenerator::GetSQL() const
{
    return updateBooksFrom(QStringLiteral("Publishers_tab"), QStringLiteral("PublishPlace = PublisherPlace"),
                           QStringLiteral("Publisher = PublisherName"), QStringLiteral("PublishPlace"),
                           m_reGenAll);
}

} // namespace dedizo
