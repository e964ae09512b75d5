// Runs the built program as a separate process, the way a console or a shell
// would: answering each prompt only once it has arrived, with standard
// streams that are closed or cannot be written, and with arbitrary input.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <utility>

#include "console_test_program.h"  // STUDENT_DIALOGUE, the program's path

extern char** environ;

namespace {

const std::string kPrompts =
    "Please enter a first name: Please enter a last name: "
    "Please enter a tuition amount: ";
const std::string kDefaultRecord =
    "\nStudent 1 holds: []-First Name\n[]-Last Name\n[0]-Tuition Balance\n";
// What is written before the second record's first name, whatever is typed.
const std::string kBeforeSecondName =
    kPrompts + kDefaultRecord + "\nStudent 2 holds: [";

std::string Transcript(const std::string& first, const std::string& last,
                       const std::string& balance) {
  return kBeforeSecondName + first + "]-First Name\n[" + last +
         "]-Last Name\n[" + balance + "]-Tuition Balance\n\n";
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// `text` as one word for the shell, whatever characters it holds.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// Runs the program through the shell with the given redirections, after the
// given shell commands (`ulimit`, say), and returns its exit status as the
// shell shows it: 128 plus the signal's number where a signal ended it.
int RunWith(const std::string& redirections, const std::string& before = "") {
  const std::string command =
      before + Quoted(STUDENT_DIALOGUE) + " " + redirections;
  const int status = std::system(command.c_str());
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Starts the program with `in` and `out` as its standard input and output,
// and with none of `others` open; returns its process id, or -1.
pid_t Spawn(int in, int out, std::initializer_list<int> others) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  for (const int fd : {in, out})
    posix_spawn_file_actions_addclose(&actions, fd);
  for (const int fd : others) posix_spawn_file_actions_addclose(&actions, fd);
  char* argv[] = {const_cast<char*>(STUDENT_DIALOGUE), nullptr};
  pid_t pid = -1;
  const int failed =
      posix_spawn(&pid, STUDENT_DIALOGUE, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

// Reads from `fd` into `transcript` until the transcript ends with `tail`;
// false if the output ends or five seconds pass first.
bool ReadUntil(int fd, std::string& transcript, const std::string& tail) {
  using std::chrono::steady_clock;
  const auto deadline = steady_clock::now() + std::chrono::seconds(5);
  while (transcript.size() < tail.size() ||
         transcript.compare(transcript.size() - tail.size(), tail.size(),
                            tail) != 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - steady_clock::now())
                          .count();
    pollfd ready{fd, POLLIN, 0};
    char buffer[4096];
    ssize_t got = 0;
    if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0 ||
        (got = read(fd, buffer, sizeof buffer)) <= 0) {
      return false;
    }
    transcript.append(buffer, static_cast<size_t>(got));
  }
  return true;
}

// Each test gets a directory of its own for the files it feeds to the
// program and the files the program writes; it is removed afterwards.
class ConsoleTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "console_test.XXXXXX")
            .string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }

  // Runs the program on `input` and returns what it wrote; it must exit 0.
  std::string Converse(const std::string& input) const {
    WriteFile(Path("in"), input);
    EXPECT_EQ(RunWith("<" + Quoted(Path("in")) + " >" + Quoted(Path("out"))),
              0);
    return ReadFile(Path("out"));
  }

 private:
  std::filesystem::path dir_;
};

// Pipes keep the program's output fully buffered, so a prompt that is not
// flushed before the program reads never arrives, and the test times out.
TEST_F(ConsoleTest, EachPromptArrivesBeforeTheProgramWaitsForItsAnswer) {
  int toChild[2];
  int fromChild[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(fromChild), 0);
  const pid_t pid = Spawn(toChild[0], fromChild[1], {toChild[1], fromChild[0]});
  ASSERT_GT(pid, 0);
  close(toChild[0]);
  close(fromChild[1]);

  const std::pair<std::string, std::string> steps[] = {
      {"Please enter a first name: ", "John\n"},
      {"Please enter a last name: ", "Smith\n"},
      {"Please enter a tuition amount: ", "975.5\n"}};
  std::string transcript;
  for (const auto& [prompt, answer] : steps) {
    ASSERT_TRUE(ReadUntil(fromChild[0], transcript, prompt))
        << "waited in vain for \"" << prompt << "\"; got:\n"
        << transcript;
    ASSERT_EQ(write(toChild[1], answer.data(), answer.size()),
              static_cast<ssize_t>(answer.size()));
  }
  close(toChild[1]);
  EXPECT_TRUE(
      ReadUntil(fromChild[0], transcript, Transcript("John", "Smith", "975.5")))
      << transcript;
  close(fromChild[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(ConsoleTest, FailedWriteExitsWithStatusOneAndSaysSo) {
  const std::string in = Path("in");
  const std::string err = Path("err");
  WriteFile(in, "John\nSmith\n975.5\n");
  const std::string saysSo =
      "student-dialogue: cannot write to standard output\n";

  EXPECT_EQ(RunWith("<" + Quoted(in) + " >&- 2>" + Quoted(err)), 1);
  EXPECT_EQ(ReadFile(err), saysSo);

  // The prompts fit under a file-size limit; the records, held in the
  // stream's buffer, fail only at the final flush.
  WriteFile(in, std::string(1000, 'J') + "\nSmith\n975.5\n");
  EXPECT_EQ(RunWith("<" + Quoted(in) + " >" + Quoted(Path("out")) + " 2>" +
                        Quoted(err),
                    "trap '' XFSZ; ulimit -f 1; "),
            1);
  EXPECT_EQ(ReadFile(err), saysSo);
  // Not ignored, SIGXFSZ and SIGPIPE end the program as they end any filter.
  EXPECT_EQ(
      RunWith("<" + Quoted(in) + " >" + Quoted(Path("out")), "ulimit -f 1; "),
      128 + SIGXFSZ);
  // A FIFO whose only reader, descriptor 3, which let the shell open it for
  // writing, is closed before the program starts.
  const std::string fifo = Quoted(Path("fifo"));
  EXPECT_EQ(RunWith("<" + Quoted(in) + " 3<>" + fifo + " >" + fifo + " 3<&-",
                    "mkfifo " + fifo + "; "),
            128 + SIGPIPE);

  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(RunWith("<" + Quoted(in) + " >/dev/full 2>" + Quoted(err)), 1);
  EXPECT_EQ(ReadFile(err), saysSo);
}

// Shadow memory needs more address space than any of the limits below, so
// the address sanitizer's build goes without the out-of-memory test; every
// other native build runs it.
#if defined(__SANITIZE_ADDRESS__)
#define STUDENT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STUDENT_ADDRESS_SANITIZER 1
#endif
#endif

// However little memory there is, a name is taken whole or the run fails
// with status 1 and says why: never a crash, never a name cut short. The
// amount is read in constant memory, so even the least of these limits reads
// a 100 MiB one right. What was written before the failure stays written:
// some limit between 250000 and 400000 KiB leaves room to read and copy the
// name but not to write it, with libstdc++ and with libc++.
#ifndef STUDENT_ADDRESS_SANITIZER
TEST_F(ConsoleTest, OutOfMemoryFailsCleanlyAndNeverCutsAnAnswer) {
  const std::string huge(100 << 20, '1');
  const std::string in = Path("in");
  const std::string out = Path("out");
  const std::string err = Path("err");
  const auto run = [&](const char* kib) {
    return RunWith("<" + Quoted(in) + " >" + Quoted(out) + " 2>" + Quoted(err),
                   std::string("ulimit -v ") + kib + "; ");
  };

  WriteFile(in, huge + "\nSmith\n975.5\n");
  int whole = 0;
  int failed = 0;
  int failedWritingTheName = 0;
  for (const char* kib : {"150000", "250000", "300000", "400000", "1000000"}) {
    const int status = run(kib);
    if (status == 0) {
      ++whole;
      EXPECT_TRUE(ReadFile(out) == Transcript(huge, "Smith", "975.5"))
          << "wrong output at " << kib;
    } else {
      ++failed;
      EXPECT_EQ(status, 1) << "at " << kib << " KiB";
      EXPECT_EQ(ReadFile(err), "student-dialogue: out of memory\n");
      failedWritingTheName += ReadFile(out) == kBeforeSecondName;
    }
  }
  EXPECT_GT(whole, 0);
  EXPECT_GT(failed, 0);
  EXPECT_GT(failedWritingTheName, 0);

  WriteFile(in, "John\nSmith\n" + huge + "\n");
  EXPECT_EQ(run("150000"), 0) << ReadFile(err);
  EXPECT_EQ(ReadFile(out), Transcript("John", "Smith", "3.40282e+38"));
}
#endif

// A closed standard input, and one whose read fails, end the answers as end
// of input does, keeping what was read before.
TEST_F(ConsoleTest, ClosedOrFailingInputEndsTheAnswers) {
  const std::string out = Path("out");
  EXPECT_EQ(RunWith("<&- >" + Quoted(out)), 0);
  EXPECT_EQ(ReadFile(out), Transcript("", "", "0"));

  // A non-blocking pipe whose writer stays open fails the read after the
  // answers with EAGAIN.
  for (const auto& [answers, transcript] :
       {std::pair<std::string, std::string>{"Jo", Transcript("Jo", "", "0")},
        {"A\nB\n12", Transcript("A", "B", "12")}}) {
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(fcntl(input[0], F_SETFL, O_NONBLOCK), 0);
    ASSERT_EQ(write(input[1], answers.data(), answers.size()),
              static_cast<ssize_t>(answers.size()));
    const int output = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(output, 0);
    const pid_t pid = Spawn(input[0], output, {input[1]});
    ASSERT_GT(pid, 0);
    close(input[0]);
    close(output);
    int status = 0;
    waitpid(pid, &status, 0);
    close(input[1]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << answers;
    EXPECT_EQ(ReadFile(out), transcript);
  }
}

TEST_F(ConsoleTest, LongNamesComeBackWhole) {
  std::string first(8 << 20, 'a');
  for (size_t i = 0; i < first.size(); i += 4093) first[i] = 'Z';
  const std::string last(70000, ' ');
  EXPECT_EQ(Converse(first + "\n" + last + "\n5\n"),
            Transcript(first, last, "5"));
  EXPECT_EQ(Converse(first), Transcript(first, "", "0"));
}

// A locale in the environment, even one whose decimal point is a comma,
// changes nothing of what is written.
TEST_F(ConsoleTest, TheEnvironmentsLocaleChangesNothing) {
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no such locale";
  std::setlocale(LC_ALL, "C");
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  EXPECT_EQ(Converse("A\nB\n975.5\n"), Transcript("A", "B", "975.5"));
  unsetenv("LC_ALL");
}

TEST_F(ConsoleTest, AnyBytesGiveBothRecordsAndStatusZero) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 3000);
  const std::string& head = kBeforeSecondName;
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
