// What reaches the dialogue's caller when reading a name fails part-way: a
// read error ends the input as end of file does, while running out of memory
// must reach the caller rather than pass for a shortened name.
#include "app/dialogue.h"

#include <gtest/gtest.h>

#include <ios>
#include <istream>
#include <new>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// Hands out "Jo", then fails as `Failure` says on the next read.
template <typename Failure>
class FailingAfterJo : public std::streambuf {
 protected:
  int_type underflow() override {
    if (gptr() == nullptr) {
      setg(text_, text_, text_ + 2);
      return traits_type::to_int_type(*gptr());
    }
    throw Failure();
  }

 private:
  char text_[2] = {'J', 'o'};
};

struct ReadFailure : std::ios_base::failure {
  ReadFailure() : std::ios_base::failure("read failed") {}
};

TEST(DialogueTest, ReadErrorEndsTheNameButRunningOutOfMemoryReachesTheCaller) {
  const std::string firstPrompt = "Please enter a first name: ";
  {
    FailingAfterJo<ReadFailure> buffer;
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
  {
    FailingAfterJo<std::bad_alloc> buffer;
    std::istream in(&buffer);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_THROW(dialogue::Converse(in, out, err), std::bad_alloc);
    EXPECT_EQ(out.str(), firstPrompt);
    EXPECT_EQ(in.exceptions(), std::ios_base::goodbit);
  }
}

}  // namespace
