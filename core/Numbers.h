#pragma once
// The number rules every part of the program shares: how the text of an entry
// field reads as a number, how a derived number is written back into a field,
// how amounts are rounded, and how the chart prints a number.
//
// Fields are plain text; the program never keeps a number outside the field
// it came from. "." is the decimal point whatever the user's locale.

#include <QString>
#include <QStringView>

#include <optional>

namespace velmora
{

// The leading decimal number of a field's text: leading blanks skipped, an
// optional sign, digits with at most one ".", an optional exponent part
// ("E+20", as the program writes very large numbers), anything after it ignored.
// A text without a leading number reads as 0. A number too large for a
// double reads as the largest finite double of its sign, never as infinity.
double fieldNumber(QStringView text);

// True when the trimmed text reads as a number not greater than 0: a blank
// field, "0", a negative amount and "abc" are all empty to the chart checks.
bool isEmptyNumber(QStringView text);

// True when the trimmed text has at least one character.
bool isFilled(QStringView text);

// What a number field takes as typed: digits, ".", the blank and the editing
// keys Backspace, Enter and Esc.
bool isNumberKey(QChar key);
// Pasted or dropped text a number field takes: what typing would take, and
// one decimal point at most.
bool isNumberText(QStringView text);

// The shortest decimal text of a derived number, as it is written back into
// a field: at most 15 significant digits, no trailing zeros, no thousands
// separator, "-" for negatives, plain digits below 1e15 (exponent form
// "1.5E+20" only beyond that). A value that is not finite gives the empty
// text, so a field never shows "nan" or "inf".
QString numberText(double value);

// Rounds to the given number of decimals (0 to 15), an exact half going to
// the even neighbour. "Exact" is judged on the number's 15-digit decimal
// text, so 2.345 gives 2.34 and 2.355 gives 2.36 although neither is exact
// in binary. Non-finite values come back unchanged.
double roundHalfEven(double value, int decimals);
inline double r2(double value)
{
    return roundHalfEven(value, 2);
}
inline double r0(double value)
{
    return roundHalfEven(value, 0);
}

// A number as the chart prints it: a leading blank when it is not negative,
// one trailing blank, the shortest decimal text in between (" 18 ", "-600 ").
// Non-finite values have no printed form.
std::optional<QString> printedNumber(double value);

// The whole-number (32-bit) value of x, rounded half to even; nothing when
// x is not finite or does not fit.
std::optional<int> wholeNumber(double value);

} // namespace velmora
