#ifndef STUDENT_AMOUNT_TO_FLOAT_H_
#define STUDENT_AMOUNT_TO_FLOAT_H_

#include "amount/decimal.h"

namespace amount {

// How the digits kept are turned into a float: std::from_chars, where the
// standard library has it for float, or the C library's strtof. Both are
// given a short text of at most about 130 characters, so either is fast;
// each is as correctly rounded as the library makes it.
enum class Conversion { kFromChars, kStrtof };

// from_chars where the standard library has it for float, strtof elsewhere.
Conversion BestConversion();

enum class Status {
  kOk,
  kNotANumber,  // no digit, or an exponent marker with no digit after it
  kTooLarge,    // beyond the largest float, once rounded
};

struct Result {
  float value;
  Status status;
};

// The float nearest to `decimal`, rounded to even on a tie. Text that is not
// a complete number gives 0; a value of 10^39 or more, or one that rounds
// past the largest float, gives that float with its sign; one of at most half
// the smallest float (about 7 × 10^-46) gives 0 with its sign. kFromChars where
// the library has no such conversion means kStrtof.
Result ToFloat(const Decimal& decimal, Conversion conversion);

}  // namespace amount

#endif  // STUDENT_AMOUNT_TO_FLOAT_H_
