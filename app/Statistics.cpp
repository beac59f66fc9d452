#include "app/Statistics.h"

#include "core/Connection.h"
#include "core/DataModule.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"

namespace dedizo {

namespace {

QString roomCondition(const QString& bookRoom, const QString& prefix, const QString& column,
                      const QString& suffix)
{
    if (bookRoom.trimmed().isEmpty())
        return {};
    return prefix + column + QStringLiteral(" = ") + SqlDialect::quote(bookRoom) + suffix;
}

// A value that is not a number counts as 0.
int countOf(Connection& connection, const QString& sql)
{
    bool ok = false;
    const int n = connection.scalar(sql).toString().trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

StatisticsQueries StatisticsQueries::build(const SqlDialect& dialect, const QString& bookRoom,
                                           const QDateTime& serverNow)
{
    const QString copiesRoom = QStringLiteral("BookRoom");
    StatisticsQueries q;
    q.copies = QStringLiteral("SELECT COUNT(*) FROM Copies_tab") +
               roomCondition(bookRoom, QStringLiteral(" WHERE "), copiesRoom, {});
    q.titles =
        QStringLiteral("SELECT COUNT(*) FROM Books_tab") +
        roomCondition(bookRoom, QStringLiteral(" WHERE BookID IN(SELECT BookID FROM Copies_tab WHERE "),
                      copiesRoom, QStringLiteral(")"));
    q.readers = QStringLiteral("SELECT COUNT(*) FROM Readers_tab") +
                roomCondition(bookRoom, QStringLiteral(" WHERE "), QStringLiteral("HomePhone"), {});
    const QDateTime dayEnd(serverNow.date(), QTime(23, 59, 59));
    const QString condition =
        QStringLiteral(" WHERE IsReturn = 0 AND ShouldReturnDate <= ") + dialect.dateTimeLiteral(dayEnd) +
        roomCondition(bookRoom, QStringLiteral(" AND CopyID IN(SELECT CopyID FROM Copies_tab WHERE "),
                      copiesRoom, QStringLiteral(")"));
    q.overdueCopies = QStringLiteral("SELECT COUNT(*) FROM LoanList_tab") + condition;
    q.overdueReaders =
        QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT ReaderID FROM LoanList_tab %1) AS TempReaders")
            .arg(condition);
    return q;
}

StatisticsQueries StatisticsQueries::forCurrentUser()
{
    return build(mainConnection().dialect(), currentUser().BookRoom, ServerNow());
}

StatisticsCounts StatisticsCounts::read(Connection& connection, const StatisticsQueries& queries)
{
    StatisticsCounts c;
    c.copies = countOf(connection, queries.copies);
    c.titles = countOf(connection, queries.titles);
    c.readers = countOf(connection, queries.readers);
    c.overdueCopies = countOf(connection, queries.overdueCopies);
    c.overdueReaders = countOf(connection, queries.overdueReaders);
    return c;
}

QString StatisticsCounts::bookText() const
{
    return QStringLiteral("书刊总计：%1 册 %2 种").arg(copies).arg(titles);
}

QString StatisticsCounts::readerText() const
{
    return QStringLiteral("读者总计：%1 人").arg(readers);
}

QString StatisticsCounts::exceedText() const
{
    return QStringLiteral("逾期总计：%1 册 %2 人").arg(overdueCopies).arg(overdueReaders);
}

} // namespace dedizo
