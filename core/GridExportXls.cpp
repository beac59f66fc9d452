// Excel 97-2003 workbooks: a BIFF8 workbook stream in an OLE2 compound document
// (the container written by libgsf).
#include "core/GridExport.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <QFile>
#include <QHash>
#include <QtEndian>
#include <cstring>
#include <mutex>

namespace dedizo {

namespace {

using namespace exportdetail;

// Record types.
enum : quint16
{
    kBof = 0x0809,
    kEof = 0x000A,
    kCodepage = 0x0042,
    kWindow1 = 0x003D,
    kDateMode = 0x0022,
    kPrecision = 0x000E,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kExtSst = 0x00FF,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kWindow2 = 0x023E,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
};

constexpr int kMaxRecordData = 8224;
constexpr int kRowsPerSheet = 65536; // header row included
constexpr int kMaxColumns = 256;

// Cell formats: 0-14 style formats, 15 the default cell format, then ours.
constexpr quint16 kXfDefault = 15;
constexpr quint16 kXfHeader = 16;
constexpr quint16 kXfDate = 17;
constexpr quint16 kXfDateTime = 18;
constexpr quint16 kXfTime = 19;

class Bytes
{
public:
    QByteArray data;

    void u8(quint8 v) { data.append(char(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        data.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        data.append(b, 4);
    }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian(bits, b);
        data.append(b, 8);
    }
    void utf16(const QString& s) { data.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2); }
    // XLUnicodeString: 16-bit length, flags (UTF-16), characters.
    void string16(const QString& s)
    {
        u16(quint16(s.size()));
        u8(0x01);
        utf16(s);
    }
    // ShortXLUnicodeString: 8-bit length.
    void string8(const QString& s)
    {
        u8(quint8(s.size()));
        u8(0x01);
        utf16(s);
    }
    void record(quint16 type, const Bytes& body)
    {
        u16(type);
        u16(quint16(body.data.size()));
        data.append(body.data);
    }
    int size() const { return int(data.size()); }
};

Bytes bof(quint16 kind)
{
    Bytes b;
    b.u16(0x0600); // BIFF8
    b.u16(kind);
    b.u16(0x0DBB);
    b.u16(0x07CC);
    b.u32(0x00000041);
    b.u32(0x00000006);
    return b;
}

Bytes font(bool bold)
{
    Bytes b;
    b.u16(220); // 11 pt
    b.u16(0);
    b.u16(0x7FFF);
    b.u16(bold ? 700 : 400);
    b.u16(0);
    b.u8(0);
    b.u8(0);
    b.u8(0x86); // GB2312 character set
    b.u8(0);
    b.string8(QStringLiteral("宋体"));
    return b;
}

Bytes xf(quint16 fontIndex, quint16 formatIndex, bool style, quint8 usedAttributes)
{
    Bytes b;
    b.u16(fontIndex);
    b.u16(formatIndex);
    b.u16(style ? 0xFFF5 : 0x0001); // style: parent none; cell: locked, parent style 0
    b.u8(0x20);                     // bottom aligned
    b.u8(0);
    b.u8(0);
    b.u8(usedAttributes);
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0); // automatic pattern colours
    return b;
}

// The shared strings of the workbook, in order of first use.
class StringTable
{
public:
    quint32 index(const QString& s)
    {
        ++m_total;
        auto it = m_index.constFind(s);
        if (it != m_index.constEnd())
            return it.value();
        const quint32 i = quint32(m_strings.size());
        m_index.insert(s, i);
        m_strings.append(s);
        return i;
    }

    // Appends SST (+ CONTINUE) and EXTSST to `out`, whose first byte lies at `streamOffset`.
    void write(Bytes& out, int streamOffset) const
    {
        const int bucket = qMax(8, int(m_strings.size()) / 128 + 1);
        struct Pos
        {
            quint32 stream;
            quint16 inRecord;
        };
        QList<Pos> buckets;

        Bytes current;
        quint16 type = kSst;
        int recordStart = streamOffset + out.size();
        const auto flush = [&] {
            out.record(type, current);
            type = kContinue;
            current = Bytes();
            recordStart = streamOffset + out.size();
        };
        current.u32(m_total);
        current.u32(quint32(m_strings.size()));
        for (int i = 0; i < m_strings.size(); ++i) {
            const QString& s = m_strings.at(i);
            // A string that fits in one record is never split: it starts a new record when the
            // current one has no room for it. Only longer strings are cut, as the format allows,
            // which several readers handle less well than one might hope.
            if (current.size() + 3 + 2 * int(s.size()) > kMaxRecordData && current.size() > 0)
                flush();
            if (i % bucket == 0)
                buckets.append({quint32(recordStart + 4 + current.size()), quint16(4 + current.size())});
            current.u16(quint16(s.size()));
            current.u8(0x01);
            int done = 0;
            while (done < s.size()) {
                const int room = (kMaxRecordData - current.size()) / 2;
                if (room == 0) {
                    flush();
                    current.u8(0x01); // a continued string repeats its flags
                    continue;
                }
                const int take = qMin(room, int(s.size()) - done);
                current.utf16(s.mid(done, take));
                done += take;
            }
        }
        flush();

        Bytes ext;
        ext.u16(quint16(bucket));
        for (const Pos& p : buckets) {
            ext.u32(p.stream);
            ext.u16(p.inRecord);
            ext.u16(0);
        }
        out.record(kExtSst, ext);
    }

private:
    QHash<QString, quint32> m_index;
    QStringList m_strings;
    quint32 m_total = 0;
};

QString sheetName(int index)
{
    return QStringLiteral("Sheet%1").arg(index + 1);
}

Bytes buildSheet(const GridExportSource& source, int firstRow, int lastRow, bool firstSheet,
                 const QList<int>& widths, StringTable& strings)
{
    const int columns = source.columnCount();
    Bytes s;
    s.record(kBof, bof(0x0010));
    for (int c = 0; c < columns; ++c) {
        Bytes col;
        col.u16(quint16(c));
        col.u16(quint16(c));
        col.u16(quint16(qMin(255, widths.at(c)) * 256));
        col.u16(kXfDefault);
        col.u16(0);
        col.u16(0);
        s.record(kColInfo, col);
    }
    Bytes dim;
    dim.u32(0);
    dim.u32(quint32(lastRow - firstRow + 1));
    dim.u16(0);
    dim.u16(quint16(columns));
    dim.u16(0);
    s.record(kDimensions, dim);

    const auto label = [&](int row, int col, quint16 xfIndex, const QString& text) {
        Bytes b;
        b.u16(quint16(row));
        b.u16(quint16(col));
        b.u16(xfIndex);
        b.u32(strings.index(text));
        s.record(kLabelSst, b);
    };
    const auto number = [&](int row, int col, quint16 xfIndex, double v) {
        Bytes b;
        b.u16(quint16(row));
        b.u16(quint16(col));
        b.u16(xfIndex);
        b.f64(v);
        s.record(kNumber, b);
    };
    for (int c = 0; c < columns; ++c) {
        QString caption = source.caption(c);
        caption.truncate(kMaxCellText);
        if (!caption.isEmpty())
            label(0, c, kXfHeader, caption);
    }
    for (int r = firstRow; r < lastRow; ++r) {
        const int row = r - firstRow + 1;
        for (int c = 0; c < columns; ++c) {
            const Cell cell = classify(source.value(r, c));
            switch (cell.kind) {
            case CellKind::Empty:
                break;
            case CellKind::Text:
                label(row, c, kXfDefault, cell.text);
                break;
            case CellKind::Number:
                number(row, c, kXfDefault, cell.number);
                break;
            case CellKind::Date:
                number(row, c, kXfDate, cell.number);
                break;
            case CellKind::DateTime:
                number(row, c, kXfDateTime, cell.number);
                break;
            case CellKind::Time:
                number(row, c, kXfTime, cell.number);
                break;
            }
        }
    }
    Bytes w2;
    w2.u16(firstSheet ? 0x06B6 : 0x00B6); // grid, headers, zeros, outline; the first sheet selected
    w2.u16(0);
    w2.u16(0);
    w2.u16(64);
    w2.u16(0);
    w2.u16(0);
    w2.u16(0);
    w2.u32(0);
    s.record(kWindow2, w2);
    s.record(kEof, Bytes());
    return s;
}

QByteArray buildWorkbook(const GridExportSource& source)
{
    const int rows = source.rowCount();
    const int dataRowsPerSheet = kRowsPerSheet - 1;
    const QList<int> widths = columnWidths(source);
    StringTable strings;
    QList<Bytes> sheets;
    for (int first = 0; first < rows || sheets.isEmpty(); first += dataRowsPerSheet)
        sheets.append(buildSheet(source, first, qMin(rows, first + dataRowsPerSheet), sheets.isEmpty(),
                                 widths, strings));

    Bytes head;
    head.record(kBof, bof(0x0005));
    Bytes cp;
    cp.u16(1200); // UTF-16
    head.record(kCodepage, cp);
    Bytes w1;
    w1.u16(0);
    w1.u16(0);
    w1.u16(0x4000);
    w1.u16(0x2000);
    w1.u16(0x0038);
    w1.u16(0);
    w1.u16(0);
    w1.u16(1);
    w1.u16(0x0258);
    head.record(kWindow1, w1);
    Bytes zero;
    zero.u16(0);
    head.record(kDateMode, zero);
    Bytes one;
    one.u16(1);
    head.record(kPrecision, one);
    // Fonts 0-3 plain; index 4 is never used by Excel, so the bold font is number 5.
    for (int i = 0; i < 4; ++i)
        head.record(kFont, font(false));
    head.record(kFont, font(true));
    const auto format = [&](quint16 index, const QString& text) {
        Bytes b;
        b.u16(index);
        b.string16(text);
        head.record(kFormat, b);
    };
    format(164, QStringLiteral("yyyy/mm/dd"));
    format(165, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    format(166, QStringLiteral("hh:mm:ss"));
    head.record(kXf, xf(0, 0, true, 0x00));
    for (int i = 1; i < 15; ++i)
        head.record(kXf, xf(0, 0, true, 0xF4));
    head.record(kXf, xf(0, 0, false, 0x00));   // 15 default
    head.record(kXf, xf(5, 0, false, 0x08));   // 16 header: bold font
    head.record(kXf, xf(0, 164, false, 0x04)); // 17 date
    head.record(kXf, xf(0, 165, false, 0x04)); // 18 date and time
    head.record(kXf, xf(0, 166, false, 0x04)); // 19 time
    Bytes normal;
    normal.u16(0x8000); // built-in style on format 0
    normal.u8(0);       // "Normal"
    normal.u8(0xFF);
    head.record(kStyle, normal);

    int boundSheetsSize = 0;
    for (int i = 0; i < sheets.size(); ++i)
        boundSheetsSize += 4 + 8 + 2 * int(sheetName(i).size());
    Bytes tail;
    strings.write(tail, head.size() + boundSheetsSize);
    tail.record(kEof, Bytes());

    Bytes book;
    book.data = head.data;
    quint32 position = quint32(head.size() + boundSheetsSize + tail.size());
    for (int i = 0; i < sheets.size(); ++i) {
        Bytes b;
        b.u32(position);
        b.u8(0); // visible
        b.u8(0); // worksheet
        b.string8(sheetName(i));
        book.record(kBoundSheet, b);
        position += quint32(sheets.at(i).size());
    }
    book.data.append(tail.data);
    for (const Bytes& s : sheets)
        book.data.append(s.data);
    return book.data;
}

bool writeCompoundDocument(const QString& path, const QByteArray& workbook, QString* reason)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { gsf_init(); });

    GError* err = nullptr;
    GsfOutput* file = gsf_output_stdio_new(QFile::encodeName(path).constData(), &err);
    if (!file) {
        *reason = err ? QString::fromUtf8(err->message) : QString();
        if (err)
            g_error_free(err);
        return false;
    }
    GsfOutfile* ole = gsf_outfile_msole_new(file);
    g_object_unref(file);
    GsfOutput* stream = gsf_outfile_new_child(ole, "Workbook", FALSE);
    bool ok = gsf_output_write(stream, gsf_off_t(workbook.size()),
                               reinterpret_cast<const guint8*>(workbook.constData()));
    ok = gsf_output_close(stream) && ok;
    g_object_unref(stream);
    ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
    if (!ok) {
        const GError* e = gsf_output_error(GSF_OUTPUT(ole));
        *reason = e ? QString::fromUtf8(e->message) : QStringLiteral("写入失败。");
    }
    g_object_unref(ole);
    return ok;
}

} // namespace

bool exportXls(const GridExportSource& source, const QString& path, QString* error)
{
    QString reason;
    if (source.columnCount() > kMaxColumns)
        reason = QStringLiteral("Excel 97-2003 格式最多 %1 列。").arg(kMaxColumns);
    else if (writeCompoundDocument(path, buildWorkbook(source), &reason))
        return true;
    if (error)
        *error = QStringLiteral("无法写入文件 %1：%2").arg(path, reason);
    return false;
}

} // namespace dedizo
