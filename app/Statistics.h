#pragma once

#include <QDateTime>
#include <QString>

namespace dedizo {

class Connection;
class SqlDialect;

// The five counting statements of the main window's statistics, built on the
// user-interface thread (they read the logged-in user's book room) so that a
// background task only has to run them.
struct StatisticsQueries
{
    QString copies;
    QString titles;
    QString readers;
    QString overdueCopies;
    QString overdueReaders;

    // `bookRoom` empty: no room restriction. A loan due on `serverNow`'s day counts as overdue.
    static StatisticsQueries build(const SqlDialect& dialect, const QString& bookRoom,
                                   const QDateTime& serverNow);
    // For the logged-in user on the main connection (reads the server clock).
    static StatisticsQueries forCurrentUser();
};

struct StatisticsCounts
{
    int copies = 0;
    int titles = 0;
    int readers = 0;
    int overdueCopies = 0;
    int overdueReaders = 0;

    // Runs the statements on `connection`; throws DatabaseError.
    static StatisticsCounts read(Connection& connection, const StatisticsQueries& queries);

    QString bookText() const;
    QString readerText() const;
    QString exceedText() const;
    bool hasOverdue() const { return overdueCopies > 0 || overdueReaders > 0; }
};

} // namespace dedizo
