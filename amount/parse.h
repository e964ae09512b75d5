#ifndef STUDENT_AMOUNT_PARSE_H_
#define STUDENT_AMOUNT_PARSE_H_

#include "amount/decimal.h"

namespace amount {

namespace parse_detail {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign; true if it was a minus.
template <typename Iterator>
bool ReadMinus(Iterator& in, Iterator end) {
  if (in == end || (*in != '+' && *in != '-')) return false;
  const bool minus = *in == '-';
  ++in;
  return minus;
}

// Reads a run of the significand's digits, before the point or after it, in
// three parts: leading zeros, counted and never stored; the first
// significant digits, kept while there is room; the rest, counted, noting
// whether any is non-zero. The counts of the first and last part live in
// locals, so that a long run costs little more than reading its characters.
// Should reading fail inside such a part, its count is lost, which cannot
// change the value: after leading zeros only, the value is zero; more digits
// than the kept ones before the point make it too large anyway, and after the
// point they do not move it. What does matter, that a digit came and whether
// a dropped one is non-zero, goes into `decimal` at once.
template <typename Iterator>
Iterator ReadDigits(Iterator in, Iterator end, Decimal& decimal,
                    bool afterPoint) {
  if (decimal.kept == 0 && in != end && *in == '0') {
    decimal.hasDigit = true;
    long long zeros = 0;
    for (; in != end && *in == '0'; ++in) ++zeros;
    if (afterPoint) decimal.scale -= zeros;
  }
  for (; decimal.kept < Decimal::kKeptDigits && in != end; ++in) {
    const char c = *in;
    if (!IsDigit(c)) return in;
    decimal.hasDigit = true;
    decimal.digits[decimal.kept++] = c;
    if (!afterPoint) ++decimal.scale;
  }
  long long dropped = 0;
  for (; in != end && *in == '0'; ++in) ++dropped;
  if (in != end && IsDigit(*in)) {
    decimal.sticky = true;
    for (; in != end && IsDigit(*in); ++in) ++dropped;
  }
  if (!afterPoint) decimal.scale += dropped;
  return in;
}

// Reads the exponent after its marker: an optional sign and its digits, each
// digit into `decimal` as it comes.
template <typename Iterator>
Iterator ReadExponent(Iterator in, Iterator end, Decimal& decimal) {
  decimal.exponentMissing = true;
  if (ReadMinus(in, end)) decimal.exponentNegative = true;
  for (; in != end; ++in) {
    const char c = *in;
    if (!IsDigit(c)) break;
    decimal.exponentMissing = false;
    if (decimal.exponent < Decimal::kExponentBound) {
      decimal.exponent = decimal.exponent * 10 + (c - '0');
    }
  }
  return in;
}

}  // namespace parse_detail

// Reads one number from [in, end) into `decimal`, in one pass, and returns
// where it stopped: at the first character that cannot continue it. The
// number is a sign, digits with at most one point, then an exponent marker
// (e or E), only after a digit, with an optional sign and its digits.
// Whether the gathered text is a complete number is for ToFloat to say.
//
// Any input iterator will do. If reading throws part-way, `decimal` holds
// what was read before, as if the input had ended there.
template <typename Iterator>
Iterator Parse(Iterator in, Iterator end, Decimal& decimal) {
  if (parse_detail::ReadMinus(in, end)) decimal.negative = true;
  in = parse_detail::ReadDigits(in, end, decimal, false);
  if (in != end && *in == '.') {
    in = parse_detail::ReadDigits(++in, end, decimal, true);
  }
  if (decimal.hasDigit && in != end && (*in == 'e' || *in == 'E')) {
    in = parse_detail::ReadExponent(++in, end, decimal);
  }
  return in;
}

}  // namespace amount

#endif  // STUDENT_AMOUNT_PARSE_H_
