#include "app/BackgroundStatistics.h"

#include "core/DatabaseError.h"

#include <QAtomicInt>

namespace dedizo {

namespace {
QAtomicInt g_serial;
}

BackgroundStatistics::BackgroundStatistics(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<StatisticsCounts>();
}

BackgroundStatistics::~BackgroundStatistics()
{
    wait();
}

bool BackgroundStatistics::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

void BackgroundStatistics::wait()
{
    if (m_thread)
        m_thread->wait();
}

bool BackgroundStatistics::start(const ConnectParams& params, const StatisticsQueries& queries)
{
    if (isRunning())
        return false;
    wait();
    const QString name = QStringLiteral("DedIzoStat%1").arg(g_serial.fetchAndAddRelaxed(1));
    m_thread.reset(QThread::create([this, params, queries, name] {
        StatisticsCounts counts;
        QString error;
        bool ok = false;
        {
            // Created, used and removed on this thread only.
            Connection connection(params, name);
            try {
                if (connection.open(&error)) {
                    counts = StatisticsCounts::read(connection, queries);
                    ok = true;
                }
            } catch (const DatabaseError& e) {
                error = e.message();
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
        }
        // This object outlives the thread (its destructor waits), so the queued call is safe.
        if (ok)
            QMetaObject::invokeMethod(
                this, [this, counts] { Q_EMIT counted(counts); }, Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(
                this, [this, error] { Q_EMIT failed(error); }, Qt::QueuedConnection);
    }));
    m_thread->start();
    return true;
}

} // namespace dedizo
