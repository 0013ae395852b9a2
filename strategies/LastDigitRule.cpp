#include "strategies/LastDigitRule.h"

#include "app/Numbers.h"

namespace velmora
{

namespace
{

// The last character of the number's text as a digit; -1 when it is not one.
int lastDigit(double value)
{
    const QString text = numberText(value);
    if (text.isEmpty())
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
    // The steps are counted once: with half-to-even rounding, r0 of a price
    // ending in .5 does not always fall by 1 when the price does.
    const int digit = lastDigit(r0(value));
    if (digit > 5)
        return value - (digit - 5);
    if (digit > 0 && digit < 5)
        return value - digit;
    return value;
}

} // namespace velmora
