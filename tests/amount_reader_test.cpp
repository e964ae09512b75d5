// The amount reader must read every amount exactly as the classic locale's
// own number reader does natively, where that one converts with glibc's
// correctly rounded strtof: the same value bits, the same stream state, and
// the same first character left unread.
#include "amount_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Reading {
  std::uint32_t bits;
  std::ios_base::iostate state;
  std::string unread;

  bool operator==(const Reading& other) const {
    return bits == other.bits && state == other.state && unread == other.unread;
  }
};

Reading Read(const std::string& text, const std::locale& locale) {
  std::istringstream in(text);
  in.imbue(locale);
  float value = 12345.0F;  // shows whether the read stored a value at all
  in >> value;
  Reading reading{0, in.rdstate(), {}};
  std::memcpy(&reading.bits, &value, sizeof value);
  in.clear();
  reading.unread.assign(std::istreambuf_iterator<char>(in), {});
  return reading;
}

class Amounts {
 public:
  std::string FromGrammar() {
    std::string text;
    if (Pick(4) == 0) text += " \n\t"[Pick(3)];
    text += Choose({"", "", "+", "-"});
    text += Digits();
    if (Pick(2) == 0) text += "." + Digits();
    if (Pick(3) == 0) {
      text += Choose({"e", "E"});
      text += Choose({"", "+", "-"});
      text += Choose({"", "0", "38", "39", "44", "45", "46", "0045", "19999",
                      "20000", "99999999999999999999"});
      text += Digits(3);
    }
    return text + Choose({"", "", "\n", " 5", "dollars", ".", ".5", "e", "e+",
                          "+", "-", "x", "E1"});
  }

  // A run of up to 30,000 zeros, in the integer part or the fraction, that an
  // exponent of about the same size takes back, to a value near either end
  // of the range.
  std::string Shifted() {
    const int zeros = Pick(30000);
    const int shift = zeros + Pick(101) - 50;
    const std::string run(static_cast<size_t>(zeros), '0');
    return Pick(2) == 0 ? "7" + run + "e-" + std::to_string(shift)
                        : "." + run + "7e" + std::to_string(shift);
  }

  // The exact decimal text of the point halfway between two neighbouring
  // floats, anywhere from the subnormals to the overflow threshold, as it
  // stands, cut short, or pushed just past the tie.
  std::string NearATie() {
    const float low = Float();
    const double high = low == std::numeric_limits<float>::max()
                            ? std::ldexp(1.0, 128)
                            : static_cast<double>(std::nextafter(
                                  low, std::numeric_limits<float>::infinity()));
    std::vector<char> digits(200);
    std::snprintf(digits.data(), digits.size(), "%.160e",
                  (static_cast<double>(low) + high) / 2);
    std::string text = digits.data();
    const int e = static_cast<int>(text.find('e'));
    switch (Pick(3)) {
      case 0: {
        const int cut = 3 + Pick(e - 3);
        text.erase(static_cast<size_t>(cut), static_cast<size_t>(e - cut));
        break;
      }
      case 1:
        text.insert(static_cast<size_t>(e), "0001");
        break;
      default:
        break;
    }
    return (Pick(2) == 0 ? "-" : "") + text;
  }

 private:
  int Pick(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random_);
  }

  std::string Choose(std::initializer_list<const char*> choices) {
    return *(choices.begin() + Pick(static_cast<int>(choices.size())));
  }

  std::string Digits(int kinds = 6) {
    std::string digits;
    switch (Pick(kinds)) {
      case 0:
        return "";
      case 1:
        digits.assign(static_cast<size_t>(Pick(3000)), '0');
        break;
      case 2:
        digits.assign(static_cast<size_t>(Pick(60)), '9');
        break;
      default:
        break;
    }
    for (int n = Pick(45); n > 0; --n)
      digits += static_cast<char>('0' + Pick(10));
    return digits;
  }

  // A positive finite float: the edges of the range more often than not.
  float Float() {
    std::uint32_t bits = 0;
    switch (Pick(4)) {
      case 0:
        bits = static_cast<std::uint32_t>(
            Pick(1 << 24));  // subnormal, or just above
        break;
      case 1:
        bits = 0x7f7fffffU - static_cast<std::uint32_t>(Pick(1 << 10));
        break;
      default:
        bits = static_cast<std::uint32_t>(Pick(0x7f800000));
        break;
    }
    float value = 0.0F;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  std::mt19937 random_{20261208};
};

TEST(AmountReaderTest, ReadsEveryAmountAsTheNativeReaderDoes) {
  const std::locale classic = std::locale::classic();
  const std::locale amounts = WithAmountReader(classic);
  Amounts make;
  for (int round = 0; round < 4000; ++round) {
    const std::string text = round % 4 == 0    ? make.NearATie()
                             : round % 20 == 1 ? make.Shifted()
                                               : make.FromGrammar();
    ASSERT_TRUE(Read(text, amounts) == Read(text, classic))
        << "read differently: \"" << text.substr(0, 200) << "\" ("
        << text.size() << " characters)";
  }
}

}  // namespace
