#pragma once

#include <QString>

namespace dedizo {

// The one progress display of the run. Long loops set Title and Max, call
// Start, and per record ask IsStoped (which first lets pending window events
// run, so the stop button and the display respond), do the work and StepIt.
// The display closes itself when the position reaches Max; a display closed
// before that means the user stopped the run.
//
// This base keeps the state and the texts; a window (core/ui) or the headless
// NullProgressService presents them.
class ProgressService
{
public:
    virtual ~ProgressService() = default;

    QString Title() const { return m_title; }
    void setTitle(const QString& title);
    int Max() const { return m_max; }
    // Also moves the position back to 0 (the minimum is always 0).
    void setMax(int max);
    int Position() const { return m_position; }
    void setPosition(int position);

    // Shows the display (not modal) at position 0.
    void Start();
    void StepIt();
    // Lets pending window events run, then answers whether the user stopped the run.
    bool IsStoped();
    // The same answer without running events.
    bool stopped() const { return !m_shown && m_position < m_max; }
    bool isShown() const { return m_shown; }
    // What the stop button does.
    void stop();

    // "%d%%" of position to maximum, ties to even; "0%" for maximum 0.
    QString percentText() const;
    // "%d/%d": position and maximum.
    QString countText() const { return QStringLiteral("%1/%2").arg(m_position).arg(m_max); }

    // Position ÷ maximum × 100 rounded to the nearest integer, ties to even; 0 for maximum 0.
    static int percent(int position, int max);

protected:
    // The presentation hooks of a display.
    virtual void present() {}
    virtual void dismiss() {}
    virtual void refresh() {}
    // Runs pending events of the user interface (the default asks the application, when there is one).
    virtual void letEventsRun();

private:
    void changed();

    QString m_title;
    int m_max = 100;
    int m_position = 0;
    bool m_shown = false;
};

// Keeps the state only; for command-line tools, tests and anything without a window.
class NullProgressService final : public ProgressService
{
};

// The process-wide progress service; a NullProgressService until the program installs its window.
ProgressService& progressService();
// Installs `service` (not owned) and returns the previous one; nullptr restores the default.
ProgressService* setProgressService(ProgressService* service);

} // namespace dedizo
