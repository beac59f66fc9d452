#include "core/ui/GridOutputForm.h"
#include "core/ui/DialogButtons.h"

#include "core/Prompts.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace dedizo {

GridOutputForm::GridOutputForm(QAbstractItemModel* model, const QList<int>& columns, QWidget* parent)
    : QDialog(parent), m_model(model), m_columns(columns)
{
    setObjectName(QStringLiteral("GridOutputForm"));
    setWindowTitle(QStringLiteral("设置"));

    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget;
    tabs->addTab(page, QStringLiteral("导出设置"));
    auto* group = new QGroupBox(QStringLiteral("导出类型"), page);
    auto* groupLayout = new QVBoxLayout(group);
    for (const ExportFormatInfo& info : exportFormats()) {
        auto* rb = new QRadioButton(QStringLiteral("%1 (%2)").arg(info.name, info.extension), group);
        rb->setObjectName(QStringLiteral("RbType") + info.extension.mid(1));
        groupLayout->addWidget(rb);
        RbTypes.append(rb);
    }
    RbTypes.first()->setChecked(true);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(group);
    pageLayout->addStretch();

    auto* buttons = okCancelRow(this, BtnOK, BtnCancel);
    connect(BtnOK, &QPushButton::clicked, this, &GridOutputForm::save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
}

QList<int> GridOutputForm::visibleColumns(const QTableView* view)
{
    QList<int> columns;
    const QHeaderView* header = view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!view->isColumnHidden(logical))
            columns.append(logical);
    }
    return columns;
}

int GridOutputForm::exportView(QTableView* view, QWidget* parent)
{
    GridOutputForm form(view->model(), visibleColumns(view), parent ? parent : view->window());
    return form.exec();
}

ExportFormat GridOutputForm::selectedFormat() const
{
    for (int i = 0; i < RbTypes.size(); ++i) {
        if (RbTypes.at(i)->isChecked())
            return exportFormats().at(i).format;
    }
    return exportFormats().first().format;
}

void GridOutputForm::selectFormat(ExportFormat format)
{
    for (int i = 0; i < RbTypes.size(); ++i)
        RbTypes.at(i)->setChecked(exportFormats().at(i).format == format);
}

void GridOutputForm::save()
{
    const ExportFormatInfo& info = exportFormatInfo(selectedFormat());
    const QString filter = QStringLiteral("%1 (*%2)").arg(info.name, info.extension);
    QString path = prompts().saveFileName(QStringLiteral("导出"), filter, QString());
    if (path.isEmpty())
        return;
    // The type's extension, unless the name already carries it.
    if (QStringLiteral(".") + QFileInfo(path).suffix().toLower() != info.extension)
        path += info.extension;

    QString error;
    bool ok = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (m_model)
            fetchAllRows(*m_model);
        ok = exportGrid(GridExportSource{m_model, m_columns}, info.format, path, &error);
        QApplication::restoreOverrideCursor();
    }
    if (!ok) {
        ShowError(error);
        return;
    }
    accept();
}

} // namespace dedizo
