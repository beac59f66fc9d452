#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dedizo {

// Sample content for the program's screenshot mode (`dedizo --screenshots DIR`):
// a window that shows nothing useful when empty registers a filler for its
// class name next to its FunctionWindows entry. The filler runs after the
// window is created and before its picture is taken.
using ScreenshotFiller = std::function<void(QWidget* window)>;

void addScreenshotSample(const QString& className, ScreenshotFiller fill);
// The filler for a class, or an empty function.
ScreenshotFiller screenshotSample(const QString& className);

} // namespace dedizo
