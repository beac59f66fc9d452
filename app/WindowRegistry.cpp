#include "app/Program.h"

#include "core/ui/FunctionWindows.h"

namespace dedizo {

void registerFunctionWindows()
{
    // Each module registers its windows with one call here, e.g.
    // registerCatalogueWindows(); registerCirculationWindows();
    // A function key without a registered window opens nothing.
}

} // namespace dedizo
