#pragma once
// The price ticks of Covered Calls are brought to a multiple of 5 by looking
// at the last character of the number's text, one step of 1 per digit.

namespace velmora
{

// Up to the next number ending in 0 or 5 (27 gives 30, 31 gives 35, 35 stays).
double raisedToFive(double wholeNumber);

// Down in steps of 1 until r0(value) ends in 0 or 5 (17.4 gives 15.4, 13.2
// gives 10.2); the fraction is kept, so 16.5, which rounds to 16 and then
// 16 again, ends at 10.5.
double loweredToFive(double value);

} // namespace velmora
