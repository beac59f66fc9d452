#pragma once

#include "acquisition/html/HtmlSelector.h"

#include <cstdint>
#include <vector>

namespace dedizo::html_detail {

class Document;

// Node indexes matching the selector groups from root, group by group, each group
// in document order, no node twice.
std::vector<std::uint32_t> findMatches(const Document& d, std::uint32_t root,
                                       const CssSelectorItemGroup& groups);

} // namespace dedizo::html_detail
