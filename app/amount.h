#ifndef STUDENT_APP_AMOUNT_H_
#define STUDENT_APP_AMOUNT_H_

#include <ios>

#include "amount_reader.h"

// What the amount reader keeps of a number while it reads it, in fixed
// storage whatever the number's length: its value is
// ±0.d1d2d3... × 10^(scale + exponent), where d1 is the first non-zero digit.
class Amount {
 public:
  // Every binary32 rounding is decided within the first 112 significant
  // digits; the rest only says whether the value lies above them.
  static constexpr int kKeptDigits = 120;

  void SetNegative() { negative_ = true; }
  bool HasDigit() const { return digit_; }

  // The significand's digits come in three runs, on either side of the
  // point: leading zeros, counted and never stored; the first significant
  // digits, kept while there is room; and the rest, counted, noting only
  // whether any of them is non-zero (sticky).
  bool Significant() const { return kept_ > 0; }
  bool HasRoom() const { return kept_ < kKeptDigits; }
  void SawZero() { digit_ = true; }
  void AddLeadingZeros(long long count, bool fraction) {
    if (fraction) scale_ -= count;
  }
  void Keep(char c, bool fraction) {
    digit_ = true;
    digits_[kept_++] = c;
    if (!fraction) ++scale_;
  }
  void SetSticky() { sticky_ = true; }
  void AddDropped(long long count, bool fraction) {
    if (!fraction) scale_ += count;
  }

  // The exponent marker, which needs at least one digit after it, its sign,
  // and its digits; the exponent saturates far beyond any power that could
  // still matter.
  void StartExponent() { exponentMissing_ = true; }
  void SetExponentNegative() { exponentNegative_ = true; }
  void AddExponentDigit(char c) {
    exponentMissing_ = false;
    if (exponent_ < kExponentBound) exponent_ = exponent_ * 10 + (c - '0');
  }

  // The value rounded to float. Text that is not a complete number gives 0
  // and failbit; a value of 10^39 or more, or one that rounds past the
  // largest float, gives that float with its sign and failbit; one below
  // 10^-46 gives 0 with its sign.
  float ToFloat(AmountConversion conversion,
                std::ios_base::iostate& state) const;

 private:
  static constexpr long long kExponentBound = 100'000'000'000'000'000;

  float Magnitude(AmountConversion conversion,
                  std::ios_base::iostate& state) const;

  bool negative_ = false;
  bool digit_ = false;  // the significand has a digit, zeros included
  char digits_[kKeptDigits] = {};
  int kept_ = 0;
  bool sticky_ = false;  // a non-zero digit came after the kept ones
  long long scale_ = 0;
  bool exponentMissing_ = false;  // a marker with no digit after it
  bool exponentNegative_ = false;
  long long exponent_ = 0;
};

#endif  // STUDENT_APP_AMOUNT_H_
