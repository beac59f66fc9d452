#include "core/AppInfo.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(dedizo::AppInfo::title());
    QLabel label(dedizo::AppInfo::title());
    label.show();
    return app.exec();
}
