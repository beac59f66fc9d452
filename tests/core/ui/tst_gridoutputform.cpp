#include "core/ui/GridOutputForm.h"
#include "tests/support/ScriptedPrompts.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::ExportFormat)

namespace {

// Records what the save dialog was asked, answers with a prepared name.
class SavePrompts final : public Prompts
{
public:
    SavePrompts() { m_previous = setPrompts(this); }
    ~SavePrompts() override { setPrompts(m_previous); }

    QString answer;
    QString askedFilter;
    QStringList messages;

    void message(Icon, const QString& text) override { messages << text; }
    bool confirm(const QString&) override { return false; }
    bool inputText(const QString&, const QString&, QString&) override { return false; }
    bool inputDate(const QString&, QDate&) override { return false; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString& filter, const QString&) override
    {
        askedFilter = filter;
        return answer;
    }
    QString existingFolder(const QString&) override { return {}; }

private:
    Prompts* m_previous = nullptr;
};

// A list that arrives fifty rows at a time, as a database list does.
class LazyList final : public QAbstractTableModel
{
public:
    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : m_loaded; }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& i, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        switch (i.column()) {
        case 0:
            return i.row() + 1;
        case 1:
            return QStringLiteral("读者%1").arg(i.row() + 1);
        default:
            return QStringLiteral("内部");
        }
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("内部")}.value(s);
    }
    bool canFetchMore(const QModelIndex&) const override { return m_loaded < kTotal; }
    void fetchMore(const QModelIndex&) override
    {
        const int n = qMin(50, kTotal - m_loaded);
        beginInsertRows({}, m_loaded, m_loaded + n - 1);
        m_loaded += n;
        endInsertRows();
    }
    static constexpr int kTotal = 420;

private:
    int m_loaded = 50;
};

QStringList txtLines(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray b = f.readAll();
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    return QString::fromUtf8(b).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

class TestGridOutputForm : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void captions()
    {
        QStandardItemModel model;
        GridOutputForm form(&model, {});
        QCOMPARE(form.windowTitle(), QStringLiteral("设置"));
        auto* tabs = form.findChild<QTabWidget*>();
        QVERIFY(tabs);
        QCOMPARE(tabs->tabText(0), QStringLiteral("导出设置"));
        QCOMPARE(form.findChild<QGroupBox*>()->title(), QStringLiteral("导出类型"));
        QStringList texts;
        for (const QRadioButton* rb : form.RbTypes)
            texts << rb->text();
        QCOMPARE(texts, QStringList({"Excel 97-2003 格式 (.xls)", "Excel 2007 及以上格式 (.xlsx)",
                                     "Html 网页文件 (.html)", "文本文件 (.txt)"}));
        QVERIFY(form.RbTypes.first()->isChecked());
        QCOMPARE(form.selectedFormat(), ExportFormat::Xls);
        QCOMPARE(form.BtnOK->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(form.BtnCancel->text(), QStringLiteral("取消(&C)"));
    }

    void writesTheChosenType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("filter");
        QTest::newRow("xls, extension added") << 0 << "读者"
                                              << "读者.xls"
                                              << "Excel 97-2003 格式 (*.xls)";
        QTest::newRow("xlsx, extension kept") << 1 << "读者.XLSX"
                                              << "读者.XLSX"
                                              << "Excel 2007 及以上格式 (*.xlsx)";
        QTest::newRow("html") << 2 << "读者.2024"
                              << "读者.2024.html"
                              << "Html 网页文件 (*.html)";
        QTest::newRow("txt") << 3 << "读者.txt"
                             << "读者.txt"
                             << "文本文件 (*.txt)";
    }
    void writesTheChosenType()
    {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, filter);
        SavePrompts prompts;
        prompts.answer = m_dir.filePath(answer);
        LazyList model;
        GridOutputForm form(&model, {0, 1});
        form.show();
        QTest::mouseClick(form.RbTypes.at(type), Qt::LeftButton);
        QCOMPARE(form.selectedFormat(), exportFormats().at(type).format);
        QTest::mouseClick(form.BtnOK, Qt::LeftButton);
        QCOMPARE(prompts.askedFilter, filter);
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join(QLatin1Char('\n'))));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(QFileInfo(m_dir.filePath(written)).size() > 0);
        QCOMPARE(model.rowCount(), LazyList::kTotal); // every row of the list, not the fifty fetched
        if (type == 3) {
            const QStringList lines = txtLines(m_dir.filePath(written));
            QCOMPARE(lines.size(), 1 + LazyList::kTotal);
            QCOMPARE(lines.first(), QStringLiteral("编号\t姓名"));
            QCOMPARE(lines.last(), QStringLiteral("420\t读者420"));
        }
    }

    void cancelledSaveDialogWritesNothing()
    {
        SavePrompts prompts; // empty answer: cancelled
        QStandardItemModel model(1, 1);
        GridOutputForm form(&model, {});
        form.show();
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        QTest::mouseClick(form.BtnOK, Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), 0);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
        QTest::mouseClick(form.BtnCancel, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    void failedWriteIsReportedAndTheWindowStays()
    {
        SavePrompts prompts;
        prompts.answer = m_dir.filePath(QStringLiteral("missing/folder/x"));
        QStandardItemModel model(1, 1);
        GridOutputForm form(&model, {});
        form.show();
        QTest::mouseClick(form.BtnOK, Qt::LeftButton);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages.first().startsWith(QStringLiteral("无法写入文件 ")));
        QVERIFY(form.isVisible());
    }

    // The columns the grid shows, in the order it shows them.
    void visibleColumnsOfAView()
    {
        QStandardItemModel model(2, 4);
        model.setHorizontalHeaderLabels({"甲", "乙", "丙", "丁"});
        QTableView view;
        view.setModel(&model);
        view.setColumnHidden(1, true);
        view.horizontalHeader()->moveSection(3, 0);
        QCOMPARE(GridOutputForm::visibleColumns(&view), QList<int>({3, 0, 2}));
    }
};

QTEST_MAIN(TestGridOutputForm)
#include "tst_gridoutputform.moc"
