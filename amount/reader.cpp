#include "amount/reader.h"

#include <ios>
#include <iterator>
#include <locale>

#include "amount/decimal.h"
#include "amount/parse.h"
#include "amount/to_float.h"

namespace amount {

namespace {

// The stream's own extraction (its sentry, white-space skipping, state bits
// and exception mask) runs this for every float read through the locale.
class Reader : public std::num_get<char> {
 public:
  explicit Reader(Conversion conversion) : conversion_(conversion) {}

 protected:
  using std::num_get<char>::do_get;

  iter_type do_get(iter_type in, iter_type end, std::ios_base& /*stream*/,
                   std::ios_base::iostate& state, float& value) const override {
    Decimal decimal;
    try {
      in = Parse(in, end, decimal);
      if (in == end) state |= std::ios_base::eofbit;
    } catch (const std::ios_base::failure&) {
      // What a stream buffer throws when it cannot read: the number ends
      // there, and the stream goes bad so that nothing later reads.
      state |= std::ios_base::badbit;
    }
    const Result result = ToFloat(decimal, conversion_);
    if (result.status != Status::kOk) state |= std::ios_base::failbit;
    value = result.value;
    return in;
  }

 private:
  Conversion conversion_;
};

}  // namespace

std::locale WithReader(const std::locale& base, Conversion conversion) {
  // The locale owns the facet.
  return std::locale(base, new Reader(conversion));
}

}  // namespace amount
