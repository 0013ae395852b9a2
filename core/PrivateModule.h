#pragma once
// The paper-and-files module carries libraries that most runs never need
// (pricing has a loader of its own, in strategies/OptionPricing.cpp). Each is loaded by its file
// name, through the run path of the program or module that asks for it, the first time it is
// needed, and stays loaded.

#include <string>

namespace velmora
{

struct PrivateModule {
    void *handle = nullptr; // null when it could not be loaded
    std::string problem; // why not, in the loader's words

    // A function of the module; null when the module or the function is
    // missing, with the loader's words in `why`.
    void *symbol(const char *name, std::string &why) const;
};

PrivateModule openPrivateModule(const char *fileName);

} // namespace velmora
