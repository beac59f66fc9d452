#pragma once

// Tolerant HTML reader for catalogue pages: a flat, document-owned tree of
// elements plus a small CSS-like selector language (see HtmlSelector.h).
//
// Lifetime: a parsed page lives in one immutable document shared by every
// HtmlElement and HtmlElementList taken from it. A handle keeps the whole
// document alive, so elements, lists and the texts they return stay valid for
// as long as the caller keeps any of them; nothing needs to be freed.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace dedizo {

namespace html_detail {
class Document;
}

class HtmlElementList;

// Every parser and selector failure: the message is one of the fixed texts,
// carrying the source line and column.
class HtmlError : public std::runtime_error
{
public:
    explicit HtmlError(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A handle on one node of a parsed page. Cheap to copy; a default-constructed
// handle is null (returned for "no such element") and answers with empty values.
class HtmlElement
{
public:
    HtmlElement() = default;

    bool isNull() const { return !m_doc; }
    explicit operator bool() const { return m_doc != nullptr; }

    // Upper-case tag name, or "#TEXT", "#SCRIPT", "#STYLE", "#COMMENT", "#DOCTYPE", "#DOCUMENT".
    QString tagName() const;
    // Decoded text of text-like nodes; empty for tags.
    QString content() const;
    // The raw source text of the token.
    QString orignal() const;
    QStringView orignalView() const;
    int childrenCount() const;
    HtmlElement children(int index) const;
    // The end tag that closed this element; null when it was closed implicitly or never.
    HtmlElement closeTag() const;
    // The parent in the tree; null for the document and for end tags.
    HtmlElement owner() const;
    bool isCloseTag() const;
    bool isClosed() const;

    QString innerHtml() const;
    QString outerHtml() const;
    // All "#TEXT" content of this node and its descendants, in document order.
    QString text() const;

    // Attribute value by name (compared in lower case); empty when absent.
    QString attributes(QStringView name) const;
    bool hasAttribute(QStringView name) const;
    int attributeCount() const;
    // The i-th attribute name, in ascending name order; empty when out of range.
    QString attributeNames(int index) const;

    int sourceLine() const;
    int sourceCol() const;

    // Elements matching the selector among this element and its descendants
    // (and, through sibling combinators, their following siblings). Throws HtmlError
    // on a malformed selector.
    HtmlElementList find(QStringView selector) const;

    bool operator==(const HtmlElement& other) const
    {
        return m_doc == other.m_doc && m_index == other.m_index;
    }

private:
    friend class html_detail::Document;
    friend class HtmlElementList;
    HtmlElement(std::shared_ptr<const html_detail::Document> doc, std::uint32_t index)
        : m_doc(std::move(doc)), m_index(index)
    {
    }

    std::shared_ptr<const html_detail::Document> m_doc;
    std::uint32_t m_index = 0;
};

// An ordered list of elements; each call of find() returns a new one.
class HtmlElementList
{
public:
    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    // Null element when out of range.
    HtmlElement item(int index) const;
    HtmlElement operator[](int index) const { return item(index); }
    int indexOf(const HtmlElement& element) const;
    void setItem(int index, const HtmlElement& element);
    void append(const HtmlElement& element) { m_items.push_back(element); }

    std::vector<HtmlElement>::const_iterator begin() const { return m_items.begin(); }
    std::vector<HtmlElement>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<HtmlElement> m_items;
};

// Reads a page into its "#DOCUMENT" element. Throws HtmlError for a tag, comment,
// script or style that never ends. The first form takes the quote rule for INPUT
// tags from the process-wide setting below.
HtmlElement ParseHtml(const QString& html);
HtmlElement ParseHtml(const QString& html, bool ignoreQuotesInInput);

// Process-wide parser option, initially true: when true the end of an INPUT tag is
// its first ">", even inside double quotes (some catalogues double their quotes there).
bool ignoreQuotesInInput();
void setIgnoreQuotesInInput(bool on);

// Decodes character references as the parser does for text and attribute values.
QString decodeHtmlEntities(QStringView text);

} // namespace dedizo
