#include "catalogue/refdata/ui/DropDownForm.h"

#include "catalogue/refdata/DropDownPlacement.h"
#include "core/Dataset.h"
#include "core/DatasetModel.h"
#include "core/DbUtils.h"

#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace dedizo {

DropDownForm::DropDownForm(Dataset* query, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_query(query),
      m_model(new DatasetModel(query, this)), m_grid(new QTableView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < query->fieldCount(); ++i)
        m_grid->setColumnHidden(i, query->field(i).hidden);
    m_grid->resizeColumnsToContents();
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            choose();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_query->setCurrentRow(current.row());
            });
    if (query->isOpen() && !query->isEmpty()) {
        const int row = std::max(query->currentRow(), 0);
        m_grid->setCurrentIndex(m_model->index(row, 0));
    }
    const qreal scale = logicalDpiX() / 96.0;
    resize(qRound(baseSize().width() * scale), qRound(baseSize().height() * scale));
}

void DropDownForm::popup(QWidget* control)
{
    QScreen* screen = control->screen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect rect(control->mapToGlobal(QPoint(0, 0)), control->size());
    setGeometry(DropDownPlacement(rect, workArea, size()));
    show();
    raise();
    activateWindow();
    m_grid->setFocus();
}

void DropDownForm::choose()
{
    if (m_model->rowCount() == 0)
        return;
    const QModelIndex current = m_grid->currentIndex();
    m_query->setCurrentRow(current.isValid() ? current.row() : 0);
    m_chosen = true;
    hide();
}

bool DropDownForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        m_wasActive = true;
    else if (event->type() == QEvent::WindowDeactivate && m_wasActive && isVisible())
        hide();
    return QWidget::event(event);
}

bool DropDownForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose();
            return true;
        }
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DropDownForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Q_EMIT hidden();
}

bool ShowDropDown(QWidget* control, Dataset& query, bool pickSingle)
{
    ReopenQuery(query);
    if (pickSingle && query.recordCount() == 1) {
        query.first();
        return true;
    }
    DropDownForm picker(&query, control->window());
    QEventLoop loop;
    QObject::connect(&picker, &DropDownForm::hidden, &loop, &QEventLoop::quit);
    picker.popup(control);
    if (picker.isVisible())
        loop.exec();
    return picker.chosen();
}

} // namespace dedizo
