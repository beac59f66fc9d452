#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace dedizo {

class MainForm;

// `dedizo --screenshots DIR`: every window of the program in turn, with
// sample content, saved as DIR/<WindowClass>.png. Function windows come from
// the FunctionWindows registry (their sample content from ScreenshotSamples).
class ScreenshotMode
{
public:
    explicit ScreenshotMode(const QString& outDir);

    // Takes every picture; returns 0 when all were written.
    int run(MainForm& main);
    // The files written so far.
    const QStringList& written() const { return m_written; }
    const QStringList& failures() const { return m_failures; }

    // Shows `window`, lets it lay out and saves it as <name>.png.
    bool save(QWidget* window, const QString& name);

private:
    void functionWindows(MainForm& main);

    QString m_dir;
    QStringList m_written;
    QStringList m_failures;
};

} // namespace dedizo
