#include "amount_reader.h"

#include <ios>
#include <iterator>
#include <locale>

#include "amount.h"

namespace {

using Iterator = std::istreambuf_iterator<char>;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign; true if it was a minus.
bool ReadMinus(Iterator& in, Iterator end) {
  if (in == end || (*in != '+' && *in != '-')) return false;
  const bool minus = *in == '-';
  ++in;
  return minus;
}

// Reads a run of the significand's digits, before the point or after it.
// Leading zeros and the digits past the kept ones are counted in locals, so
// that long runs cost little more than reading their characters. A read
// error that ends such a run loses its count, which then cannot matter: after
// leading zeros only, the value is zero; more than the kept digits before the
// point make it too large anyway, and after the point they do not move it.
// What does matter, that a digit came and whether a dropped one is non-zero,
// goes into `amount` at once.
Iterator ReadSignificand(Iterator in, Iterator end, Amount& amount,
                         bool fraction) {
  if (!amount.Significant() && in != end && *in == '0') {
    amount.SawZero();
    long long zeros = 0;
    for (; in != end && *in == '0'; ++in) ++zeros;
    amount.AddLeadingZeros(zeros, fraction);
  }
  for (; amount.HasRoom() && in != end; ++in) {
    const char c = *in;
    if (!IsDigit(c)) return in;
    amount.Keep(c, fraction);
  }
  long long dropped = 0;
  for (; in != end && *in == '0'; ++in) ++dropped;
  if (in != end && IsDigit(*in)) {
    amount.SetSticky();
    for (; in != end && IsDigit(*in); ++in) ++dropped;
  }
  amount.AddDropped(dropped, fraction);
  return in;
}

Iterator ReadExponent(Iterator in, Iterator end, Amount& amount) {
  amount.StartExponent();
  if (ReadMinus(in, end)) amount.SetExponentNegative();
  for (; in != end; ++in) {
    const char c = *in;
    if (!IsDigit(c)) break;
    amount.AddExponentDigit(c);
  }
  return in;
}

// Reads one number into `amount`, up to the first character that cannot
// continue it.
Iterator ReadNumber(Iterator in, Iterator end, Amount& amount) {
  if (ReadMinus(in, end)) amount.SetNegative();
  in = ReadSignificand(in, end, amount, false);
  if (in != end && *in == '.') {
    in = ReadSignificand(++in, end, amount, true);
  }
  if (amount.HasDigit() && in != end && (*in == 'e' || *in == 'E')) {
    in = ReadExponent(++in, end, amount);
  }
  return in;
}

// The stream's own extraction (its sentry, white-space skipping, state bits
// and exception mask) runs this for every float read through the locale.
class AmountReader : public std::num_get<char> {
 public:
  explicit AmountReader(AmountConversion conversion)
      : conversion_(conversion) {}

 protected:
  using std::num_get<char>::do_get;

  iter_type do_get(iter_type in, iter_type end, std::ios_base& /*stream*/,
                   std::ios_base::iostate& state, float& value) const override {
    Amount amount;
    try {
      in = ReadNumber(in, end, amount);
      if (in == end) state |= std::ios_base::eofbit;
    } catch (const std::ios_base::failure&) {
      // What a stream buffer throws when it cannot read: the number ends
      // there, and the stream goes bad so that nothing later reads.
      state |= std::ios_base::badbit;
    }
    value = amount.ToFloat(conversion_, state);
    return in;
  }

 private:
  AmountConversion conversion_;
};

}  // namespace

std::locale WithAmountReader(const std::locale& base,
                             AmountConversion conversion) {
  // The locale owns the facet.
  return std::locale(base, new AmountReader(conversion));
}
