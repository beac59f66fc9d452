#include "app/Program.h"

#include "admin/ui/FunctionWindowOpener.h"
#include "catalogue/generators/BatchGenerator.h"
#include "catalogue/generators/ui/BatchGenerateForm.h"
#include "catalogue/refdata/ui/RefdataWindows.h"
#include "circulation/categories/ui/CategoryWindows.h"

namespace dedizo {

void registerFunctionWindows()
{
    // Each module registers its windows with one call here. A function key
    // without a registered window opens nothing.
    installOperatorHooks();    // the rights-applying opener and keys 52, 53, 54
    registerRefdataWindows();  // keys 12, 13, 51
    registerCategoryWindows(); // keys 22, 23
    setGeneratorHost(&generatorWindowHost());
}

} // namespace dedizo
