// Runs the built program as a separate process, the way a console or a shell
// would: answering each prompt only once it has arrived, with standard
// streams that are closed or cannot be written, and with arbitrary input.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

extern char** environ;

namespace {

const std::string kPrompts =
    "Please enter a first name: Please enter a last name: "
    "Please enter a tuition amount: ";
const std::string kDefaultRecord =
    "\nStudent 1 holds: []-First Name\n[]-Last Name\n[0]-Tuition Balance\n";

std::string Transcript(const std::string& first, const std::string& last,
                       const std::string& balance) {
  return kPrompts + kDefaultRecord + "\nStudent 2 holds: [" + first +
         "]-First Name\n[" + last + "]-Last Name\n[" + balance +
         "]-Tuition Balance\n\n";
}

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "console_test_" + name;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the program through the shell with the given redirections and
// returns its exit status, or -1 if it did not exit normally.
int RunWith(const std::string& redirections) {
  const std::string command =
      std::string("'") + STUDENT_DIALOGUE + "' " + redirections;
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the program on `input` and returns what it wrote; it must exit 0.
std::string Converse(const std::string& input) {
  const std::string in = TempPath("in");
  const std::string out = TempPath("out");
  WriteFile(in, input);
  EXPECT_EQ(RunWith("<'" + in + "' >'" + out + "'"), 0);
  return ReadFile(out);
}

// The program started with its standard input and output on pipes; killed
// and reaped at the end of the test if it has not exited by then.
class Child {
 public:
  Child() {
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    for (const int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) {
      posix_spawn_file_actions_addclose(&actions, fd);
    }
    char* argv[] = {const_cast<char*>(STUDENT_DIALOGUE), nullptr};
    if (posix_spawn(&pid_, STUDENT_DIALOGUE, &actions, nullptr, argv,
                    environ) != 0) {
      std::abort();
    }
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
  }

  ~Child() {
    CloseInput();
    close(output_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void Send(const std::string& text) {
    ASSERT_EQ(write(input_, text.data(), text.size()),
              static_cast<ssize_t>(text.size()));
  }

  void CloseInput() {
    if (input_ >= 0) close(input_);
    input_ = -1;
  }

  // Reads output until it ends with `tail` (true) or until the output ends
  // or five seconds pass without it (false).
  bool ReadUntil(const std::string& tail) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!EndsWith(tail)) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd ready{output_, POLLIN, 0};
      if (left.count() <= 0 ||
          poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
        return false;
      }
      char buffer[4096];
      const ssize_t got = read(output_, buffer, sizeof buffer);
      if (got <= 0) return false;
      transcript_.append(buffer, static_cast<size_t>(got));
    }
    return true;
  }

  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  const std::string& transcript() const { return transcript_; }

 private:
  bool EndsWith(const std::string& tail) const {
    return transcript_.size() >= tail.size() &&
           transcript_.compare(transcript_.size() - tail.size(), tail.size(),
                               tail) == 0;
  }

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string transcript_;
};

TEST(ConsoleTest, EachPromptArrivesBeforeTheProgramWaitsForItsAnswer) {
  Child child;
  const std::pair<std::string, std::string> steps[] = {
      {"Please enter a first name: ", "John\n"},
      {"Please enter a last name: ", "Smith\n"},
      {"Please enter a tuition amount: ", "975.5\n"}};
  for (const auto& [prompt, answer] : steps) {
    ASSERT_TRUE(child.ReadUntil(prompt))
        << "waited in vain for \"" << prompt << "\"; got:\n"
        << child.transcript();
    child.Send(answer);
  }
  child.CloseInput();
  const std::string expected = Transcript("John", "Smith", "975.5");
  EXPECT_TRUE(child.ReadUntil(expected)) << child.transcript();
  EXPECT_EQ(child.Wait(), 0);
}

TEST(ConsoleTest, FailedWriteExitsWithStatusOneAndSaysSo) {
  const std::string in = TempPath("in");
  const std::string err = TempPath("err");
  WriteFile(in, "John\nSmith\n975.5\n");
  const std::string saysSo =
      "student-dialogue: cannot write to standard output\n";

  EXPECT_EQ(RunWith("<'" + in + "' >&- 2>'" + err + "'"), 1);
  EXPECT_EQ(ReadFile(err), saysSo);

  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(RunWith("<'" + in + "' >/dev/full 2>'" + err + "'"), 1);
  EXPECT_EQ(ReadFile(err), saysSo);
}

TEST(ConsoleTest, ClosedInputStillWritesBothRecords) {
  const std::string out = TempPath("out");
  EXPECT_EQ(RunWith("<&- >'" + out + "'"), 0);
  EXPECT_EQ(ReadFile(out), Transcript("", "", "0"));
}

TEST(ConsoleTest, LongNamesComeBackWhole) {
  std::string first(8 << 20, 'a');
  for (size_t i = 0; i < first.size(); i += 4093) first[i] = 'Z';
  const std::string last(70000, ' ');
  EXPECT_EQ(Converse(first + "\n" + last + "\n5\n"),
            Transcript(first, last, "5"));
  EXPECT_EQ(Converse(first), Transcript(first, "", "0"));
}

TEST(ConsoleTest, AnyBytesGiveBothRecordsAndStatusZero) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 3000);
  const std::string head = kPrompts + kDefaultRecord + "\nStudent 2 holds: [";
  const std::string tail = "]-Tuition Balance\n\n";
  for (int round = 0; round < 20; ++round) {
    std::string input(static_cast<size_t>(length(random)), '\0');
    for (char& c : input) c = static_cast<char>(byte(random));
    const std::string output = Converse(input);
    ASSERT_GE(output.size(), head.size() + tail.size());
    EXPECT_EQ(output.substr(0, head.size()), head);
    EXPECT_EQ(output.substr(output.size() - tail.size()), tail);
  }
}

}  // namespace
