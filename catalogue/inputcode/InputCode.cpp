#include "catalogue/inputcode/InputCode.h"

#include "catalogue/inputcode/GbkReadingData.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace dedizo {

namespace {

namespace gr = gbkreading;

// Every ASCII character once, so a one-character transcription can point into it.
constexpr std::array<char, 128> kAscii = [] {
    std::array<char, 128> a{};
    for (int i = 0; i < 128; ++i)
        a[i] = char(i);
    return a;
}();

constexpr const char* kNumbers[] = {"",   "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9", "10",
                                    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};

// Greek capitals (0xA6A1-0xA6B8) and small letters (0xA6C1-0xA6D8), in alphabet order.
constexpr const char* kGreek[24] = {"a", "b", "g", "d", "e", "z", "e", "th", "i",  "k",  "l",  "m",
                                    "n", "x", "o", "p", "r", "s", "t", "u",  "ph", "kh", "ps", "o"};

QLatin1StringView asciiChar(unsigned char c)
{
    return QLatin1StringView(&kAscii[c], 1);
}

bool isKeptSingleByte(unsigned char b)
{
    // ! " # $ % & ( ) * + - . 0-9 : < > ? @ A-Z [ ] ^ a-z
    return (b >= 0x21 && b <= 0x26) || (b >= 0x28 && b <= 0x2B) || b == 0x2D || b == 0x2E ||
           (b >= 0x30 && b <= 0x3A) || b == 0x3C || (b >= 0x3E && b <= 0x5B) || b == 0x5D || b == 0x5E ||
           (b >= 0x61 && b <= 0x7A);
}

QLatin1StringView transcribeSingle(unsigned char b)
{
    return isKeptSingleByte(b) ? asciiChar(b) : QLatin1StringView();
}

// Row 0xA2: ⅰ-ⅹ, ⒈-⒛, ⑴-⒇, ①-⑩, ㈠-㈩, Ⅰ-Ⅻ give their numbers.
QLatin1StringView enumeratedNumber(unsigned char trail)
{
    struct Range
    {
        unsigned char first, last;
    };
    static constexpr Range kRanges[] = {{0xA1, 0xAA}, {0xB1, 0xC4}, {0xC5, 0xD8},
                                        {0xD9, 0xE2}, {0xE5, 0xEE}, {0xF1, 0xFC}};
    for (const Range& r : kRanges) {
        if (trail >= r.first && trail <= r.last)
            return QLatin1StringView(kNumbers[trail - r.first + 1]);
    }
    return {};
}

// Row 0xA3, full-width forms: brackets, digits and letters stand for themselves.
QLatin1StringView fullWidthForm(unsigned char trail)
{
    if (trail < 0xA1)
        return {};
    const unsigned char c = trail - 0x80;
    const bool kept = c == '(' || c == ')' || c == '[' || c == ']' || (c >= '0' && c <= '9') ||
                      (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return kept ? asciiChar(c) : QLatin1StringView();
}

QLatin1StringView greekLetter(unsigned char trail)
{
    if (trail >= 0xA1 && trail <= 0xB8)
        return QLatin1StringView(kGreek[trail - 0xA1]);
    if (trail >= 0xC1 && trail <= 0xD8)
        return QLatin1StringView(kGreek[trail - 0xC1]);
    return {};
}

QLatin1StringView cellReading(unsigned char lead, unsigned char trail)
{
    if (lead < gr::kLeadFirst || lead > gr::kLeadLast || trail < gr::kTrailFirst || trail > gr::kTrailLast)
        return {};
    const int cell = (lead - gr::kLeadFirst) * gr::kTrailCount + (trail - gr::kTrailFirst);
    return QLatin1StringView(gr::kSyllables[gr::kCellSyllable[cell]]);
}

QLatin1StringView transcribeDouble(unsigned char lead, unsigned char trail)
{
    if (trail < 0x40)
        return {};
    switch (lead) {
    case 0xA2:
        return enumeratedNumber(trail);
    case 0xA3:
        return fullWidthForm(trail);
    case 0xA6:
        return greekLetter(trail);
    default:
        return cellReading(lead, trail);
    }
}

bool isLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

QChar initialOf(QLatin1StringView transcription)
{
    const char c = transcription.front().toLatin1();
    return QLatin1Char(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
}

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* kUtf16Name = "UTF-16LE";
#else
constexpr const char* kUtf16Name = "UTF-16BE";
#endif

// One iconv converter from UTF-16 to GBK per thread, opened once.
class GbkEncoder
{
public:
    GbkEncoder() : m_cd(iconv_open("GBK", kUtf16Name)) {}
    ~GbkEncoder()
    {
        if (valid())
            iconv_close(m_cd);
    }
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    QByteArray encode(QStringView text)
    {
        // A UTF-16 unit never takes more than two GBK bytes.
        QByteArray out(text.size() * 2 + 4, Qt::Uninitialized);
        if (!valid()) {
            out.fill('?', text.size());
            return out;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        auto* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.utf16()));
        size_t inLeft = size_t(text.size()) * 2;
        char* o = out.data();
        size_t outLeft = size_t(out.size());
        while (inLeft > 0) {
            if (iconv(m_cd, &in, &inLeft, &o, &outLeft) != size_t(-1))
                break;
            if (errno == E2BIG) {
                const qsizetype used = o - out.data();
                out.resize(out.size() * 2);
                o = out.data() + used;
                outLeft = size_t(out.size() - used);
                continue;
            }
            // EILSEQ or EINVAL: one character without a GBK form (or a broken surrogate).
            if (outLeft == 0) {
                const qsizetype used = o - out.data();
                out.resize(out.size() + 16);
                o = out.data() + used;
                outLeft = size_t(out.size() - used);
            }
            *o++ = '?';
            --outLeft;
            const auto* unit = reinterpret_cast<const char16_t*>(in);
            size_t skip = 2;
            if (inLeft >= 4 && QChar::isHighSurrogate(unit[0]) && QChar::isLowSurrogate(unit[1]))
                skip = 4;
            skip = std::min(skip, inLeft);
            in += skip;
            inLeft -= skip;
        }
        out.truncate(o - out.data());
        return out;
    }

private:
    iconv_t m_cd;
};

GbkEncoder& threadEncoder()
{
    thread_local GbkEncoder encoder;
    return encoder;
}

// The input code letter of every UTF-16 unit, worked out once through the GBK
// conversion and the byte walk; 0 for none. Surrogates stand for characters
// outside GBK and give "?".
struct UnitLetters
{
    std::array<char, 0x10000> letter{};

    UnitLetters()
    {
        GbkEncoder encoder;
        for (int u = 0; u < 0x10000; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF) {
                letter[u] = '?';
                continue;
            }
            const char16_t unit = char16_t(u);
            const QString code = InputCodeOfGbk(encoder.encode(QStringView(&unit, 1)));
            letter[u] = code.isEmpty() ? 0 : code.front().toLatin1();
        }
    }
};

const UnitLetters& unitLetters()
{
    static const auto letters = std::make_unique<UnitLetters>();
    return *letters;
}

} // namespace

QByteArray ToGbk(const QString& text)
{
    return threadEncoder().encode(text);
}

QLatin1StringView GbkTranscription(QByteArrayView character)
{
    if (character.size() == 1)
        return transcribeSingle(static_cast<unsigned char>(character[0]));
    if (character.size() == 2 && isLeadByte(static_cast<unsigned char>(character[0])))
        return transcribeDouble(static_cast<unsigned char>(character[0]),
                                static_cast<unsigned char>(character[1]));
    return {};
}

QLatin1StringView GbkCellReading(unsigned char lead, unsigned char trail)
{
    return cellReading(lead, trail);
}

QString InputCodeOfGbk(QByteArrayView gbk)
{
    QString code;
    code.reserve(gbk.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(gbk.data());
    const qsizetype n = gbk.size();
    for (qsizetype i = 0; i < n;) {
        QLatin1StringView t;
        if (isLeadByte(bytes[i]) && i + 1 < n) {
            t = transcribeDouble(bytes[i], bytes[i + 1]);
            i += 2;
        } else {
            t = transcribeSingle(bytes[i]);
            i += 1;
        }
        if (!t.isEmpty())
            code += initialOf(t);
    }
    return code;
}

QString InputCode(const QString& text)
{
    if (text.isEmpty())
        return {};
    const auto& letter = unitLetters().letter;
    QString code(text.size(), Qt::Uninitialized);
    QChar* out = code.data();
    const auto* p = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* const end = p + text.size();
    while (p < end) {
        const char16_t u = *p++;
        // A surrogate pair is one character, outside GBK.
        if (QChar::isHighSurrogate(u) && p < end && QChar::isLowSurrogate(*p))
            ++p;
        if (const char c = letter[u])
            *out++ = QLatin1Char(c);
    }
    code.truncate(out - code.data());
    return code;
}

} // namespace dedizo
