// Grabs the dictionary, classification and publishers windows (with their
// editors and the drop-down picker) to PNG files for a look by eye.
#include "catalogue/refdata/ui/BookCateForm.h"
#include "catalogue/refdata/ui/DataDictForm.h"
#include "catalogue/refdata/ui/DropDownForm.h"
#include "catalogue/refdata/ui/NavigationTreeWidget.h"
#include "catalogue/refdata/ui/PublishersForm.h"
#include "core/Dataset.h"
#include "core/DbUtils.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "core/ui/DataGrid.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/WindowShot.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <cstdio>

using namespace dedizo;

static bool save(QWidget* w, const QString& path)
{
    return test::saveWindowShot(w, path);
}

static QTreeWidgetItem* childItem(QTreeWidgetItem* item, const QString& code)
{
    for (int i = 0; i < item->childCount(); ++i)
        if (NavigationTreeWidget::nodeOf(item->child(i))->payload == code)
            return item->child(i);
    return nullptr;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots-refdata");
    QDir().mkpath(dir);
    bool ok = true;

    qputenv("DEDIZO_TEST_DB", "sqlite");
    test::TestDatabase db;
    currentUser().UserCode = QStringLiteral("Admin");
    Connection& c = db.connection();
    auto addClass = [&c](const QString& parent, const QString& code, const QString& name) {
        const int parentId =
            c.scalar(
                 QStringLiteral("SELECT BookCateID FROM BookCate_tab WHERE BookCateCode = '%1'").arg(parent))
                .toInt();
        c.execute(QStringLiteral("INSERT INTO BookCate_tab (BookCateParentID, BookCateCode, BookCateName) "
                                 "VALUES (?, ?, ?)"),
                  {parentId, code, name});
    };
    addClass(QStringLiteral("T"), QStringLiteral("TB"), QStringLiteral("一般工业技术"));
    addClass(QStringLiteral("T"), QStringLiteral("TN"), QStringLiteral("无线电电子学、电信技术"));
    addClass(QStringLiteral("T"), QStringLiteral("TP"), QStringLiteral("自动化技术、计算机技术"));
    addClass(QStringLiteral("TP"), QStringLiteral("TP1"), QStringLiteral("自动化基础理论"));
    addClass(QStringLiteral("TP"), QStringLiteral("TP2"), QStringLiteral("自动化技术及设备"));
    addClass(QStringLiteral("TP"), QStringLiteral("TP3"), QStringLiteral("计算技术、计算机技术"));
    addClass(QStringLiteral("TP3"), QStringLiteral("TP31"), QStringLiteral("计算机软件"));
    addClass(QStringLiteral("TP31"), QStringLiteral("TP311"), QStringLiteral("程序设计、软件工程"));
    addClass(QStringLiteral("TP"), QStringLiteral("TP18"), QStringLiteral("人工智能理论"));
    addClass(QStringLiteral("I"), QStringLiteral("I2"), QStringLiteral("中国文学"));

    DataDictForm dict;
    dict.selectCategory(9);
    dict.grid()->view()->selectRow(3);
    ok &= save(&dict, dir + QStringLiteral("/datadict.png"));

    DM1().ItemsQuery.edit();
    ItemEditForm item(&DM1().ItemsQuery);
    ok &= save(&item, dir + QStringLiteral("/itemedit.png"));
    DM1().ItemsQuery.cancel();
    dict.reject();

    BookCateForm cate;
    QTreeWidgetItem* root = cate.TreeCate->topLevelItem(0);
    QTreeWidgetItem* t = childItem(root, QStringLiteral("T"));
    t->setExpanded(true);
    QTreeWidgetItem* tp = childItem(t, QStringLiteral("TP"));
    tp->setExpanded(true);
    cate.TreeCate->setCurrentItem(childItem(tp, QStringLiteral("TP3")));
    cate.resize(860, 700);
    ok &= save(&cate, dir + QStringLiteral("/bookcate.png"));
    DM1().BookCateQuery.edit();
    BookCateEditForm cateEdit(&DM1().BookCateQuery);
    ok &= save(&cateEdit, dir + QStringLiteral("/bookcateedit.png"));
    DM1().BookCateQuery.cancel();
    cate.reject();

    c.execute(QStringLiteral(
        "UPDATE Publishers_tab SET PublisherInputCode = 'RMCBS' WHERE PublisherISBN = '7-01'"));
    PublishersForm pubs;
    pubs.grid()->view()->selectRow(4);
    ok &= save(&pubs, dir + QStringLiteral("/publishers.png"));
    DM1().PublishersQuery.append();
    PublisherEditForm pubEdit(&DM1().PublishersQuery);
    pubEdit.show();
    pubEdit.EditName->setText(QStringLiteral("湖南少年儿童出版社"));
    ok &= save(&pubEdit, dir + QStringLiteral("/publisheredit.png"));
    DM1().PublishersQuery.cancel();

    Dataset query;
    OpenQuery(query,
              QStringLiteral("SELECT PublisherName, PublisherISBN, PublisherPlace FROM Publishers_tab"));
    DropDownForm picker(&query);
    ok &= save(&picker, dir + QStringLiteral("/dropdown.png"));
    pubs.reject();
    return ok ? 0 : 1;
}
