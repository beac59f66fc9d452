// The batch generators over a large library in the file database: input
// codes, copies and call numbers, and for contrast the same input-code work
// done one autocommitted statement per record (as a plain row-by-row loop
// would), measured on a slice and given per record.
#include "bench/support/BenchDatabase.h"
#include "catalogue/generators/BookCodeGenerator.h"
#include "catalogue/generators/CopyGenerator.h"
#include "catalogue/generators/InputCodeGenerators.h"
#include "catalogue/inputcode/InputCode.h"
#include "core/DataModule.h"
#include "core/UserInfo.h"
#include "schema/SchemaInstaller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace dedizo;

namespace {

const char16_t* const kWords[] = {u"物权法",   u"红楼梦", u"科学出版社", u"中国人民",
                                  u"程序设计", u"数据库", u"银行"};

void fill(Connection& c, int titles)
{
    inTransaction(c, [&] {
        QSqlQuery books(c.database());
        books.prepare(
            QStringLiteral("INSERT INTO Books_tab (BookID, BookName, BookInputCode, Author, BookType, "
                           "CateCode, TotalCount) VALUES (?, ?, ?, '作者', '图书', ?, 0)"));
        for (int b = 1; b <= titles; ++b) {
            books.addBindValue(b);
            books.addBindValue(QString(QString::fromUtf16(kWords[b % 7]) +
                                       QString::fromUtf16(kWords[(b / 7) % 7]) + QString::number(b)));
            books.addBindValue(QString::number(1 + b % 3)); // the copy count
            books.addBindValue(QStringLiteral("TP%1").arg(b % 50));
            books.exec();
        }
    });
}

template <class G> qint64 timed(int batchSize, int& count)
{
    G g;
    g.setBatchSize(batchSize);
    QElapsedTimer t;
    t.start();
    g.Generate();
    count = g.genCount();
    return t.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int titles = argc > 1 ? atoi(argv[1]) : 50000;
    const int slice = std::min(titles, 2000);
    bench::BenchDatabase database;
    currentUser().UserCode = QStringLiteral("bench");
    Connection& c = database.connection();
    fill(c, titles);
    std::printf("file database, %d titles\n", titles);

    int count = 0;
    qint64 ms = timed<CopyGenerator>(500, count);
    std::printf("copies from counts: %d copies in %lld ms (%.1f us per copy)\n", count, ms,
                count ? 1000.0 * ms / count : 0.0);
    ms = timed<BookCodeGenerator>(500, count);
    std::printf("call numbers: %d titles in %lld ms (%.1f us per title)\n", count, ms,
                count ? 1000.0 * ms / count : 0.0);
    for (int batch : {50, 500, 2000}) {
        c.execute(QStringLiteral("UPDATE Books_tab SET BookInputCode = NULL"));
        ms = timed<BookInputCodeGenerator>(batch, count);
        std::printf("book input codes, %d per transaction: %d titles in %lld ms (%.1f us per title)\n", batch,
                    count, ms, count ? 1000.0 * ms / count : 0.0);
    }

    // The contrast: one autocommitted UPDATE per title, statement text built per row.
    c.execute(QStringLiteral("UPDATE Books_tab SET BookInputCode = NULL"));
    QElapsedTimer t;
    t.start();
    QSqlQuery rows =
        c.select(QStringLiteral("SELECT BookID, BookName FROM Books_tab WHERE BookID <= %1").arg(slice));
    QList<QPair<int, QString>> slicedRows;
    while (rows.next())
        slicedRows.append({rows.value(0).toInt(), rows.value(1).toString()});
    rows.finish();
    for (const auto& [id, name] : slicedRows)
        c.execute(QStringLiteral("UPDATE Books_tab SET BookInputCode = '%1' WHERE BookID = %2")
                      .arg(InputCode(name))
                      .arg(id));
    ms = t.elapsed();
    std::printf("anchor, one autocommitted statement per title: %d titles in %lld ms (%.1f us per title)\n",
                int(slicedRows.size()), ms, slicedRows.isEmpty() ? 0.0 : 1000.0 * ms / slicedRows.size());
    return 0;
}
