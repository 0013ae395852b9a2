#include "ui/chart/ChartOutput.h"

#include "core/PrivateModule.h"

#include <string>

namespace velmora
{

const ChartOutput *chartOutput(const std::function<void(const Message &)> &tell)
{
    static std::string why;
    static const ChartOutput *const output = [] {
        void *entry = openPrivateModule(kOutputModule).symbol(kOutputEntry, why);
        return entry ? reinterpret_cast<OutputEntry>(entry)() : nullptr;
    }();
    if (!output)
        tell({QStringLiteral("Charts cannot be printed or written to files: %1")
                  .arg(QString::fromStdString(why)),
            MsgStyle::Stop, {}});
    return output;
}

} // namespace velmora
