#include "core/ui/DataGrid.h"

#include "core/Connection.h"
#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/DatasetModel.h"
#include "core/SQLBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSqlQuery>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace dedizo {

namespace {

// Overdue days get an icon: none below 1, a warning from 1, a stronger one from 30.
class OverdueDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant v = index.data(Qt::EditRole);
        if (v.isNull())
            return;
        const int days = v.toInt();
        if (days < 1)
            return;
        const QStyle* style = QApplication::style();
        option->icon =
            style->standardIcon(days >= 30 ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning);
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
};

// Row headers drawn as check boxes that follow (and toggle) the row selection.
class CheckBoxRowHeader : public QHeaderView
{
public:
    explicit CheckBoxRowHeader(QTableView* view) : QHeaderView(Qt::Vertical, view), m_view(view)
    {
        setSectionsClickable(true);
        setDefaultSectionSize(view->verticalHeader()->defaultSectionSize());
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        QStyleOptionHeader header;
        initStyleOption(&header);
        header.rect = rect;
        header.section = logicalIndex;
        style()->drawControl(QStyle::CE_HeaderSection, &header, painter, this);
        QStyleOptionButton box;
        box.initFrom(this);
        const int side = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
        box.rect = QRect(rect.center().x() - side / 2 + 1, rect.center().y() - side / 2 + 1, side, side);
        const bool selected = m_view->selectionModel() &&
                              m_view->selectionModel()->isRowSelected(logicalIndex, m_view->rootIndex());
        box.state = QStyle::State_Enabled | (selected ? QStyle::State_On : QStyle::State_Off);
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, this);
    }
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        QSize s = QHeaderView::sectionSizeFromContents(logicalIndex);
        s.setWidth(std::max(s.width(), style()->pixelMetric(QStyle::PM_IndicatorWidth) + 10));
        return s;
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const int row = logicalIndexAt(event->position().toPoint());
        if (row < 0)
            return;
        const QModelIndex index = m_view->model()->index(row, 0);
        m_view->selectionModel()->select(index, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        viewport()->update();
    }

private:
    QTableView* m_view;
};

} // namespace

DataGrid::DataGrid(Dataset* dataset, QWidget* parent)
    : QWidget(parent), m_dataset(dataset), m_model(new DatasetModel(dataset, this)),
      m_view(new QTableView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_view->horizontalHeader()->setSectionsMovable(true);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->installEventFilter(this);
    layout->addWidget(m_view);

    m_footer = new QWidget(this);
    m_footerLayout = new QHBoxLayout(m_footer);
    m_footerLayout->setContentsMargins(6, 2, 6, 2);
    m_footer->hide();
    layout->addWidget(m_footer);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::headerClicked);
    connect(m_view->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            &DataGrid::headerMenu);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT activatedRow(index.row());
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && m_dataset->isOpen() && !m_dataset->isEditing())
                    m_dataset->setCurrentRow(current.row());
            });
    connect(m_dataset, &Dataset::opened, this, [this] {
        applyFieldVisibility();
        updateFooter();
    });
}

void DataGrid::applyFieldVisibility()
{
    for (int i = 0; i < m_dataset->fieldCount(); ++i) {
        const DatasetField& f = m_dataset->field(i);
        m_view->setColumnHidden(i, f.hidden);
        if (f.name.compare(QLatin1String("ExceedDays"), Qt::CaseInsensitive) == 0)
            m_view->setItemDelegateForColumn(i, new OverdueDelegate(m_view));
    }
    if (!m_fieldsApplied && m_dataset->fieldCount() > 0) {
        m_view->resizeColumnsToContents();
        for (int i = 0; i < m_dataset->fieldCount(); ++i)
            m_view->setColumnWidth(i, std::clamp(m_view->columnWidth(i), 60, 260));
        m_fieldsApplied = true;
    }
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            m_view->currentIndex().isValid()) {
            Q_EMIT activatedRow(m_view->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- sorting

QString DataGrid::orderByList(const QList<SortColumn>& columns)
{
    QStringList parts;
    for (const SortColumn& c : columns)
        parts << (c.second == Qt::DescendingOrder ? c.first + QStringLiteral(" DESC") : c.first);
    return parts.join(QStringLiteral(", "));
}

void DataGrid::setSortColumns(const QList<SortColumn>& columns)
{
    m_sort = columns;
    m_view->clearSelection();
    SQLBuilder::OrderBy(m_dataset->sql(), orderByList(m_sort));
    reopenWithSql();
    auto* header = m_view->horizontalHeader();
    if (m_sort.isEmpty()) {
        header->setSortIndicatorShown(false);
    } else {
        header->setSortIndicatorShown(true);
        header->setSortIndicator(m_dataset->fieldIndex(m_sort.first().first), m_sort.first().second);
    }
}

void DataGrid::headerClicked(int section)
{
    if (section < 0 || section >= m_dataset->fieldCount())
        return;
    const QString field = m_dataset->field(section).name;
    if (field.contains(QLatin1Char('.')))
        return; // an alias of a join cannot be named in ORDER BY everywhere
    QList<SortColumn> sort = m_sort;
    const bool add = QApplication::keyboardModifiers() & Qt::ShiftModifier;
    int existing = -1;
    for (int i = 0; i < sort.size(); ++i)
        if (sort[i].first == field)
            existing = i;
    if (existing >= 0) {
        sort[existing].second =
            sort[existing].second == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        if (!add)
            sort = {sort[existing]};
    } else if (add) {
        sort.append({field, Qt::AscendingOrder});
    } else {
        sort = {{field, Qt::AscendingOrder}};
    }
    setSortColumns(sort);
}

void DataGrid::reopenWithSql()
{
    m_view->setUpdatesEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_dataset->close();
        m_dataset->open();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        m_view->setUpdatesEnabled(true);
        throw;
    }
    QApplication::restoreOverrideCursor();
    m_view->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------- filters

QString DataGrid::literalFor(const QString& field, const QVariant& value) const
{
    const DataModule& dm = DataModule::instance();
    const int i = m_dataset->fieldIndex(field);
    const ColumnType type = i >= 0 ? m_dataset->field(i).type : ColumnType::Text;
    switch (type) {
    case ColumnType::Bool:
        return value.toBool() ? dm.filterTrueLiteral() : QStringLiteral("0");
    case ColumnType::DateTime: {
        const QString delimiter = dm.filterDateDelimiter();
        const QString text = mainConnection().dialect().dateLiteral(value.toDate());
        // The dialect writes the stored form; the delimiters are the connection's.
        return delimiter + text.mid(1, text.size() - 2) + delimiter;
    }
    case ColumnType::Key:
    case ColumnType::Int:
    case ColumnType::Small:
    case ColumnType::Money:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return SqlDialect::quote(value.toString());
    }
}

QList<DataGrid::FilterValue> DataGrid::distinctValues(const QString& field) const
{
    QStringList lines = m_dataset->sql();
    SQLBuilder::SelectList(lines, QStringLiteral("DISTINCT ") + field);
    SQLBuilder::Where(lines, field + QStringLiteral(" IS NOT NULL"));
    SQLBuilder::OrderBy(lines, field);
    QSqlQuery q = m_dataset->connection().select(lines.join(QLatin1Char('\n')));
    const int column = m_dataset->fieldIndex(field);
    QList<FilterValue> values;
    while (q.next()) {
        QVariant raw = q.value(0);
        QVariant v = raw;
        if (column >= 0) {
            switch (m_dataset->field(column).type) {
            case ColumnType::Bool:
                v = raw.toInt() != 0 || raw.toString() == QLatin1String("true");
                break;
            case ColumnType::DateTime:
                v = raw.metaType().id() == QMetaType::QDate
                        ? raw.toDate()
                        : QDate::fromString(raw.toString().left(10), QStringLiteral("yyyy-MM-dd"));
                break;
            default:
                break;
            }
        }
        values.append({v, column >= 0 ? DatasetModel::displayText(*m_dataset, column, v) : v.toString()});
    }
    return values;
}

QString DataGrid::filterExpression() const
{
    QStringList parts;
    for (const auto& [field, values] : m_filters) {
        QStringList alternatives;
        for (const QVariant& v : values)
            alternatives << field + QStringLiteral(" = ") + literalFor(field, v);
        parts << (alternatives.size() == 1
                      ? alternatives.first()
                      : QLatin1Char('(') + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
    }
    return parts.join(QStringLiteral(" AND "));
}

void DataGrid::setColumnFilter(const QString& field, const QVariantList& values)
{
    for (int i = 0; i < m_filters.size(); ++i) {
        if (m_filters[i].first.compare(field, Qt::CaseInsensitive) == 0) {
            m_filters.removeAt(i);
            break;
        }
    }
    if (!values.isEmpty())
        m_filters.append({field, values});
    m_view->clearSelection();
    SQLBuilder::Where(m_dataset->sql(), filterExpression());
    reopenWithSql();
}

void DataGrid::clearFilter()
{
    m_filters.clear();
}

void DataGrid::headerMenu(const QPoint& pos)
{
    const int section = m_view->horizontalHeader()->logicalIndexAt(pos);
    if (section < 0 || section >= m_dataset->fieldCount() || m_dataset->field(section).hidden)
        return;
    const QString field = m_dataset->field(section).name;
    if (field.contains(QLatin1Char('.')))
        return;
    QDialog popup(this, Qt::Popup);
    auto* layout = new QVBoxLayout(&popup);
    auto* list = new QListWidget(&popup);
    QVariantList current;
    for (const auto& f : std::as_const(m_filters))
        if (f.first == field)
            current = f.second;
    for (const FilterValue& v : distinctValues(field)) {
        auto* item = new QListWidgetItem(v.text, list);
        item->setData(Qt::UserRole, v.value);
        item->setCheckState(current.contains(v.value) ? Qt::Checked : Qt::Unchecked);
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &popup);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, &popup, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &popup, &QDialog::reject);
    layout->addWidget(buttons);
    popup.move(m_view->horizontalHeader()->mapToGlobal(pos));
    if (popup.exec() != QDialog::Accepted)
        return;
    QVariantList chosen;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            chosen << list->item(i)->data(Qt::UserRole);
    setColumnFilter(field, chosen);
}

// ---------------------------------------------------------------- footer

void DataGrid::addFooter(const QStringList& fields, const QString& format)
{
    m_footerFields = fields;
    m_footerFormat = format;
    m_footer->setVisible(!fields.isEmpty());
    updateFooter();
}

void DataGrid::calculateSummary()
{
    m_footerValues.clear();
    if (!m_dataset->isOpen() || m_footerFields.isEmpty())
        return;
    QStringList sums;
    for (const QString& f : std::as_const(m_footerFields))
        sums << QStringLiteral("SUM(%1)").arg(f);
    QStringList lines = m_dataset->sql();
    SQLBuilder::SelectList(lines, sums.join(QStringLiteral(", ")));
    SQLBuilder::OrderBy(lines, QString());
    QSqlQuery q = m_dataset->connection().select(lines.join(QLatin1Char('\n')));
    const bool hasRow = q.next();
    for (int i = 0; i < m_footerFields.size(); ++i) {
        const QVariant v = hasRow ? q.value(i) : QVariant();
        m_footerValues.insert(m_footerFields[i].toLower(), v.isNull() ? QVariant(0) : v);
    }
}

void DataGrid::updateFooter()
{
    if (m_footerFields.isEmpty())
        return;
    calculateSummary();
    for (const QString& f : std::as_const(m_footerFields)) {
        QLabel*& label = m_footerLabels[f.toLower()];
        if (!label) {
            label = new QLabel(m_footer);
            m_footerLayout->addWidget(label);
        }
        const double v = m_footerValues.value(f.toLower()).toDouble();
        const QString number = m_footerFormat.isEmpty() ? QString::number(v, 'f', v == qRound64(v) ? 0 : 2)
                                                        : QString::asprintf(qPrintable(m_footerFormat), v);
        label->setText(QStringLiteral("%1合计：%2").arg(m_dataset->displayLabel(f), number));
    }
}

// ---------------------------------------------------------------- selection and columns

QList<int> DataGrid::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& i : m_view->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DataGrid::setMultiSelect(bool on, bool withCheckBoxes)
{
    m_view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    if (on && withCheckBoxes && !dynamic_cast<CheckBoxRowHeader*>(m_view->verticalHeader())) {
        m_view->setVerticalHeader(new CheckBoxRowHeader(m_view));
        connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged,
                m_view->verticalHeader()->viewport(), qOverload<>(&QWidget::update));
    }
}

void DataGrid::setColumnVisible(const QString& field, bool visible)
{
    const int i = m_dataset->fieldIndex(field);
    if (i >= 0 && !m_dataset->field(i).hidden)
        m_view->setColumnHidden(i, !visible);
}

void DataGrid::showColumnChooser()
{
    QMenu menu(this);
    for (int i = 0; i < m_dataset->fieldCount(); ++i) {
        const DatasetField& f = m_dataset->field(i);
        if (f.hidden)
            continue;
        QAction* a = menu.addAction(f.label);
        a->setCheckable(true);
        a->setChecked(!m_view->isColumnHidden(i));
        connect(a, &QAction::toggled, this, [this, i](bool on) { m_view->setColumnHidden(i, !on); });
    }
    menu.exec(m_view->horizontalHeader()->mapToGlobal(QPoint(0, m_view->horizontalHeader()->height())));
}

} // namespace dedizo
