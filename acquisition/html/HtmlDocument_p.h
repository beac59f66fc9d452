#pragma once

// Internal representation of a parsed page. Nodes live in one array in token
// order; text is never copied per node but referenced by offset into either the
// source or a side pool that holds the few strings that had to change (decoded
// entities, lower-cased attribute names).

#include "acquisition/html/HtmlParser.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <string_view>
#include <vector>

namespace dedizo::html_detail {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// A slice of the source, or of the pool when the top bit of off is set.
struct StrRef
{
    std::uint32_t off = 0;
    std::uint32_t len = 0;
};
constexpr std::uint32_t kPoolBit = 0x80000000u;

// Tag ids fixed in every document; real tag names are interned after these.
enum FixedTag : std::uint32_t
{
    TagDocument,
    TagText,
    TagComment,
    TagDoctype,
    TagScriptBody,
    TagStyleBody,
    TagScript,
    TagStyle,
    TagInput, // the first of the void elements
};

enum NodeFlag : std::uint8_t
{
    FlagClosed = 1,
    FlagCloseTag = 2,
    FlagInTree = 4, // the document or a node with a parent
};

struct Node
{
    std::uint32_t parent = kNone;
    std::uint32_t tag = 0;
    std::uint32_t closeTag = kNone;
    std::uint32_t subtreeEnd = 0; // one past the last descendant in node order
    StrRef raw;
    StrRef content;
    std::uint32_t line = 1;
    std::uint32_t col = 1;
    std::uint32_t attrBegin = 0;
    std::uint32_t childBegin = 0;
    std::uint32_t childCount = 0;
    std::uint32_t siblingIndex = 0; // position among the parent's children
    std::uint16_t attrCount = 0;
    std::uint8_t flags = 0;
};

struct Attr
{
    StrRef key; // lower case
    StrRef value;
};

class Document
{
public:
    QString source;
    QString pool;
    std::vector<Node> nodes;
    std::vector<Attr> attrs;             // each node's attributes, sorted by key
    std::vector<std::uint32_t> children; // each node's children, contiguous
    std::vector<QString> tagNames;
    std::vector<bool> tagIsSpecial; // name begins with "#"

    QStringView view(StrRef r) const
    {
        if (r.off & kPoolBit)
            return QStringView(pool).mid(r.off & ~kPoolBit, r.len);
        return QStringView(source).mid(r.off, r.len);
    }

    const Attr* findAttr(std::uint32_t node, QStringView lowerKey) const
    {
        const Node& n = nodes[node];
        for (std::uint32_t i = n.attrBegin, e = n.attrBegin + n.attrCount; i < e; ++i) {
            if (view(attrs[i].key) == lowerKey)
                return &attrs[i];
        }
        return nullptr;
    }

    bool inTree(std::uint32_t node) const { return nodes[node].flags & FlagInTree; }

    // Open-addressing table of tag ids by name, at most half full.
    std::vector<std::uint32_t> tagSlots = std::vector<std::uint32_t>(64, kNone);
    static std::uint32_t tagHash(std::u16string_view key);
    // The slot holding the name, or the empty slot where it would go.
    std::size_t tagSlot(std::u16string_view key) const;
    // Tag id of an upper-case name, or kNone when no node of the page has it.
    std::uint32_t tagId(QStringView upperName) const;

    static HtmlElement element(std::shared_ptr<const Document> doc, std::uint32_t index)
    {
        return HtmlElement(std::move(doc), index);
    }
};

} // namespace dedizo::html_detail
