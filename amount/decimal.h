#ifndef STUDENT_AMOUNT_DECIMAL_H_
#define STUDENT_AMOUNT_DECIMAL_H_

namespace amount {

// A decimal number as the reader gathered it, in fixed storage whatever the
// length of its text: ±0.d1d2d3... × 10^(scale ± exponent), where d1 is the
// first non-zero digit. Leading zeros are counted in `scale`, never stored.
struct Decimal {
  // The float nearest a decimal number can hinge on its 113th significant
  // digit: a tie between two neighbouring floats, (2m+1) × 2^-150 with
  // 2m+1 ≥ 14,272,477, has 113 of them. Past the kept digits only whether
  // any is non-zero matters, and `sticky` says so.
  static constexpr int kKeptDigits = 120;
  static_assert(kKeptDigits >= 113,
                "a tie between two floats can need 113 significant digits");

  // The exponent stops growing here, far beyond any power that could still
  // matter, and beyond any count of digits a text can hold.
  static constexpr long long kExponentBound = 100'000'000'000'000'000;

  bool negative = false;
  bool hasDigit = false;  // the significand has a digit, zeros included
  char digits[kKeptDigits] = {};
  int kept = 0;
  bool sticky = false;  // a non-zero digit came after the kept ones
  long long scale = 0;
  bool exponentMissing = false;  // a marker with no digit after it
  bool exponentNegative = false;
  long long exponent = 0;  // its magnitude, up to kExponentBound
};

}  // namespace amount

#endif  // STUDENT_AMOUNT_DECIMAL_H_
