#include "core/ProgressService.h"

#include <QCoreApplication>

namespace dedizo {

void ProgressService::setTitle(const QString& title)
{
    m_title = title;
    refresh();
}

void ProgressService::setMax(int max)
{
    m_max = qMax(0, max);
    m_position = 0;
    changed();
}

void ProgressService::setPosition(int position)
{
    m_position = qBound(0, position, m_max);
    changed();
}

void ProgressService::Start()
{
    m_position = 0;
    m_shown = true;
    refresh();
    present();
}

void ProgressService::StepIt()
{
    setPosition(m_position + 1);
}

bool ProgressService::IsStoped()
{
    letEventsRun();
    return stopped();
}

void ProgressService::stop()
{
    if (!m_shown)
        return;
    m_shown = false;
    dismiss();
}

QString ProgressService::percentText() const
{
    return QStringLiteral("%1%").arg(percent(m_position, m_max));
}

int ProgressService::percent(int position, int max)
{
    if (max <= 0)
        return 0;
    const qint64 n = qint64(position) * 100;
    qint64 q = n / max;
    const qint64 twiceRest = 2 * (n % max);
    if (twiceRest > max || (twiceRest == max && (q % 2) != 0))
        ++q;
    return int(q);
}

void ProgressService::letEventsRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void ProgressService::changed()
{
    refresh();
    if (m_shown && m_position >= m_max) {
        m_shown = false;
        dismiss();
    }
}

namespace {
NullProgressService g_default;
ProgressService* g_current = &g_default;
} // namespace

ProgressService& progressService()
{
    return *g_current;
}

ProgressService* setProgressService(ProgressService* service)
{
    ProgressService* previous = g_current;
    g_current = service ? service : &g_default;
    return previous;
}

} // namespace dedizo
