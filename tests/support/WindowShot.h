#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <cstdio>

namespace dedizo::test {

// Shows the window, lets it lay out and paints it into a PNG for a look by eye.
inline bool saveWindowShot(QWidget* w, const QString& path)
{
    w->show();
    QApplication::processEvents();
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace dedizo::test
