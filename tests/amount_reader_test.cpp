// Everywhere, the edges of the rule and of the range, amounts too long for
// any reader that holds their text, and a read error part-way, must give
// their true value and state. Where the classic locale's own number reader
// converts with glibc's correctly rounded strtof (libstdc++ on glibc), the
// amount reader must also read every amount exactly as that one does, with
// either conversion: the same value bits, the same stream state, and the same
// first character left unread.
#include "amount/reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <ios>
#include <istream>
#include <iterator>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <tuple>
#include <utility>
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

std::uint32_t Bits(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof value);
  return bits;
}

Reading Read(std::istream& in, const std::locale& locale) {
  in.imbue(locale);
  float value = 12345.0F;  // shows whether the read stored a value at all
  in >> value;
  Reading reading{Bits(value), in.rdstate(), {}};
  in.clear();
  reading.unread.assign(std::istreambuf_iterator<char>(in), {});
  return reading;
}

Reading Read(const std::string& text, const std::locale& locale) {
  std::istringstream in(text);
  return Read(in, locale);
}

// Makes its characters as they are read, in constant memory: each piece
// repeated as often as it says. At the end it throws as a stream buffer does
// when a read fails, if asked to.
class Generated : public std::streambuf {
 public:
  using Piece = std::pair<std::string, std::uint64_t>;  // text, repeats

  explicit Generated(std::vector<Piece> pieces, bool failAtEnd = false)
      : pieces_(std::move(pieces)), failAtEnd_(failAtEnd) {}

 protected:
  // Hands out one piece at a time: a run of one character a buffer at a
  // time, any other piece (not empty) from its own text.
  int_type underflow() override {
    while (next_ < pieces_.size() && pieces_[next_].second == 0) ++next_;
    if (next_ == pieces_.size()) {
      if (failAtEnd_) throw std::ios_base::failure("read failed");
      return traits_type::eof();
    }
    auto& [text, repeats] = pieces_[next_];
    if (text.size() == 1) {
      const auto n = static_cast<std::size_t>(
          std::min<std::uint64_t>(repeats, sizeof run_));
      std::memset(run_, text[0], n);
      setg(run_, run_, run_ + n);
      repeats -= n;
    } else {
      setg(text.data(), text.data(), text.data() + text.size());
      --repeats;
    }
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::vector<Piece> pieces_;
  std::size_t next_ = 0;
  bool failAtEnd_;
  char run_[1 << 16];
};

// Value bits and stream state after reading the generated amount.
std::pair<std::uint32_t, std::ios_base::iostate> ReadGenerated(
    std::vector<Generated::Piece> pieces) {
  Generated buffer(std::move(pieces));
  std::istream in(&buffer);
  const Reading reading = Read(in, amount::WithReader(std::locale::classic()));
  return {reading.bits, reading.state};
}

// Long runs of zeros and exponents beyond 32 bits: a reader that holds the
// text needs gigabytes for these, and libstdc++'s from_chars stops counting
// exponent digits at 2^28. Unoptimised builds (the sanitizers') run shorter
// runs of zeros through the same code.
TEST(AmountReaderTest, LongAmountsGiveTheirTrueValue) {
#if defined(NDEBUG)
  constexpr std::uint64_t kZeros = std::uint64_t{1} << 28;
#else
  constexpr std::uint64_t kZeros = std::uint64_t{1} << 20;
#endif
  const auto eof = std::ios_base::eofbit;
  const auto failed = std::ios_base::eofbit | std::ios_base::failbit;
  const std::uint32_t largest = Bits(std::numeric_limits<float>::max());
  const std::uint32_t thousand = Bits(1000.0F);
  using Expected = std::pair<std::uint32_t, std::ios_base::iostate>;

  // At least 10^2415919113 and at most 10^-2415919113.
  EXPECT_EQ(ReadGenerated({{"-0.", 1}, {"0", kZeros}, {"1e2684354570", 1}}),
            Expected(largest | 0x80000000U, failed));
  EXPECT_EQ(ReadGenerated({{"1", 1}, {"0", kZeros + 1}, {"e-2684354570", 1}}),
            Expected(0, eof));
  // Zeros that the exponent takes back, after the point and before it.
  EXPECT_EQ(
      ReadGenerated(
          {{"0.", 1}, {"0", kZeros}, {"1e" + std::to_string(kZeros + 4), 1}}),
      Expected(thousand, eof));
  EXPECT_EQ(
      ReadGenerated(
          {{"1", 1}, {"0", kZeros}, {"e-" + std::to_string(kZeros - 3), 1}}),
      Expected(thousand, eof));
  // 7 × 10^-50: an exponent may only saturate beyond the text's own length.
  EXPECT_EQ(ReadGenerated({{"7", 1}, {"0", 1000000}, {"e-1000050", 1}}),
            Expected(0, eof));
}

// The edges of the rule and of the range, on every build, with the
// conversion the program uses there: the float each amount must give (its
// bits, worked out from the exact values), whether the read fails, and what
// is left unread. (mingw-w64's strtof, which the Windows build does not use,
// rounds some subnormal ties wrongly.)
TEST(AmountReaderTest, EdgesGiveTheirExactFloat) {
  // The exact halfway points between neighbouring floats: 2^-150, half the
  // least subnormal; 3 × 2^-150; and (2m+1) × 2^-150 for 2m+1 = 16777213 and
  // 16777215, just below the least normal float, with 113 significant digits.
  const std::string half =
      "7.0064923216240853546186479164495806564013097093825788587853414194489"
      "5541342930300743319094181060791015625";
  const std::string threeHalves =
      "2.1019476964872256063855943749348741969203929128147736576356024258346"
      "86624028790902229957282543182373046875";
  const std::string evenBelow =
      "1.1754941406275178592461758986628081843312458647327962400313859427181"
      "746759860647699724722770042717456817626953125";
  const std::string evenAbove =
      "1.1754942807573642917278829910357665133228589927589904276829631184250"
      "030649651730385585324256680905818939208984375";
  // 10^130 + 10^10: its second non-zero digit and the zeros after it lie
  // past the kept digits, yet still count towards its size.
  const std::string sticky = "1" + std::string(119, '0') + "1" + "0000000000";
  const std::uint32_t largest = 0x7f7fffffU;
  struct Row {
    std::string text;
    std::uint32_t bits;
    bool fails;
    std::string unread;
  };
  const Row rows[] = {
      // Ties round to even; a hair above or below decides.
      {"16777217", 0x4b800000U, false, ""},
      {"16777219", 0x4b800002U, false, ""},
      {"16777217.000001", 0x4b800001U, false, ""},
      {"16777218.999999", 0x4b800001U, false, ""},
      {threeHalves + "e-45", 0x00000002U, false, ""},
      {evenBelow + "e-38", 0x007ffffeU, false, ""},
      {evenBelow + "1e-38", 0x007fffffU, false, ""},
      {evenAbove + "e-38", 0x00800000U, false, ""},
      {evenAbove.substr(0, evenAbove.size() - 1) + "e-38", 0x007fffffU, false,
       ""},
      // Zeros past the kept digits leave a tie a tie; any other digit there
      // lifts it.
      {half + std::string(200, '0') + "e-46", 0x00000000U, false, ""},
      {half + std::string(300, '0') + "1e-46", 0x00000001U, false, ""},
      // The ends of the range.
      {"1e38", 0x7e967699U, false, ""},
      {"3.40282356779733661637539395458142568447e38", largest, false, ""},
      {"3.40282356779733661637539395458142568448e38", largest, true, ""},
      {"3.40282357e38", largest, true, ""},
      {"1e39", largest, true, ""},
      {"-1e39", largest | 0x80000000U, true, ""},
      {"9e-46", 0x00000001U, false, ""},
      {"1e-46", 0x00000000U, false, ""},
      // Too small for a float keeps its sign.
      {"-9e-46", 0x80000001U, false, ""},
      {"-1e-46", 0x80000000U, false, ""},
      {"-1e-50", 0x80000000U, false, ""},
      {"0e50", 0x00000000U, false, ""},
      // Exponents beyond 64 bits; digits past the kept ones.
      {"1e-10000000000000000000", 0x00000000U, false, ""},
      {"1e10000000000000000000", largest, true, ""},
      {"1e9999999999999999999", largest, true, ""},
      {"1e-9999999999999999999", 0x00000000U, false, ""},
      {sticky + "e-100", 0x7149f2caU, false, ""},
      {sticky + ".5e-100", 0x7149f2caU, false, ""},
      {"-0", 0x80000000U, false, ""},
      // What the rule gathers, and where it stops.
      {"1E5", 0x47c35000U, false, ""},
      {"12.5.3", 0x41480000U, false, ".3"},
      {".e5", 0x00000000U, true, "e5"},
      {"1e", 0x00000000U, true, ""},
      {"+-5", 0x00000000U, true, "-5"},
      {"-x", 0x00000000U, true, "x"},
  };
  const auto readAll = [&rows](amount::Conversion conversion) {
    const std::locale amounts =
        amount::WithReader(std::locale::classic(), conversion);
    for (const Row& row : rows) {
      const Reading expected{
          row.bits,
          (row.fails ? std::ios_base::failbit : std::ios_base::goodbit) |
              (row.unread.empty() ? std::ios_base::eofbit
                                  : std::ios_base::goodbit),
          row.unread};
      const Reading read = Read(row.text, amounts);
      EXPECT_TRUE(read == expected)
          << "\"" << row.text.substr(0, 60) << "\": bits " << std::hex
          << read.bits << " (expected " << row.bits << "), state " << read.state
          << ", unread \"" << read.unread << "\"";
    }
  };
  readAll(amount::BestConversion());
#if defined(__GLIBC__)
  // glibc's strtof rounds right, and reads the point of the C locale: the
  // reader must not hand it one.
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE.UTF-8 locale to read under";
  }
  readAll(amount::Conversion::kStrtof);
  std::setlocale(LC_ALL, "C");
#endif
}

// A read that fails part-way ends the amount as end of input does, but
// leaves the stream bad; with badbit in the exception mask the stream throws
// only once the value is stored.
TEST(AmountReaderTest, ReadErrorEndsTheAmountAsEndOfInputDoes) {
  const std::locale amounts = amount::WithReader(std::locale::classic());
  for (const auto& [text, value, state] :
       {std::tuple<std::string, float, std::ios_base::iostate>{
            "12", 12.0F, std::ios_base::badbit},
        {"25e-1", 2.5F, std::ios_base::badbit},
        {".00", 0.0F, std::ios_base::badbit},
        // 2^24 + 1 and a little more: the digit past the kept ones rounds up.
        {"16777217." + std::string(130, '0') + "1", 16777218.0F,
         std::ios_base::badbit},
        {"1e+", 0.0F, std::ios_base::badbit | std::ios_base::failbit}}) {
    for (const bool throws : {false, true}) {
      Generated buffer({{text, 1}}, true);
      std::istream in(&buffer);
      in.imbue(amounts);
      if (throws) in.exceptions(std::ios_base::badbit);
      float read = 12345.0F;
      try {
        in >> read;
        EXPECT_FALSE(throws) << text;
      } catch (const std::ios_base::failure&) {
        EXPECT_TRUE(throws) << text;
      }
      EXPECT_EQ(Bits(read), Bits(value)) << text;
      EXPECT_EQ(in.rdstate(), state) << text;
    }
  }
}

// The reference: libstdc++'s own reader, converting with glibc's strtof.
#if defined(__GLIBC__) && defined(__GLIBCXX__)

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
  // of the range. Half the integer runs hold a 5 somewhere.
  std::string Shifted() {
    const int zeros = Pick(30000);
    const int shift = zeros + Pick(101) - 50;
    std::string run(static_cast<size_t>(zeros), '0');
    if (Pick(2) == 0) return "." + run + "7e" + std::to_string(shift);
    if (zeros > 0 && Pick(2) == 0) run[static_cast<size_t>(Pick(zeros))] = '5';
    return "7" + run + "e-" + std::to_string(shift);
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
  for (const amount::Conversion conversion :
       {amount::Conversion::kFromChars, amount::Conversion::kStrtof}) {
    const std::locale amounts = amount::WithReader(classic, conversion);
    Amounts make;
    for (int round = 0; round < 4000; ++round) {
      const std::string text = round % 4 == 0    ? make.NearATie()
                               : round % 20 == 1 ? make.Shifted()
                                                 : make.FromGrammar();
      ASSERT_TRUE(Read(text, amounts) == Read(text, classic))
          << "read differently with conversion " << static_cast<int>(conversion)
          << ": \"" << text.substr(0, 200) << "\" (" << text.size()
          << " characters)";
    }
  }
}

#endif

}  // namespace
