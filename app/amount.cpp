#include "amount.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ios>
#include <limits>
#include <system_error>

namespace {

// The leading digit's power of ten from which a value is too large for
// float, and the one below which it rounds to zero: the largest float is
// about 3.4 × 10^38, half the smallest about 7 × 10^-46.
constexpr long long kTooLargePower = 39;
constexpr long long kTooSmallPower = -46;

constexpr float kLargest = std::numeric_limits<float>::max();

// A short normalised text, d1.d2...dn[1]e±NN, that rounds as the whole
// number does: a trailing 1 stands for the non-zero digits not kept.
class ShortText {
 public:
  ShortText(const char* digits, int kept, bool sticky, long long power) {
    Put(digits[0]);
    if (kept > 1 || sticky) Put('.');
    for (int i = 1; i < kept; ++i) Put(digits[i]);
    if (sticky) Put('1');
    Put('e');
    end_ = std::to_chars(end_, text_ + sizeof text_ - 1, power).ptr;
    *end_ = '\0';  // strtof needs the end marked
  }

  const char* begin() const { return text_; }
  const char* end() const { return end_; }

 private:
  void Put(char c) { *end_++ = c; }

  // The digits, a point, a sticky digit, e, a sign and the power, a NUL.
  char text_[Amount::kKeptDigits + 32] = {};
  char* end_ = text_;
};

// Each conversion sets `value` to the float nearest to `text` and returns
// false, or returns true when that float is out of range: infinite, or zero
// for a value that is not.
bool ConvertWithStrtof(const ShortText& text, float& value) {
  // strtof sets ERANGE for subnormal results that it rounds right as well,
  // so its result alone decides.
  value = std::strtof(text.begin(), nullptr);
  return std::isinf(value) || value == 0.0F;
}

#if defined(__cpp_lib_to_chars)
constexpr bool kHasFromChars = true;

bool ConvertWithFromChars(const ShortText& text, float& value) {
  if (std::from_chars(text.begin(), text.end(), value).ec !=
      std::errc::result_out_of_range) {
    return false;
  }
  // libstdc++ 11 reports subnormal results as out of range too, without a
  // value: strtof tells them from zero and infinity.
  return ConvertWithStrtof(text, value);
}
#else
constexpr bool kHasFromChars = false;

bool ConvertWithFromChars(const ShortText& text, float& value) {
  return ConvertWithStrtof(text, value);
}
#endif

}  // namespace

AmountConversion BestAmountConversion() {
  return kHasFromChars ? AmountConversion::kFromChars
                       : AmountConversion::kStrtof;
}

float Amount::ToFloat(AmountConversion conversion,
                      std::ios_base::iostate& state) const {
  if (!digit_ || exponentMissing_) {
    state |= std::ios_base::failbit;
    return 0.0F;
  }
  const float magnitude = Magnitude(conversion, state);
  return negative_ ? -magnitude : magnitude;
}

float Amount::Magnitude(AmountConversion conversion,
                        std::ios_base::iostate& state) const {
  if (kept_ == 0) return 0.0F;  // only zeros
  const long long power =
      scale_ - 1 + (exponentNegative_ ? -exponent_ : exponent_);
  if (power < kTooSmallPower) return 0.0F;
  if (power < kTooLargePower) {
    const ShortText text(digits_, kept_, sticky_, power);
    float value = 0.0F;
    const bool outOfRange = conversion == AmountConversion::kFromChars
                                ? ConvertWithFromChars(text, value)
                                : ConvertWithStrtof(text, value);
    if (!outOfRange) return value;
    if (power < 0) return 0.0F;
  }
  state |= std::ios_base::failbit;
  return kLargest;
}
