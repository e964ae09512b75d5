// What reaches the dialogue's caller when reading fails part-way: a read
// error ends the input as end of file does, while running out of memory,
// in a name or in the amount, must reach the caller rather than pass for a
// shortened answer. Whatever the caller's exception mask, it is kept.
#include "app/dialogue.h"

#include <gtest/gtest.h>

#include "amount/reader.h"

#include <ios>
#include <istream>
#include <new>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>

namespace {

// Hands out `text`, then fails as `Failure` says on the next read.
template <typename Failure>
class FailingAfter : public std::streambuf {
 public:
  explicit FailingAfter(std::string text) : text_(std::move(text)) {}

 protected:
  int_type underflow() override {
    if (gptr() == nullptr) {
      setg(text_.data(), text_.data(), text_.data() + text_.size());
      return traits_type::to_int_type(*gptr());
    }
    throw Failure();
  }

 private:
  std::string text_;
};

struct ReadFailure : std::ios_base::failure {
  ReadFailure() : std::ios_base::failure("read failed") {}
};

TEST(DialogueTest, ReadErrorEndsTheNameButRunningOutOfMemoryReachesTheCaller) {
  const std::string prompt = "Please enter a ";
  {
    FailingAfter<ReadFailure> buffer("Jo");
    std::istream in(&buffer);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(dialogue::Converse(in, out, err), 0);
    EXPECT_NE(out.str().find("\nStudent 2 holds: [Jo]-First Name\n[]-Last "
                             "Name\n[0]-Tuition Balance\n\n"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(in.exceptions(), std::ios_base::goodbit);
  }
  // Out of memory inside the first name, and part-way through the amount:
  // what is read before, and the prompts written by then.
  for (const auto& [text, prompts] :
       {std::pair<std::string, std::string>{"Jo", prompt + "first name: "},
        {"A\nB\n12", prompt + "first name: " + prompt + "last name: " + prompt +
                         "tuition amount: "}}) {
    FailingAfter<std::bad_alloc> buffer(text);
    std::istream in(&buffer);
    in.imbue(amount::WithReader(in.getloc()));  // as the program reads
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_THROW(dialogue::Converse(in, out, err), std::bad_alloc) << text;
    EXPECT_EQ(out.str(), prompts);
    EXPECT_EQ(in.exceptions(), std::ios_base::goodbit);
  }
}

// A failed amount sets failbit, which the caller's own mask may hold.
TEST(DialogueTest, AFailedAmountIsNoErrorWhateverTheCallersMask) {
  std::istringstream in("John\nSmith\nabc\n");
  in.exceptions(std::ios_base::failbit);
  std::ostringstream out;
  EXPECT_EQ(dialogue::Converse(in, out, out), 0);
  EXPECT_EQ(in.exceptions(), std::ios_base::failbit);
}

}  // namespace
