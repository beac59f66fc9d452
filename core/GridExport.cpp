#include "core/GridExport.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>
#include <functional>

namespace dedizo {

const QList<ExportFormatInfo>& exportFormats()
{
    static const QList<ExportFormatInfo> formats = {
        {ExportFormat::Xls, QStringLiteral("Excel 97-2003 格式"), QStringLiteral(".xls")},
        {ExportFormat::Xlsx, QStringLiteral("Excel 2007 及以上格式"), QStringLiteral(".xlsx")},
        {ExportFormat::Html, QStringLiteral("Html 网页文件"), QStringLiteral(".html")},
        {ExportFormat::Txt, QStringLiteral("文本文件"), QStringLiteral(".txt")},
    };
    return formats;
}

const ExportFormatInfo& exportFormatInfo(ExportFormat format)
{
    for (const ExportFormatInfo& info : exportFormats()) {
        if (info.format == format)
            return info;
    }
    return exportFormats().first();
}

int GridExportSource::rowCount() const
{
    return model ? model->rowCount() : 0;
}

int GridExportSource::columnCount() const
{
    if (!model)
        return 0;
    return columns.isEmpty() ? model->columnCount() : int(columns.size());
}

QString GridExportSource::caption(int column) const
{
    const int c = columns.isEmpty() ? column : columns.at(column);
    return model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
}

QVariant GridExportSource::value(int row, int column) const
{
    const int c = columns.isEmpty() ? column : columns.at(column);
    return model->index(row, c).data(Qt::DisplayRole);
}

QString exportCellText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy/MM/dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    default:
        return value.toString();
    }
}

void fetchAllRows(QAbstractItemModel& model)
{
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
}

bool exportGrid(const GridExportSource& source, ExportFormat format, const QString& path, QString* error)
{
    if (!source.model) {
        if (error)
            *error = QStringLiteral("没有可导出的数据。");
        return false;
    }
    switch (format) {
    case ExportFormat::Xls:
        return exportXls(source, path, error);
    case ExportFormat::Xlsx:
        return exportXlsx(source, path, error);
    case ExportFormat::Html:
        return exportHtml(source, path, error);
    case ExportFormat::Txt:
        return exportTxt(source, path, error);
    }
    return false;
}

namespace {

QString writeError(const QString& path, const QString& reason)
{
    return QStringLiteral("无法写入文件 %1：%2").arg(path, reason);
}

// Writes through a temporary file, so a failed export never leaves half a file behind.
bool writeText(const QString& path, const std::function<void(QTextStream&)>& body, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeError(path, file.errorString());
        return false;
    }
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    body(out);
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        if (error)
            *error = writeError(path, file.errorString());
        return false;
    }
    return true;
}

QString htmlCell(const QString& text)
{
    QString s = text.toHtmlEscaped();
    s.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    s.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return s;
}

// A tab or line break inside a cell would cut the row; it becomes a blank.
QString txtCell(const QString& text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& ch : s) {
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            ch = QLatin1Char(' ');
    }
    return s;
}

} // namespace

bool exportHtml(const GridExportSource& source, const QString& path, QString* error)
{
    return writeText(
        path,
        [&](QTextStream& out) {
            const int columns = source.columnCount();
            out << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title></title>\n"
                   "<style>\ntable { border-collapse: collapse; }\n"
                   "th, td { border: 1px solid #999; padding: 2px 6px; vertical-align: top; }\n"
                   "th { background: #eee; }\n</style>\n</head>\n<body>\n<table>\n<thead>\n<tr>";
            for (int c = 0; c < columns; ++c)
                out << "<th>" << htmlCell(source.caption(c)) << "</th>";
            out << "</tr>\n</thead>\n<tbody>\n";
            const int rows = source.rowCount();
            for (int r = 0; r < rows; ++r) {
                out << "<tr>";
                for (int c = 0; c < columns; ++c)
                    out << "<td>" << htmlCell(exportCellText(source.value(r, c))) << "</td>";
                out << "</tr>\n";
            }
            out << "</tbody>\n</table>\n</body>\n</html>\n";
        },
        error);
}

bool exportTxt(const GridExportSource& source, const QString& path, QString* error)
{
    return writeText(
        path,
        [&](QTextStream& out) {
            // The byte order mark lets Windows programs (Notepad, Excel) recognise UTF-8.
            out.setGenerateByteOrderMark(true);
            const int columns = source.columnCount();
            for (int c = 0; c < columns; ++c) {
                if (c > 0)
                    out << '\t';
                out << txtCell(source.caption(c));
            }
            out << "\r\n";
            const int rows = source.rowCount();
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < columns; ++c) {
                    if (c > 0)
                        out << '\t';
                    out << txtCell(exportCellText(source.value(r, c)));
                }
                out << "\r\n";
            }
        },
        error);
}

namespace exportdetail {

namespace {

const QDate kSerialEpoch(1899, 12, 30);

double timeFraction(const QTime& t)
{
    return t.msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

Cell classify(const QVariant& value)
{
    Cell cell;
    if (!value.isValid() || value.isNull())
        return cell;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double d = value.toDouble();
        // Beyond 15 digits a spreadsheet number loses digits (long keys, codes): keep the text.
        if (std::isfinite(d) && std::fabs(d) < 1e15) {
            cell.kind = CellKind::Number;
            cell.number = d;
            return cell;
        }
        break;
    }
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        if (d.isValid() && d >= QDate(1900, 3, 1)) {
            cell.kind = CellKind::Date;
            cell.number = double(kSerialEpoch.daysTo(d));
            return cell;
        }
        break;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.isValid() && dt.date() >= QDate(1900, 3, 1)) {
            cell.kind = CellKind::DateTime;
            cell.number = double(kSerialEpoch.daysTo(dt.date())) + timeFraction(dt.time());
            return cell;
        }
        break;
    }
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        if (t.isValid()) {
            cell.kind = CellKind::Time;
            cell.number = timeFraction(t);
            return cell;
        }
        break;
    }
    default:
        break;
    }
    cell.text = exportCellText(value);
    if (cell.text.isEmpty())
        return cell;
    cell.kind = CellKind::Text;
    if (cell.text.size() > kMaxCellText)
        cell.text.truncate(kMaxCellText);
    return cell;
}

QList<int> columnWidths(const GridExportSource& source, int sampleRows)
{
    const auto width = [](const QString& text) {
        int w = 0;
        for (const QChar ch : text)
            w += ch.unicode() >= 0x2E80 ? 2 : 1;
        return w;
    };
    const int columns = source.columnCount();
    const int rows = qMin(source.rowCount(), sampleRows);
    QList<int> widths;
    for (int c = 0; c < columns; ++c) {
        int w = width(source.caption(c));
        for (int r = 0; r < rows; ++r)
            w = qMax(w, width(exportCellText(source.value(r, c))));
        widths.append(qBound(6, w + 2, 60));
    }
    return widths;
}

} // namespace exportdetail

} // namespace dedizo
