// Grabs the progress window, the export window and the query condition builder to PNG files.
#include "core/DbUtils.h"
#include "core/QueryTexts.h"
#include "core/SharedDatasets.h"
#include "core/ui/DataGrid.h"
#include "core/ui/FatherForm.h"
#include "core/ui/GridOutputForm.h"
#include "core/ui/ProgressForm.h"
#include "core/ui/QLDBFilterForm.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/WindowShot.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <cstdio>

using namespace dedizo;

static bool save(QWidget* w, const QString& path)
{
    return test::saveWindowShot(w, path);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots-progress");
    QDir().mkpath(dir);
    bool ok = true;

    ProgressWindowService progress;
    setProgressService(&progress);
    progress.setTitle(QStringLiteral("正在删除记录..."));
    progress.setMax(8);
    progress.Start();
    progress.StepIt();
    progress.StepIt();
    progress.StepIt();
    ok &= save(progress.form(), dir + QStringLiteral("/progress.png"));
    setProgressService(nullptr);

    QStandardItemModel model;
    GridOutputForm output(&model, {});
    ok &= save(&output, dir + QStringLiteral("/export.png"));

    const QList<FilterField> fields{
        {QStringLiteral("Title"), QStringLiteral("题名"), FilterFieldType::Text},
        {QStringLiteral("Author"), QStringLiteral("责任者"), FilterFieldType::Text},
        {QStringLiteral("Price"), QStringLiteral("价格"), FilterFieldType::Number},
        {QStringLiteral("RegDate"), QStringLiteral("登记日期"), FilterFieldType::Date},
    };
    QLDBFilterForm filter(fields, {}, QStringLiteral("查询"));
    filter.EditValue->setText(QStringLiteral("红楼梦"));
    filter.BtnAdd->click();
    filter.CboField->setCurrentIndex(1);
    filter.RbOr->setChecked(true);
    filter.CboCondition->setCurrentIndex(6);
    filter.EditValue->setText(QStringLiteral("曹雪芹"));
    filter.BtnAdd->click();
    filter.CboField->setCurrentIndex(3);
    ok &= save(&filter, dir + QStringLiteral("/filter.png"));

    // A list window over a few readers, filtered, sorted and with a footer.
    qputenv("DEDIZO_TEST_DB", "sqlite");
    test::TestDatabase db;
    const QStringList names{QStringLiteral("张伟"), QStringLiteral("王芳"), QStringLiteral("李娜"),
                            QStringLiteral("刘洋"), QStringLiteral("陈静"), QStringLiteral("杨磊"),
                            QStringLiteral("赵敏"), QStringLiteral("黄强")};
    for (int i = 0; i < names.size(); ++i)
        db.connection().execute(
            QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, CardID, ReaderCateID, "
                           "Sex, DeptName, HomePhone, RegDate) VALUES (?, ?, ?, 1, ?, ?, '一室', ?)"),
            {names[i], QStringLiteral("R%1").arg(1001 + i), QStringLiteral("C%1").arg(5001 + i), i % 2,
             i % 3 ? QStringLiteral("初一(2)班") : QStringLiteral("初二(1)班"),
             QStringLiteral("2026-09-0%1").arg(i + 1)});
    Dataset& readers = DM1().ReadersQuery;
    readers.setSql(ReadersSelect(QString()));
    FatherForm list(&readers);
    list.setWindowTitle(QStringLiteral("读者信息维护"));
    list.ApplyWhere(QString());
    list.grid()->setSortColumns({{QStringLiteral("DeptName"), Qt::AscendingOrder}});
    list.grid()->setMultiSelect(true, true);
    list.grid()->view()->selectRow(1);
    list.grid()->view()->selectionModel()->select(list.grid()->view()->model()->index(3, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list.resize(1000, 420);
    ok &= save(&list, dir + QStringLiteral("/fatherform.png"));
    return ok ? 0 : 1;
}
