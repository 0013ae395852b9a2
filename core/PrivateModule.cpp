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

void *PrivateModule::symbol(const char *name, std::string &why) const
{
    if (!handle) {
        why = problem;
        return nullptr;
    }
    void *found = dlsym(handle, name);
    if (!found)
        why = dlerror();
    return found;
}

} // namespace velmora
