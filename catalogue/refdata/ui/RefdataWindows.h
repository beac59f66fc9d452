#pragma once

namespace dedizo {

// Registers the reference data windows with FunctionWindows: publishers
// (12), classification (13) and the data dictionary (51).
void registerRefdataWindows();

} // namespace dedizo
