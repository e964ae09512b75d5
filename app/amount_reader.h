#ifndef STUDENT_APP_AMOUNT_READER_H_
#define STUDENT_APP_AMOUNT_READER_H_

#include <locale>

// Returns `base` with a number reader that reads a float the same way on
// every standard library that can convert text to float itself
// (std::from_chars): a sign, digits with at most one point, then an exponent
// marker, only after a digit, with an optional sign and its digits. Text that
// is not a complete number gives 0 and fails the read; a number too large for
// float gives the largest float with its sign and fails the read; one too
// small gives 0 with its sign. The conversion is correctly rounded and takes
// time linear in the length of the text. Where the standard library has no
// such conversion, `base` comes back unchanged.
std::locale WithAmountReader(const std::locale& base);

#endif  // STUDENT_APP_AMOUNT_READER_H_
