#include "acquisition/html/HtmlSelector.h"
#include "acquisition/html/HtmlDocument_p.h"
#include "acquisition/html/HtmlParser.h"
#include "acquisition/html/HtmlSelector_p.h"

#include <algorithm>

namespace dedizo {

namespace {

inline bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r';
}

// Cursor over the selector text; lines and columns as the error texts report them.
class SelectorReader
{
public:
    explicit SelectorReader(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar cur() const { return atEnd() ? QChar() : m_text[m_pos]; }
    QChar peek(qsizetype offset) const
    {
        const qsizetype i = m_pos + offset;
        return i < m_text.size() ? m_text[i] : QChar();
    }
    void inc()
    {
        if (atEnd())
            return;
        if (m_text[m_pos] == u'\n') {
            ++m_line;
            m_col = 1;
        } else {
            ++m_col;
        }
        ++m_pos;
    }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(cur()))
            inc();
    }
    bool atComment() const { return cur() == u'/' && peek(1) == u'*'; }
    void skipComment()
    {
        inc();
        inc();
        while (!atEnd() && !(cur() == u'*' && peek(1) == u'/'))
            inc();
        inc();
        inc();
    }
    void skipBlanksAndComments()
    {
        for (;;) {
            skipBlanks();
            if (!atComment())
                return;
            skipComment();
        }
    }

    // Characters up to one of the stop characters (or the end).
    QString readUntil(QStringView stops)
    {
        const qsizetype start = m_pos;
        while (!atEnd() && cur() != QChar() && !isBlank(cur()) && !stops.contains(cur()))
            inc();
        return m_text.mid(start, m_pos - start).toString();
    }

    [[noreturn]] void fail(const char* pattern) const
    {
        throw HtmlError(QString::fromUtf8(pattern).arg(m_line).arg(m_col));
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_col = 1;
};

QString readTagName(SelectorReader& r)
{
    const QChar q = r.cur();
    if (q == u'"' || q == u'\'') {
        r.inc();
        QString name;
        while (!r.atEnd() && r.cur() != q) {
            name.append(r.cur());
            r.inc();
        }
        r.inc();
        return name;
    }
    // At least one character, so a stray "]" cannot stall the reader.
    QString name(r.cur());
    r.inc();
    while (!r.atEnd()) {
        const QChar c = r.cur();
        if (c == QChar() || isBlank(c) || QStringView(u"\"#',.[]").contains(c) || r.atComment())
            break;
        name.append(c);
        r.inc();
    }
    return name;
}

AttrSelectorItem readAttributeTest(SelectorReader& r)
{
    AttrSelectorItem item;
    r.inc(); // "["
    r.skipBlanks();
    item.key = r.readUntil(u"!$*=]^|~").toLower();
    r.skipBlanks();
    switch (r.cur().unicode()) {
    case ']':
        r.inc();
        item.attrOperator = aoExist;
        return item;
    case '=':
        item.attrOperator = aoEqual;
        break;
    case '!':
        item.attrOperator = aoNotEqual;
        break;
    case '~':
        item.attrOperator = aoIncludeWord;
        break;
    case '|':
        item.attrOperator = aoBeginWord;
        break;
    case '^':
        item.attrOperator = aoBegin;
        break;
    case '$':
        item.attrOperator = aoEnd;
        break;
    case '*':
        item.attrOperator = aoContain;
        break;
    default:
        r.fail("无法解析CSS Attribute操作符[%1,%2]");
    }
    r.inc();
    if (r.cur() == u'=')
        r.inc();
    r.skipBlanks();
    const QChar q = r.cur();
    QString value;
    if (q == u'"' || q == u'\'') {
        r.inc();
        while (!r.atEnd() && r.cur() != q) {
            value.append(r.cur());
            r.inc();
        }
        r.inc();
    } else {
        value = r.readUntil(u"]");
    }
    item.value = decodeHtmlEntities(value);
    r.skipBlanks();
    if (r.cur() != u']')
        r.fail("无法解析Attribute值[%1,%2]");
    r.inc();
    return item;
}

SelectorItemRelation combinator(QChar c)
{
    switch (c.unicode()) {
    case '>':
        return sirChildren;
    case '+':
        return sirYoungerBrother;
    case '~':
        return sirAllYoungerBrother;
    default:
        return sirNONE;
    }
}

// Parts of a value split at blanks; a part that begins with a quote runs to the
// matching quote and stands without its quotes.
template <typename Fn> bool anyWord(QStringView v, Fn&& fn)
{
    qsizetype i = 0;
    const qsizetype n = v.size();
    while (i < n) {
        while (i < n && isBlank(v[i]))
            ++i;
        if (i >= n)
            break;
        const QChar q = v[i];
        qsizetype start = i, end;
        if (q == u'"' || q == u'\'') {
            start = i + 1;
            end = start;
            while (end < n && v[end] != q)
                ++end;
            i = end + 1;
        } else {
            end = i;
            while (end < n && !isBlank(v[end]))
                ++end;
            i = end;
        }
        if (fn(v.mid(start, end - start)))
            return true;
    }
    return false;
}

} // namespace

CssSelectorItemGroup parseSelector(QStringView selector)
{
    CssSelectorItemGroup groups;
    CssSelectorItems chain;
    CssSelectorItem item;
    bool itemHasContent = false;
    SelectorItemRelation pending = sirNONE;
    SelectorReader r(selector);

    auto flushItem = [&] {
        if (itemHasContent) {
            item.relation = chain.isEmpty() ? sirNONE : (pending == sirNONE ? sirDescendant : pending);
            chain.append(item);
            pending = sirNONE;
        }
        item = CssSelectorItem();
        itemHasContent = false;
    };
    auto flushChain = [&] {
        flushItem();
        if (!chain.isEmpty())
            groups.append(chain);
        chain.clear();
        pending = sirNONE;
    };

    while (!r.atEnd()) {
        const QChar c = r.cur();
        if (r.atComment()) {
            r.skipComment();
        } else if (isBlank(c) || combinator(c) != sirNONE) {
            SelectorItemRelation rel = isBlank(c) ? sirDescendant : sirNONE;
            r.skipBlanksAndComments();
            if (combinator(r.cur()) != sirNONE) {
                rel = combinator(r.cur());
                r.inc();
                r.skipBlanksAndComments();
            }
            if (itemHasContent || pending == sirNONE) {
                flushItem();
                pending = rel;
            } else if (rel != sirDescendant) {
                pending = rel;
            }
        } else if (c == u',') {
            flushChain();
            r.inc();
        } else if (c == u'#' || c == u'.') {
            r.inc();
            AttrSelectorItem test;
            test.key = c == u'#' ? QStringLiteral("id") : QStringLiteral("class");
            test.attrOperator = c == u'#' ? aoEqual : aoIncludeWord;
            test.value = r.readUntil(u"!\"#$'*,.=[]^|~");
            item.attributes.append(test);
            itemHasContent = true;
        } else if (c == u'[') {
            item.attributes.append(readAttributeTest(r));
            itemHasContent = true;
        } else {
            // Character by character, as the parser upper-cases tag names.
            item.szTag = readTagName(r);
            for (QChar& ch : item.szTag)
                ch = ch.toUpper();
            itemHasContent = true;
        }
    }
    flushChain();
    return groups;
}

bool attributeMatches(const AttrSelectorItem& test, QStringView v)
{
    const QStringView want(test.value);
    switch (test.attrOperator) {
    case aoExist:
        return true;
    case aoEqual:
        return v == want;
    case aoNotEqual:
        return v != want;
    case aoIncludeWord:
        return anyWord(v, [&](QStringView word) { return word == want; });
    case aoBeginWord: {
        qsizetype b = 0;
        while (b < v.size() && isBlank(v[b]))
            ++b;
        qsizetype e = b;
        while (e < v.size() && !isBlank(v[e]) && v[e] != u'-' && v[e] != u'_')
            ++e;
        return v.mid(b, e - b) == want;
    }
    case aoBegin:
        return want.size() < v.size() && v.startsWith(want);
    case aoEnd:
        return want.size() < v.size() && v.endsWith(want);
    case aoContain:
        return v.contains(want);
    }
    return false;
}

namespace html_detail {

namespace {

struct CompiledItem
{
    const CssSelectorItem* item;
    std::uint32_t tag; // kNone: any element
    bool impossible;   // names a tag the page does not have
};

bool matches(const Document& d, std::uint32_t x, const CompiledItem& c)
{
    const Node& node = d.nodes[x];
    if (c.tag == kNone) {
        if (d.tagIsSpecial[node.tag])
            return false;
    } else if (node.tag != c.tag) {
        return false;
    }
    for (const AttrSelectorItem& test : c.item->attributes) {
        const Attr* a = d.findAttr(x, test.key);
        if (!a || !attributeMatches(test, d.view(a->value)))
            return false;
    }
    return true;
}

} // namespace

// One pass over the reachable nodes per compound of a chain: the nodes that end a
// matching chain so far are marked, and the next compound looks for its nodes
// through the relation. Linear in the page for each compound, whatever the nesting.
std::vector<std::uint32_t> findMatches(const Document& d, std::uint32_t root,
                                       const CssSelectorItemGroup& groups)
{
    std::vector<std::uint32_t> result;
    const Node& rootNode = d.nodes[root];
    const std::uint32_t lo = root;
    // Sibling combinators can step from the root to its later siblings.
    const std::uint32_t hi =
        rootNode.parent != kNone ? d.nodes[rootNode.parent].subtreeEnd : rootNode.subtreeEnd;
    const std::size_t width = hi - lo;
    std::vector<std::uint8_t> cur(width), next(width), mark(width), present(width);

    for (const CssSelectorItems& chain : groups) {
        std::vector<CompiledItem> items;
        bool impossible = false;
        for (const CssSelectorItem& item : chain) {
            CompiledItem c{&item, kNone, false};
            if (!item.szTag.isEmpty() && item.szTag != u"*") {
                c.tag = d.tagId(item.szTag);
                if (c.tag == kNone)
                    impossible = true;
            }
            items.push_back(c);
        }
        if (impossible || items.empty())
            continue;

        bool any = false;
        std::fill(cur.begin(), cur.end(), 0);
        for (std::uint32_t x = root; x < rootNode.subtreeEnd; ++x) {
            if ((x == root || d.inTree(x)) && matches(d, x, items[0])) {
                cur[x - lo] = 1;
                any = true;
            }
        }
        for (std::size_t k = 1; k < items.size() && any; ++k) {
            any = false;
            std::fill(next.begin(), next.end(), 0);
            const CompiledItem& c = items[k];
            auto take = [&](std::uint32_t x) {
                if (!next[x - lo] && matches(d, x, c)) {
                    next[x - lo] = 1;
                    any = true;
                }
            };
            switch (c.item->relation) {
            case sirNONE:
            case sirDescendant: {
                std::uint32_t coverEnd = 0;
                for (std::uint32_t x = lo; x < hi; ++x) {
                    if (x < coverEnd && d.inTree(x))
                        take(x);
                    if (cur[x - lo])
                        coverEnd = std::max(coverEnd, d.nodes[x].subtreeEnd);
                }
                break;
            }
            case sirChildren:
                for (std::uint32_t x = lo; x < hi; ++x) {
                    const std::uint32_t p = d.nodes[x].parent;
                    if (p != kNone && p >= lo && p < hi && cur[p - lo])
                        take(x);
                }
                break;
            case sirYoungerBrother:
            case sirAllYoungerBrother: {
                const bool all = c.item->relation == sirAllYoungerBrother;
                std::fill(mark.begin(), mark.end(), 0);
                for (std::uint32_t y = lo; y < hi; ++y) {
                    if (!cur[y - lo] || d.nodes[y].parent == kNone)
                        continue;
                    const Node& parent = d.nodes[d.nodes[y].parent];
                    for (std::uint32_t j = d.nodes[y].siblingIndex + 1; j < parent.childCount; ++j) {
                        const std::uint32_t s = d.children[parent.childBegin + j];
                        // A sibling already walked over leads where that walk went.
                        if (mark[s - lo])
                            break;
                        mark[s - lo] = 1;
                        if (d.tagIsSpecial[d.nodes[s].tag])
                            continue;
                        take(s);
                        if (!all)
                            break;
                    }
                }
                break;
            }
            }
            std::swap(cur, next);
        }
        if (!any)
            continue;
        for (std::uint32_t x = lo; x < hi; ++x) {
            if (cur[x - lo] && !present[x - lo]) {
                present[x - lo] = 1;
                result.push_back(x);
            }
        }
    }
    return result;
}

} // namespace html_detail

} // namespace dedizo
