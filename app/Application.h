#pragma once

#include <QApplication>
#include <exception>

namespace dedizo {

// The application object of the program. Any exception that escapes an
// event handler ends up in notify(), which hands it to the application-wide
// error handler; the program keeps running.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The application-wide error handler: AbortSilently is swallowed (its message
// was shown already); any other error brings the program to the front and
// shows its message in the error box.
void handleUncaughtException(std::exception_ptr error);

} // namespace dedizo
