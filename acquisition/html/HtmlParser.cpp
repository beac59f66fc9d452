// Page reader: one pass over the text that cuts it into tokens and hangs each
// token into the tree as soon as it is made.
#include "acquisition/html/HtmlParser.h"
#include "acquisition/html/HtmlDocument_p.h"
#include "acquisition/html/HtmlEntities_p.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <string_view>

namespace dedizo {

namespace {
std::atomic<bool> g_ignoreQuotesInInput{true};
}

bool ignoreQuotesInInput()
{
    return g_ignoreQuotesInInput.load(std::memory_order_relaxed);
}

void setIgnoreQuotesInInput(bool on)
{
    g_ignoreQuotesInInput.store(on, std::memory_order_relaxed);
}

HtmlError::HtmlError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message)
{
}

namespace html_detail {

std::uint32_t Document::tagHash(std::u16string_view key)
{
    std::uint32_t h = 2166136261u;
    for (char16_t c : key)
        h = (h ^ c) * 16777619u;
    return h;
}

std::size_t Document::tagSlot(std::u16string_view key) const
{
    const std::size_t mask = tagSlots.size() - 1;
    for (std::size_t slot = tagHash(key) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t id = tagSlots[slot];
        if (id == kNone)
            return slot;
        const QString& name = tagNames[id];
        if (name.size() == qsizetype(key.size()) &&
            std::equal(key.begin(), key.end(), reinterpret_cast<const char16_t*>(name.utf16())))
            return slot;
    }
}

std::uint32_t Document::tagId(QStringView upperName) const
{
    return tagSlots[tagSlot(
        {reinterpret_cast<const char16_t*>(upperName.utf16()), std::size_t(upperName.size())})];
}

namespace {

// In FixedTag order; the void elements start with INPUT.
constexpr std::u16string_view kFixedTags[] = {
    u"#DOCUMENT", u"#TEXT", u"#COMMENT", u"#DOCTYPE", u"#SCRIPT", u"#STYLE", u"SCRIPT", u"STYLE",
    u"INPUT",     u"META",  u"LINK",     u"BASE",     u"FRAME",   u"IMG",    u"BR",     u"WBR",
    u"EMBED",     u"HR",    u"KEYGEN",   u"COL",      u"COMMAND", u"DEVICE",
};
constexpr std::uint32_t kVoidCount = 14;

inline bool isBlank(char16_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

inline char16_t asciiUpper(char16_t c)
{
    return (c >= 'a' && c <= 'z') ? char16_t(c - 32) : c;
}

bool equalsIgnoreCaseAscii(QStringView a, std::u16string_view upper)
{
    if (a.size() != qsizetype(upper.size()))
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i].unicode()) != upper[i])
            return false;
    }
    return true;
}

QString formatPos(const char* pattern, std::uint32_t line, std::uint32_t col)
{
    return QString::fromUtf8(pattern).arg(line).arg(col);
}

class Builder
{
public:
    Builder(Document& doc, bool ignoreQuotesInInput)
        : d(doc), s(reinterpret_cast<const char16_t*>(doc.source.constData())), n(doc.source.size()),
          m_ignoreQuotesInInput(ignoreQuotesInInput)
    {
    }

    void run();

private:
    enum class TokenKind
    {
        Text,
        Comment,
        Doctype,
        Tag
    };

    // --- positions ---
    void positionOf(qsizetype off, std::uint32_t& line, std::uint32_t& col)
    {
        // Offsets asked for only grow, so lines are counted once.
        if (off > m_lineScan) {
            const auto lfs = std::count(s + m_lineScan, s + off, u'\n');
            if (lfs > 0) {
                m_line += std::uint32_t(lfs);
                qsizetype i = off;
                while (s[i - 1] != '\n')
                    --i;
                m_lineStart = i;
            }
            m_lineScan = off;
        }
        line = m_line;
        col = std::uint32_t(off - m_lineStart + 1);
    }

    // --- scanning helpers ---
    qsizetype findTagEnd(qsizetype from, bool honourQuotes) const
    {
        const qsizetype gt = QStringView(s + from, n - from).indexOf(u'>');
        if (gt < 0)
            return -1;
        // Most tags hold no quote before their ">".
        if (!honourQuotes || QStringView(s + from, gt).indexOf(u'"') < 0)
            return from + gt;
        bool quoted = false;
        for (qsizetype i = from; i < n; ++i) {
            const char16_t c = s[i];
            if (c == '"')
                quoted = !quoted;
            else if (c == '>' && !quoted)
                return i;
        }
        return -1;
    }

    // The word at a position, up to a blank, "/" or ">".
    QStringView peekWord(qsizetype from) const
    {
        qsizetype i = from;
        while (i < n && !isBlank(s[i]) && s[i] != '/' && s[i] != '>')
            ++i;
        return QStringView(s + from, i - from);
    }

    [[noreturn]] void tagEndError(qsizetype tokenStart, std::uint32_t line) const
    {
        const QStringView context = QStringView(s + tokenStart, n - tokenStart).left(100);
        throw HtmlError(QStringLiteral("LineNum:") + QString::number(line) +
                        QString::fromUtf8("无法找到Tag结束点:") + context);
    }

    // --- strings ---
    StrRef sourceRef(qsizetype from, qsizetype to) const
    {
        return {std::uint32_t(from), std::uint32_t(to - from)};
    }

    StrRef decoded(StrRef raw)
    {
        const qsizetype before = d.pool.size();
        if (!appendDecodedEntities(d.view(raw), d.pool))
            return raw;
        return {std::uint32_t(before) | kPoolBit, std::uint32_t(d.pool.size() - before)};
    }

    static StrRef slice(StrRef r, qsizetype from, qsizetype len)
    {
        return {r.off + std::uint32_t(from), std::uint32_t(len)};
    }

    StrRef trimmed(StrRef r) const
    {
        const QStringView v = d.view(r);
        qsizetype b = 0, e = v.size();
        while (b < e && v[b].unicode() <= ' ')
            ++b;
        while (e > b && v[e - 1].unicode() <= ' ')
            --e;
        return slice(r, b, e - b);
    }

    StrRef lowerCased(StrRef r)
    {
        const QStringView v = d.view(r);
        bool needed = false;
        for (QChar c : v) {
            if (c.unicode() < 0x80 ? (c.unicode() >= 'A' && c.unicode() <= 'Z') : c.isUpper()) {
                needed = true;
                break;
            }
        }
        if (!needed)
            return r;
        const qsizetype before = d.pool.size();
        for (QChar c : v)
            d.pool.append(
                c.unicode() < 0x80
                    ? QChar(c.unicode() >= 'A' && c.unicode() <= 'Z' ? c.unicode() + 32 : c.unicode())
                    : c.toLower());
        return {std::uint32_t(before) | kPoolBit, std::uint32_t(v.size())};
    }

    std::uint32_t internTag(QStringView name);

    // --- tokens ---
    void addToken(TokenKind kind, qsizetype start, qsizetype end, std::uint32_t line, std::uint32_t col);
    std::uint32_t newNode(std::uint32_t tag, StrRef raw, std::uint32_t line, std::uint32_t col,
                          std::uint8_t flags)
    {
        Node node;
        node.tag = tag;
        node.raw = raw;
        node.line = line;
        node.col = col;
        node.flags = flags;
        d.nodes.push_back(node);
        return std::uint32_t(d.nodes.size() - 1);
    }
    void parseTag(std::uint32_t index, qsizetype from, qsizetype to);
    qsizetype readStr(qsizetype& pos, qsizetype end, bool stopAtEquals, bool stopAtSlash, StrRef& out) const;
    qsizetype readBody(qsizetype pos, bool script);

    // --- tree ---
    void attach(std::uint32_t index);
    void finish();

    bool isVoid(std::uint32_t tag) const { return tag >= TagInput && tag < TagInput + kVoidCount; }

    Document& d;
    const char16_t* s;
    qsizetype n;
    bool m_ignoreQuotesInInput;

    qsizetype m_pos = 0;
    qsizetype m_lineScan = 0;
    qsizetype m_lineStart = 0;
    std::uint32_t m_line = 1;

    std::u16string m_upper;
    std::vector<std::uint32_t> m_open;      // open elements, innermost last
    std::vector<std::uint32_t> m_openCount; // per tag id: open elements on m_open
};

std::uint32_t Builder::internTag(QStringView name)
{
    bool upper = true;
    for (QChar c : name) {
        if (c.unicode() >= 'a' && c.unicode() <= 'z') {
            upper = false;
            break;
        }
        if (c.unicode() >= 0x80 && c.toUpper() != c) {
            upper = false;
            break;
        }
    }
    std::u16string_view key(reinterpret_cast<const char16_t*>(name.utf16()), name.size());
    if (!upper) {
        m_upper.resize(name.size());
        for (qsizetype i = 0; i < name.size(); ++i) {
            const char16_t c = name[i].unicode();
            m_upper[i] = c < 0x80 ? asciiUpper(c) : name[i].toUpper().unicode();
        }
        key = m_upper;
    }
    const std::size_t slot = d.tagSlot(key);
    if (d.tagSlots[slot] != kNone)
        return d.tagSlots[slot];
    const auto id = std::uint32_t(d.tagNames.size());
    d.tagNames.push_back(QString::fromUtf16(key.data(), qsizetype(key.size())));
    d.tagIsSpecial.push_back(!key.empty() && key.front() == u'#');
    m_openCount.push_back(0);
    d.tagSlots[slot] = id;
    if (d.tagNames.size() * 2 > d.tagSlots.size()) {
        d.tagSlots.assign(d.tagSlots.size() * 2, kNone);
        for (std::uint32_t other = 0; other < d.tagNames.size(); ++other) {
            const QString& name = d.tagNames[other];
            std::size_t s2 = Document::tagHash({reinterpret_cast<const char16_t*>(name.utf16()),
                                                std::size_t(name.size())}) &
                             (d.tagSlots.size() - 1);
            while (d.tagSlots[s2] != kNone)
                s2 = (s2 + 1) & (d.tagSlots.size() - 1);
            d.tagSlots[s2] = other;
        }
    }
    return id;
}

// Reads one word or quoted string of a tag's text. Blanks are skipped first; a
// word ends at a blank, NUL, and optionally "=" or "/"; characters above 255
// never end it; at least one character is taken. Quotes are removed from a
// quoted string (a missing closing quote just ends it at the end of the text).
qsizetype Builder::readStr(qsizetype& pos, qsizetype end, bool stopAtEquals, bool stopAtSlash,
                           StrRef& out) const
{
    while (pos < end && isBlank(s[pos]))
        ++pos;
    const qsizetype start = pos;
    if (pos >= end) {
        out = sourceRef(pos, pos);
        return 0;
    }
    const char16_t q = s[pos];
    if (q == '"' || q == '\'') {
        ++pos;
        while (pos < end && s[pos] != q)
            ++pos;
        if (pos < end) {
            ++pos;
            out = sourceRef(start + 1, pos - 1);
        } else {
            out = sourceRef(start + 1, pos);
        }
        return pos - start;
    }
    ++pos;
    while (pos < end) {
        const char16_t c = s[pos];
        if (c < 256 &&
            (c == 0 || isBlank(c) || (stopAtEquals && c == '=') || (stopAtSlash && (c == '/' || c == '>'))))
            break;
        ++pos;
    }
    out = sourceRef(start, pos);
    return pos - start;
}

void Builder::parseTag(std::uint32_t index, qsizetype from, qsizetype to)
{
    // from..to is the raw token; drop "<" and ">".
    qsizetype b = from + 1;
    qsizetype e = (to > b && s[to - 1] == '>') ? to - 1 : to;
    std::uint8_t flags = 0;
    if (e > b && s[e - 1] == '/')
        flags |= FlagClosed;
    if (e > b && s[b] == '/') {
        flags |= FlagCloseTag;
        ++b;
    }
    if ((flags & FlagClosed) && e > b)
        --e;

    qsizetype pos = b;
    StrRef name;
    readStr(pos, e, false, true, name);
    Node& node = d.nodes[index];
    node.flags |= flags;
    node.tag = internTag(d.view(name));

    const auto attrBegin = std::uint32_t(d.attrs.size());
    for (;;) {
        while (pos < e && isBlank(s[pos]))
            ++pos;
        if (pos >= e)
            break;
        Attr a;
        readStr(pos, e, true, false, a.key);
        while (pos < e && isBlank(s[pos]))
            ++pos;
        a.value = sourceRef(pos, pos);
        if (pos < e && s[pos] == '=') {
            ++pos;
            readStr(pos, e, false, false, a.value);
        }
        a.key = lowerCased(a.key);
        a.value = decoded(a.value);
        d.attrs.push_back(a);
    }
    auto first = d.attrs.begin() + attrBegin;
    if (d.attrs.end() - first > 1) {
        // Sorted by name; of several with one name the last written wins.
        auto less = [this](const Attr& x, const Attr& y) { return d.view(x.key) < d.view(y.key); };
        if (d.attrs.end() - first <= 16) {
            // Insertion sort: stable, and no buffer to allocate for the usual handful.
            for (auto it = first + 1; it != d.attrs.end(); ++it) {
                const Attr a = *it;
                auto j = it;
                for (; j != first && less(a, *(j - 1)); --j)
                    *j = *(j - 1);
                *j = a;
            }
        } else {
            std::stable_sort(first, d.attrs.end(), less);
        }
        auto out = first;
        for (auto it = first; it != d.attrs.end(); ++it) {
            auto next = it + 1;
            if (next != d.attrs.end() && d.view(next->key) == d.view(it->key))
                continue;
            *out++ = *it;
        }
        d.attrs.erase(out, d.attrs.end());
    }
    Node& n2 = d.nodes[index];
    n2.attrBegin = attrBegin;
    n2.attrCount = std::uint16_t(std::min<std::size_t>(d.attrs.size() - attrBegin, 0xFFFF));
    d.attrs.resize(attrBegin + n2.attrCount);
}

// Script or style body from pos; returns where it ends.
qsizetype Builder::readBody(qsizetype pos, bool script)
{
    if (n - pos >= 4 && s[pos] == '<' && s[pos + 1] == '!' && s[pos + 2] == '-' && s[pos + 3] == '-') {
        pos += 5;
        while (pos < n && !(s[pos] == '>' && s[pos - 1] == '-' && s[pos - 2] == '-'))
            ++pos;
        if (pos >= n) {
            std::uint32_t line, col;
            positionOf(n, line, col);
            throw HtmlError(
                formatPos(script ? "未完结的Script行:%1;列:%2;" : "未完结的Style行:%1;列:%2;", line, col));
        }
        ++pos;
        while (pos < n && isBlank(s[pos]))
            ++pos;
        return pos;
    }
    const std::u16string_view endWord = script ? u"SCRIPT" : u"STYLE";
    auto isEndTag = [&](qsizetype i) {
        return i + 1 < n && s[i + 1] == '/' && n - (i + 2) >= qsizetype(endWord.size()) &&
               equalsIgnoreCaseAscii(QStringView(s + i + 2, endWord.size()), endWord);
    };
    if (!script) {
        for (;;) {
            const qsizetype lt = QStringView(s + pos, n - pos).indexOf(u'<');
            if (lt < 0)
                return n;
            pos += lt;
            if (isEndTag(pos))
                return pos;
            ++pos;
        }
    }
    while (pos < n) {
        const char16_t c = s[pos];
        if (c == '"' || c == '\'') {
            ++pos;
            while (pos < n && s[pos] != c) {
                if (s[pos] == '\\')
                    ++pos;
                ++pos;
            }
            pos = std::min(pos + 1, n);
        } else if (c == '/' && pos + 1 < n && s[pos + 1] == '*') {
            const qsizetype close = QStringView(s + pos + 2, n - pos - 2).indexOf(u"*/");
            pos = close < 0 ? n : pos + 2 + close + 2;
        } else if (c == '/' && pos + 1 < n && s[pos + 1] == '/') {
            const qsizetype lf = QStringView(s + pos, n - pos).indexOf(u'\n');
            pos = lf < 0 ? n : pos + lf;
        } else if (c == '<' && isEndTag(pos)) {
            return pos;
        } else {
            ++pos;
        }
    }
    return n;
}

void Builder::attach(std::uint32_t index)
{
    Node& node = d.nodes[index];
    if (node.flags & FlagCloseTag) {
        // An end tag closes the nearest open element of its name and everything
        // opened inside it; with no such element it is dropped.
        const std::uint32_t tag = node.tag;
        if (m_openCount[tag] == 0)
            return;
        std::size_t i = m_open.size();
        while (i > 1 && d.nodes[m_open[i - 1]].tag != tag)
            --i;
        const std::uint32_t target = m_open[i - 1];
        for (std::size_t j = i - 1; j < m_open.size(); ++j) {
            Node& closed = d.nodes[m_open[j]];
            closed.flags |= FlagClosed;
            --m_openCount[closed.tag];
        }
        m_open.resize(i - 1);
        d.nodes[target].closeTag = index;
        return;
    }
    // Open void elements take no children: they are closed as soon as anything follows.
    while (isVoid(d.nodes[m_open.back()].tag)) {
        Node& v = d.nodes[m_open.back()];
        v.flags |= FlagClosed;
        --m_openCount[v.tag];
        m_open.pop_back();
    }
    node.parent = m_open.back();
    node.flags |= FlagInTree;
    ++d.nodes[node.parent].childCount;
    if (!(node.flags & FlagClosed)) {
        m_open.push_back(index);
        ++m_openCount[node.tag];
    }
}

void Builder::addToken(TokenKind kind, qsizetype start, qsizetype end, std::uint32_t line, std::uint32_t col)
{
    const StrRef raw = sourceRef(start, end);
    switch (kind) {
    case TokenKind::Text:
    case TokenKind::Comment: {
        const std::uint32_t i =
            newNode(kind == TokenKind::Text ? TagText : TagComment, raw, line, col, FlagClosed);
        d.nodes[i].content = decoded(raw);
        attach(i);
        return;
    }
    case TokenKind::Doctype: {
        const std::uint32_t i = newNode(TagDoctype, raw, line, col, FlagClosed);
        StrRef c = decoded(raw);
        QStringView v = d.view(c);
        qsizetype b = 0, e = v.size();
        if (e > b && v[b] == u'<')
            ++b;
        if (e > b && v[e - 1] == u'>')
            --e;
        c = trimmed(slice(c, b, e - b));
        const qsizetype skip = std::min<qsizetype>(8, c.len);
        d.nodes[i].content = trimmed(slice(c, skip, c.len - skip));
        attach(i);
        return;
    }
    case TokenKind::Tag: {
        const std::uint32_t i = newNode(0, raw, line, col, 0);
        parseTag(i, start, end);
        const Node& node = d.nodes[i];
        const bool body =
            !(node.flags & (FlagClosed | FlagCloseTag)) && (node.tag == TagScript || node.tag == TagStyle);
        const bool script = node.tag == TagScript;
        attach(i);
        if (body) {
            const qsizetype bodyEnd = readBody(end, script);
            std::uint32_t bl, bc;
            positionOf(end, bl, bc);
            const StrRef bodyRaw = sourceRef(end, bodyEnd);
            const std::uint32_t b =
                newNode(script ? TagScriptBody : TagStyleBody, bodyRaw, bl, bc, FlagClosed);
            d.nodes[b].content = decoded(bodyRaw);
            attach(b);
            m_pos = bodyEnd;
        }
        return;
    }
    }
}

void Builder::run()
{
    for (auto name : kFixedTags)
        internTag(QStringView(name.data(), qsizetype(name.size())));
    // About one tag and one text per "<".
    const auto tags = std::size_t(std::count(s, s + n, u'<'));
    d.nodes.reserve(2 * tags + 16);
    d.attrs.reserve(tags + 16);
    newNode(TagDocument, StrRef{}, 1, 1, FlagInTree);
    m_open.push_back(0);

    m_pos = 0;
    while (m_pos < n) {
        const qsizetype start = m_pos;
        std::uint32_t line, col;
        positionOf(start, line, col);
        if (s[start] != '<') {
            const qsizetype lt = QStringView(s + start, n - start).indexOf(u'<');
            m_pos = lt < 0 ? n : start + lt;
            addToken(TokenKind::Text, start, m_pos, line, col);
            continue;
        }
        qsizetype pos = start + 1;
        TokenKind kind = TokenKind::Tag;
        qsizetype gt = -1;
        if (pos < n && s[pos] == '!') {
            ++pos;
            kind = TokenKind::Comment;
            if (pos < n && s[pos] == '-') {
                ++pos;
                for (gt = pos;; ++gt) {
                    gt = findTagEnd(gt, false);
                    if (gt < 0 || (s[gt - 1] == '-' && s[gt - 2] == '-'))
                        break;
                }
            } else if (pos < n && s[pos] == '[') {
                ++pos;
                for (gt = pos;; ++gt) {
                    gt = findTagEnd(gt, true);
                    if (gt < 0 || s[gt - 1] == ']')
                        break;
                }
            } else {
                const QStringView word = peekWord(pos);
                if (equalsIgnoreCaseAscii(word, u"DOCTYPE"))
                    kind = TokenKind::Doctype;
                gt = findTagEnd(pos + word.size(), true);
            }
        } else if (pos < n && s[pos] == '?') {
            ++pos;
            kind = TokenKind::Comment;
            for (gt = pos;; ++gt) {
                gt = findTagEnd(gt, true);
                if (gt < 0 || s[gt - 1] == '?')
                    break;
            }
        } else {
            const QStringView word = peekWord(pos);
            const bool honourQuotes = !equalsIgnoreCaseAscii(word, u"SCRIPT") &&
                                      !(m_ignoreQuotesInInput && equalsIgnoreCaseAscii(word, u"INPUT"));
            gt = findTagEnd(pos, honourQuotes);
        }
        if (gt < 0)
            tagEndError(start, line);
        m_pos = gt + 1;
        addToken(kind, start, m_pos, line, col);
    }
    finish();
}

void Builder::finish()
{
    d.nodes[0].flags |= FlagClosed;
    const auto count = std::uint32_t(d.nodes.size());
    // Children side by side, in document order.
    std::uint32_t next = 0;
    for (Node& node : d.nodes) {
        node.childBegin = next;
        next += node.childCount;
        node.childCount = 0;
        node.subtreeEnd = 0;
    }
    d.children.resize(next);
    for (std::uint32_t i = 1; i < count; ++i) {
        Node& node = d.nodes[i];
        if (node.parent == kNone)
            continue;
        Node& parent = d.nodes[node.parent];
        node.siblingIndex = parent.childCount;
        d.children[parent.childBegin + parent.childCount++] = i;
    }
    for (std::uint32_t i = count; i-- > 0;) {
        Node& node = d.nodes[i];
        node.subtreeEnd = std::max(node.subtreeEnd, i + 1);
        if (node.parent != kNone) {
            Node& parent = d.nodes[node.parent];
            parent.subtreeEnd = std::max(parent.subtreeEnd, node.subtreeEnd);
        }
    }
    d.tagIsSpecial.shrink_to_fit();
}

} // namespace

} // namespace html_detail

HtmlElement ParseHtml(const QString& html)
{
    return ParseHtml(html, ignoreQuotesInInput());
}

HtmlElement ParseHtml(const QString& html, bool ignoreQuotes)
{
    // Offsets are 31 bits wide; a page of two thousand million characters is no page.
    if (html.size() >= qsizetype(html_detail::kPoolBit))
        throw HtmlError(QStringLiteral("LineNum:1") + QString::fromUtf8("无法找到Tag结束点:"));
    auto doc = std::make_shared<html_detail::Document>();
    doc->source = html;
    html_detail::Builder(*doc, ignoreQuotes).run();
    return html_detail::Document::element(std::move(doc), 0);
}

} // namespace dedizo
