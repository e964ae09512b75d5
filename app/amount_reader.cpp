#include "amount_reader.h"

#include <charconv>
#include <ios>
#include <limits>
#include <locale>
#include <string>
#include <system_error>

#if defined(__cpp_lib_to_chars)

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `number`, a complete number out of float's range, is too large
// rather than too small. Out of range, its leading digit stands at 10^38 or
// above, or at 10^-46 or below, so the sign of that power decides. Exponents
// may have more digits than any integer type: beyond this bound their sign
// alone matters.
bool TooLarge(const std::string& number) {
  constexpr long long kBound = 1'000'000'000'000'000;
  long long integerDigits = 0;
  long long leadingZeros = 0;
  bool point = false;
  bool nonzero = false;
  std::string::size_type i = 0;
  for (; i < number.size() && number[i] != 'e'; ++i) {
    const char c = number[i];
    if (c == '.') {
      point = true;
    } else if (IsDigit(c)) {
      integerDigits += point ? 0 : 1;
      nonzero = nonzero || c != '0';
      leadingZeros += nonzero ? 0 : 1;
    }
  }
  long long exponent = 0;
  bool negative = false;
  for (++i; i < number.size(); ++i) {
    if (number[i] == '-') negative = true;
    if (IsDigit(number[i]) && exponent < kBound) {
      exponent = exponent * 10 + (number[i] - '0');
    }
  }
  const long long lead = integerDigits - 1 - leadingZeros;
  return lead + (negative ? -exponent : exponent) >= 0;
}

// Converts the gathered `text` as the classic C conversion does, but rounded
// correctly on every platform.
void Convert(const std::string& text, float& value,
             std::ios_base::iostate& state) {
  const char* first = text.data();
  const char* const last = first + text.size();
  const bool negative = first != last && *first == '-';
  if (first != last && *first == '+') ++first;  // from_chars takes no plus
  const std::from_chars_result result = std::from_chars(first, last, value);
  if (result.ptr != last || result.ec == std::errc::invalid_argument) {
    value = 0.0F;
    state |= std::ios_base::failbit;
  } else if (result.ec == std::errc::result_out_of_range) {
    if (TooLarge(text)) {
      value = std::numeric_limits<float>::max();
      state |= std::ios_base::failbit;
    } else {
      value = 0.0F;
    }
    if (negative) value = -value;
  }
}

// The stream's own extraction (its sentry, white-space skipping, state bits
// and exception mask) runs this for every float read through the locale.
class AmountReader : public std::num_get<char> {
 protected:
  using std::num_get<char>::do_get;

  iter_type do_get(iter_type in, iter_type end, std::ios_base& /*stream*/,
                   std::ios_base::iostate& state, float& value) const override {
    std::string text;
    if (in != end && (*in == '+' || *in == '-')) {
      text += *in;
      ++in;
    }
    // Leading zeros say only that a digit is there: one is kept, so that
    // megabytes of them cost no memory.
    bool digit = in != end && *in == '0';
    if (digit) {
      text += '0';
      while (++in != end && *in == '0') {
      }
    }
    bool point = false;
    bool exponent = false;
    while (in != end) {
      const char c = *in;
      if (IsDigit(c)) {
        text += c;
        digit = true;
      } else if (c == '.' && !point && !exponent) {
        text += c;
        point = true;
      } else if ((c == 'e' || c == 'E') && digit && !exponent) {
        text += 'e';
        exponent = true;
        if (++in != end && (*in == '+' || *in == '-')) {
          text += *in;
          ++in;
        }
        continue;
      } else {
        break;
      }
      ++in;
    }
    if (in == end) state |= std::ios_base::eofbit;
    Convert(text, value, state);
    return in;
  }
};

}  // namespace

std::locale WithAmountReader(const std::locale& base) {
  return std::locale(base, new AmountReader);  // the locale owns the facet
}

#else

std::locale WithAmountReader(const std::locale& base) { return base; }

#endif
