#include "core/ui/ProgressForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

namespace {
constexpr Qt::WindowFlags kFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

ProgressForm::ProgressForm(QWidget* parent) : QDialog(parent, kFlags)
{
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("进度"));
    setModal(false);

    auto* wait = new QLabel(QStringLiteral("请稍等..."), this);
    wait->setObjectName(QStringLiteral("LblWait"));
    LblTitle = new QLabel(this);
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    LblTitle->setWordWrap(true);
    PrgBar = new QProgressBar(this);
    PrgBar->setObjectName(QStringLiteral("PrgBar"));
    PrgBar->setTextVisible(false);
    PrgBar->setMinimum(0);
    LblPercent = new QLabel(this);
    LblPercent->setObjectName(QStringLiteral("LblPercent"));
    LblCount = new QLabel(this);
    LblCount->setObjectName(QStringLiteral("LblCount"));
    LblCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BtnStop = new QPushButton(QStringLiteral("停止(&S)"), this);
    BtnStop->setObjectName(QStringLiteral("BtnStop"));
    BtnStop->setAutoDefault(false);
    connect(BtnStop, &QPushButton::clicked, this, &ProgressForm::stopRequested);

    auto* numbers = new QHBoxLayout;
    numbers->addWidget(LblPercent);
    numbers->addStretch();
    numbers->addWidget(LblCount);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnStop);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wait);
    layout->addWidget(LblTitle);
    layout->addWidget(PrgBar);
    layout->addLayout(numbers);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void ProgressForm::showState(const ProgressService& state)
{
    LblTitle->setText(state.Title());
    PrgBar->setMaximum(qMax(0, state.Max()));
    if (state.Max() == 0)
        PrgBar->setMaximum(1); // an empty bar instead of the busy indicator
    PrgBar->setValue(state.Position());
    LblPercent->setText(state.percentText());
    LblCount->setText(state.countText());
}

void ProgressForm::reject()
{
    // Escape stops the run like the button; the window itself is hidden by the service.
    Q_EMIT stopRequested();
}

void ProgressForm::closeEvent(QCloseEvent* event)
{
    if (isVisible())
        Q_EMIT stopRequested();
    event->accept();
}

ProgressWindowService::~ProgressWindowService()
{
    delete m_form.data();
}

void ProgressWindowService::present()
{
    // A modal window blocks every window but its own children: while one is up,
    // the progress window must belong to it, or its stop button would not respond.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == m_form.data())
        owner = nullptr;
    if (!m_form) {
        m_form = new ProgressForm(owner);
        QObject::connect(m_form.data(), &ProgressForm::stopRequested, m_form.data(), [this] { stop(); });
    } else if (m_form->parentWidget() != owner) {
        m_form->setParent(owner, kFlags);
    }
    refresh();
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
}

void ProgressWindowService::dismiss()
{
    if (m_form)
        m_form->hide();
}

void ProgressWindowService::refresh()
{
    if (m_form)
        m_form->showState(*this);
}

void ProgressWindowService::letEventsRun()
{
    QCoreApplication::processEvents();
}

} // namespace dedizo
