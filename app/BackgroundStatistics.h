#pragma once

#include "app/Statistics.h"
#include "core/Connection.h"

#include <QObject>
#include <QThread>
#include <memory>

namespace dedizo {

// Counts the statistics in a worker thread on a database connection of its
// own, so the main window is usable at once after a login. The statements
// are built beforehand on the user-interface thread; the result comes back
// as a signal on the thread this object lives in.
class BackgroundStatistics : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundStatistics(QObject* parent = nullptr);
    // Waits for a running count.
    ~BackgroundStatistics() override;

    // False (and nothing started) while a count is still running.
    bool start(const ConnectParams& params, const StatisticsQueries& queries);
    bool isRunning() const;
    void wait();

Q_SIGNALS:
    void counted(const dedizo::StatisticsCounts& counts);
    void failed(const QString& message);

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace dedizo

Q_DECLARE_METATYPE(dedizo::StatisticsCounts)
