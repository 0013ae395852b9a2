#pragma once
// An arithmetic fault during a chart that the checks cannot stop (a zero
// divisor, a whole number out of range, a result that is not finite); what()
// is the message the user sees.

#include <stdexcept>

namespace velmora
{

class ChartFault : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace velmora
