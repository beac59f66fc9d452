#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class QAbstractItemModel;

namespace dedizo {

// The file formats a grid can be exported to, in the order the export window lists them.
enum class ExportFormat
{
    Xls,  // Excel 97-2003 workbook (BIFF8 in an OLE2 compound document)
    Xlsx, // Excel 2007 and later (Office Open XML)
    Html, // one UTF-8 table page
    Txt,  // tab-separated UTF-8 text
};

struct ExportFormatInfo
{
    ExportFormat format;
    QString name;      // "Excel 97-2003 格式"
    QString extension; // ".xls"
};

const QList<ExportFormatInfo>& exportFormats();
const ExportFormatInfo& exportFormatInfo(ExportFormat format);

// What is exported: the listed columns of a model (in that order, captions
// from the horizontal header) and every row it holds.
struct GridExportSource
{
    const QAbstractItemModel* model = nullptr;
    QList<int> columns; // empty: every column

    int rowCount() const;
    int columnCount() const;
    QString caption(int column) const;
    // The value of a cell as the grid shows it (display role).
    QVariant value(int row, int column) const;
};

// A cell value as text in the program's formats: dates "yyyy/MM/dd", times "HH:mm:ss".
QString exportCellText(const QVariant& value);

// Asks a lazily filled model for the rest of its rows until it has no more.
void fetchAllRows(QAbstractItemModel& model);

// Writes `source` to `path` in `format`; false with a message in `error`.
// The caller fetches every row first (fetchAllRows).
bool exportGrid(const GridExportSource& source, ExportFormat format, const QString& path, QString* error);

// The single formats (GridExport*.cpp).
bool exportXls(const GridExportSource& source, const QString& path, QString* error);
bool exportXlsx(const GridExportSource& source, const QString& path, QString* error);
bool exportHtml(const GridExportSource& source, const QString& path, QString* error);
bool exportTxt(const GridExportSource& source, const QString& path, QString* error);

namespace exportdetail {

enum class CellKind
{
    Empty,
    Text,
    Number,
    Date,
    DateTime,
    Time,
};

// How a cell goes into a spreadsheet: numbers stay numbers (unless too long
// for a spreadsheet's 15 digits), dates become dates, everything else text.
struct Cell
{
    CellKind kind = CellKind::Empty;
    QString text;
    double number = 0; // Number; Date/DateTime/Time as the spreadsheet serial (days since 1899-12-30)
};
Cell classify(const QVariant& value);

// Column widths in characters (CJK counted twice) from the caption and the first rows.
QList<int> columnWidths(const GridExportSource& source, int sampleRows = 500);

// Longest text a spreadsheet cell takes.
constexpr int kMaxCellText = 32767;

} // namespace exportdetail

} // namespace dedizo
