#include "core/ui/ScreenshotSamples.h"

#include <QHash>

namespace dedizo {

namespace {
QHash<QString, ScreenshotFiller>& fillers()
{
    static QHash<QString, ScreenshotFiller> map;
    return map;
}
} // namespace

void addScreenshotSample(const QString& className, ScreenshotFiller fill)
{
    fillers().insert(className, std::move(fill));
}

ScreenshotFiller screenshotSample(const QString& className)
{
    return fillers().value(className);
}

} // namespace dedizo
