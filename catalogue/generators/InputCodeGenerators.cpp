#include "catalogue/generators/InputCodeGenerators.h"

#include "catalogue/generators/GeneratorSupport.h"
#include "catalogue/inputcode/InputCode.h"
#include "core/DataModule.h"
#include "core/ProgressService.h"
#include "core/SharedDatasets.h"

namespace dedizo {

void InputCodeGenerator::Generate()
{
    const InputCodeFields f = InitFields();
    Connection& c = mainConnection();
    const int rows = c.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + f.tableName).toInt();

    ProgressService& progress = progressService();
    progress.setTitle(progressTitle());
    progress.setMax(rows + 1);
    progress.Start();
    m_genCount = 0;

    KeysetReader reader(c, QStringLiteral("%1, %2, %3").arg(f.idField, f.valueField, f.codeField),
                        f.tableName, QString(), m_batchSize);
    BoundStatement update(
        c, QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(f.tableName, f.codeField, f.idField));
    walkInBatches(c, reader, [&](const KeysetReader::Row& row) {
        const QString code = row[2].toString();
        if (!m_reGenAll && !code.trimmed().isEmpty())
            return;
        const QString generated = InputCode(row[1].toString());
        if (generated != code) // an unchanged code costs no write
            update.exec({generated, row[0]});
        ++m_genCount;
    });
}

// ---------------------------------------------------------------- books

QString BookInputCodeGenerator::GetCaption() const
{
    return QStringLiteral("生成书刊名称输入码");
}

QString BookInputCodeGenerator::GetDescription() const
{
    return QStringLiteral(
        "书刊名称输入码用于快速查询书刊信息，系统默认生成的是书刊名称汉语拼音的首字母。\r\n\r\n"
        "如书刊《物权法》的输入码默认即为 WQF，根据此输入码可快速查找到该书。");
}

Dataset* BookInputCodeGenerator::GetDataSet() const
{
    return &DM1().BooksQuery;
}

InputCodeFields BookInputCodeGenerator::InitFields() const
{
    return {QStringLiteral("BookID"), QStringLiteral("BookName"), QStringLiteral("BookInputCode"),
            QStringLiteral("Books_tab")};
}

// ---------------------------------------------------------------- readers

QString ReaderInputCodeGenerator::GetCaption() const
{
    return QStringLiteral("生成读者姓名输入码");
}

QString ReaderInputCodeGenerator::GetDescription() const
{
    return QStringLiteral(
        "读者姓名输入码用于快速查询读者信息，系统默认生成的是读者姓名汉语拼音的首字母。\r\n\r\n"
        "如“李明”的输入码默认即为 LM，根据此输入码可快速查找到该读者。");
}

Dataset* ReaderInputCodeGenerator::GetDataSet() const
{
    return &DM1().ReadersQuery;
}

InputCodeFields ReaderInputCodeGenerator::InitFields() const
{
    return {QStringLiteral("ReaderID"), QStringLiteral("ReaderName"), QStringLiteral("ReaderInputCode"),
            QStringLiteral("Readers_tab")};
}

// ---------------------------------------------------------------- publishers

QString PublisherInputCodeGenerator::GetCaption() const
{
    return QStringLiteral("生成出版单位名称输入码");
}

QString PublisherInputCodeGenerator::GetDescription() const
{
    return QStringLiteral(
        "出版单位名称输入码用于快速查询出版单位，系统默认生成的是出版单位名称汉语拼音的首字母。\r\n\r\n"
        "如“科学出版社”的输入码默认即为 KXCBS，根据此输入码可快速查找到该出版单位。");
}

Dataset* PublisherInputCodeGenerator::GetDataSet() const
{
    return &DM1().PublishersQuery;
}

InputCodeFields PublisherInputCodeGenerator::InitFields() const
{
    return {QStringLiteral("PublisherID"), QStringLiteral("PublisherName"),
            QStringLiteral("PublisherInputCode"), QStringLiteral("Publishers_tab")};
}

} // namespace dedizo
