#include "app/Application.h"

#include "core/DatabaseError.h"
#include "core/Prompts.h"

#include <QWidget>

namespace dedizo {

namespace {

void bringToFront()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    if (!w) {
        const QWidgetList tops = QApplication::topLevelWidgets();
        for (QWidget* t : tops)
            if (t->isVisible() && t->objectName() == QLatin1String("TMainForm"))
                w = t;
    }
    if (w) {
        w->raise();
        w->activateWindow();
    }
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleUncaughtException(std::current_exception());
        return false;
    }
}

void handleUncaughtException(std::exception_ptr error)
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const AbortSilently&) {
        return;
    } catch (const DatabaseError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("发生未知错误。");
    }
    bringToFront();
    try {
        ShowError(message);
    } catch (...) {
        // Nothing more can be reported from here.
    }
}

} // namespace dedizo
