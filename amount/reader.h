#ifndef STUDENT_AMOUNT_READER_H_
#define STUDENT_AMOUNT_READER_H_

#include <locale>

#include "amount/to_float.h"

namespace amount {

// Returns `base` with a number reader that reads a float by one rule on every
// standard library (see Parse), in one pass and in constant memory, whatever
// the length of the text:
//   - text that is not a complete number gives 0 and fails the read;
//   - a number too large for float gives the largest float with its sign and
//     fails the read; one too small gives 0 with its sign;
//   - a read error from the stream buffer (an exception) ends the number as
//     end of input does: what was read is converted and stored, and the
//     stream is left bad.
// The decimal point is always '.', and digit grouping is never read, whatever
// the stream's numpunct says.
std::locale WithReader(const std::locale& base,
                       Conversion conversion = BestConversion());

}  // namespace amount

#endif  // STUDENT_AMOUNT_READER_H_
