#include "catalogue/generators/CopyGenerator.h"

#include "catalogue/generators/GeneratorSupport.h"
#include "catalogue/inputcode/InputCode.h"
#include "core/DataModule.h"
#include "core/DbUtils.h"
#include "core/ProgressService.h"
#include "core/SharedDatasets.h"

#include <QScopeGuard>

namespace dedizo {

namespace {

// What the copy rules fill in a new copy (state, entry date, operator and,
// under a book-room restriction, the room), taken from one appended row of
// the shared copies dataset so every copy made here gets the same defaults
// as a copy added by hand.
struct CopyDefaults
{
    QStringList columns;
    QVariantList values;
};

CopyDefaults copyDefaults(Dataset& copies, const SqlDialect& dialect)
{
    CopyDefaults d;
    copies.append();
    for (int i = 0; i < copies.fieldCount(); ++i) {
        const DatasetField& f = copies.field(i);
        if (!f.writable || f.name.compare(QLatin1String("BookID"), Qt::CaseInsensitive) == 0 ||
            f.name.compare(QLatin1String("BookBarCode"), Qt::CaseInsensitive) == 0)
            continue;
        const QVariant v = copies.value(f.name);
        if (v.isNull())
            continue;
        d.columns << f.name;
        d.values << storedValue(dialect, v);
    }
    copies.cancel();
    return d;
}

} // namespace

int CopyGenerator::copyCount(const QString& inputCode, const QString& bookName)
{
    const QString digits = inputCode.trimmed();
    if (digits.isEmpty())
        return 0;
    for (const QChar ch : digits) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return 0;
    }
    if (InputCode(bookName) == digits)
        return 0;
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok ? n : 0;
}

void CopyGenerator::Generate()
{
    Connection& c = mainConnection();
    const int rows = c.scalar(QStringLiteral("SELECT COUNT(*) FROM Books_tab")).toInt();

    ProgressService& progress = progressService();
    progress.setTitle(progressTitle());
    progress.setMax(rows + 1);
    progress.Start();
    m_genCount = 0;

    Dataset& copies = DM1().CopiesQuery;
    OpenQuery(copies, QStringLiteral("SELECT * FROM Copies_tab WHERE 1 <> 1"));
    const auto closeCopies = qScopeGuard([&copies] {
        copies.cancelUpdates();
        copies.close();
    });
    const CopyDefaults defaults = copyDefaults(copies, c.dialect());

    QStringList columns{QStringLiteral("BookID"), QStringLiteral("BookBarCode")};
    columns << defaults.columns;
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    BoundStatement insert(c, QStringLiteral("INSERT INTO Copies_tab (%1) VALUES (%2)")
                                 .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    BoundStatement taken(c, QStringLiteral("SELECT COUNT(*) FROM Copies_tab WHERE BookBarCode = ?"));
    BoundStatement addTotal(
        c, QStringLiteral("UPDATE Books_tab SET TotalCount = TotalCount + ? WHERE BookID = ?"));

    KeysetReader reader(c, QStringLiteral("BookID, BookName, BookInputCode, TotalCount"),
                        QStringLiteral("Books_tab"), QString(), m_batchSize);
    // Each page of books is one transaction, so a book's copies and its new
    // TotalCount are always written together.
    walkInBatches(c, reader, [&](const KeysetReader::Row& row) {
        const int n = copyCount(row[2].toString(), row[1].toString());
        if (n <= 0 || !(m_reGenAll || row[3].toInt() == 0))
            return;
        const QString prefix = row[0].toString() + QLatin1Char('-');
        // Barcodes name a copy: numbers already taken (a book that got copies
        // before) are skipped, so copies added again get the next free ones.
        int number = 0;
        for (int added = 0; added < n;) {
            const QString barcode = prefix + QString::number(++number);
            if (taken.scalar({barcode}).toInt() > 0)
                continue;
            QVariantList values{row[0], barcode};
            values << defaults.values;
            insert.exec(values);
            ++added;
        }
        addTotal.exec({n, row[0]});
        m_genCount += n;
    });
}

QString CopyGenerator::GetCaption() const
{
    return QStringLiteral("复本批量生成");
}

QString CopyGenerator::GetDescription() const
{
    return QStringLiteral("请将数量输入或导入到输入码字段里；\r\n不会删除已有复本，将根据数量进行追加；");
}

Dataset* CopyGenerator::GetDataSet() const
{
    return &DM1().BooksQuery;
}

} // namespace dedizo
