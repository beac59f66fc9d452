#include "app/Program.h"

#include "admin/ui/FunctionWindowOpener.h"

namespace dedizo {

void registerFunctionWindows()
{
    // Each module registers its windows with one call here. A function key
    // without a registered window opens nothing.
    installOperatorHooks(); // the rights-applying opener and keys 52, 53, 54
}

} // namespace dedizo
