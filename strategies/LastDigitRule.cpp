#include "strategies/LastDigitRule.h"

#include "core/Numbers.h"

namespace velmora
{

namespace
{

// The last character of the number's text as a digit; -1 when it is not one
// (exponent form, far beyond any price).
int lastDigit(double value)
{
    const QString text = numberText(value);
    if (text.isEmpty() || text.contains(u'E'))
        return -1;
    const QChar last = text.back();
    return last.isDigit() ? last.digitValue() : -1;
}

} // namespace

double raisedToFive(double wholeNumber)
{
    const int digit = lastDigit(wholeNumber);
    if (digit > 5)
        return wholeNumber + (10 - digit);
    if (digit > 0 && digit < 5)
        return wholeNumber + (5 - digit);
    return wholeNumber;
}

double loweredToFive(double value)
{
    // One step at a time, reading r0 afresh: a price ending in .5 rounds to
    // the even neighbour, so r0 falls by 0 or 2 a step and only a multiple
    // of 10 can end the walk. Eight steps reach it from any last digit
    // (18.5 to 10.5).
    constexpr int kMostSteps = 8;
    for (int step = 0; step < kMostSteps; ++step) {
        const int digit = lastDigit(r0(value));
        if (digit <= 0 || digit == 5)
            break;
        value -= 1;
    }
    return value;
}

} // namespace velmora
