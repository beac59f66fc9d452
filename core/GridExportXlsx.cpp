// Excel 2007 and later workbooks through libxlsxwriter.
#include "core/GridExport.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace dedizo {

namespace {

constexpr int kRowsPerSheet = LXW_ROW_MAX; // header row included
constexpr int kMaxColumns = LXW_COL_MAX;

QString sheetName(int index)
{
    return QStringLiteral("Sheet%1").arg(index + 1);
}

} // namespace

bool exportXlsx(const GridExportSource& source, const QString& path, QString* error)
{
    using namespace exportdetail;
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(path, reason);
        return false;
    };
    const int columns = source.columnCount();
    if (columns > kMaxColumns)
        return fail(QStringLiteral("列数超过 %1。").arg(kMaxColumns));

    // libxlsxwriter writes the file itself: write beside the target and rename at the end,
    // so a failure never leaves a broken file under the chosen name.
    const QByteArray tempName = QFile::encodeName(path + QStringLiteral(".part"));

    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.use_zip64 = LXW_FALSE; // ZIP64 containers upset older Excel versions
    lxw_workbook* book = workbook_new_opt(tempName.constData(), &options);
    if (!book)
        return fail(QStringLiteral("无法创建工作簿。"));

    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    lxw_format* dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "yyyy/mm/dd");
    lxw_format* dateTimeFormat = workbook_add_format(book);
    format_set_num_format(dateTimeFormat, "yyyy/mm/dd hh:mm:ss");
    lxw_format* timeFormat = workbook_add_format(book);
    format_set_num_format(timeFormat, "hh:mm:ss");

    const QList<int> widths = columnWidths(source);
    const int rows = source.rowCount();
    const int rowsPerSheet = kRowsPerSheet - 1;
    lxw_error status = LXW_NO_ERROR;
    for (int first = 0, sheet = 0; status == LXW_NO_ERROR && (first < rows || sheet == 0);
         first += rowsPerSheet, ++sheet) {
        lxw_worksheet* ws = workbook_add_worksheet(book, sheetName(sheet).toUtf8().constData());
        for (int c = 0; c < columns; ++c) {
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths.at(c), nullptr);
            QString caption = source.caption(c);
            caption.truncate(kMaxCellText);
            worksheet_write_string(ws, 0, lxw_col_t(c), caption.toUtf8().constData(), header);
        }
        worksheet_freeze_panes(ws, 1, 0);
        const int last = qMin(rows, first + rowsPerSheet);
        for (int r = first; r < last && status == LXW_NO_ERROR; ++r) {
            const lxw_row_t row = lxw_row_t(r - first + 1);
            for (int c = 0; c < columns && status == LXW_NO_ERROR; ++c) {
                const Cell cell = classify(source.value(r, c));
                switch (cell.kind) {
                case CellKind::Empty:
                    break;
                case CellKind::Text:
                    status = worksheet_write_string(ws, row, lxw_col_t(c), cell.text.toUtf8().constData(),
                                                    nullptr);
                    break;
                case CellKind::Number:
                    status = worksheet_write_number(ws, row, lxw_col_t(c), cell.number, nullptr);
                    break;
                case CellKind::Date:
                    status = worksheet_write_number(ws, row, lxw_col_t(c), cell.number, dateFormat);
                    break;
                case CellKind::DateTime:
                    status = worksheet_write_number(ws, row, lxw_col_t(c), cell.number, dateTimeFormat);
                    break;
                case CellKind::Time:
                    status = worksheet_write_number(ws, row, lxw_col_t(c), cell.number, timeFormat);
                    break;
                }
            }
        }
    }
    const lxw_error closed = workbook_close(book);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR) {
        std::remove(tempName.constData());
        return fail(QString::fromUtf8(lxw_strerror(status)));
    }
    if (std::rename(tempName.constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        std::remove(tempName.constData());
        return fail(reason);
    }
    return true;
}

} // namespace dedizo
