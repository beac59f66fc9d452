#include "admin/ui/UserLogForm.h"

#include "admin/ui/RightsTags.h"
#include "core/DatasetModel.h"
#include "core/GridExport.h"
#include "core/SQLBuilder.h"
#include "core/SharedDatasets.h"
#include "core/ui/GridOutputForm.h"
#include "core/ui/QLDBFilterForm.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableView>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace dedizo {

namespace {

const QString kSelect = QStringLiteral("SELECT * FROM UserLog_tab");

QAction* toolAction(QToolBar* bar, QObject* owner, const QString& name, const QString& text, int tag)
{
    auto* a = new QAction(text, owner);
    a->setObjectName(name);
    setRightsTag(a, tag);
    bar->addAction(a);
    return a;
}

FilterFieldType filterType(ColumnType t)
{
    switch (t) {
    case ColumnType::Key:
    case ColumnType::Int:
    case ColumnType::Small:
    case ColumnType::Money:
        return FilterFieldType::Number;
    case ColumnType::DateTime:
        return FilterFieldType::Date; // the log keeps the date only
    case ColumnType::Bool:
        return FilterFieldType::Boolean;
    case ColumnType::Blob:
        return FilterFieldType::Blob;
    default:
        return FilterFieldType::Text;
    }
}

QString htmlEscaped(const QString& s)
{
    return s.toHtmlEscaped();
}

} // namespace

UserLogForm::UserLogForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("操作日志管理"));
    resize(900, 520);
    ToolBar = new QToolBar(this);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ActionFind = toolAction(ToolBar, this, QStringLiteral("ActionFind"), QStringLiteral("查询(&F)"), 0);
    ActionColumns = toolAction(ToolBar, this, QStringLiteral("ActionColumns"), QStringLiteral("自定义列"), 0);
    ActionPrint =
        toolAction(ToolBar, this, QStringLiteral("ActionPrint"), QStringLiteral("打印(&P)"), kPrintTag);
    ActionExport =
        toolAction(ToolBar, this, QStringLiteral("ActionExport"), QStringLiteral("导出(&E)"), kPrintTag);
    ActionClose = toolAction(ToolBar, this, QStringLiteral("ActionClose"), QStringLiteral("关闭(&C)"), 0);

    Dataset& log = DM1().UserLogQuery;
    log.setReadOnly(true);
    m_model = new DatasetModel(&log, this);
    Grid = new QTableView(this);
    Grid->setModel(m_model);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ToolBar);
    layout->addWidget(Grid);

    connect(ActionFind, &QAction::triggered, this, &UserLogForm::find);
    connect(ActionColumns, &QAction::triggered, this, &UserLogForm::showColumnMenu);
    connect(ActionPrint, &QAction::triggered, this, &UserLogForm::print);
    connect(ActionExport, &QAction::triggered, this, [this] { GridOutputForm::exportView(Grid, this); });
    connect(ActionClose, &QAction::triggered, this, &QDialog::accept);

    applyCondition(QString());
}

UserLogForm::~UserLogForm()
{
    DM1().UserLogQuery.close();
}

void UserLogForm::applyCondition(const QString& condition)
{
    Dataset& log = DM1().UserLogQuery;
    log.close();
    log.setSql(SQLBuilder::SQL(kSelect, condition.trimmed().isEmpty() ? QStringLiteral("1=1") : condition));
    log.open();
    for (int i = 0; i < log.fieldCount(); ++i)
        Grid->setColumnHidden(i, log.field(i).hidden);
}

void UserLogForm::find()
{
    Dataset& log = DM1().UserLogQuery;
    QList<FilterField> fields;
    for (int i = 0; i < log.fieldCount(); ++i) {
        const DatasetField& f = log.field(i);
        if (!f.hidden)
            fields.append({f.name, f.label, filterType(f.type)});
    }
    QLDBFilterDialog& dialog = QLDBFilterDialog::shared();
    dialog.setDataSetFields(fields);
    dialog.setFilterFields(QString());
    if (!dialog.Execute(this))
        return;
    applyCondition(dialog.GetFilter());
}

void UserLogForm::showColumnMenu()
{
    Dataset& log = DM1().UserLogQuery;
    QMenu menu(this);
    for (int i = 0; i < log.fieldCount(); ++i) {
        if (log.field(i).hidden)
            continue;
        QAction* a = menu.addAction(log.field(i).label);
        a->setCheckable(true);
        a->setChecked(!Grid->isColumnHidden(i));
        connect(a, &QAction::toggled, Grid, [this, i](bool on) { Grid->setColumnHidden(i, !on); });
    }
    menu.exec(QCursor::pos());
}

void UserLogForm::print()
{
    fetchAllRows(*m_model);
    QString html = QStringLiteral("<h3>%1</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>")
                       .arg(htmlEscaped(windowTitle()));
    const QList<int> columns = GridOutputForm::visibleColumns(Grid);
    for (int c : columns)
        html +=
            QStringLiteral("<th>%1</th>").arg(htmlEscaped(m_model->headerData(c, Qt::Horizontal).toString()));
    html += QStringLiteral("</tr>");
    for (int r = 0; r < m_model->rowCount(); ++r) {
        html += QStringLiteral("<tr>");
        for (int c : columns)
            html += QStringLiteral("<td>%1</td>").arg(htmlEscaped(m_model->index(r, c).data().toString()));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    QTextDocument doc;
    doc.setHtml(html);
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&doc](QPrinter* p) { doc.print(p); });
    preview.exec();
}

} // namespace dedizo
