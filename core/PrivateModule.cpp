#include "core/PrivateModule.h"

#include <dlfcn.h>

namespace velmora
{

PrivateModule openPrivateModule(const char *fileName)
{
    PrivateModule module;
    module.handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!module.handle)
        module.problem = dlerror();
    return module;
}

} // namespace velmora
