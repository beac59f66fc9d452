#pragma once

// The selector language of HtmlElement::find():
//   groups separated by ","; compounds joined by " " (descendant), " > " (child),
//   " + " (next sibling) and " ~ " (any later sibling); a compound mixes a tag
//   name ("*" for any element), "#id", ".class", "[name]" / "[name op value]"
//   with op one of = != ~= |= ^= $= *=, and "/* comments */".

#include <QList>
#include <QString>
#include <QStringView>

namespace dedizo {

enum AttrOperator
{
    aoExist,
    aoEqual,
    aoNotEqual,
    aoIncludeWord,
    aoBeginWord,
    aoBegin,
    aoEnd,
    aoContain,
};

struct AttrSelectorItem
{
    QString key; // lower case
    AttrOperator attrOperator = aoExist;
    QString value;
};

enum SelectorItemRelation
{
    sirNONE,
    sirDescendant,
    sirChildren,
    sirYoungerBrother,
    sirAllYoungerBrother,
};

struct CssSelectorItem
{
    SelectorItemRelation relation = sirNONE; // to the previous item of the chain
    QString szTag;                           // upper case; empty or "*" for any element
    QList<AttrSelectorItem> attributes;
};

using CssSelectorItems = QList<CssSelectorItem>;
using CssSelectorItemGroup = QList<CssSelectorItems>;

// Throws HtmlError ("无法解析CSS Attribute操作符[line,col]" or "无法解析Attribute值[line,col]").
CssSelectorItemGroup parseSelector(QStringView selector);

// Whether an attribute value passes one test (the attribute exists).
bool attributeMatches(const AttrSelectorItem& test, QStringView attributeValue);

} // namespace dedizo
