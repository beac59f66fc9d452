// Opening the copies list over a large library: time to the first page,
// the row count, and memory before and after (it must not grow with the table).
#include "bench/support/BenchDatabase.h"
#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/QueryTexts.h"
#include "core/ui/FatherForm.h"
#include "schema/SchemaInstaller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace dedizo;

namespace {

long currentRssKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * 4 : 0;
}

long peakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void fill(Connection& c, int titles, int copiesPerTitle)
{
    inTransaction(c, [&] {
        QSqlQuery books(c.database());
        books.prepare(
            QStringLiteral("INSERT INTO Books_tab (BookID, BookName, Author, BookType, CateCode, TotalCount) "
                           "VALUES (?, ?, '作者', '图书', 'TP311', ?)"));
        QSqlQuery copies(c.database());
        copies.prepare(
            QStringLiteral("INSERT INTO Copies_tab (BookID, BookBarCode, BookState, BookCode, BookRoom) "
                           "VALUES (?, ?, '可借', ?, '一室')"));
        int barcode = 0;
        for (int b = 1; b <= titles; ++b) {
            books.addBindValue(b);
            books.addBindValue(QStringLiteral("书刊名称%1").arg(b));
            books.addBindValue(copiesPerTitle);
            books.exec();
            for (int k = 0; k < copiesPerTitle; ++k) {
                copies.addBindValue(b);
                copies.addBindValue(QStringLiteral("%1").arg(++barcode, 8, 10, QLatin1Char('0')));
                copies.addBindValue(QStringLiteral("TP311/%1").arg(b));
                copies.exec();
            }
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int titles = argc > 1 ? atoi(argv[1]) : 100000;
    bench::BenchDatabase database;
    QElapsedTimer t;
    t.start();
    fill(database.connection(), titles, 3);
    std::printf("filled %d titles, %d copies in %lld ms\n", titles, titles * 3, t.elapsed());

    const long rssBefore = currentRssKb();
    for (int run = 0; run < 3; ++run) {
        Dataset copies;
        t.restart();
        copies.setSql(CopiesSelect(QString()));
        copies.open();
        const qint64 firstPage = t.elapsed();
        std::printf(
            "CopiesSelect open: first %d rows in %lld ms, record count %d, resident memory +%ld KiB\n",
            copies.fetchedCount(), firstPage, copies.recordCount(), currentRssKb() - rssBefore);
    }
    Dataset copies;
    copies.setSql(CopiesSelect(QString()));
    copies.open();
    t.restart();
    copies.setCurrentRow(copies.recordCount() / 2);
    std::printf("jump to row %d (rows cached on the way): %lld ms, resident memory +%ld KiB\n",
                copies.currentRow(), t.elapsed(), currentRssKb() - rssBefore);
    {
        Dataset list;
        list.setSql(CopiesSelect(QString()));
        t.restart();
        FatherForm form(&list);
        form.ApplyWhere(QString());
        form.show();
        QApplication::processEvents();
        std::printf("copies list window shown: %lld ms, %s\n", t.elapsed(),
                    qPrintable(form.recordCountText()));
    }
    std::printf("peak resident memory (filling included): %ld KiB\n", peakRssKb());
    return 0;
}
