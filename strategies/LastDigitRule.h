#pragma once
// The price ticks of Covered Calls are brought to a multiple of 5 by looking
// at the last character of the number's text, one step of 1 per digit.

namespace velmora
{

// Up to the next number ending in 0 or 5 (27 gives 30, 31 gives 35, 35 stays).
double raisedToFive(double wholeNumber);

// Down by as many steps as the last digit of r0(value) lies above 0 or 5
// (17.4 gives 15.4, 13.2 gives 10.2); the fraction is kept.
double loweredToFive(double value);

} // namespace velmora
