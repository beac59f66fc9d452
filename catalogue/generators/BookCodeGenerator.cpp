#include "catalogue/generators/BookCodeGenerator.h"

#include "catalogue/generators/GeneratorSupport.h"
#include "core/DataModule.h"
#include "core/ProgressService.h"
#include "core/SharedDatasets.h"

#include <QHash>

namespace dedizo {

void BookCodeGenerator::Generate()
{
    Connection& c = mainConnection();
    const QString withCopies = QStringLiteral("TotalCount > 0");
    const int rows = c.scalar(QStringLiteral("SELECT COUNT(*) FROM Books_tab WHERE ") + withCopies).toInt();

    ProgressService& progress = progressService();
    progress.setTitle(progressTitle());
    progress.setMax(rows + 1);
    progress.Start();
    m_genCount = 0;

    // The titles are walked in BookID order with one counter per class: the
    // numbering then depends neither on how the database sorts class codes
    // (collation, letter case) nor on blanks around them, so no two titles of
    // a class ever share a number.
    QHash<QString, int> lastNumber;
    KeysetReader reader(c, QStringLiteral("BookID, CateCode"), QStringLiteral("Books_tab"), withCopies,
                        m_batchSize);
    BoundStatement update(c, QStringLiteral("UPDATE Copies_tab SET BookCode = ? WHERE BookID = ?"));
    walkInBatches(c, reader, [&](const KeysetReader::Row& row) {
        ++m_genCount; // every title read counts, also one without a class
        const QString cls = row[1].toString().trimmed();
        if (cls.isEmpty())
            return;
        const int number = ++lastNumber[cls];
        update.exec({QString(cls + QLatin1Char('/') + QString::number(number)), row[0]});
    });
}

QString BookCodeGenerator::GetCaption() const
{
    return QStringLiteral("批量生成索书号");
}

QString BookCodeGenerator::GetDescription() const
{
    return QStringLiteral("批量生成“分类号/种次号”形式的索书号。");
}

Dataset* BookCodeGenerator::GetDataSet() const
{
    return &DM1().BooksQuery;
}

} // namespace dedizo
