#include "core/GridExport.h"

#include <freexl.h>
#include <gumbo.h>

#include <QAbstractTableModel>
#include <QDir>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::ExportFormat)

namespace {

using Table = QList<QStringList>; // header row first

// One cell of the sample list with what each kind of file must give back.
struct Sample
{
    QVariant value;
    QString text;  // html and txt: as the grid shows it
    QString sheet; // spreadsheets: numbers as numbers, dates as ISO dates
};

QString number(double d)
{
    return QString::number(d, 'g', 15);
}

// Row `i` of the sample list: 编号, 题名, 价格, 登记日期, 条码, 备注, and a hidden 内部.
QList<Sample> sampleRow(int i)
{
    QList<Sample> row;
    if (i == 2) {
        const qlonglong big = 12345678901234567LL; // more digits than a spreadsheet number keeps
        row.append({big, QStringLiteral("12345678901234567"), QStringLiteral("12345678901234567")});
    } else {
        row.append({i + 1, QString::number(i + 1), QString::number(i + 1)});
    }
    QString title = QStringLiteral("红楼梦 第%1回 “测试” <b>&amp; O'Neil").arg(i);
    if (i == 1)
        title = QString(6000, QChar(0x957F)) + QStringLiteral("尾"); // continues in a second .xls record
    if (i == 3)
        title = QStringLiteral("甲\t乙"); // a tab inside a cell
    row.append({title, title, title});
    const double price = (i % 100) + 0.25;
    row.append({price, QString::number(price), number(price)});
    const QDate d = QDate(2020, 1, 1).addDays(i);
    row.append({d, d.toString(QStringLiteral("yyyy/MM/dd")), d.toString(Qt::ISODate)});
    const QString barcode = QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0'));
    row.append({barcode, barcode, barcode});
    if (i % 2)
        row.append({QStringLiteral("备注%1").arg(i), QStringLiteral("备注%1").arg(i),
                    QStringLiteral("备注%1").arg(i)});
    else
        row.append({QVariant(), QString(), QString()});
    row.append({QStringLiteral("secret"), QString(), QString()});
    return row;
}

const QStringList kCaptions{"编号", "题名", "价格", "登记日期", "条码", "备注", "内部"};
const QList<int> kVisible{0, 1, 2, 3, 4, 5};

void fillModel(QStandardItemModel& model, int rows)
{
    model.setColumnCount(kCaptions.size());
    model.setHorizontalHeaderLabels(kCaptions);
    for (int r = 0; r < rows; ++r) {
        QList<QStandardItem*> items;
        for (const Sample& s : sampleRow(r)) {
            auto* item = new QStandardItem;
            item->setData(s.value, Qt::DisplayRole);
            items.append(item);
        }
        model.appendRow(items);
    }
}

Table expected(int rows, bool sheet, bool txt)
{
    Table t;
    t.append(kCaptions.mid(0, kVisible.size()));
    for (int r = 0; r < rows; ++r) {
        QStringList line;
        const QList<Sample> samples = sampleRow(r);
        for (int c : kVisible) {
            QString v = sheet ? samples.at(c).sheet : samples.at(c).text;
            if (txt)
                v.replace(QLatin1Char('\t'), QLatin1Char(' '));
            line.append(v);
        }
        t.append(line);
    }
    return t;
}

// --- independent readers ---

Table readXls(const QString& path, int sheet = 0, unsigned* sheetCount = nullptr)
{
    Table t;
    const void* h = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &h);
    if (opened != FREEXL_OK) {
        freexl_close(h);
        qWarning("freexl_open failed: %d", opened);
        return t;
    }
    unsigned info = 0;
    freexl_get_info(h, FREEXL_BIFF_VERSION, &info);
    if (info != FREEXL_BIFF_VER_8)
        qWarning("not BIFF8: %u", info);
    freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &info);
    if (sheetCount)
        *sheetCount = info;
    freexl_select_active_worksheet(h, quint16(sheet));
    unsigned rows = 0;
    unsigned short cols = 0;
    freexl_worksheet_dimensions(h, &rows, &cols);
    for (unsigned r = 0; r < rows; ++r) {
        QStringList line;
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(h, r, c, &v) != FREEXL_OK) {
                line.append(QStringLiteral("<error>"));
                continue;
            }
            switch (v.type) {
            case FREEXL_CELL_INT:
                line.append(QString::number(v.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                line.append(number(v.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                line.append(QString::fromUtf8(v.value.text_value));
                break;
            default:
                line.append(QString());
            }
        }
        t.append(line);
    }
    freexl_close(h);
    return t;
}

QByteArray unzipMember(const QString& zip, const QString& member)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

int columnOf(const QString& ref)
{
    int c = 0;
    for (QChar ch : ref) {
        if (!ch.isLetter())
            break;
        c = c * 26 + (ch.unicode() - 'A' + 1);
    }
    return c - 1;
}

// sheet1.xml with sharedStrings.xml; numbers with a date style read as ISO dates.
Table readXlsx(const QString& path, QString* problem)
{
    QStringList shared;
    {
        QXmlStreamReader x(unzipMember(path, QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        bool inSi = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (x.isStartElement() && x.name() == QLatin1String("t") && inSi) {
                current += x.readElementText();
            } else if (x.isEndElement() && x.name() == QLatin1String("si")) {
                shared.append(current);
                inSi = false;
            }
        }
        if (x.hasError())
            *problem = QStringLiteral("sharedStrings: ") + x.errorString();
    }
    // Which style numbers are dates: cellXfs entries whose numFmtId is a custom date format.
    QSet<int> dateStyles;
    {
        QXmlStreamReader x(unzipMember(path, QStringLiteral("xl/styles.xml")));
        QSet<int> dateFormats;
        bool inCellXfs = false;
        int xfIndex = 0;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("numFmt") &&
                x.attributes().value(QLatin1String("formatCode")).toString().contains(QLatin1String("yy")))
                dateFormats.insert(x.attributes().value(QLatin1String("numFmtId")).toInt());
            if (x.isStartElement() && x.name() == QLatin1String("cellXfs"))
                inCellXfs = true;
            if (x.isEndElement() && x.name() == QLatin1String("cellXfs"))
                inCellXfs = false;
            if (inCellXfs && x.isStartElement() && x.name() == QLatin1String("xf")) {
                if (dateFormats.contains(x.attributes().value(QLatin1String("numFmtId")).toInt()))
                    dateStyles.insert(xfIndex);
                ++xfIndex;
            }
        }
    }
    Table t;
    QXmlStreamReader x(unzipMember(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    QStringList line;
    int col = 0;
    QString type;
    int style = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("row")) {
            line.clear();
        } else if (x.isEndElement() && x.name() == QLatin1String("row")) {
            t.append(line);
        } else if (x.isStartElement() && x.name() == QLatin1String("c")) {
            col = columnOf(x.attributes().value(QLatin1String("r")).toString());
            type = x.attributes().value(QLatin1String("t")).toString();
            style = x.attributes().value(QLatin1String("s")).toInt();
            while (line.size() < col)
                line.append(QString());
        } else if (x.isStartElement() && (x.name() == QLatin1String("v") || x.name() == QLatin1String("t"))) {
            const QString v = x.readElementText();
            if (type == QLatin1String("s"))
                line.append(shared.value(v.toInt()));
            else if (type == QLatin1String("str") || type == QLatin1String("inlineStr"))
                line.append(v);
            else if (dateStyles.contains(style))
                line.append(QDate(1899, 12, 30).addDays(qint64(v.toDouble())).toString(Qt::ISODate));
            else
                line.append(number(v.toDouble()));
        }
    }
    if (x.hasError())
        *problem = QStringLiteral("sheet1: ") + x.errorString();
    return t;
}

void gumboText(const GumboNode* node, QString& out)
{
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE) {
        out += QString::fromUtf8(node->v.text.text);
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT)
        return;
    if (node->v.element.tag == GUMBO_TAG_BR) {
        out += QLatin1Char('\n');
        return;
    }
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        gumboText(static_cast<const GumboNode*>(children.data[i]), out);
}

void gumboRows(const GumboNode* node, Table& t, bool& utf8)
{
    if (node->type != GUMBO_NODE_ELEMENT)
        return;
    const GumboElement& e = node->v.element;
    if (e.tag == GUMBO_TAG_META) {
        const GumboAttribute* cs = gumbo_get_attribute(&e.attributes, "charset");
        if (cs && QByteArray(cs->value).toLower() == "utf-8")
            utf8 = true;
    }
    if (e.tag == GUMBO_TAG_TR) {
        QStringList line;
        for (unsigned i = 0; i < e.children.length; ++i) {
            const auto* cell = static_cast<const GumboNode*>(e.children.data[i]);
            if (cell->type == GUMBO_NODE_ELEMENT &&
                (cell->v.element.tag == GUMBO_TAG_TD || cell->v.element.tag == GUMBO_TAG_TH)) {
                QString text;
                gumboText(cell, text);
                line.append(text);
            }
        }
        t.append(line);
        return;
    }
    for (unsigned i = 0; i < e.children.length; ++i)
        gumboRows(static_cast<const GumboNode*>(e.children.data[i]), t, utf8);
}

Table readHtml(const QString& path, bool* utf8)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray html = f.readAll();
    GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, html.constData(), size_t(html.size()));
    Table t;
    *utf8 = false;
    gumboRows(out->root, t, *utf8);
    gumbo_destroy_output(&kGumboDefaultOptions, out);
    return t;
}

Table readTxt(const QString& path, bool* bom)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray bytes = f.readAll();
    *bom = bytes.startsWith("\xEF\xBB\xBF");
    if (*bom)
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    Table t;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (!line.isEmpty() || t.size() == 0)
            t.append(line.split(QLatin1Char('\t')));
    }
    return t;
}

// Spreadsheet readers leave out empty trailing cells; pad for comparison.
void padRows(Table& t, int width)
{
    for (QStringList& line : t) {
        while (line.size() < width)
            line.append(QString());
    }
}

void compareTables(Table actual, const Table& wanted)
{
    padRows(actual, int(wanted.first().size()));
    QCOMPARE(actual.size(), wanted.size());
    for (int r = 0; r < wanted.size(); ++r) {
        if (actual.at(r) != wanted.at(r)) {
            const QString a = actual.at(r).join(QLatin1Char('|')).left(300);
            const QString w = wanted.at(r).join(QLatin1Char('|')).left(300);
            QFAIL(qPrintable(QStringLiteral("row %1\n  got:  %2\n  want: %3").arg(r).arg(a, w)));
        }
    }
}

// A model that hands out its rows a hundred at a time, as a database list does.
class LazyModel final : public QAbstractTableModel
{
public:
    explicit LazyModel(int total) : m_total(total) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_loaded; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(index.row() + 1) : QVariant();
    }
    QVariant headerData(int, Qt::Orientation o, int role) const override
    {
        return o == Qt::Horizontal && role == Qt::DisplayRole ? QVariant(QStringLiteral("序号")) : QVariant();
    }
    bool canFetchMore(const QModelIndex&) const override { return m_loaded < m_total; }
    void fetchMore(const QModelIndex&) override
    {
        const int n = qMin(100, m_total - m_loaded);
        beginInsertRows({}, m_loaded, m_loaded + n - 1);
        m_loaded += n;
        endInsertRows();
    }

private:
    int m_total;
    int m_loaded = 0;
};

} // namespace

class TestGridExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStandardItemModel m_model;
    static constexpr int kRows = 2000;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        fillModel(m_model, kRows);
        QVERIFY(!QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty());
    }

    void formatsOfTheExportWindow()
    {
        const QList<ExportFormatInfo>& f = exportFormats();
        QCOMPARE(f.size(), 4);
        QCOMPARE(f.at(0).name + f.at(0).extension, QStringLiteral("Excel 97-2003 格式.xls"));
        QCOMPARE(f.at(1).name + f.at(1).extension, QStringLiteral("Excel 2007 及以上格式.xlsx"));
        QCOMPARE(f.at(2).name + f.at(2).extension, QStringLiteral("Html 网页文件.html"));
        QCOMPARE(f.at(3).name + f.at(3).extension, QStringLiteral("文本文件.txt"));
    }

    void listReadsBackTheSame_data()
    {
        QTest::addColumn<ExportFormat>("format");
        QTest::newRow("xls") << ExportFormat::Xls;
        QTest::newRow("xlsx") << ExportFormat::Xlsx;
        QTest::newRow("html") << ExportFormat::Html;
        QTest::newRow("txt") << ExportFormat::Txt;
    }
    void listReadsBackTheSame()
    {
        QFETCH(ExportFormat, format);
        const QString path = m_dir.filePath(QStringLiteral("列表") + exportFormatInfo(format).extension);
        QString error;
        QVERIFY2(exportGrid({&m_model, kVisible}, format, path, &error), qPrintable(error));
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
        switch (format) {
        case ExportFormat::Xls:
            compareTables(readXls(path), expected(kRows, true, false));
            break;
        case ExportFormat::Xlsx: {
            QString problem;
            const Table t = readXlsx(path, &problem);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            compareTables(t, expected(kRows, true, false));
            break;
        }
        case ExportFormat::Html: {
            bool utf8 = false;
            compareTables(readHtml(path, &utf8), expected(kRows, false, false));
            QVERIFY(utf8);
            break;
        }
        case ExportFormat::Txt: {
            bool bom = false;
            compareTables(readTxt(path, &bom), expected(kRows, false, true));
            QVERIFY(bom);
            break;
        }
        }
    }

    // Another program's reading of the spreadsheets, when LibreOffice is at hand.
    void libreOfficeReadsTheSpreadsheets_data() { listReadsBackTheSame_data(); }
    void libreOfficeReadsTheSpreadsheets()
    {
        QFETCH(ExportFormat, format);
        QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
        if (office.isEmpty())
            office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (office.isEmpty())
            QSKIP("LibreOffice is not installed");
        if (format != ExportFormat::Xls && format != ExportFormat::Xlsx)
            QSKIP("spreadsheets only");
        QStandardItemModel small;
        fillModel(small, 50);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book") + exportFormatInfo(format).extension);
        QString error;
        QVERIFY2(exportGrid({&small, kVisible}, format, path, &error), qPrintable(error));
        QProcess p;
        p.start(office,
                {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                 QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                 QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76"), QStringLiteral("--outdir"),
                 dir.path(), path});
        QVERIFY(p.waitForFinished(180000));
        QFile csv(dir.filePath(QStringLiteral("book.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly), p.readAllStandardError().constData());
        const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0).trimmed(), kCaptions.mid(0, kVisible.size()).join(QLatin1Char('\t')));
        QVERIFY2(lines.value(5).startsWith(QStringLiteral("5\t红楼梦 第4回")), qPrintable(lines.value(5)));
        QVERIFY2(lines.value(5).contains(QStringLiteral("2020/01/05")) ||
                     lines.value(5).contains(QStringLiteral("2020-01-05")),
                 qPrintable(lines.value(5)));
        QVERIFY2(lines.value(5).contains(QStringLiteral("\t00000004\t")), qPrintable(lines.value(5)));
    }

    // Texts up to the cell limit run over several records of the string table. freexl reads a
    // string over two records only, so another reader (xlrd) checks these when it is installed.
    void veryLongTextsInXls()
    {
        QProcess probe;
        probe.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-c"), QStringLiteral("import xlrd")});
        if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            QSKIP("python3-xlrd is not installed");
        QStandardItemModel model(4, 1);
        model.setHorizontalHeaderLabels({QStringLiteral("题名")});
        const QList<int> lengths{9001, 20000, 32766, 40000};
        for (int r = 0; r < lengths.size(); ++r)
            model.setData(model.index(r, 0),
                          QString(QString(lengths.at(r), QChar(0x957F + r)) + QStringLiteral("尾")));
        const QString path = m_dir.filePath(QStringLiteral("long-texts.xls"));
        QString error;
        QVERIFY2(exportXls({&model, {}}, path, &error), qPrintable(error));
        QProcess p;
        p.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import sys, xlrd\n"
                                "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                "for r in range(1, s.nrows):\n"
                                "    v = s.cell_value(r, 0)\n"
                                "    print(len(v), len(set(v[:-1])), v[-1] == '\\u5c3e')\n"),
                 path});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        // The last text is cut to the 32767 characters a cell holds.
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList({"9002 1 True", "20001 1 True", "32767 1 True", "32767 1 False"}));
    }

    // A .xls sheet holds 65536 rows; longer lists go on to further sheets instead of losing rows.
    void longListContinuesOnFurtherXlsSheets()
    {
        const int rows = 70000;
        QStandardItemModel model(rows, 1);
        model.setHorizontalHeaderLabels({QStringLiteral("序号")});
        for (int r = 0; r < rows; ++r)
            model.setData(model.index(r, 0), r + 1);
        const QString path = m_dir.filePath(QStringLiteral("long.xls"));
        QString error;
        QVERIFY2(exportXls({&model, {}}, path, &error), qPrintable(error));
        unsigned sheets = 0;
        const Table first = readXls(path, 0, &sheets);
        QCOMPARE(sheets, 2u);
        QCOMPARE(first.size(), 65536);
        QCOMPARE(first.at(0), QStringList{QStringLiteral("序号")});
        QCOMPARE(first.at(65535), QStringList{QStringLiteral("65535")});
        const Table second = readXls(path, 1);
        QCOMPARE(second.size(), 1 + rows - 65535);
        QCOMPARE(second.at(0), QStringList{QStringLiteral("序号")});
        QCOMPARE(second.at(1), QStringList{QStringLiteral("65536")});
        QCOMPARE(second.last(), QStringList{QStringLiteral("70000")});
    }

    void emptyListGivesTheHeaderRow_data() { listReadsBackTheSame_data(); }
    void emptyListGivesTheHeaderRow()
    {
        QFETCH(ExportFormat, format);
        QStandardItemModel empty(0, 2);
        empty.setHorizontalHeaderLabels({QStringLiteral("题名"), QStringLiteral("条码")});
        const QString path = m_dir.filePath(QStringLiteral("empty") + exportFormatInfo(format).extension);
        QString error;
        QVERIFY2(exportGrid({&empty, {}}, format, path, &error), qPrintable(error));
        const Table header{{QStringLiteral("题名"), QStringLiteral("条码")}};
        QString problem;
        bool flag = false;
        switch (format) {
        case ExportFormat::Xls:
            compareTables(readXls(path), header);
            break;
        case ExportFormat::Xlsx:
            compareTables(readXlsx(path, &problem), header);
            break;
        case ExportFormat::Html:
            compareTables(readHtml(path, &flag), header);
            break;
        case ExportFormat::Txt:
            compareTables(readTxt(path, &flag), header);
            break;
        }
    }

    void unwritablePathFails_data() { listReadsBackTheSame_data(); }
    void unwritablePathFails()
    {
        QFETCH(ExportFormat, format);
        const QString path =
            m_dir.filePath(QStringLiteral("no/such/folder/x") + exportFormatInfo(format).extension);
        QString error;
        QVERIFY(!exportGrid({&m_model, kVisible}, format, path, &error));
        QVERIFY2(error.startsWith(QStringLiteral("无法写入文件 ")), qPrintable(error));
        QVERIFY(!QFile::exists(path));
    }

    void lazyModelIsFetchedCompletely()
    {
        LazyModel model(1234);
        QCOMPARE(model.rowCount(), 0);
        fetchAllRows(model);
        QCOMPARE(model.rowCount(), 1234);
        const QString path = m_dir.filePath(QStringLiteral("lazy.txt"));
        QString error;
        QVERIFY2(exportTxt({&model, {}}, path, &error), qPrintable(error));
        bool bom = false;
        const Table t = readTxt(path, &bom);
        QCOMPARE(t.size(), 1235);
        QCOMPARE(t.last(), QStringList{QStringLiteral("1234")});
    }
};

QTEST_GUILESS_MAIN(TestGridExport)
#include "tst_gridexport.moc"
