#include "shell/shell_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a global function, so it is used outside the namespace.
static void registerTesvarResources() { Q_INIT_RESOURCE(tesvar); }

namespace tesvar {

void ensureShellResources()
{
    static const bool registered = [] {
        registerTesvarResources();
        return true;
    }();
    (void)registered;
}

}  // namespace tesvar
