#include "acquisition/marc/Iso2709Reader.h"

#include <cerrno>
#include <iconv.h>

namespace dedizo {

namespace {

constexpr char kRecordTerminator = 0x1D;
constexpr char kFieldTerminator = 0x1E;
constexpr char kSubfieldDelimiter = 0x1F;
constexpr int kLeaderSize = 24;

bool readNumber(const char* p, int width, qsizetype& value)
{
    value = 0;
    for (int i = 0; i < width; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        value = value * 10 + (p[i] - '0');
    }
    return true;
}

int digitOr(char c, int fallback)
{
    return (c >= '1' && c <= '9') ? c - '0' : fallback;
}

// Strict UTF-8 check (no overlongs, no surrogates, nothing past U+10FFFF) without decoding.
bool isValidUtf8(const char* text, qsizetype size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const auto* end = p + size;
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (end - p <= extra || p[1] < lo || p[1] > hi)
            return false;
        for (int i = 2; i <= extra; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += extra + 1;
    }
    return true;
}

} // namespace

struct Iso2709Reader::Gbk
{
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    QByteArray buffer; // reused between fields
    ~Gbk()
    {
        if (cd != iconv_t(-1))
            iconv_close(cd);
    }
};

bool looksLikeIso2709(const QByteArray& data)
{
    return data.contains(kRecordTerminator) || data.contains(kFieldTerminator);
}

Iso2709Reader::Iso2709Reader(QByteArray data, MarcEncoding encoding)
    : m_data(std::move(data)), m_encoding(encoding), m_gbk(std::make_unique<Gbk>())
{
}

Iso2709Reader::~Iso2709Reader() = default;

QString Iso2709Reader::decode(const char* bytes, qsizetype size, bool utf8) const
{
    if (size <= 0)
        return {};
    if (utf8 || m_gbk->cd == iconv_t(-1))
        return QString::fromUtf8(bytes, size);
    iconv(m_gbk->cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray& out = m_gbk->buffer;
    if (out.size() < size * 2 + 16)
        out.resize(size * 2 + 16);
    char* in = const_cast<char*>(bytes);
    size_t inLeft = size_t(size);
    char* dst = out.data();
    size_t outLeft = size_t(out.size());
    const auto grow = [&] {
        const qsizetype used = dst - out.data();
        out.resize(out.size() * 2);
        dst = out.data() + used;
        outLeft = size_t(out.size() - used);
    };
    while (inLeft > 0) {
        if (iconv(m_gbk->cd, &in, &inLeft, &dst, &outLeft) != size_t(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        // A byte that starts no valid character: mark it and go on with the next.
        if (outLeft < 3)
            grow();
        memcpy(dst, "\xEF\xBF\xBD", 3);
        dst += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(m_gbk->cd, nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUtf8(out.constData(), dst - out.data());
}

bool Iso2709Reader::readNext(Marc& record)
{
    for (;;) {
        // Line breaks and padding between records are common in exported files.
        while (m_pos < m_data.size()) {
            const char c = m_data[m_pos];
            if (c == '\n' || c == '\r' || c == ' ' || c == '\t' || c == '\0' || c == 0x1A)
                ++m_pos;
            else
                break;
        }
        if (m_pos >= m_data.size())
            return false;

        const qsizetype begin = m_pos;
        ++m_recordNumber;
        const qsizetype terminator = m_data.indexOf(kRecordTerminator, begin);
        const qsizetype end = terminator < 0 ? m_data.size() : terminator;
        m_pos = terminator < 0 ? m_data.size() : terminator + 1;

        QString reason;
        if (terminator < 0) {
            reason = QStringLiteral("记录不完整：缺少记录结束符");
        } else {
            record = Marc();
            if (parseRecord(begin, end, record, reason))
                return true;
        }
        m_issues.append({m_recordNumber, begin, reason});
    }
}

bool Iso2709Reader::parseRecord(qsizetype begin, qsizetype end, Marc& record, QString& reason)
{
    const char* rec = m_data.constData() + begin;
    const qsizetype size = end - begin; // without the record terminator
    if (size < kLeaderSize + 1) {
        reason = QStringLiteral("记录过短：%1 字节").arg(size);
        return false;
    }
    qsizetype base = 0;
    if (!readNumber(rec + 12, 5, base) || base < kLeaderSize + 1 || base > size) {
        reason = QStringLiteral("数据基地址无效：%1").arg(QString::fromLatin1(rec + 12, 5));
        return false;
    }
    if (rec[base - 1] != kFieldTerminator) {
        reason = QStringLiteral("目录区没有以字段结束符结尾");
        return false;
    }
    const int indicatorCount = rec[10] >= '0' && rec[10] <= '9' ? rec[10] - '0' : 2;
    const int lengthWidth = digitOr(rec[20], 4);
    const int startWidth = digitOr(rec[21], 5);
    const int implWidth = rec[22] >= '0' && rec[22] <= '9' ? rec[22] - '0' : 0;
    const int entrySize = 3 + lengthWidth + startWidth + implWidth;
    const qsizetype directorySize = base - 1 - kLeaderSize;
    if (directorySize % entrySize != 0) {
        reason = QStringLiteral("目录区长度 %1 不是目录项长度 %2 的整数倍").arg(directorySize).arg(entrySize);
        return false;
    }

    const bool utf8 =
        m_encoding == MarcEncoding::Utf8 || (m_encoding == MarcEncoding::Auto && isValidUtf8(rec, size));

    record.append(QStringLiteral("LDR ") + decode(rec, kLeaderSize, true));
    for (qsizetype e = kLeaderSize; e < base - 1; e += entrySize) {
        const char* entry = rec + e;
        for (int i = 0; i < 3; ++i) {
            const unsigned char t = static_cast<unsigned char>(entry[i]);
            if (t < 0x20 || t > 0x7E) {
                reason = QStringLiteral("目录项 %1 的字段标识符无效").arg((e - kLeaderSize) / entrySize + 1);
                return false;
            }
        }
        const QString tag = QString::fromLatin1(entry, 3);
        qsizetype length = 0, start = 0;
        if (!readNumber(entry + 3, lengthWidth, length) ||
            !readNumber(entry + 3 + lengthWidth, startWidth, start)) {
            reason = QStringLiteral("字段 %1 的目录项无效").arg(tag);
            return false;
        }
        if (start > size - base || length > size - base - start) {
            reason = QStringLiteral("字段 %1 超出记录范围").arg(tag);
            return false;
        }
        const char* field = rec + base + start;
        qsizetype fieldSize = length;
        if (fieldSize > 0 && field[fieldSize - 1] == kFieldTerminator)
            --fieldSize;

        const bool control = tag.startsWith(QLatin1String("00"));
        if (control) {
            record.append(tag + decode(field, fieldSize, utf8));
            continue;
        }
        // The delimiters are ASCII and survive decoding (a GBK trail byte is never below
        // 0x40), so the field is decoded once and split afterwards.
        const QString text = decode(field, fieldSize, utf8);
        const QChar* c = text.constData();
        const QChar* const end = c + text.size();
        // Built in place: the line is never longer than the tag, a '|' and the field text.
        QString line(3 + text.size() + 1, Qt::Uninitialized);
        QChar* out = line.data();
        for (QChar t : tag)
            *out++ = t;
        const auto put = [&out](QChar ch) { *out++ = ch == QLatin1Char('|') ? QChar(0xFF5C) : ch; };
        for (int i = 0; i < indicatorCount && c < end && c->unicode() != kSubfieldDelimiter; ++i, ++c)
            put(*c);
        // Text between the indicators and the first delimiter carries no code: left out.
        while (c < end && c->unicode() != kSubfieldDelimiter)
            ++c;
        while (c < end) {
            ++c; // the delimiter; the code and the value follow up to the next one
            if (c == end || c->unicode() == kSubfieldDelimiter)
                continue; // a stray delimiter with no code
            *out++ = QLatin1Char('|');
            for (; c < end && c->unicode() != kSubfieldDelimiter; ++c)
                put(*c);
        }
        line.truncate(out - line.constData());
        record.append(line);
    }
    return true;
}

} // namespace dedizo
