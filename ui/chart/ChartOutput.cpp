#include "ui/chart/ChartOutput.h"

#include "core/PrivateModule.h"

#include <dlfcn.h>

#include <utility>

namespace velmora
{

const ChartOutput *chartOutput(QString &problem)
{
    static const auto loaded = []() -> std::pair<const ChartOutput *, QString> {
        const PrivateModule module = openPrivateModule(kOutputModule);
        void *entry = module.handle ? dlsym(module.handle, kOutputEntry) : nullptr;
        if (!entry) {
            const QString why
                = QString::fromLocal8Bit(module.handle ? dlerror() : module.problem.c_str());
            return {nullptr,
                QStringLiteral("Charts cannot be printed or written to files: %1").arg(why)};
        }
        return {reinterpret_cast<OutputEntry>(entry)(), {}};
    }();
    problem = loaded.second;
    return loaded.first;
}

} // namespace velmora
