#include "core/SqlDialect.h"

#include <QtTest>

using namespace dedizo;

// The SQL Server texts are fixed; no server runs here, so they are checked as text.
class TestDialectText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sqlServerTexts()
    {
        const auto d = SqlDialect::create(DbKind::SqlServer);
        QCOMPARE(d->typeText(), QStringLiteral("Microsoft SQL Server"));
        QCOMPARE(d->dateLiteral(QDate(2026, 3, 7)), QStringLiteral("'2026/03/07'"));
        QCOMPARE(d->dateTimeLiteral(QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9))),
                 QStringLiteral("'2026/03/07 14:05:09'"));
        QCOMPARE(d->trueLiteral(), QStringLiteral("1"));
        QCOMPARE(d->falseLiteral(), QStringLiteral("0"));
        QCOMPARE(d->currentDateTimeQuery(), QStringLiteral("SELECT GETDATE()"));
        QCOMPARE(d->overdueDaysExpression(),
                 QStringLiteral("DATEDIFF(DAY, ShouldReturnDate, ISNULL(FactReturnDate, GETDATE()))"));
        QCOMPARE(d->nullToEmpty(QStringLiteral("Memo")), QStringLiteral("ISNULL([Memo], '')"));
        QCOMPARE(d->emptyTable(QStringLiteral("Readers_tab")), QStringLiteral("TRUNCATE TABLE Readers_tab"));
        QCOMPARE(d->identityInsertBegin(QStringLiteral("Readers_tab")),
                 QStringList{QStringLiteral("SET IDENTITY_INSERT Readers_tab ON")});
        QCOMPARE(d->identityInsertEnd(QStringLiteral("ReaderCate_tab"), QStringLiteral("ReaderCateID")),
                 QStringList{QStringLiteral("SET IDENTITY_INSERT ReaderCate_tab OFF")});
        QCOMPARE(d->selectTop(1, QStringLiteral("ReaderID FROM Readers_tab ORDER BY ") + d->randomOrder()),
                 QStringLiteral("SELECT TOP 1 ReaderID FROM Readers_tab ORDER BY NEWID()"));
        QCOMPARE(QStringLiteral("UPDATE Books_tab ") + d->updateSecondTable(QStringLiteral("BookCate_tab")) +
                     QStringLiteral(" SET CateName = BookCateName ") +
                     d->updateFromPart(QStringLiteral("BookCate_tab")) +
                     QStringLiteral(" WHERE CateCode = BookCateCode "),
                 QStringLiteral(
                     "UPDATE Books_tab  SET CateName = BookCateName  FROM BookCate_tab  WHERE CateCode = "
                     "BookCateCode "));
        QCOMPARE(d->copiesJoinSelect(),
                 QStringLiteral(
                     "SELECT Copies_tab.*, Books_tab.*, Copies_tab.BookID AS 'Copies_tab.BookID', "
                     "Copies_tab.RegDate AS 'Copies_tab.RegDate', Copies_tab.Operator AS "
                     "'Copies_tab.Operator', Books_tab.RegDate AS 'Books_tab.RegDate', Books_tab.Operator "
                     "AS 'Books_tab.Operator' FROM Copies_tab LEFT JOIN Books_tab ON Copies_tab.BookID = "
                     "Books_tab.BookID"));
        QCOMPARE(d->callNumberMaxQuery(QStringLiteral("I'2")),
                 QStringLiteral(
                     "SELECT MAX(CAST(LEFT(REPLACE(BookCode, 'I''2/', ''), CASE PATINDEX('%[^0-9]%', "
                     "REPLACE(BookCode, 'I''2/', '')) WHEN 0 THEN 99 ELSE PATINDEX('%[^0-9]%', "
                     "REPLACE(BookCode, 'I''2/', '')) END - 1)AS INT))FROM Copies_tab WHERE BookCode LIKE "
                     "'I''2/%'"));
    }

    void quoteDoublesInnerQuotes()
    {
        QCOMPARE(SqlDialect::quote(QStringLiteral("O'Brien's")), QStringLiteral("'O''Brien''s'"));
        QCOMPARE(SqlDialect::quote(QString()), QStringLiteral("''"));
    }

    void kindFromConfigValue()
    {
        QCOMPARE(dbKindFromConfigValue(0), DbKind::File);
        QCOMPARE(dbKindFromConfigValue(2), DbKind::PostgreSql);
        QCOMPARE(dbKindFromConfigValue(1), DbKind::SqlServer);
        QCOMPARE(dbKindFromConfigValue(-7), DbKind::SqlServer);
    }
};

QTEST_GUILESS_MAIN(TestDialectText)
#include "tst_dialect_text.moc"
