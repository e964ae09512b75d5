#include "amount/to_float.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace amount {

namespace {

// The leading digit's power of ten from which a value is too large for
// float, and the one below which it rounds to zero: the largest float is
// about 3.4 × 10^38, half the smallest about 7 × 10^-46.
constexpr long long kTooLargePower = 39;
constexpr long long kTooSmallPower = -46;

constexpr float kLargest = std::numeric_limits<float>::max();

// A short text, d1d2...dn[1]e±NN, that rounds as the whole number does: the
// kept digits as a whole number, a trailing 1 standing for the non-zero
// digits not kept, and `power`, that of d1, moved to match. It holds no decimal
// point, so strtof reads it the same whatever the C locale's point is.
class ShortText {
 public:
  ShortText(const Decimal& decimal, long long power) {
    for (int i = 0; i < decimal.kept; ++i) Put(decimal.digits[i]);
    if (decimal.sticky) Put('1');
    const long long digits = end_ - text_;
    Put('e');
    end_ =
        std::to_chars(end_, text_ + sizeof text_ - 1, power - digits + 1).ptr;
    *end_ = '\0';  // strtof needs the end marked
  }

  const char* begin() const { return text_; }
  const char* end() const { return end_; }

 private:
  void Put(char c) { *end_++ = c; }

  // The digits, a sticky digit, e, a sign and the power, a NUL.
  char text_[Decimal::kKeptDigits + 32];
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
  // value: strtof tells them from zero and infinity. The g++ 11 build, linked
  // with its own libstdc++, reads every subnormal through here; libstdc++ 12
  // gives subnormals their value and comes here only for zero and infinity,
  // where strtof agrees.
  return ConvertWithStrtof(text, value);
}
#else
constexpr bool kHasFromChars = false;

bool ConvertWithFromChars(const ShortText& text, float& value) {
  return ConvertWithStrtof(text, value);
}
#endif

// The magnitude of a complete number.
Result Magnitude(const Decimal& decimal, Conversion conversion) {
  if (decimal.kept == 0) return {0.0F, Status::kOk};  // only zeros
  const long long power =
      decimal.scale - 1 +
      (decimal.exponentNegative ? -decimal.exponent : decimal.exponent);
  if (power < kTooSmallPower) return {0.0F, Status::kOk};
  if (power < kTooLargePower) {
    const ShortText text(decimal, power);
    float value = 0.0F;
    const bool outOfRange = conversion == Conversion::kFromChars
                                ? ConvertWithFromChars(text, value)
                                : ConvertWithStrtof(text, value);
    if (!outOfRange) return {value, Status::kOk};
    if (power < 0) return {0.0F, Status::kOk};
  }
  return {kLargest, Status::kTooLarge};
}

}  // namespace

Conversion BestConversion() {
  return kHasFromChars ? Conversion::kFromChars : Conversion::kStrtof;
}

Result ToFloat(const Decimal& decimal, Conversion conversion) {
  if (!decimal.hasDigit || decimal.exponentMissing) {
    return {0.0F, Status::kNotANumber};
  }
  Result result = Magnitude(decimal, conversion);
  if (decimal.negative) result.value = -result.value;
  return result;
}

}  // namespace amount
