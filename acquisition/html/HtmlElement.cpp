#include "acquisition/html/HtmlDocument_p.h"
#include "acquisition/html/HtmlParser.h"
#include "acquisition/html/HtmlSelector_p.h"

namespace dedizo {

using namespace html_detail;

namespace {

QString lowerKey(QStringView name)
{
    return name.toString().toLower();
}

} // namespace

QString HtmlElement::tagName() const
{
    return m_doc ? m_doc->tagNames[m_doc->nodes[m_index].tag] : QString();
}

QString HtmlElement::content() const
{
    return m_doc ? m_doc->view(m_doc->nodes[m_index].content).toString() : QString();
}

QString HtmlElement::orignal() const
{
    return orignalView().toString();
}

QStringView HtmlElement::orignalView() const
{
    return m_doc ? m_doc->view(m_doc->nodes[m_index].raw) : QStringView();
}

int HtmlElement::childrenCount() const
{
    return m_doc ? int(m_doc->nodes[m_index].childCount) : 0;
}

HtmlElement HtmlElement::children(int index) const
{
    if (!m_doc || index < 0 || std::uint32_t(index) >= m_doc->nodes[m_index].childCount)
        return {};
    return HtmlElement(m_doc, m_doc->children[m_doc->nodes[m_index].childBegin + index]);
}

HtmlElement HtmlElement::closeTag() const
{
    if (!m_doc || m_doc->nodes[m_index].closeTag == kNone)
        return {};
    return HtmlElement(m_doc, m_doc->nodes[m_index].closeTag);
}

HtmlElement HtmlElement::owner() const
{
    if (!m_doc || m_doc->nodes[m_index].parent == kNone)
        return {};
    return HtmlElement(m_doc, m_doc->nodes[m_index].parent);
}

bool HtmlElement::isCloseTag() const
{
    return m_doc && (m_doc->nodes[m_index].flags & FlagCloseTag);
}

bool HtmlElement::isClosed() const
{
    return m_doc && (m_doc->nodes[m_index].flags & FlagClosed);
}

namespace {

// Raw text of the descendants of root, each followed by its end tag; walked
// without recursion so that deep nesting costs no stack.
void appendInner(const Document& d, std::uint32_t root, QString& out)
{
    struct Frame
    {
        std::uint32_t node;
        std::uint32_t nextChild;
    };
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const Node& node = d.nodes[f.node];
        if (f.nextChild < node.childCount) {
            const std::uint32_t child = d.children[node.childBegin + f.nextChild++];
            out.append(d.view(d.nodes[child].raw));
            stack.push_back({child, 0});
            continue;
        }
        if (f.node != root && node.closeTag != kNone)
            out.append(d.view(d.nodes[node.closeTag].raw));
        stack.pop_back();
    }
}

} // namespace

QString HtmlElement::innerHtml() const
{
    QString out;
    if (m_doc)
        appendInner(*m_doc, m_index, out);
    return out;
}

QString HtmlElement::outerHtml() const
{
    QString out;
    if (!m_doc)
        return out;
    const Node& node = m_doc->nodes[m_index];
    out.append(m_doc->view(node.raw));
    appendInner(*m_doc, m_index, out);
    if (node.closeTag != kNone)
        out.append(m_doc->view(m_doc->nodes[node.closeTag].raw));
    return out;
}

QString HtmlElement::text() const
{
    if (!m_doc)
        return {};
    const Document& d = *m_doc;
    const std::uint32_t end = d.nodes[m_index].subtreeEnd;
    auto isText = [&](std::uint32_t i) { return d.nodes[i].tag == TagText && (i == m_index || d.inTree(i)); };
    qsizetype total = 0;
    for (std::uint32_t i = m_index; i < end; ++i) {
        if (isText(i))
            total += d.nodes[i].content.len;
    }
    QString out;
    out.reserve(total);
    for (std::uint32_t i = m_index; i < end; ++i) {
        if (isText(i))
            out.append(d.view(d.nodes[i].content));
    }
    return out;
}

QString HtmlElement::attributes(QStringView name) const
{
    if (!m_doc)
        return {};
    const Attr* a = m_doc->findAttr(m_index, lowerKey(name));
    return a ? m_doc->view(a->value).toString() : QString();
}

bool HtmlElement::hasAttribute(QStringView name) const
{
    return m_doc && m_doc->findAttr(m_index, lowerKey(name)) != nullptr;
}

int HtmlElement::attributeCount() const
{
    return m_doc ? int(m_doc->nodes[m_index].attrCount) : 0;
}

QString HtmlElement::attributeNames(int index) const
{
    if (!m_doc || index < 0 || index >= attributeCount())
        return {};
    return m_doc->view(m_doc->attrs[m_doc->nodes[m_index].attrBegin + index].key).toString();
}

int HtmlElement::sourceLine() const
{
    return m_doc ? int(m_doc->nodes[m_index].line) : 0;
}

int HtmlElement::sourceCol() const
{
    return m_doc ? int(m_doc->nodes[m_index].col) : 0;
}

HtmlElementList HtmlElement::find(QStringView selector) const
{
    const CssSelectorItemGroup groups = parseSelector(selector);
    HtmlElementList list;
    if (!m_doc)
        return list;
    for (std::uint32_t i : findMatches(*m_doc, m_index, groups))
        list.append(HtmlElement(m_doc, i));
    return list;
}

HtmlElement HtmlElementList::item(int index) const
{
    if (index < 0 || std::size_t(index) >= m_items.size())
        return {};
    return m_items[std::size_t(index)];
}

int HtmlElementList::indexOf(const HtmlElement& element) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i] == element)
            return int(i);
    }
    return -1;
}

void HtmlElementList::setItem(int index, const HtmlElement& element)
{
    if (index >= 0 && std::size_t(index) < m_items.size())
        m_items[std::size_t(index)] = element;
}

} // namespace dedizo
