#pragma once

namespace dedizo {

// Registers the reader categories (22) and the regulations (23) with FunctionWindows.
void registerCategoryWindows();

} // namespace dedizo
