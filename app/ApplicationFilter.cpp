#include "app/ApplicationFilter.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>
#include <QWidget>

namespace dedizo {

QString hintHtml(const QString& hint)
{
    const QString mark = QStringLiteral("：\r\n");
    const int at = hint.indexOf(mark);
    if (at < 0)
        return hint;
    const QString title = hint.left(at).toHtmlEscaped();
    QString body = hint.mid(at + mark.size()).toHtmlEscaped();
    body.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    body.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<b>%1</b><br>%2").arg(title, body);
}

ApplicationFilter::ApplicationFilter(std::function<void()> lockScreen, QObject* parent)
    : QObject(parent), m_lockScreen(std::move(lockScreen))
{
}

bool ApplicationFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F9 || key->modifiers() != Qt::NoModifier)
            break;
        // A second F9 inside the lock screen is consumed and ignored.
        if (!m_locking && m_lockScreen) {
            m_locking = true;
            try {
                m_lockScreen();
            } catch (...) {
                m_locking = false;
                throw;
            }
            m_locking = false;
        }
        return true;
    }
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->toolTip().isEmpty())
            break;
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), hintHtml(widget->toolTip()), widget, QRect(),
                           kHintMilliseconds);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dedizo
