#pragma once

#include "core/ProgressService.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace dedizo {

// The window "进度": not modal, no system buttons, a stop button.
class ProgressForm : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressForm(QWidget* parent = nullptr);

    void showState(const ProgressService& state);

    QLabel* LblTitle = nullptr;
    QProgressBar* PrgBar = nullptr;
    QLabel* LblPercent = nullptr;
    QLabel* LblCount = nullptr;
    QPushButton* BtnStop = nullptr;

Q_SIGNALS:
    // The user pressed "停止(&S)" (or closed the window another way).
    void stopRequested();

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The progress service of the program: one ProgressForm for the whole run,
// created on first use. The program creates this after the application
// object and installs it with setProgressService.
class ProgressWindowService final : public ProgressService
{
public:
    ProgressWindowService() = default;
    ~ProgressWindowService() override;

    // The window, or nullptr before the first Start.
    ProgressForm* form() const { return m_form; }

protected:
    void present() override;
    void dismiss() override;
    void refresh() override;
    void letEventsRun() override;

private:
    QPointer<ProgressForm> m_form;
};

} // namespace dedizo
