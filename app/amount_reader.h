#ifndef STUDENT_APP_AMOUNT_READER_H_
#define STUDENT_APP_AMOUNT_READER_H_

#include <locale>

// How the amount reader turns the digits it kept into a float: std::from_chars,
// where the standard library has it for float, or the C library's strtof.
// Both are given a short text of at most about 130 characters, so either is
// fast; each is as correctly rounded as the library makes it.
enum class AmountConversion { kFromChars, kStrtof };

// from_chars where the standard library has it for float, strtof elsewhere.
AmountConversion BestAmountConversion();

// Returns `base` with a number reader that reads a float by one rule on every
// standard library: a sign, digits with at most one point, then an exponent
// marker, only after a digit, with an optional sign and its digits. It reads
// in one pass, in constant memory, whatever the length of the text.
//   - Text that is not a complete number gives 0 and fails the read.
//   - A number too large for float gives the largest float with its sign and
//     fails the read; one too small gives 0 with its sign.
//   - A read error from the stream buffer (an exception) ends the number as
//     end of input does: what was read is converted and stored, and the
//     stream is left bad.
// kFromChars where the library has no such conversion means kStrtof.
std::locale WithAmountReader(
    const std::locale& base,
    AmountConversion conversion = BestAmountConversion());

#endif  // STUDENT_APP_AMOUNT_READER_H_
